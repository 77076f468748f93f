// The Win32 side of the game's front-end calls.
#include "game/front_end.h"

#include <ctime>

#include "dialogs/campaign_win32.h"
#include "dialogs/records_win32.h"
#include "display/painting_win32.h"
#include "display/window_layout_win32.h"
#include "game/board.h"
#include "resources/resource.h"
#include "shell/shell_win32.h"
#include "sound/sound_events.h"
#include "storage/settings.h"

static const char NoticeCaption[] = "Hanabo32";
static const char ErrorCaption[] = "Hanabo32-Error";

// The owner of message boxes and file choices: the main window, or the modal
// dialog open over it, which must stay disabled while they are shown and get
// the focus back when they close.
static HWND boxOwner = nullptr;

void SetBoxOwner(HWND owner)
{
    boxOwner = owner;
}

static HWND BoxOwner()
{
    return boxOwner && IsWindow(boxOwner) ? boxOwner : MainWindow();
}

void DrawCell(int column, int row)
{
    DrawBoardCell(column, row);
}

void RepaintBoard()
{
    DrawBoardFrame();
    RedrawBoard();
    InvalidateRect(MainWindow(), nullptr, TRUE);
}

void PlaySoundEvent(SoundEvent event)
{
    PlayEventSound(event);
}

void ShowMessage(const char* text, MessageKind kind)
{
    MessageBoxA(BoxOwner(), text, kind == MessageKind::Error ? ErrorCaption : NoticeCaption, MB_OK);
}

bool AskYesNo(const char* text)
{
    return MessageBoxA(BoxOwner(), text, NoticeCaption, MB_YESNO) == IDYES;
}

bool AskPlayerName(bool restRecord, char* name, std::size_t size)
{
    return RunNameEntry(MainWindow(), restRecord, name, size);
}

long long CurrentTime()
{
    return std::time(nullptr);
}

void ShowRecordDialog(bool campaign)
{
    ShowRecordWindow(campaign);
}

void OpenCampaignDialog()
{
    OpenCampaignWindow(MainWindow());
}

void CloseCampaignDialog()
{
    CloseCampaignWindow();
}

int ApplyTilePicture(const char* path)
{
    ApplyBitmapSetting(path);
    return tileSetInfo.kind;
}

void SizeWindowToBoard()
{
    SizeWindow(board.ts * board.columns, board.ts * board.rows);
}

// The shared file request: the main window owns it, and the chosen file and
// its folder must exist when opening.
bool ChooseFile(bool save, const char* filterName, const char* filterPattern, const char* folder,
                const char* name, char* path, std::size_t size)
{
    if (size == 0)
        return false;
    char filter[256];
    int nameLength = lstrlenA(filterName);
    int patternLength = lstrlenA(filterPattern);
    if (nameLength + patternLength + 3 > static_cast<int>(sizeof filter))
        return false;
    lstrcpyA(filter, filterName);
    lstrcpyA(filter + nameLength + 1, filterPattern);
    filter[nameLength + patternLength + 2] = '\0';
    lstrcpynA(path, name, static_cast<int>(size));
    OPENFILENAMEA request = {};
    request.lStructSize = sizeof request;
    request.hwndOwner = BoxOwner();
    request.lpstrFilter = filter;
    request.nFilterIndex = 1;
    request.lpstrFile = path;
    request.nMaxFile = static_cast<DWORD>(size);
    request.lpstrInitialDir = folder;
    // A new file name must be possible when saving.
    request.Flags = OFN_PATHMUSTEXIST | OFN_SHOWHELP | (save ? 0 : OFN_FILEMUSTEXIST);
    return (save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request)) != 0;
}

static int MenuCommandOf(GameCommand command)
{
    switch (command) {
    case GameCommand::New: return IDM_NEW;
    case GameCommand::Open: return IDM_OPEN;
    case GameCommand::Save: return IDM_SAVE;
    case GameCommand::SelectGame: return IDM_SELECTGAME;
    case GameCommand::BoardOfTheDay: return IDM_BOARDOFTHEDAY;
    case GameCommand::Redo: return 0;  // a toolbar button only
    }
    return 0;
}

void EnableCommand(GameCommand command, bool enabled)
{
    int item = MenuCommandOf(command);
    if (item != 0)
        EnableMenuItem(GetMenu(MainWindow()), item, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    if (command == GameCommand::Redo)
        EnableToolbarButton(IDM_REDO, enabled);
    else if (command == GameCommand::New)
        EnableToolbarButton(IDM_NEW, enabled);
}

void CheckCampaignItem(bool checked)
{
    CheckMenuItem(GetMenu(MainWindow()), IDM_CAMPAIGN, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void StartAnimationTimer(int intervalMs)
{
    SetTimer(MainWindow(), AnimationTimerId, static_cast<UINT>(intervalMs), nullptr);
}

void StopAnimationTimer()
{
    KillTimer(MainWindow(), AnimationTimerId);
}

void DrawAnimationFrame(int band, int frame)
{
    StretchFrameToAnimationSlot(band, frame);
}

bool AnimationPaused()
{
    return IsIconic(MainWindow()) || (settings.ToolBar == 0 && IsWindowVisible(windowBars.toolbar)) ||
           (settings.ScoreBar == 0 && IsWindowVisible(windowBars.scoreBar));
}

void SetTitle(const char* text)
{
    SetWindowTextA(MainWindow(), text);
}

void SetScoreBarField(int field, const char* text)
{
    SetScoreBarPart(field, text);
}

void SetClickCounter(const char* text)
{
    SetClickCounterText(text);
}

bool RevealBars(int y, int keys)
{
    return ApplyBarOptions(y, keys);
}

void HideRecordDialogs()
{
    HideRecordWindows();
}
