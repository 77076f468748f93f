// The statistics of the games played, per sheet key and for the Campaign: the
// counting rules and their file, "Hanabo.sta" beside the settings file.
#pragma once

#include <map>
#include <string>

#include "storage/files.h"

// The statistics file in ProgramDirectory; it is rewritten through a
// temporary file of its own, so that a settings rewrite left in "Hanabo.tmp"
// is never overwritten by it.
extern const char StatisticsFileName[];       // "Hanabo.sta"
extern const char StatisticsTempFileName[];   // "Hanabo.sta.tmp"

// The figures of one key. Every value read from the file is held within these
// limits, and counting stops at them instead of overflowing.
const long long StatisticsGameLimit = 1000000000;       // games played
const long long StatisticsScoreLimit = 2147483647;      // one game's score, either sign
const long long StatisticsRestLimit = 240 * 160;        // the most tiles a Board holds
const long long StatisticsSecondsLimit = 1000000000000000;

struct KeyStatistics {
    long long played = 0;
    long long cleared = 0;
    long long scoreSum = 0;
    long long bestScore = 0;      // the highest score of a game counted; 0 while none was
    long long bestRest = -1;      // the fewest tiles left at the end of a game; -1 while none ended
    long long streak = 0;         // games cleared in a row up to the last one counted
    long long longestStreak = 0;
    long long seconds = 0;        // time played
};
bool operator==(const KeyStatistics& a, const KeyStatistics& b);

// How a counted game went. A game left before its end (another game started
// after a removal, or the program ended) is played but not cleared, and its
// rest is no game's end.
struct CountedGame {
    bool ended = false;
    bool cleared = false;
    long long score = 0;
    long long rest = 0;
    long long seconds = 0;
};

// Adds one game to a key's figures.
void CountGame(KeyStatistics* figures, const CountedGame& counted);

// Everything the file holds: the figures of each key with a game counted, and
// whether the campaign in progress has used help (its result then enters no
// record).
struct Statistics {
    std::map<std::string, KeyStatistics> keys;
    bool campaignAssisted = false;
};
bool operator==(const Statistics& a, const Statistics& b);

// The file's text. Parsing holds every number to its limits and to the others
// (no more games cleared than played, ...); false for a text that is not a
// statistics file (the out figures are then empty).
std::string FormatStatistics(const Statistics& statistics);
bool ParseStatistics(const std::string& text, Statistics* statistics);

// Reads the file: no file gives empty statistics; false when a file is there
// but cannot be read or is broken (the figures are then empty).
bool ReadStatisticsFile(Statistics* statistics);
RewriteResult WriteStatisticsFile(const Statistics& statistics, const FileOperations& files = DiskFiles);
