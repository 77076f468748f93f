// The Statistics dialog (Game > 統計): the figures of the current sheet, or of
// the Campaign, and Reset.
#pragma once

#include <windows.h>

// Runs the modal dialog over owner; it opens on the Campaign's figures while
// a campaign runs, else on the current sheet's.
void RunStatisticsDialog(HWND owner, bool campaign);
