// Figures of the animation ticks on the largest sheet (240 x 160 tiles of 4
// pixels) with one group over the whole Board: the work a tick does besides
// the front end's copies, which must fit in an AnimIntrvl of 5 ms.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "game/animation.h"
#include "display/tile_set.h"
#include "storage/settings.h"
#include "tests/game_helpers.h"
#include "game/pointer.h"

static void WholeBoardGroup()
{
    FreshGame(MaxColumns, MaxRows, TileSetAnimated32, 5, 4);
    fake.quiet = true;
    tileSet = TileSet();
    tileSetInfo.kind = TileSetAnimated32;
    tileSetInfo.frameCount = 8;
    settings = Settings();
    std::fill(board.cells.begin(), board.cells.end(), static_cast<unsigned char>(2));
    CountTiles();
    HighlightGroupAt(0, 0);
}

static void BM_SelectionTickWholeBoard(benchmark::State& state)
{
    WholeBoardGroup();
    for (auto _ : state)
        SelectionTick();
    state.counters["cells"] = ui.selection.size;
}
BENCHMARK(BM_SelectionTickWholeBoard)->Unit(benchmark::kMicrosecond);

static void BM_VanishingTickWholeBoard(benchmark::State& state)
{
    WholeBoardGroup();
    ui.animState = AnimState::Vanishing;
    for (auto _ : state) {
        ui.animFrame = 0;
        benchmark::DoNotOptimize(VanishingTick());
    }
    state.counters["cells"] = ui.selection.size;
}
BENCHMARK(BM_VanishingTickWholeBoard)->Unit(benchmark::kMicrosecond);
