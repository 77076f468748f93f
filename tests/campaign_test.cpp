// Campaign mode: choosing a campaign, its stages and their ends, the averages
// that reach the Campaign records, resuming after a restart, and the Campaign
// Record dialog's lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/campaign.h"
#include "game/results.h"
#include "game/statistics.h"
#include "storage/records.h"
#include "tests/file_helpers.h"
#include "tests/game_helpers.h"

namespace {

const char StageFailed[] =
    "\x83N\x83\x8a\x83" "A\x81[\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd";  // クリアーできませんでした
const char StageCleared[] = " \x83N\x83\x8a\x83" "A\x81[ \x8e\x9f\x82\xccStage\x82\xd6";  // " クリアー 次のStageへ"

// A campaign with seed 7 deals GameNumber 7 + stage on its 8 x 6 sheet of three kinds.
std::vector<std::string> StageBoard(int stage)
{
    return RowsOf(DealtBoard(8, 6, GameMode::IroGame, 3, 7 + stage));
}

class Campaign : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        FreshGame(8, 6, TileSetPlain, 3);
        game.keepRecords = true;
        sheetRecords = RecordLists();
        campaignRecords = RecordLists();
        LoadStatistics();
    }

    // Plays the stage to its end: the moves made, the stage's score and the
    // tiles it left.
    struct StagePlay {
        int moves;
        double score;
        int rest;
    };
    StagePlay PlayStage()
    {
        const int stage = game.number;
        int moves = 0;
        double points = 0;
        int left = TilesLeft();
        int c = 0;
        int r = 0;
        while (game.number == stage && !game.gameOver && moves == game.moveIndex && FirstGroup(&c, &r)) {
            HoverAt(c * board.ts, r * board.ts, 0);
            int size = ui.selection.size;
            points += (size - 2) * (size - 2);
            left -= size;
            ClickAt(c * board.ts, r * board.ts);
            ++moves;
        }
        return {moves, points, left};
    }
};

}  // namespace

TEST_F(Campaign, FiveStagesWithSeedSevenThenTheAverages)
{
    ToggleCampaign();
    EXPECT_TRUE(game.campaign);
    EXPECT_TRUE(fake.campaignChecked);
    EXPECT_TRUE(fake.campaignDialogOpen);
    EXPECT_FALSE(CampaignRunning());
    ConfirmCampaign(100, 5, 7);
    EXPECT_FALSE(fake.campaignDialogOpen);
    EXPECT_TRUE(CampaignRunning());
    for (GameCommand command : {GameCommand::New, GameCommand::Open, GameCommand::Save, GameCommand::SelectGame})
        EXPECT_FALSE(fake.enabled[command]);

    double scoreSum = 0;
    int restSum = 0;
    for (int stage = 1; stage <= 5; ++stage) {
        SCOPED_TRACE(stage);
        EXPECT_EQ(game.number, stage);
        EXPECT_EQ(fake.title, "IroGame Campaign #" + std::to_string(stage));
        EXPECT_EQ(Rows(), StageBoard(stage));
        fake.messages.clear();
        fake.sounds.clear();
        if (stage == 5)
            fake.names.push_back("Hanako");
        const StagePlay play = PlayStage();
        ASSERT_GT(play.moves, 0);
        scoreSum += play.score;
        restSum += play.rest;
        if (stage < 5) {
            ASSERT_EQ(fake.messages.size(), 1u);
            EXPECT_EQ(fake.messages[0], "Stage " + std::to_string(stage) + "/5" + StageCleared);
            EXPECT_EQ(fake.sounds[fake.sounds.size() - 2], SoundEvent::CampaignClear);
            EXPECT_EQ(fake.sounds.back(), SoundEvent::Start);
        }
        EXPECT_EQ(settings.ScoreSum, scoreSum);
        EXPECT_EQ(settings.RestSum, restSum);
    }
    // The last stage: no message; the averages enter the Campaign records
    // (which are written at once), and the campaign is over.
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(game.number, 6);
    EXPECT_TRUE(game.gameOver);
    EXPECT_FALSE(game.campaign);
    EXPECT_FALSE(fake.campaignChecked);
    EXPECT_TRUE(fake.enabled[GameCommand::New]);
    EXPECT_EQ(settings.CampaignTane, 0);
    std::string date = RecordDate(fake.now);
    EXPECT_EQ(campaignRecords.HighScoreList.at(campaignRecords.highScoreSelected),
              FormatRecordEntry("Hanako", date, RecordValueText(scoreSum / 5, 0)));
    EXPECT_EQ(campaignRecords.RestList.at(campaignRecords.restSelected),
              FormatRecordEntry("Hanako", date, RecordValueText(restSum / 5.0, 2)));
    EXPECT_EQ(fake.calls.back(), "CloseCampaignDialog");
    EXPECT_EQ(fake.sounds.back(), SoundEvent::HighScore);
    const KeyStatistics stages = StatisticsOf(CampaignRecordKey);
    EXPECT_EQ(stages.cleared, 5);
    EXPECT_EQ(stages.scoreSum, scoreSum);

    // The Campaign Record dialog shown now lowers the GameNumber to the last stage.
    CampaignRecordLines lines = RecordDialogActivated(true);
    EXPECT_EQ(game.number, 5);
    EXPECT_EQ(lines.stage.substr(0, 16), "Stage No. 5/5. \x8d");
    EXPECT_EQ(lines.stage.substr(lines.stage.size() - 6), "\x83^\x83l 0");   // the seed is 0 again
}

