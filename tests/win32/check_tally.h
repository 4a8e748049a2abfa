// The tally of the Windows test programs: a check that fails says what, and
// the program ends with "N passed, M failed", which ctest reads.
#pragma once

#include <cstdio>
#include <string>

namespace kupongen::test {

inline int passed = 0;
inline int failed = 0;

inline void Check(bool ok, const std::string& what) {
    if (ok) {
        ++passed;
    } else {
        ++failed;
        std::printf("FAILED: %s\n", what.c_str());
    }
}

// Prints the tally; the exit status.
inline int Tally() {
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}

} // namespace kupongen::test
