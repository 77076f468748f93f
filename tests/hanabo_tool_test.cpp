// hanabo-tool as a player uses it: its outputs and exit statuses.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "tests/file_helpers.h"

// Runs the tool with these arguments (and this text on standard input).
static ProgramRun RunTool(const std::string& args, const std::string& input = "")
{
    return RunProgram(std::string(HANABO_TOOL) + " " + args, input);
}

// The saved-game text of the board the program deals for a number (the
// boards themselves are checked where they are dealt).
TEST(HanaboTool, DealsGameNumberOne)
{
    ProgramRun r = RunTool("deal 1");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::string> lines = SplitLines(r.out);
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 4),
              (std::vector<std::string>{"(null)", "32", "0", "1414523335433112"}));
    // Stage 1 of a campaign with seed 7 is the board of number 8.
    EXPECT_EQ(RunTool("deal 1 --tane 7").out, RunTool("deal 8").out);
    // The sheet's limits hold as in the program: 4-pixel tiles, 240 x 160.
    lines = SplitLines(RunTool("deal 0 --size 1000x1000 --cell 3").out);
    ASSERT_EQ(lines.size(), 3u + 160u);
    EXPECT_EQ(lines[1], "4");
    EXPECT_EQ(lines[3].size(), 240u);
}

TEST(HanaboTool, BadArgumentsGiveTheUsage)
{
    const char* bad[] = {"", "shuffle 1", "deal", "deal one", "deal 2147483648", "deal 1 --kinds 6",
                         "deal 1 --kinds 0", "deal 1 --size 16", "deal 1 --size 0x12", "deal 1 --cell",
                         "deal 1 --count 3", "new", "new --count 3", "new --clock soon", "new --clock 5 --tane 1",
                         "play", "play - '1;2'", "solve - --seconds x", "solve - --objective best",
                         "solve - --playouts 0", "solve - --threads 0", "solve - --threads 65"};
    for (const char* args : bad) {
        ProgramRun r = RunTool(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_TRUE(r.out.empty()) << args;
        EXPECT_NE(r.err.find("usage: hanabo-tool"), std::string::npos) << args;
    }
}

TEST(HanaboTool, NewNumbersFollowTheClock)
{
    // Seed 0 gives 38, 7719 and 21238: 38 x 32768 + 7719, positive. Each
    // later number follows from the board dealt for the one before, as in the
    // program, so the sheet and the mode change them.
    const char* cases[][2] = {
        {"--clock 0 --count 3", "1252903\n58200693\n76076515\n"},
        {"--clock 1765000000 --count 4 --road", "655641419\n-646850535\n-1051606979\n165379337\n"},
        {"--clock 4294967297 --size 30x20 --kinds 4 --count 3", "-1361955\n-772453\n-1053374462\n"},
        {"--clock 4294967296", "1252903\n"},  // only the low 32 bits of the clock count
    };
    for (const auto& c : cases) {
        ProgramRun r = RunTool(std::string("new ") + c[0]);
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c[1]) << c[0];
    }
}

static const char WorkedExample[] = "(null)\r\n64\r\n0\r\n1223\r\n1233\r\n1132\r\n";

TEST(HanaboTool, PlaysTheWorkedExample)
{
    std::string file = TempPath("worked.tgw");
    Spill(file, WorkedExample);
    ProgramRun r = RunTool("play " + file + " 0,0");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "(null)\r\n64\r\n4\r\n0230\r\n2330\r\n2320\r\n");
    EXPECT_EQ(r.err, "score=4 rest=8 moves=1 over=0\n");

    // From standard input, with the saved score carried on.
    r = RunTool("play - 1,0 0,2", "C:\\tiles\\my.bmp\r\n64\r\n100\r\n1223\r\n1233\r\n1132\r\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(SplitLines(r.out)[0], "C:\\tiles\\my.bmp");
    EXPECT_EQ(r.err, "score=105 rest=5 moves=2 over=0\n");   // 1 for three 2s, 4 for four 1s

    // No moves: the sheet comes back as it was read.
    r = RunTool("play " + file);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, WorkedExample);
    EXPECT_EQ(r.err, "score=0 rest=12 moves=0 over=0\n");
}

