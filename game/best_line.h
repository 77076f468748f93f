// The best line: the search's line for the current position, loaded as the
// moves after the current one, so that Redo, the move slider and the Redo
// preview step through it and Undo goes back.
#pragma once

#include "search/solve.h"

// The search runs so many playouts, which makes its line the same on every
// machine (hanabo-tool solve --playouts finds it again), within at most so
// many seconds.
const long long BestLinePlayouts = 300000;
const double BestLineSeconds = 60;

// Loads the line found for `asked` after the current move, in place of any
// moves held for Redo, as far as the history holds; the game counts as
// assisted, as after the Hint. Nothing changes, and the
// answer is false, when the line is empty or the game has moved on since it
// was asked for (another Board, a removal animating, the game over).
bool LoadBestLine(const SolvePosition& asked, const SolveResult& result);
