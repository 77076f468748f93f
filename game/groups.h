// The highlight of the group under the pointer, on the game's Board.
#pragma once

// Marks every unmarked tile connected to the marked Cell at (column, row) of
// the game's Board, widening the highlighted Selection.
void GrowGroup(int column, int row);

// Unhighlights the current group and highlights the group at this Cell.
void HighlightGroupAt(int column, int row);

// Keeps the Selection's box inside the Board, which may have changed size
// since the box was set.
void ClampSelectionBox();
