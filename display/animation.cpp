// The animation timer's ticks (for now without frames: a vanishing group is
// removed at the first tick, and a selection stays on its first picture).
#include "display/animation.h"

#include "game/board.h"
#include "game/groups.h"

void AnimationTick()
{
    if (game.animState != AnimState::Vanishing) {
        StopTimer();
        return;
    }
    game.animState = AnimState::Finished;
    ClickAt(game.anchorColumn * board.ts, game.anchorRow * board.ts);
    game.animState = AnimState::Idle;
}
