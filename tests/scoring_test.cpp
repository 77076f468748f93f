// Scoring: the score bar and click counter texts, the end test, the end of a
// game and the retry question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/board.h"
#include "game/scoring.h"
#include "tests/game_helpers.h"
#include "game/session.h"
#include "game/pointer.h"

static const char RetryQuestion[] =
    "\x93\xaf\x82\xb6\x96\xca\x82\xc5\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48"; // 同じ面でやり直しますか？

TEST(Scoring, ClickCounterTexts)
{
    FreshGame(16, 12);
    char text[32];
    FormatClickCounter(text, sizeof text);
    EXPECT_STREQ(text, "0(0) Click");
    game.moveIndex = 1;
    game.moveCount = 4;
    FormatClickCounter(text, sizeof text);
    EXPECT_STREQ(text, "1(4) Click");
    game.moveIndex = 7;
    game.moveCount = 7;
    ShowClickCounter();
    EXPECT_EQ(fake.clickCounter, "7(7) Clicks");

    DealNumber(1);
    PlayFirstGroups(1);
    EXPECT_EQ(fake.clickCounter, "1(1) Click");
    PlayFirstGroups(1);
    EXPECT_EQ(fake.clickCounter, "2(2) Clicks");
}

TEST(Scoring, ScoreBarInIroGame)
{
    FreshGame(8, 6, TileSetPlain, 3);
    SetRows({"00000000", "00000000", "00000000", "00000000", "11200000", "12330000"});
    game.score = 25;
    ui.selection.size = 3;
    ShowScoreBar();
    const char* expected[] = {"3", "2", "2", " ", " ", "3", "25"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(fake.scoreBar[i], expected[i]) << i;

    // With the score option the tiles left count against the score as it goes.
    settings.ScoreOption = true;
    ui.selection.size = 1;
    ShowScoreBar();
    EXPECT_EQ(fake.scoreBar[5], " ");
    EXPECT_EQ(fake.scoreBar[6], "18");
    game.score = 2;
    ShowScoreBar();
    EXPECT_EQ(fake.scoreBar[6], "-5");
}

TEST(Scoring, ScoreBarInZededUdoz)
{
    FreshGame(8, 6, TileSetRoad);
    SetRows({"00000000", "00000000", "00000000", "00000000", "3c000000", "f9a00000"});
    ShowScoreBar();
    const char* expected[] = {"5", " ", " ", " ", " ", " ", "0"};
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(fake.scoreBar[i], expected[i]) << i;
}

TEST(Scoring, EndTestInIroGame)
{
    FreshGame(4, 3);
    SetRows({"0000", "0000", "0000"});
    EXPECT_TRUE(IsGameOver());
    SetRows({"0000", "2100", "1200"});   // equal tiles only diagonally
    EXPECT_TRUE(IsGameOver());
    SetRows({"0000", "2100", "1210"});
    EXPECT_TRUE(IsGameOver());
    SetRows({"0010", "2110", "1213"});   // pairs above the bottom row
    EXPECT_FALSE(IsGameOver());
    SetRows({"0000", "2100", "1233"});   // a pair on the bottom row, at the end
    EXPECT_FALSE(IsGameOver());
    SetRows({"1212", "2121", "1212"});
    EXPECT_TRUE(IsGameOver());
}

TEST(Scoring, EndTestInZededUdoz)
{
    FreshGame(4, 3, TileSetRoad);
    // Tiles left, but no neighbours with facing connectors.
    SetRows({"0000", "5000", "5a00"});   // (0,2) right meets (1,2) left
    EXPECT_FALSE(IsGameOver());
    SetRows({"0000", "4000", "5200"});   // (0,1) right meets (1,1) empty; (0,2) up meets 4: no RoadDown
    EXPECT_TRUE(IsGameOver());
    SetRows({"0000", "2000", "1000"});   // down above up
    EXPECT_FALSE(IsGameOver());
}

TEST(Scoring, ADealtBoardWithoutGroupsIsNotFinishedUntilAClick)
{
    FreshGame(4, 3);
    game.number = 3;
    StartGame(true, false);
    SetRows({"1212", "2121", "1212"});
    HoverAt(0, 0, 0);
    ClickAt(0, 0);
    EXPECT_FALSE(game.gameOver);
    EXPECT_TRUE(fake.messages.empty());
}

TEST(Scoring, EndOfAGameWithTheScoreOption)
{
    FreshGame(4, 3);
    settings.ScoreOption = true;
    SetRows({"0000", "1200", "1133"});
    PlayAt(0, 2);   // three 1s: 1 point; the bottom row is now 2 3 3
    EXPECT_FALSE(game.gameOver);
    EXPECT_EQ(fake.scoreBar[6], "-2");
    PlayAt(1, 2);
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(TilesLeft(), 1);
    EXPECT_EQ(game.score, 1 - 1);

    // A cleared Board deducts nothing.
    FreshGame(4, 3);
    settings.ScoreOption = true;
    SetRows({"0000", "0000", "1100"});
    PlayAt(0, 2);
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(game.score, 0);
    EXPECT_EQ(TilesLeft(), 0);
}

TEST(Scoring, RetryQuestionYesKeepsTheBoardAndAllButTheLastMove)
{
    DealNumber(1);
    std::vector<unsigned char> start = board.cells;
    int moves = PlayFirstGroups(1000);
    ASSERT_TRUE(game.gameOver);
    ASSERT_GE(moves, 12);
    ResetFakeFrontEnd();
    fake.yesNoAnswers.push_back(true);
    HoverAt(0, 0, 0);
    EXPECT_EQ(fake.messages, std::vector<std::string>{RetryQuestion});
    EXPECT_EQ(fake.sounds[0], SoundEvent::Message);
    EXPECT_FALSE(game.gameOver);
    EXPECT_EQ(game.number, 1);
    EXPECT_EQ(fake.clickCounter, "0(" + std::to_string(moves - 1) + ") Click");
    EXPECT_TRUE(fake.enabled[GameCommand::Redo]);
    // The hover goes on over the new Board.
    std::vector<unsigned char> now = board.cells;
    for (unsigned char& cell : now)
        cell &= CellTileMask;
    EXPECT_EQ(now, start);
}

TEST(Scoring, RetryQuestionNoStartsANewGame)
{
    DealNumber(1);
    PlayFirstGroups(1000);
    ASSERT_TRUE(game.gameOver);
    fake.yesNoAnswers.push_back(false);
    HoverAt(0, 0, 0);
    EXPECT_FALSE(game.gameOver);
    EXPECT_EQ(game.number, 807688147);
    EXPECT_EQ(fake.clickCounter, "0(0) Click");
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);
}

TEST(Scoring, RetryAfterUndoingEveryMoveKeepsTheCounterSound)
{
    FreshGame(4, 3);
    game.number = 77;
    StartGame(true, false);
    SetRows({"0000", "0000", "1100"});
    game.gameOver = true;   // as if the last move had ended the game and been undone
    fake.yesNoAnswers.push_back(true);
    HoverAt(0, 0, 0);
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_EQ(game.moveCount, 0);
    EXPECT_EQ(fake.clickCounter, "0(0) Click");
}
