// Play: highlighting the group under the pointer and removing it.
#pragma once

// The coordinates of HoverAt and ClickAt are board pixels: client x - 2 and
// client y - boardTop.

// The pointer moved; keys are the mouse message's key flags.
void HoverAt(int x, int y, int keys);

// The left button was released, or the vanishing animation has ended.
void ClickAt(int x, int y);

// Unhighlights the current group and highlights the group at this Cell.
void HighlightGroupAt(int column, int row);

// Removes the highlighted group whose anchor is this Cell, or starts its
// vanishing animation with an animated tile set.
void RemoveGroup(int column, int row);

// Marks every unmarked tile connected to the Cell at (column, row), widening
// the Selection's box and size. value: the Cell's tile value in IroGame, its
// connectors in ZededUdoz.
void GrowGroup(int column, int row, int value);

// Undo calls this after dealing again and before replaying the moves.
void BeginReplay();
