// Play: highlighting groups under the pointer and removing them, in both modes
// and with the animated tile sets.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/board.h"
#include "game/groups.h"
#include "game/scoring.h"
#include "tests/game_helpers.h"
#include "game/removal.h"
#include "game/pointer.h"
#include "game/session.h"

static int DrawCalls()
{
    int n = 0;
    for (const std::string& call : fake.calls)
        n += call.compare(0, 9, "DrawCell ") == 0;
    return n;
}

TEST(Groups, WorkedExample)
{
    FreshGame(4, 3);
    SetRows({"1223", "1233", "1132"});
    HoverAt(0, 0, 0);
    EXPECT_EQ(ui.selection.size, 4);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"M223", "M233", "MM32"}));
    EXPECT_EQ(fake.scoreBar[5], "4");
    EXPECT_EQ(DrawCalls(), 4);

    ResetFakeFrontEnd();
    ClickAt(5, 5);
    EXPECT_EQ(game.score, 4);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0230", "2330", "2320"}));
    EXPECT_EQ(game.counts.count[1], 0);
    EXPECT_EQ(game.counts.count[2], 4);
    EXPECT_EQ(game.counts.count[3], 4);
    EXPECT_EQ(game.moveIndex, 1);
    EXPECT_EQ(game.moves[1].column, 0);
    EXPECT_EQ(game.moves[1].row, 0);
    EXPECT_EQ(ui.selection.size, 0);
    ASSERT_EQ(fake.sounds.size(), 1u);
    EXPECT_EQ(fake.sounds[0], SoundEvent::Click);
    EXPECT_FALSE(fake.enabled[GameCommand::Redo]);
    EXPECT_EQ(fake.scoreBar[6], "4");
    EXPECT_EQ(fake.clickCounter, "1(1) Click");
    EXPECT_FALSE(game.gameOver);
    // Only the Cells whose value changed are drawn again: all but (1,0) and (2,1).
    EXPECT_EQ(DrawCalls(), 10);
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
    // The score bar itself shows a lone tile's size as a blank.
    char text[8];
    FormatScoreBarField(5, text, sizeof text);
    EXPECT_STREQ(text, " ");
}

TEST(Groups, MovingWithinAGroupKeepsIt)
{
    FreshGame(4, 3);
    SetRows({"1223", "1233", "1132"});
    HoverAt(0, 0, 0);
    ResetFakeFrontEnd();
    HoverAt(10, 70, 0);   // (0,2), same group
    EXPECT_EQ(DrawCalls(), 0);
    EXPECT_EQ(ui.selection.size, 4);
    HoverAt(3 * 32, 0, 0);   // onto the 3s: the old group is drawn plain, the new one marked
    EXPECT_EQ(ui.selection.size, 4);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"122M", "12MM", "11M2"}));
    EXPECT_EQ(DrawCalls(), 4 + 4);
}

TEST(Groups, PointerOutsideTheBoard)
{
    FreshGame(4, 3);
    SetRows({"1223", "1233", "1132"});
    // Below the Board: hovering takes the bottom row, clicking does nothing.
    HoverAt(32 + 3, 3 * 32 + 40, 0);
    EXPECT_EQ(ui.selection.size, 4);
    ClickAt(32 + 3, 3 * 32 + 40);
    EXPECT_EQ(game.moveIndex, 0);
    // Right of the Board likewise.
    HoverAt(4 * 32 + 10, 0, 0);
    EXPECT_EQ(ui.selection.size, 4);
    ClickAt(4 * 32 + 10, 0);
    EXPECT_EQ(game.moveIndex, 0);
    // The margin left of the Board counts as column 0 for both.
    HoverAt(-2, 0, 0);
    EXPECT_EQ(ui.selection.size, 4);
    ClickAt(-1, 0);
    EXPECT_EQ(game.moveIndex, 1);
    // A click on a tile that the pointer has not highlighted does nothing.
    ClickAt(2 * 32, 2 * 32);
    EXPECT_EQ(game.moveIndex, 1);
}

