// The bars that pop up under the pointer (the sizes and places of the window's
// parts are checked on the screen by the end-to-end tests).
#include "display/layout.h"

#include <gtest/gtest.h>

TEST(BarOptions, WhereThePointerIsAndTheKeysDecide)
{
    const int leftButton = 0x0001;
    const BarAction L = BarAction::Leave, S = BarAction::Show, H = BarAction::Hide;
    const struct {
        int y, keys;
        bool toolBar, scoreBar, autoMode;  // which bars are on; Auto or Shift
        BarAction tool, score;
        bool usedUp;
    } cases[] = {
        // Auto: the toolbar in the top quarter tile (above the board too),
        // and the toolbar's pop-up ends the handling before the score bar
        {7, 0, false, true, true, S, L, true},
        {8, 0, false, true, true, H, L, false},   // the score bar is on: left alone
        {-5, 0, false, true, true, S, L, true},
        {0, 0, false, false, true, S, L, true},
        // Auto: the score bar in the bottom quarter tile
        {12 * 32 - 7, 0, false, false, true, H, S, true},
        {12 * 32 - 8, 0, false, false, true, H, H, false},
        // Shift: Shift alone shows both; bars that are on are never touched
        {100, KeyFlagShift, false, false, false, S, S, false},
        {100, KeyFlagShift | leftButton, false, false, false, H, H, false},
        {0, 0, false, false, false, H, H, false},
        {0, KeyFlagShift, true, true, false, L, L, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "y " << c.y << " keys " << c.keys << " bars " << c.toolBar << c.scoreBar
                                        << " auto " << c.autoMode);
        Bars bars;
        bars.toolBar = c.toolBar;
        bars.scoreBar = c.scoreBar;
        bars.toolBarHeight = 28;
        bars.scoreBarHeight = 20;
        const BarOptionDecision d = BarOptionsForPointer(c.y, c.keys, 32, 12, bars, c.autoMode);
        EXPECT_EQ(d.toolBar, c.tool);
        EXPECT_EQ(d.scoreBar, c.score);
        EXPECT_EQ(d.usedUp, c.usedUp);
    }
}

