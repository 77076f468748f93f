// The pointer over the board and the animation timer's ticks, turned into
// the game's actions.
#pragma once

// The coordinates of HoverAt and ClickAt are board pixels: client x minus the
// board's left margin and client y - boardTop.

// The pointer moved; keys are the mouse message's key flags.
void HoverAt(int x, int y, int keys);

// What a pointer over the Cell (column, row) does once past the bars: the
// retry question after a game's end, and the highlight of the group there
// with its size in the score bar. The keyboard's cursor marks groups with it.
void HoverCell(int column, int row);

// The left button was released, or the vanishing animation has ended.
void ClickAt(int x, int y);

// One tick of the animation timer (whose id the front end has checked): the
// selection animation's next frame, or the vanishing animation's, which ends
// in the deferred click that removes the group.
void AnimationTick();
