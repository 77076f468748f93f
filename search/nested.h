// Nested Monte-Carlo search over the fast board: boards of more than 64 x 64 cells, and every search's first line.
//
// A playout removes groups at random but spares the kind with the most tiles
// while anything else can go, so that kind gathers into one large group for
// the end. A search of level L plays a line move by move, trying every move
// with a search of level L - 1 after it and following the best line found
// so far (never forgetting it). At the top, each move gets its share of the
// time and deepens level by level (the children most promising first) until
// that share is spent, so a search of any length ends with a whole line and
// gives the early moves, which matter most, the deepest looks.
#pragma once

#include <vector>

#include "search/budget.h"
#include "search/fast_board.h"

// Engine is one of the fast board's engines (search/fast_board.h); the
// search is built for each in search/nested.cpp.
template <class Engine>
class Nested {
public:
    // The search spends `budget` (whose playout limit it ignores: its
    // playouts stop midway on time) and draws on its generator.
    Nested(Engine* engine, SolveObjective objective, const Budget& budget);

    // Plays from `start` until the time is up; improves the best line.
    void Run(const FastBoard& start, std::vector<int>* bestLine, long long* bestValue);

    // One playout from the board, which it plays out: its line and its worth.
    long long Playout(FastBoard& b, std::vector<int>* line);

    long long Playouts() const { return budget_.playouts; }

private:
    static const int MaxLevel = 4;

    // The best line from `start` of a search of this level, and its worth.
    long long Search(const FastBoard& start, int level, std::vector<int>* line);

    Engine& engine_;
    SolveObjective objective_;
    Budget budget_;
    SearchClock::time_point stepDeadline_;   // the end of the current move's share
    bool aborted_ = false;
    std::vector<FastGroup> playoutGroups_;
    FastBoard playoutBoard_;
    struct Level {
        FastBoard board;
        FastBoard child;
        std::vector<FastGroup> groups;
        std::vector<int> best;
        std::vector<int> sub;
    };
    std::vector<Level> levels_;
};
