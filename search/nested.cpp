// The nested Monte-Carlo search, built for each engine of the fast board.
#include "search/nested.h"

#include <algorithm>
#include <climits>

#include "search/bit_engine.h"
#include "search/cell_engine.h"
#include "search/spare.h"

namespace {

// A move's share of the time left: the line ahead has about as many moves
// again as the best line has from here, and this move gets this many of them.
const double ShareFactor = 3.0;

// Boards over this many cells check the time within a playout too.
const int LongPlayoutCells = 4096;

}  // namespace

template <class Engine>
Nested<Engine>::Nested(Engine* engine, SolveObjective objective, const Budget& budget)
    : engine_(*engine), objective_(objective), budget_(budget),
      playoutGroups_(static_cast<std::size_t>(engine->Layout().C * engine->Layout().R) / 2 + 2),
      levels_(MaxLevel + 1)
{
}

template <class Engine>
void Nested<Engine>::Run(const FastBoard& start, std::vector<int>* bestLine, long long* bestValue)
{
    const FastLayout& layout = engine_.Layout();
    FastBoard b = start;
    std::vector<int> prefix;
    std::vector<FastGroup> groups(static_cast<std::size_t>(layout.C * layout.R) / 2 + 2);
    std::vector<long long> promise;
    std::vector<int> order;
    std::vector<int> sub;
    FastBoard child;
    while (!budget_.Spent()) {
        int n = engine_.FindGroups(b, groups.data());
        if (n == 0)
            return;
        int ahead = std::max(1, static_cast<int>(bestLine->size() - prefix.size()));
        double left = std::chrono::duration<double>(budget_.deadline - SearchClock::now()).count();
        double share = left * std::min(1.0, ShareFactor / ahead);
        stepDeadline_ = SearchClock::now() + std::chrono::microseconds(static_cast<long long>(share * 1e6));
        promise.assign(static_cast<std::size_t>(n), LLONG_MIN);
        order.resize(static_cast<std::size_t>(n));
        for (int g = 0; g < n; ++g)
            order[static_cast<std::size_t>(g)] = g;
        aborted_ = false;
        for (int level = 0; level <= MaxLevel && !aborted_; ++level) {
            std::stable_sort(order.begin(), order.end(), [&](int x, int y) {
                return promise[static_cast<std::size_t>(x)] > promise[static_cast<std::size_t>(y)];
            });
            for (int g : order) {
                child = b;
                int anchor = groups[static_cast<std::size_t>(g)].anchor;
                engine_.Remove(child, anchor);
                long long v = Search(child, level, &sub);
                if (aborted_)
                    break;
                promise[static_cast<std::size_t>(g)] = std::max(promise[static_cast<std::size_t>(g)], v);
                if (v > *bestValue) {
                    *bestValue = v;
                    bestLine->assign(prefix.begin(), prefix.end());
                    bestLine->push_back(anchor);
                    bestLine->insert(bestLine->end(), sub.begin(), sub.end());
                }
            }
        }
        // Follow the best line: it begins with the moves played so far.
        int next = (*bestLine)[prefix.size()];
        engine_.Remove(b, next);
        prefix.push_back(next);
    }
}

template <class Engine>
long long Nested<Engine>::Playout(FastBoard& b, std::vector<int>* line)
{
    budget_.Count();
    line->clear();
    FastGroup* groups = playoutGroups_.data();
    const int tabu = MostCommonKind(b.counts, Engine::Roads);
    const bool checkTime = engine_.Layout().C * engine_.Layout().R > LongPlayoutCells;
    int steps = 0;
    while (true) {
        int n = engine_.FindGroups(b, groups, tabu);
        if (n == 0)
            break;
        if ((++steps & 15) == 0 && checkTime && budget_.Spent()) {
            aborted_ = true;
            break;
        }
        int pick = static_cast<int>(budget_.Below(static_cast<std::uint32_t>(n)));
        line->push_back(groups[pick].anchor);
        engine_.Remove(b, groups[pick].anchor);
    }
    long long value = Value(objective_, b.score, b.counts);
    if (!aborted_)
        budget_.Finished(value, b.score, b.counts.rest);
    return value;
}

template <class Engine>
long long Nested<Engine>::Search(const FastBoard& start, int level, std::vector<int>* line)
{
    if (level == 0) {
        playoutBoard_ = start;
        return Playout(playoutBoard_, line);
    }
    const FastLayout& layout = engine_.Layout();
    Level& L = levels_[static_cast<std::size_t>(level)];
    if (L.groups.empty())
        L.groups.resize(static_cast<std::size_t>(layout.C * layout.R) / 2 + 2);
    L.board = start;
    L.best.clear();
    long long bestValue = LLONG_MIN;
    std::size_t played = 0;
    while (true) {
        int n = engine_.FindGroups(L.board, L.groups.data());
        if (n == 0) {
            if (bestValue == LLONG_MIN) {
                bestValue = Value(objective_, L.board.score, L.board.counts);
                L.best.clear();
            }
            break;
        }
        for (int g = 0; g < n; ++g) {
            if (budget_.Over(stepDeadline_)) {
                aborted_ = true;
                return bestValue;
            }
            L.child = L.board;
            int anchor = L.groups[static_cast<std::size_t>(g)].anchor;
            engine_.Remove(L.child, anchor);
            long long v = Search(L.child, level - 1, &L.sub);
            if (aborted_)
                return bestValue;
            if (v > bestValue) {
                bestValue = v;
                L.best.resize(played);
                L.best.push_back(anchor);
                L.best.insert(L.best.end(), L.sub.begin(), L.sub.end());
            }
        }
        engine_.Remove(L.board, L.best[played]);
        ++played;
    }
    *line = L.best;
    return bestValue;
}

template class Nested<CellEngine<false>>;
template class Nested<CellEngine<true>>;
template class Nested<BitEngine>;
