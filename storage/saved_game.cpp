// Saved game files (interim: not read yet).
#include "storage/saved_game.h"

void LoadGame() {}
