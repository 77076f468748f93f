// The search's fast board against the rules of play: random lines played through both, compared after every move.
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <vector>

#include "rules/groups.h"
#include "rules/removal.h"
#include "search/bit_engine.h"
#include "search/cell_engine.h"
#include "search/ending.h"
#include "search/fast_board.h"
#include "search/solve.h"
#include "tests/board_rows.h"

// The cell engine's tiles, row after row from the top, as a Board keeps them.
template <bool Road>
static std::vector<unsigned char> RowsOf(const CellEngine<Road>& engine, const FastBoard& b)
{
    const FastLayout& layout = engine.Layout();
    std::vector<unsigned char> rows(static_cast<std::size_t>(layout.C * layout.R));
    for (int c = 0; c < layout.C; ++c)
        for (int up = 0; up < layout.R; ++up)
            rows[static_cast<std::size_t>((layout.R - 1 - up) * layout.C + c)] = b.cells[layout.Index(c, up)];
    return rows;
}

// The bit engine keeps its tiles in the bits alone: a cell holds the kind
// whose bit is set there, and no cell may hold two.
static std::vector<unsigned char> RowsOf(const BitEngine& engine, const FastBoard& b)
{
    const FastLayout& layout = engine.Layout();
    std::vector<unsigned char> rows(static_cast<std::size_t>(layout.C * layout.R));
    for (int kind = 1; kind < Kinds; ++kind)
        for (int c = 0; c < 16; ++c)
            for (int up = 0; up < 16; ++up) {
                std::uint64_t word = b.bits[static_cast<std::size_t>(kind * BitEngine::Words + c / 4)];
                if ((word >> ((c % 4) * 16 + up) & 1) == 0)
                    continue;
                if (c >= layout.C || up >= layout.R) {
                    ADD_FAILURE() << "a tile off the board: column " << c << " up " << up;
                    continue;
                }
                unsigned char& cell = rows[static_cast<std::size_t>((layout.R - 1 - up) * layout.C + c)];
                EXPECT_EQ(cell, 0) << "two kinds at column " << c << " up " << up;
                cell = static_cast<unsigned char>(kind);
            }
    return rows;
}

// The engine's groups are the rules' groups, with the spared kind's left out
// while another kind has one: each engine group's cell lies in a group of
// the rules of the same size and tile, no two in the same one, and there are
// as many as the rules find.
static void ExpectSameGroups(const Board& board, GameMode mode, const FastLayout& layout, const FastGroup* groups,
                             int n, int spare)
{
    int expected = 0;
    int spared = 0;
    for (const BoardGroup& g : GroupsOf(board, mode))
        if (g.size >= 2) {
            if (mode == GameMode::IroGame && CellAt(board, g.column, g.row) == spare)
                ++spared;
            else
                ++expected;
        }
    EXPECT_EQ(n, expected > 0 ? expected : spared);
    Board marks = board;
    for (int k = 0; k < n; ++k) {
        SolveMove m = layout.MoveOf(groups[k].anchor);
        ASSERT_TRUE(IsOnBoard(marks, m.column, m.row));
        ASSERT_NE(CellAt(marks, m.column, m.row), 0);
        ASSERT_LT(CellAt(marks, m.column, m.row), CellMarkBit) << "two groups at " << m.column << "," << m.row;
        Selection s;
        MarkGroupAt(marks, mode, m.column, m.row, &s);
        EXPECT_EQ(s.size, groups[k].size);
        EXPECT_EQ(s.tile, groups[k].value);
    }
}

// Plays random lines from the dealt Board through the engine, finding its
// groups as a playout does (afresh, then updated after each removal), and
// through the rules, comparing the two after every move.
template <class Engine>
static void PlayRandomLines(const Board& dealt, GameMode mode, int lines, std::mt19937& random)
{
    const bool road = mode == GameMode::ZededUdoz;
    SolvePosition position{dealt.columns, dealt.rows, road, dealt.cells};
    Engine engine(dealt.columns, dealt.rows);
    FastBoard start;
    ASSERT_TRUE(engine.Load(position, &start));
    const FastLayout& layout = engine.Layout();
    std::vector<FastGroup> groups(static_cast<std::size_t>(dealt.columns * dealt.rows) / 2 + 2);
    for (int line = 0; line < lines; ++line) {
        SCOPED_TRACE(line);
        FastBoard b = start;
        Board board = dealt;
        long long score = 0;
        const int spare = road ? 0 : static_cast<int>(random() % 7) - 1;   // -1 spares nothing
        int n = engine.FindGroups(b, groups.data(), spare);
        for (int move = 0;; ++move) {
            SCOPED_TRACE(move);
            ASSERT_EQ(RowsOf(engine, b), board.cells);
            int filled = 0;
            for (int c = 0; c < board.columns; ++c) {
                int height = 0;
                while (height < board.rows && CellAt(board, c, board.rows - 1 - height) != 0)
                    ++height;
                ASSERT_EQ(b.height[static_cast<std::size_t>(c)], height) << "column " << c;
                if (height > 0)
                    filled = c + 1;
            }
            EXPECT_EQ(b.columns, filled);
            EXPECT_EQ(b.score, score);
            TileCounts counts = CountTiles(board, mode);
            for (int k = 1; k <= MaxTileKinds; ++k)
                EXPECT_EQ(b.counts.count[k], counts.count[k]) << "kind " << k;
            EXPECT_EQ(b.counts.rest, TilesLeft(counts));
            ASSERT_NO_FATAL_FAILURE(ExpectSameGroups(board, mode, layout, groups.data(), n, spare));
            if (n == 0) {
                EXPECT_TRUE(IsGameOver(board, mode));
                break;
            }
            const FastGroup pick = groups[random() % static_cast<unsigned>(n)];
            SolveMove m = layout.MoveOf(pick.anchor);
            int removed = RemoveGroupAt(board, mode, m.column, m.row);
            // Half the lines remove by the cell, half by the group as found
            // (which the bit engine removes by the cells it keeps with it).
            ASSERT_EQ(line % 2 == 0 ? engine.Remove(b, pick.anchor) : engine.RemoveGroup(b, pick), removed);
            score += RemovalPoints(removed);
            n = engine.UpdateGroups(b, groups.data(), n, spare);
        }
    }
}

