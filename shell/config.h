// The Configuration dialog's arithmetic: the working copies of the sheet's
// shape, the Sheet Size presets, the scroll steps, and the choices its radios
// show for the settings.
#pragma once

#include <string>

// The sheet's shape as the dialog edits it; OK applies it.
struct SheetShape {
    int columns = 0;
    int rows = 0;
    int ts = 0;        // tile size in pixels
    int cellNo = 0;    // number of tile kinds
};

inline bool operator==(const SheetShape& a, const SheetShape& b)
{
    return a.columns == b.columns && a.rows == b.rows && a.ts == b.ts && a.cellNo == b.cellNo;
}

// The six cell sizes of the Cell Size radios, in their order.
const int CellSizeChoices = 6;
int CellSizeOfChoice(int choice);
// The radio of a tile size; -1 for a size that is none of the six.
int ChoiceOfCellSize(int ts);

// The Sheet Size radios: three presets of a pixel size, and Customize for any other.
enum class SheetPreset { Small, Normal, Large, Customize };

// The bars' ranges at a tile size: columns 256 / ts to 960 / ts, rows 192 / ts
// to 640 / ts.
struct ScrollRange {
    int minimum = 0;
    int maximum = 0;
};
ScrollRange ColumnRange(int ts);
ScrollRange RowRange(int ts);

// Another cell size: the counts change so that the sheet keeps its pixel size
// as far as whole cells allow.
void ChangeCellSize(SheetShape* shape, int ts);

// A preset: as many whole cells as its pixel size holds (Customize changes nothing).
void ApplySheetPreset(SheetShape* shape, SheetPreset preset);

// The radio that shows the shape's pixel size: a preset when it is exactly
// one, else Customize.
SheetPreset PresetOfShape(const SheetShape& shape);

// A scroll bar's request: a step of one, a page of five, or the thumb's
// position; anything else leaves the bar where it is. The answer stays in range.
enum class ScrollStep { LineLeft, LineRight, PageLeft, PageRight, Thumb, Other };
int ScrolledPosition(int position, ScrollStep step, int thumb, ScrollRange range);

// Box 1051: "%d Column(列)  %d Row(行)".
std::string SheetCountsText(int columns, int rows);

// The Animation Speed radios: 0 Normal (50 ms), 1 Slow (100), 2 Very Slow (200).
int SpeedChoiceOf(int animIntrvl);
int IntervalOfSpeedChoice(int choice);

// The Number radio of a number of kinds: 0 for 3, 1 for 4, 2 for anything else.
int NumberChoiceOf(int cellNo);

// The next blank cell: the frame part cycles 0 to 4, the band part stays.
int NextBlankCell(int blankCell);

// The "Blank Cell %d" button's text.
std::string BlankCellLabel(int blankCell);
