// The statistics: counting a game into a key's figures, and the file that
// keeps them, read as untrusted text.
#include "storage/statistics.h"

#include <algorithm>
#include <iterator>
#include <string_view>

const char StatisticsFileName[] = "Hanabo.sta";
const char StatisticsTempFileName[] = "Hanabo.sta.tmp";

static const char Signature[] = "Hanabo32 Statistics";
static const char CampaignAssistedName[] = "CampaignAssisted";

// A file larger than this, or with more keys, is no file the program wrote.
static const std::size_t MaxFileBytes = 1 << 20;
static const std::size_t MaxKeys = 4096;
static const std::size_t MaxKeyBytes = 64;

// The numbers of a key's section, in the order they are written.
struct Field {
    const char* name;
    long long KeyStatistics::*value;
};
static const Field Fields[] = {
    {"Played", &KeyStatistics::played},
    {"Cleared", &KeyStatistics::cleared},
    {"ScoreSum", &KeyStatistics::scoreSum},
    {"BestScore", &KeyStatistics::bestScore},
    {"BestRest", &KeyStatistics::bestRest},
    {"Streak", &KeyStatistics::streak},
    {"LongestStreak", &KeyStatistics::longestStreak},
    {"Seconds", &KeyStatistics::seconds},
};

bool operator==(const KeyStatistics& a, const KeyStatistics& b)
{
    for (const Field& field : Fields)
        if (a.*field.value != b.*field.value)
            return false;
    return true;
}

bool operator==(const Statistics& a, const Statistics& b)
{
    return a.campaignAssisted == b.campaignAssisted && a.keys == b.keys;
}

static long long Clamp(long long value, long long low, long long high) { return std::min(std::max(value, low), high); }

void CountGame(KeyStatistics* figures, const CountedGame& counted)
{
    if (figures->played >= StatisticsGameLimit)
        return;
    const long long score = Clamp(counted.score, -StatisticsScoreLimit, StatisticsScoreLimit);
    figures->bestScore = figures->played == 0 ? score : std::max(figures->bestScore, score);
    ++figures->played;
    figures->scoreSum += score;
    if (counted.ended) {
        const long long rest = Clamp(counted.rest, 0, StatisticsRestLimit);
        figures->bestRest = figures->bestRest < 0 ? rest : std::min(figures->bestRest, rest);
    }
    if (counted.ended && counted.cleared) {
        ++figures->cleared;
        ++figures->streak;
        figures->longestStreak = std::max(figures->longestStreak, figures->streak);
    } else {
        figures->streak = 0;
    }
    figures->seconds += Clamp(counted.seconds, 0, StatisticsSecondsLimit);
    figures->seconds = std::min(figures->seconds, StatisticsSecondsLimit);
}

// Each figure within its limits and within the others; false when the key
// holds no game (and is dropped).
static bool HoldWithinLimits(KeyStatistics* f)
{
    f->played = Clamp(f->played, 0, StatisticsGameLimit);
    if (f->played == 0)
        return false;
    f->cleared = Clamp(f->cleared, 0, f->played);
    f->scoreSum = Clamp(f->scoreSum, -f->played * StatisticsScoreLimit, f->played * StatisticsScoreLimit);
    f->bestScore = Clamp(f->bestScore, -StatisticsScoreLimit, StatisticsScoreLimit);
    f->bestRest = Clamp(f->bestRest, -1, StatisticsRestLimit);
    f->longestStreak = Clamp(f->longestStreak, 0, f->cleared);
    f->streak = Clamp(f->streak, 0, f->longestStreak);
    f->seconds = Clamp(f->seconds, 0, StatisticsSecondsLimit);
    return true;
}

std::string FormatStatistics(const Statistics& statistics)
{
    std::string text = std::string(Signature) + "\r\n";
    if (statistics.campaignAssisted)
        text += std::string(CampaignAssistedName) + "=1\r\n";
    text += "\r\n";
    for (const auto& [key, figures] : statistics.keys) {
        text += "[" + key + "]\r\n";
        for (const Field& field : Fields)
            text += std::string(field.name) + "=" + std::to_string(figures.*field.value) + "\r\n";
        text += "\r\n";
    }
    return text;
}

// A whole decimal number, optionally negative, held to +-4 x 10^18 (beyond
// every limit, within 64 bits) however many digits it has; false for anything else.
static bool ParseNumber(std::string_view text, long long* value)
{
    const bool negative = !text.empty() && text[0] == '-';
    if (negative)
        text.remove_prefix(1);
    if (text.empty())
        return false;
    const long long cap = 4000000000000000000;
    long long number = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number > (cap - (c - '0')) / 10 ? cap : number * 10 + (c - '0');
    }
    *value = negative ? -number : number;
    return true;
}

// A key as the program makes them ("16x12(5)", "Campaign"): printable
// single bytes without brackets, so that its header reads back as one.
static bool IsKey(std::string_view key)
{
    if (key.empty() || key.size() > MaxKeyBytes)
        return false;
    for (char c : key)
        if (c < 0x20 || c > 0x7E || c == '[' || c == ']')
            return false;
    return true;
}

static bool ParseLines(const std::string& text, Statistics* out)
{
    if (text.size() > MaxFileBytes)
        return false;
    std::size_t pos = 0;
    std::string_view line;
    if (!NextLine(text, &pos, &line) || line != Signature)
        return false;
    KeyStatistics* section = nullptr;
    while (NextLine(text, &pos, &line)) {
        if (line.empty())
            continue;
        if (line.front() == '[') {
            if (line.size() < 2 || line.back() != ']' || !IsKey(line.substr(1, line.size() - 2)))
                return false;
            section = &out->keys[std::string(line.substr(1, line.size() - 2))];
            *section = KeyStatistics();   // a key written twice: the later section counts
            if (out->keys.size() > MaxKeys)
                return false;
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == 0 || equals == std::string_view::npos)
            return false;
        const std::string_view name = line.substr(0, equals);
        long long value = 0;
        const bool number = ParseNumber(line.substr(equals + 1), &value);
        if (!section && name == CampaignAssistedName) {
            if (!number)
                return false;
            out->campaignAssisted = value != 0;
        }
        // Names of no figure (a later version's) are passed over.
        for (const Field& field : Fields)
            if (section && name == field.name) {
                if (!number)
                    return false;
                section->*field.value = value;
            }
    }
    return true;
}

bool ParseStatistics(const std::string& text, Statistics* statistics)
{
    Statistics read;
    if (!ParseLines(text, &read)) {
        *statistics = Statistics();
        return false;
    }
    for (auto key = read.keys.begin(); key != read.keys.end();)
        key = HoldWithinLimits(&key->second) ? std::next(key) : read.keys.erase(key);
    *statistics = read;
    return true;
}

bool ReadStatisticsFile(Statistics* statistics)
{
    const std::string path = ProgramFilePath(StatisticsFileName);
    std::string text;
    if (!ReadWholeFile(path, &text)) {
        *statistics = Statistics();
        return FileIsAbsent(path);
    }
    return ParseStatistics(text, statistics);
}

RewriteResult WriteStatisticsFile(const Statistics& statistics, const FileOperations& files)
{
    return RewriteFile(ProgramFilePath(StatisticsFileName), ProgramFilePath(StatisticsTempFileName),
                       FormatStatistics(statistics), files);
}
