// Campaign mode and the record tables as a player meets them: a campaign
// chosen in its dialog and played stage by stage, quit in the middle and
// resumed, its averages entered under a Japanese name; a failed stage; a
// sheet game that enters only the rests; the Record command.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <string>
#include <vector>

#include "resources/resource.h"
#include "rules/removal.h"
#include "tests/e2e/game_window.h"
#include "tests/e2e/harness.h"
#include "tests/e2e/sheet.h"

namespace {

const char StageCleared[] = "Stage %d/%d \x83N\x83\x8a\x83" "A\x81[ \x8e\x9f\x82\xccStage\x82\xd6";  // Stage %d/%d クリアー 次のStageへ
const char StageFailed[] =
    "\x83N\x83\x8a\x83" "A\x81[\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd";  // クリアーできませんでした
const char StageLine[] = "Stage No. %d/%d. \x8d\xc5\x91\xe5\x8e" "c\x82\xe8\x83R\x83}\x90\x94 %d. "
                         "\x97\x90\x90\x94\x82\xcc\x83^\x83l %d";  // Stage No. %d/%d. 最大残りコマ数 %d. 乱数のタネ %d
const char Hanako[] = "\x89\xd4\x8eq";  // 花子
const char HighScorePrompt[] = "High Score!  Input Your Name";
const char RestPrompt[] = "Rest Record!  Input Your Name";

// The rest limit and the number of stages chosen in the dialog.
const int RestLimit = 45;
const int Stages = 5;

std::string Format(const char* format, double a, double b = 0)
{
    char text[256];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

std::string FormatInts(const char* format, int a, int b = 0, int c = 0, int d = 0)
{
    char text[256];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

// A stage or game played to its end: the moves, the score and the tiles left.
struct Playing {
    std::vector<BoardGroup> moves;
    long long score = 0;
    int rest = 0;
};

// The largest group each time (or the smallest, for a low score).
Playing PlayOut(Board board, bool smallest)
{
    Playing play;
    for (;;) {
        BoardGroup chosen{-1, -1, 0};
        for (const BoardGroup& group : GroupsOf(board, GameMode::IroGame))
            if (group.size >= 2 &&
                (chosen.size < 2 || (smallest ? group.size < chosen.size : group.size > chosen.size)))
                chosen = group;
        if (chosen.size < 2)
            break;
        play.moves.push_back(chosen);
        play.score += RemovalPoints(RemoveGroupAt(board, GameMode::IroGame, chosen.column, chosen.row));
    }
    play.rest = TilesLeft(CountTiles(board, GameMode::IroGame));
    return play;
}

class Campaign : public GameWindowTest {
protected:
    // Plays the moves; the last one is posted, since what it ends may ask.
    void PlayMoves(const std::vector<BoardGroup>& moves)
    {
        for (std::size_t i = 0; i < moves.size(); ++i) {
            POINT at = CellPoint(moves[i].column, moves[i].row);
            SendWithin(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
            if (i + 1 < moves.size())
                SendWithin(program.window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            else
                PostMessageA(program.window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        }
    }

    // A visible dialog or box of the program with this caption, or null.
    HWND WaitForDialog(const std::string& caption, DWORD timeoutMs = WindowWait) const
    {
        return ::WaitForDialog(program, caption, timeoutMs);
    }

    // The Campaign item of the Game menu, chosen with the keyboard: from New,
    // two steps up (past Exit) reach Campaign.
    void ChooseCampaignItem()
    {
        PressKeys(program.window, {VK_MENU, 'G'});
        Settle(program.window, 300);
        PressKeys(program.window, {VK_UP});
        PressKeys(program.window, {VK_UP});
        PressKeys(program.window, {VK_RETURN});
        Settle(program.window, 400);
    }

    // Clicks the middle of a control, or a point at dx from its left edge
    // (from its right edge when dx is negative), with the real mouse.
    void ClickControl(HWND control, int dx = 0)
    {
        RECT rect;
        GetWindowRect(control, &rect);
        int x = dx == 0 ? (rect.left + rect.right) / 2 : dx > 0 ? rect.left + dx : rect.right + dx;
        ClickPointer(x, (rect.top + rect.bottom) / 2);
        Sleep(600);   // apart from the next click, so that no double click is made
        Settle(program.window, 100);
    }

    bool NewEnabled() const { return SendWithin(toolbar, TB_ISBUTTONENABLED, IDM_NEW, 0) != 0; }

    std::string Title() const { return WindowText(program.window); }

    // The selected entry of a record list, in Shift-JIS. (The list is asked
    // for its wide text: Wine hands a list's text across processes unconverted.)
    static std::string SelectedEntry(HWND list)
    {
        LRESULT index = SendWithin(list, LB_GETCURSEL, 0, 0);
        wchar_t wide[256] = L"";
        if (index >= 0 && index < 10)
            SendMessageTimeoutW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide),
                                SMTO_NORMAL, 5000, nullptr);
        wide[255] = L'\0';
        char text[512] = "";
        WideCharToMultiByte(932, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        return text;
    }

    // Closes a message box that reads text with Enter; false when none came.
    bool AnswerBox(const std::string& text, const char* screenshot = nullptr)
    {
        HWND box = WaitForDialog("Hanabo32");
        if (!box)
            return false;
        EXPECT_NE(std::string::npos, DialogTexts(box).find(text + "|")) << DialogTexts(box);
        if (screenshot)
            SaveScreenshot(box, ArtifactPath(screenshot));
        PressKeys(box, {VK_RETURN});
        Settle(program.window, 300);
        EXPECT_FALSE(IsWindow(box));
        return true;
    }
};

}  // namespace

TEST_F(Campaign, ChosenPlayedQuitResumedAndRecorded)
{
    ASSERT_NO_FATAL_FAILURE(Start(SmallSheetSettings));
    const std::string before = Title();

    // The Campaign item opens the dialog; chosen again while the dialog is
    // open, it switches the mode off and closes the dialog.
    ChooseCampaignItem();
    HWND dialog = WaitForDialog("");
    ASSERT_NE(nullptr, dialog);
    ChooseCampaignItem();
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(before, Title());
    ChooseCampaignItem();
    dialog = WaitForDialog("");
    ASSERT_NE(nullptr, dialog);
    HWND restText = GetDlgItem(dialog, IDC_CAMPAIGN_RESTTEXT);
    HWND stageText = GetDlgItem(dialog, IDC_CAMPAIGN_STAGETEXT);
    EXPECT_EQ("5", ControlText(restText));
    EXPECT_EQ("10", ControlText(stageText));
    EXPECT_EQ("0", ControlText(GetDlgItem(dialog, IDC_CAMPAIGN_SEEDTEXT)));

    // Four pages right on the rest bar, five steps left on the stage bar.
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    for (int i = 0; i < 4; ++i)
        ClickControl(GetDlgItem(dialog, IDC_CAMPAIGN_RESTBAR), -arrow - 4);
    for (int i = 0; i < 5; ++i)
        ClickControl(GetDlgItem(dialog, IDC_CAMPAIGN_STAGEBAR), arrow / 2);
    EXPECT_EQ(std::to_string(RestLimit), ControlText(restText));
    EXPECT_EQ(std::to_string(Stages), ControlText(stageText));
    SaveScreenshot(dialog, ArtifactPath("campaign-dialog.bmp"));
    ClickControl(GetDlgItem(dialog, IDOK));
    EXPECT_FALSE(IsWindow(dialog));

    double scoreSum = 0;
    int restSum = 0;
    for (int stage = 1; stage <= Stages; ++stage) {
        SCOPED_TRACE(stage);
        ASSERT_EQ("IroGame Campaign #" + std::to_string(stage), Title());
        EXPECT_FALSE(NewEnabled());
        Playing play = PlayOut(BoardOf(RunTool("deal " + std::to_string(stage) + SmallSheetOptions)), false);
        ASSERT_LE(play.rest, RestLimit);
        ASSERT_FALSE(play.moves.empty());

        if (stage == 3) {
            // Quit after one move; the restart deals stage 3 from its start.
            PlayMoves({play.moves[0]});
            ASSERT_EQ("1(1) Click", WaitForText(counter, "1(1) Click"));
            PressKeys(program.window, {VK_CONTROL, 'X'});
            ASSERT_EQ(0, WaitForExit(program));
            StopProgram(program);
            std::string ini = ReadWholeFile(program.directory + "Hanabo.ini");
            EXPECT_NE(std::string::npos,
                      ini.find("Campaign=1\r\nCampaignNo=3\r\nCampaignRest=45\r\nCampaignStage=5\r\nCampaignTane=0\r\n"
                               "ScoreSum=" + Format("%.0f", scoreSum) + "\r\nRestSum=" + std::to_string(restSum) +
                               "\r\n"))
                << ini;
            ASSERT_NO_FATAL_FAILURE(Start("", program.directory));
            ASSERT_EQ("IroGame Campaign #3", Title());
            EXPECT_EQ("0(0) Click", ControlText(counter));
            EXPECT_FALSE(NewEnabled());
            PressKeys(program.window, {VK_CONTROL, 'N'});
            Settle(program.window, 300);
            EXPECT_EQ("IroGame Campaign #3", Title());
        }
        PlayMoves(play.moves);
        scoreSum += play.score;
        restSum += play.rest;
        if (stage < Stages) {
            ASSERT_TRUE(AnswerBox(FormatInts(StageCleared, stage, Stages),
                                  stage == 1 ? "campaign-stage-cleared.bmp" : nullptr));
        }
    }

    // The averages enter both Campaign lists: the name is asked once.
    HWND nameBox = WaitForDialog("Hanabo32-Record");
    ASSERT_NE(nullptr, nameBox);
    EXPECT_NE(std::string::npos, DialogTexts(nameBox).find(HighScorePrompt)) << DialogTexts(nameBox);
    EXPECT_EQ("No Name", ControlText(GetDlgItem(nameBox, IDC_NAME_EDIT)));
    SetForegroundWindow(nameBox);
    TypeText(L"\u82b1\u5b50");  // 花子
    Settle(nameBox, 300);
    EXPECT_EQ(Hanako, ControlText(GetDlgItem(nameBox, IDC_NAME_EDIT)));
    SaveScreenshot(nameBox, ArtifactPath("name-entry-high-score.bmp"));
    PressKeys(nameBox, {VK_RETURN});

    HWND record = WaitForDialog("Hanabo32-Campaign Mode Record");
    ASSERT_NE(nullptr, record);
    Settle(program.window, 300);
    EXPECT_EQ("High Score Record - Campaign", ControlText(GetDlgItem(record, IDC_RECORD_HEADING)));
    EXPECT_EQ(FormatInts(StageLine, Stages, Stages, RestLimit, 0), ControlText(GetDlgItem(record, IDC_RECORD_STAGE)));
    const std::string averageScore = Format("%.0f", scoreSum / Stages);
    const std::string averageRest = Format("%.2f", restSum / static_cast<double>(Stages));
    EXPECT_EQ("Your Score " + averageScore + "  Rest " + averageRest,
              ControlText(GetDlgItem(record, IDC_RECORD_AVERAGE)));
    std::string entry = SelectedEntry(GetDlgItem(record, IDC_RECORD_SCORES));
    EXPECT_EQ(std::string(Hanako) + "          \t(", entry.substr(0, 16)) << entry;
    ASSERT_GT(entry.size(), 36u);
    EXPECT_EQ(") \t" + averageScore, entry.substr(entry.size() - averageScore.size() - 3)) << entry;
    SaveScreenshot(record, ArtifactPath("campaign-record.bmp"));
    ClickControl(GetDlgItem(record, IDC_RECORD_SHOWRESTS));
    EXPECT_EQ("Rest Record       - Campaign", ControlText(GetDlgItem(record, IDC_RECORD_HEADING)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(record, IDC_RECORD_RESTS)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(record, IDC_RECORD_SCORES)));
    ClickControl(GetDlgItem(record, IDOK));
    EXPECT_FALSE(IsWindowVisible(record));

    // Written at once, with the campaign over and New back.
    std::string ini = ReadWholeFile(program.directory + "Hanabo.ini");
    std::size_t scores = ini.find("[CampaignScore]\r\n" + std::string(Hanako) + " (");
    std::size_t rests = ini.find("[CampaignClear]\r\n" + std::string(Hanako) + " (");
    EXPECT_NE(std::string::npos, scores) << ini;
    EXPECT_NE(std::string::npos, rests) << ini;
    EXPECT_NE(std::string::npos, ini.find(")=" + averageScore + "\r\nAAA (96/03/20 00:00:00)=100\r\n", scores));
    EXPECT_NE(std::string::npos, ini.find(")=" + averageRest + "\r\nAAA (96/03/20 00:00:00)=5.00\r\n", rests));
    EXPECT_TRUE(NewEnabled());
}

TEST_F(Campaign, FailedStageThenASheetGameThatEntersOnlyTheRests)
{
    ASSERT_NO_FATAL_FAILURE(
        Start(std::string(SmallSheetSettings) + "Campaign=1\r\nCampaignNo=2\r\nCampaignRest=0\r\nCampaignStage=5\r\n"));
    ASSERT_EQ("IroGame Campaign #2", Title());
    Playing play = PlayOut(BoardOf(RunTool(std::string("deal 2") + SmallSheetOptions)), false);
    ASSERT_GT(play.rest, 0);
    PlayMoves(play.moves);
    ASSERT_TRUE(AnswerBox(StageFailed, "campaign-stage-failed.bmp"));
    EXPECT_EQ("IroGame Campaign #2", Title());
    const int k = static_cast<int>(play.moves.size());
    EXPECT_EQ(FormatInts("0(%d) Click", k), ControlText(counter));

    // Switched off in the middle: the board stays, New is back.
    ChooseCampaignItem();
    EXPECT_EQ(nullptr, WaitForDialog("", 500));
    EXPECT_TRUE(NewEnabled());

    // New boards until one whose smallest-group play scores below the tenth
    // high score (50) and leaves no more than the tenth rest (30).
    Playing low;
    for (int tries = 0; tries < 20; ++tries) {
        PressKeys(program.window, {VK_CONTROL, 'N'});
        Settle(program.window, 300);
        low = PlayOut(BoardOf(RunTool("deal " + std::to_string(GameNumberOfTitle(Title())) + SmallSheetOptions)),
                      true);
        if (low.score < 50 && low.rest <= 30 && !low.moves.empty())
            break;
    }
    ASSERT_LT(low.score, 50);
    ASSERT_LE(low.rest, 30);
    ASSERT_EQ(0u, Title().find("IroGame #"));
    PlayMoves(low.moves);
    HWND nameBox = WaitForDialog("Hanabo32-Record");
    ASSERT_NE(nullptr, nameBox);
    EXPECT_NE(std::string::npos, DialogTexts(nameBox).find(RestPrompt)) << DialogTexts(nameBox);
    SaveScreenshot(nameBox, ArtifactPath("name-entry-rest.bmp"));
    PressKeys(nameBox, {VK_RETURN});   // "No Name" as offered
    for (int waited = 0; waited < 5000 && IsWindow(nameBox); waited += 50)
        Sleep(50);
    ASSERT_FALSE(IsWindow(nameBox));

    HWND record = WaitForDialog("Hanabo32-Record");
    ASSERT_NE(nullptr, record);
    ASSERT_NE(nameBox, record);
    Settle(program.window, 300);
    EXPECT_EQ("High Score Record - Matrix 8x6(3)", ControlText(GetDlgItem(record, IDC_RECORD_HEADING)));
    ClickControl(GetDlgItem(record, IDC_RECORD_SHOWRESTS));
    EXPECT_EQ("Rest Record       - Matrix 8x6(3)", ControlText(GetDlgItem(record, IDC_RECORD_HEADING)));
    std::string entry = SelectedEntry(GetDlgItem(record, IDC_RECORD_RESTS));
    EXPECT_EQ("No Name       \t(", entry.substr(0, 16)) << entry;
    ASSERT_GT(entry.size(), 36u);
    EXPECT_EQ(") \t" + std::to_string(low.rest), entry.substr(entry.size() - std::to_string(low.rest).size() - 3));
    SaveScreenshot(record, ArtifactPath("record.bmp"));
    ClickControl(GetDlgItem(record, IDOK));
    EXPECT_FALSE(IsWindowVisible(record));

    // The Record command, from the toolbar and from the menu bar, shows the
    // high scores again; the pointer over the board puts it away.
    RECT button = ToolbarButtonRect(toolbar, IDM_RECORD);
    ClickPointer((button.left + button.right) / 2, (button.top + button.bottom) / 2);
    Settle(program.window, 300);
    EXPECT_TRUE(IsWindowVisible(record));
    EXPECT_EQ("High Score Record - Matrix 8x6(3)", ControlText(GetDlgItem(record, IDC_RECORD_HEADING)));
    RECT place, main;
    GetWindowRect(record, &place);
    GetWindowRect(program.window, &main);
    EXPECT_EQ(main.left, place.left);
    EXPECT_EQ(main.top, place.top);
    PostMouseMove(program.window, 20, boardTop + 20);
    HWND retry = WaitForDialog("Hanabo32");
    EXPECT_FALSE(IsWindowVisible(record));
    ASSERT_NE(nullptr, retry);
    PostMessageA(FindChild(retry, "Button", IDNO), BM_CLICK, 0, 0);
    Settle(program.window, 300);
    PressKeys(program.window, {VK_MENU, 'R'});
    Settle(program.window, 300);
    EXPECT_TRUE(IsWindowVisible(record));
    MovePointer(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
}
