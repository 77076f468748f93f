// The Configuration dialog's arithmetic: cell sizes that keep the sheet's
// pixel size, presets, the radio a pixel size picks, scroll steps, blank cells.
#include "shell/config.h"

#include <gtest/gtest.h>

static SheetShape Shape(int columns, int rows, int ts) { return SheetShape{columns, rows, ts, 5}; }

TEST(Config, CellSizeKeepsThePixelSizeAndPresetsFollowTheRule)
{
    struct Case {
        SheetShape from;
        int ts;
        int columns, rows;
        SheetPreset shown;
    };
    const Case cases[] = {
        // 16 x 12 at 32 is 512 x 384: at 64 it is 8 x 6, still 512 x 384
        {Shape(16, 12, 32), 64, 8, 6, SheetPreset::Normal},
        {Shape(16, 12, 32), 48, 10, 8, SheetPreset::Customize},
        {Shape(24, 18, 32), 16, 48, 36, SheetPreset::Large},
        {Shape(8, 6, 32), 4, 64, 48, SheetPreset::Small},
        {Shape(20, 13, 48), 8, 120, 78, SheetPreset::Customize},
    };
    for (const Case& c : cases) {
        SheetShape shape = c.from;
        ChangeCellSize(&shape, c.ts);
        EXPECT_EQ(shape.columns, c.columns) << c.ts;
        EXPECT_EQ(shape.rows, c.rows) << c.ts;
        EXPECT_EQ(shape.ts, c.ts);
        EXPECT_EQ(PresetOfShape(shape), c.shown) << c.ts;
    }
}

TEST(Config, PresetsAtEachCellSize)
{
    SheetShape shape = Shape(16, 12, 48);
    ApplySheetPreset(&shape, SheetPreset::Normal);
    EXPECT_EQ(shape.columns, 10);
    EXPECT_EQ(shape.rows, 8);
    EXPECT_EQ(PresetOfShape(shape), SheetPreset::Customize);
    shape = Shape(9, 9, 64);
    ApplySheetPreset(&shape, SheetPreset::Small);
    EXPECT_EQ(shape.columns, 4);
    EXPECT_EQ(shape.rows, 3);
    EXPECT_EQ(PresetOfShape(shape), SheetPreset::Small);
    ApplySheetPreset(&shape, SheetPreset::Large);
    EXPECT_EQ(PresetOfShape(shape), SheetPreset::Large);
    ApplySheetPreset(&shape, SheetPreset::Customize);
    EXPECT_EQ(shape.columns, 12);
}

TEST(Config, ScrollRangesAndSteps)
{
    EXPECT_EQ(ColumnRange(64).minimum, 4);
    EXPECT_EQ(ColumnRange(64).maximum, 15);
    EXPECT_EQ(RowRange(64).minimum, 3);
    EXPECT_EQ(RowRange(64).maximum, 10);
    EXPECT_EQ(ColumnRange(4).maximum, 240);
    const ScrollRange range = ColumnRange(64);
    EXPECT_EQ(ScrolledPosition(8, ScrollStep::LineRight, 0, range), 9);
    EXPECT_EQ(ScrolledPosition(8, ScrollStep::LineLeft, 0, range), 7);
    EXPECT_EQ(ScrolledPosition(8, ScrollStep::PageRight, 0, range), 13);
    EXPECT_EQ(ScrolledPosition(13, ScrollStep::PageRight, 0, range), 15);
    EXPECT_EQ(ScrolledPosition(6, ScrollStep::PageLeft, 0, range), 4);
    EXPECT_EQ(ScrolledPosition(8, ScrollStep::Thumb, 11, range), 11);
    EXPECT_EQ(ScrolledPosition(8, ScrollStep::Other, 11, range), 8);
}

TEST(Config, RadiosOfTheSettingsAndTheBlankCellCycle)
{
    EXPECT_EQ(SpeedChoiceOf(50), 0);
    EXPECT_EQ(SpeedChoiceOf(51), 1);
    EXPECT_EQ(SpeedChoiceOf(100), 1);
    EXPECT_EQ(SpeedChoiceOf(101), 2);
    EXPECT_EQ(NumberChoiceOf(3), 0);
    EXPECT_EQ(NumberChoiceOf(15), 2);
    EXPECT_EQ(SheetCountsText(8, 6), "8 Column(\x97\xf1)  6 Row(\x8d\x73)");
    // the frame part cycles through five pictures, the band part stays
    int blank = 200;
    std::string labels;
    for (int i = 0; i < 5; ++i) {
        blank = NextBlankCell(blank);
        labels += BlankCellLabel(blank) + "|";
    }
    EXPECT_EQ(blank, 200);
    EXPECT_EQ(labels, "Blank Cell 2|Blank Cell 3|Blank Cell 4|Blank Cell 5|Blank Cell 1|");
    EXPECT_EQ(NextBlankCell(7), 3);  // a frame beyond the five comes back into the cycle
}

