// The search for the best line of play.
//
// The search works on its own board kept by columns, and adapts a playout
// policy (nested rollout policy adaptation). A playout removes groups one
// after another at random, never the kind with the most tiles while another
// kind can go (so that kind gathers into one large group for the end), each
// with a chance that grows with its group's size and with a learnt weight of
// its code, the kind and the cell it starts from. A search of level 1 runs
// playouts and after each shifts the weights towards the best line it has
// seen; a search of level L runs searches of level L - 1 the same way. The
// top level starts afresh while time is left, and every playout is a whole
// line from the start, so the best line seen is always at hand.
//
// Boards of more than 64 x 64 cells get a nested Monte-Carlo search instead,
// whose playouts can stop midway when time is up; a board with a hole under
// a tile (which play never leaves) gets the older Monte-Carlo beam search on
// a board kept row by row. Every line is replayed by the game's rules before
// it is given out.
#include "game/solver.h"

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
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

namespace {

// A position whose cells fill its columns and rows exactly.
bool HoldsItsCells(const SolvePosition& position)
{
    return position.columns > 0 && position.rows > 0 &&
           position.cells.size() == static_cast<std::size_t>(position.columns) * position.rows;
}

Clock::time_point DeadlineAfter(Clock::time_point start, double seconds)
{
    return start + std::chrono::microseconds(static_cast<long long>(seconds * 1e6));
}

}  // namespace

