// hanabo-tool: deals boards from game numbers, plays moves on saved games and
// lists the numbers the program deals after its start-up, for sharing and
// checking boards outside the game.
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "game/board.h"
#include "game/deal.h"
#include "game/groups.h"
#include "game/scoring.h"
#include "storage/saved_game.h"
#include "game/session.h"
#include "game/removal.h"
#include "game/pointer.h"
#include "storage/settings.h"
#include "search/solve.h"
#include "tools/solve_progress.h"

static const char Usage[] =
    "usage: hanabo-tool deal NUMBER [--size CxR] [--kinds K] [--road] [--tane T] [--cell TS]\n"
    "       hanabo-tool play FILE|- [C,R ...]\n"
    "       hanabo-tool new --clock SECONDS [--size CxR] [--kinds K] [--road] [--cell TS] [--count N]\n"
    "       hanabo-tool solve FILE|- [--seconds S] [--playouts P] [--objective score|rest] [--standard]\n"
    "                         [--threads N] [--quiet]\n"
    "deal  writes the board of a game number as a saved game (.tgw text)\n"
    "play  plays moves on a saved game: writes the new saved game, and\n"
    "      score=S rest=R moves=M over=0|1 to standard error\n"
    "new   lists the game numbers the program deals after starting at that clock\n"
    "solve searches S seconds (10) for the best line of a saved game: writes its moves\n"
    "      C,R ... for play, and score=S rest=R moves=M to standard error; the objective\n"
    "      is the most points or the fewest tiles left; --standard scores as the\n"
    "      research on this puzzle does (1000 for a cleared board, (k-2)^2 off per kind left);\n"
    "      --playouts stops after P playouts, which gives the same line on every machine;\n"
    "      N threads search side by side (all cores, or 1 with --playouts), each to P;\n"
    "      while it works, the best line so far, the time left and the playouts a second\n"
    "      show on standard error unless --quiet; Ctrl+C ends the search early and still\n"
    "      writes the best line found\n"
    "exit status: 0 done, 1 unreadable saved game, 2 bad arguments or a move that removes nothing\n";

static int BadArguments(const char* why)
{
    std::fprintf(stderr, "hanabo-tool: %s\n%s", why, Usage);
    return 2;
}

// A whole decimal number within [low, high], and nothing after it.
static bool ParseNumber(const char* text, long long low, long long high, long long* value)
{
    if (text == nullptr || *text == '\0')
        return false;
    errno = 0;
    char* end = nullptr;
    long long v = std::strtoll(text, &end, 10);
    if (errno != 0 || *end != '\0' || v < low || v > high)
        return false;
    *value = v;
    return true;
}

// "AxB" or "A,B".
static bool ParsePair(const char* text, char separator, long long low, long long high, int* a, int* b)
{
    const char* split = std::strchr(text, separator);
    if (split == nullptr)
        return false;
    std::string first(text, static_cast<std::size_t>(split - text));
    long long x = 0;
    long long y = 0;
    if (!ParseNumber(first.c_str(), low, high, &x) || !ParseNumber(split + 1, low, high, &y))
        return false;
    *a = static_cast<int>(x);
    *b = static_cast<int>(y);
    return true;
}

struct SheetOptions {
    int columns = DefaultColumns;
    int rows = DefaultRows;
    int kinds = DefaultCellNo;
    int tileSize = DefaultTileSize;
    bool road = false;
    std::int32_t tane = 0;
    long long clock = 0;
    bool clockGiven = false;
    int count = 1;
};

// Reads the options of deal and new; `allowed` lists the ones this command takes.
static bool ParseOptions(int argc, char** argv, int first, const std::string& allowed, SheetOptions* o,
                         std::string* error)
{
    for (int i = first; i < argc; ++i) {
        std::string name = argv[i];
        if (allowed.find(" " + name + " ") == std::string::npos) {
            *error = "unknown option " + name;
            return false;
        }
        if (name == "--road") {
            o->road = true;
            continue;
        }
        if (i + 1 >= argc) {
            *error = name + " needs a value";
            return false;
        }
        const char* value = argv[++i];
        long long v = 0;
        bool ok = true;
        if (name == "--size")
            ok = ParsePair(value, 'x', 1, 100000, &o->columns, &o->rows);
        else if (name == "--kinds" && (ok = ParseNumber(value, 1, MaxTileKinds, &v)))
            o->kinds = static_cast<int>(v);
        else if (name == "--tane" && (ok = ParseNumber(value, INT32_MIN, INT32_MAX, &v)))
            o->tane = static_cast<std::int32_t>(v);
        else if (name == "--cell" && (ok = ParseNumber(value, 1, 64, &v)))
            o->tileSize = static_cast<int>(v);
        else if (name == "--count" && (ok = ParseNumber(value, 1, 1000000, &v)))
            o->count = static_cast<int>(v);
        else if (name == "--clock" && (ok = ParseNumber(value, INT64_MIN, INT64_MAX, &v))) {
            o->clock = v;
            o->clockGiven = true;
        }
        if (!ok) {
            *error = "bad value for " + name + ": " + value;
            return false;
        }
    }
    return true;
}

