// The Configuration dialog's arithmetic.
#include "shell/config.h"

#include <cstdio>

#include "display/canvas.h"
#include "storage/sheet.h"

static const int CellSizes[CellSizeChoices] = {4, 8, 16, 32, 48, 64};

// The presets' pixel sizes, in the order of SheetPreset.
static const int PresetWidth[] = {256, 512, 768};
static const int PresetHeight[] = {192, 384, 576};

static const int PageStep = 5;

int CellSizeOfChoice(int choice)
{
    return choice >= 0 && choice < CellSizeChoices ? CellSizes[choice] : DefaultTileSize;
}

int ChoiceOfCellSize(int ts)
{
    for (int i = 0; i < CellSizeChoices; ++i)
        if (CellSizes[i] == ts)
            return i;
    return -1;
}

ScrollRange ColumnRange(int ts)
{
    return {BoardMinWidth / ts, BoardMaxWidth / ts};
}

ScrollRange RowRange(int ts)
{
    return {BoardMinHeight / ts, BoardMaxHeight / ts};
}

void ChangeCellSize(SheetShape* shape, int ts)
{
    // In 64 bits: the counts may come from a hand-edited file.
    shape->columns = static_cast<int>(static_cast<long long>(shape->ts) * shape->columns / ts);
    shape->rows = static_cast<int>(static_cast<long long>(shape->ts) * shape->rows / ts);
    shape->ts = ts;
}

void ApplySheetPreset(SheetShape* shape, SheetPreset preset)
{
    if (preset == SheetPreset::Customize)
        return;
    const int i = static_cast<int>(preset);
    shape->columns = PresetWidth[i] / shape->ts;
    shape->rows = PresetHeight[i] / shape->ts;
}

SheetPreset PresetOfShape(const SheetShape& shape)
{
    const long long width = static_cast<long long>(shape.ts) * shape.columns;
    const long long height = static_cast<long long>(shape.ts) * shape.rows;
    for (int i = 0; i < 3; ++i)
        if (width == PresetWidth[i] && height == PresetHeight[i])
            return static_cast<SheetPreset>(i);
    return SheetPreset::Customize;
}

int ScrolledPosition(int position, ScrollStep step, int thumb, ScrollRange range)
{
    switch (step) {
    case ScrollStep::LineLeft: position -= 1; break;
    case ScrollStep::LineRight: position += 1; break;
    case ScrollStep::PageLeft: position -= PageStep; break;
    case ScrollStep::PageRight: position += PageStep; break;
    case ScrollStep::Thumb: position = thumb; break;
    case ScrollStep::Other: break;
    }
    if (position < range.minimum)
        position = range.minimum;
    if (position > range.maximum)
        position = range.maximum;
    return position;
}

std::string SheetCountsText(int columns, int rows)
{
    char text[64];
    std::snprintf(text, sizeof text, "%d Column(\x97\xf1)  %d Row(\x8d\x73)", columns, rows);  // 列, 行
    return text;
}

int SpeedChoiceOf(int animIntrvl)
{
    if (animIntrvl < 51)
        return 0;
    return animIntrvl < 101 ? 1 : 2;
}

int IntervalOfSpeedChoice(int choice)
{
    return choice == 0 ? 50 : choice == 1 ? 100 : 200;
}

int NumberChoiceOf(int cellNo)
{
    return cellNo == 3 ? 0 : cellNo == 4 ? 1 : 2;
}

int NextBlankCell(int blankCell)
{
    const int frame = BlankCellFrame(blankCell);
    return BlankCellBand(blankCell) * BlankCellBandStep + (frame + 1) % 5;
}

std::string BlankCellLabel(int blankCell)
{
    char text[32];
    std::snprintf(text, sizeof text, "Blank Cell %d", BlankCellFrame(blankCell) + 1);
    return text;
}
