// Board painting on Win32 and the tile set it paints from.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "game/scoring.h"

// What painting needs of the window layout. Whoever sizes the window and
// shows or hides the bars keeps it current.
struct PaintLayout {
    int boardTop = 0;       // toolbar height + 2 with the toolbar on, else 0
    int edges[ScoreBarFields] = {};   // right edges of the score-bar parts
};
extern PaintLayout paintLayout;

// Start-up, after the main window exists and before the Bitmap setting is
// applied: the canvas, its brush and the two frame pens. False when the
// canvas cannot be made.
bool CreateTileCanvas(HWND window);

// Shut-down: the picture, the palette and the drawing objects.
void DestroyTileCanvas();

// Loads the tile set from the bytes of a picture file (null: the built-in
// tiles) and fills the canvas and the palette from it.
void LoadTileSetIntoCanvas(const std::uint8_t* file, std::size_t size);

// Applies the Bitmap setting (empty: the built-in set): loads the tile set,
// then either repaints and keeps the game, or (first load, or a change
// between road and other sets) starts a new game.
void ApplyBitmapSetting(const char* path);

// Redraws the tile pictures at the current tile size and BlankCell.
void RebuildTilePictures();

// Painting. Cells are drawn off the screen; ShowDrawnCells copies the ones
// drawn since the last call to the main window (the message loop and the main
// window procedure call it after every message). RedrawBoard shows them at once.
void DrawBoardCell(int column, int row);
void ShowDrawnCells();
void RedrawBoard();
void DrawBoardFrame();
void DrawBarLegend();
void FullRepaint();

// WM_PAINT of the main window: the frame, the legend and the cells inside the
// update rectangle.
void PaintBoardRequest(HWND window);

// WM_ACTIVATE (active or click-active): realises the tile set's palette.
void RealisePalette();

// Stretches frame `frame` of band `band` into the AnimationSlot; false when
// that frame lies outside the picture (the slot keeps its picture).
bool StretchFrameToAnimationSlot(int band, int frame);
