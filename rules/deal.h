// Dealing a Board from a GameNumber through the game's own random generator, and the
// GameNumber of the board of the day.
#pragma once

#include <cstdint>

#include "rules/board.h"

// The generator that gives every GameNumber its board.
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

// Seeds the generator for a deal: the low half of s is the state and the high
// half says how many numbers to skip. s is the GameNumber plus the campaign seed.
void SeedForGame(GameRandom* random, std::int32_t s);

// Fills every Cell of the Board (which must hold its cells) from the seeded
// generator: IroGame values 1 to `kinds` (kept within 1 to MaxTileKinds),
// ZededUdoz road values. Returns the tiles dealt, as the mode counts them.
TileCounts DealCells(Board& b, GameMode mode, int kinds, GameRandom* random);

// Seeds a generator of its own with s and deals the Board.
TileCounts DealGame(Board& b, GameMode mode, int kinds, std::int32_t s);

// The GameNumber of the board of the day: the date as the eight digits
// YYYYMMDD, year x 10000 + month x 100 + day (20261209 for 9 December 2026).
// It depends on nothing but the date, so every machine deals the same number
// that day; a later day has a higher number, and a past day's board can be
// typed into Select Game. A value outside its field (year 1 to 214747, month
// 1 to 12, day 1 to 31) is held at the field's nearest end.
int GameNumberOfDay(int year, int month, int day);
