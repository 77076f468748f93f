// The search for the best line: its lines are legal and score what the game
// scores when a player clicks them, in both modes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>
#include <utility>
#include <vector>

#include "game/hint.h"
#include "search/solve.h"
#include "search/spare.h"
#include "tests/game_helpers.h"

// A line found is not empty and replays by the same rules to the score and
// rest it claims.
static void ExpectLineReplaysToItsClaim(const SolvePosition& p, const SolveResult& r)
{
    ASSERT_FALSE(r.line.empty());
    long long score = 0;
    int rest = 0;
    EXPECT_TRUE(PlayLine(p, r.line, &score, &rest));
    EXPECT_EQ(score, r.score);
    EXPECT_EQ(rest, r.rest);
}

static SolveOptions Limited(long long playouts, int threads = 1)
{
    SolveOptions o;
    o.playoutLimit = playouts;
    o.threads = threads;
    return o;
}

// Each case searches on two threads: the line given out is the best of theirs.
TEST(Solver, LinesReplayThroughTheGameToTheirScore)
{
    struct Case {
        int tileSetKind;
        int number;
        int columns;
        int rows;
        SolveObjective objective;
    };
    const Case cases[] = {
        {TileSetPlain, 1, 16, 12, SolveObjective::Score},
        {TileSetPlain, 77, 20, 15, SolveObjective::FewestLeft},
        {TileSetPlain, 5, 15, 15, SolveObjective::Standard},
        {TileSetPlain, 8, 16, 15, SolveObjective::Standard},   // the largest board of bits
        {TileSetPlain, 3, 70, 60, SolveObjective::Score},   // past 64 x 64 cells: the nested search
        {TileSetRoad, 1, 16, 12, SolveObjective::Score},
        {TileSetRoad, 9, 12, 10, SolveObjective::ScoreLessRest},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        DealNumber(c.number, c.columns, c.rows, c.tileSetKind);
        SolvePosition p = PositionOfGame();
        SolveResult r = Solve(p, c.objective, 0.2, Limited(0, 2));
        ASSERT_NO_FATAL_FAILURE(ExpectLineReplaysToItsClaim(p, r));
        EXPECT_GT(r.playouts, 0);   // the search's own line, not the greedy stand-in

        // Clicked on the game's own board, every move removes a group.
        for (const SolveMove& m : r.line) {
            ASSERT_FALSE(game.gameOver);
            const int before = game.moveIndex;
            PlayAt(m.column, m.row);
            ASSERT_EQ(game.moveIndex, before + 1) << m.column << "," << m.row;
        }
        EXPECT_TRUE(game.gameOver);
        EXPECT_EQ(static_cast<long long>(game.score), r.score);
        EXPECT_EQ(TilesLeft(), r.rest);
        EXPECT_EQ(r.cleared, r.rest == 0);
        SolvePosition end = PositionOfGame();
        EXPECT_EQ(LineValue(c.objective, r.score, end), r.value);
    }
}

TEST(Solver, ALongSearchChoosesTheKindToSpareAndStillReplays)
{
    // A minute's budget (cut short by the playout limit) first tries every
    // kind as the one to spare; a short one spares the kind with the most.
    DealNumber(12, 10, 8);
    SolvePosition p = PositionOfGame();
    int count[16] = {};
    for (unsigned char v : p.cells)
        ++count[v];
    SolveResult quick = Solve(p, SolveObjective::Standard, 0.1, Limited(2000));
    EXPECT_EQ(count[quick.spared], *std::max_element(count + 1, count + 16));
    SolveResult r = Solve(p, SolveObjective::Standard, 60, Limited(300000));
    ASSERT_NO_FATAL_FAILURE(ExpectLineReplaysToItsClaim(p, r));
    EXPECT_EQ(r.playouts, 300001);   // the choice and the search after it, then the first line
    EXPECT_GT(count[r.spared], 1);
    EXPECT_GE(r.value, quick.value);
}

