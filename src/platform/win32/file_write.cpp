// Saving on Windows: the temporary file and the replacing rename through the
// wide calls.
#include "file_save.h"

#include <algorithm>

namespace kupongen {

// Paths are UTF-8; the wide calls take any name, whatever the ANSI code page.
using platform::Utf8ToWide;

bool WriteFileReplacing(const std::string& requestedPath, std::string_view bytes) {
    const std::wstring path = Utf8ToWide(requestedPath);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::wstring temporary = Utf8ToWide(TemporaryPathFor(requestedPath, "/\\", attempt));
        HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            if (GetLastError() == ERROR_FILE_EXISTS) {
                continue;
            }
            return false;
        }
        bool written = true;
        std::size_t offset = 0;
        while (written && offset < bytes.size()) {
            const DWORD chunk =
                static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1u << 30));
            DWORD done = 0;
            written = WriteFile(file, bytes.data() + offset, chunk, &done, nullptr) && done > 0;
            offset += done;
        }
        written = written && FlushFileBuffers(file);
        written = CloseHandle(file) && written;
        if (written && MoveFileExW(temporary.c_str(), path.c_str(),
                                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DeleteFileW(temporary.c_str());
        return false;
    }
    return false;
}

} // namespace kupongen
