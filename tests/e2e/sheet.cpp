// Boards read from hanabo-tool's saved-game text, and the moves made on them.
#include "tests/e2e/sheet.h"

#include <cstddef>
#include <cstdlib>
#include <sstream>

int Sheet::Count(int value) const
{
    int n = 0;
    for (int cell : cells)
        n += cell == value;
    return n;
}

static int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

Sheet ParseSheet(const std::string& savedGame)
{
    Sheet sheet;
    std::istringstream in(savedGame);
    std::string line;
    int lineNumber = 0;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // The picture path, the tile size and the score come first.
        if (++lineNumber <= 3 || line.empty())
            continue;
        if (sheet.rows == 0)
            sheet.columns = static_cast<int>(line.size());
        if (static_cast<int>(line.size()) != sheet.columns)
            return Sheet();
        for (char c : line) {
            int value = HexValue(c);
            if (value < 0)
                return Sheet();
            sheet.cells.push_back(value);
        }
        ++sheet.rows;
    }
    return sheet;
}

// Marks the group at (column, row) in seen and lists its cells, the cell itself first.
static std::vector<Move> Flood(const Sheet& sheet, int column, int row, std::vector<char>& seen)
{
    std::vector<Move> group;
    const int value = sheet.At(column, row);
    if (value == 0)
        return group;
    group.push_back({column, row, 0});
    seen[static_cast<std::size_t>(row) * sheet.columns + column] = 1;
    for (std::size_t next = 0; next < group.size(); ++next) {
        const int c = group[next].column;
        const int r = group[next].row;
        const int steps[4][2] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}};
        for (const auto& step : steps) {
            const int nc = c + step[0];
            const int nr = r + step[1];
            if (nc < 0 || nr < 0 || nc >= sheet.columns || nr >= sheet.rows)
                continue;
            char& mark = seen[static_cast<std::size_t>(nr) * sheet.columns + nc];
            if (mark || sheet.At(nc, nr) != value)
                continue;
            mark = 1;
            group.push_back({nc, nr, 0});
        }
    }
    return group;
}

std::vector<Move> GroupAt(const Sheet& sheet, int column, int row)
{
    std::vector<char> seen(sheet.cells.size(), 0);
    return Flood(sheet, column, row, seen);
}

Move LargestGroup(const Sheet& sheet)
{
    Move best;
    std::vector<char> seen(sheet.cells.size(), 0);
    for (int row = 0; row < sheet.rows; ++row) {
        for (int column = 0; column < sheet.columns; ++column) {
            if (seen[static_cast<std::size_t>(row) * sheet.columns + column])
                continue;
            const int size = static_cast<int>(Flood(sheet, column, row, seen).size());
            if (size > best.size)
                best = {column, row, size};
        }
    }
    return best;
}

Move LoneTile(const Sheet& sheet)
{
    for (int row = 0; row < sheet.rows; ++row)
        for (int column = 0; column < sheet.columns; ++column)
            if (sheet.At(column, row) != 0 && GroupAt(sheet, column, row).size() == 1)
                return {column, row, 1};
    return Move();
}

std::string MoveText(const Move& move)
{
    return std::to_string(move.column) + "," + std::to_string(move.row);
}

int GameNumberOfTitle(const std::string& title)
{
    std::size_t hash = title.find('#');
    if (hash == std::string::npos)
        return 0;
    return std::atoi(title.c_str() + hash + 1);
}

void RemoveGroupAt(Sheet& sheet, int column, int row)
{
    for (const Move& cell : GroupAt(sheet, column, row))
        sheet.At(cell.column, cell.row) = 0;
    // Each column packs against the bottom, keeping its order.
    for (int c = 0; c < sheet.columns; ++c) {
        int to = sheet.rows - 1;
        for (int r = sheet.rows - 1; r >= 0; --r) {
            int value = sheet.At(c, r);
            if (value == 0)
                continue;
            sheet.At(c, r) = 0;
            sheet.At(c, to--) = value;
        }
    }
    // Columns with tiles pack against column 0.
    int to = 0;
    for (int c = 0; c < sheet.columns; ++c) {
        if (sheet.At(c, sheet.rows - 1) == 0)
            continue;
        if (c != to) {
            for (int r = 0; r < sheet.rows; ++r) {
                sheet.At(to, r) = sheet.At(c, r);
                sheet.At(c, r) = 0;
            }
        }
        ++to;
    }
}
