// What a search may spend: its time, the caller's stop, its playouts, and its random numbers; what it tells of its progress.
#pragma once

#include <atomic>
#include <climits>
#include <chrono>
#include <cstdint>

#include "search/progress.h"

using SearchClock = std::chrono::steady_clock;

// Each search keeps its own, seeded by the search, so that a search with a
// playout limit repeats exactly whatever else runs beside it.
struct Budget {
    static const long long ProgressBatch = 256;

    Budget(SearchClock::time_point deadline, const std::atomic<bool>* stop, long long playoutLimit,
           std::uint64_t seed, SolveProgress* progress)
        : deadline(deadline), stop(stop), playoutLimit(playoutLimit), random(seed), progress(progress)
    {
    }

    SearchClock::time_point deadline;
    const std::atomic<bool>* stop;   // set from another thread to end the search
    long long playoutLimit;          // when over 0, the playouts it may run
    long long playouts = 0;          // the playouts run so far
    std::uint64_t random;            // the xorshift generator's state, never 0
    SolveProgress* progress;         // when given, told of the playouts and the best lines
    long long reported = LLONG_MIN;  // the worth of the best line told to it

    // One more playout (told to the progress by the batch).
    void Count()
    {
        if ((++playouts & (ProgressBatch - 1)) == 0 && progress != nullptr)
            progress->playouts.fetch_add(ProgressBatch, std::memory_order_relaxed);
    }

    // A finished line: told to the progress when it beats this search's best.
    void Finished(long long value, long long score, int rest)
    {
        if (value > reported) {
            reported = value;
            if (progress != nullptr)
                progress->Offer(value, score, rest);
        }
    }

    // Whether the caller stopped the search or the time `until` has come.
    bool Over(SearchClock::time_point until) const
    {
        return (stop != nullptr && stop->load(std::memory_order_relaxed)) || SearchClock::now() >= until;
    }

    // Whether the search must end: stopped, out of time, or out of playouts.
    bool Spent() const { return Over(deadline) || (playoutLimit > 0 && playouts >= playoutLimit); }

    // 0 to bound - 1.
    std::uint32_t Below(std::uint32_t bound)
    {
        Step();
        return static_cast<std::uint32_t>((random >> 32) * bound >> 32);
    }

    // From 0 up to but not including 1, in steps of 2^-53.
    double Uniform()
    {
        Step();
        return static_cast<double>(random >> 11) * (1.0 / 9007199254740992.0);
    }

    void Step()
    {
        random ^= random << 13;
        random ^= random >> 7;
        random ^= random << 17;
    }
};

// The deadline `seconds` after `start`.
inline SearchClock::time_point DeadlineAfter(SearchClock::time_point start, double seconds)
{
    return start + std::chrono::microseconds(static_cast<long long>(seconds * 1e6));
}
