// Kupongen on Windows: the dialog and its message loop.
#include "native_dialog.h"

#include <commctrl.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    kupongen::TheInstance = instance;
    // Loads the themed common controls that the manifest asks for.
    const INITCOMMONCONTROLSEX controls = {sizeof(INITCOMMONCONTROLSEX), ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    HWND dialog = kupongen::CreateMainDialog();
    if (dialog == nullptr) {
        kupongen::ReportCreateDialogFailure(GetLastError());
        return 1;
    }
    return kupongen::RunMessageLoop(dialog);
}
