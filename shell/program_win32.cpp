// Program entry: single instance, the main window, the message loop and shutdown.
#include "shell/shell_win32.h"

#include <commctrl.h>
#include <ctime>

#include "resources/resource.h"
#include "shell/program_directory.h"

HINSTANCE appInstance;
HWND mainWindow;

static const char WindowClassName[] = "Hanabo32";
static const char InitialTitle[] = "Hanabo32";
static HACCEL accelerators;

static bool HandOverToRunningCopy()
{
    HWND running = FindWindowExA(nullptr, nullptr, WindowClassName, nullptr);
    if (!running)
        return false;
    ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}

static void KeepProgramDirectory()
{
    char dir[1024];
    DWORD length = GetCurrentDirectoryA(sizeof dir, dir);
    if (length == 0 || length >= sizeof dir || !SetProgramDirectory(dir))
        SetProgramDirectory(".");
}

static bool RegisterMainClass()
{
    WNDCLASSA windowClass = {};
    windowClass.style = CS_CLASSDC;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = appInstance;
    windowClass.hIcon = LoadIconA(appInstance, MAKEINTRESOURCEA(IDI_HANABO));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDR_MAINMENU);
    windowClass.lpszClassName = WindowClassName;
    return RegisterClassA(&windowClass) != 0;
}

void Shutdown()
{
    KillTimer(mainWindow, 1);
    PostQuitMessage(0);
}

static int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(mainWindow, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand)
{
    appInstance = instance;
    if (HandOverToRunningCopy())
        return 0;
    KeepProgramDirectory();
    if (!RegisterMainClass())
        return 0;

    mainWindow = CreateWindowExA(0, WindowClassName, InitialTitle,
                                 WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                 nullptr, nullptr, instance, nullptr);
    if (!mainWindow)
        return 0;
    InitCommonControls();
    accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    return RunMessageLoop();
}
