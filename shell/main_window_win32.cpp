// The main window procedure: each message becomes one call of the module that owns it.
#include "shell/shell_win32.h"

#include <commctrl.h>

#include "dialogs/select_game_win32.h"
#include "dialogs/statistics_win32.h"
#include "display/layout.h"
#include "display/painting_win32.h"
#include "display/window_layout_win32.h"
#include "game/animation.h"
#include "game/board.h"
#include "game/campaign.h"
#include "game/deal.h"
#include "game/game_files.h"
#include "game/groups.h"
#include "game/history.h"
#include "game/keyboard.h"
#include "game/results.h"
#include "game/pointer.h"
#include "game/session.h"
#include "resources/resource.h"
#include "shell/best_line_win32.h"
#include "shell/hint_win32.h"
#include "sound/music.h"
#include "sound/sound_events.h"
#include "sound/sound_win32.h"
#include "storage/program_directory.h"

// Mouse positions reach the game in board coordinates.
static int BoardX(LPARAM lParam) { return static_cast<short>(LOWORD(lParam)) - BoardLeft; }
static int BoardY(LPARAM lParam) { return static_cast<short>(HIWORD(lParam)) - paintLayout.boardTop; }

static void OnHelp(HWND window)
{
    char path[1024];
    if (ProgramFile("Hanabo.hlp", path, sizeof path))
        WinHelpA(window, path, HELP_CONTENTS, 0);
}

static void OnClickCounterNotice(HWND window, int notice)
{
    SetFocus(window);
    if (notice == EN_SETFOCUS && game.moveCount >= 1)
        OpenMoveSlider();
}

static void OnCommand(HWND window, int command, int notice)
{
    switch (command) {
    case IDM_NEW:
        StartGame(false, false);
        RefreshPoppedUpToolbar();
        break;
    case IDM_OPEN:
        if (ChooseGameFile())
            StartGame(true, false);
        break;
    case IDM_SAVE:
        SaveGame();
        break;
    case IDM_AGAIN:
        PlayAgain();
        RefreshPoppedUpToolbar();
        break;
    case IDM_UNDO:
        UndoMove();
        RefreshPoppedUpToolbar();
        break;
    case IDM_REDO:
        RedoMove();
        RefreshPoppedUpToolbar();
        break;
    case IDM_SELECTGAME:
        ShowSelectGameDialog();
        break;
    case IDM_CAMPAIGN:
        ToggleCampaign();
        break;
    case IDM_STATISTICS:
        RunStatisticsDialog(window, CampaignRunning());
        break;
    case IDM_RECORD:
        ShowRecords();
        break;
    case IDM_EXIT:
        Shutdown();
        break;
    case IDM_VERSION:
        RunAboutBox(window);
        break;
    case IDM_HELP:
        OnHelp(window);
        break;
    case IDM_HINT:
        StartHint(window);
        break;
    case IDM_BESTLINE:
        StartBestLine(window);
        break;
    case IDM_MINIMIZE:
        ShowWindow(window, SW_MINIMIZE);
        break;
    case IDC_CLICKCOUNTER:
        OnClickCounterNotice(window, notice);
        break;
    case IDM_BGM:
        ToggleMusic();
        break;
    case IDM_SOUND:
        ToggleSound();
        break;
    case IDM_CONFIG:
        RunConfigDialog(window);
        break;
    default:
        break;
    }
}

// The tooltip of a toolbar button; resting on Redo previews the move it replays.
static void OnToolTip(NMTTDISPINFOA* request)
{
    int text = 0;
    switch (request->hdr.idFrom) {
    case IDM_NEW: text = IDS_TIP_NEW; break;
    case IDM_UNDO: text = IDS_TIP_UNDO; break;
    case IDM_AGAIN: text = IDS_TIP_AGAIN; break;
    case IDM_REDO: text = IDS_TIP_REDO; break;
    case IDM_RECORD: text = IDS_TIP_RECORD; break;
    case IDM_CONFIG: text = IDS_TIP_CONFIG; break;
    default: return;
    }
    request->hinst = AppInstance();
    request->lpszText = MAKEINTRESOURCEA(text);
    if (request->hdr.idFrom == IDM_REDO)
        PreviewRedo();
}

