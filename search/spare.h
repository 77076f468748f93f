// The kind a playout spares while another can go, so that it gathers into one large group for the end.
#pragma once

#include <functional>

#include "search/worth.h"

// The kind with the most tiles (the first of them), or 0 on roads, where
// every tile is of one kind.
int MostCommonKind(const Counts& counts, bool road);

// Sparing the kind with the most tiles gathers the largest group for the
// end, but another kind often gathers better (which one is spared can be
// worth a fifth of the score). Every kind of two or more tiles in `start`
// gets `first` short searches, each from scratch; the three best so far then
// get one search made of `trials - first` short ones that each build on the
// best line before; the kind whose best line is worth the most is returned,
// or the most common kind when no search finished. `bestSparing(kind, n)`
// runs a search of n short searches that spares the kind and gives the worth
// of its best line (LLONG_MIN for none); no search starts once `spent()` says
// so. Equal tiles only: on roads there is one kind.
int ChooseSpare(const Counts& start, int first, int trials, const std::function<bool()>& spent,
                const std::function<long long(int kind, int searches)>& bestSparing);
