// The move slider dialog: a scroll bar over the moves held, to jump back or forward.
#include "shell/shell_win32.h"

#include "dialogs/scroll_request_win32.h"
#include "display/painting_win32.h"
#include "game/board.h"
#include "game/history.h"
#include "resources/resource.h"

static HWND sliderDialog;

static void ShowSliderText(HWND dialog)
{
    char text[128];
    FormatMoveSliderText(text, sizeof text);
    SetDlgItemTextA(dialog, IDC_SLIDER_TEXT, text);
}

static void PlaceBar(HWND dialog)
{
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_POS;
    info.nMin = 0;
    info.nMax = moveSlider.maximum;
    info.nPos = moveSlider.position;
    SetScrollInfo(GetDlgItem(dialog, IDC_SLIDER_BAR), SB_CTL, &info, TRUE);
}

static void Close(HWND dialog)
{
    DestroyWindow(dialog);
    sliderDialog = nullptr;
}

static INT_PTR CALLBACK MoveSliderProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        MoveSliderOpened();
        PlaceBar(dialog);
        ShowSliderText(dialog);
        return TRUE;
    case WM_HSCROLL:
        MoveSliderScrolled(ScrollRequestOf(LOWORD(wParam)), static_cast<short>(HIWORD(wParam)));
        PlaceBar(dialog);
        ShowSliderText(dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            moveSlider.position = GetScrollPos(GetDlgItem(dialog, IDC_SLIDER_BAR), SB_CTL);
            Close(dialog);
            MoveSliderOk();
            ShowDrawnCells();
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            Close(dialog);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void OpenMoveSlider()
{
    StopTimer();
    if (sliderDialog)
        return;
    sliderDialog = CreateDialogParamA(AppInstance(), MAKEINTRESOURCEA(IDD_MOVESLIDER), MainWindow(), MoveSliderProc, 0);
    if (sliderDialog)
        ShowWindow(sliderDialog, SW_SHOW);
}

void CloseMoveSlider()
{
    if (sliderDialog)
        Close(sliderDialog);
}
