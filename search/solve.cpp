// The entry of the search: the engine is chosen once, the search runs, and its line is played by the rules of play.
//
// The search works on its own board kept by columns (search/fast_board.h)
// and adapts a playout policy (search/policy_search.h): a minute gives a few
// searches of level 3 (a million playouts each), and each one after the first
// starts from weights already drawn towards the best line so far, which does
// better than starting each afresh. Boards of more than 64 x 64 cells get a
// nested Monte-Carlo search instead (search/nested.h), whose playouts can
// stop midway when time is up. Every line is replayed by the rules of play
// before it is given out; a board with a hole under a tile (which play never
// leaves) gets only a greedy line by those rules. Several threads run
// independent searches, each from its own seeds, and the best line of them
// all is given out; after a long search (4 s or more) its end is first
// worked out exactly (search/ending.h), in a share of the time kept for it.
#include "search/solve.h"

#include <algorithm>
#include <chrono>
#include <thread>
#include <utility>

#include "rules/board.h"
#include "rules/groups.h"
#include "rules/removal.h"
#include "search/bit_engine.h"
#include "search/budget.h"
#include "search/cell_engine.h"
#include "search/ending.h"
#include "search/nested.h"
#include "search/policy_search.h"
#include "search/worth.h"

namespace {

// The policy search's limit: larger boards get the nested search.
const int PolicyCells = 4096;

// A long search's line gets its end worked out exactly: at most so many
// positions, in at most this share of the time.
const long long EndingPositions = 300000;
const double EndingShare = 0.01;
const double MaxEndingSeconds = 1.0;

Board BoardOf(const SolvePosition& p)
{
    Board b;
    b.columns = p.columns;
    b.rows = p.rows;
    b.cells = p.cells;
    return b;
}

GameMode ModeOf(const SolvePosition& p)
{
    return p.road ? GameMode::ZededUdoz : GameMode::IroGame;
}

Counts CountAll(const std::vector<unsigned char>& cells, bool road)
{
    return CountCells(cells.data(), static_cast<int>(cells.size()), road);
}

// The line that takes the largest group each time (the first of them).
SolveResult GreedyLine(const SolvePosition& position, SolveObjective objective)
{
    SolveResult best;
    Board board = BoardOf(position);
    const GameMode mode = ModeOf(position);
    while (true) {
        std::vector<BoardGroup> groups = GroupsOf(board, mode);
        const BoardGroup* pick = nullptr;
        for (const BoardGroup& g : groups)
            if (g.size >= 2 && (pick == nullptr || g.size > pick->size))
                pick = &g;
        if (pick == nullptr)
            break;
        best.line.push_back(SolveMove{pick->column, pick->row});
        best.score += RemovalPoints(RemoveGroupAt(board, mode, pick->column, pick->row));
    }
    Counts counts = CountAll(board.cells, position.road);
    best.rest = counts.rest;
    best.cleared = counts.rest == 0;
    best.value = Value(objective, best.score, counts);
    return best;
}

// Each thread's searches draw on generators of their own: thread 0 on these
// seeds, so that one thread searches as it always has.
const std::uint64_t PolicySeed = 0x9E3779B97F4A7C15ull;
const std::uint64_t NestedSeed = 0x2545F4914F6CDD1Dull;

std::uint64_t ThreadSeed(std::uint64_t seed, int thread)
{
    std::uint64_t s = seed ^ (static_cast<std::uint64_t>(thread) * 0xD1B54A32D192ED03ull);
    return s != 0 ? s : seed;
}

// A thread's line, as the cells its removals start from on the fast board,
// and its worth.
struct Found {
    std::vector<int> cells;
    long long value = 0;
    long long playouts = 0;
    int spared = 0;
};

// One thread's search.
template <class Engine>
Found SearchOnce(const SolvePosition& position, SolveObjective objective, double seconds,
                 SearchClock::time_point deadline, const SolveOptions& options, int thread)
{
    Engine engine(position.columns, position.rows);
    FastBoard board;
    engine.Load(position, &board);   // the caller found that it loads
    // A first whole line from one playout, then the search improves on it.
    Found found;
    Nested<Engine> nested(&engine, objective,
                          Budget(deadline, options.stop, 0, ThreadSeed(NestedSeed, thread), options.progress));
    FastBoard scratch = board;
    found.value = nested.Playout(scratch, &found.cells);
    if (position.columns * position.rows <= PolicyCells) {
        PolicySearch<Engine> policy(&engine, objective,
                                    Budget(deadline, options.stop, options.playoutLimit,
                                           ThreadSeed(PolicySeed, thread), options.progress));
        // A minute affords three short searches for each kind to spare and
        // seventeen more, one building on the other, for each finalist (a
        // quarter of the playouts: a wrong kind costs more than the search
        // loses), ten seconds one and two more; a Hint's half second keeps to
        // the kind with the most.
        int first = seconds >= 30 ? 3 : seconds >= 4 ? 1 : 0;
        int trials = seconds >= 30 ? 20 : seconds >= 4 ? 3 : 0;
        policy.Run(board, first, trials, &found.cells, &found.value);
        found.playouts = policy.Playouts();
        found.spared = policy.Spared();
    } else {
        nested.Run(board, &found.cells, &found.value);
    }
    found.playouts += nested.Playouts();
    return found;
}

// The threads' searches side by side; the best of their lines (the first
// thread's of equal ones), its end worked out exactly after a long search,
// then played by the rules.
template <class Engine>
SolveResult SearchWith(const SolvePosition& position, SolveObjective objective, double seconds,
                       SearchClock::time_point deadline, const SolveOptions& options)
{
    Engine engine(position.columns, position.rows);
    FastBoard board;
    if (!engine.Load(position, &board))
        return GreedyLine(position, objective);
    const bool polish = seconds >= 4 && position.columns * position.rows <= PolicyCells;
    const SearchClock::time_point searchDeadline =
        polish ? deadline - std::chrono::microseconds(
                                static_cast<long long>(std::min(seconds * EndingShare, MaxEndingSeconds) * 1e6))
               : deadline;
    const int threads = std::min(std::max(options.threads, 1), MaxSolveThreads);
    std::vector<Found> found(static_cast<std::size_t>(threads));
    auto search = [&](int t) {
        found[static_cast<std::size_t>(t)] =
            SearchOnce<Engine>(position, objective, seconds, searchDeadline, options, t);
    };
    std::vector<std::thread> workers;
    for (int t = 1; t < threads; ++t)
        workers.emplace_back(search, t);
    search(0);
    for (std::thread& w : workers)
        w.join();
    std::size_t pick = 0;
    long long playouts = 0;
    for (std::size_t t = 0; t < found.size(); ++t) {
        playouts += found[t].playouts;
        if (found[t].value > found[pick].value)
            pick = t;
    }
    Found& line = found[pick];
    if (polish) {
        EndingSearch<Engine> ending(&engine, objective, EndingPositions, Budget(deadline, options.stop, 0, 1, nullptr));
        ending.Polish(board, &line.cells, &line.value);
    }
    // Replay the line on the board to turn its cells into moves.
    SolveResult best;
    FastBoard scratch = board;
    for (int i : line.cells) {
        best.line.push_back(engine.Layout().MoveOf(i));
        engine.Remove(scratch, i);
    }
    long long score = 0;
    int rest = 0;
    if (!PlayLine(position, best.line, &score, &rest) || score != scratch.score)
        return GreedyLine(position, objective);
    best.score = score;
    best.rest = rest;
    best.cleared = rest == 0;
    best.value = Value(objective, score, scratch.counts);
    best.playouts = playouts;
    best.spared = line.spared;
    return best;
}

}  // namespace

