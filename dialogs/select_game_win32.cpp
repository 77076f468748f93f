// The Select Game dialog and the comment dialog that registers a special number.
#include "dialogs/select_game_win32.h"

#include "dialogs/select_game.h"
#include "display/layout.h"
#include "game/board.h"
#include "game/deal.h"
#include "game/session.h"
#include "resources/resource.h"
#include "storage/files.h"
#include "storage/records.h"
#include "storage/settings.h"

// The dialog, made once at start-up, and what it keeps between its messages.
struct SelectGameWindow {
    HINSTANCE instance = nullptr;
    HWND owner = nullptr;
    HWND dialog = nullptr;
    // The change count of the recent numbers that the NumberBox's list shows.
    int shownRecentChanges = -1;
    // The comment dialog's text, taken when OK closes it.
    std::string enteredComment;
};
static SelectGameWindow selectGame;

static std::string ItemText(HWND dialog, int id)
{
    char text[TextBufferSize] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

static HWND SpecialNumberList()
{
    return GetDlgItem(selectGame.dialog, IDC_SPECIALNUMBERS);
}

static std::string ListEntry(HWND list, int index)
{
    LRESULT length = SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR)
        return "";
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    LRESULT copied = SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == LB_ERR ? 0 : static_cast<std::size_t>(copied));
    return text;
}

// The comment dialog: opens with the sheet's description (lParam), focused
// and wholly selected. Only OK closes it.
static INT_PTR CALLBACK CommentProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        HWND edit = GetDlgItem(box, IDC_COMMENT_TEXT);
        SendMessageA(edit, EM_LIMITTEXT, TextBufferSize - 1, 0);
        SetWindowTextA(edit, reinterpret_cast<const char*>(lParam));
        SetFocus(edit);
        SendMessageA(edit, EM_SETSEL, 0, -1);
        return FALSE;  // the focus is set
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            selectGame.enteredComment = ItemText(box, IDC_COMMENT_TEXT);
            EndDialog(box, IDOK);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

// Register: the NumberBox's text as it is, with a comment, at the top of the list.
static void OnRegister(HWND dialog)
{
    std::string description = RecordKey(board.columns, board.rows, settings.CellNo);
    selectGame.enteredComment.clear();
    DialogBoxParamA(selectGame.instance, MAKEINTRESOURCEA(IDD_COMMENT), dialog, CommentProc,
                    reinterpret_cast<LPARAM>(description.c_str()));
    std::string comment = selectGame.enteredComment.empty() ? description : selectGame.enteredComment;
    std::string entry = FormatSpecialNumberEntry(ItemText(dialog, IDC_NUMBERBOX), comment);
    SendDlgItemMessageA(dialog, IDC_SPECIALNUMBERS, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
}

static void OnDelete(HWND dialog)
{
    LRESULT selected = SendDlgItemMessageA(dialog, IDC_SPECIALNUMBERS, LB_GETCURSEL, 0, 0);
    if (selected != LB_ERR)
        SendDlgItemMessageA(dialog, IDC_SPECIALNUMBERS, LB_DELETESTRING, static_cast<WPARAM>(selected), 0);
}

// A double click puts the entry's number column into the NumberBox, for OK to deal.
static void OnEntryChosen(HWND dialog)
{
    HWND list = GetDlgItem(dialog, IDC_SPECIALNUMBERS);
    LRESULT selected = SendMessageA(list, LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR)
        return;
    std::string number = NumberOfSpecialNumberEntry(ListEntry(list, static_cast<int>(selected)));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetDlgItemTextA(dialog, IDC_NUMBERBOX, number.c_str());
}

// OK deals the number typed.
static void OnOk(HWND dialog)
{
    ShowWindow(dialog, SW_HIDE);
    DealChosenNumber(GameNumberOfText(ItemText(dialog, IDC_NUMBERBOX).c_str()));
}

static INT_PTR CALLBACK SelectGameProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dialog, IDC_NUMBERBOX, CB_LIMITTEXT, TextBufferSize - 1, 0);
        SendDlgItemMessageA(dialog, IDC_NUMBERBOX, CB_SETCURSEL, 0, 0);
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
            OnOk(dialog);
            return TRUE;
        case IDCANCEL:
            ShowWindow(dialog, SW_HIDE);
            return TRUE;
        case IDC_REGISTER:
            OnRegister(dialog);
            return TRUE;
        case IDC_DELETENUMBER:
            OnDelete(dialog);
            return TRUE;
        case IDC_SPECIALNUMBERS:
            if (HIWORD(wParam) == LBN_DBLCLK)
                OnEntryChosen(dialog);
            return TRUE;
        default:
            return FALSE;
        }
    default:
        return FALSE;
    }
}

void CreateSelectGameDialog(HINSTANCE programInstance, HWND owner)
{
    selectGame.instance = programInstance;
    selectGame.owner = owner;
    selectGame.dialog =
        CreateDialogParamA(programInstance, MAKEINTRESOURCEA(IDD_SELECTGAME), owner, SelectGameProc, 0);
}

void ShowRecentNumbers()
{
    if (!selectGame.dialog || selectGame.shownRecentChanges == recentNumbers.changes)
        return;
    selectGame.shownRecentChanges = recentNumbers.changes;
    HWND box = GetDlgItem(selectGame.dialog, IDC_NUMBERBOX);
    SendMessageA(box, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < recentNumbers.count; ++i) {
        char text[16];
        wsprintfA(text, "%d", recentNumbers.numbers[i]);
        SendMessageA(box, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    SendMessageA(box, CB_SETCURSEL, 0, 0);
}

void ShowSelectGameDialog()
{
    if (!selectGame.dialog)
        return;
    StopTimer();
    ui.animState = AnimState::Idle;
    ShowRecentNumbers();
    RECT window;
    RECT client;
    RECT own;
    GetWindowRect(selectGame.owner, &window);
    GetClientRect(selectGame.owner, &client);
    GetWindowRect(selectGame.dialog, &own);
    LayoutPoint place = SelectGameDialogPlace(window.left, window.bottom, client.bottom - client.top);
    MoveWindow(selectGame.dialog, place.x, place.y, own.right - own.left, own.bottom - own.top, TRUE);
    ShowWindow(selectGame.dialog, SW_SHOW);
    UpdateWindow(selectGame.dialog);
}

void RestoreSpecialNumbers(const std::vector<std::string>& entries)
{
    for (const std::string& entry : entries) {
        std::string safe = SafeSpecialNumberEntry(entry);
        SendMessageA(SpecialNumberList(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(safe.c_str()));
    }
}

void CollectSpecialNumbers(std::vector<std::string>* entries)
{
    if (!selectGame.dialog)
        return;
    HWND list = SpecialNumberList();
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    entries->clear();
    for (int i = 0; i < count; ++i)
        entries->push_back(ListEntry(list, i));
}
