// kupongen-headless: the dialog without a window, driven by a script.
#include "model_target.h"
#include "script_main.h"

#include <cerrno>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

// A standard stream that was closed gets /dev/null in its place, so that no
// file the program opens, a save's temporary file least of all, takes its
// number and receives what was meant for the stream. A closed standard output
// still fails the run: what was printed reached no one.
void FillClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) {
            continue;
        }
        // The lowest free number: this one, as those below are open by now.
        [[maybe_unused]] const int opened = ::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (fd == 1) {
            std::cout.setstate(std::ios::badbit);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    FillClosedStandardStreams();
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return kupongen::script::ScriptMain(arguments, [](kupongen::script::MessageBoxSink sink) {
        return std::make_unique<kupongen::script::ModelTarget>(std::move(sink));
    });
}
