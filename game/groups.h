// The highlight of the group under the pointer, on the game's Board.
#pragma once

// Unhighlights the current group and highlights the group at this Cell.
void HighlightGroupAt(int column, int row);
