// The Hint: the search's recommended group, marked as hovering marks it.
#pragma once

#include "search/solve.h"

// How long the Hint searches, in seconds (on every core: AllCores threads).
const double HintSeconds = 0.4;

// The counter box's note that the search found a line clearing the Board.
extern const char HintClearsText[];

// The Board as the search sees it, in the current mode.
SolvePosition PositionOfGame();

// Whether the Board is still the one `asked` was taken from.
bool IsCurrentPosition(const SolvePosition& asked);

// What the Hint searches for: the score, less the tiles left when the score
// option shows it so.
SolveObjective HintObjective();

// Marks the first group of the line found for `asked`, unless the game has
// moved on since (the Board differs, or a removal is animating); moves the
// keyboard's cursor there when it shows. Writes HintClearsText into the
// counter box when the line clears the Board. True when the note was written.
bool ShowHint(const SolvePosition& asked, const SolveResult& result);
