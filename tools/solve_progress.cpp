// The progress line of a running search, drawn by a thread of its own while the search works.
#include "tools/solve_progress.h"

#include <chrono>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <mutex>
#include <thread>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

// How often the line is redrawn on a terminal, and written otherwise.
const auto TerminalInterval = std::chrono::milliseconds(250);
const auto LineInterval = std::chrono::seconds(2);

std::atomic<bool> interrupted{false};

extern "C" void OnInterrupt(int)
{
    interrupted.store(true);
    std::signal(SIGINT, SIG_DFL);
}

bool StandardErrorIsTerminal()
{
#ifdef _WIN32
    return _isatty(_fileno(stderr)) != 0;
#else
    return isatty(fileno(stderr)) != 0;
#endif
}

std::string ProgressText(const std::string& label, SolveObjective objective, const SolveProgress& progress,
                         double seconds, double elapsed)
{
    char text[160];
    long long value = 0;
    long long score = 0;
    int rest = 0;
    std::string best = "no line yet";
    if (progress.Best(&value, &score, &rest)) {
        if (objective == SolveObjective::Standard)
            std::snprintf(text, sizeof text, "best %lld (score %lld, rest %d)", value, score, rest);
        else
            std::snprintf(text, sizeof text, "best score %lld, rest %d", score, rest);
        best = text;
    }
    double left = seconds > elapsed ? seconds - elapsed : 0;
    double rate = elapsed > 0 ? static_cast<double>(progress.playouts.load()) / elapsed : 0;
    std::snprintf(text, sizeof text, "%s, %.1f s left, %.0f playouts/s", best.c_str(), left, rate);
    return label.empty() ? std::string(text) : label + ": " + text;
}

}  // namespace

SolveResult SolveShowingProgress(const SolvePosition& position, SolveObjective objective, double seconds,
                                 SolveOptions options, bool quiet, const std::string& label)
{
    if (quiet)
        return Solve(position, objective, seconds, options);
    SolveProgress progress;
    options.progress = &progress;
    const bool terminal = StandardErrorIsTerminal();
    const auto start = std::chrono::steady_clock::now();
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;
    std::size_t shown = 0;   // the length of the line on the terminal
    std::thread watcher([&] {
        std::unique_lock<std::mutex> lock(mutex);
        while (!finished.wait_for(lock, terminal ? TerminalInterval : LineInterval, [&] { return done; })) {
            double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            std::string text = ProgressText(label, objective, progress, seconds, elapsed);
            if (terminal) {
                // Spaces over what is left of a longer line before it.
                std::size_t length = text.size();
                if (text.size() < shown)
                    text.append(shown - text.size(), ' ');
                shown = length;
                std::fprintf(stderr, "\r%s", text.c_str());
            } else {
                std::fprintf(stderr, "%s\n", text.c_str());
            }
            std::fflush(stderr);
        }
        if (shown > 0)
            std::fprintf(stderr, "\r%s\r", std::string(shown, ' ').c_str());
    });
    SolveResult result = Solve(position, objective, seconds, options);
    {
        std::lock_guard<std::mutex> hold(mutex);
        done = true;
    }
    finished.notify_one();
    watcher.join();
    return result;
}

const std::atomic<bool>* StopOnInterrupt()
{
    std::signal(SIGINT, OnInterrupt);
    return &interrupted;
}
