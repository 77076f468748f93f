// The animations of the animated tile sets, driven by the animation timer.
#pragma once

// One tick of the animation timer: the selection animation's next frame, or
// the vanishing animation's, which ends in the removal of the group.
void AnimationTick();
