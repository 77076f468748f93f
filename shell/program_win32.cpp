// Program entry: single instance, start-up in its fixed order, the message loop
// and the one shutdown.
#include "shell/shell_win32.h"

#include <commctrl.h>

#include <ctime>

#include "dialogs/records_win32.h"
#include "display/painting_win32.h"
#include "display/window_layout_win32.h"
#include "game/board.h"
#include "game/campaign.h"
#include "game/deal.h"
#include "game/front_end.h"
#include "resources/resource.h"
#include "storage/program_directory.h"
#include "storage/records.h"
#include "storage/settings.h"
#include "game/session.h"

HINSTANCE appInstance;
HWND mainWindow;

static const char WindowClassName[] = "Hanabo32";
static const char InitialTitle[] = "Hanabo32";
static const char StartupErrorText[] = "Error";
static HACCEL accelerators;

// Set when the start-up could not make the tile canvas: the settings were
// not all read then, so writing them back would lose the stored ones.
static bool settingsIncomplete = false;

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

// Reads the settings and builds the first game; false when the tile canvas
// cannot be made.
static bool ApplySettings()
{
    LoadSettings();
    tileSetInfo.kind = TileSetNone;
    windowBars.barOptionAuto = settings.BarOptionAuto != 0;
    ApplyBarSettings(settings.ToolBar != 0, settings.ScoreBar != 0);
    ResumeCampaign();
    if (!CreateTileCanvas(mainWindow))
        return false;

    board.ts = RoundTileSize(settings.CellSize);
    MoveWindow(mainWindow, settings.FormLeft, settings.FormTop, board.ts * settings.SheetSizeX,
               board.ts * settings.SheetSizeY, FALSE);
    SetBoardSize(settings.SheetSizeX, settings.SheetSizeY);
    SizeWindow(board.ts * board.columns, board.ts * board.rows);
    ApplyBitmapSetting(settings.Bitmap.c_str());
    return true;
}

// The settings that the game and the window changed go back into settings.
static void CollectSettings()
{
    RECT rect;
    GetWindowRect(mainWindow, &rect);
    settings.windowMinimised = IsIconic(mainWindow) != 0;
    if (!settings.windowMinimised) {
        settings.FormLeft = rect.left;
        settings.FormTop = rect.top;
    }
    settings.SheetSizeX = board.columns;
    settings.SheetSizeY = board.rows;
    settings.CellSize = board.ts;
    settings.ToolBar = windowBars.toolBarOn ? 1 : 0;
    settings.ScoreBar = windowBars.scoreBarOn ? 1 : 0;
    settings.BarOptionAuto = windowBars.barOptionAuto ? 1 : 0;
    settings.Campaign = CampaignRunning() ? 1 : 0;
    settings.CampaignNo = game.number;
}

// Set by the shutdown: from then on only the quit message is awaited.
static bool shutDown = false;

bool HasShutDown()
{
    return shutDown;
}

void Shutdown()
{
    if (shutDown)
        return;
    shutDown = true;
    CloseMoveSlider();
    StopTimer();
    if (!settingsIncomplete) {
        CollectSettings();
        SaveSettings();
        SaveRecords();
    }
    DestroyTileCanvas();
    board.cells.clear();
    board.cells.shrink_to_fit();
    PostQuitMessage(0);
}

static int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(mainWindow, accelerators, &message)) {
            ShowDrawnCells();
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
        ShowDrawnCells();
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
    SeedFromClock(static_cast<std::int64_t>(std::time(nullptr)));
    CreateRecordDialogs(mainWindow);
    accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    CreateBars(mainWindow, instance);
    if (!ApplySettings()) {
        MessageBoxA(mainWindow, StartupErrorText, "Hanabo32-Error", MB_OK);
        settingsIncomplete = true;
        Shutdown();
    }

    ShowWindow(mainWindow, showCommand);
    UpdateWindow(mainWindow);
    return RunMessageLoop();
}
