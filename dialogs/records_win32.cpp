// The record dialogs, one procedure for both, and the name-entry dialogs.
#include "dialogs/records_win32.h"

#include <string>
#include <vector>

#include "game/results.h"
#include "resources/resource.h"
#include "storage/records.h"

// One record dialog: its window, which list it shows, and the entries its
// list boxes hold now.
struct RecordWindow {
    HWND dialog = nullptr;
    bool campaign = false;
    bool showingRests = false;
    std::vector<std::string> shownScores;
    std::vector<std::string> shownRests;
};

// The sheets' record dialog and the Campaign's, and the window they show over.
struct RecordDialogs {
    RecordWindow windows[2];
    HWND owner = nullptr;
};
static RecordDialogs recordDialogs;

// The list columns: the name, the date and the value, in dialog units.
static const INT ListTabStops[] = {64, 148};

static RecordWindow* WindowOf(HWND dialog)
{
    for (RecordWindow& window : recordDialogs.windows)
        if (window.dialog == dialog)
            return &window;
    return nullptr;
}

static RecordLists& ListsOf(const RecordWindow& window)
{
    return window.campaign ? campaignRecords : sheetRecords;
}

// Refills a list box when its entries changed, or when forced, and selects
// the list's newest entry then.
static void FillList(HWND list, const std::vector<std::string>& entries, std::vector<std::string>* shown,
                     int selected, bool force)
{
    if (!force && *shown == entries)
        return;
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries)
        SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    *shown = entries;
}

// The heading and the one visible list follow the list shown.
static void ShowChosenList(const RecordWindow& window)
{
    SetDlgItemTextA(window.dialog, IDC_RECORD_HEADING, RecordHeading(ListsOf(window), window.showingRests).c_str());
    ShowWindow(GetDlgItem(window.dialog, IDC_RECORD_SCORES), window.showingRests ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(window.dialog, IDC_RECORD_RESTS), window.showingRests ? SW_SHOW : SW_HIDE);
}

static void Refresh(RecordWindow* window, bool force)
{
    const RecordLists& lists = ListsOf(*window);
    FillList(GetDlgItem(window->dialog, IDC_RECORD_SCORES), lists.HighScoreList, &window->shownScores,
             lists.highScoreSelected, force);
    FillList(GetDlgItem(window->dialog, IDC_RECORD_RESTS), lists.RestList, &window->shownRests, lists.restSelected,
             force);
    ShowChosenList(*window);
}

static void OnActivate(RecordWindow* window)
{
    CampaignRecordLines lines = RecordDialogActivated(window->campaign);
    Refresh(window, false);
    if (window->campaign) {
        SetDlgItemTextA(window->dialog, IDC_RECORD_STAGE, lines.stage.c_str());
        SetDlgItemTextA(window->dialog, IDC_RECORD_AVERAGE, lines.average.c_str());
    }
}

static void OnCommand(RecordWindow* window, int command)
{
    switch (command) {
    case IDC_RECORD_SHOWRESTS:
        window->showingRests = true;
        ShowChosenList(*window);
        break;
    case IDC_RECORD_SHOWSCORES:
        window->showingRests = false;
        ShowChosenList(*window);
        break;
    case IDOK:
    case IDCANCEL:   // the close box
        ShowWindow(window->dialog, SW_HIDE);
        window->showingRests = false;
        ShowChosenList(*window);
        break;
    default:
        break;
    }
}

static INT_PTR CALLBACK RecordDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
        for (int list : {IDC_RECORD_SCORES, IDC_RECORD_RESTS})
            SendDlgItemMessageA(dialog, list, LB_SETTABSTOPS, 2, reinterpret_cast<LPARAM>(ListTabStops));
        return TRUE;
    }
    RecordWindow* window = WindowOf(dialog);
    if (!window)
        return FALSE;
    switch (message) {
    case WM_ACTIVATE:
        OnActivate(window);
        return FALSE;
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam));
        return TRUE;
    default:
        return FALSE;
    }
}

void CreateRecordDialogs(HWND owner)
{
    recordDialogs.owner = owner;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    const int templates[2] = {IDD_RECORD, IDD_CAMPAIGNRECORD};
    for (int i = 0; i < 2; ++i) {
        recordDialogs.windows[i].campaign = i == 1;
        recordDialogs.windows[i].dialog =
            CreateDialogParamA(instance, MAKEINTRESOURCEA(templates[i]), owner, RecordDialogProc, 0);
    }
}

void ShowRecordWindow(bool campaign)
{
    RecordWindow& window = recordDialogs.windows[campaign ? 1 : 0];
    if (!window.dialog)
        return;
    RECT main;
    GetWindowRect(recordDialogs.owner, &main);
    SetWindowPos(window.dialog, nullptr, main.left, main.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Refresh(&window, true);
    InvalidateRect(window.dialog, nullptr, TRUE);
    ShowWindow(window.dialog, SW_SHOW);
    UpdateWindow(window.dialog);
}

void RefreshRecordWindows()
{
    for (RecordWindow& window : recordDialogs.windows)
        if (window.dialog)
            Refresh(&window, true);
}

void HideRecordWindows()
{
    for (RecordWindow& window : recordDialogs.windows)
        if (window.dialog && IsWindowVisible(window.dialog))
            ShowWindow(window.dialog, SW_HIDE);
}

// The name entry: the buffer it fills.
struct NameEntry {
    char* name;
    std::size_t size;
};

static INT_PTR CALLBACK NameEntryProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        const NameEntry* entry = reinterpret_cast<const NameEntry*>(lParam);
        HWND edit = GetDlgItem(dialog, IDC_NAME_EDIT);
        SetWindowTextA(edit, entry->name);
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        return FALSE;   // the focus is set
    }
    case WM_COMMAND:
        // Escape and the system menu's Close give IDCANCEL: there is no Cancel.
        if (LOWORD(wParam) == IDOK) {
            NameEntry* entry = reinterpret_cast<NameEntry*>(GetWindowLongPtrA(dialog, DWLP_USER));
            GetDlgItemTextA(dialog, IDC_NAME_EDIT, entry->name, static_cast<int>(entry->size));
            EndDialog(dialog, IDOK);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

bool RunNameEntry(HWND owner, bool restRecord, char* name, std::size_t size)
{
    if (size == 0)
        return false;
    NameEntry entry = {name, size};
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    INT_PTR result = DialogBoxParamA(instance, MAKEINTRESOURCEA(restRecord ? IDD_RESTNAME : IDD_HIGHSCORENAME), owner,
                                     NameEntryProc, reinterpret_cast<LPARAM>(&entry));
    return result == IDOK;
}
