// A search's progress on standard error, and Ctrl+C as its stop: for hanabo-tool solve and the solve bench.
#pragma once

#include <atomic>
#include <string>

#include "search/solve.h"

// Runs the search and, unless `quiet`, shows on standard error while it works
// the best line so far, the time left and the playouts a second: one line
// rewritten in place on a terminal (and cleared at the end), a line every
// few seconds otherwise. `label`, when not empty, starts the line.
SolveResult SolveShowingProgress(const SolvePosition& position, SolveObjective objective, double seconds,
                                 SolveOptions options, bool quiet, const std::string& label);

// From now on Ctrl+C (SIGINT) sets the flag returned, which ends a search
// given it as its stop; a second Ctrl+C ends the program.
const std::atomic<bool>* StopOnInterrupt();
