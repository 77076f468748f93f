// Dealing boards from game numbers, and the window title.
#include "game/deal.h"

#include <cstdio>
#include <cstring>

#include "game/board.h"
#include "game/front_end.h"
#include "storage/settings.h"
#include "storage/paths.h"

GameRandom gameRandom;
RecentNumbers recentNumbers;

static const char IroGameTitle[] = "IroGame ";
static const char ZededUdozTitle[] = "ZededUdoz ";
static const char CampaignTitle[] = "Campaign ";

void SeedFromClock(std::int64_t seconds)
{
    gameRandom.Seed(static_cast<std::uint32_t>(seconds));
}

void SeedForGame(std::int32_t s)
{
    gameRandom.Seed(static_cast<std::uint32_t>(s) & 0xFFFF);
    int skip = (s / 65536) & 0xFFFF;
    for (int i = 0; i < skip; ++i)
        gameRandom.Next();
}

static void RememberNewNumber(int number)
{
    int kept = recentNumbers.count < RecentNumbersKept ? recentNumbers.count : RecentNumbersKept - 1;
    std::memmove(recentNumbers.numbers + 1, recentNumbers.numbers, kept * sizeof recentNumbers.numbers[0]);
    recentNumbers.numbers[0] = number;
    recentNumbers.count = kept + 1;
    ++recentNumbers.changes;
}

int ChooseNewNumber()
{
    int r1 = gameRandom.Next();
    int r2 = gameRandom.Next();
    int number = r1 * 32768 + r2;
    if (gameRandom.Below(2) == 0)
        number = -number;
    RememberNewNumber(number);
    return number;
}

// ZededUdoz: a value whose connectors all point off the Board at this
// position is drawn again. The sets are part of what a GameNumber deals, the
// bottom-left corner's included.
static bool DrawnAgain(int column, int row, int value)
{
    bool top = row == 0;
    bool bottom = row == board.rows - 1;
    if (column == 0) {
        if (top)
            return value == 1 || value == 8 || value == 9;
        if (bottom)
            return value == 4 || value == 8 || value == 12;
        return value == 8;
    }
    if (column == board.columns - 1) {
        if (top)
            return value == 1 || value == 4 || value == 5;
        if (bottom)
            return value == 2 || value == 4 || value == 6;
        return value == 4;
    }
    if (top)
        return value == 1;
    if (bottom)
        return value == 2;
    return false;
}

void DealCells()
{
    if (board.cells.size() != static_cast<std::size_t>(board.columns) * board.rows)
        ResizeBoard(board.columns, board.rows);
    game.counts = TileCounts();
    ui.selection.size = 0;
    bool road = CurrentMode() == GameMode::ZededUdoz;
    // A kind count outside 1 to 5 would deal values the counts cannot hold.
    int kinds = settings.CellNo < 1 ? 1 : settings.CellNo > MaxTileKinds ? MaxTileKinds : settings.CellNo;
    int n = road ? RoadTileValues : kinds;
    for (int column = 0; column < board.columns; ++column) {
        for (int row = 0; row < board.rows; ++row) {
            int t = gameRandom.Below(n) + 1;
            if (road) {
                while (DrawnAgain(column, row, t))
                    t = gameRandom.Below(RoadTileValues) + 1;
            } else {
                ++game.counts.count[t];
            }
            SetCell(column, row, static_cast<unsigned char>(t));
        }
    }
    if (road)
        game.counts.count[1] = board.columns * board.rows;
}

void FormatTitle(char* text, int size)
{
    if (size <= 0)
        return;
    char head[32];
    std::snprintf(head, sizeof head, "%s%s", CurrentMode() == GameMode::ZededUdoz ? ZededUdozTitle : IroGameTitle,
                  game.campaign ? CampaignTitle : "");
    if (!game.loadedFile.empty()) {
        std::snprintf(text, static_cast<std::size_t>(size), "%s%s", head, FileNameOf(game.loadedFile).c_str());
    } else {
        std::snprintf(text, static_cast<std::size_t>(size), "%s#%d", head, game.number);
    }
}

void UpdateTitle()
{
    char text[1024];
    FormatTitle(text, sizeof text);
    SetTitle(text);
}
