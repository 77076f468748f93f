// Game numbers in play: the game's generator, new numbers, dealing the
// game's Board, and the window title.
#pragma once

#include <cstdint>

#include "rules/deal.h"

// The game's generator: nothing but choosing a new number and dealing draws
// from it, so the numbers of a run follow from the start-up clock and the deals.
extern GameRandom gameRandom;

// The new GameNumbers of this run, as the Select Game dialog lists them:
// newest first, at most ten. `changes` grows with every new number, so that
// the dialog can tell when its list is out of date.
const int RecentNumbersKept = 10;
struct RecentNumbers {
    int count = 0;
    int numbers[RecentNumbersKept] = {};
    int changes = 0;
};

extern RecentNumbers recentNumbers;

// Seeds the generator once at start-up from a clock in seconds since 1970.
void SeedFromClock(std::int64_t seconds);

// Seeds the game's generator for a deal (see the rules' SeedForGame).
void SeedForGame(std::int32_t s);

// Draws a new GameNumber and puts it at the top of the recent numbers.
int ChooseNewNumber();

// Fills every Cell of the game's Board from the seeded generator, as the
// current mode and CellNo deal, and counts the tiles.
void DealCells();

// The main window's title: mode, Campaign, and the number or the file's name.
void UpdateTitle();

// The title text itself (at most size - 1 bytes).
void FormatTitle(char* text, int size);
