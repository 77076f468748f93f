// Saved game files (.tgw).
#pragma once

// Rebuilds the Board from the saved game the current game came from.
void LoadGame();
