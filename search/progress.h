// What a running search has found so far, for another thread to show while it works.
#pragma once

#include <atomic>
#include <climits>
#include <mutex>

class SolveProgress {
public:
    // The playouts run so far by every thread of the search (counted in
    // batches, so a little behind).
    std::atomic<long long> playouts{0};

    // A finished line's worth, score and the tiles it leaves: kept when it is
    // worth more than the best so far.
    void Offer(long long value, long long score, int rest)
    {
        std::lock_guard<std::mutex> hold(mutex_);
        if (value > value_) {
            value_ = value;
            score_ = score;
            rest_ = rest;
        }
    }

    // The best line's worth, score and rest so far; false before the first line.
    bool Best(long long* value, long long* score, int* rest) const
    {
        std::lock_guard<std::mutex> hold(mutex_);
        *value = value_;
        *score = score_;
        *rest = rest_;
        return value_ != LLONG_MIN;
    }

private:
    mutable std::mutex mutex_;
    long long value_ = LLONG_MIN;
    long long score_ = 0;
    int rest_ = 0;
};