TEST(Groups, TilesFallAndColumnsClose)
{
    FreshGame(4, 3);
    SetRows({"3000", "2400", "1152"});
    PlayAt(0, 2);   // the bottom of column 0 and (1,2)
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0000", "3000", "2452"}));

    // Removing all of column 0 moves every other column one place left.
    FreshGame(4, 3);
    SetRows({"1300", "1320", "1345"});
    PlayAt(0, 0);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"3000", "3200", "3450"}));

    // Two columns that are not neighbours empty at once: both gaps close.
    FreshGame(6, 3);
    SetRows({"000000", "055500", "152534"});
    PlayAt(1, 2);
    EXPECT_EQ(game.score, 9);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"000000", "000000", "123400"}));
}

TEST(Groups, RoadConnectorsMustFace)
{
    FreshGame(4, 3, TileSetRoad);
    // (0,2) = 5 (up, right) next to (1,2) = 6 (down, right): no RoadLeft, no link.
    // (0,1) = 6 (down, right) above (0,2): down meets up; (1,1) = a (left, down):
    // left meets (0,1)'s right, but its down finds no RoadUp in (1,2).
    SetRows({"0000", "6a00", "5600"});
    HoverAt(0, 64, 0);
    EXPECT_EQ(ui.selection.size, 3);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0000", "MM00", "M600"}));
    ClickAt(0, 64);
    EXPECT_EQ(game.score, 1);
    EXPECT_EQ(game.counts.count[1], 1);
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0000", "0000", "6000"}));
    EXPECT_TRUE(game.gameOver);
}