namespace {

SolveResult SolveByBeam(const SolvePosition& position, SolveObjective objective, double seconds,
                        const std::atomic<bool>* stop)
{
    SolveResult best;
    if (!HoldsItsCells(position))
        return best;
    Clock::time_point start = Clock::now();
    Clock::time_point deadline = DeadlineAfter(start, seconds);
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

// The search proper runs on a board kept by columns, bottom up, with a
// border of empty cells all round, so that a flood needs no bounds checks and
// a removal only packs the columns it touched.
struct Board {
    std::vector<unsigned char> cells;   // (columns + 2) x (rows + 2)
    std::vector<short> height;          // the tiles in each column
    int columns = 0;                    // the columns that hold tiles
    long long score = 0;
    Counts counts;
};

class Fast {
public:
    Fast(int columns, int rows, bool road)
        : C(columns), R(rows), S(rows + 2), road_(road),
          seen_(static_cast<std::size_t>((columns + 2) * (rows + 2)), 0),
          stack_(static_cast<std::size_t>(columns * rows) + 1), members_(static_cast<std::size_t>(columns * rows) + 1)
    {
    }

    const int C;
    const int R;
    const int S;   // the stride of a column

    int Index(int column, int up) const { return (column + 1) * S + up + 1; }
    int ColumnOf(int i) const { return i / S - 1; }
    SolveMove MoveOf(int i) const { return SolveMove{i / S - 1, R - 1 - (i % S - 1)}; }

    // False when the board has a hole under a tile or an empty column left
    // of a full one: the game never leaves one, and this board cannot show it.
    bool Load(const SolvePosition& p, Board* b) const
    {
        b->cells.assign(static_cast<std::size_t>((C + 2) * S), 0);
        b->height.assign(static_cast<std::size_t>(C), 0);
        b->columns = 0;
        b->score = 0;
        b->counts = CountCells(p.cells.data(), C * R, p.road);
        bool emptyColumn = false;
        for (int c = 0; c < C; ++c) {
            int h = 0;
            for (int row = R - 1; row >= 0; --row) {
                unsigned char v = p.cells[static_cast<std::size_t>(row * C + c)];
                if (v == 0)
                    break;
                b->cells[static_cast<std::size_t>(Index(c, h))] = v;
                ++h;
            }
            for (int row = R - 1 - h; row >= 0; --row)
                if (p.cells[static_cast<std::size_t>(row * C + c)] != 0)
                    return false;
            if (h == 0)
                emptyColumn = true;
            else if (emptyColumn)
                return false;
            else
                b->columns = c + 1;
            b->height[static_cast<std::size_t>(c)] = static_cast<short>(h);
        }
        return true;
    }

    // Every group of two or more tiles.
    int FindGroups(const Board& b, Group* out)
    {
        NextStamp();
        int count = 0;
        const unsigned char* cells = b.cells.data();
        for (int c = 0; c < b.columns; ++c) {
            int base = Index(c, 0);
            int top = base + b.height[static_cast<std::size_t>(c)];
            for (int i = base; i < top; ++i) {
                if (seen_[static_cast<std::size_t>(i)] == stamp_)
                    continue;
                // A tile alone (no floods reach it) is passed over at once.
                unsigned char a = cells[i];
                if (!road_ && cells[i + 1] != a && cells[i - 1] != a && cells[i + S] != a && cells[i - S] != a)
                    continue;
                int size = Flood(cells, i, false);
                if (size >= 2)
                    out[count++] = Group{i, size, cells[i]};
            }
        }
        return count;
    }

    // Removes the group at i as the game does and keeps the score and the
    // counts; returns its size, or 0 when it holds fewer than two tiles.
    int Remove(Board& b, int i)
    {
        unsigned char* cells = b.cells.data();
        unsigned char value = cells[i];
        if (value == 0)
            return 0;
        NextStamp();
        int n = Flood(cells, i, true);
        if (n < 2)
            return 0;
        int minColumn = C;
        int maxColumn = -1;
        for (int k = 0; k < n; ++k) {
            int m = members_[static_cast<std::size_t>(k)];
            cells[m] = 0;
            int column = ColumnOf(m);
            minColumn = std::min(minColumn, column);
            maxColumn = std::max(maxColumn, column);
        }
        bool emptied = false;
        for (int c = minColumn; c <= maxColumn; ++c) {
            unsigned char* column = cells + Index(c, 0);
            int h = b.height[static_cast<std::size_t>(c)];
            int to = 0;
            for (int k = 0; k < h; ++k)
                if (column[k] != 0)
                    column[to++] = column[k];
            for (int k = to; k < h; ++k)
                column[k] = 0;
            b.height[static_cast<std::size_t>(c)] = static_cast<short>(to);
            if (to == 0)
                emptied = true;
        }
        if (emptied) {
            int to = minColumn;
            for (int c = minColumn; c < b.columns; ++c) {
                short h = b.height[static_cast<std::size_t>(c)];
                if (h == 0)
                    continue;
                if (to != c) {
                    std::memcpy(cells + Index(to, 0), cells + Index(c, 0), static_cast<std::size_t>(h));
                    std::memset(cells + Index(c, 0), 0, static_cast<std::size_t>(h));
                    b.height[static_cast<std::size_t>(to)] = h;
                    b.height[static_cast<std::size_t>(c)] = 0;
                }
                ++to;
            }
            b.columns = to;
        }
        b.score += Square(n - 2);
        int kind = road_ ? 1 : (value & 15);
        b.counts.count[kind] -= n;
        b.counts.rest -= n;
        return n;
    }

private:
    bool road_;
    std::vector<int> seen_;
    int stamp_ = 0;
    std::vector<int> stack_;
    std::vector<int> members_;

    void NextStamp()
    {
        if (++stamp_ == 0) {
            std::fill(seen_.begin(), seen_.end(), 0);
            stamp_ = 1;
        }
    }

    int Flood(const unsigned char* cells, int start, bool collect)
    {
        int* stack = stack_.data();
        int* seen = seen_.data();
        const int stamp = stamp_;
        int depth = 0;
        int size = 0;
        stack[depth++] = start;
        seen[start] = stamp;
        const unsigned char a0 = cells[start];
        while (depth > 0) {
            int i = stack[--depth];
            if (collect)
                members_[static_cast<std::size_t>(size)] = i;
            ++size;
            if (!road_) {
                if (cells[i + 1] == a0 && seen[i + 1] != stamp) {
                    seen[i + 1] = stamp;
                    stack[depth++] = i + 1;
                }
                if (cells[i - 1] == a0 && seen[i - 1] != stamp) {
                    seen[i - 1] = stamp;
                    stack[depth++] = i - 1;
                }
                if (cells[i + S] == a0 && seen[i + S] != stamp) {
                    seen[i + S] = stamp;
                    stack[depth++] = i + S;
                }
                if (cells[i - S] == a0 && seen[i - S] != stamp) {
                    seen[i - S] = stamp;
                    stack[depth++] = i - S;
                }
                continue;
            }
            // Roads: up is one cell higher in the column, right one column on.
            unsigned char a = cells[i];
            if ((a & Up) && (cells[i + 1] & Down) && seen[i + 1] != stamp) {
                seen[i + 1] = stamp;
                stack[depth++] = i + 1;
            }
            if ((a & Down) && (cells[i - 1] & Up) && seen[i - 1] != stamp) {
                seen[i - 1] = stamp;
                stack[depth++] = i - 1;
            }
            if ((a & Right) && (cells[i + S] & Left) && seen[i + S] != stamp) {
                seen[i + S] = stamp;
                stack[depth++] = i + S;
            }
            if ((a & Left) && (cells[i - S] & Right) && seen[i - S] != stamp) {
                seen[i - S] = stamp;
                stack[depth++] = i - S;
            }
        }
        return size;
    }
};

// Nested Monte-Carlo search over the fast board. A playout removes groups at
// random but spares the kind with the most tiles while anything else can go,
// so that kind gathers into one large group for the end. A search of level L
// plays a line move by move, trying every move with a search of level L - 1
// after it and following the best line found so far (never forgetting it).
// At the top, each move gets its share of the time and deepens level by level
// (the children most promising first) until that share is spent, so a search
// of any length ends with a whole line and gives the early moves, which
// matter most, the deepest looks.
class Nested {
public:
    Nested(const SolvePosition& p, SolveObjective objective, Clock::time_point deadline,
           const std::atomic<bool>* stop)
        : p_(p), objective_(objective), deadline_(deadline), stop_(stop), fast_(p.columns, p.rows, p.road)
    {
    }

    bool Load(Board* b) const { return fast_.Load(p_, b); }

    // Plays from `start` until the time is up; improves the best line.
    void Run(const Board& start, std::vector<int>* bestLine, long long* bestValue)
    {
        Board b = start;
        std::vector<int> prefix;
        std::vector<Group> groups(static_cast<std::size_t>(fast_.C * fast_.R) / 2 + 2);
        std::vector<long long> promise;
        std::vector<int> order;
        std::vector<int> sub;
        Board child;
        while (!OutOfTime(deadline_)) {
            int n = fast_.FindGroups(b, groups.data());
            if (n == 0)
                return;
            // This move's share of what is left: the line ahead has about
            // as many moves again as the best line has from here.
            int ahead = std::max(1, static_cast<int>(bestLine->size() - prefix.size()));
            double left = std::chrono::duration<double>(deadline_ - Clock::now()).count();
            double share = left * std::min(1.0, ShareFactor / ahead);
            stepDeadline_ = Clock::now() + std::chrono::microseconds(static_cast<long long>(share * 1e6));
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
                    fast_.Remove(child, anchor);
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
            fast_.Remove(b, next);
            prefix.push_back(next);
        }
    }

    // One playout from the board: its line and its worth.
    long long Playout(Board& b, std::vector<int>* line)
    {
        ++playouts;
        line->clear();
        Group* groups = playoutGroups_.data();
        int tabu = 0;
        if (!p_.road) {
            tabu = 1;
            for (int k = 1; k < Kinds; ++k)
                if (b.counts.count[k] > b.counts.count[tabu])
                    tabu = k;
        }
        int steps = 0;
        while (true) {
            int n = fast_.FindGroups(b, groups);
            if (n == 0)
                break;
            if ((++steps & 15) == 0 && fast_.C * fast_.R > 4096 && OutOfTime(deadline_)) {
                aborted_ = true;
                break;
            }
            int allowed = 0;
            for (int g = 0; g < n; ++g)
                if ((groups[g].value & 15) != tabu)
                    allowed++;
            int pick = 0;
            if (allowed == 0) {
                pick = static_cast<int>(Random(static_cast<std::uint32_t>(n)));
            } else {
                std::uint32_t r = Random(static_cast<std::uint32_t>(allowed));
                for (int g = 0; g < n; ++g)
                    if ((groups[g].value & 15) != tabu) {
                        if (r == 0) {
                            pick = g;
                            break;
                        }
                        --r;
                    }
            }
            line->push_back(groups[pick].anchor);
            fast_.Remove(b, groups[pick].anchor);
        }
        return Value(objective_, b.score, b.counts);
    }

    SolveMove MoveOf(int i) const { return fast_.MoveOf(i); }
    Fast& Rules() { return fast_; }
    long long playouts = 0;

private:
    static const int MaxLevel = 4;
    static constexpr double ShareFactor = 3.0;

    const SolvePosition& p_;
    SolveObjective objective_;
    Clock::time_point deadline_;
    Clock::time_point stepDeadline_;
    const std::atomic<bool>* stop_;
    Fast fast_;
    bool aborted_ = false;
    std::uint64_t rng_ = 0x2545F4914F6CDD1Dull;
    std::vector<Group> playoutGroups_ = std::vector<Group>(static_cast<std::size_t>(fast_.C * fast_.R) / 2 + 2);
    Board playoutBoard_;
    struct Level {
        Board board;
        Board child;
        std::vector<Group> groups;
        std::vector<int> best;
        std::vector<int> sub;
    };
    std::vector<Level> levels_ = std::vector<Level>(MaxLevel + 1);

    std::uint32_t Random(std::uint32_t bound)
    {
        rng_ ^= rng_ << 13;
        rng_ ^= rng_ >> 7;
        rng_ ^= rng_ << 17;
        return static_cast<std::uint32_t>((rng_ >> 32) * bound >> 32);
    }

    bool OutOfTime(Clock::time_point deadline) const
    {
        return (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) || Clock::now() >= deadline;
    }

    // The best line from `start` of a search of this level, and its worth.
    long long Search(const Board& start, int level, std::vector<int>* line)
    {
        if (level == 0) {
            playoutBoard_ = start;
            return Playout(playoutBoard_, line);
        }
        Level& L = levels_[static_cast<std::size_t>(level)];
        if (L.groups.empty())
            L.groups.resize(static_cast<std::size_t>(fast_.C * fast_.R) / 2 + 2);
        L.board = start;
        L.best.clear();
        long long bestValue = LLONG_MIN;
        std::size_t played = 0;
        while (true) {
            int n = fast_.FindGroups(L.board, L.groups.data());
            if (n == 0) {
                if (bestValue == LLONG_MIN) {
                    bestValue = Value(objective_, L.board.score, L.board.counts);
                    L.best.clear();
                }
                break;
            }
            for (int g = 0; g < n; ++g) {
                if (OutOfTime(stepDeadline_)) {
                    aborted_ = true;
                    return bestValue;
                }
                L.child = L.board;
                int anchor = L.groups[static_cast<std::size_t>(g)].anchor;
                fast_.Remove(L.child, anchor);
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
            fast_.Remove(L.board, L.best[played]);
            ++played;
        }
        *line = L.best;
        return bestValue;
    }
};

// Nested rollout policy adaptation over the fast board. A playout picks each
// removal with a probability that grows with the weight of its code (its
// kind and the cell it starts from), never taking the kind with the most
// tiles while another can go. A search of level L runs searches of level
// L - 1 one after the other, each time shifting the weights towards the
// best line so far; the top level repeats from fresh weights while time is
// left, and every playout is a whole line from the start.
class PolicySearch {
public:
    PolicySearch(const SolvePosition& p, SolveObjective objective, Clock::time_point deadline,
                 const std::atomic<bool>* stop, Fast* fast)
        : p_(p), objective_(objective), deadline_(deadline), stop_(stop), fast_(*fast),
          codes_(static_cast<std::size_t>(Kinds * (fast->C + 2) * fast->S)),
          groups_(static_cast<std::size_t>(fast->C * fast->R) / 2 + 2)
    {
        levels_.resize(TopLevel + 1);
        bias_.resize(static_cast<std::size_t>(fast->C * fast->R) + 1);
        for (std::size_t k = 0; k < bias_.size(); ++k)
            bias_[k] = std::sqrt(static_cast<double>(std::max<std::size_t>(k, 1)));
        delta_.assign(codes_, 0.0);
        for (Level& L : levels_) {
            L.weight.assign(codes_, 0.0);
            L.odds.assign(codes_, 1.0);
        }
    }

    void Run(const Board& start, std::vector<int>* bestLine, long long* bestValue)
    {
        start_ = &start;
        bestLine_ = bestLine;
        bestValue_ = bestValue;
        while (!OutOfTime()) {
            Level& top = levels_[TopLevel];
            std::fill(top.weight.begin(), top.weight.end(), 0.0);
            std::fill(top.odds.begin(), top.odds.end(), 1.0);
            Search(TopLevel, top);
        }
    }

private:
    static const int TopLevel = 3;
    static const int Iterations = 100;
    static constexpr double Alpha = 1.0;

    // A line with, for each of its moves, the codes it was chosen from.
    struct Trace {
        std::vector<int> line;
        std::vector<int> codes;
        std::vector<double> bias;
        std::vector<int> starts;
        std::vector<int> chosen;
        void Clear()
        {
            line.clear();
            codes.clear();
            bias.clear();
            starts.assign(1, 0);
            chosen.clear();
        }
    };

    struct Level {
        std::vector<double> weight;
        std::vector<double> odds;   // exp(weight)
        Trace best;
        long long value = LLONG_MIN;
    };
    Trace trace_;
    std::vector<double> delta_;
    std::vector<double> bias_;
    std::vector<int> touched_;

    const SolvePosition& p_;
    SolveObjective objective_;
    Clock::time_point deadline_;
    const std::atomic<bool>* stop_;
    Fast& fast_;
    std::size_t codes_;
    std::vector<Group> groups_;
    std::vector<Level> levels_;
    std::vector<double> before_;
    std::vector<double> chance_;
    std::vector<int> allowed_;
    Board board_;
    const Board* start_ = nullptr;
    std::vector<int>* bestLine_ = nullptr;
    long long* bestValue_ = nullptr;
    std::uint64_t rng_ = 0x9E3779B97F4A7C15ull;
    bool aborted_ = false;

    bool OutOfTime() const
    {
        return (stop_ != nullptr && stop_->load(std::memory_order_relaxed)) || Clock::now() >= deadline_;
    }

    double Uniform()
    {
        rng_ ^= rng_ << 13;
        rng_ ^= rng_ >> 7;
        rng_ ^= rng_ << 17;
        return static_cast<double>(rng_ >> 11) * (1.0 / 9007199254740992.0);
    }

    int Tabu(const Board& b) const
    {
        if (p_.road)
            return 0;
        int tabu = 1;
        for (int k = 1; k < Kinds; ++k)
            if (b.counts.count[k] > b.counts.count[tabu])
                tabu = k;
        return tabu;
    }

    std::size_t Code(const Group& g) const
    {
        return static_cast<std::size_t>(g.value & 15) * static_cast<std::size_t>((fast_.C + 2) * fast_.S) +
               static_cast<std::size_t>(g.anchor);
    }

    // The moves a playout may choose from: all but the tabu kind's, unless
    // only those are left.
    int Allowed(int n, int tabu)
    {
        allowed_.clear();
        for (int g = 0; g < n; ++g)
            if ((groups_[static_cast<std::size_t>(g)].value & 15) != tabu)
                allowed_.push_back(g);
        if (allowed_.empty())
            for (int g = 0; g < n; ++g)
                allowed_.push_back(g);
        return static_cast<int>(allowed_.size());
    }

public:
    long long playouts = 0;

private:
    long long Playout(const Level& policy)
    {
        ++playouts;
        board_ = *start_;
        trace_.Clear();
        int tabu = Tabu(board_);
        while (true) {
            int n = fast_.FindGroups(board_, groups_.data());
            if (n == 0)
                break;
            int m = Allowed(n, tabu);
            chance_.resize(static_cast<std::size_t>(m));
            double total = 0;
            for (int a = 0; a < m; ++a) {
                const Group& g = groups_[static_cast<std::size_t>(allowed_[static_cast<std::size_t>(a)])];
                std::size_t code = Code(g);
                double bias = bias_[static_cast<std::size_t>(g.size)];
                trace_.codes.push_back(static_cast<int>(code));
                trace_.bias.push_back(bias);
                total += policy.odds[code] * bias;
                chance_[static_cast<std::size_t>(a)] = total;
            }
            trace_.starts.push_back(static_cast<int>(trace_.codes.size()));
            double r = Uniform() * total;
            int pick = m - 1;
            for (int a = 0; a < m; ++a)
                if (r < chance_[static_cast<std::size_t>(a)]) {
                    pick = a;
                    break;
                }
            const Group& g = groups_[static_cast<std::size_t>(allowed_[static_cast<std::size_t>(pick)])];
            trace_.chosen.push_back(static_cast<int>(Code(g)));
            trace_.line.push_back(g.anchor);
            fast_.Remove(board_, g.anchor);
        }
        long long value = Value(objective_, board_.score, board_.counts);
        if (value > *bestValue_) {
            *bestValue_ = value;
            *bestLine_ = trace_.line;
        }
        return value;
    }

    // Shifts the weights towards the line traced (the chances from the
    // weights as they were before).
    void Adapt(Level& policy, const Trace& t)
    {
        touched_.clear();
        for (std::size_t step = 0; step + 1 < t.starts.size(); ++step) {
            int from = t.starts[step];
            int to = t.starts[step + 1];
            if (to - from < 2)
                continue;   // a forced move teaches nothing
            double total = 0;
            for (int k = from; k < to; ++k)
                total += policy.odds[static_cast<std::size_t>(t.codes[static_cast<std::size_t>(k)])] *
                         t.bias[static_cast<std::size_t>(k)];
            double share = Alpha / total;
            for (int k = from; k < to; ++k) {
                std::size_t code = static_cast<std::size_t>(t.codes[static_cast<std::size_t>(k)]);
                if (delta_[code] == 0)
                    touched_.push_back(static_cast<int>(code));
                delta_[code] -= share * policy.odds[code] * t.bias[static_cast<std::size_t>(k)];
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

    // Returns with levels_[level].best the best line of this search.
    void Search(int level, Level& policy)
    {
        Level& L = levels_[static_cast<std::size_t>(level)];
        L.value = LLONG_MIN;
        L.best.Clear();
        if (&policy != &L) {
            L.weight = policy.weight;
            L.odds = policy.odds;
        }
        for (int i = 0; i < Iterations; ++i) {
            if (OutOfTime())
                return;
            long long v;
            if (level == 1) {
                v = Playout(L);
                if (v >= L.value) {
                    L.value = v;
                    L.best = trace_;
                }
            } else {
                Search(level - 1, L);
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
};

}  // namespace

SolveResult Solve(const SolvePosition& position, SolveObjective objective, double seconds,
                  const std::atomic<bool>* stop)
{
    SolveResult best;
    if (!HoldsItsCells(position))
        return best;
    Clock::time_point start = Clock::now();
    Clock::time_point deadline = DeadlineAfter(start, seconds);
    Nested search(position, objective, deadline, stop);
    Board board;
    if (!search.Load(&board))
        return SolveByBeam(position, objective, seconds, stop);
    // A first whole line from one playout, then the search improves on it:
    // adapting a policy on boards of up to 64 x 64 cells, nesting searches
    // (which can stop within a playout) on larger ones.
    std::vector<int> line;
    Board scratch = board;
    long long value = search.Playout(scratch, &line);
    if (position.columns * position.rows <= 4096) {
        PolicySearch policy(position, objective, deadline, stop, &search.Rules());
        policy.Run(board, &line, &value);
        best.playouts = policy.playouts;
    } else {
        search.Run(board, &line, &value);
    }
    best.playouts += search.playouts;
    best.line.clear();
    // Replay the line on the board to turn its cells into moves.
    scratch = board;
    for (int i : line) {
        best.line.push_back(search.MoveOf(i));
        search.Rules().Remove(scratch, i);
    }
    long long score = 0;
    int rest = 0;
    if (!PlayLine(position, best.line, &score, &rest) || score != scratch.score)
        return SolveByBeam(position, objective, seconds, stop);
    best.score = score;
    best.rest = rest;
    best.cleared = rest == 0;
    best.value = Value(objective, score, scratch.counts);
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
