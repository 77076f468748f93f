// The window's arithmetic: its sizes and the places of its parts, and the
// bars that pop up under the pointer.
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


TEST(Layout, SizesAndPlacesOfTheWindowsParts)
{
    const Bars both{true, true, 28, 20};
    const Bars none{false, false, 28, 20};
    EXPECT_EQ(BoardTop(both), 30);
    EXPECT_EQ(BoardTop(none), 0);
    // 16 x 12 tiles of 32: the board and its 2-pixel frame, the toolbar and
    // its margin, the score bar and the legend strip above it.
    LayoutSize client = ClientSize(16, 12, 32, both);
    EXPECT_EQ(client.width, 516);
    EXPECT_EQ(client.height, 384 + 32 + 20 + 24);
    client = ClientSize(16, 12, 32, none);
    EXPECT_EQ(client.height, 388);
    LayoutSize window = WindowSize(512, 384, LayoutSize{8, 46}, both);
    EXPECT_EQ(window.width, 524);
    EXPECT_EQ(window.height, 384 + 76 + 46);

    // ((width - 20) div 35) x 5, at most 60; the last part takes the rest.
    EXPECT_EQ(ScoreBarStep(516), 60);
    int edges[ScoreBarFields];
    ScoreBarEdges(300, edges);
    const int expected[ScoreBarFields] = {40, 80, 120, 160, 200, 240, 300};
    for (int i = 0; i < ScoreBarFields; ++i)
        EXPECT_EQ(edges[i], expected[i]) << i;

    // The click counter is centred on a menu bar's height within 29 pixels.
    LayoutBox box = ClickCounterPlace(19);
    EXPECT_EQ(box.x, 182);
    EXPECT_EQ(box.y, 7);
    EXPECT_EQ(box.width, 120);
    EXPECT_EQ(box.height, 17);
    EXPECT_EQ(ClickCounterPlace(29).height, 27);

    LayoutPoint dialog = SelectGameDialogPlace(100, 600, 460);
    EXPECT_EQ(dialog.x, 100);
    EXPECT_EQ(dialog.y, 138);
    // The preview stands 40 pixels above the button, in client coordinates.
    LayoutPoint preview = BlankPreviewPlace(250, 300, 200, 100, 400, 370);
    EXPECT_EQ(preview.x, 50);
    EXPECT_EQ(preview.y, 300 - 100 - 30 - 40);
}
