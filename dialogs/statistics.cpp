// The Statistics dialog's texts.
#include "dialogs/statistics.h"

#include <cstdio>

#include "storage/records.h"

static const char ResetQuestionFormat[] =
    "%s\x82\xcc\x93\x9d\x8cv\x82\xf0\x8f\xc1\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81H";  // %sの統計を消しますか？

static std::string Number(long long value) { return std::to_string(value); }

static std::string Decimal(double value, const char* format)
{
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::vector<std::string> StatisticsTexts(const KeyStatistics& f)
{
    const bool any = f.played > 0;
    const double played = any ? static_cast<double>(f.played) : 1;
    char time[64];
    std::snprintf(time, sizeof time, "%lld:%02lld:%02lld", f.seconds / 3600, f.seconds / 60 % 60, f.seconds % 60);
    return {Number(f.played),
            Number(f.cleared),
            any ? Decimal(100.0 * f.cleared / played, "%.1f%%") : "-",
            any ? Number(f.bestScore) : "-",
            any ? Decimal(f.scoreSum / played, "%.1f") : "-",
            f.bestRest >= 0 ? Number(f.bestRest) : "-",
            Number(f.streak),
            Number(f.longestStreak),
            time};
}

static std::string KeyName(const std::string& key)
{
    return key == CampaignRecordKey ? key : "Matrix " + key;
}

std::string StatisticsHeading(const std::string& key) { return "Statistics - " + KeyName(key); }

std::string ResetStatisticsQuestion(const std::string& key)
{
    char text[256];
    std::snprintf(text, sizeof text, ResetQuestionFormat, KeyName(key).c_str());
    return text;
}
