// The client area as board painting leaves it, drawn in memory: for checking screenshots.
#pragma once

#include <cstdint>
#include <vector>

#include "display/canvas.h"
#include "display/layout.h"

struct ClientPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
};

// What to draw: the board's cells and size, the layout around it, and the
// button-face colour that fills everything painting does not draw.
struct BoardView {
    int kind = 0;
    int cellNo = 5;
    const unsigned char* cells = nullptr;  // columns × rows, row after row
    int columns = 0;
    int rows = 0;
    int ts = 32;
    int boardTop = 0;
    bool scoreBar = true;
    int edges[ScoreBarFields] = {};
    std::uint32_t face = 0xC0C0C0;
};

// Draws the board frame, every cell from the canvas and, with the score bar
// on, the bar legend, into a picture of the given client size, exactly as the
// window's painting places them (lines stop one pixel short of their ends).
void RenderClientArea(const TileCanvas& canvas, const BoardView& view, int clientWidth, int clientHeight,
                      ClientPicture* picture);
