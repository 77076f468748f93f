// libFuzzer target: the statistics file, read, a game counted into every key,
// written back and read again. Input: the file text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/statistics.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    Statistics read;
    if (!ParseStatistics(text, &read)) {
        if (!(read == Statistics()))
            std::abort();
        return 0;
    }
    // Every figure read is one that counting could have made, so that a
    // game more counts without overflowing and the file reads back the same.
    const long long score = static_cast<long long>(size % 5 == 0 ? -1 : 1) * static_cast<long long>(size) * 1000003;
    for (auto& [key, figures] : read.keys) {
        if (figures.played < 1 || figures.cleared > figures.played || figures.streak > figures.longestStreak ||
            figures.longestStreak > figures.cleared || figures.bestRest > StatisticsRestLimit)
            std::abort();
        CountGame(&figures, CountedGame{size % 2 == 0, size % 3 == 0, score, static_cast<long long>(size), score});
    }
    const std::string written = FormatStatistics(read);
    Statistics again;
    if (!ParseStatistics(written, &again) || !(again == read) || FormatStatistics(again) != written)
        std::abort();
    return 0;
}
