// The About box: the program's icon, name and version, centred on the main window.
#include "shell/shell_win32.h"

#include "resources/resource.h"

// Centres the box on the main window, kept inside the screen's top-left corner.
static void CentreOnMainWindow(HWND box)
{
    RECT main;
    RECT own;
    GetWindowRect(MainWindow(), &main);
    GetWindowRect(box, &own);
    int left = (main.left + main.right) / 2 + (own.left - own.right) / 2;
    int top = (main.top + main.bottom) / 2 + (own.top - own.bottom) / 2;
    if (left < 0)
        left = 0;
    if (top < 0)
        top = 0;
    MoveWindow(box, left, top, own.right - own.left, own.bottom - own.top, TRUE);
}

static INT_PTR CALLBACK AboutProc(HWND box, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_SHOWWINDOW:
        CentreOnMainWindow(box);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            EndDialog(box, 1);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void RunAboutBox(HWND owner)
{
    DialogBoxParamA(AppInstance(), MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
}
