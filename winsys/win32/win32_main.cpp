// Entry point of a Windows program: the one App instance takes over.
#include <windows.h>
// After windows.h, which it relies on.
#include <commctrl.h>

#include "winsys/dialog.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Loads the common controls, so the manifest's visual styles apply to the dialogs.
    InitCommonControls();
    velmarto::winsys::App* app = velmarto::winsys::App::Instance();
    if (app) {
        app->InitInstance();
    }
    return 0;
}
