// The sheet's limits.
#include "storage/sheet.h"

const char NoBitmapPath[] = "(null)";

int RoundTileSize(int size)
{
    if (size <= 4)
        return 4;
    if (size <= 8)
        return 8;
    if (size <= 16)
        return 16;
    if (size <= 32)
        return 32;
    if (size <= 48)
        return 48;
    return 64;
}

void LimitBoardSize(int* columns, int* rows, int ts)
{
    // The counts come from the settings file: any int, so the pixel sizes are
    // taken in 64 bits, where no product of two ints overflows.
    const long long size = ts;
    if (size * *columns > BoardMaxWidth)
        *columns = BoardMaxWidth / ts;
    if (size * *columns < BoardMinWidth)
        *columns = (BoardMinWidth + ts - 1) / ts;
    if (size * *rows > BoardMaxHeight)
        *rows = BoardMaxHeight / ts;
    if (size * *rows < BoardMinHeight)
        *rows = BoardMinHeight / ts;
}
