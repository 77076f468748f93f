// Game numbers in play: new numbers, dealing the game's Board, and the window title.
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
    SeedForGame(&gameRandom, s);
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

void DealCells()
{
    if (board.cells.size() != static_cast<std::size_t>(board.columns) * board.rows)
        ResizeBoard(board.columns, board.rows);
    ui.selection.size = 0;
    game.counts = DealCells(board, CurrentMode(), settings.CellNo, &gameRandom);
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
