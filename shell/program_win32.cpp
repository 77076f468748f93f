// Program entry: single instance, start-up in its fixed order, the message loop
// and the one shutdown.
#include "shell/shell_win32.h"

#include <commctrl.h>

#include <ctime>

#include "dialogs/select_game_win32.h"
#include "dialogs/records_win32.h"
#include "display/painting_win32.h"
#include "display/window_layout_win32.h"
#include "game/board.h"
#include "game/campaign.h"
#include "game/deal.h"
#include "game/front_end.h"
#include "game/statistics.h"
#include "resources/resource.h"
#include "sound/music.h"
#include "sound/sound_win32.h"
#include "storage/program_directory.h"
#include "storage/records.h"
#include "storage/settings.h"
#include "game/session.h"

static const char WindowClassName[] = "Hanabo32";
static const char InitialTitle[] = "Hanabo32";
static const char StartupErrorText[] = "Error";
static const char TempFileFailedText[] =
    "\x88\xea\x8e\x9e\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x8d\xec\x90\xac\x82\xc5\x82\xab\x82\xdc\x82\xb9"
    "\x82\xf1";  // 一時ファイルが作成できません
static const char TempFileNotWrittenText[] =
    "\x88\xea\x8e\x9e\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc9\x8f\x91\x82\xab\x8d\x9e\x82\xdf\x82\xdc\x82\xb9"
    "\x82\xf1";  // 一時ファイルに書き込めません
static const char NotReplacedText[] =
    "Hanabo.ini\x82\xaa\x8d\x58\x90\x56\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x81\x42\x90\xdd\x92\xe8\x82\xcd"
    "Hanabo.tmp\x82\xc9\x8e\x63\x82\xb5\x82\xdc\x82\xb5\x82\xbd";  // Hanabo.iniが更新できません。設定はHanabo.tmpに残しました

// The running program, from its start to its shutdown.
struct Program {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HACCEL accelerators = nullptr;
    // Set when the start-up could not make the tile canvas: the settings were
    // not all read then, so writing them back would lose the stored ones.
    bool settingsIncomplete = false;
    // Set by the shutdown: from then on only the quit message is awaited.
    bool shutDown = false;
};
static Program program;

HINSTANCE AppInstance()
{
    return program.instance;
}

HWND MainWindow()
{
    return program.mainWindow;
}

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
    windowClass.hInstance = program.instance;
    windowClass.hIcon = LoadIconA(program.instance, MAKEINTRESOURCEA(IDI_HANABO));
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
    LoadStatistics();
    // The music starts before the window shows; a file that cannot play is
    // reported over the hidden window and switches BGM off.
    if (settings.BGM)
        StartMusic();
    tileSetInfo.kind = TileSetNone;
    ApplyBarSettings(settings.ToolBar != 0, settings.ScoreBar != 0);
    ResumeCampaign();
    if (!CreateTileCanvas(program.mainWindow))
        return false;
    RestoreSpecialNumbers(settings.specialNumbers);

    board.ts = RoundTileSize(settings.CellSize);
    // The file's sheet size may be any int: its pixel size is taken within the
    // Board's limits, where it cannot overflow.
    int columns = settings.SheetSizeX, rows = settings.SheetSizeY;
    LimitBoardSize(&columns, &rows, board.ts);
    MoveWindow(program.mainWindow, settings.FormLeft, settings.FormTop, board.ts * columns, board.ts * rows, FALSE);
    SetBoardSize(settings.SheetSizeX, settings.SheetSizeY);
    SizeWindow(board.ts * board.columns, board.ts * board.rows);
    ApplyBitmapSetting(settings.Bitmap.c_str());
    return true;
}

// The settings that the game and the window changed go back into settings.
static void CollectSettings()
{
    RECT rect;
    GetWindowRect(program.mainWindow, &rect);
    settings.windowMinimised = IsIconic(program.mainWindow) != 0;
    if (!settings.windowMinimised) {
        settings.FormLeft = rect.left;
        settings.FormTop = rect.top;
    }
    settings.SheetSizeX = board.columns;
    settings.SheetSizeY = board.rows;
    settings.CellSize = board.ts;
    settings.Campaign = CampaignRunning() ? 1 : 0;
    settings.CampaignNo = game.number;
    CollectSpecialNumbers(&settings.specialNumbers);
}

// Tells the player what failed in a rewrite of the settings file (the temporary
// file not created, not written whole, or not put in the old file's place),
// with the Message sound and an error box; true, and silent, when it was
// rewritten.
static bool ReportSettingsRewrite(RewriteResult result)
{
    const char* text = nullptr;
    switch (result) {
    case RewriteResult::Rewritten:
        return true;
    case RewriteResult::TempFileNotCreated:
        text = TempFileFailedText;
        break;
    case RewriteResult::TempFileNotWritten:
        text = TempFileNotWrittenText;
        break;
    case RewriteResult::NotReplaced:
        text = NotReplacedText;
        break;
    }
    PlaySoundEvent(SoundEvent::Message);
    ShowMessage(text, MessageKind::Error);
    return false;
}

bool HasShutDown()
{
    return program.shutDown;
}

void Shutdown()
{
    if (program.shutDown)
        return;
    program.shutDown = true;
    CloseMoveSlider();
    StopTimer();
    if (!program.settingsIncomplete) {
        CollectSettings();
        // The records go into the same file: their failure is told only when
        // the settings were written, so that one message says what failed.
        RewriteResult settingsResult = SaveSettings();
        RewriteResult records = SaveRecords();
        if (ReportSettingsRewrite(settingsResult))
            ReportSettingsRewrite(records);
        // The statistics have a file of their own, and a message of their own.
        if (CloseStatistics() != RewriteResult::Rewritten) {
            PlaySoundEvent(SoundEvent::Message);
            ShowMessage(StatisticsNotWrittenText, MessageKind::Error);
        }
    }
    if (settings.BGM)
        StopMusic();
    DestroyTileCanvas();
    board.cells.clear();
    board.cells.shrink_to_fit();
    PostQuitMessage(0);
}

static int RunMessageLoop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (TranslateAcceleratorA(program.mainWindow, program.accelerators, &message)) {
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
    program.instance = instance;
    if (HandOverToRunningCopy())
        return 0;
    KeepProgramDirectory();
    if (!RegisterMainClass())
        return 0;

    program.mainWindow = CreateWindowExA(0, WindowClassName, InitialTitle,
                                         WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                         nullptr, nullptr, instance, nullptr);
    if (!program.mainWindow)
        return 0;
    InitCommonControls();
    InstallSoundPlatform(program.mainWindow);
    SeedFromClock(static_cast<std::int64_t>(std::time(nullptr)));
    CreateSelectGameDialog(instance, program.mainWindow);
    CreateRecordDialogs(program.mainWindow);
    program.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDR_ACCELERATORS));
    CreateBars(program.mainWindow, instance);
    if (!ApplySettings()) {
        MessageBoxA(program.mainWindow, StartupErrorText, "Hanabo32-Error", MB_OK);
        program.settingsIncomplete = true;
        Shutdown();
    }

    ShowWindow(program.mainWindow, showCommand);
    UpdateWindow(program.mainWindow);
    return RunMessageLoop();
}
