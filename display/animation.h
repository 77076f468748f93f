// The animations of the animated tile sets: the selection loop of the
// highlighted group and the vanishing of a removed one, driven by the
// animation timer and played in the AnimationSlot of the tile canvas.
#pragma once

#include "game/board.h"

// One tick of the animation timer (whose id the front end has checked): the
// selection animation's next frame, or the vanishing animation's, which ends
// in the deferred click that removes the group.
void AnimationTick();

// The next frame of the selection animation of the marked group. Stops the
// timer instead while a bar that is off has popped up over the board or the
// window is minimised.
void SelectionTick();

// The next frame of the vanishing animation: Vanishing while it runs,
// Finished (drawing nothing) once the frames are used up.
AnimState VanishingTick();
