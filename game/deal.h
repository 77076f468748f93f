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

// The GameNumber of the board of the day: the date as the eight digits
// YYYYMMDD, year x 10000 + month x 100 + day (20261209 for 9 December 2026).
// It depends on nothing but the date, so every machine deals the same number
// that day; a later day has a higher number, and a past day's board can be
// typed into Select Game. A value outside its field (year 1 to 214747, month
// 1 to 12, day 1 to 31) is held at the field's nearest end.
int GameNumberOfDay(int year, int month, int day);

// Fills every Cell of the game's Board from the seeded generator, as the
// current mode and CellNo deal, and counts the tiles.
void DealCells();

// The main window's title: mode, Campaign, and the number or the file's name.
void UpdateTitle();

// The title text itself (at most size - 1 bytes).
void FormatTitle(char* text, int size);
