// The search for the best line of play.
//
// The method is a Monte-Carlo beam search with iterative widening: each
// layer keeps the `width` most promising boards one removal deeper, where a
// removal's promise is the worth of one random playout after it that spares
// the most frequent kind while anything else can go (so that kind gathers
// into one large group for the end). Boards reached by two orders of the same
// removals are kept once; every playout that beats the best line becomes the
// best line. The width doubles while the time allows, then runs as wide as
// fit fill what is left. The search never allocates per board: a layer is one flat
// block of cells, and a playout works on one scratch board.
#include "game/solver.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

const int Kinds = 16;
const unsigned char Up = 1;
const unsigned char Down = 2;
const unsigned char Right = 4;
const unsigned char Left = 8;

struct Group {
    int anchor;
    int size;
    int value;
};

class Engine {
public:
    Engine(int columns, int rows, bool road)
        : C(columns), R(rows), N(columns * rows), road_(road), seen_(static_cast<std::size_t>(N), 0),
          stack_(static_cast<std::size_t>(N) + 1), members_(static_cast<std::size_t>(N) + 1)
    {
    }

    const int C;
    const int R;
    const int N;

    // Every group of two or more tiles, by its first cell from the top left.
    int FindGroups(const unsigned char* cells, Group* out)
    {
        NextStamp();
        int count = 0;
        for (int i = 0; i < N; ++i) {
            if (cells[i] == 0 || seen_[i] == stamp_)
                continue;
            int size = Flood(cells, i, false);
            if (size >= 2)
                out[count++] = Group{i, size, cells[i]};
        }
        return count;
    }

    // Removes the group at anchor as the game does; returns its size, or 0
    // (and leaves the cells alone) when it holds fewer than two tiles.
    int Remove(unsigned char* cells, int anchor)
    {
        if (anchor < 0 || anchor >= N || cells[anchor] == 0)
            return 0;
        NextStamp();
        int n = Flood(cells, anchor, true);
        if (n < 2)
            return 0;
        int minColumn = C;
        int maxColumn = -1;
        int maxRow = -1;
        for (int k = 0; k < n; ++k) {
            int i = members_[k];
            cells[i] = 0;
            int column = i % C;
            int row = i / C;
            minColumn = std::min(minColumn, column);
            maxColumn = std::max(maxColumn, column);
            maxRow = std::max(maxRow, row);
        }
        // Each column of the group's box packs down against the box's lowest row.
        for (int column = minColumn; column <= maxColumn; ++column) {
            int to = maxRow;
            for (int from = maxRow; from >= 0; --from) {
                unsigned char cell = cells[from * C + column];
                if (cell == 0)
                    continue;
                if (from != to)
                    cells[to * C + column] = cell;
                --to;
            }
            for (int r = to; r >= 0; --r)
                cells[r * C + column] = 0;
        }
        CloseColumns(cells, minColumn);
        return n;
    }

    std::uint64_t Hash(const unsigned char* cells) const
    {
        std::uint64_t h = 0x9E3779B97F4A7C15ull;
        for (int i = 0; i < N; ++i)
            if (cells[i] != 0)
                h ^= Mix(static_cast<std::uint64_t>(i) * Kinds + cells[i]);
        return h;
    }

private:
    bool road_;
    std::vector<int> seen_;
    int stamp_ = 0;
    std::vector<int> stack_;
    std::vector<int> members_;

    static std::uint64_t Mix(std::uint64_t x)
    {
        x += 0x9E3779B97F4A7C15ull;
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
        return x ^ (x >> 31);
    }

    void NextStamp()
    {
        if (++stamp_ == 0) {
            std::fill(seen_.begin(), seen_.end(), 0);
            stamp_ = 1;
        }
    }

    // Whether tile a reaches its neighbour b in the direction `toward`.
    bool Joins(unsigned char a, unsigned char b, unsigned char toward, unsigned char facing) const
    {
        if (b == 0)
            return false;
        if (road_)
            return (a & toward) != 0 && (b & facing) != 0;
        return a == b;
    }

