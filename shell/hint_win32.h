// The Hint on Win32: the search runs on a worker thread with a copy of the
// Board, and its result comes back to the main window as a message, so that
// the window keeps answering while it searches.
#pragma once

#include <windows.h>

// The worker's result: lParam carries it to OnHintReady.
const UINT WM_HINTREADY = WM_APP + 15;

// The timer that takes the "clears" note out of the counter box again.
const UINT_PTR HintNoteTimerId = 15;

// The Hint command (menu item or the H key): starts a search unless one runs.
void StartHint(HWND window);

// The worker has finished: marks the recommended group.
void OnHintReady(HWND window, LPARAM job);

// The note has shown long enough: the counter box shows the clicks again.
void OnHintNoteTimer(HWND window);
