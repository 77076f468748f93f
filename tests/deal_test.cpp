// Dealing: the generator, seeding, the boards of game numbers in both modes,
// new numbers, titles and the start of a game.
#include <gtest/gtest.h>

#include <string>

#include "game/deal.h"
#include "tests/game_helpers.h"

// The state after seeding with `state` and skipping `skip` numbers.
static std::uint32_t StateAfter(std::uint32_t state, int skip)
{
    GameRandom g;
    g.Seed(state);
    for (int i = 0; i < skip; ++i)
        g.Next();
    return g.state;
}

TEST(GameRandom, SeedForGameSplitsTheNumber)
{
    const struct {
        std::int32_t number;
        std::uint32_t state;
    } cases[] = {{100000, StateAfter(34464, 1)},       {-5, 65531u}, {-65536, StateAfter(0, 65535)},
                 {-70000, StateAfter(61072, 65535)}, {0, 0u}};
    for (const auto& c : cases) {
        SeedForGame(c.number);
        EXPECT_EQ(gameRandom.state, c.state) << c.number;
    }
}

TEST(Deal, GameNumberOneInIroGame)
{
    // Column by column, each from the top: the top row is every twelfth draw.
    DealNumber(1);
    EXPECT_EQ(Rows()[0], "1414523335433112");
    // 192 draws, one per Cell, each counted as it is dealt.
    EXPECT_EQ(gameRandom.state, StateAfter(1, 192));
    const TileCounts counted = CountTiles(board, GameMode::IroGame);
    for (int v = 1; v <= 5; ++v)
        EXPECT_EQ(game.counts.count[v], counted.count[v]) << v;
    EXPECT_EQ(fake.title, "IroGame #1");

    // New draws its number from where the deal left the generator.
    StartGame(false, false);
    EXPECT_EQ(game.number, 807688147);
    EXPECT_EQ(fake.title, "IroGame #807688147");
    EXPECT_EQ(recentNumbers.count, 1);
    EXPECT_EQ(recentNumbers.numbers[0], 807688147);
}

TEST(Deal, GameNumberOneInZededUdoz)
{
    DealNumber(1, 16, 12, TileSetRoad);
    EXPECT_EQ(Rows()[0], "32aefefdf9ce936d");
    EXPECT_EQ(gameRandom.state, StateAfter(1, 199));
    EXPECT_EQ(game.counts.count[1], 192);
    EXPECT_EQ(TilesLeft(), 192);
    EXPECT_EQ(fake.title, "ZededUdoz #1");
}

TEST(Deal, CampaignSeedIsAddedToTheStage)
{
    FreshGame(16, 12);
    game.campaign = true;
    settings.CampaignTane = 7;
    game.number = 2;
    StartGame(false, false);   // the next stage
    EXPECT_EQ(game.number, 3);
    EXPECT_EQ(fake.title, "IroGame Campaign #3");
    EXPECT_EQ(recentNumbers.count, 0);
    // (That stage 3 with seed 7 is the board of number 10 is checked where a
    // whole campaign is played.)
    tileSetInfo.kind = TileSetRoad;
    game.campaign = true;
    UpdateTitle();
    EXPECT_EQ(fake.title, "ZededUdoz Campaign #3");

    // The sum wraps around in 32-bit arithmetic.
    FreshGame(16, 12);
    settings.CampaignTane = 1;
    game.number = 2147483647;
    StartGame(true, false);
    std::vector<unsigned char> wrapped = board.cells;
    DealNumber(-2147483647 - 1);
    EXPECT_EQ(board.cells, wrapped);
}

TEST(Deal, TitleNamesALoadedFile)
{
    FreshGame(16, 12);
    game.loadedFile = "C:\\games\\save2.tgw";
    char title[64];
    FormatTitle(title, sizeof title);
    EXPECT_STREQ(title, "IroGame save2.tgw");
    game.loadedFile = "plain.tgw";
    tileSetInfo.kind = TileSetRoad;
    FormatTitle(title, sizeof title);
    EXPECT_STREQ(title, "ZededUdoz plain.tgw");
    FormatTitle(title, 8);
    EXPECT_STREQ(title, "ZededUd");
}

TEST(Deal, RecentNumbersKeepTheTenNewest)
{
    FreshGame(16, 12);
    gameRandom.Seed(12345);
    std::vector<int> chosen;
    for (int i = 0; i < 11; ++i) {
        StartGame(false, false);
        chosen.push_back(game.number);
    }
    ASSERT_EQ(recentNumbers.count, 10);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(recentNumbers.numbers[i], chosen[10 - i]);
    EXPECT_EQ(recentNumbers.changes, 11);
}

// The board of the day: the date's eight digits, rising across months and
// years, held within 32 bits; dealt as a chosen number, a saved game forgotten.
TEST(Deal, BoardOfTheDayIsTheNumberOfTheDate)
{
    for (const std::vector<int>& d : std::vector<std::vector<int>>{
             {1601, 1, 1, 16010101}, {2026, 12, 31, 20261231}, {2027, 1, 1, 20270101}, {2028, 2, 29, 20280229},
             {30827, 12, 31, 308271231}, {0, 0, -1, 10101}, {214748, 13, 32, 2147471231}})
        EXPECT_EQ(GameNumberOfDay(d[0], d[1], d[2]), d[3]);
    DealNumber(5);
    game.loadedFile = "save2.tgw";
    DealBoardOfTheDay(2026, 12, 9);
    EXPECT_EQ(fake.title, "IroGame #20261209");
    const std::vector<std::string> dealt = Rows();
    DealNumber(20261209);
    EXPECT_EQ(Rows(), dealt);
}

TEST(Deal, KindsBeyondTheLimitsStillDealTileValues)
{
    FreshGame(16, 12, TileSetPlain, 3);
    game.number = 5;
    StartGame(true, false);
    EXPECT_EQ(game.counts.count[1] + game.counts.count[2] + game.counts.count[3], 192);
    settings.CellNo = -4;   // the settings put no lower bound on the kinds
    StartGame(true, false);
    EXPECT_EQ(game.counts.count[1], 192);
}

TEST(StartGame, ResetsTheGameStopsItsAnimationAndKeepsOrDropsTheHistory)
{
    DealNumber(1);
    game.moveIndex = 4;
    game.moveCount = 2;
    game.gameOver = true;
    game.score = 77;
    ui.selection.minColumn = 5;
    ui.selection.maxRow = 7;
    ResetFakeFrontEnd();
    StartTimer();
    ui.animState = AnimState::Vanishing;
    StartGame(true, true);
    EXPECT_FALSE(fake.timerRunning);
    EXPECT_FALSE(ui.timerRunning);
    EXPECT_EQ(ui.animState, AnimState::Idle);
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_EQ(game.moveCount, 4);
    EXPECT_TRUE(fake.enabled[GameCommand::Redo]);
    EXPECT_FALSE(game.gameOver);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(ui.selection.minColumn, 0);
    EXPECT_EQ(ui.selection.maxRow, 0);
    EXPECT_EQ(fake.clickCounter, "0(4) Click");
    EXPECT_EQ(fake.repaints, 1);
    EXPECT_EQ(fake.sounds, std::vector<SoundEvent>{SoundEvent::Start});
    EXPECT_EQ(fake.scoreBar[6], "0");

    // (A new game drops the history; see the tests of Again.) Keeping an empty
    // history leaves Redo disabled.
    StartGame(false, false);
    StartGame(true, true);
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);
}
