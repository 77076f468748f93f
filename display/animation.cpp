// The animations of the animated tile sets: which frame of which band each
// tick shows, the sounds at the start of a loop, and the end of a vanishing.
#include "display/animation.h"

#include "display/tile_set.h"
#include "game/front_end.h"
#include "game/groups.h"
#include "storage/settings.h"

// Only the animated kinds animate, and only with a frame to show: a timer
// that outlived its tile set, or a group without a tile value, plays nothing.
static bool CanAnimate(int tile)
{
    const bool animated = game.tileSetKind == TileSetAnimated24 || game.tileSetKind == TileSetAnimated32;
    return animated && tileSet.frameCount >= 1 && tile >= 1 && tile <= MaxTileKinds;
}

// Every marked Cell of the Selection's box shows the AnimationSlot.
static void DrawMarkedCells()
{
    const Selection& s = game.selection;
    const int lastColumn = s.maxColumn < board.columns ? s.maxColumn : board.columns - 1;
    const int lastRow = s.maxRow < board.rows ? s.maxRow : board.rows - 1;
    for (int row = s.minRow < 0 ? 0 : s.minRow; row <= lastRow; ++row)
        for (int column = s.minColumn < 0 ? 0 : s.minColumn; column <= lastColumn; ++column)
            if (CellAt(column, row) >= CellMarkBit)
                DrawCell(column, row);
}

void SelectionTick()
{
    const int tile = game.selection.tile;
    if (AnimationPaused() || !CanAnimate(tile)) {
        StopTimer();
        return;
    }
    if (game.animFrame == 0) {
        PlaySoundEvent(SoundEvent::Select);
        if (settings.AnimBMPOption != 0)
            game.animFrame = 1;
    }
    if (game.tileSetKind == TileSetAnimated32) {
        int frame = game.animFrame;
        if (tileSet.pingPong && tileSet.frameCount / 2 < game.animFrame)
            frame = tileSet.frameCount - game.animFrame;
        DrawAnimationFrame(2 * tile - 1, frame);
    } else {
        DrawAnimationFrame(3 * tile - 1, game.animFrame);
    }
    DrawMarkedCells();
    game.animFrame = (game.animFrame + 1) % tileSet.frameCount;
}

AnimState VanishingTick()
{
    const int tile = game.selection.tile;
    if (!CanAnimate(tile) || game.animFrame >= tileSet.frameCount)
        return AnimState::Finished;
    if (game.animFrame == 0) {
        PlaySoundEvent(SoundEvent::Disappear);
        if (settings.AnimBMPOption != 0)
            game.animFrame = 1;
    }
    DrawAnimationFrame(game.tileSetKind == TileSetAnimated32 ? 2 * tile : 3 * tile, game.animFrame);
    DrawMarkedCells();
    if (tileSet.pingPong && tileSet.frameCount / 2 < game.animFrame)
        game.animFrame = tileSet.frameCount;
    game.animFrame += 2;
    return AnimState::Vanishing;
}

void AnimationTick()
{
    if (game.animState != AnimState::Vanishing) {
        SelectionTick();
        return;
    }
    game.animState = VanishingTick();
    if (game.animState != AnimState::Finished)
        return;
    // The deferred click removes the group and stops the timer; should the
    // group no longer be there to remove, the timer must not tick on.
    StopTimer();
    ClickAt(game.anchorColumn * board.ts, game.anchorRow * board.ts);
    game.animState = AnimState::Idle;
}
