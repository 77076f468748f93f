// The record dialogs (the Record and Campaign Record tables) and the name
// entry of a new record: the windows around the lists of storage/records.
#pragma once

#include <windows.h>

#include <cstddef>

// Start-up: both record dialogs, hidden, owned by the main window.
void CreateRecordDialogs(HWND owner);

// Shows the Record dialog (or the Campaign Record dialog) over its owner's
// top-left corner, with the lists' newest entries selected.
void ShowRecordWindow(bool campaign);

// Hides both record dialogs.
void HideRecordWindows();

// Both record dialogs show their lists as they are now (after Clear Records:
// empty, under the heading "Edit").
void RefreshRecordWindows();

// The modal name entry ("Rest Record!" when restRecord, else "High Score!"):
// shows name selected, so that typing replaces it, and returns the text given
// with OK, the only way out.
bool RunNameEntry(HWND owner, bool restRecord, char* name, std::size_t size);
