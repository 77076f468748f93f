// The arithmetic of the main window's layout: board place, window size, bars.
#include "display/layout.h"

int BoardTop(const Bars& bars) { return bars.toolBar ? bars.toolBarHeight + BoardTopMargin : 0; }

// Client height beyond the board: the 2-pixel margins, and each bar that is on.
static int ExtraHeight(const Bars& bars)
{
    int extra = bars.toolBar ? bars.toolBarHeight + 4 : 4;
    if (bars.scoreBar)
        extra += bars.scoreBarHeight + LegendStripHeight;
    return extra;
}

LayoutSize ClientSize(int columns, int rows, int ts, const Bars& bars)
{
    LayoutSize size;
    size.width = columns * ts + 4;
    size.height = rows * ts + ExtraHeight(bars);
    return size;
}

LayoutSize WindowSize(int boardWidth, int boardHeight, LayoutSize frame, const Bars& bars)
{
    LayoutSize size;
    size.width = boardWidth + frame.width + 4;
    size.height = boardHeight + ExtraHeight(bars) + frame.height;
    return size;
}

int ScoreBarStep(int windowWidth)
{
    const int step = (windowWidth - 20) / 35 * 5;
    return step > 60 ? 60 : step;
}

void ScoreBarEdges(int windowWidth, int edges[ScoreBarFields])
{
    const int step = ScoreBarStep(windowWidth);
    for (int i = 0; i < ScoreBarFields - 1; ++i)
        edges[i] = (i + 1) * step;
    edges[ScoreBarFields - 1] = ScoreBarFields * step + 20;
}

LayoutBox ClickCounterPlace(int menuBarHeight)
{
    const int m = (29 - menuBarHeight) / 2;
    LayoutBox place;
    place.x = 182;
    place.y = m + 2;
    place.width = 120;
    place.height = 27 - 2 * m;
    return place;
}

BarOptionDecision BarOptionsForPointer(int y, int keys, int ts, int rows, const Bars& bars,
                                       bool barOptionAuto)
{
    BarOptionDecision decision;
    const bool shiftOnly = keys == KeyFlagShift;
    if (!bars.toolBar) {
        if (barOptionAuto) {
            if (y < ts / 4) {
                decision.toolBar = BarAction::Show;
                decision.usedUp = true;
                return decision;
            }
            decision.toolBar = BarAction::Hide;
        } else {
            decision.toolBar = shiftOnly ? BarAction::Show : BarAction::Hide;
        }
    }
    if (!bars.scoreBar) {
        if (barOptionAuto) {
            if (y > rows * ts - ts / 4) {
                decision.scoreBar = BarAction::Show;
                decision.usedUp = true;
                return decision;
            }
            decision.scoreBar = BarAction::Hide;
        } else {
            decision.scoreBar = shiftOnly ? BarAction::Show : BarAction::Hide;
        }
    }
    return decision;
}

LayoutPoint SelectGameDialogPlace(int windowLeft, int windowBottom, int clientHeight)
{
    LayoutPoint place;
    place.x = windowLeft;
    place.y = windowBottom - clientHeight - 2;
    return place;
}

LayoutPoint BlankPreviewPlace(int buttonLeft, int buttonTop, int dialogLeft, int dialogTop, int dialogHeight,
                        int clientHeight)
{
    LayoutPoint place;
    place.x = buttonLeft - dialogLeft;
    place.y = buttonTop - dialogTop - (dialogHeight - clientHeight) - 40;
    return place;
}
