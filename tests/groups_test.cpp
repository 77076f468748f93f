// Play: highlighting groups under the pointer and removing them, in both modes
// and with the animated tile sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/groups.h"
#include "tests/game_helpers.h"

TEST(Groups, WorkedExample)
{
    FreshGame(4, 3);
    SetRows({"1223", "1233", "1132"});
    HoverAt(0, 0, 0);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"M223", "M233", "MM32"}));
    EXPECT_EQ(fake.scoreBar[5], "4");
    EXPECT_EQ(CallCount("DrawCell "), 4);

    ResetFakeFrontEnd();
    ClickAt(5, 5);
    EXPECT_EQ(game.score, 4);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0230", "2330", "2320"}));
    EXPECT_EQ((std::vector<int>{game.counts.count[1], game.counts.count[2], game.counts.count[3]}),
              (std::vector<int>{0, 4, 4}));
    EXPECT_EQ(game.moveIndex, 1);
    EXPECT_EQ(game.moves[1].column, 0);
    EXPECT_EQ(game.moves[1].row, 0);
    EXPECT_EQ(ui.selection.size, 0);
    EXPECT_EQ(fake.sounds, std::vector<SoundEvent>{SoundEvent::Click});
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);
    EXPECT_EQ(fake.scoreBar[6], "4");
    EXPECT_EQ(fake.clickCounter, "1(1) Click");
    EXPECT_FALSE(game.gameOver);
    // Only the Cells whose value changed are drawn again: all but (1,0) and (2,1).
    EXPECT_EQ(CallCount("DrawCell "), 10);
    for (const std::string& call : fake.calls) {
        EXPECT_NE(call, "DrawCell 1 0");
        EXPECT_NE(call, "DrawCell 2 1");
    }
}

TEST(Groups, EmptyCellsAndLoneTilesHighlightNothing)
{
    FreshGame(4, 3);
    SetRows({"1203", "1233", "1132"});
    HoverAt(0, 0, 0);
    ASSERT_EQ(ui.selection.size, 4);
    HoverAt(2 * 32 + 5, 0, 0);   // the empty Cell (2,0)
    EXPECT_EQ(ui.selection.size, 0);
    EXPECT_EQ(fake.scoreBar[5], " ");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1203", "1233", "1132"}));

    HoverAt(3 * 32, 2 * 32, 0);  // the lone 2 at (3,2)
    EXPECT_EQ(ui.selection.size, 1);
    EXPECT_EQ(fake.scoreBar[5], "1");
    EXPECT_EQ(Rows(), (std::vector<std::string>{"1203", "1233", "1132"}));
    ClickAt(3 * 32, 2 * 32);
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_TRUE(fake.sounds.empty());
}

TEST(Groups, MovingWithinAGroupKeepsIt)
{
    FreshGame(4, 3);
    SetRows({"1223", "1233", "1132"});
    HoverAt(0, 0, 0);
    ResetFakeFrontEnd();
    HoverAt(10, 70, 0);   // (0,2), same group
    EXPECT_EQ(CallCount("DrawCell "), 0);
    HoverAt(3 * 32, 0, 0);   // onto the 3s: the old group is drawn plain, the new one marked
    EXPECT_EQ(ui.selection.size, 4);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"122M", "12MM", "11M2"}));
    EXPECT_EQ(CallCount("DrawCell "), 4 + 4);
}

TEST(Groups, PointerOutsideTheBoard)
{
    // Below and right of the Board hovering takes the nearest Cell and clicking
    // does nothing; the margin left of it counts as column 0 for both.
    const struct {
        int x, y, moves;
    } places[] = {{32 + 3, 3 * 32 + 40, 0}, {4 * 32 + 10, 0, 0}, {-2, 0, 1}};
    FreshGame(4, 3);
    SetRows({"1223", "1233", "1132"});
    for (const auto& p : places) {
        HoverAt(p.x, p.y, 0);
        EXPECT_EQ(ui.selection.size, 4) << p.x << "," << p.y;
        ClickAt(p.x, p.y);
        EXPECT_EQ(game.moveIndex, p.moves) << p.x << "," << p.y;
    }
    // A click on a tile that the pointer has not highlighted does nothing.
    ClickAt(2 * 32, 2 * 32);
    EXPECT_EQ(game.moveIndex, 1);
}

TEST(Groups, SecondClickRemovesAVanishingGroupAtOnce)
{
    FreshGame(4, 3, TileSetAnimated24);
    SetRows({"1223", "1233", "1132"});
    HoverAt(0, 0, 0);
    ClickAt(0, 0);
    ASSERT_EQ(ui.animState, AnimState::Vanishing);
    ClickAt(0, 40);   // the cell of the second click is the recorded move
    EXPECT_EQ(ui.animState, AnimState::Idle);
    EXPECT_EQ(game.moveIndex, 1);
    EXPECT_EQ(game.moves[1].row, 1);
    EXPECT_FALSE(ui.timerRunning);
}

TEST(Groups, PointerBeforeTheBoardHasStorage)
{
    FreshGame(16, 12);
    board = Board();
    HoverAt(10, 10, 0);
    ClickAt(10, 10);
    EXPECT_EQ(ui.selection.size, 0);
    game.number = 1;
    StartGame(true, false);
    EXPECT_EQ(board.cells.size(), 192u);
    EXPECT_EQ(TilesLeft(), 192);
}
