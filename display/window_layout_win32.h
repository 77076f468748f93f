// The Win32 side of the window layout: the toolbar with its click counter box,
// the score bar, the window's size around the board, and bars that pop up.
#pragma once

#include <windows.h>

#include <string>

#include "game/scoring.h"

struct WindowBars {
    HWND toolbar = nullptr;
    HWND clickCounter = nullptr;
    HWND scoreBar = nullptr;
    // The texts the score bar shows. Setting a part's text repaints the bar
    // at once, so an unchanged text is not set again.
    std::string scoreBarTexts[ScoreBarFields];
};

extern WindowBars windowBars;

// Start-up: the toolbar (with the click counter box) and the score bar, hidden.
void CreateBars(HWND window, HINSTANCE instance);

// Shows the bars that are on, hides the others, and sets the board's top.
void ApplyBarSettings(bool toolBar, bool scoreBar);

// Sizes the main window around a board of the given pixel size, with the bars
// that are on, and divides the score bar into its parts.
void SizeWindow(int boardWidth, int boardHeight);

// The bar options for a pointer at board row position y: true when a bar
// popped up and the movement is used up.
bool ApplyBarOptions(int y, int keys);

// After New, Undo, Again and Redo: a toolbar that popped up is drawn afresh.
void RefreshPoppedUpToolbar();

void SetScoreBarPart(int part, const char* text);
void SetClickCounterText(const char* text);
void EnableToolbarButton(int command, bool enabled);
