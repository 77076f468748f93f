// Scoring: the score bar and click counter texts, the end of a
// game and the retry question.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/history.h"
#include "game/scoring.h"
#include "tests/game_helpers.h"

static const char RetryQuestion[] =
    "\x93\xaf\x82\xb6\x96\xca\x82\xc5\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48"; // 同じ面でやり直しますか？

TEST(Scoring, ScoreBarShowsTheCountsOfTheKindsInPlay)
{
    const struct {
        int kind, cellNo;
        std::vector<std::string> bottomRows;
        const char* fields[7];
    } cases[] = {
        {TileSetPlain, 3, {"11200000", "12330000"}, {"3", "2", "2", " ", " ", "3", "25"}},
        {TileSetRoad, 15, {"3c000000", "f9a00000"}, {"5", " ", " ", " ", " ", "3", "25"}},
    };
    for (const auto& c : cases) {
        FreshGame(8, 6, c.kind, c.cellNo);
        std::vector<std::string> rows(4, "00000000");
        rows.insert(rows.end(), c.bottomRows.begin(), c.bottomRows.end());
        SetRows(rows);
        game.score = 25;
        ui.selection.size = 3;
        ShowScoreBar();
        for (int i = 0; i < 7; ++i)
            EXPECT_EQ(fake.scoreBar[i], c.fields[i]) << c.kind << " field " << i;
    }

    // With the score option the tiles left count against the score as it
    // goes; a lone tile's size is a blank.
    settings.ScoreOption = true;
    ui.selection.size = 1;
    ShowScoreBar();
    EXPECT_EQ(fake.scoreBar[5], " ");
    EXPECT_EQ(fake.scoreBar[6], "20");
    game.score = 2;
    ShowScoreBar();
    EXPECT_EQ(fake.scoreBar[6], "-3");
}

TEST(Scoring, ADealtBoardWithoutGroupsIsNotFinishedUntilAClick)
{
    FreshGame(4, 3);
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
}

// Yes deals the same board with all but the last move to redo; No a new number.
// Undo in a finished game leaves the question to come, one move sooner.
TEST(Scoring, TheRetryQuestionAfterTheLastMove)
{
    const struct {
        bool undo, yes;
    } cases[] = {{false, true}, {false, false}, {true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.undo << c.yes);
        DealNumber(1);
        std::vector<unsigned char> start = board.cells;
        int moves = PlayFirstGroups(1000);
        ASSERT_TRUE(game.gameOver);
        ASSERT_GE(moves, 12);
        if (c.undo) {
            UndoMove();
            EXPECT_TRUE(game.gameOver);
            EXPECT_EQ(game.moveIndex, --moves);
        }
        ResetFakeFrontEnd();
        fake.yesNoAnswers.push_back(c.yes);
        HoverAt(0, 0, 0);
        EXPECT_EQ(fake.messages, std::vector<std::string>{RetryQuestion});
        EXPECT_EQ(fake.sounds[0], SoundEvent::Message);
        EXPECT_FALSE(game.gameOver);
        EXPECT_EQ(game.number, c.yes ? 1 : 807688147);
        EXPECT_EQ(fake.clickCounter, c.yes ? "0(" + std::to_string(moves - 1) + ") Click" : "0(0) Click");
        EXPECT_EQ(fake.enabled[GameCommand::Redo], c.yes);
        // The hover goes on over the new Board.
        std::vector<unsigned char> now = board.cells;
        for (unsigned char& cell : now)
            cell &= CellTileMask;
        EXPECT_EQ(now == start, c.yes);
    }
}

TEST(Scoring, RetryAfterUndoingEveryMoveKeepsTheCounterSound)
{
    FreshGame(4, 3);
    game.number = 77;
    SetRows({"0000", "0000", "1100"});
    game.gameOver = true;   // as if the last move had ended the game and been undone
    fake.yesNoAnswers.push_back(true);
    HoverAt(0, 0, 0);
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_EQ(game.moveCount, 0);
    EXPECT_EQ(fake.clickCounter, "0(0) Click");
}
