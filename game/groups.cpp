// Play: the group under the pointer, its highlight, and its removal with
// falling tiles and closing columns.
#include "game/groups.h"

#include <cstdio>
#include <vector>

#include "game/board.h"
#include "game/campaign.h"
#include "game/front_end.h"
#include "game/history.h"
#include "game/scoring.h"

namespace {

struct GrowEntry {
    short column;
    short row;
    unsigned char connectors;
};

}  // namespace

// Kept between calls so that the large boards do not allocate on every move.
static std::vector<GrowEntry> growStack;
static std::vector<unsigned char> cellsBefore;

static bool Animates()
{
    return game.tileSetKind == TileSetAnimated24 || game.tileSetKind == TileSetAnimated32;
}

static void DrawMarkedCells()
{
    const Selection& s = game.selection;
    for (int column = s.minColumn; column <= s.maxColumn; ++column)
        for (int row = s.minRow; row <= s.maxRow; ++row)
            if (CellAt(column, row) >= CellMarkBit)
                DrawCell(column, row);
}

// The animated sets' selection animation starts from its first frame. The
// animation module draws the frames; a marked Cell of an animated set shows
// the current frame whenever it is drawn.
static void BeginSelectionAnimation()
{
    game.animFrame = 0;
    DrawMarkedCells();
    if (!game.timerRunning)
        StartTimer();
}

// The vanishing animation of the group anchored at (column, row); the timer
// ticks play it and then click the anchor again, which removes the group.
static void BeginVanishingAnimation(int column, int row)
{
    game.anchorColumn = column;
    game.anchorRow = row;
    game.animState = AnimState::Vanishing;
    game.animFrame = 0;
    DrawMarkedCells();
    StartTimer();
}

// Keeps the Selection's box inside the Board, which may have changed size
// since the box was set.
static void ClampSelectionBox()
{
    Selection& s = game.selection;
    if (s.minColumn < 0)
        s.minColumn = 0;
    if (s.minRow < 0)
        s.minRow = 0;
    if (s.maxColumn > board.columns - 1)
        s.maxColumn = board.columns - 1;
    if (s.maxRow > board.rows - 1)
        s.maxRow = board.rows - 1;
}

static void Unhighlight()
{
    ClampSelectionBox();
    const Selection& s = game.selection;
    for (int column = s.minColumn; column <= s.maxColumn; ++column) {
        for (int row = s.minRow; row <= s.maxRow; ++row) {
            unsigned char cell = CellAt(column, row);
            if (cell >= CellMarkBit) {
                SetCell(column, row, cell & CellTileMask);
                DrawCell(column, row);
            }
        }
    }
}

