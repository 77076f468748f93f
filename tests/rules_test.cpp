// The rules of play on Board values: groups in both modes, removal with
// falling tiles and closing columns, the end test, the counts and dealing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "rules/groups.h"
#include "rules/removal.h"
#include "tests/board_rows.h"

// The marks and the fall of this worked example are checked where the game
// plays it; here what the removal reports to its caller.
TEST(Rules, RemovalReportsTheColumnsItChangedAndRemovesOnlyGroups)
{
    Board b = BoardOfRows({"1223", "1233", "1132"});
    Selection s;
    MarkGroupAt(b, GameMode::IroGame, 0, 0, &s);
    EXPECT_EQ(s.tile, 1);
    RemovalChange changed = RemoveMarkedGroup(b, &s, false);
    EXPECT_EQ(changed.firstColumn, 0);
    EXPECT_EQ(changed.lastColumn, 3);   // every column moved one place left
    EXPECT_EQ(RemoveGroupAt(b, GameMode::IroGame, 2, 2), 0);   // a lone tile
    EXPECT_EQ(RemoveGroupAt(b, GameMode::IroGame, 0, 0), 0);   // an emptied Cell
    EXPECT_EQ(RemoveGroupAt(b, GameMode::IroGame, 9, 0), 0);
    EXPECT_EQ(RowsOf(b), (std::vector<std::string>{"0230", "2330", "2320"}));
    EXPECT_EQ(RemovalPoints(4), 4);
    EXPECT_EQ(RemovalPoints(38400), 38398LL * 38398LL);
}

TEST(Rules, RoadsJoinOnlyByFacingConnectors)
{
    // Tile 3 (up + down) above tile 1 (up): the lower one points up, the upper one down.
    EXPECT_TRUE(TilesConnect(GameMode::ZededUdoz, 1, 3, RoadUp));
    EXPECT_TRUE(TilesConnect(GameMode::ZededUdoz, 3, 1, RoadDown));
    EXPECT_FALSE(TilesConnect(GameMode::ZededUdoz, 3, 4, RoadDown));
    EXPECT_FALSE(TilesConnect(GameMode::ZededUdoz, 4 | 1, 2, RoadRight));  // no RoadLeft on the right-hand tile
    EXPECT_TRUE(TilesConnect(GameMode::ZededUdoz, 4, 8, RoadRight));
    EXPECT_FALSE(TilesConnect(GameMode::ZededUdoz, 4, 8 | CellMarkBit, RoadRight));
    EXPECT_TRUE(TilesConnect(GameMode::IroGame, 2, 2, RoadLeft));
    EXPECT_FALSE(TilesConnect(GameMode::IroGame, 2, 2 | CellMarkBit, RoadLeft));  // a marked 2 reads as 34
    EXPECT_FALSE(TilesConnect(GameMode::IroGame, 0, 0, RoadUp));

    // (0,2) = 5 (up, right) next to (1,2) = 6 (down, right): no RoadLeft, no link.
    // (0,1) = 6 (down, right) above (0,2): down meets up; (1,1) = a (left, down):
    // left meets (0,1)'s right, but its down finds no RoadUp in (1,2).
    Board b = BoardOfRows({"0000", "6a00", "5600"});
    Selection s;
    MarkGroupAt(b, GameMode::ZededUdoz, 0, 2, &s);
    EXPECT_EQ(s.size, 3);
    EXPECT_EQ(RowsOf(b), (std::vector<std::string>{"0000", "MM00", "M600"}));
}

TEST(Rules, EndTestInBothModes)
{
    const struct {
        GameMode mode;
        std::vector<std::string> rows;
        bool over;
    } cases[] = {
        {GameMode::IroGame, {"0000", "0000", "0000"}, true},
        {GameMode::IroGame, {"0000", "2100", "1200"}, true},    // equal tiles only diagonally
        {GameMode::IroGame, {"0000", "2100", "1210"}, true},
        {GameMode::IroGame, {"0010", "2110", "1213"}, false},   // pairs above the bottom row
        {GameMode::IroGame, {"0000", "2100", "1233"}, false},   // a pair on the bottom row, at the end
        {GameMode::IroGame, {"1212", "2121", "1212"}, true},
        {GameMode::ZededUdoz, {"0000", "5000", "5a00"}, false},    // (0,2) right meets (1,2) left
        {GameMode::ZededUdoz, {"0000", "4000", "5200"}, true},     // connectors that face nothing
        {GameMode::ZededUdoz, {"0000", "2000", "1000"}, false},    // down above up
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.rows[1] + " " + c.rows[2]);
        EXPECT_EQ(IsGameOver(BoardOfRows(c.rows), c.mode), c.over);
    }
    Board none;
    ResizeCells(none, 0, 0);
    EXPECT_TRUE(IsGameOver(none, GameMode::IroGame));
}