    int Flood(const unsigned char* cells, int start, bool collect)
    {
        int depth = 0;
        int size = 0;
        stack_[depth++] = start;
        seen_[start] = stamp_;
        while (depth > 0) {
            int i = stack_[--depth];
            if (collect)
                members_[size] = i;
            ++size;
            unsigned char a = cells[i];
            int column = i % C;
            if (i >= C && seen_[i - C] != stamp_ && Joins(a, cells[i - C], Up, Down)) {
                seen_[i - C] = stamp_;
                stack_[depth++] = i - C;
            }
            if (i + C < N && seen_[i + C] != stamp_ && Joins(a, cells[i + C], Down, Up)) {
                seen_[i + C] = stamp_;
                stack_[depth++] = i + C;
            }
            if (column > 0 && seen_[i - 1] != stamp_ && Joins(a, cells[i - 1], Left, Right)) {
                seen_[i - 1] = stamp_;
                stack_[depth++] = i - 1;
            }
            if (column + 1 < C && seen_[i + 1] != stamp_ && Joins(a, cells[i + 1], Right, Left)) {
                seen_[i + 1] = stamp_;
                stack_[depth++] = i + 1;
            }
        }
        return size;
    }

    // Empty columns close towards the left exactly as the game closes them:
    // by the bottom row, from the group's first column on.
    void CloseColumns(unsigned char* cells, int minColumn)
    {
        const unsigned char* bottom = cells + (R - 1) * C;
        int found = -1;
        for (int k = C - 1; k >= minColumn; --k)
            if (bottom[k] != 0) {
                found = k;
                break;
            }
        if (found < 0)
            return;
        int last = found;
        bool gap = false;
        for (int k = minColumn; k < last; ++k)
            if (bottom[k] == 0)
                gap = true;
        if (!gap)
            return;
        const int Cleared = -1;
        int source[256];
        bool holds[256];
        if (last >= 256)
            return;   // wider than any sheet
        for (int k = minColumn; k <= last; ++k) {
            source[k] = k;
            holds[k] = bottom[k] != 0;
        }
        int d = minColumn + 1;
        for (int k = minColumn; k <= last; ++k) {
            if (holds[k])
                continue;
            if (d < k + 1)
                d = k + 1;
            while (d <= last && !holds[d])
                ++d;
            if (d > last)
                break;
            source[k] = d;
            holds[k] = true;
            source[d] = Cleared;
            holds[d] = false;
            ++d;
        }
        for (int row = 0; row < R; ++row) {
            unsigned char* line = cells + row * C;
            for (int k = minColumn; k <= last; ++k) {
                if (source[k] == k)
                    continue;
                line[k] = source[k] == Cleared ? 0 : line[source[k]];
            }
        }
    }
};

// The tiles left by kind: by value, or all of them on the road set.
struct Counts {
    int count[Kinds] = {};
    int rest = 0;
};

Counts CountCells(const unsigned char* cells, int n, bool road)
{
    Counts c;
    for (int i = 0; i < n; ++i)
        if (cells[i] != 0) {
            ++c.count[road ? 1 : (cells[i] & 15)];
            ++c.rest;
        }
    return c;
}

long long Square(long long x)
{
    return x * x;
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
    if (counts.rest == 0)
        return score + 1000;
    long long value = score;
    for (int k = 1; k < Kinds; ++k)
        if (counts.count[k] > 0)
            value -= Square(counts.count[k] - 2);
    return value;
}

struct Node {
    long long score;
    Counts counts;
};

struct Candidate {
    long long promise;
    std::uint32_t parent;
    std::uint32_t anchor;
};

struct Step {
    std::uint32_t parent;
    std::uint32_t anchor;
};

class Beam {
public:
    Beam(const SolvePosition& p, SolveObjective objective, Clock::time_point deadline, const std::atomic<bool>* stop)
        : p_(p), objective_(objective), deadline_(deadline), stop_(stop), engine_(p.columns, p.rows, p.road),
          groups_(static_cast<std::size_t>(engine_.N) / 2 + 2)
    {
    }

