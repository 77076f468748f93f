// Scoring, the texts of the score bar and the click counter, and the test for the end of a game.
#include "game/scoring.h"

#include <cstdio>

#include "game/board.h"
#include "game/front_end.h"
#include "rules/removal.h"
#include "storage/settings.h"

static const char ClickWord[] = "Click";
static const char ClicksWord[] = "Clicks";
static const char Blank[] = " ";

void ScoreRemoval(int n)
{
    game.score += static_cast<double>(RemovalPoints(n));
}

double ShownScore()
{
    return settings.ScoreOption ? game.score - TilesLeft() : game.score;
}

void FormatScoreBarField(int field, char* text, int size)
{
    std::size_t room = static_cast<std::size_t>(size);
    if (field >= 0 && field <= 4) {
        int value = field + 1;
        bool shown = CurrentMode() == GameMode::ZededUdoz ? value == 1 : value <= settings.CellNo;
        if (shown)
            std::snprintf(text, room, "%d", game.counts.count[value]);
        else
            std::snprintf(text, room, "%s", Blank);
    } else if (field == ScoreBarSizeField) {
        if (ui.selection.size > 1)
            std::snprintf(text, room, "%d", ui.selection.size);
        else
            std::snprintf(text, room, "%s", Blank);
    } else if (field == ScoreBarScoreField) {
        std::snprintf(text, room, "%.0f", ShownScore());
    } else if (size > 0) {
        text[0] = '\0';
    }
}

void ShowScoreBar()
{
    char text[64];
    for (int field = 0; field < ScoreBarFields; ++field) {
        FormatScoreBarField(field, text, sizeof text);
        SetScoreBarField(field, text);
    }
}

void FormatClickCounter(char* text, int size)
{
    std::snprintf(text, static_cast<std::size_t>(size), "%d(%d) %s", game.moveIndex, game.moveCount,
                  game.moveIndex < 2 ? ClickWord : ClicksWord);
}

void ShowClickCounter()
{
    char text[64];
    FormatClickCounter(text, sizeof text);
    SetClickCounter(text);
}

bool IsGameOver()
{
    return IsGameOver(board, CurrentMode());
}