// The game state of a freshly started program with this sheet.
static void PrepareSheet(const SheetOptions& o)
{
    game.keepRecords = false;
    tileSetInfo.kind = o.road ? TileSetRoad : TileSetPlain;
    settings.CellNo = o.road ? RoadTileValues : o.kinds;
    board.ts = RoundTileSize(o.tileSize);
    SetBoardSize(o.columns, o.rows);
}

static SavedGame BoardAsSavedGame()
{
    SavedGame saved;
    saved.bitmapPath = NoBitmapPath;
    saved.tileSize = board.ts;
    saved.score = game.score;
    saved.columns = board.columns;
    saved.rows = board.rows;
    saved.cells = board.cells;
    for (unsigned char& cell : saved.cells)
        cell &= CellTileMask;
    return saved;
}

static void WriteOut(const std::string& text)
{
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

static int Deal(int argc, char** argv)
{
    long long number = 0;
    if (argc < 3 || !ParseNumber(argv[2], INT32_MIN, INT32_MAX, &number))
        return BadArguments("deal needs a game number (a 32-bit whole number)");
    SheetOptions o;
    std::string error;
    if (!ParseOptions(argc, argv, 3, " --size --kinds --road --tane --cell ", &o, &error))
        return BadArguments(error.c_str());
    PrepareSheet(o);
    game.number = static_cast<int>(number);
    settings.CampaignTane = o.tane;
    DealBoard(true);
    WriteOut(FormatSavedGame(BoardAsSavedGame()));
    return 0;
}

static int NewNumbers(int argc, char** argv)
{
    SheetOptions o;
    std::string error;
    if (!ParseOptions(argc, argv, 2, " --clock --size --kinds --road --cell --count ", &o, &error))
        return BadArguments(error.c_str());
    if (!o.clockGiven)
        return BadArguments("new needs --clock SECONDS");
    PrepareSheet(o);
    SeedFromClock(o.clock);
    for (int i = 0; i < o.count; ++i) {
        StartGame(false, false);
        std::printf("%d\n", game.number);
    }
    return 0;
}

static bool ReadAll(const char* path, std::string* text)
{
    bool standardInput = std::strcmp(path, "-") == 0;
    std::FILE* file = standardInput ? stdin : std::fopen(path, "rb");
    if (file == nullptr)
        return false;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text->append(buffer, n);
    bool ok = !std::ferror(file);
    if (!standardInput)
        std::fclose(file);
    return ok;
}

// Reads a saved game from a file or standard input; 0 when it was read,
// else the exit status (1) after saying why.
static int ReadSavedGame(const char* path, SavedGame* saved)
{
    std::string text;
    if (!ReadAll(path, &text)) {
        std::fprintf(stderr, "hanabo-tool: cannot read %s\n", path);
        return 1;
    }
    SavedGameStatus status = ParseSavedGame(text, saved);
    if (status != SavedGameStatus::Ok) {
        std::fprintf(stderr, "hanabo-tool: %s is not a saved game%s\n", path,
                     status == SavedGameStatus::TooShort ? " (it ends before its first row)" : "");
        return 1;
    }
    return 0;
}

static int SolveGame(int argc, char** argv)
{
    if (argc < 3)
        return BadArguments("solve needs a saved game file, or - for standard input");
    double seconds = 10;
    long long playouts = 0;
    SolveObjective objective = SolveObjective::Score;
    bool standard = false;
    bool quiet = false;
    long long threads = 0;
    for (int i = 3; i < argc; ++i) {
        std::string name = argv[i];
        if (name == "--standard" || name == "--quiet") {
            (name == "--quiet" ? quiet : standard) = true;
            continue;
        }
        if (name != "--seconds" && name != "--objective" && name != "--playouts" && name != "--threads")
            return BadArguments(("unknown option " + name).c_str());
        if (i + 1 >= argc)
            return BadArguments((name + " needs a value").c_str());
        std::string value = argv[++i];
        long long tenths = 0;
        if (name == "--threads") {
            if (!ParseNumber(value.c_str(), 1, MaxSolveThreads, &threads))
                return BadArguments(("bad value for --threads: " + value).c_str());
            continue;
        }
        if (name == "--playouts") {
            if (!ParseNumber(value.c_str(), 1, 1000000000, &playouts))
                return BadArguments(("bad value for --playouts: " + value).c_str());
            continue;
        }
        if (name == "--objective") {
            if (value == "score")
                objective = SolveObjective::Score;
            else if (value == "rest")
                objective = SolveObjective::FewestLeft;
            else
                return BadArguments(("bad value for --objective: " + value).c_str());
            continue;
        }
        // Seconds with at most one decimal, up to a day.
        std::string digits = value;
        std::size_t point = digits.find('.');
        if (point != std::string::npos && point + 2 == digits.size())
            digits.erase(point, 1);
        else if (point == std::string::npos)
            digits += "0";
        if (!ParseNumber(digits.c_str(), 1, 864000, &tenths))
            return BadArguments(("bad value for --seconds: " + value).c_str());
        seconds = static_cast<double>(tenths) / 10;
    }
    if (standard)
        objective = SolveObjective::Standard;

    SavedGame saved;
    if (int status = ReadSavedGame(argv[2], &saved))
        return status;
    SolvePosition position;
    position.columns = saved.columns;
    position.rows = saved.rows;
    position.road = saved.largestValue > MaxTileKinds;
    position.cells = saved.cells;
    for (unsigned char& cell : position.cells)
        cell &= CellTileMask;
    // A line of so many playouts is one thread's unless told otherwise, so
    // that every machine finds the same.
    SolveOptions options;
    options.playoutLimit = playouts;
    options.threads = threads > 0 ? static_cast<int>(threads) : playouts > 0 ? 1 : AllCores();
    options.stop = StopOnInterrupt();
    SolveResult result = SolveShowingProgress(position, objective, seconds, options, quiet, "");
    std::string line;
    for (const SolveMove& m : result.line) {
        if (!line.empty())
            line += ' ';
        line += std::to_string(m.column) + "," + std::to_string(m.row);
    }
    WriteOut(line + "\n");
    std::fprintf(stderr, "score=%.0f rest=%d moves=%d", saved.score + static_cast<double>(result.score), result.rest,
                 static_cast<int>(result.line.size()));
    if (standard)
        std::fprintf(stderr, " standard=%lld", result.value);
    std::fprintf(stderr, "\n");
    return 0;
}

static int Play(int argc, char** argv)
{
    if (argc < 3)
        return BadArguments("play needs a saved game file, or - for standard input");
    std::vector<int> columns;
    std::vector<int> rows;
    for (int i = 3; i < argc; ++i) {
        int c = 0;
        int r = 0;
        if (!ParsePair(argv[i], ',', -100000, 100000, &c, &r))
            return BadArguments((std::string("a move is C,R: ") + argv[i]).c_str());
        columns.push_back(c);
        rows.push_back(r);
    }

    SavedGame saved;
    if (int status = ReadSavedGame(argv[2], &saved))
        return status;

    // The mode follows from the largest value, as when the program opens the file.
    game.keepRecords = false;
    tileSetInfo.kind = saved.largestValue > MaxTileKinds ? TileSetRoad : TileSetPlain;
    int largest = saved.largestValue < 3 ? 3 : saved.largestValue;
    int limit = tileSetInfo.kind == TileSetRoad ? RoadTileValues : MaxTileKinds;
    settings.CellNo = largest < limit ? largest : limit;
    board.ts = saved.tileSize;
    ResizeBoard(saved.columns, saved.rows);
    board.cells = saved.cells;
    CountTiles();
    game.score = saved.score;

    for (std::size_t m = 0; m < columns.size(); ++m) {
        int before = game.moveIndex;
        if (!game.gameOver) {
            HoverAt(columns[m] * board.ts, rows[m] * board.ts, 0);
            ClickAt(columns[m] * board.ts, rows[m] * board.ts);
        }
        if (game.moveIndex == before) {
            std::fprintf(stderr, "hanabo-tool: move %d (%d,%d) removes nothing\n", static_cast<int>(m + 1),
                         columns[m], rows[m]);
            return 2;
        }
    }

    SavedGame result = BoardAsSavedGame();
    result.bitmapPath = saved.bitmapPath;
    WriteOut(FormatSavedGame(result));
    std::fprintf(stderr, "score=%.0f rest=%d moves=%d over=%d\n", game.score, TilesLeft(), game.moveIndex,
                 IsGameOver() ? 1 : 0);
    return 0;
}

int main(int argc, char** argv)
{
#ifdef _WIN32
    // The saved-game texts carry their own CR LF line ends.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    if (argc < 2)
        return BadArguments("no command");
    std::string command = argv[1];
    if (command == "deal")
        return Deal(argc, argv);
    if (command == "play")
        return Play(argc, argv);
    if (command == "new")
        return NewNumbers(argc, argv);
    if (command == "solve")
        return SolveGame(argc, argv);
    return BadArguments(("unknown command " + command).c_str());
}