    // One run at this width; false when time ran out before it ended.
    // Improves `best` with every finished line better than it.
    bool Run(int width, SolveResult* best, bool* haveBest)
    {
        const std::size_t n = static_cast<std::size_t>(engine_.N);
        std::vector<unsigned char> cells(p_.cells);
        std::vector<Node> nodes(1);
        nodes[0].score = 0;
        nodes[0].counts = CountCells(cells.data(), engine_.N, p_.road);
        std::vector<std::vector<Step>> history;
        std::vector<Candidate> candidates;
        std::vector<unsigned char> nextCells;
        std::vector<Node> nextNodes;
        std::vector<std::uint64_t> table;

        while (!nodes.empty()) {
            candidates.clear();
            for (std::size_t i = 0; i < nodes.size(); ++i) {
                if (OutOfTime())
                    return false;
                const unsigned char* board = cells.data() + i * n;
                int count = engine_.FindGroups(board, groups_.data());
                const Node& node = nodes[i];
                if (count == 0) {
                    Finish(node, history, static_cast<std::uint32_t>(i), board, best, haveBest);
                    continue;
                }
                for (int g = 0; g < count; ++g) {
                    const Group& group = groups_[static_cast<std::size_t>(g)];
                    // The promise of a removal is the worth of one playout after it.
                    scratch_.assign(board, board + n);
                    int kind = p_.road ? 1 : group.value;
                    int removed = engine_.Remove(scratch_.data(), group.anchor);
                    Node child = node;
                    child.score += Square(removed - 2);
                    child.counts.count[kind] -= removed;
                    child.counts.rest -= removed;
                    long long promise = Playout(child, history, static_cast<std::uint32_t>(i),
                                                static_cast<std::uint32_t>(group.anchor), best, haveBest);
                    candidates.push_back(
                        Candidate{promise, static_cast<std::uint32_t>(i), static_cast<std::uint32_t>(group.anchor)});
                }
            }
            if (candidates.empty())
                break;
            std::size_t keep = std::min(candidates.size(), static_cast<std::size_t>(width) * 2);
            auto better = [](const Candidate& a, const Candidate& b) {
                if (a.promise != b.promise)
                    return a.promise > b.promise;
                if (a.parent != b.parent)
                    return a.parent < b.parent;
                return a.anchor < b.anchor;
            };
            if (keep < candidates.size())
                std::nth_element(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(keep),
                                 candidates.end(), better);
            std::sort(candidates.begin(), candidates.begin() + static_cast<std::ptrdiff_t>(keep), better);

            std::size_t tableSize = 16;
            while (tableSize < static_cast<std::size_t>(width) * 4)
                tableSize *= 2;
            table.assign(tableSize, 0);
            nextCells.resize(std::min(keep, static_cast<std::size_t>(width)) * n);
            nextNodes.clear();
            std::vector<Step> steps;
            for (std::size_t c = 0; c < keep && nextNodes.size() < static_cast<std::size_t>(width); ++c) {
                const Candidate& cand = candidates[c];
                unsigned char* board = nextCells.data() + nextNodes.size() * n;
                std::memcpy(board, cells.data() + cand.parent * n, n);
                unsigned char value = board[cand.anchor];
                int removed = engine_.Remove(board, static_cast<int>(cand.anchor));
                std::uint64_t h = engine_.Hash(board) | 1;
                std::size_t slot = static_cast<std::size_t>(h) & (tableSize - 1);
                bool duplicate = false;
                while (table[slot] != 0) {
                    if (table[slot] == h) {
                        duplicate = true;
                        break;
                    }
                    slot = (slot + 1) & (tableSize - 1);
                }
                if (duplicate)
                    continue;
                table[slot] = h;
                const Node& parent = nodes[cand.parent];
                Node child = parent;
                int kind = p_.road ? 1 : (value & 15);
                child.score += Square(removed - 2);
                child.counts.count[kind] -= removed;
                child.counts.rest -= removed;
                nextNodes.push_back(child);
                steps.push_back(Step{cand.parent, cand.anchor});
            }
            history.push_back(std::move(steps));
            nextCells.resize(nextNodes.size() * n);
            cells.swap(nextCells);
            nodes.swap(nextNodes);
        }
        return true;
    }

private:
    const SolvePosition& p_;
    SolveObjective objective_;
    Clock::time_point deadline_;
    const std::atomic<bool>* stop_;
    Engine engine_;
    std::vector<Group> groups_;
    std::vector<Group> childGroups_ = std::vector<Group>(groups_.size());
    std::vector<unsigned char> scratch_;

