// Playing from the keyboard: a cursor Cell that the arrow keys move, whose
// group is marked as the pointer marks it, and a key that removes it.
#pragma once

enum class CursorKey { Left, Right, Up, Down };

// Whether the cursor shows, and on which Cell.
struct KeyCursor {
    bool shown = false;
    int column = 0;
    int row = 0;
};
extern KeyCursor keyCursor;

// An arrow key: the first one shows the cursor (on the highlighted group's
// Cell, or the bottom-left Cell), later ones move it within the Board; the
// group under it is marked as hovering marks it.
void MoveCursor(CursorKey key);

// Space or Enter: removes the group under the cursor as a click there would,
// then keeps the cursor on a tile.
void PressCursor();

// The animation timer's tick: the pointer's AnimationTick; when the tick
// ends a vanishing animation, a cursor that shows then follows the tiles as
// after Space and marks the group it comes to.
void AnimationTimerTick();

// Puts the cursor on this Cell (shown) and marks the group there.
void PlaceCursor(int column, int row);

// The pointer has moved: the cursor goes away and the pointer rules again.
void HideCursor();

// Whether the cursor shows on this Cell.
inline bool CursorAt(int column, int row)
{
    return keyCursor.shown && keyCursor.column == column && keyCursor.row == row;
}

// Moves the cursor onto a tile where the Cell it was on is empty now: down
// its column to the top tile, else left to the nearest column with tiles.
void SettleCursor();
