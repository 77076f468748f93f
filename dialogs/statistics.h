// The Statistics dialog's texts: its heading, the figures of a key as it
// shows them, and the question before Reset.
#pragma once

#include <string>
#include <vector>

#include "storage/statistics.h"

// The figures in the order of the dialog's rows: games played, games cleared,
// clearing rate, best score, average score, best rest, current streak,
// longest streak, time played. "-" where there is nothing yet to show.
const int StatisticsRows = 9;
std::vector<std::string> StatisticsTexts(const KeyStatistics& figures);

// "Statistics - Matrix 16x12(5)", or "Statistics - Campaign".
std::string StatisticsHeading(const std::string& key);

// Reset's question (Yes / No) for the key shown.
std::string ResetStatisticsQuestion(const std::string& key);
