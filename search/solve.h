// The search for the best line of play: what the Hint, hanabo-tool and the benchmarks call.
#pragma once

#include <atomic>
#include <vector>

#include "search/position.h"
#include "search/progress.h"

struct SolveResult {
    std::vector<SolveMove> line;   // the best line found, played to the end
    long long score = 0;           // the game's score of the line
    int rest = 0;                  // the tiles it leaves
    long long value = 0;           // the line's worth under the objective
    bool cleared = false;          // the line clears the board
    long long playouts = 0;        // the lines played to the end by the search, in all its threads
    int spared = 0;                // the kind the playouts spared while another could go (0 on roads)
};

// How a search runs besides its time.
struct SolveOptions {
    // When given, ends the search early from another thread (or a signal).
    const std::atomic<bool>* stop = nullptr;
    // When over 0, each thread stops after so many playouts (on boards of up
    // to 64 x 64 cells), which makes a search repeatable whatever the
    // machine's speed.
    long long playoutLimit = 0;
    // Independent searches, each with its own random numbers; the best line
    // of them all is given out. One thread runs on the caller's.
    int threads = 1;
    // When given, kept up to date for another thread to show.
    SolveProgress* progress = nullptr;
};

// The threads a search may run at most.
const int MaxSolveThreads = 64;

// The threads the machine runs at once (1 when it cannot tell), at most MaxSolveThreads.
int AllCores();

// Searches for `seconds` on a copy of the position, touching neither the
// game's board nor the front end, so that it may run on a worker thread or
// many times over (at least one greedy line is always finished; a
// board with no move gives an empty line).
SolveResult Solve(const SolvePosition& position, SolveObjective objective, double seconds,
                  const SolveOptions& options = SolveOptions());

// Plays a line on the position by the rules of play; false at the first move
// that removes nothing. Fills the score and the tiles left.
bool PlayLine(const SolvePosition& position, const std::vector<SolveMove>& line, long long* score, int* rest);

// The worth of a finished board under the objective.
long long LineValue(SolveObjective objective, long long score, const SolvePosition& finalBoard);
