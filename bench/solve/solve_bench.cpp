// The search over the standard 20-position set of 15 x 15 boards with five
// kinds, scored as the published results on it are: prints each position's
// score, the total and the time given to each position, and shows the
// search's progress on standard error (Ctrl+C ends the position's search
// early and the run with it, with the total so far).
//
// usage: hanabo_solve_bench [SECONDS] [SET] [FIRST LAST]
// SOLVE_THREADS (1) threads search each position; SOLVE_PLAYOUTS, when set,
// ends each thread's search after so many playouts; SOLVE_QUIET, when set,
// hides the progress.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "search/solve.h"
#include "tools/solve_progress.h"

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
    SolveOptions options;
    const char* limitText = std::getenv("SOLVE_PLAYOUTS");
    options.playoutLimit = limitText != nullptr ? std::atoll(limitText) : 0;
    const char* threadsText = std::getenv("SOLVE_THREADS");
    options.threads = threadsText != nullptr ? std::atoi(threadsText) : 1;
    if (options.threads < 1 || options.threads > MaxSolveThreads) {
        std::fprintf(stderr, "SOLVE_THREADS: 1 to %d\n", MaxSolveThreads);
        return 1;
    }
    const bool quiet = std::getenv("SOLVE_QUIET") != nullptr;
    options.stop = StopOnInterrupt();
    int first = argc > 4 ? std::atoi(argv[3]) : 1;
    int last = argc > 4 ? std::atoi(argv[4]) : 20;
    long long total = 0;
    int cleared = 0;
    auto start = std::chrono::steady_clock::now();
    std::printf("%.1f s per position, %d thread%s\n", seconds, options.threads, options.threads > 1 ? "s" : "");
    std::printf("position    score  cleared  moves  playouts  spared\n");
    for (int i = first; i <= last && i <= 20 && !options.stop->load(); ++i) {
        const SolvePosition& p = set[static_cast<std::size_t>(i - 1)];
        SolveResult r = SolveShowingProgress(p, SolveObjective::Standard, seconds, options, quiet,
                                             "position " + std::to_string(i));
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
    std::printf("total %lld, %d cleared, %.1f s per position budget, %.1f s in all%s\n", total, cleared, seconds,
                spent, options.stop->load() ? ", stopped early" : "");
    return 0;
}
