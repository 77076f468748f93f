// Removing the highlighted group in play: the score, the move's record and
// the redraw of what changed.
#pragma once

// Removes the highlighted group whose anchor is this Cell, or starts its
// vanishing animation with an animated tile set.
void RemoveGroup(int column, int row);

// Writes (column, row) as move number game.moveIndex.
void RecordMove(int column, int row);

// A replay (Undo) calls this after dealing again and before replaying the
// moves.
void BeginReplay();
