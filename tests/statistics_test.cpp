// Statistics: the counting rules, their file read as untrusted text, each
// game counted once by the session, and games played with the Hint.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/statistics.h"
#include "game/hint.h"
#include "game/history.h"
#include "game/statistics.h"
#include "storage/records.h"
#include "tests/file_helpers.h"
#include "tests/game_helpers.h"

namespace {

std::string Shown(const KeyStatistics& figures)
{
    std::string text;
    for (const std::string& value : StatisticsTexts(figures))
        text += value + "|";
    return text;
}

}  // namespace

TEST(StatisticsCounting, GamesInARowAsTheDialogShowsThem)
{
    // ended, cleared, score, rest, seconds; then the dialog's rows after it.
    const struct {
        CountedGame game;
        const char* shown;
    } steps[] = {
        {{true, false, 40, 3, 65}, "1|0|0.0%|40|40.0|3|0|0|0:01:05|"},
        {{true, true, 90, 0, 100}, "2|1|50.0%|90|65.0|0|1|1|0:02:45|"},
        {{true, true, 10, 0, 3600}, "3|2|66.7%|90|46.7|0|2|2|1:02:45|"},
        {{false, false, 200, 30, 0}, "4|2|50.0%|200|85.0|0|0|2|1:02:45|"},   // left: no rest, the streak ends
        {{true, true, -5, 0, -9}, "5|3|60.0%|200|67.0|0|1|2|1:02:45|"},      // a clock put back adds nothing
    };
    KeyStatistics figures;
    EXPECT_EQ(Shown(figures), "0|0|-|-|-|-|0|0|0:00:00|");
    for (const auto& step : steps) {
        CountGame(&figures, step.game);
        EXPECT_EQ(Shown(figures), step.shown);
    }
}

TEST(StatisticsFile, RoundTripHostileValuesAndBrokenFiles)
{
    Statistics written;
    written.campaignAssisted = true;
    CountGame(&written.keys["8x6(3)"], CountedGame{true, true, 120, 0, 75});
    CountGame(&written.keys[CampaignRecordKey], CountedGame{false, false, -3, 9, 1});
    Statistics read;
    ASSERT_TRUE(ParseStatistics(FormatStatistics(written), &read));
    EXPECT_TRUE(read == written);

    // Numbers out of range are held to their limits and to each other; keys
    // without a game and unknown names are dropped; LF line ends will do.
    ASSERT_TRUE(ParseStatistics("Hanabo32 Statistics\n[16x12(5)]\nPlayed=99999999999999999999999\nCleared=-4\n"
                                "ScoreSum=-99999999999999999999\nBestScore=5000000000\nBestRest=77777\nStreak=9\n"
                                "LongestStreak=3\nSeconds=-1\nLater=x\n[8x6(3)]\nCleared=2\n",
                                &read));
    ASSERT_EQ(read.keys.size(), 1u);
    EXPECT_EQ(Shown(read.keys["16x12(5)"]), "1000000000|0|0.0%|2147483647|-2147483647.0|38400|0|0|0:00:00|");

    // Anything else is no statistics file: empty figures.
    for (const char* broken : {"", "Hanabo32 Statistic\r\n", "Hanabo32 Statistics\r\n[8x6(3)\r\nPlayed=1\r\n",
                               "Hanabo32 Statistics\r\n[8x6(3)]\r\nPlayed=1x\r\n", "Hanabo32 Statistics\r\nno line\r\n",
                               "Hanabo32 Statistics\r\n[]\r\n", "Hanabo32 Statistics\r\nCampaignAssisted=\r\n"}) {
        read = written;
        EXPECT_FALSE(ParseStatistics(broken, &read)) << broken;
        EXPECT_TRUE(read == Statistics()) << broken;
    }
}

class StatisticsSession : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        FreshGame(4, 1, TileSetPlain, 3);
        game.keepRecords = true;
        sheetRecords = RecordLists();
        LoadStatistics();
    }
    // "1100" is cleared by its first move, "1121" ends with two left, "1122" goes on.
    void NewGame(const char* row)
    {
        StartGame(false, false);
        SetRows({row});
    }
    std::string Figures() const { return Shown(StatisticsOf("4x1(3)")); }
};

TEST_F(StatisticsSession, EachGameCountsOnceAndTheFileKeepsIt)
{
    NewGame("1121");
    fake.now += 30;
    PlayAt(0, 0);
    ASSERT_TRUE(game.gameOver);
    EXPECT_EQ(Figures(), "1|0|0.0%|0|0.0|2|0|0|0:00:30|");
    // Again and the retry question replay the game: its end counts no more.
    PlayAgain();
    SetRows({"1100"});
    PlayAt(0, 0);
    fake.yesNoAnswers.push_back(true);
    AskRetry();
    SetRows({"1100"});
    PlayAt(0, 0);
    EXPECT_EQ(Figures(), "1|0|0.0%|0|0.0|2|0|0|0:00:30|");
    // A game left after a removal counts, even when Undo took it back; one
    // without a removal does not.
    NewGame("1122");
    PlayAt(0, 0);
    UndoMove();
    NewGame("1100");
    EXPECT_EQ(Figures(), "2|0|0.0%|0|0.0|2|0|0|0:00:30|");
    PlayAt(0, 0);
    NewGame("1122");
    NewGame("1122");
    PlayAt(0, 0);
    EXPECT_EQ(Figures(), "3|1|33.3%|0|0.0|0|1|1|0:00:30|");
    EXPECT_EQ(CloseStatistics(), RewriteResult::Rewritten);   // the program ends
    LoadStatistics();
    EXPECT_EQ(Figures(), "4|1|25.0%|0|0.0|0|0|1|0:00:30|");
    EXPECT_EQ(ResetStatistics("4x1(3)"), RewriteResult::Rewritten);
    LoadStatistics();
    EXPECT_EQ(Figures(), "0|0|-|-|-|-|0|0|0:00:00|");

    // A broken file: empty statistics and a message.
    Spill(ProgramFilePath(StatisticsFileName), "Hanabo32 Statistics\r\n[4x1(3)]\r\nPlayed=x\r\n");
    LoadStatistics();
    EXPECT_EQ(fake.messages.back().substr(0, 10), "Hanabo.sta");
    EXPECT_EQ(Figures(), "0|0|-|-|-|-|0|0|0:00:00|");
}

TEST_F(StatisticsSession, AGameWithTheHintEntersNoRecordAndNoStatistics)
{
    ResizeBoard(8, 6);
    game.number = 5;
    StartGame(true, false);
    sheetRecords.HighScoreList.clear();   // any score would enter
    int column = 0, row = 0;
    ASSERT_TRUE(FirstGroup(&column, &row));
    SolveResult hint;
    hint.line.push_back(SolveMove{column, row});
    ShowHint(PositionOfGame(), hint);
    PlayFirstGroups(1);
    UndoMove();   // back past the Hint: the game stays assisted
    PlayFirstGroups(MoveHistorySize);
    ASSERT_TRUE(game.gameOver);
    EXPECT_EQ(fake.messages, std::vector<std::string>{AssistedText});
    EXPECT_EQ(CallCount("AskPlayerName"), 0);
    EXPECT_FALSE(sheetRecords.recordsChanged);
    EXPECT_EQ(StatisticsOf("8x6(3)").played, 0);
    // The same board played again without help counts, and enters the records.
    StartGame(true, false);
    PlayFirstGroups(MoveHistorySize);
    EXPECT_EQ(StatisticsOf("8x6(3)").played, 1);
    EXPECT_TRUE(sheetRecords.recordsChanged);
}