TEST(HanaboTool, MovesThatRemoveNothingStop)
{
    std::string file = TempPath("worked.tgw");
    Spill(file, WorkedExample);
    // A lone tile, an emptied Cell, right of, below and left of the Board.
    const char* moves[] = {"3,2", "0,0 0,0", "0,0 3,0", "4,0", "0,3", "-1,0"};
    for (const char* m : moves) {
        ProgramRun r = RunTool("play " + file + " " + m);
        EXPECT_EQ(r.status, 2) << m;
        EXPECT_TRUE(r.out.empty()) << m;
        EXPECT_NE(r.err.find("removes nothing"), std::string::npos) << m;
    }
    ProgramRun r = RunTool("play " + file + " 0,0 1,1");
    EXPECT_EQ(r.status, 0) << r.err;
    r = RunTool("play " + file + " 0,0 9,9");
    EXPECT_NE(r.err.find("move 2 (9,9)"), std::string::npos) << r.err;
    // Nothing follows the end of a game.
    const std::string road = "(null)\r\n64\r\n0\r\n0000\r\n6a00\r\n5600\r\n";
    EXPECT_EQ(RunTool("play - 0,1", road).err, "score=1 rest=1 moves=1 over=1\n");
    EXPECT_EQ(RunTool("play - 0,1 0,2", road).status, 2);
}

// A file that cannot be read, ends before its rows or holds a sheet no Board
// could (7 x 32 is narrower than any) ends the tool with status 1.
TEST(HanaboTool, UnreadableSavedGames)
{
    const std::string narrow = "(null)\r\n32\r\n0\r\n1234567\r\n1234567\r\n1234567\r\n1234567\r\n1234567\r\n1234567\r\n";
    EXPECT_EQ(RunTool("play " + TempPath("missing.tgw")).status, 1);
    EXPECT_EQ(RunTool("play -", "(null)\r\n32\r\n0\r\n").status, 1);
    EXPECT_EQ(RunTool("play -", narrow).status, 1);
}

TEST(HanaboTool, SolvedLinesReplayToTheirScore)
{
    for (const char* deal : {"deal 3", "deal 4 --road --size 12x10"}) {
        SCOPED_TRACE(deal);
        ProgramRun d = RunTool(deal);
        ASSERT_EQ(d.status, 0) << d.err;
        ProgramRun s = RunTool("solve - --seconds 0.3 --quiet", d.out);
        ASSERT_EQ(s.status, 0) << s.err;
        ASSERT_FALSE(s.out.empty());
        std::string moves = s.out.substr(0, s.out.find('\n'));
        ProgramRun p = RunTool("play - " + moves, d.out);
        ASSERT_EQ(p.status, 0) << p.err;
        // play adds over=1: the line is played to the end.
        EXPECT_EQ(p.err, s.err.substr(0, s.err.size() - 1) + " over=1\n");
        // A playout count finds the same line every time.
        EXPECT_EQ(RunTool("solve - --playouts 3000", d.out).out, RunTool("solve - --playouts 3000", d.out).out);
    }
    // Two tiles of two kinds left: (1 - 2)^2 off for each.
    ProgramRun s = RunTool("solve - --standard --seconds 0.1 --quiet", "(null)\r\n64\r\n7\r\n0000\r\n0000\r\n1121\r\n");
    EXPECT_EQ(s.out, "0,2\n");
    EXPECT_EQ(s.err, "score=7 rest=2 moves=1 standard=-2\n");
}

// Away from a terminal the progress comes as whole lines on standard error,
// before the result's; standard output holds the line of moves alone.
TEST(HanaboTool, SolveShowsItsProgressOnStandardErrorOnly)
{
    ProgramRun d = RunTool("deal 7");
    ProgramRun s = RunTool("solve - --seconds 2.5 --threads 2", d.out);
    ASSERT_EQ(s.status, 0) << s.err;
    std::vector<std::string> out = SplitLines(s.out);
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].find_first_not_of("0123456789, "), std::string::npos) << out[0];
    std::vector<std::string> err = SplitLines(s.err);
    ASSERT_GE(err.size(), 2u) << s.err;
    EXPECT_EQ(err[0].rfind("best score ", 0), 0u) << err[0];
    EXPECT_NE(err[0].find(" s left, "), std::string::npos) << err[0];
    EXPECT_NE(err[0].find(" playouts/s"), std::string::npos) << err[0];
    EXPECT_EQ(err.back().rfind("score=", 0), 0u) << err.back();
}

// Ctrl+C ends a search of a minute at once, and the best line found still
// comes out and replays.
TEST(HanaboTool, InterruptedSolveStillWritesItsLine)
{
    const std::string game = TempPath("interrupted.tgw");
    Spill(game, RunTool("deal 7").out);
    const auto start = std::chrono::steady_clock::now();
    ProgramRun s = RunProgram("sh -c '" + std::string(HANABO_TOOL) + " solve " + game +
                              " --seconds 60 --quiet & sleep 1; kill -INT $!; wait $!'");
    EXPECT_LT(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(), 30);
    ASSERT_EQ(s.status, 0) << s.err;
    ProgramRun p = RunTool("play " + game + " " + s.out.substr(0, s.out.find('\n')));
    EXPECT_EQ(p.err, s.err.substr(0, s.err.size() - 1) + " over=1\n");
}
