// The best line on Win32: the search runs on a worker thread while a small
// dialog shows how long it has run, with a Cancel button, and the window keeps
// answering; the line comes back to the main window as a message and is loaded
// for Redo.
#pragma once

#include <windows.h>

// The worker's result: lParam carries it to OnBestLineReady.
const UINT WM_BESTLINEREADY = WM_APP + 16;

// The menu command: starts a search on the current position unless one runs.
void StartBestLine(HWND window);

// The worker has finished: the dialog closes and, unless it was cancelled or
// the game has moved on, the line is loaded.
void OnBestLineReady(HWND window, LPARAM job);
