// The Campaign dialog: three scroll bars choose the rest limit, the number of
// stages and the seed of a new campaign.
#pragma once

#include <windows.h>

// Opens the modeless dialog over the owner's client area, unless it is open.
void OpenCampaignWindow(HWND owner);

// Closes it if it is open.
void CloseCampaignWindow();
