// Figures of the search on a 15 x 15 board of five kinds: playouts a second
// of the policy search (its weights as at the start of a search), and of the
// bit engine alone playing random lines.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <vector>

#include "search/bit_engine.h"
#include "search/fast_board.h"
#include "search/policy_search.h"

// A board of 15 x 15 tiles of five kinds, the same each time.
static SolvePosition FiveKinds()
{
    SolvePosition p;
    p.columns = 15;
    p.rows = 15;
    p.road = false;
    std::uint32_t x = 12345;
    for (int i = 0; i < 15 * 15; ++i) {
        x = x * 1103515245u + 12345u;
        p.cells.push_back(static_cast<unsigned char>(1 + (x >> 16) % 5));
    }
    return p;
}

static Budget Playouts(long long limit)
{
    return Budget(SearchClock::now() + std::chrono::hours(1), nullptr, limit, 88172645463325252ull, nullptr);
}

// A level-4 search's first playouts, sparing the kind with the most tiles.
static void BM_PolicySearchPlayouts(benchmark::State& state)
{
    const SolvePosition position = FiveKinds();
    BitEngine engine(position.columns, position.rows);
    FastBoard start;
    engine.Load(position, &start);
    const long long playouts = 10000;
    for (auto _ : state) {
        PolicySearch<BitEngine> search(&engine, SolveObjective::Standard, Playouts(playouts));
        std::vector<int> line;
        long long value = 0;
        search.Run(start, 0, 0, &line, &value);
        benchmark::DoNotOptimize(value);
    }
    state.SetItemsProcessed(state.iterations() * playouts);
}
BENCHMARK(BM_PolicySearchPlayouts)->Unit(benchmark::kMillisecond);

// Random lines through the bit engine: groups found once, then updated after
// each removal, as a playout finds them.
static void BM_BitEngineRandomLines(benchmark::State& state)
{
    const SolvePosition position = FiveKinds();
    BitEngine engine(position.columns, position.rows);
    FastBoard start;
    engine.Load(position, &start);
    std::vector<FastGroup> groups(15 * 15 / 2 + 2);
    Budget random = Playouts(0);
    long long moves = 0;
    for (auto _ : state) {
        FastBoard b = start;
        int n = engine.FindGroups(b, groups.data(), 1);
        while (n > 0) {
            engine.RemoveGroup(b, groups[random.Below(static_cast<std::uint32_t>(n))]);
            n = engine.UpdateGroups(b, groups.data(), n, 1);
            ++moves;
        }
        benchmark::DoNotOptimize(b.score);
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["moves"] = benchmark::Counter(static_cast<double>(moves) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_BitEngineRandomLines)->Unit(benchmark::kMicrosecond);
