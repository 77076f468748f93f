// The Statistics dialog: a modal window around the figures of game/statistics.
#include "dialogs/statistics_win32.h"

#include <string>
#include <vector>

#include "dialogs/statistics.h"
#include "game/front_end.h"
#include "game/statistics.h"
#include "resources/resource.h"
#include "storage/records.h"

static const char NoticeCaption[] = "Hanabo32";
static const char ErrorCaption[] = "Hanabo32-Error";

// The key whose figures the open dialog shows.
static std::string KeyShown(HWND dialog)
{
    return IsDlgButtonChecked(dialog, IDC_STATS_CAMPAIGN) == BST_CHECKED ? std::string(CampaignRecordKey)
                                                                         : SheetStatisticsKey();
}

static void ShowFigures(HWND dialog)
{
    const std::string key = KeyShown(dialog);
    SetDlgItemTextA(dialog, IDC_STATS_HEADING, StatisticsHeading(key).c_str());
    const std::vector<std::string> texts = StatisticsTexts(StatisticsOf(key));
    for (int row = 0; row < StatisticsRows; ++row)
        SetDlgItemTextA(dialog, IDC_STATS_FIRSTVALUE + row, texts[static_cast<std::size_t>(row)].c_str());
}

static void OnReset(HWND dialog)
{
    const std::string key = KeyShown(dialog);
    PlaySoundEvent(SoundEvent::Message);
    if (MessageBoxA(dialog, ResetStatisticsQuestion(key).c_str(), NoticeCaption, MB_YESNO) != IDYES)
        return;
    if (ResetStatistics(key) != RewriteResult::Rewritten) {
        PlaySoundEvent(SoundEvent::Message);
        MessageBoxA(dialog, StatisticsNotWrittenText, ErrorCaption, MB_OK);
    }
    ShowFigures(dialog);
}

static INT_PTR CALLBACK StatisticsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        CheckDlgButton(dialog, IDC_STATS_CAMPAIGN, lParam ? BST_CHECKED : BST_UNCHECKED);
        ShowFigures(dialog);
        // OK, not the heading, whose text would show selected.
        SetFocus(GetDlgItem(dialog, IDOK));
        return FALSE;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_STATS_CAMPAIGN:
            ShowFigures(dialog);
            break;
        case IDC_STATS_RESET:
            OnReset(dialog);
            break;
        case IDOK:
        case IDCANCEL:
            EndDialog(dialog, LOWORD(wParam));
            break;
        default:
            break;
        }
        return TRUE;
    default:
        return FALSE;
    }
}

void RunStatisticsDialog(HWND owner, bool campaign)
{
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE));
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_STATISTICS), owner, StatisticsDialogProc, campaign ? 1 : 0);
}