// Every kind of two or more tiles gets its first searches from scratch; the
// three best then get one search that builds on as many short ones as are
// left; the best of all is spared, or the most common kind when nothing ran.
TEST(Solver, TheKindToSpareIsChosenByShortSearchesThenTheFinalistsLongerOnes)
{
    Counts start;
    const int tiles[] = {0, 9, 1, 4, 20, 6, 8};
    for (int k = 1; k <= 6; ++k)
        start.count[k] = tiles[k];
    // Worth of a short search and of the finalists' longer one, by kind.
    const long long shortWorth[] = {0, 50, 999, 40, 10, 30, 20};
    const long long longWorth[] = {0, 60, 999, 45, 999, 80, 999};
    std::vector<std::pair<int, int>> calls;
    auto search = [&](int kind, int searches) {
        calls.emplace_back(kind, searches);
        return searches == 1 ? shortWorth[kind] : longWorth[kind];
    };
    EXPECT_EQ(ChooseSpare(start, 2, 10, [] { return false; }, search), 5);
    const std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 1}, {3, 1}, {3, 1}, {4, 1}, {4, 1}, {5, 1},
                                                       {5, 1}, {6, 1}, {6, 1}, {1, 8}, {3, 8}, {5, 8}};
    EXPECT_EQ(calls, expected);   // kind 2 has one tile; 4 and 6 fall behind

    calls.clear();
    EXPECT_EQ(ChooseSpare(start, 1, 1, [] { return false; }, search), 1);
    EXPECT_EQ(calls.size(), 5u);   // no finalists' round
    calls.clear();
    EXPECT_EQ(ChooseSpare(start, 3, 20, [] { return true; }, search), 4);
    EXPECT_TRUE(calls.empty());
}

// The first of several threads searches as one thread alone does (at a
// fixed number of playouts each), so their best is no worse; a stop from
// another thread ends a search of a minute at once, in either search.
TEST(Solver, ThreadsGiveTheBestOfTheirLinesAndStopWhenAsked)
{
    DealNumber(5, 15, 15);
    SolvePosition p = PositionOfGame();
    SolveResult one = Solve(p, SolveObjective::Standard, 3, Limited(4000));
    SolveResult three = Solve(p, SolveObjective::Standard, 3, Limited(4000, 3));
    ASSERT_NO_FATAL_FAILURE(ExpectLineReplaysToItsClaim(p, three));
    EXPECT_GE(three.value, one.value);
    EXPECT_EQ(three.playouts, 3 * one.playouts);

    DealNumber(3, 70, 60);
    SolvePosition large = PositionOfGame();
    for (const SolvePosition* position : {&p, &large}) {
        std::atomic<bool> stop{false};
        SolveOptions o;
        o.stop = &stop;
        o.threads = 2;
        const auto start = std::chrono::steady_clock::now();
        std::thread stopper([&stop] {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            stop = true;
        });
        SolveResult r = Solve(*position, SolveObjective::Score, 60, o);
        stopper.join();
        EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 20);
        ASSERT_NO_FATAL_FAILURE(ExpectLineReplaysToItsClaim(*position, r));
    }
}

// (That the search finds the one order that clears a board is checked where
// the Hint shows it.)
TEST(Solver, StandardScoringAddsTheClearsBonusOrTheLeftKindsPenalty)
{
    FreshGame(3, 4);
    SetRows({"131", "323", "121", "333"});
    SolveResult s = Solve(PositionOfGame(), SolveObjective::Standard, 0.1);
    EXPECT_EQ(s.value, s.score + 1000);
    FreshGame(3, 1);
    SetRows({"112"});
    s = Solve(PositionOfGame(), SolveObjective::Standard, 0.1);
    EXPECT_EQ(s.score, 0);
    EXPECT_EQ(s.value, -1);   // one tile of kind 2 left: (1 - 2)^2
}

// Boards without moves, moves that remove nothing, and a board with a hole
// under a tile, which play never leaves but a position may be given as.
TEST(Solver, BoardsPlayCannotReach)
{
    FreshGame(3, 1);
    SetRows({"123"});
    SolvePosition p = PositionOfGame();
    SolveResult r = Solve(p, SolveObjective::Score, 0.1);
    EXPECT_TRUE(r.line.empty());
    EXPECT_EQ(r.rest, 3);
    long long score = 0;
    int rest = 0;
    EXPECT_FALSE(PlayLine(p, {{0, 0}}, &score, &rest));
    EXPECT_FALSE(PlayLine(p, {{5, 0}}, &score, &rest));

    FreshGame(4, 3);
    SetRows({"1122", "2012", "1122"});
    p = PositionOfGame();
    ExpectLineReplaysToItsClaim(p, Solve(p, SolveObjective::Score, 0.1));
}