TEST(Rules, GroupsOfListsEachGroupOnceFromItsFirstCell)
{
    Board b = BoardOfRows({"1223", "1233", "1132"});
    std::vector<std::vector<int>> listed;   // column, row, size
    for (const BoardGroup& g : GroupsOf(b, GameMode::IroGame))
        listed.push_back({g.column, g.row, g.size});
    EXPECT_EQ(listed, (std::vector<std::vector<int>>{{0, 0, 4}, {1, 0, 3}, {3, 0, 4}, {3, 2, 1}}));
    EXPECT_EQ(RowsOf(b), (std::vector<std::string>{"1223", "1233", "1132"}));
}

TEST(Rules, WholeBoardGroupOnTheLargestSheet)
{
    Board b;
    ResizeCells(b, MaxColumns, MaxRows);
    std::fill(b.cells.begin(), b.cells.end(), 3);
    Selection s;
    MarkGroupAt(b, GameMode::IroGame, 120, 80, &s);
    EXPECT_EQ(s.size, 38400);
    EXPECT_EQ((std::vector<int>{s.minColumn, s.maxColumn, s.minRow, s.maxRow}), (std::vector<int>{0, 239, 0, 159}));
    RemoveMarkedGroup(b, &s, true);
    EXPECT_EQ(std::count(b.cells.begin(), b.cells.end(), 0), 38400);
    EXPECT_TRUE(IsGameOver(b, GameMode::IroGame));

    // The same in ZededUdoz: a grid of crossings.
    std::fill(b.cells.begin(), b.cells.end(), 15);
    MarkGroupAt(b, GameMode::ZededUdoz, 0, 0, &s);
    EXPECT_EQ(s.size, 38400);
}

// The group as the rules define it: a fill Cell by Cell through connected neighbours.
static std::vector<bool> ReferenceGroup(const Board& b, GameMode mode, int column, int row)
{
    std::vector<bool> in(b.cells.size(), false);
    std::vector<std::pair<int, int>> todo{{column, row}};
    in[row * b.columns + column] = true;
    const int dc[] = {0, 0, -1, 1};
    const int dr[] = {-1, 1, 0, 0};
    const unsigned char toward[] = {RoadUp, RoadDown, RoadLeft, RoadRight};
    while (!todo.empty()) {
        auto [c, r] = todo.back();
        todo.pop_back();
        for (int i = 0; i < 4; ++i) {
            int nc = c + dc[i], nr = r + dr[i];
            if (!IsOnBoard(b, nc, nr) || in[nr * b.columns + nc])
                continue;
            if (TilesConnect(mode, CellAt(b, c, r), CellAt(b, nc, nr), toward[i])) {
                in[nr * b.columns + nc] = true;
                todo.push_back({nc, nr});
            }
        }
    }
    return in;
}

TEST(Rules, GroupsMatchACellByCellFill)
{
    unsigned seed = 12345;
    auto next = [&seed](int n) {
        seed = seed * 1103515245u + 12345u;
        return static_cast<int>((seed >> 16) % static_cast<unsigned>(n));
    };
    for (int round = 0; round < 40; ++round) {
        bool road = round % 2 == 1;
        GameMode mode = road ? GameMode::ZededUdoz : GameMode::IroGame;
        Board b;
        ResizeCells(b, 9 + round % 7, 6 + round % 5);
        int kinds = road ? 16 : 2 + round % 3;
        for (unsigned char& cell : b.cells)
            cell = static_cast<unsigned char>(next(kinds + 1) % (kinds + 1));
        for (int r = 0; r < b.rows; ++r)
            for (int c = 0; c < b.columns; ++c) {
                if (CellAt(b, c, r) == 0)
                    continue;
                std::vector<bool> expected = ReferenceGroup(b, mode, c, r);
                Selection s;
                s.minColumn = s.maxColumn = c;
                s.minRow = s.maxRow = r;
                s.size = 1;
                SetCell(b, c, r, CellAt(b, c, r) | CellMarkBit);
                GrowGroup(b, mode, c, r, &s);
                int size = 0;
                std::vector<int> box = {c, c, r, r};   // columns, then rows
                for (int i = 0; i < static_cast<int>(expected.size()); ++i) {
                    ASSERT_EQ(b.cells[i] >= CellMarkBit, expected[i]) << round << " " << c << "," << r;
                    b.cells[i] &= CellTileMask;
                    if (expected[i]) {
                        const int column = i % b.columns, row = i / b.columns;
                        ++size;
                        box = {std::min(box[0], column), std::max(box[1], column), std::min(box[2], row),
                               std::max(box[3], row)};
                    }
                }
                EXPECT_EQ(s.size, size);
                EXPECT_EQ((std::vector<int>{s.minColumn, s.maxColumn, s.minRow, s.maxRow}), box);
            }
    }
}

