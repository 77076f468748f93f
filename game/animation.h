// The animations of the animated tile sets: the selection loop of the
// highlighted group and the vanishing of a removed one, driven by the
// animation timer and played in the AnimationSlot of the tile canvas.
#pragma once

#include "game/board.h"

// The tile picture's bands: each tile value v has a band of highlighted
// frames and one of vanishing frames. Animated 24 sets give every value three
// bands (plain, highlighted, vanishing), animated 32 sets two.
int SelectionBand(int tile);
int VanishingBand(int tile);

// Whether the loaded tile set animates its groups.
bool TileSetAnimates();

// The selection animation starts from its first frame at once; the timer
// plays the rest.
void BeginSelectionAnimation();

// The vanishing animation of the group anchored at (column, row): its first
// frame at once, then the timer ticks play it and click the anchor again,
// which removes the group.
void BeginVanishingAnimation(int column, int row);

// The next frame of the selection animation of the marked group. Stops the
// timer instead while a bar that is off has popped up over the board or the
// window is minimised.
void SelectionTick();

// The next frame of the vanishing animation: Vanishing while it runs,
// Finished (drawing nothing) once the frames are used up.
AnimState VanishingTick();