static void OnNotify(NMHDR* notice)
{
    if (notice->code == TTN_NEEDTEXTA)
        OnToolTip(reinterpret_cast<NMTTDISPINFOA*>(notice));
    else if (notice->code == static_cast<UINT>(NM_RCLICK) && game.moveCount >= 1)
        OpenMoveSlider();
}

// The keyboard: arrows move the cursor, Space and Enter remove its group,
// H asks for a Hint. Keys with Ctrl or Alt are the accelerators' and the menu's.
static void OnKeyDown(HWND window, WPARAM key)
{
    if (GetKeyState(VK_CONTROL) < 0 || GetKeyState(VK_MENU) < 0)
        return;
    switch (key) {
    case VK_LEFT: MoveCursor(CursorKey::Left); break;
    case VK_RIGHT: MoveCursor(CursorKey::Right); break;
    case VK_UP: MoveCursor(CursorKey::Up); break;
    case VK_DOWN: MoveCursor(CursorKey::Down); break;
    case VK_SPACE:
    case VK_RETURN: PressCursor(); break;
    case 'H': StartHint(window); break;
    default: break;
    }
}

// A move of the pointer hands the board back to it; the moves Windows makes
// up without the pointer moving (after a repaint, say) do not.
static void OnMouseMove(LPARAM lParam, WPARAM keys)
{
    static LPARAM lastPosition = -1;
    if (lParam != lastPosition)
        HideCursor();
    lastPosition = lParam;
    if (!keyCursor.shown)
        HoverAt(BoardX(lParam), BoardY(lParam), static_cast<int>(keys));
}

static void OnTimer(HWND window, UINT_PTR id)
{
    if (id == HintNoteTimerId) {
        OnHintNoteTimer(window);
        return;
    }
    if (!ui.timerRunning || id != AnimationTimerId)
        return;
    AnimationTimerTick();
}

// Minimising pauses the music; every restore or resize goes on with it.
static void OnSize(WPARAM type)
{
    if (type == SIZE_MINIMIZED)
        PauseMusic();
    else if (type == SIZE_RESTORED)
        ResumeMusic();
}

static LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_ACTIVE || LOWORD(wParam) == WA_CLICKACTIVE)
            RealisePalette();
        return 0;
    case WM_KILLFOCUS:
        StopTimer();
        ui.animState = AnimState::Idle;
        return 0;
    case WM_PAINT:
        PaintBoardRequest(window);
        return 0;
    case WM_CLOSE:
        Shutdown();
        return 0;
    case WM_NOTIFY:
        OnNotify(reinterpret_cast<NMHDR*>(lParam));
        return 0;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_TIMER:
        OnTimer(window, wParam);
        return 0;
    case WM_SIZE:
        OnSize(wParam);
        return 0;
    case MM_MCINOTIFY:
        OnMusicNotice();
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(lParam, wParam);
        return 0;
    case WM_KEYDOWN:
        OnKeyDown(window, wParam);
        return 0;
    case WM_HINTREADY:
        OnHintReady(window, lParam);
        return 0;
    case WM_BESTLINEREADY:
        OnBestLineReady(window, lParam);
        return 0;
    case WM_LBUTTONUP:
        ClickAt(BoardX(lParam), BoardY(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        UndoMove();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Input still queued behind the quit message must not reach the released board.
    if (HasShutDown())
        return message == WM_CLOSE ? 0 : DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = HandleMessage(window, message, wParam, lParam);
    // Messages also arrive from nested loops and as sent messages, which the
    // main loop never sees: the cells they drew go to the screen here, and a
    // number a new game chose goes to the Select Game dialog's list.
    ShowDrawnCells();
    ShowRecentNumbers();
    return result;
}
