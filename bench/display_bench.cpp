// Figures of the display core: reading the shipped tile sets, filling the canvas
// for a new set, and the one stretch an animation tick makes.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "display/bitmap.h"
#include "display/canvas.h"
#include "display/tile_set.h"

// A set that cannot be read would time the reader's failure path, so the
// benchmark is skipped with an error instead.
static std::vector<std::uint8_t> Shipped(benchmark::State& state, const char* name)
{
    const std::filesystem::path path =
        std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" / "ship" / name;
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        state.SkipWithError(("cannot read " + path.string()).c_str());
    return bytes;
}

// Reading the tall animated set (256 × 672, 8 bits a pixel).
static void BM_ReadTallSet(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = Shipped(state, "Billiards32.bmp");
    for (auto _ : state) {
        Bitmap picture;
        benchmark::DoNotOptimize(ReadBitmap(bytes.data(), bytes.size(), &picture));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_ReadTallSet);

// Loading a set and filling every canvas region for it, at tile size 64.
static void BM_LoadAndPaintCanvas(benchmark::State& state, const char* name)
{
    const std::vector<std::uint8_t> bytes = Shipped(state, name);
    std::vector<std::uint32_t> pixels(CanvasWidth * CanvasHeight);
    TileCanvas canvas;
    canvas.pixels = pixels.data();
    for (auto _ : state) {
        TileSet set;
        TileSetInfo info;
        int cellNo = 5;
        bool option = false;
        LoadTileSet(set, info, bytes.data(), bytes.size(), Bitmap(), &cellNo, &option);
        PaintTileSetIntoCanvas(canvas, set, info.kind, 64, 0, set.picture);
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK_CAPTURE(BM_LoadAndPaintCanvas, road, "Road.bmp");
BENCHMARK_CAPTURE(BM_LoadAndPaintCanvas, jewels, "Jewels32.bmp");

// One animation tick's stretch of a frame into the AnimationSlot.
static void BM_StretchFrameToSlot(benchmark::State& state)
{
    const std::vector<std::uint8_t> bytes = Shipped(state, "Jewels32.bmp");
    TileSet set;
    TileSetInfo info;
    int cellNo = 5;
    bool option = false;
    LoadTileSet(set, info, bytes.data(), bytes.size(), Bitmap(), &cellNo, &option);
    std::vector<std::uint32_t> pixels(CanvasWidth * CanvasHeight);
    TileCanvas canvas;
    canvas.pixels = pixels.data();
    const int ts = static_cast<int>(state.range(0));
    int frame = 0;
    for (auto _ : state) {
        StretchToCanvas(canvas, set.picture, FrameRect(set, 1, frame), AnimationSlot(ts));
        frame = (frame + 1) % 8;
        benchmark::DoNotOptimize(pixels.data());
    }
}
BENCHMARK(BM_StretchFrameToSlot)->Arg(4)->Arg(16)->Arg(32)->Arg(64);
