// The main window procedure: each message becomes one call of the module that owns it.
#include "shell/shell_win32.h"

#include "resources/resource.h"
#include "shell/program_directory.h"

static void OnHelp(HWND window)
{
    char path[1024];
    if (ProgramFile("Hanabo.hlp", path, sizeof path))
        WinHelpA(window, path, HELP_CONTENTS, 0);
}

static void OnCommand(HWND window, int command)
{
    switch (command) {
    case IDM_EXIT:
        Shutdown();
        break;
    case IDM_VERSION:
        RunAboutBox(window);
        break;
    case IDM_HELP:
        OnHelp(window);
        break;
    case IDM_MINIMIZE:
        ShowWindow(window, SW_MINIMIZE);
        break;
    default:
        break;
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        Shutdown();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
