// The bars that pop up under the pointer (the sizes and places of the window's
// parts are checked on the screen by the end-to-end tests).
#include "display/layout.h"

#include <gtest/gtest.h>

namespace {

Bars MakeBars(bool toolBar, bool scoreBar)
{
    Bars bars;
    bars.toolBar = toolBar;
    bars.scoreBar = scoreBar;
    bars.toolBarHeight = 28;
    bars.scoreBarHeight = 20;
    return bars;
}

TEST(BarOptions, AutoShowsTheToolbarInTheTopQuarterTileAndUsesTheMove)
{
    const Bars bars = MakeBars(false, true);
    BarOptionDecision top = BarOptionsForPointer(7, 0, 32, 12, bars, true);
    EXPECT_EQ(top.toolBar, BarAction::Show);
    EXPECT_TRUE(top.usedUp);
    BarOptionDecision lower = BarOptionsForPointer(8, 0, 32, 12, bars, true);
    EXPECT_EQ(lower.toolBar, BarAction::Hide);
    EXPECT_EQ(lower.scoreBar, BarAction::Leave);  // the score bar is on: left alone
    EXPECT_FALSE(lower.usedUp);
    // a pointer above the board is also in the top quarter
    EXPECT_EQ(BarOptionsForPointer(-5, 0, 32, 12, bars, true).toolBar, BarAction::Show);
}

TEST(BarOptions, AutoShowsTheScoreBarNearTheBottom)
{
    const Bars bars = MakeBars(false, false);
    BarOptionDecision bottom = BarOptionsForPointer(12 * 32 - 7, 0, 32, 12, bars, true);
    EXPECT_EQ(bottom.toolBar, BarAction::Hide);
    EXPECT_EQ(bottom.scoreBar, BarAction::Show);
    EXPECT_TRUE(bottom.usedUp);
    BarOptionDecision above = BarOptionsForPointer(12 * 32 - 8, 0, 32, 12, bars, true);
    EXPECT_EQ(above.scoreBar, BarAction::Hide);
    EXPECT_FALSE(above.usedUp);
    // the toolbar's pop-up ends the handling before the score bar is looked at
    BarOptionDecision top = BarOptionsForPointer(0, 0, 32, 12, bars, true);
    EXPECT_EQ(top.scoreBar, BarAction::Leave);
}

TEST(BarOptions, ShiftModeNeedsShiftAlone)
{
    const Bars bars = MakeBars(false, false);
    BarOptionDecision shift = BarOptionsForPointer(100, KeyFlagShift, 32, 12, bars, false);
    EXPECT_EQ(shift.toolBar, BarAction::Show);
    EXPECT_EQ(shift.scoreBar, BarAction::Show);
    EXPECT_FALSE(shift.usedUp);
    const int leftButton = 0x0001;
    BarOptionDecision withButton = BarOptionsForPointer(100, KeyFlagShift | leftButton, 32, 12, bars, false);
    EXPECT_EQ(withButton.toolBar, BarAction::Hide);
    EXPECT_EQ(withButton.scoreBar, BarAction::Hide);
    EXPECT_EQ(BarOptionsForPointer(0, 0, 32, 12, bars, false).toolBar, BarAction::Hide);
    // bars that are on are never touched
    BarOptionDecision on = BarOptionsForPointer(0, KeyFlagShift, 32, 12, MakeBars(true, true), false);
    EXPECT_EQ(on.toolBar, BarAction::Leave);
    EXPECT_EQ(on.scoreBar, BarAction::Leave);
}

}  // namespace
