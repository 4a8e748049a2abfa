// Reads the version resource of each program given back from the file, as
// Explorer's Properties do: the product Kupongen, a description, and file and
// product versions that agree with each other and with the window's title;
// and the manifest's long-path declaration.
//   kupongen_version_checks PROGRAM.exe...
#include "check_tally.h"
#include "dialog_template.h"

#include "platform.h"

#include <shellapi.h>
#include <winver.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace kupongen;
using test::Check;

std::wstring StringValue(std::vector<unsigned char>& info, const wchar_t* name) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || length == 0) {
        return {};
    }
    return static_cast<const wchar_t*>(value);
}

void CheckProgram(const std::wstring& path) {
    const std::string name = platform::WideToUtf8(path) + ": ";
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    Check(size != 0, name + "has a version resource");
    if (size == 0) {
        return;
    }
    std::vector<unsigned char> info(size);
    GetFileVersionInfoW(path.c_str(), 0, size, info.data());

    void* value = nullptr;
    UINT length = 0;
    VerQueryValueW(info.data(), L"\\", &value, &length);
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    Check(length >= sizeof(VS_FIXEDFILEINFO) && fixed->dwSignature == 0xFEEF04BD,
          name + "fixed file information");

    const std::wstring product = StringValue(info, L"ProductVersion");
    Check(StringValue(info, L"ProductName") == L"Kupongen", name + "product name");
    Check(!StringValue(info, L"FileDescription").empty(), name + "file description");
    Check(StringValue(info, L"FileVersion") == product, name + "file version as text");
    const std::wstring fileName = path.substr(path.find_last_of(L"\\/") + 1);
    Check(StringValue(info, L"OriginalFilename") == fileName, name + "original file name");
    // The title shows "v7.04"; the numbers are 7.4.0.0.
    Check(platform::AnsiToWide(kWindowTitle.view()).find(L"v" + product) != std::wstring::npos,
          name + "version " + platform::WideToUtf8(product) + " as in the title");
    const std::size_t dot = product.find(L'.');
    if (dot == std::wstring::npos || length < sizeof(VS_FIXEDFILEINFO)) {
        Check(false, name + "version major.minor");
        return;
    }
    const DWORD expected =
        (std::stoul(product.substr(0, dot)) << 16) | std::stoul(product.substr(dot + 1));
    Check(fixed->dwFileVersionMS == expected && fixed->dwFileVersionLS == 0 &&
              fixed->dwProductVersionMS == expected && fixed->dwProductVersionLS == 0,
          name + "file and product version numbers match " + platform::WideToUtf8(product));
}

// The manifest declares long paths, so that the system lets the program save
// past 260 characters where it is set up to.
void CheckManifest(const std::wstring& path) {
    const std::string name = platform::WideToUtf8(path) + ": ";
    const HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    const HRSRC found =
        module ? FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24)) : nullptr;
    const HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
    const std::string manifest = loaded
                                     ? std::string(static_cast<const char*>(LockResource(loaded)),
                                                   SizeofResource(module, found))
                                     : std::string();
    Check(manifest.find("<longPathAware xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                        "WindowsSettings\">true</longPathAware>") != std::string::npos,
          name + "the manifest declares longPathAware");
    if (module) {
        FreeLibrary(module);
    }
}

} // namespace

int main() {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    for (int i = 1; i < count; ++i) {
        CheckProgram(arguments[i]);
        CheckManifest(arguments[i]);
    }
    LocalFree(arguments);
    return count > 1 ? test::Tally() : 1;
}