void GrowGroup(int column, int row, int value)
{
    const int columns = board.columns;
    const int rows = board.rows;
    unsigned char* cells = board.cells.data();
    Selection& s = game.selection;
    growStack.clear();
    if (growStack.capacity() < board.cells.size())
        growStack.reserve(board.cells.size());

    if (CurrentMode() == GameMode::IroGame) {
        const unsigned char tile = static_cast<unsigned char>(value);
        growStack.push_back({static_cast<short>(column), static_cast<short>(row), tile});
        int joined = 0;
        while (!growStack.empty()) {
            GrowEntry e = growStack.back();
            growStack.pop_back();
            int c = e.column;
            int r = e.row;
            unsigned char* here = cells + static_cast<std::size_t>(r) * columns + c;
            if (r > 0 && here[-columns] == tile) {
                here[-columns] = tile | CellMarkBit;
                growStack.push_back({static_cast<short>(c), static_cast<short>(r - 1), tile});
                ++joined;
                if (r - 1 < s.minRow)
                    s.minRow = r - 1;
            }
            if (r < rows - 1 && here[columns] == tile) {
                here[columns] = tile | CellMarkBit;
                growStack.push_back({static_cast<short>(c), static_cast<short>(r + 1), tile});
                ++joined;
                if (r + 1 > s.maxRow)
                    s.maxRow = r + 1;
            }
            if (c > 0 && here[-1] == tile) {
                here[-1] = tile | CellMarkBit;
                growStack.push_back({static_cast<short>(c - 1), static_cast<short>(r), tile});
                ++joined;
                if (c - 1 < s.minColumn)
                    s.minColumn = c - 1;
            }
            if (c < columns - 1 && here[1] == tile) {
                here[1] = tile | CellMarkBit;
                growStack.push_back({static_cast<short>(c + 1), static_cast<short>(r), tile});
                ++joined;
                if (c + 1 > s.maxColumn)
                    s.maxColumn = c + 1;
            }
        }
        s.size += joined;
        return;
    }

    // ZededUdoz: a neighbour joins when the two Cells' connectors face each other.
    growStack.push_back({static_cast<short>(column), static_cast<short>(row), static_cast<unsigned char>(value)});
    while (!growStack.empty()) {
        GrowEntry e = growStack.back();
        growStack.pop_back();
        int c = e.column;
        int r = e.row;
        unsigned char* here = cells + static_cast<std::size_t>(r) * columns + c;
        if ((e.connectors & RoadUp) && r > 0) {
            unsigned char n = here[-columns];
            if (n < CellMarkBit && (n & RoadDown)) {
                here[-columns] = n | CellMarkBit;
                growStack.push_back({static_cast<short>(c), static_cast<short>(r - 1), n});
                ++s.size;
                if (r - 1 < s.minRow)
                    s.minRow = r - 1;
            }
        }
        if ((e.connectors & RoadDown) && r < rows - 1) {
            unsigned char n = here[columns];
            if (n < CellMarkBit && (n & RoadUp)) {
                here[columns] = n | CellMarkBit;
                growStack.push_back({static_cast<short>(c), static_cast<short>(r + 1), n});
                ++s.size;
                if (r + 1 > s.maxRow)
                    s.maxRow = r + 1;
            }
        }
        if ((e.connectors & RoadLeft) && c > 0) {
            unsigned char n = here[-1];
            if (n < CellMarkBit && (n & RoadRight)) {
                here[-1] = n | CellMarkBit;
                growStack.push_back({static_cast<short>(c - 1), static_cast<short>(r), n});
                ++s.size;
                if (c - 1 < s.minColumn)
                    s.minColumn = c - 1;
            }
        }
        if ((e.connectors & RoadRight) && c < columns - 1) {
            unsigned char n = here[1];
            if (n < CellMarkBit && (n & RoadLeft)) {
                here[1] = n | CellMarkBit;
                growStack.push_back({static_cast<short>(c + 1), static_cast<short>(r), n});
                ++s.size;
                if (c + 1 > s.maxColumn)
                    s.maxColumn = c + 1;
            }
        }
    }
}

void HighlightGroupAt(int column, int row)
{
    StopTimer();
    Unhighlight();
    Selection& s = game.selection;
    s.minColumn = s.maxColumn = column;
    s.minRow = s.maxRow = row;
    unsigned char cell = CellAt(column, row);
    if (cell == 0) {
        s.size = 0;
        return;
    }
    unsigned char tile = cell & CellTileMask;
    SetCell(column, row, tile | CellMarkBit);
    s.size = 1;
    s.tile = tile;
    GrowGroup(column, row, tile);
    if (s.size < 2) {
        SetCell(column, row, tile);
        return;
    }
    if (Animates())
        BeginSelectionAnimation();
    else
        DrawMarkedCells();
}

void HoverAt(int x, int y, int keys)
{
    if (game.animState != AnimState::Idle)
        return;
    HideRecordDialogs();
    CloseMoveSlider();
    if (RevealBars(x, y, keys))
        return;
    if (game.gameOver)
        AskRetry();
    int column = x / board.ts;
    int row = y / board.ts;
    if (column < 0)
        column = 0;
    if (column > board.columns - 1)
        column = board.columns - 1;
    if (row < 0)
        row = 0;
    if (row > board.rows - 1)
        row = board.rows - 1;
    if (CellAt(column, row) >= CellMarkBit)
        return;
    HighlightGroupAt(column, row);
    char text[16];
    if (game.selection.size > 0)
        std::snprintf(text, sizeof text, "%d", game.selection.size);
    else
        std::snprintf(text, sizeof text, " ");
    SetScoreBarField(ScoreBarSizeField, text);
}

