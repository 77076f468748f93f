// The exact search of a line's end, built for each engine of the fast board.
#include "search/ending.h"

#include <climits>

#include "rules/removal.h"
#include "search/bit_engine.h"
#include "search/cell_engine.h"

namespace {

// Two independent hashes of the board: a position is told apart by both.
void KeysOf(const FastBoard& b, std::uint64_t* key, std::uint64_t* check)
{
    std::uint64_t h = 0x9E3779B97F4A7C15ull ^ static_cast<std::uint64_t>(b.columns);
    std::uint64_t g = 0xC2B2AE3D27D4EB4Full + static_cast<std::uint64_t>(b.counts.rest);
    auto mix = [&](std::uint64_t x) {
        h = (h ^ x) * 0xFF51AFD7ED558CCDull;
        h ^= h >> 29;
        g = (g + x) * 0xC4CEB9FE1A85EC53ull;
        g ^= g >> 31;
    };
    if (!b.bits.empty()) {
        // The bit engine keeps its bits, not its cells.
        for (std::uint64_t x : b.bits)
            mix(x);
    } else {
        for (std::size_t c = 0; c < b.height.size(); ++c)
            mix(static_cast<std::uint64_t>(b.height[c]));
        std::uint64_t word = 0;
        for (std::size_t i = 0; i < b.cells.size(); ++i) {
            word = (word << 8) | b.cells[i];
            if (i % 8 == 7) {
                mix(word);
                word = 0;
            }
        }
        mix(word);
    }
    *key = h != 0 ? h : 1;
    *check = g;
}

}  // namespace

template <class Engine>
EndingSearch<Engine>::EndingSearch(Engine* engine, SolveObjective objective, long long positions,
                                   const Budget& budget)
    : engine_(*engine), objective_(objective), limit_(positions), budget_(budget)
{
    // A table at most half full.
    std::size_t size = 1024;
    while (size < static_cast<std::size_t>(positions) * 2)
        size *= 2;
    table_.resize(size);
    // A board and its groups for each removal still to come (each removes
    // two tiles or more), made once: the search reaches into them by depth.
    const FastLayout& layout = engine->Layout();
    const std::size_t cells = static_cast<std::size_t>(layout.C * layout.R);
    boards_.resize(cells / 2 + 2);
    groups_.assign(cells / 2 + 2, std::vector<FastGroup>(cells / 2 + 2));
}

template <class Engine>
typename EndingSearch<Engine>::Entry* EndingSearch<Engine>::Find(const FastBoard& b)
{
    std::uint64_t key = 0;
    std::uint64_t check = 0;
    KeysOf(b, &key, &check);
    const std::size_t mask = table_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(key) & mask;; i = (i + 1) & mask) {
        Entry& e = table_[i];
        if (e.key == 0) {
            e.key = key;
            e.check = check;
            e.worth = LLONG_MIN;
            return &e;
        }
        if (e.key == key && e.check == check)
            return &e;
    }
}

template <class Engine>
bool EndingSearch<Engine>::Best(const FastBoard& b, int depth, long long* worth)
{
    Entry* entry = Find(b);
    if (entry->worth != LLONG_MIN) {
        *worth = entry->worth;
        return true;
    }
    if (++count_ > limit_ || ((count_ & 1023) == 0 && budget_.Over(budget_.deadline)))
        return false;
    const std::size_t d = static_cast<std::size_t>(depth);
    std::vector<FastGroup>& groups = groups_[d];
    const int n = engine_.FindGroups(b, groups.data());
    // The worth of the end: the score from here is added by the callers.
    long long best = Value(objective_, 0, b.counts);
    if (n > 0)
        best = LLONG_MIN;
    for (int k = 0; k < n; ++k) {
        FastBoard& next = boards_[d + 1];
        next = b;
        const int removed = engine_.Remove(next, groups[static_cast<std::size_t>(k)].anchor);
        long long rest = 0;
        if (!Best(next, depth + 1, &rest))
            return false;
        if (RemovalPoints(removed) + rest > best)
            best = RemovalPoints(removed) + rest;
    }
    entry->worth = best;   // the table never grows, so the entry stays where it is
    *worth = best;
    return true;
}

template <class Engine>
void EndingSearch<Engine>::Polish(const FastBoard& start, std::vector<int>* line, long long* value)
{
    std::vector<FastBoard> along(1, start);
    for (int cell : *line) {
        along.push_back(along.back());
        engine_.Remove(along.back(), cell);
    }
    // The earliest position of the line worked out within the share.
    int from = -1;
    long long worth = 0;
    for (int k = static_cast<int>(line->size()); k >= 0; --k) {
        long long w = 0;
        if (!Best(along[static_cast<std::size_t>(k)], 0, &w))
            break;
        from = k;
        worth = w;
    }
    if (from < 0 || along[static_cast<std::size_t>(from)].score + worth <= *value)
        return;
    // Follow the best removals from there: each is worth what is left.
    line->resize(static_cast<std::size_t>(from));
    FastBoard b = along[static_cast<std::size_t>(from)];
    std::vector<FastGroup>& groups = groups_[0];
    long long left = worth;
    while (true) {
        const int n = engine_.FindGroups(b, groups.data());
        bool moved = false;
        for (int k = 0; k < n && !moved; ++k) {
            FastBoard next = b;
            const int removed = engine_.Remove(next, groups[static_cast<std::size_t>(k)].anchor);
            const Entry* e = Find(next);
            if (e->worth != LLONG_MIN && RemovalPoints(removed) + e->worth == left) {
                line->push_back(groups[static_cast<std::size_t>(k)].anchor);
                left = e->worth;
                b = next;
                moved = true;
            }
        }
        if (!moved)
            break;
    }
    *value = Value(objective_, b.score, b.counts);
}

template class EndingSearch<CellEngine<false>>;
template class EndingSearch<CellEngine<true>>;
template class EndingSearch<BitEngine>;
