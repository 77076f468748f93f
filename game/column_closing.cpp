#include "game/column_closing.h"

#include <vector>

void PlanColumnClosing(const unsigned char* bottomRow, int first, int last, int* source)
{
    std::vector<bool> holds(static_cast<std::size_t>(last + 1), false);
    for (int k = first; k <= last; ++k) {
        source[k] = k;
        holds[static_cast<std::size_t>(k)] = bottomRow[k] != 0;
    }
    int d = first + 1;
    for (int k = first; k <= last; ++k) {
        if (holds[static_cast<std::size_t>(k)])
            continue;
        if (d < k + 1)
            d = k + 1;
        while (d <= last && !holds[static_cast<std::size_t>(d)])
            ++d;
        if (d > last)
            break;
        source[k] = d;
        holds[static_cast<std::size_t>(k)] = true;
        source[d] = ClosedColumn;
        holds[static_cast<std::size_t>(d)] = false;
        ++d;
    }
}
