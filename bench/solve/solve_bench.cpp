// The search over the standard 20-position set of 15 x 15 boards with five
// kinds, scored as the published results on it are: prints each position's
// score, the total and the time given to each position.
//
// usage: hanabo_solve_bench [SECONDS] [SET] [FIRST LAST]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "search/solve.h"

#ifndef HANABO_SOLVE_SET
#define HANABO_SOLVE_SET "bench/data/standard-set-15x15.txt"
#endif

static std::vector<SolvePosition> ReadSet(const char* path)
{
    std::vector<SolvePosition> set;
    std::ifstream in(path);
    std::string line;
    SolvePosition* current = nullptr;
    while (std::getline(in, line)) {
        if (line.rfind("# position", 0) == 0) {
            set.emplace_back();
            current = &set.back();
            current->columns = 15;
            current->rows = 0;
            continue;
        }
        if (line.empty() || line[0] == '#' || current == nullptr)
            continue;
        std::istringstream values(line);
        int v = 0;
        int count = 0;
        while (values >> v) {
            current->cells.push_back(static_cast<unsigned char>(v + 1));
            ++count;
        }
        if (count != 15) {
            std::fprintf(stderr, "a row of %d values in %s\n", count, path);
            std::exit(1);
        }
        ++current->rows;
    }
    return set;
}

int main(int argc, char** argv)
{
    double seconds = argc > 1 ? std::atof(argv[1]) : 10;
    const char* path = argc > 2 ? argv[2] : HANABO_SOLVE_SET;
    std::vector<SolvePosition> set = ReadSet(path);
    if (set.size() != 20) {
        std::fprintf(stderr, "%s: expected 20 positions, read %d\n", path, static_cast<int>(set.size()));
        return 1;
    }
    // SOLVE_PLAYOUTS, when set, also ends each search after so many playouts.
    const char* limitText = std::getenv("SOLVE_PLAYOUTS");
    long long playoutLimit = limitText != nullptr ? std::atoll(limitText) : 0;
    int first = argc > 4 ? std::atoi(argv[3]) : 1;
    int last = argc > 4 ? std::atoi(argv[4]) : 20;
    long long total = 0;
    int cleared = 0;
    auto start = std::chrono::steady_clock::now();
    std::printf("%.1f s per position\n", seconds);
    std::printf("position    score  cleared  moves  playouts  spared\n");
    for (int i = first; i <= last && i <= 20; ++i) {
        const SolvePosition& p = set[static_cast<std::size_t>(i - 1)];
        SolveResult r = Solve(p, SolveObjective::Standard, seconds, nullptr, playoutLimit);
        long long score = 0;
        int rest = 0;
        bool legal = PlayLine(p, r.line, &score, &rest);
        // The kind spared, as the set writes kinds (0-4).
        std::printf("%8d %8lld %8s %6d %9lld %7d%s\n", i, r.value, r.cleared ? "yes" : "no",
                    static_cast<int>(r.line.size()), r.playouts, r.spared - 1,
                    legal && score == r.score ? "" : "  REPLAY DIFFERS");
        std::fflush(stdout);
        total += r.value;
        cleared += r.cleared ? 1 : 0;
    }
    double spent = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("total %lld, %d cleared, %.1f s per position budget, %.1f s in all\n", total, cleared, seconds, spent);
    return 0;
}