// The removal stated step by step, on plain loops.
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

TEST(Rules, RemovalMatchesThePlainVersionStepByStep)
{
    // Whole games on small sheets with three kinds, and boards with holes as a
    // hand-edited saved game may bring: every removal equals the plain version.
    int checked = 0;
    for (int number = 1; number <= 60; ++number) {
        Board b = DealtBoard(8 + number % 5, 6 + number % 3, GameMode::IroGame, 3, number);
        if (number % 2 == 0)
            for (int i = 0; i < b.columns * b.rows; i += 7)
                b.cells[i] = 0;
        for (int move = 0; move < 200 && !IsGameOver(b, GameMode::IroGame); ++move) {
            // A random cell of the board, the first group otherwise.
            int c = (number * 31 + move * 17) % b.columns;
            int r = (number * 7 + move * 13) % b.rows;
            Selection s;
            MarkGroupAt(b, GameMode::IroGame, c, r, &s);
            if (s.size < 2) {
                std::vector<BoardGroup> groups = GroupsOf(b, GameMode::IroGame);
                auto group = std::find_if(groups.begin(), groups.end(), [](const BoardGroup& g) { return g.size >= 2; });
                if (group == groups.end())
                    break;
                MarkGroupAt(b, GameMode::IroGame, group->column, group->row, &s);
            }
            std::vector<unsigned char> expected = b.cells;
            ReferenceRemoval(expected, b.columns, b.rows, s);
            const std::vector<unsigned char> before = b.cells;
            const RemovalChange changed = RemoveMarkedGroup(b, &s, false);
            ASSERT_EQ(b.cells, expected) << "number " << number << " move " << move;
            // Every Cell that changed lies in the columns reported for redrawing.
            for (std::size_t i = 0; i < before.size(); ++i) {
                const int column = static_cast<int>(i) % b.columns;
                if ((before[i] & ~CellMarkBit) != b.cells[i]) {
                    ASSERT_TRUE(column >= changed.firstColumn && column <= changed.lastColumn)
                        << "number " << number << " move " << move << " column " << column;
                }
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 500);
}

TEST(Rules, RoadEdgesNeverPointOnlyOffTheBoard)
{
    for (int number = 0; number < 40; ++number) {
        Board b;
        ResizeCells(b, 16, 12);
        TileCounts counts = DealGame(b, GameMode::ZededUdoz, 5, number * 7919 - 100000);
        EXPECT_EQ(counts.count[1], 192);
        for (int c = 0; c < b.columns; ++c)
            for (int r = 0; r < b.rows; ++r) {
                int v = CellAt(b, c, r);
                ASSERT_GE(v, 1);
                ASSERT_LE(v, 15);
                bool last = c == b.columns - 1, bottom = r == b.rows - 1;
                std::vector<int> never;
                if (c == 0)
                    never = r == 0 ? std::vector<int>{1, 8, 9} : bottom ? std::vector<int>{4, 8, 12} : std::vector<int>{8};
                else if (last)
                    never = r == 0 ? std::vector<int>{1, 4, 5} : bottom ? std::vector<int>{2, 4, 6} : std::vector<int>{4};
                else if (r == 0)
                    never = {1};
                else if (bottom)
                    never = {2};
                for (int bad : never)
                    ASSERT_NE(v, bad) << c << "," << r;
            }
    }
}
