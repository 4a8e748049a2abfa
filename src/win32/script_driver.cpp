// kupongen-script: the kupongen-headless script driver over the real native
// dialog, for checking the Windows build against the dialog model.
#include "native_target.h"
#include "script_main.h"

#include <commctrl.h>
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

int main() {
    // The output is byte for byte that of kupongen-headless: no CR added.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);

    // The command line as UTF-8, whatever the ANSI code page.
    int count = 0;
    LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) {
        arguments.push_back(kupongen::platform::WideToUtf8(wide[i]));
    }
    LocalFree(wide);

    kupongen::TheInstance = GetModuleHandleW(nullptr);
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    return kupongen::script::ScriptMain(arguments, [](kupongen::script::MessageBoxSink sink) {
        return std::make_unique<kupongen::script::NativeTarget>(std::move(sink));
    });
}