TEST(Groups, WholeBoardGroupOnTheLargestSheet)
{
    FreshGame(240, 160, TileSetPlain, 5, 4);
    std::fill(board.cells.begin(), board.cells.end(), 3);
    CountTiles();
    HighlightGroupAt(120, 80);
    EXPECT_EQ(ui.selection.size, 38400);
    EXPECT_EQ(ui.selection.minColumn, 0);
    EXPECT_EQ(ui.selection.maxColumn, 239);
    EXPECT_EQ(ui.selection.maxRow, 159);
    ClickAt(120 * 4, 80 * 4);
    EXPECT_EQ(game.score, 38398.0 * 38398.0);
    EXPECT_EQ(TilesLeft(), 0);
    EXPECT_TRUE(game.gameOver);
    EXPECT_EQ(std::count(board.cells.begin(), board.cells.end(), 0), 38400);

    // The same in ZededUdoz: a grid of crossings.
    FreshGame(240, 160, TileSetRoad, 15, 4);
    std::fill(board.cells.begin(), board.cells.end(), 15);
    CountTiles();
    HighlightGroupAt(0, 0);
    EXPECT_EQ(ui.selection.size, 38400);
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

// The removal as the rules state it, step by step, on plain loops.
static void ReferenceRemoval(std::vector<unsigned char>& cells, int columns, int rows, const Selection& s)
{
    auto at = [&](int c, int r) -> unsigned char& { return cells[r * columns + c]; };
    for (int c = s.minColumn; c <= s.maxColumn; ++c)
        for (int r = s.minRow; r <= s.maxRow; ++r)
            if (at(c, r) >= 32)
                at(c, r) = 0;
    for (int c = s.minColumn; c <= s.maxColumn; ++c)
        for (int r = s.maxRow; r >= 1; --r)
            if (at(c, r) == 0)
                for (int k = r - 1; k >= 0; --k)
                    if (at(c, k) != 0) {
                        at(c, r) = at(c, k);
                        at(c, k) = 0;
                        break;
                    }
    int last = s.minColumn + 1 < columns - 1 ? s.minColumn + 1 : columns - 1;
    bool gap = false;
    for (int k = s.minColumn; k < columns; ++k) {
        if (at(k, rows - 1) != 0)
            last = k;
        else
            gap = true;
    }
    if (!gap)
        return;
    for (int k = s.minColumn; k <= last; ++k) {
        if (at(k, rows - 1) != 0)
            continue;
        for (int d = k + 1; d <= last; ++d)
            if (at(d, rows - 1) != 0) {
                for (int r = 0; r < rows; ++r) {
                    at(k, r) = at(d, r);
                    at(d, r) = 0;
                }
                break;
            }
    }
}

TEST(Groups, RemovalMatchesTheRulesStepByStep)
{
    // Whole games on small sheets with three kinds, and boards with holes as a
    // hand-edited saved game may bring: every removal equals the plain version.
    int checked = 0;
    for (int number = 1; number <= 60; ++number) {
        FreshGame(8 + number % 5, 6 + number % 3, TileSetPlain, 3);
        game.number = number;
        StartGame(true, false);
        if (number % 2 == 0)
            for (int i = 0; i < board.columns * board.rows; i += 7)
                board.cells[i] = 0;
        CountTiles();
        int c = 0, r = 0;
        for (int move = 0; move < 200 && !game.gameOver; ++move) {
            // A random cell of the board, the first group otherwise.
            c = (number * 31 + move * 17) % board.columns;
            r = (number * 7 + move * 13) % board.rows;
            HighlightGroupAt(c, r);
            if (ui.selection.size < 2 && !FirstGroup(&c, &r))
                break;
            HighlightGroupAt(c, r);
            if (ui.selection.size < 2)
                break;
            std::vector<unsigned char> expected = board.cells;
            ReferenceRemoval(expected, board.columns, board.rows, ui.selection);
            ClickAt(c * 32, r * 32);
            ASSERT_EQ(board.cells, expected) << "number " << number << " move " << move;
            ++checked;
        }
    }
    EXPECT_GT(checked, 500);
}

// The group as the rules define it: a fill Cell by Cell through connected neighbours.
static std::vector<bool> ReferenceGroup(int column, int row)
{
    std::vector<bool> in(board.cells.size(), false);
    std::vector<std::pair<int, int>> todo{{column, row}};
    in[row * board.columns + column] = true;
    const int dc[] = {0, 0, -1, 1};
    const int dr[] = {-1, 1, 0, 0};
    const unsigned char toward[] = {RoadUp, RoadDown, RoadLeft, RoadRight};
    while (!todo.empty()) {
        auto [c, r] = todo.back();
        todo.pop_back();
        for (int i = 0; i < 4; ++i) {
            int nc = c + dc[i], nr = r + dr[i];
            if (!IsOnBoard(nc, nr) || in[nr * board.columns + nc])
                continue;
            if (TilesConnect(CellAt(c, r), CellAt(nc, nr), toward[i])) {
                in[nr * board.columns + nc] = true;
                todo.push_back({nc, nr});
            }
        }
    }
    return in;
}

TEST(Groups, GroupsMatchACellByCellFill)
{
    unsigned seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
    };
    for (int round = 0; round < 40; ++round) {
        bool road = round % 2 == 1;
        FreshGame(9 + round % 7, 6 + round % 5, road ? TileSetRoad : TileSetPlain);
        int kinds = road ? 16 : 2 + round % 3;
        for (unsigned char& cell : board.cells)
            cell = static_cast<unsigned char>(next(kinds + 1) % (kinds + 1));
        CountTiles();
        for (int r = 0; r < board.rows; ++r)
            for (int c = 0; c < board.columns; ++c) {
                if (CellAt(c, r) == 0)
                    continue;
                std::vector<bool> expected = ReferenceGroup(c, r);
                int size = 0, minC = c, maxC = c, minR = r, maxR = r;
                for (int i = 0; i < static_cast<int>(expected.size()); ++i)
                    if (expected[i]) {
                        ++size;
                        minC = std::min(minC, i % board.columns);
                        maxC = std::max(maxC, i % board.columns);
                        minR = std::min(minR, i / board.columns);
                        maxR = std::max(maxR, i / board.columns);
                    }
                Selection& s = ui.selection;
                s.minColumn = s.maxColumn = c;
                s.minRow = s.maxRow = r;
                s.size = 1;
                SetCell(c, r, CellAt(c, r) | CellMarkBit);
                GrowGroup(c, r);
                ASSERT_EQ(s.size, size) << round << " " << c << "," << r;
                EXPECT_EQ(s.minColumn, minC);
                EXPECT_EQ(s.maxColumn, maxC);
                EXPECT_EQ(s.minRow, minR);
                EXPECT_EQ(s.maxRow, maxR);
                for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
                    ASSERT_EQ(board.cells[i] >= CellMarkBit, expected[i]) << round << " " << c << "," << r;
                    board.cells[i] &= CellTileMask;
                }
            }
    }
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