int AllCores()
{
    unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : static_cast<int>(std::min<unsigned>(cores, MaxSolveThreads));
}

SolveResult Solve(const SolvePosition& position, SolveObjective objective, double seconds,
                  const SolveOptions& options)
{
    if (!HoldsItsCells(BoardOf(position)))
        return SolveResult();
    SearchClock::time_point deadline = DeadlineAfter(SearchClock::now(), seconds);
    if (BitEngine::Fits(position))
        return SearchWith<BitEngine>(position, objective, seconds, deadline, options);
    if (position.road)
        return SearchWith<CellEngine<true>>(position, objective, seconds, deadline, options);
    return SearchWith<CellEngine<false>>(position, objective, seconds, deadline, options);
}

bool PlayLine(const SolvePosition& position, const std::vector<SolveMove>& line, long long* score, int* rest)
{
    Board board = BoardOf(position);
    const GameMode mode = ModeOf(position);
    long long total = 0;
    bool ok = HoldsItsCells(board);
    if (ok)
        for (const SolveMove& m : line) {
            int n = RemoveGroupAt(board, mode, m.column, m.row);
            if (n < 2) {
                ok = false;
                break;
            }
            total += RemovalPoints(n);
        }
    *score = total;
    *rest = CountAll(board.cells, position.road).rest;
    return ok;
}

long long LineValue(SolveObjective objective, long long score, const SolvePosition& finalBoard)
{
    return Value(objective, score, CountAll(finalBoard.cells, finalBoard.road));
}
