// Choosing the kind the playouts spare.
#include "search/spare.h"

#include <algorithm>
#include <climits>
#include <vector>

// The kinds still in the race after every kind's first searches.
static const std::size_t Finalists = 3;

int MostCommonKind(const Counts& counts, bool road)
{
    if (road)
        return 0;
    int most = 1;
    for (int k = 1; k < Kinds; ++k)
        if (counts.count[k] > counts.count[most])
            most = k;
    return most;
}

int ChooseSpare(const Counts& start, int first, int trials, const std::function<bool()>& spent,
                const std::function<long long(int kind, int searches)>& bestSparing)
{
    struct Choice {
        int kind;
        long long value;
    };
    std::vector<Choice> choices;
    for (int k = 1; k < Kinds; ++k)
        if (start.count[k] >= 2)
            choices.push_back(Choice{k, LLONG_MIN});
    auto tryKind = [&](Choice& c, int searches) {
        if (!spent())
            c.value = std::max(c.value, bestSparing(c.kind, searches));
    };
    auto better = [](const Choice& x, const Choice& y) { return x.value > y.value; };
    for (Choice& c : choices)
        for (int t = 0; t < first; ++t)
            tryKind(c, 1);
    std::stable_sort(choices.begin(), choices.end(), better);
    // A finalist's further searches adapt one after the other, as a deeper
    // search's do, rather than start afresh each time.
    const std::size_t finalists = std::min(choices.size(), Finalists);
    if (trials > first)
        for (std::size_t i = 0; i < finalists; ++i)
            tryKind(choices[i], trials - first);
    // The first of the best (min_element by `better`).
    auto best = std::min_element(choices.begin(), choices.begin() + static_cast<std::ptrdiff_t>(finalists), better);
    return finalists == 0 || best->value == LLONG_MIN ? MostCommonKind(start, false) : best->kind;
}
