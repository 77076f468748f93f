// Saved game files (interim: the text functions come first, the game glue later).
#include "storage/saved_game.h"

void LoadGame() {}