void ClickAt(int x, int y)
{
    int column = x / board.ts;
    int row = y / board.ts;
    if (!IsOnBoard(column, row) || game.selection.size < 2)
        return;
    unsigned char cell = CellAt(column, row);
    if ((cell & CellTileMask) == 0 || cell < CellMarkBit)
        return;
    PlaySoundEvent(SoundEvent::Click);
    EnableCommand(GameCommand::Redo, false);
    game.moveCount = game.moveIndex + 1;
    RemoveGroup(column, row);
    game.gameOver = IsGameOver();
    if (game.gameOver) {
        if (game.campaign)
            EndStage();
        else
            EndGame();
    }
}

// Tiles fall into the gaps: each column of the box is packed, in order,
// against the lowest row of the box.
static void LetTilesFall(int minColumn, int maxColumn, int maxRow)
{
    const int columns = board.columns;
    unsigned char* cells = board.cells.data();
    for (int column = minColumn; column <= maxColumn; ++column) {
        unsigned char* top = cells + column;
        int to = maxRow;
        for (int from = maxRow; from >= 0; --from) {
            unsigned char cell = top[static_cast<std::size_t>(from) * columns];
            if (cell == 0)
                continue;
            if (from != to) {
                top[static_cast<std::size_t>(to) * columns] = cell;
                top[static_cast<std::size_t>(from) * columns] = 0;
            }
            --to;
        }
    }
}

static void MoveColumn(int from, int to)
{
    for (int row = 0; row < board.rows; ++row) {
        SetCell(to, row, CellAt(from, row));
        SetCell(from, row, 0);
    }
}

// Empty columns close towards column 0. Returns the last column that the
// closing may have changed, or -1 when no column was empty.
static int CloseEmptyColumns(int minColumn)
{
    const int columns = board.columns;
    const int bottom = board.rows - 1;
    const unsigned char* bottomRow = board.cells.data() + static_cast<std::size_t>(bottom) * columns;
    int last = minColumn + 1 < columns - 1 ? minColumn + 1 : columns - 1;
    bool gap = false;
    for (int k = minColumn; k < columns; ++k) {
        if (bottomRow[k] != 0)
            last = k;
        else
            gap = true;
    }
    if (!gap)
        return -1;
    // Each empty column takes the next column to its right that holds tiles;
    // that column is then empty, so the search never needs to look back.
    int d = minColumn + 1;
    for (int k = minColumn; k <= last; ++k) {
        if (bottomRow[k] != 0)
            continue;
        if (d < k + 1)
            d = k + 1;
        while (d <= last && bottomRow[d] == 0)
            ++d;
        if (d > last)
            break;
        MoveColumn(d, k);
        ++d;
    }
    return last;
}

void RemoveGroup(int column, int row)
{
    StopTimer();
    if (Animates() && game.animState == AnimState::Idle && !game.replaying && !game.redoing) {
        BeginVanishingAnimation(column, row);
        return;
    }
    game.animState = AnimState::Idle;

    Selection& s = game.selection;
    int n = s.size;
    ScoreRemoval(n);
    int t = CellAt(column, row) & CellTileMask;
    if (CurrentMode() == GameMode::ZededUdoz)
        game.counts.count[1] -= n;
    else if (t <= MaxTileKinds)
        game.counts.count[t] -= n;

    if (!game.replaying) {
        ++game.moveIndex;
        s.size = 0;
        RecordMove(column, row);
        ShowScoreBar();
        ShowClickCounter();
        cellsBefore.assign(board.cells.begin(), board.cells.end());
    }

    ClampSelectionBox();
    const int columns = board.columns;
    unsigned char* cells = board.cells.data();
    for (int r = s.minRow; r <= s.maxRow; ++r) {
        unsigned char* line = cells + static_cast<std::size_t>(r) * columns;
        for (int c = s.minColumn; c <= s.maxColumn; ++c)
            if (line[c] >= CellMarkBit)
                line[c] = 0;
    }
    LetTilesFall(s.minColumn, s.maxColumn, s.maxRow);
    int last = CloseEmptyColumns(s.minColumn);
    int redrawTo = last > s.maxColumn ? last : s.maxColumn;

    if (!game.replaying) {
        for (int c = s.minColumn; c <= redrawTo; ++c)
            for (int r = 0; r < board.rows; ++r) {
                std::size_t i = static_cast<std::size_t>(r) * columns + c;
                if (cells[i] != cellsBefore[i])
                    DrawCell(c, r);
            }
    }
}
