// The animations of the animated tile sets: which frame of which band each
// tick shows, the sounds at the start of a loop, and the end of a vanishing.
#include "game/animation.h"

#include "game/front_end.h"
#include "storage/settings.h"

int SelectionBand(int tile)
{
    return tileSetInfo.kind == TileSetAnimated32 ? 2 * tile - 1 : 3 * tile - 1;
}

int VanishingBand(int tile)
{
    return tileSetInfo.kind == TileSetAnimated32 ? 2 * tile : 3 * tile;
}

bool TileSetAnimates()
{
    return tileSetInfo.kind == TileSetAnimated24 || tileSetInfo.kind == TileSetAnimated32;
}

// Only the animated kinds animate, and only with a frame to show: a timer
// that outlived its tile set, or a group without a tile value, plays nothing.
static bool CanAnimate(int tile)
{
    return TileSetAnimates() && tileSetInfo.frameCount >= 1 && tile >= 1 && tile <= MaxTileKinds;
}

// Every marked Cell of the Selection's box shows the AnimationSlot.
static void DrawMarkedCells()
{
    const Selection& s = ui.selection;
    const int lastColumn = s.maxColumn < board.columns ? s.maxColumn : board.columns - 1;
    const int lastRow = s.maxRow < board.rows ? s.maxRow : board.rows - 1;
    for (int row = s.minRow < 0 ? 0 : s.minRow; row <= lastRow; ++row)
        for (int column = s.minColumn < 0 ? 0 : s.minColumn; column <= lastColumn; ++column)
            if (CellAt(column, row) >= CellMarkBit)
                DrawCell(column, row);
}

// A loop's first frame plays its sound; with AnimBMPOption on the picture's
// frame 0 is never shown.
static void StartLoop(SoundEvent sound)
{
    PlaySoundEvent(sound);
    if (settings.AnimBMPOption != 0)
        ui.animFrame = 1;
}

void SelectionTick()
{
    const int tile = ui.selection.tile;
    if (AnimationPaused() || !CanAnimate(tile)) {
        StopTimer();
        return;
    }
    if (ui.animFrame == 0)
        StartLoop(SoundEvent::Select);
    int frame = ui.animFrame;
    if (tileSetInfo.kind == TileSetAnimated32 && tileSetInfo.pingPong && tileSetInfo.frameCount / 2 < frame)
        frame = tileSetInfo.frameCount - frame;
    DrawAnimationFrame(SelectionBand(tile), frame);
    DrawMarkedCells();
    ui.animFrame = (ui.animFrame + 1) % tileSetInfo.frameCount;
}

AnimState VanishingTick()
{
    const int tile = ui.selection.tile;
    if (!CanAnimate(tile) || ui.animFrame >= tileSetInfo.frameCount)
        return AnimState::Finished;
    if (ui.animFrame == 0)
        StartLoop(SoundEvent::Disappear);
    DrawAnimationFrame(VanishingBand(tile), ui.animFrame);
    DrawMarkedCells();
    if (tileSetInfo.pingPong && tileSetInfo.frameCount / 2 < ui.animFrame)
        ui.animFrame = tileSetInfo.frameCount;
    ui.animFrame += 2;
    return AnimState::Vanishing;
}

void BeginSelectionAnimation()
{
    ui.animFrame = 0;
    SelectionTick();
    if (!ui.timerRunning)
        StartTimer();
}

void BeginVanishingAnimation(int column, int row)
{
    ui.anchorColumn = column;
    ui.anchorRow = row;
    ui.animState = AnimState::Vanishing;
    ui.animFrame = 0;
    VanishingTick();
    StartTimer();
}
