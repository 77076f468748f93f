// The arithmetic of the main window's layout: board place, window size, bars.
#pragma once

#include "game/scoring.h"

// The board's left edge in the client area.
constexpr int BoardLeft = 2;

// The legend strip above the score bar is 24 pixels high.
constexpr int LegendStripHeight = 24;

// The board's top margin below a pinned toolbar.
constexpr int BoardTopMargin = 2;

// The mouse-message key flag of the Shift key.
constexpr int KeyFlagShift = 0x0004;

// Which bars are part of the layout, and the heights the controls report.
struct Bars {
    bool toolBar = true;
    bool scoreBar = true;
    int toolBarHeight = 0;
    int scoreBarHeight = 0;
};

struct LayoutSize {
    int width = 0;
    int height = 0;
};

// The toolbar height offset: toolbar height + 2 when the toolbar is on, else 0.
int BoardTop(const Bars& bars);

// The client area that holds a board of the given size in cells.
LayoutSize ClientSize(int columns, int rows, int ts, const Bars& bars);

// The window size for a board of boardWidth × boardHeight pixels, given the
// frame (window size less client size).
LayoutSize WindowSize(int boardWidth, int boardHeight, LayoutSize frame, const Bars& bars);

// The width of one score-bar part: ((window width − 20) div 35) × 5, at most 60.
int ScoreBarStep(int windowWidth);

// The right edges of the seven score-bar parts.
void ScoreBarEdges(int windowWidth, int edges[ScoreBarFields]);

// The click counter box on the toolbar, for a menu bar of the given height.
struct LayoutBox {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};
LayoutBox ClickCounterPlace(int menuBarHeight);

// What the bar options do for a pointer movement over the board.
enum class BarAction { Leave, Show, Hide };
struct BarOptionDecision {
    BarAction toolBar = BarAction::Leave;
    BarAction scoreBar = BarAction::Leave;
    bool usedUp = false;  // a bar popped up: nothing is highlighted for this move
};

// y relative to the board (pointer y less boardTop); keys are
// the mouse message's key flags; barOptionAuto is the BarOptionAuto setting.
BarOptionDecision BarOptionsForPointer(int y, int keys, int ts, int rows, const Bars& bars,
                                       bool barOptionAuto);

// The Select Game dialog's top-left corner: the window's left edge, and the
// window's bottom less the client height less 2.
struct LayoutPoint {
    int x = 0;
    int y = 0;
};
LayoutPoint SelectGameDialogPlace(int windowLeft, int windowBottom, int clientHeight);

// Where the blank-tile preview stands in the Configuration dialog's client
// area, from the outer rectangles of the "Blank Cell" button and the dialog.
LayoutPoint BlankPreviewPlace(int buttonLeft, int buttonTop, int dialogLeft, int dialogTop, int dialogHeight,
                        int clientHeight);