    std::vector<std::uint32_t> playoutMoves_;
    std::uint64_t rng_ = 0x2545F4914F6CDD1Dull;

    std::uint32_t Random(std::uint32_t bound)
    {
        rng_ ^= rng_ << 13;
        rng_ ^= rng_ >> 7;
        rng_ ^= rng_ << 17;
        return static_cast<std::uint32_t>((rng_ >> 32) * bound >> 32);
    }

    // A random line from the scratch board that spares the most frequent kind
    // while anything else can go; finds the line's worth and keeps it when it
    // beats the best.
public:
    // One playout from the position itself, cut short only by the time (it
    // gives the first move at least), so that every search has a line.
    void Seed(SolveResult* best, bool* haveBest)
    {
        scratch_ = p_.cells;
        Node node;
        node.score = 0;
        node.counts = CountCells(scratch_.data(), engine_.N, p_.road);
        bool finished = PlayOn(&node, true);
        long long value = Value(objective_, node.score, node.counts);
        if (playoutMoves_.empty() && !finished)
            return;
        *haveBest = true;
        best->value = finished ? value : LLONG_MIN;
        best->score = node.score;
        best->rest = node.counts.rest;
        best->cleared = node.counts.rest == 0;
        best->line.clear();
        for (std::uint32_t m : playoutMoves_)
            best->line.push_back(SolveMove{static_cast<int>(m) % p_.columns, static_cast<int>(m) / p_.columns});
    }

private:
    long long Playout(Node node, const std::vector<std::vector<Step>>& history, std::uint32_t parent,
                      std::uint32_t firstMove, SolveResult* best, bool* haveBest)
    {
        PlayOn(&node, false);
        long long value = Value(objective_, node.score, node.counts);
        if (!*haveBest || value > best->value) {
            Finish(node, history, parent, nullptr, best, haveBest);
            best->line.push_back(SolveMove{static_cast<int>(firstMove) % p_.columns, static_cast<int>(firstMove) / p_.columns});
            for (std::uint32_t m : playoutMoves_)
                best->line.push_back(SolveMove{static_cast<int>(m) % p_.columns, static_cast<int>(m) / p_.columns});
        }
        return value;
    }

    // Plays the scratch board to its end (or, when timed, until the time is
    // up after one move); true when it reached the end.
    bool PlayOn(Node* nodeOut, bool timed)
    {
        Node& node = *nodeOut;
        playoutMoves_.clear();
        int tabu = 1;
        for (int k = 1; k < Kinds; ++k)
            if (node.counts.count[k] > node.counts.count[tabu])
                tabu = k;
        while (true) {
            int count = engine_.FindGroups(scratch_.data(), childGroups_.data());
            if (count == 0)
                return true;
            if (timed && !playoutMoves_.empty() && OutOfTime())
                return false;
            int allowed = 0;
            for (int g = 0; g < count; ++g)
                if (p_.road || childGroups_[static_cast<std::size_t>(g)].value != tabu)
                    ++allowed;
            std::uint32_t pick;
            if (allowed > 0) {
                std::uint32_t r = Random(static_cast<std::uint32_t>(allowed));
                pick = 0;
                for (int g = 0; g < count; ++g)
                    if (p_.road || childGroups_[static_cast<std::size_t>(g)].value != tabu) {
                        if (r == 0) {
                            pick = static_cast<std::uint32_t>(g);
                            break;
                        }
                        --r;
                    }
            } else {
                pick = Random(static_cast<std::uint32_t>(count));
            }
            const Group& group = childGroups_[pick];
            int kind = p_.road ? 1 : group.value;
            int removed = engine_.Remove(scratch_.data(), group.anchor);
            node.score += Square(removed - 2);
            node.counts.count[kind] -= removed;
            node.counts.rest -= removed;
            playoutMoves_.push_back(static_cast<std::uint32_t>(group.anchor));
        }
    }