TEST_F(Campaign, AFailedStageKeepsTheSumsAndItsMovesForRedo)
{
    ToggleCampaign();
    ConfirmCampaign(0, 5, 7);
    settings.ScoreSum = 50;
    settings.RestSum = 3;
    const StagePlay play = PlayStage();
    ASSERT_GT(play.rest, 0) << "the play clears this board; choose another";
    EXPECT_EQ(game.number, 1);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0], StageFailed);
    EXPECT_EQ(StatisticsOf(CampaignRecordKey).bestRest, play.rest);   // played, not cleared
    EXPECT_EQ(StatisticsOf(CampaignRecordKey).cleared, 0);
    EXPECT_EQ(settings.ScoreSum, 50);
    EXPECT_EQ(settings.RestSum, 3);
    EXPECT_EQ(Rows(), StageBoard(1));
    EXPECT_FALSE(game.gameOver);
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_EQ(game.moveCount, play.moves);
    EXPECT_TRUE(fake.enabled[GameCommand::Redo]);
}

TEST_F(Campaign, HelpInOneStageKeepsTheCampaignFromTheRecords)
{
    ToggleCampaign();
    ConfirmCampaign(100, 5, 7);
    MarkGameAssisted();
    for (int stage = 1; stage <= 5; ++stage)
        PlayStage();
    EXPECT_FALSE(game.campaign);
    EXPECT_EQ(CallCount("AskPlayerName"), 0);
    // Told when the assisted stage ended, and when the campaign did.
    ASSERT_EQ(fake.messages.size(), 6u);
    EXPECT_EQ(fake.messages.front().substr(0, 6), "\x83q\x83\x93\x83g");   // ヒント
    EXPECT_EQ(fake.messages.back(), fake.messages.front());
    EXPECT_EQ(StatisticsOf(CampaignRecordKey).played, 4);
}

TEST_F(Campaign, AClearedStageUnderTheScoreOptionAddsItsScoreLessTheRest)
{
    settings.ScoreOption = 1;
    settings.CampaignStage = 10;
    settings.CampaignRest = 4;   // exactly the tiles left: the stage is cleared
    settings.ScoreSum = 100;
    settings.RestSum = 10;
    game.campaign = true;
    game.number = 3;
    // The 1s go, and four lone tiles are left.
    SetRows({"450", "230", "111"});
    PlayAt(0, 2);
    ASSERT_EQ(fake.messages.size(), 1u);
    EXPECT_EQ(fake.messages[0], std::string("Stage 3/10") + StageCleared);
    EXPECT_EQ(settings.ScoreSum, 100 + 1 - 4);
    EXPECT_EQ(settings.RestSum, 14);
    EXPECT_EQ(game.number, 4);
}

TEST_F(Campaign, SwitchingOffLeavesTheBoardAndClosesAnOpenDialog)
{
    ToggleCampaign();
    ToggleCampaign();   // the dialog is still open
    EXPECT_FALSE(game.campaign);
    EXPECT_FALSE(fake.campaignDialogOpen);
    EXPECT_FALSE(fake.campaignChecked);

    ToggleCampaign();
    CancelCampaign();
    EXPECT_FALSE(game.campaign);
    EXPECT_FALSE(fake.campaignDialogOpen);

    ToggleCampaign();
    ConfirmCampaign(5, 10, 3);
    std::vector<std::string> board = Rows();
    ToggleCampaign();
    EXPECT_EQ(Rows(), board);
    EXPECT_EQ(fake.title, "IroGame Campaign #1");
    EXPECT_TRUE(fake.enabled[GameCommand::New]);
    EXPECT_TRUE(fake.enabled[GameCommand::SelectGame]);
    EXPECT_EQ(settings.CampaignTane, 0);
}

TEST_F(Campaign, ResumesTheStageFromTheSettingsFile)
{
    ReadSettings("[system]\r\nCellNo=3\r\nCampaign=1\r\nCampaignNo=4\r\nCampaignStage=5\r\nCampaignTane=7\r\n"
                 "ScoreSum=120\r\nRestSum=6\r\n",
                 &settings);
    ResumeCampaign();
    EXPECT_TRUE(CampaignRunning());
    EXPECT_TRUE(fake.campaignChecked);
    EXPECT_FALSE(fake.enabled[GameCommand::New]);
    StartGame(false, false);
    EXPECT_EQ(game.number, 4);
    EXPECT_EQ(Rows(), StageBoard(4));

    // The Campaign Record dialog's averages cover stages 1 to 3.
    CampaignRecordLines lines = RecordDialogActivated(true);
    EXPECT_EQ(lines.average, "Your Score 40  Rest 2.00");
    EXPECT_EQ(lines.stage.substr(0, 16), "Stage No. 4/5. \x8d");
    EXPECT_EQ(game.number, 4);
}

TEST_F(Campaign, TheRecordCommandShowsTheDialogOfTheMode)
{
    ShowRecords();
    EXPECT_EQ(fake.sounds.back(), SoundEvent::Score);
    EXPECT_EQ(fake.calls.back(), "ShowRecordDialog sheet");
    game.campaign = true;
    ShowRecords();
    EXPECT_EQ(fake.calls.back(), "ShowRecordDialog campaign");
    game.number = 1;
    EXPECT_EQ(RecordDialogActivated(true).average, "");
}
