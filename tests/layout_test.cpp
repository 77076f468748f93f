// Tests of the window layout arithmetic: board top, sizes, score-bar parts, bar options.
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

TEST(Layout, BoardTopFollowsTheToolbar)
{
    EXPECT_EQ(BoardTop(MakeBars(true, true)), 30);
    EXPECT_EQ(BoardTop(MakeBars(false, true)), 0);
}

TEST(Layout, ClientSizeWithEachBarOnAndOff)
{
    EXPECT_EQ(ClientSize(16, 12, 32, MakeBars(true, true)).width, 16 * 32 + 4);
    EXPECT_EQ(ClientSize(16, 12, 32, MakeBars(true, true)).height, 384 + 4 + 28 + 20 + 24);
    EXPECT_EQ(ClientSize(16, 12, 32, MakeBars(true, false)).height, 384 + 4 + 28);
    EXPECT_EQ(ClientSize(16, 12, 32, MakeBars(false, true)).height, 384 + 4 + 20 + 24);
    EXPECT_EQ(ClientSize(16, 12, 32, MakeBars(false, false)).height, 384 + 4);
    EXPECT_EQ(ClientSize(240, 160, 4, MakeBars(false, false)).width, 964);
}

TEST(Layout, WindowSizeAddsTheFrame)
{
    LayoutSize frame;
    frame.width = 8;
    frame.height = 46;
    const LayoutSize size = WindowSize(512, 384, frame, MakeBars(true, true));
    EXPECT_EQ(size.width, 512 + 8 + 4);
    EXPECT_EQ(size.height, 384 + 28 + 4 + 20 + 24 + 46);
    // the window's client area is then exactly the client size
    EXPECT_EQ(size.height - frame.height, ClientSize(16, 12, 32, MakeBars(true, true)).height);
}

TEST(Layout, ScoreBarStepIs35ForTheNarrowestBoardAnd60ForTheWidest)
{
    for (int frameWidth = 5; frameWidth <= 39; ++frameWidth)
        EXPECT_EQ(ScoreBarStep(256 + 4 + frameWidth), 35) << frameWidth;
    for (int frameWidth = 0; frameWidth <= 40; ++frameWidth)
        EXPECT_EQ(ScoreBarStep(960 + 4 + frameWidth), 60) << frameWidth;
    EXPECT_EQ(ScoreBarStep(420), 55);  // (400 div 35) × 5
}

TEST(Layout, ScoreBarEdges)
{
    int edges[ScoreBarFields];
    ScoreBarEdges(270, edges);
    const int expected[ScoreBarFields] = {35, 70, 105, 140, 175, 210, 265};
    for (int i = 0; i < ScoreBarFields; ++i)
        EXPECT_EQ(edges[i], expected[i]) << i;
    ScoreBarEdges(1000, edges);
    EXPECT_EQ(edges[5], 360);
    EXPECT_EQ(edges[6], 440);
}

TEST(Layout, ClickCounterBoxSitsInTheToolbarMiddle)
{
    const LayoutBox box = ClickCounterPlace(19);  // m = 5
    EXPECT_EQ(box.x, 182);
    EXPECT_EQ(box.y, 7);
    EXPECT_EQ(box.width, 120);
    EXPECT_EQ(box.height, 17);
    EXPECT_EQ(ClickCounterPlace(20).y, 6);  // m = 4
    EXPECT_EQ(ClickCounterPlace(20).height, 19);
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

TEST(Layout, DialogPlaces)
{
    const LayoutPoint select = SelectGameDialogPlace(100, 700, 480);
    EXPECT_EQ(select.x, 100);
    EXPECT_EQ(select.y, 218);
    const LayoutPoint preview = BlankPreviewPlace(300, 400, 200, 100, 350, 320);
    EXPECT_EQ(preview.x, 100);
    EXPECT_EQ(preview.y, 400 - 100 - 30 - 40);
}

}  // namespace
