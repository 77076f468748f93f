// Figures of the game core on the largest sheet (240 x 160 tiles of 4 pixels):
// a whole-board group, the end test, and Undo at the end of a long game.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "game/board.h"
#include "game/groups.h"
#include "game/history.h"
#include "game/scoring.h"
#include "tests/game_helpers.h"
#include "game/removal.h"
#include "game/pointer.h"
#include "game/session.h"

static void LargestSheet(int tileSetKind = TileSetPlain)
{
    FreshGame(MaxColumns, MaxRows, tileSetKind, 5, 4);
    fake.quiet = true;
}

static void FillWith(unsigned char value)
{
    std::fill(board.cells.begin(), board.cells.end(), value);
    CountTiles();
}

// Forgets the highlight without drawing, as a fresh Board would have none.
static void ClearHighlight()
{
    for (unsigned char& cell : board.cells)
        cell &= CellTileMask;
    ui.selection = Selection();
}

// Highlighting a group that covers the Board: every Cell marked and drawn.
static void HighlightWholeBoard(benchmark::State& state, int tileSetKind, unsigned char value)
{
    LargestSheet(tileSetKind);
    FillWith(value);
    int column = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ClearHighlight();
        column = (column + 97) % MaxColumns;
        state.ResumeTiming();
        HighlightGroupAt(column, 80);
    }
    state.counters["size"] = ui.selection.size;
}

static void BM_HighlightWholeBoardGroup(benchmark::State& state) { HighlightWholeBoard(state, TileSetPlain, 3); }
BENCHMARK(BM_HighlightWholeBoardGroup)->Unit(benchmark::kMicrosecond);

static void BM_HighlightWholeBoardRoadGroup(benchmark::State& state) { HighlightWholeBoard(state, TileSetRoad, 15); }
BENCHMARK(BM_HighlightWholeBoardRoadGroup)->Unit(benchmark::kMicrosecond);

// Moving the pointer between two Cells of a whole-board group that is
// highlighted: the old group is unmarked and drawn, the new one marked and drawn.
static void BM_RehighlightWholeBoardGroup(benchmark::State& state)
{
    LargestSheet();
    FillWith(3);
    HighlightGroupAt(0, 0);
    int column = 0;
    for (auto _ : state) {
        column = (column + 97) % MaxColumns;
        HighlightGroupAt(column, 80);
    }
    state.counters["size"] = ui.selection.size;
}
BENCHMARK(BM_RehighlightWholeBoardGroup)->Unit(benchmark::kMicrosecond);

static void BM_RemoveWholeBoardGroup(benchmark::State& state)
{
    LargestSheet();
    for (auto _ : state) {
        state.PauseTiming();
        FillWith(3);
        game.moveIndex = 0;
        HighlightGroupAt(120, 80);
        state.ResumeTiming();
        RemoveGroup(120, 80);
    }
    state.counters["left"] = TilesLeft();
}
BENCHMARK(BM_RemoveWholeBoardGroup)->Unit(benchmark::kMicrosecond);

static void BM_IsGameOverFullBoardWithoutGroups(benchmark::State& state)
{
    LargestSheet();
    for (int r = 0; r < MaxRows; ++r)
        for (int c = 0; c < MaxColumns; ++c)
            SetCell(c, r, static_cast<unsigned char>(1 + (c + r) % 2));
    bool over = false;
    for (auto _ : state) {
        over = IsGameOver();
        benchmark::DoNotOptimize(over);
    }
    state.counters["over"] = over;
}
BENCHMARK(BM_IsGameOverFullBoardWithoutGroups)->Unit(benchmark::kMicrosecond);

// A long game: always the first removable group from the bottom-left.
static void PlayLongGame()
{
    LargestSheet();
    game.number = 1;
    StartGame(true, false);
    fake.calls.clear();
    int c = 0;
    int r = 0;
    while (!game.gameOver && FirstGroup(&c, &r)) {
        HighlightGroupAt(c, r);
        ClickAt(c * board.ts, r * board.ts);
        if (fake.calls.size() > 1000)
            fake.calls.clear();
    }
}

static void BM_UndoAtTheEndOfALongGame(benchmark::State& state)
{
    PlayLongGame();
    int moves = game.moveIndex;
    for (auto _ : state) {
        UndoMove();
        state.PauseTiming();
        RedoMove();
        fake.calls.clear();
        fake.sounds.clear();
        state.ResumeTiming();
    }
    state.counters["moves"] = moves;
}
BENCHMARK(BM_UndoAtTheEndOfALongGame)->Unit(benchmark::kMillisecond);