TEST(FastBoard, EqualTilesPlayAsTheRulesPlayThem)
{
    struct Case {
        int columns;
        int rows;
        int kinds;
    };
    // Up to 16 x 15 both engines play each board; past it, the cell engine.
    const Case cases[] = {{5, 4, 3}, {10, 8, 4}, {16, 15, 5}, {15, 15, 5}, {16, 12, 3},
                          {17, 6, 3}, {12, 16, 4}, {20, 20, 5}, {30, 12, 4}};
    std::mt19937 random(7);
    for (const Case& c : cases)
        for (int number = 1; number <= 3; ++number) {
            SCOPED_TRACE(testing::Message() << c.columns << "x" << c.rows << " kinds " << c.kinds << " #" << number);
            Board dealt = DealtBoard(c.columns, c.rows, GameMode::IroGame, c.kinds, number);
            SolvePosition position{c.columns, c.rows, false, dealt.cells};
            EXPECT_EQ(BitEngine::Fits(position), c.columns <= 16 && c.rows <= 15);
            if (BitEngine::Fits(position)) {
                ASSERT_NO_FATAL_FAILURE(PlayRandomLines<BitEngine>(dealt, GameMode::IroGame, 8, random));
            }
            ASSERT_NO_FATAL_FAILURE(PlayRandomLines<CellEngine<false>>(dealt, GameMode::IroGame, 8, random));
        }
}

TEST(FastBoard, RoadsPlayAsTheRulesPlayThem)
{
    const int sizes[][2] = {{6, 5}, {16, 12}, {20, 18}};
    std::mt19937 random(11);
    for (const auto& size : sizes)
        for (int number = 1; number <= 3; ++number) {
            SCOPED_TRACE(testing::Message() << size[0] << "x" << size[1] << " #" << number);
            Board dealt = DealtBoard(size[0], size[1], GameMode::ZededUdoz, RoadTileValues, number);
            ASSERT_NO_FATAL_FAILURE(PlayRandomLines<CellEngine<true>>(dealt, GameMode::ZededUdoz, 8, random));
        }
}

// On a board small enough for the whole game to be worked out, the ending
// search gives a line that replays by the rules to the worth it claims, and
// no random line is worth more.
template <class Engine>
static void ExpectEndingSearchFindsTheBest(const Board& dealt, GameMode mode, std::mt19937& random)
{
    SolvePosition position{dealt.columns, dealt.rows, mode == GameMode::ZededUdoz, dealt.cells};
    Engine engine(dealt.columns, dealt.rows);
    FastBoard start;
    ASSERT_TRUE(engine.Load(position, &start));
    std::vector<FastGroup> groups(static_cast<std::size_t>(dealt.columns * dealt.rows) / 2 + 2);
    auto randomLine = [&](std::vector<int>* line) {
        FastBoard b = start;
        line->clear();
        for (int n; (n = engine.FindGroups(b, groups.data())) > 0;) {
            line->push_back(groups[random() % static_cast<unsigned>(n)].anchor);
            engine.Remove(b, line->back());
        }
        return Value(SolveObjective::Standard, b.score, b.counts);
    };
    std::vector<int> line;
    long long value = randomLine(&line);
    const long long before = value;
    EndingSearch<Engine> ending(&engine, SolveObjective::Standard, 100000,
                                Budget(SearchClock::now() + std::chrono::seconds(60), nullptr, 0, 1, nullptr));
    ending.Polish(start, &line, &value);
    EXPECT_GE(value, before);
    FastBoard b = start;
    std::vector<SolveMove> moves;
    for (int cell : line) {
        moves.push_back(engine.Layout().MoveOf(cell));
        ASSERT_GE(engine.Remove(b, cell), 2);
    }
    EXPECT_EQ(Value(SolveObjective::Standard, b.score, b.counts), value);
    long long score = 0;
    int rest = 0;
    EXPECT_TRUE(PlayLine(position, moves, &score, &rest));
    EXPECT_EQ(score, b.score);
    for (int k = 0; k < 2000; ++k)
        ASSERT_LE(randomLine(&line), value);
}

TEST(FastBoard, TheEndingSearchFindsTheBestEnd)
{
    std::mt19937 random(5);
    for (int number = 1; number <= 4; ++number) {
        SCOPED_TRACE(number);
        Board dealt = DealtBoard(5, 4, GameMode::IroGame, 3, number);
        ASSERT_NO_FATAL_FAILURE(ExpectEndingSearchFindsTheBest<BitEngine>(dealt, GameMode::IroGame, random));
        ASSERT_NO_FATAL_FAILURE(ExpectEndingSearchFindsTheBest<CellEngine<false>>(dealt, GameMode::IroGame, random));
        dealt = DealtBoard(5, 4, GameMode::ZededUdoz, RoadTileValues, number);
        ASSERT_NO_FATAL_FAILURE(ExpectEndingSearchFindsTheBest<CellEngine<true>>(dealt, GameMode::ZededUdoz, random));
    }
}
