// The Campaign dialog: each scroll request and button becomes a call of the
// campaign module, which owns the ranges and the start of a campaign.
#include "dialogs/campaign_win32.h"

#include "dialogs/scroll_request_win32.h"
#include "game/campaign.h"
#include "resources/resource.h"

static HWND campaignWindow;

// The rows of the dialog, from the top.
static const struct {
    CampaignBar bar;
    int scrollBar;
    int text;
} Rows[] = {
    {CampaignBar::Rest, IDC_CAMPAIGN_RESTBAR, IDC_CAMPAIGN_RESTTEXT},
    {CampaignBar::Stages, IDC_CAMPAIGN_STAGEBAR, IDC_CAMPAIGN_STAGETEXT},
    {CampaignBar::Seed, IDC_CAMPAIGN_SEEDBAR, IDC_CAMPAIGN_SEEDTEXT},
};

static void PlaceBar(HWND dialog, int row, int position)
{
    SetScrollPos(GetDlgItem(dialog, Rows[row].scrollBar), SB_CTL, position, TRUE);
    SetDlgItemInt(dialog, Rows[row].text, static_cast<UINT>(position), TRUE);
}

static int BarPosition(HWND dialog, int row)
{
    return GetScrollPos(GetDlgItem(dialog, Rows[row].scrollBar), SB_CTL);
}

static void OnInit(HWND dialog)
{
    for (int row = 0; row < 3; ++row) {
        CampaignBarRange range = CampaignBarRangeOf(Rows[row].bar);
        SetScrollRange(GetDlgItem(dialog, Rows[row].scrollBar), SB_CTL, range.low, range.high, FALSE);
        PlaceBar(dialog, row, range.start);
    }
}

static void OnScroll(HWND dialog, HWND scrollBar, int code, int thumb)
{
    for (int row = 0; row < 3; ++row)
        if (GetDlgItem(dialog, Rows[row].scrollBar) == scrollBar)
            PlaceBar(dialog, row,
                     CampaignBarScrolled(Rows[row].bar, BarPosition(dialog, row), ScrollRequestOf(code), thumb));
}

static INT_PTR CALLBACK CampaignDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        OnInit(dialog);
        return TRUE;
    case WM_HSCROLL:
        OnScroll(dialog, reinterpret_cast<HWND>(lParam), LOWORD(wParam), static_cast<short>(HIWORD(wParam)));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK)
            ConfirmCampaign(BarPosition(dialog, 0), BarPosition(dialog, 1), BarPosition(dialog, 2));
        else if (LOWORD(wParam) == IDCANCEL)
            CancelCampaign();
        return TRUE;
    default:
        return FALSE;
    }
}

void OpenCampaignWindow(HWND owner)
{
    if (campaignWindow)
        return;
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    campaignWindow = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_CAMPAIGN), owner, CampaignDialogProc, 0);
    if (campaignWindow)
        ShowWindow(campaignWindow, SW_SHOW);
}

void CloseCampaignWindow()
{
    if (!campaignWindow)
        return;
    HWND window = campaignWindow;
    campaignWindow = nullptr;
    DestroyWindow(window);
}
