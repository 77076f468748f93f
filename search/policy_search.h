// Nested rollout policy adaptation over the fast board: the search of boards of up to 64 x 64 cells.
//
// A playout picks each removal with a probability that grows with its
// group's size and with the weight of its code (its kind and the cell it
// starts from), never taking the spared kind while another can go (a long
// search first chooses which kind to spare: search/spare.h). A search of
// level L runs searches of level L - 1 one after the other, each time
// shifting the weights towards the best line so far; the top level (which a
// minute never ends) repeats from fresh weights while the budget lasts, and
// every playout is a whole line from the start.
#pragma once

#include <climits>
#include <cstddef>
#include <vector>

#include "search/budget.h"
#include "search/fast_board.h"

// Engine is one of the fast board's engines (search/fast_board.h); the
// search is built for each in search/policy_search.cpp.
template <class Engine>
class PolicySearch {
public:
    // The search spends `budget` and draws on its generator.
    PolicySearch(Engine* engine, SolveObjective objective, const Budget& budget);

    // Searches from `start` until the budget is spent; improves the best
    // line. With `trials` over 0, short searches first choose the kind to
    // spare (`first` and `trials` as ChooseSpare takes them).
    void Run(const FastBoard& start, int first, int trials, std::vector<int>* bestLine, long long* bestValue);

    long long Playouts() const { return budget_.playouts; }
    int Spared() const { return spare_; }

private:
    static const int TopLevel = 4;

    // A group a move was chosen from.
    struct Choice {
        int code;
        int size;
    };

    // A line with, for each of its moves, the groups it was chosen from:
    // those of move k are choices[starts[k]] to choices[starts[k + 1] - 1].
    struct Trace {
        std::vector<int> line;
        std::vector<Choice> choices;   // a buffer: its first `used` are the line's
        int used = 0;
        std::vector<int> starts;
        std::vector<int> chosen;
        void Clear();
    };

    struct Level {
        std::vector<double> weight;
        std::vector<double> odds;   // exp(weight)
        Trace best;
        long long value = LLONG_MIN;
    };

    static Level& Fresh(Level& L);
    std::size_t Code(const FastGroup& g) const;
    long long Playout(const Level& policy);
    void Adapt(Level& policy, const Trace& t);
    void Search(int level, Level& policy, int iterations);

    Engine& engine_;
    SolveObjective objective_;
    Budget budget_;
    std::size_t codes_;
    Trace trace_;
    std::vector<double> delta_;
    std::vector<double> bias_;
    std::vector<int> touched_;
    std::vector<FastGroup> groups_;
    std::vector<FastGroup> firstGroups_;   // the groups of the start, sparing firstSpare_
    int firstSpare_ = INT_MIN;
    int firstCount_ = 0;
    std::vector<Level> levels_;
    std::vector<double> chance_;
    FastBoard board_;
    const FastBoard* start_ = nullptr;
    std::vector<int>* bestLine_ = nullptr;
    long long* bestValue_ = nullptr;
    int spare_ = 0;   // the kind the playouts spare while another can go
};