    bool OutOfTime() const
    {
        return (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) || Clock::now() >= deadline_;
    }

    void Finish(const Node& node, const std::vector<std::vector<Step>>& history, std::uint32_t index,
                const unsigned char* board, SolveResult* best, bool* haveBest)
    {
        (void)board;
        long long value = Value(objective_, node.score, node.counts);
        if (*haveBest && value <= best->value)
            return;
        *haveBest = true;
        best->value = value;
        best->score = node.score;
        best->rest = node.counts.rest;
        best->cleared = node.counts.rest == 0;
        best->line.assign(history.size(), SolveMove{0, 0});
        for (std::size_t d = history.size(); d-- > 0;) {
            const Step& s = history[d][index];
            best->line[d] = SolveMove{static_cast<int>(s.anchor) % p_.columns, static_cast<int>(s.anchor) / p_.columns};
            index = s.parent;
        }
    }
};

}  // namespace

SolveResult Solve(const SolvePosition& position, SolveObjective objective, double seconds,
                  const std::atomic<bool>* stop)
{
    SolveResult best;
    if (position.columns <= 0 || position.rows <= 0 ||
        position.cells.size() != static_cast<std::size_t>(position.columns) * position.rows)
        return best;
    Clock::time_point start = Clock::now();
    Clock::time_point deadline = start + std::chrono::microseconds(static_cast<long long>(seconds * 1e6));
    Beam beam(position, objective, deadline, stop);
    bool haveBest = false;
    beam.Seed(&best, &haveBest);
    // A layer of the widest beam stays within about 64 MB of cells.
    const long long widest = std::max(1LL, (64LL << 20) / static_cast<long long>(position.cells.size()));
    long long width = 1;
    while (true) {
        Clock::time_point runStart = Clock::now();
        if (!beam.Run(static_cast<int>(width), &best, &haveBest))
            break;
        best.width = std::max(best.width, static_cast<int>(width));
        Clock::time_point now = Clock::now();
        double spent = std::chrono::duration<double>(now - runStart).count();
        double left = std::chrono::duration<double>(deadline - now).count();
        if (left <= 0 || (stop != nullptr && stop->load()))
            break;
        // The time of a run grows with its width: double it while the next
        // run fits twice in what is left, then fill the rest with runs as
        // wide as fit (each with playouts of its own).
        if (spent * 2 * 2 < left)
            width *= 2;
        else
            width = std::max(1LL, static_cast<long long>(static_cast<double>(width) * left / std::max(spent, 1e-6) * 0.9));
        width = std::min(width, widest);
    }
    if (!haveBest) {
        best.line.clear();
        Counts counts = CountCells(position.cells.data(), static_cast<int>(position.cells.size()), position.road);
        best.rest = counts.rest;
        best.value = Value(objective, 0, counts);
        best.cleared = counts.rest == 0;
    }
    return best;
}

bool PlayLine(const SolvePosition& position, const std::vector<SolveMove>& line, long long* score, int* rest)
{
    Engine engine(position.columns, position.rows, position.road);
    std::vector<unsigned char> cells(position.cells);
    long long total = 0;
    bool ok = true;
    for (const SolveMove& m : line) {
        if (m.column < 0 || m.column >= position.columns || m.row < 0 || m.row >= position.rows) {
            ok = false;
            break;
        }
        int n = engine.Remove(cells.data(), m.row * position.columns + m.column);
        if (n < 2) {
            ok = false;
            break;
        }
        total += Square(n - 2);
    }
    *score = total;
    *rest = CountCells(cells.data(), static_cast<int>(cells.size()), position.road).rest;
    return ok;
}

long long LineValue(SolveObjective objective, long long score, const SolvePosition& finalBoard)
{
    return Value(objective, score,
                 CountCells(finalBoard.cells.data(), static_cast<int>(finalBoard.cells.size()), finalBoard.road));
}
