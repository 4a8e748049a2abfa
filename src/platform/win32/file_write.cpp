// Saving on Windows: the target's folder opened once, and the temporary file
// created, written, renamed over the target or removed through handles
// relative to that folder, never by path again.
#include "file_write.h"
#include "platform.h"

#include <winternl.h>

#include <algorithm>
#include <cstdint>
#include <memory>

namespace kupongen {

namespace {

// Paths are UTF-8; the wide calls take any name, whatever the ANSI code page.
using platform::Utf8ToWide;

constexpr NTSTATUS kNameCollision = static_cast<NTSTATUS>(0xC0000035L);
constexpr NTSTATUS kNameNotFound = static_cast<NTSTATUS>(0xC0000034L);

class Handle {
public:
    explicit Handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr) {
            CloseHandle(handle_);
        }
    }
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

private:
    HANDLE handle_;
};

// Opens or creates name in folder, as openat does on POSIX systems.
NTSTATUS OpenIn(HANDLE folder, const std::wstring& name, ACCESS_MASK access, ULONG share,
                ULONG disposition, HANDLE& file) {
    UNICODE_STRING objectName;
    objectName.Buffer = const_cast<wchar_t*>(name.c_str());
    objectName.Length = static_cast<USHORT>(name.size() * sizeof(wchar_t));
    objectName.MaximumLength = objectName.Length;
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &objectName, OBJ_CASE_INSENSITIVE, folder, nullptr);
    IO_STATUS_BLOCK status{};
    return NtCreateFile(&file, access | SYNCHRONIZE, &attributes, &status, nullptr,
                        FILE_ATTRIBUTE_NORMAL, share, disposition,
                        FILE_NON_DIRECTORY_FILE | FILE_SYNCHRONOUS_IO_NONALERT, nullptr, 0);
}

// An existing target must be a file that may be written: the read-only
// attribute keeps it, as the file's permissions do on POSIX systems.
bool MayReplace(HANDLE folder, const std::wstring& name) {
    HANDLE raw = INVALID_HANDLE_VALUE;
    const NTSTATUS opened =
        OpenIn(folder, name, FILE_READ_ATTRIBUTES,
               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, FILE_OPEN, raw);
    if (opened == kNameNotFound) {
        return true; // a new file
    }
    if (!NT_SUCCESS(opened)) {
        return false; // a folder, or a name that cannot be looked up
    }
    const Handle target(raw);
    BY_HANDLE_FILE_INFORMATION information{};
    return GetFileInformationByHandle(target.get(), &information) &&
           !(information.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY));
}

bool WriteAll(HANDLE file, std::string_view bytes) {
    std::size_t offset = 0;
    while (offset < bytes.size()) {
        const auto chunk =
            static_cast<DWORD>(std::min<std::size_t>(bytes.size() - offset, 1u << 30));
        DWORD done = 0;
        if (!WriteFile(file, bytes.data() + offset, chunk, &done, nullptr) || done == 0) {
            return false;
        }
        offset += done;
    }
    return true;
}

bool RenameInFolder(HANDLE file, HANDLE folder, const std::wstring& name) {
    const std::size_t nameBytes = name.size() * sizeof(wchar_t);
    const std::size_t size = sizeof(FILE_RENAME_INFO) + nameBytes;
    // Aligned for the structure, which ends in the name.
    const auto buffer = std::make_unique<std::uint64_t[]>(size / sizeof(std::uint64_t) + 1);
    auto* rename = reinterpret_cast<FILE_RENAME_INFO*>(buffer.get());
    rename->ReplaceIfExists = TRUE;
    rename->RootDirectory = folder;
    rename->FileNameLength = static_cast<DWORD>(nameBytes);
    std::copy(name.begin(), name.end(), rename->FileName);
    // The system call itself: SetFileInformationByHandle may make the name a
    // full path (Wine does), which no longer goes with the folder's handle.
    IO_STATUS_BLOCK status{};
    return NT_SUCCESS(NtSetInformationFile(file, &status, rename, static_cast<ULONG>(size),
                                           FileRenameInformation));
}

} // namespace

bool WriteFileReplacing(const std::string& requestedPath, std::string_view bytes) {
    const std::wstring path = Utf8ToWide(requestedPath);
    // The folder part keeps its separator, so that "C:\x" opens "C:\", not
    // the current folder of drive C.
    std::size_t nameStart = path.find_last_of(L"/\\");
    nameStart = nameStart != std::wstring::npos       ? nameStart + 1
                : path.size() >= 2 && path[1] == L':' ? 2
                                                      : 0;
    const std::wstring folderPath = nameStart == 0 ? L"." : path.substr(0, nameStart);
    const std::wstring name = path.substr(nameStart);
    if (name.empty()) {
        return false;
    }
    // Without delete sharing: while the save holds the folder, nobody can
    // rename it away and put something else in its place.
    const Handle folder(CreateFileW(folderPath.c_str(), FILE_TRAVERSE | FILE_LIST_DIRECTORY,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder.valid() || !MayReplace(folder.get(), name)) {
        return false;
    }
    for (unsigned attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::wstring temporary = Utf8ToWide(TemporaryPathFor("", "/\\", attempt));
        HANDLE raw = INVALID_HANDLE_VALUE;
        const NTSTATUS created =
            OpenIn(folder.get(), temporary, GENERIC_WRITE | DELETE, 0, FILE_CREATE, raw);
        if (created == kNameCollision) {
            continue;
        }
        if (!NT_SUCCESS(created)) {
            return false;
        }
        const Handle file(raw);
        if (WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()) &&
            RenameInFolder(file.get(), folder.get(), name)) {
            return true;
        }
        FILE_DISPOSITION_INFO remove{};
        remove.DeleteFile = TRUE;
        IO_STATUS_BLOCK status{};
        NtSetInformationFile(file.get(), &status, &remove, sizeof remove,
                             FileDispositionInformation);
        return false;
    }
    return false;
}

} // namespace kupongen
