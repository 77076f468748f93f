// The Select Sound dialog: a wave file for each sound event, from a folder the
// player picks with the folder browser.
#include "sound/sound_win32.h"

#include <string>

#include "resources/resource.h"
#include "sound/music.h"
#include "sound/sound_events.h"
#include "storage/files.h"
#include "storage/settings.h"

// What the folder browser answers: the chosen folder, or the SoundFolder.
static char folderResult[TextBufferSize];

static std::string ItemText(HWND dialog, int list, int index)
{
    HWND box = GetDlgItem(dialog, list);
    LRESULT length = SendMessageA(box, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR || length >= static_cast<LRESULT>(TextBufferSize))
        return std::string();
    char text[TextBufferSize] = "";
    SendMessageA(box, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
    return text;
}

static std::string FolderBoxText(HWND dialog)
{
    char folder[TextBufferSize] = "";
    GetDlgItemTextA(dialog, IDC_SOUND_FOLDER, folder, sizeof folder);
    return folder;
}

// Lists the wave files of the folder box's folder, names only.
static void ListWaveFiles(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_SOUND_WAVES);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    const std::string pattern = FolderBoxText(dialog) + "*.wav";
    if (pattern.size() >= TextBufferSize)
        return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Puts the event's row back with a new file name (none: the label alone), selected.
static void ReplaceEventRow(HWND dialog, int row, const std::string& file)
{
    HWND events = GetDlgItem(dialog, IDC_SOUND_EVENTS);
    const std::string text = SoundRowText(row, file);
    SendMessageA(events, LB_DELETESTRING, row, 0);
    SendMessageA(events, LB_INSERTSTRING, row, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(events, LB_SETCURSEL, row, 0);
}

static int SelectedEvent(HWND dialog)
{
    LRESULT row = SendDlgItemMessageA(dialog, IDC_SOUND_EVENTS, LB_GETCURSEL, 0, 0);
    return row == LB_ERR || row < 0 || row >= SoundEventCount ? -1 : static_cast<int>(row);
}

// Where the file names stand, after the longest label, in dialog units.
static const int FileColumn = 76;

static void OnInit(HWND dialog)
{
    int column = FileColumn;
    SendDlgItemMessageA(dialog, IDC_SOUND_EVENTS, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&column));
    for (int event = 0; event < SoundEventCount; ++event) {
        const std::string row = SoundRowText(event, settings.soundFiles[event]);
        SendDlgItemMessageA(dialog, IDC_SOUND_EVENTS, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.c_str()));
    }
    SendDlgItemMessageA(dialog, IDC_SOUND_EVENTS, LB_SETCURSEL, 0, 0);
    SetDlgItemTextA(dialog, IDC_SOUND_FOLDER, settings.Path.c_str());
    ListWaveFiles(dialog);
}

static void OnWaveChosen(HWND dialog)
{
    const int row = SelectedEvent(dialog);
    LRESULT wave = SendDlgItemMessageA(dialog, IDC_SOUND_WAVES, LB_GETCURSEL, 0, 0);
    if (row < 0 || wave == LB_ERR)
        return;
    ReplaceEventRow(dialog, row, ItemText(dialog, IDC_SOUND_WAVES, static_cast<int>(wave)));
}

static void OnTest(HWND dialog)
{
    const int row = SelectedEvent(dialog);
    if (row < 0)
        return;
    const std::string name = SoundRowFile(ItemText(dialog, IDC_SOUND_EVENTS, row));
    PlaySoundFrom(FolderBoxText(dialog).c_str(), name.c_str());
}

static void OnChangeFolder(HWND dialog)
{
    RunFolderBrowser(dialog, &settings.Path, folderResult, sizeof folderResult);
    SetDlgItemTextA(dialog, IDC_SOUND_FOLDER, folderResult);
    ListWaveFiles(dialog);
}

static void OnOk(HWND dialog)
{
    settings.Path = FolderBoxText(dialog);
    for (int event = 0; event < SoundEventCount; ++event)
        settings.soundFiles[event] = SoundRowFile(ItemText(dialog, IDC_SOUND_EVENTS, event));
    ResumeMusic();
    EndDialog(dialog, 1);
}

static INT_PTR CALLBACK SelectSoundProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        OnInit(dialog);
        return TRUE;
    }
    if (message != WM_COMMAND)
        return FALSE;
    switch (LOWORD(wParam)) {
    case IDC_SOUND_WAVES:
        if (HIWORD(wParam) == LBN_SELCHANGE)
            OnWaveChosen(dialog);
        return TRUE;
    case IDC_SOUND_NONE: {
        const int row = SelectedEvent(dialog);
        if (row >= 0)
            ReplaceEventRow(dialog, row, std::string());
        return TRUE;
    }
    case IDC_SOUND_TEST:
        OnTest(dialog);
        return TRUE;
    case IDC_SOUND_CHANGEFOLDER:
        OnChangeFolder(dialog);
        return TRUE;
    case IDOK:
        OnOk(dialog);
        return TRUE;
    case IDCANCEL:
        ResumeMusic();
        EndDialog(dialog, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

bool RunSelectSound(HWND owner)
{
    PauseMusic();
    lstrcpynA(folderResult, settings.Path.c_str(), sizeof folderResult);
    return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SELECTSOUND), owner, SelectSoundProc,
                           0) == 1;
}
