// Game numbers: the game's own random generator, dealing a board from a
// number, and the window title.
#pragma once

#include <cstdint>

// The generator that gives every GameNumber its board. Nothing but choosing a
// new number and dealing draws from it.
struct GameRandom {
    std::uint32_t state = 0;

    void Seed(std::uint32_t value) { state = value; }
    // 0 to 32767.
    int Next()
    {
        state = state * 214013u + 2531011u;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
    // 0 to n - 1, for n >= 1.
    int Below(int n) { return static_cast<int>((static_cast<std::int64_t>(Next()) * n) >> 15); }
};

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

// Seeds the generator for a deal: the low half of s is the state and the high
// half says how many numbers to skip.
void SeedForGame(std::int32_t s);

// Draws a new GameNumber and puts it at the top of the recent numbers.
int ChooseNewNumber();

// Fills every Cell of the Board from the seeded generator and counts the tiles.
void DealCells();

// The main window's title: mode, Campaign, and the number or the file's name.
void UpdateTitle();

// The title text itself (at most size - 1 bytes).
void FormatTitle(char* text, int size);
