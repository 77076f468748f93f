// The Select Game dialog's texts: number conversion and special-number entries.
#include "dialogs/select_game.h"

#include <climits>

#include "storage/files.h"

static bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

int GameNumberOfText(const char* text)
{
    if (!text)
        return 0;
    while (IsBlank(*text))
        ++text;
    bool negative = *text == '-';
    if (*text == '-' || *text == '+')
        ++text;
    // One past INT_MAX is INT_MIN's size: enough to hold either end.
    const long long limit = static_cast<long long>(INT_MAX) + 1;
    long long value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        value = value * 10 + (*text - '0');
        if (value > limit)
            value = limit;
    }
    if (negative)
        return static_cast<int>(-value);
    return static_cast<int>(value > INT_MAX ? INT_MAX : value);
}

std::string SafeSpecialNumberEntry(const std::string& entry)
{
    std::string safe = CutShiftJis(entry, TextBufferSize - 1);
    // Whole characters only: the second byte of a double-byte character (the
    // long vowel mark, for one) can have the value of a bracket.
    for (std::size_t at = 0; at < safe.size(); at += ShiftJisCharLength(safe, at)) {
        char& c = safe[at];
        if (ShiftJisCharLength(safe, at) != 1)
            continue;
        if (c == '\r' || c == '\n')
            c = ' ';
        else if (c == '[')
            c = '(';
        else if (c == ']')
            c = ')';
    }
    return safe;
}

std::string FormatSpecialNumberEntry(const std::string& number, const std::string& comment)
{
    std::string entry = number;
    if (entry.size() < SpecialNumberWidth)
        entry.append(SpecialNumberWidth - entry.size(), ' ');
    return SafeSpecialNumberEntry(entry + "\t" + comment);
}

std::string NumberOfSpecialNumberEntry(const std::string& entry)
{
    return CutShiftJis(entry, SpecialNumberWidth);
}
