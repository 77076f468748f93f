// The highlight of the group under the pointer: the rules mark the group,
// and the session draws it or starts its animation.
#include "game/groups.h"

#include "game/animation.h"
#include "game/board.h"
#include "game/front_end.h"

static void DrawMarkedCells()
{
    const Selection s = ui.selection;
    const int columns = board.columns;
    const unsigned char* cells = board.cells.data();
    for (int row = s.minRow; row <= s.maxRow; ++row) {
        const unsigned char* line = cells + static_cast<std::size_t>(row) * columns;
        for (int column = s.minColumn; column <= s.maxColumn; ++column)
            if (line[column] >= CellMarkBit)
                DrawCell(column, row);
    }
}

static void Unhighlight()
{
    ClampBox(board, &ui.selection);
    const Selection s = ui.selection;
    const int columns = board.columns;
    unsigned char* cells = board.cells.data();
    for (int row = s.minRow; row <= s.maxRow; ++row) {
        unsigned char* line = cells + static_cast<std::size_t>(row) * columns;
        for (int column = s.minColumn; column <= s.maxColumn; ++column) {
            if (line[column] >= CellMarkBit) {
                line[column] &= CellTileMask;
                DrawCell(column, row);
            }
        }
    }
}

void HighlightGroupAt(int column, int row)
{
    StopTimer();
    Unhighlight();
    MarkGroupAt(board, CurrentMode(), column, row, &ui.selection);
    if (ui.selection.size < 2)
        return;
    if (TileSetAnimates())
        BeginSelectionAnimation();
    else
        DrawMarkedCells();
}
