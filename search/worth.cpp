// The line's worth under each objective.
#include "search/worth.h"

static long long Square(long long x)
{
    return x * x;
}

Counts CountCells(const unsigned char* cells, int n, bool road)
{
    Counts c;
    for (int i = 0; i < n; ++i)
        if (cells[i] != 0) {
            ++c.count[road ? 1 : (cells[i] & CellTileMask)];
            ++c.rest;
        }
    return c;
}

long long Value(SolveObjective objective, long long score, const Counts& counts)
{
    switch (objective) {
    case SolveObjective::Score:
        return score;
    case SolveObjective::ScoreLessRest:
        return score - counts.rest;
    case SolveObjective::FewestLeft:
        return -static_cast<long long>(counts.rest) * (1LL << 40) + score;
    case SolveObjective::Standard:
        break;
    }
    // A cleared board earns the bonus; otherwise each kind left costs as a
    // removal of its tiles would have earned.
    if (counts.rest == 0)
        return score + 1000;
    long long value = score;
    for (int k = 1; k < Kinds; ++k)
        if (counts.count[k] > 0)
            value -= Square(counts.count[k] - 2);
    return value;
}
