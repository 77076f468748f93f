// The group under the pointer: growing it from a Cell and its highlight.
#pragma once

// Marks every unmarked tile connected to the Cell at (column, row), widening
// the Selection's box and size.
void GrowGroup(int column, int row);

// Unhighlights the current group and highlights the group at this Cell.
void HighlightGroupAt(int column, int row);

// Keeps the Selection's box inside the Board, which may have changed size
// since the box was set.
void ClampSelectionBox();
