// Campaign mode, the record tables and the statistics as a player meets them:
// a campaign chosen, greyed settings, a stage cleared, quit and resumed (the
// statistics of both stages kept), its averages entered under a Japanese name;
// a sheet game entering only the rests and its statistics reset; Record.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "dialogs/statistics.h"
#include "rules/removal.h"
#include "tests/e2e/game_window.h"

namespace {

const char StageCleared[] = "Stage 1/5 \x83N\x83\x8a\x83" "A\x81[ \x8e\x9f\x82\xccStage\x82\xd6";  // Stage 1/5 クリアー 次のStageへ
const char StageLine[] = "Stage No. 5/5. \x8d\xc5\x91\xe5\x8e" "c\x82\xe8\x83R\x83}\x90\x94 45. "
                         "\x97\x90\x90\x94\x82\xcc\x83^\x83l 0";  // Stage No. 5/5. 最大残りコマ数 45. 乱数のタネ 0
const char Hanako[] = "\x89\xd4\x8eq";  // 花子

// A stage or game played to its end by the largest group each time.
struct Playing {
    std::vector<BoardGroup> moves;
    long long score = 0;
    int rest = 0;
};

Playing PlayOut(Board board)
{
    Playing play;
    for (BoardGroup move = LargestGroup(board); move.size >= 2; move = LargestGroup(board)) {
        play.moves.push_back(move);
        play.score += RemovalPoints(RemoveGroupAt(board, GameMode::IroGame, move.column, move.row));
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
            const POINT at = CellPoint(moves[i].column, moves[i].row);
            Hover(moves[i].column, moves[i].row);
            if (i + 1 < moves.size())
                SendWithin(program.window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
            else
                PostMessageA(program.window, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
        }
    }

    bool NewEnabled() const { return SendWithin(toolbar, TB_ISBUTTONENABLED, IDM_NEW, 0) != 0; }

    // The name entry, a name typed over the "No Name" offered; then the records.
    Dialog EnterName(const char* prompt, const std::wstring& name, const char* screenshot, const char* recordCaption)
    {
        HWND box = WaitForDialog(program, "Hanabo32-Record");
        EXPECT_NE(std::string::npos, DialogTexts(box).find(prompt)) << DialogTexts(box);
        EXPECT_EQ("No Name", ControlText(GetDlgItem(box, IDC_NAME_EDIT)));
        SetForegroundWindow(box);
        TypeText(name);
        Settle(box, 300);
        SaveScreenshot(box, ArtifactPath(screenshot));
        PressKeys(box, {VK_RETURN});
        EXPECT_TRUE(WaitUntilClosed(box, 5000) && !IsWindow(box));
        return OpenedDialog(program, recordCaption);
    }

    // The Statistics dialog (Game > 統計): its figures but the time played.
    Dialog OpenStatistics() const
    {
        MenuItem('G', 'T');
        return OpenedDialog(program, "Hanabo32-Statistics");
    }
    static std::string Figures(const Dialog* statistics, const KeyStatistics& figures = KeyStatistics())
    {
        std::string text;
        for (int row = 0; row + 1 < StatisticsRows; ++row)
            text += (statistics ? statistics->Text(IDC_STATS_FIRSTVALUE + row)
                                : StatisticsTexts(figures)[static_cast<std::size_t>(row)]) + "|";
        return text;
    }

    // The selected entry of a record list: the name, then its date and value.
    static void ExpectSelected(const Dialog& record, int list, const std::string& name, const std::string& value)
    {
        const std::vector<std::string> entries = record.List(list);
        const std::size_t index = static_cast<std::size_t>(SendWithin(record.Item(list), LB_GETCURSEL, 0, 0));
        const std::string entry = index < entries.size() ? entries[index] : "";
        EXPECT_EQ(0u, entry.find(name + std::string(14 - name.size(), ' ') + "\t(")) << entry;
        EXPECT_EQ(entry.size() - value.size() - 3, entry.rfind(") \t" + value)) << entry;
    }
};

}  // namespace

TEST_F(Campaign, ChosenGreyedClearedQuitResumedRecordedAndTheRestRecord)
{
    // A Hanabo.bak that cannot be replaced: a folder of that name.
    const std::string directory = MakeWorkDirectory();
    ASSERT_TRUE(CreateDirectoryA((directory + "Hanabo.bak").c_str(), nullptr));
    std::ofstream(directory + "Hanabo.bak\\kept.txt", std::ios::binary) << "kept";
    ASSERT_NO_FATAL_FAILURE(Start(SmallSheetSettings, directory));

    // The Game menu's Campaign item (three steps up from New, past Exit and 統計) opens
    // the dialog: four pages right on the rest bar, five steps left on the
    // stage bar, and OK starts stage 1.
    Keys({VK_MENU, 'G'});
    for (int i = 0; i < 3; ++i)
        Keys({VK_UP});
    Keys({VK_RETURN});
    Dialog dialog = OpenedDialog(program, "");
    ASSERT_NE(nullptr, dialog.window);
    EXPECT_EQ("5|10|0", dialog.Text(IDC_CAMPAIGN_RESTTEXT) + "|" + dialog.Text(IDC_CAMPAIGN_STAGETEXT) + "|" +
                            dialog.Text(IDC_CAMPAIGN_SEEDTEXT));
    for (int i = 0; i < 4; ++i)
        SendWithin(dialog.window, WM_HSCROLL, SB_PAGERIGHT, reinterpret_cast<LPARAM>(dialog.Item(IDC_CAMPAIGN_RESTBAR)));
    for (int i = 0; i < 5; ++i)
        SendWithin(dialog.window, WM_HSCROLL, SB_LINELEFT, reinterpret_cast<LPARAM>(dialog.Item(IDC_CAMPAIGN_STAGEBAR)));
    EXPECT_EQ("45|5", dialog.Text(IDC_CAMPAIGN_RESTTEXT) + "|" + dialog.Text(IDC_CAMPAIGN_STAGETEXT));
    SaveScreenshot(dialog.window, ArtifactPath("campaign-dialog.bmp"));
    ASSERT_TRUE(dialog.Close(IDOK));
    Settle(program.window, 300);
    ASSERT_EQ("IroGame Campaign #1", Title());
    const std::string ini = ReadWholeFile(directory + "Hanabo.ini");

    // New, the sheet's shape and the score option are greyed; Clear Records
    // whose backup cannot be written leaves the file, and the program goes on.
    EXPECT_FALSE(NewEnabled());
    Keys({VK_CONTROL, 'N'});
    EXPECT_EQ("IroGame Campaign #1", Title());
    PressKeys(program.window, {VK_MENU, 'C'});
    dialog = OpenedDialog(program, "Configure Game");
    ASSERT_NE(nullptr, dialog.window);
    for (int id = IDC_CFG_CELL4; id <= IDC_CFG_SCOREOPTION; ++id)
        EXPECT_EQ(id == IDC_CFG_BITMAPOPTION, dialog.Enabled(id)) << id;
    for (int id : {IDC_CFG_COLUMNBAR, IDC_CFG_ROWBAR})
        EXPECT_FALSE(dialog.Enabled(id)) << id;
    ClickControl(dialog.Item(IDC_CFG_CLEARRECORDS));
    ASSERT_TRUE(OpenedDialog(program, "Hanabo32").Answer(IDOK));
    Settle(dialog.window, 300);
    EXPECT_EQ(ini, ReadWholeFile(directory + "Hanabo.ini"));
    EXPECT_EQ("kept", ReadWholeFile(directory + "Hanabo.bak\\kept.txt"));
    EXPECT_EQ(nullptr, WaitForDialog(program, "Hanabo32-Error", 300));
    ASSERT_TRUE(dialog.Close(IDOK));

    // Stage 1 cleared; stage 2 quit after one move.
    const Playing first = PlayOut(BoardOf(RunTool(std::string("deal 1") + SmallSheetOptions)));
    ASSERT_LE(first.rest, 45);
    PlayMoves(first.moves);
    Dialog cleared = OpenedDialog(program, "Hanabo32");
    ASSERT_NE(nullptr, cleared.window);
    EXPECT_NE(std::string::npos, DialogTexts(cleared.window).find(std::string(StageCleared) + "|"));
    PressKeys(cleared.window, {VK_RETURN});
    ASSERT_TRUE(WaitUntilClosed(cleared.window));
    Settle(program.window, 300);
    ASSERT_EQ("IroGame Campaign #2", Title());
    const BoardGroup second = PlayOut(BoardOf(RunTool(std::string("deal 2") + SmallSheetOptions))).moves[0];
    PlayMoves({second});
    ASSERT_EQ("1(1) Click", WaitForText(counter, "1(1) Click"));
    Keys({VK_CONTROL, 'X'});
    ASSERT_EQ(0, WaitForExit(program));
    StopProgram(program);
    const std::string block = "Campaign=1\r\nCampaignNo=2\r\nCampaignRest=45\r\nCampaignStage=5\r\nCampaignTane=0\r\n"
                              "ScoreSum=" + std::to_string(first.score) + "\r\nRestSum=" + std::to_string(first.rest);
    std::string quit = ReadWholeFile(directory + "Hanabo.ini");
    ASSERT_NE(std::string::npos, quit.find(block + "\r\n")) << quit;

    // Resumed at the last stage, as if stages 2 to 4 had scored 1000 and
    // cleared the sheet; sheet records of ten rests that any game beats.
    const long long scoreSum = first.score + 1000;
    quit.replace(quit.find(block), block.size(),
                 "Campaign=1\r\nCampaignNo=5\r\nCampaignRest=45\r\nCampaignStage=5\r\nCampaignTane=0\r\nScoreSum=" +
                     std::to_string(scoreSum) + "\r\nRestSum=" + std::to_string(first.rest));
    ASSERT_NO_FATAL_FAILURE(Start(quit + Records("8x6(3)", "2147483647", "48"), directory));
    ASSERT_EQ("IroGame Campaign #5", Title());
    EXPECT_EQ("0(0) Click", Counter());
    EXPECT_FALSE(NewEnabled());

    // The statistics of the running campaign: stage 1 cleared, stage 2 left at the exit.
    KeyStatistics stages;
    CountGame(&stages, CountedGame{true, true, first.score, first.rest, 0});
    CountGame(&stages, CountedGame{false, false, (second.size - 2) * (second.size - 2), 0, 0});
    Dialog statistics = OpenStatistics();
    ASSERT_NE(nullptr, statistics.window);
    EXPECT_EQ("Statistics - Campaign", statistics.Text(IDC_STATS_HEADING));
    EXPECT_EQ(Figures(nullptr, stages), Figures(&statistics));
    SaveScreenshot(statistics.window, ArtifactPath("statistics.bmp"));
    statistics.Press(IDC_STATS_CAMPAIGN);
    EXPECT_EQ("Statistics - Matrix 8x6(3)|0|0|-|-|-|-|0|0|",
              statistics.Text(IDC_STATS_HEADING) + "|" + Figures(&statistics));
    ASSERT_TRUE(statistics.Close(IDOK));

    // The last stage: the averages enter both Campaign lists, the name asked once.
    const Playing last = PlayOut(BoardOf(RunTool(std::string("deal 5") + SmallSheetOptions)));
    PlayMoves(last.moves);
    Dialog record = EnterName("High Score!  Input Your Name", L"\u82b1\u5b50", "name-entry-high-score.bmp",
                              "Hanabo32-Campaign Mode Record");
    ASSERT_NE(nullptr, record.window);
    EXPECT_EQ("High Score Record - Campaign", record.Text(IDC_RECORD_HEADING));
    EXPECT_EQ(StageLine, record.Text(IDC_RECORD_STAGE));
    char average[64];
    std::snprintf(average, sizeof average, "%.0f  Rest %.2f", static_cast<double>(scoreSum + last.score) / 5,
                  (first.rest + last.rest) / 5.0);
    EXPECT_EQ("Your Score " + std::string(average), record.Text(IDC_RECORD_AVERAGE));
    ExpectSelected(record, IDC_RECORD_SCORES, Hanako, std::string(average).substr(0, std::string(average).find(' ')));
    SaveScreenshot(record.window, ArtifactPath("campaign-record.bmp"));
    record.Press(IDC_RECORD_SHOWRESTS);
    EXPECT_EQ("Rest Record       - Campaign", record.Text(IDC_RECORD_HEADING));
    ExpectSelected(record, IDC_RECORD_RESTS, Hanako, std::string(average).substr(std::string(average).rfind(' ') + 1));
    EXPECT_TRUE(IsWindowVisible(record.Item(IDC_RECORD_RESTS)));
    EXPECT_FALSE(IsWindowVisible(record.Item(IDC_RECORD_SCORES)));
    ASSERT_TRUE(record.Close(IDOK));
    EXPECT_TRUE(NewEnabled());

    // A sheet game enters only the rests, under "No Name" as offered.
    Keys({VK_CONTROL, 'N'});
    const Playing game = PlayOut(BoardOf(DealtBoard(SmallSheetOptions)));
    ASSERT_EQ(0u, Title().find("IroGame #"));
    PlayMoves(game.moves);
    record = EnterName("Rest Record!  Input Your Name", L"", "name-entry-rest.bmp", "Hanabo32-Record");
    ASSERT_NE(nullptr, record.window);
    EXPECT_EQ("High Score Record - Matrix 8x6(3)", record.Text(IDC_RECORD_HEADING));
    record.Press(IDC_RECORD_SHOWRESTS);
    EXPECT_EQ("Rest Record       - Matrix 8x6(3)", record.Text(IDC_RECORD_HEADING));
    ExpectSelected(record, IDC_RECORD_RESTS, "No Name", std::to_string(game.rest));
    ASSERT_TRUE(record.Close(IDOK));

    // Its statistics, reset after a question; the Campaign's stay.
    KeyStatistics sheet;
    CountGame(&sheet, CountedGame{true, game.rest == 0, game.score, game.rest, 0});
    CountGame(&stages, CountedGame{true, true, last.score, last.rest, 0});
    statistics = OpenStatistics();
    ASSERT_NE(nullptr, statistics.window);
    EXPECT_EQ(Figures(nullptr, sheet), Figures(&statistics));
    ClickControl(statistics.Item(IDC_STATS_RESET));
    ASSERT_TRUE(OpenedDialog(program, "Hanabo32").Answer(IDYES));
    Settle(statistics.window, 300);
    EXPECT_EQ(Figures(nullptr), Figures(&statistics));
    statistics.Press(IDC_STATS_CAMPAIGN);
    EXPECT_EQ(Figures(nullptr, stages), Figures(&statistics));
    ASSERT_TRUE(statistics.Close(IDOK));
    const std::string kept = ReadWholeFile(directory + "Hanabo.sta");
    EXPECT_TRUE(kept.find("[Campaign]") != std::string::npos && kept.find("[8x6(3)]") == std::string::npos) << kept;

    // Record, from the toolbar and the menu bar, shows the high scores at the
    // window's corner; the pointer over the board puts them away and asks.
    PressButton(IDM_RECORD);
    EXPECT_TRUE(IsWindowVisible(record.window));
    EXPECT_EQ("High Score Record - Matrix 8x6(3)", record.Text(IDC_RECORD_HEADING));
    RECT place, main;
    GetWindowRect(record.window, &place);
    GetWindowRect(program.window, &main);
    EXPECT_EQ(main.left, place.left);
    EXPECT_EQ(main.top, place.top);
    PostMessageA(program.window, WM_MOUSEMOVE, 0, MAKELPARAM(20, boardTop + 20));
    EXPECT_TRUE(OpenedDialog(program, "Hanabo32").Answer(IDNO));
    EXPECT_FALSE(IsWindowVisible(record.window));
    Keys({VK_MENU, 'R'});
    EXPECT_TRUE(IsWindowVisible(record.window));
}
