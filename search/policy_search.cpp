// Nested rollout policy adaptation, built for each engine of the fast board.
#include "search/policy_search.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "search/bit_engine.h"
#include "search/cell_engine.h"
#include "search/spare.h"

namespace {

// The searches that choose the kind to spare: each of as many searches of
// level 2 as asked, one from scratch being the same as a search of level 2.
const int ChoiceLevel = 3;
const int Iterations = 100;
const double Alpha = 1.0;

}  // namespace

template <class Engine>
PolicySearch<Engine>::PolicySearch(Engine* engine, SolveObjective objective, const Budget& budget)
    : engine_(*engine), objective_(objective), budget_(budget),
      codes_(static_cast<std::size_t>(Kinds * (engine->Layout().C + 2) * engine->Layout().S)),
      groups_(static_cast<std::size_t>(engine->Layout().C * engine->Layout().R) / 2 + 2)
{
    const FastLayout& layout = engine->Layout();
    levels_.resize(TopLevel + 1);
    // A group's chance grows with the square root of its size.
    bias_.resize(static_cast<std::size_t>(layout.C * layout.R) + 1);
    for (std::size_t k = 0; k < bias_.size(); ++k)
        bias_[k] = std::sqrt(static_cast<double>(std::max<std::size_t>(k, 1)));
    delta_.assign(codes_, 0.0);
    for (Level& L : levels_) {
        L.weight.assign(codes_, 0.0);
        L.odds.assign(codes_, 1.0);
    }
}

template <class Engine>
void PolicySearch<Engine>::Trace::Clear()
{
    line.clear();
    used = 0;
    starts.assign(1, 0);
    chosen.clear();
}

template <class Engine>
void PolicySearch<Engine>::Run(const FastBoard& start, int first, int trials, std::vector<int>* bestLine,
                               long long* bestValue)
{
    start_ = &start;
    firstSpare_ = INT_MIN;
    bestLine_ = bestLine;
    bestValue_ = bestValue;
    spare_ = MostCommonKind(start.counts, Engine::Roads);
    if (trials > 0 && !Engine::Roads)
        spare_ = ChooseSpare(
            start.counts, first, trials, [this] { return budget_.Spent(); },
            [this](int kind, int searches) {
                spare_ = kind;
                Search(ChoiceLevel, Fresh(levels_[ChoiceLevel]), searches);
                return levels_[ChoiceLevel].value;
            });
    while (!budget_.Spent())
        Search(TopLevel, Fresh(levels_[TopLevel]), Iterations);
}

template <class Engine>
typename PolicySearch<Engine>::Level& PolicySearch<Engine>::Fresh(Level& L)
{
    std::fill(L.weight.begin(), L.weight.end(), 0.0);
    std::fill(L.odds.begin(), L.odds.end(), 1.0);
    return L;
}

template <class Engine>
std::size_t PolicySearch<Engine>::Code(const FastGroup& g) const
{
    const FastLayout& layout = engine_.Layout();
    return static_cast<std::size_t>(g.value & CellTileMask) * static_cast<std::size_t>((layout.C + 2) * layout.S) +
           static_cast<std::size_t>(g.anchor);
}

