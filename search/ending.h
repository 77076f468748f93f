// The exact search of a line's end: every order of the last removals is tried, and the best replaces the line's end.
//
// A search that adapts its playouts settles on one line and rarely tries the
// other orders of its last removals. From the end of the line backwards,
// each position met is worked out exactly (the best worth of every line from
// it, each position reached twice by different orders worked out once),
// until the positions grow too many for the search's share; the line then
// takes the best end from the earliest position worked out.
#pragma once

#include <cstdint>
#include <vector>

#include "search/budget.h"
#include "search/fast_board.h"

// Engine is one of the fast board's engines (search/fast_board.h); the
// search is built for each in search/ending.cpp.
template <class Engine>
class EndingSearch {
public:
    // Works out at most `positions` positions, and stops early when the
    // budget's caller stops or its time is up.
    EndingSearch(Engine* engine, SolveObjective objective, long long positions, const Budget& budget);

    // Improves `line` (cells to remove from `start` one after the other) and
    // its worth `value` when a better end is found.
    void Polish(const FastBoard& start, std::vector<int>* line, long long* value);

private:
    struct Entry {
        std::uint64_t key = 0;   // 0: empty
        std::uint64_t check = 0;
        long long worth = 0;
    };

    // The best worth of the removals still to come from `b` (their points
    // and what the end is worth), false when the search ran out of its share.
    bool Best(const FastBoard& b, int depth, long long* worth);
    Entry* Find(const FastBoard& b);

    Engine& engine_;
    SolveObjective objective_;
    long long limit_;
    Budget budget_;
    long long count_ = 0;
    std::vector<Entry> table_;   // the positions worked out, by key
    std::vector<FastBoard> boards_;
    std::vector<std::vector<FastGroup>> groups_;
};