template <class Engine>
long long PolicySearch<Engine>::Playout(const Level& policy)
{
    budget_.Count();
    board_ = *start_;
    trace_.Clear();
    const int tabu = spare_;
    int m = -1;
    while (true) {
        if (m < 0) {
            // Every playout starts from the same board.
            if (firstSpare_ != tabu) {
                firstSpare_ = tabu;
                firstGroups_.resize(groups_.size());
                firstCount_ = engine_.FindGroups(board_, firstGroups_.data(), tabu);
            }
            std::copy(firstGroups_.begin(), firstGroups_.begin() + firstCount_, groups_.begin());
            m = firstCount_;
        } else {
            m = engine_.UpdateGroups(board_, groups_.data(), m, tabu);
        }
        if (m == 0)
            break;
        chance_.resize(static_cast<std::size_t>(m));
        if (trace_.choices.size() < static_cast<std::size_t>(trace_.used + m))
            trace_.choices.resize(2 * static_cast<std::size_t>(trace_.used + m));
        Choice* choices = trace_.choices.data() + trace_.used;
        double* chance = chance_.data();
        FastGroup* groups = groups_.data();
        double total = 0;
        for (int a = 0; a < m; ++a) {
            FastGroup& g = groups[a];
            // A group kept from the last move keeps its weight.
            if (g.weight == 0) {
                g.code = static_cast<int>(Code(g));
                g.weight = policy.odds[static_cast<std::size_t>(g.code)] * bias_[static_cast<std::size_t>(g.size)];
            }
            choices[a] = Choice{g.code, g.size};
            total += g.weight;
            chance[a] = total;
        }
        trace_.used += m;
        trace_.starts.push_back(trace_.used);
        double r = budget_.Uniform() * total;
        int pick = m - 1;
        for (int a = 0; a < m; ++a)
            if (r < chance[a]) {
                pick = a;
                break;
            }
        const FastGroup& g = groups[pick];
        trace_.chosen.push_back(g.code);
        trace_.line.push_back(g.anchor);
        engine_.RemoveGroup(board_, g);
    }
    long long value = Value(objective_, board_.score, board_.counts);
    budget_.Finished(value, board_.score, board_.counts.rest);
    if (value > *bestValue_) {
        *bestValue_ = value;
        *bestLine_ = trace_.line;
    }
    return value;
}

// Shifts the weights towards the line traced (the chances from the weights
// as they were before).
template <class Engine>
void PolicySearch<Engine>::Adapt(Level& policy, const Trace& t)
{
    touched_.clear();
    const Choice* choices = t.choices.data();
    for (std::size_t step = 0; step + 1 < t.starts.size(); ++step) {
        int from = t.starts[step];
        int to = t.starts[step + 1];
        if (to - from < 2)
            continue;   // a forced move teaches nothing
        double total = 0;
        for (int k = from; k < to; ++k)
            total += policy.odds[static_cast<std::size_t>(choices[k].code)] *
                     bias_[static_cast<std::size_t>(choices[k].size)];
        double share = Alpha / total;
        for (int k = from; k < to; ++k) {
            std::size_t code = static_cast<std::size_t>(choices[k].code);
            if (delta_[code] == 0)
                touched_.push_back(static_cast<int>(code));
            delta_[code] -= share * policy.odds[code] * bias_[static_cast<std::size_t>(choices[k].size)];
        }
        std::size_t chosen = static_cast<std::size_t>(t.chosen[step]);
        if (delta_[chosen] == 0)
            touched_.push_back(static_cast<int>(chosen));
        delta_[chosen] += Alpha;
    }
    for (int c : touched_) {
        std::size_t code = static_cast<std::size_t>(c);
        policy.weight[code] += delta_[code];
        policy.odds[code] = std::exp(policy.weight[code]);
        delta_[code] = 0;
    }
}

// Leaves in levels_[level] the best line of this search of `iterations`
// searches one level down, and its worth.
template <class Engine>
void PolicySearch<Engine>::Search(int level, Level& policy, int iterations)
{
    Level& L = levels_[static_cast<std::size_t>(level)];
    L.value = LLONG_MIN;
    L.best.Clear();
    if (&policy != &L) {
        L.weight = policy.weight;
        L.odds = policy.odds;
    }
    for (int i = 0; i < iterations; ++i) {
        if (budget_.Spent())
            return;
        long long v;
        if (level == 1) {
            v = Playout(L);
            if (v >= L.value) {
                L.value = v;
                std::swap(L.best, trace_);   // the next playout clears the trace
            }
        } else {
            Search(level - 1, L, Iterations);
            const Level& below = levels_[static_cast<std::size_t>(level - 1)];
            v = below.value;
            if (v >= L.value && v != LLONG_MIN) {
                L.value = v;
                L.best = below.best;
            }
        }
        if (!L.best.chosen.empty())
            Adapt(L, L.best);
    }
}

template class PolicySearch<CellEngine<false>>;
template class PolicySearch<CellEngine<true>>;
template class PolicySearch<BitEngine>;
