// Saved game files: their text both ways, the names the Save dialog uses, and
// the Save and Open commands.
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/file_choice.h"
#include "storage/saved_game.h"
#include "tests/file_helpers.h"
#include "tests/game_helpers.h"
#include "game/game_files.h"

static SavedGame Sheet(int columns, int rows, int tileSize)
{
    SavedGame game;
    game.bitmapPath = "(null)";
    game.tileSize = tileSize;
    game.columns = columns;
    game.rows = rows;
    for (int i = 0; i < columns * rows; ++i)
        game.cells.push_back(static_cast<unsigned char>(i % 6));
    return game;
}

static std::string Rows(int columns, int rows, char digit)
{
    std::string text;
    for (int r = 0; r < rows; ++r)
        text += std::string(columns, digit) + "\r\n";
    return text;
}

// The text: the picture, tile size and score lines, then a row of lower-case
// hex digits per line, the mark left out, every line ending in CR LF.
TEST(SavedGameText, WrittenAndReadBack)
{
    SavedGame game = Sheet(16, 12, 32);
    game.bitmapPath = "C:\\Tiles\\road.bmp";
    game.cells[0] = 15;
    game.cells[1] = 10;
    game.cells[2] = 0x20 | 3;   // highlighted
    game.score = 41.6;
    std::string text = FormatSavedGame(game);
    EXPECT_EQ(text.substr(0, 45), "C:\\Tiles\\road.bmp\r\n32\r\n42\r\nfa33450123450123\r\n");
    EXPECT_EQ(text.size(), 19 + 4 + 4 + 12 * 18u);
    EXPECT_EQ(text.substr(text.size() - 20), "\r\n2345012345012345\r\n");

    game = Sheet(30, 20, 32);
    game.cells[599] = 15;
    game.score = 9801;
    SavedGame read;
    ASSERT_EQ(ParseSavedGame(FormatSavedGame(game), &read), SavedGameStatus::Ok);
    EXPECT_EQ(read.bitmapPath, "(null)");
    EXPECT_EQ(read.tileSize, 32);
    EXPECT_EQ(read.score, 9801);
    EXPECT_EQ(read.columns, 30);
    EXPECT_EQ(read.rows, 20);
    EXPECT_EQ(read.cells, game.cells);
    EXPECT_EQ(read.largestValue, 15);
}

TEST(SavedGameText, TakesNumbersFromTheStartOfTheirLinesAndRaisesTheTileSize)
{
    SavedGame read;
    ASSERT_EQ(ParseSavedGame("x.bmp\n20 pixels\n 12.7abc\n" + Rows(8, 6, '1'), &read), SavedGameStatus::Ok);
    EXPECT_EQ(read.tileSize, 32);
    EXPECT_DOUBLE_EQ(read.score, 12.7);
    EXPECT_EQ(read.largestValue, 1);
    ASSERT_EQ(ParseSavedGame("x.bmp\r\n-5\r\nnone\r\n" + Rows(64, 48, '2'), &read), SavedGameStatus::Ok);
    EXPECT_EQ(read.tileSize, 4);
    EXPECT_EQ(read.score, 0);
    ASSERT_EQ(ParseSavedGame("x.bmp\r\n49\r\n1e999\r\n" + Rows(4, 3, '2'), &read), SavedGameStatus::Ok);
    EXPECT_EQ(read.tileSize, 64);
    EXPECT_EQ(read.score, 0);   // too large to hold
    // Unix line ends and a last row without its line end are fine.
    EXPECT_EQ(ParseSavedGame("(null)\n32\n0\n11111111\n11111111\n11111111\n11111111\n11111111\n11111111", &read),
              SavedGameStatus::Ok);
    // The largest sheet of all loads.
    ASSERT_EQ(ParseSavedGame("(null)\r\n4\r\n0\r\n" + Rows(240, 160, '1'), &read), SavedGameStatus::Ok);
    EXPECT_EQ(read.cells.size(), 38400u);
}

// A text that ends before its first row, and every sheet the Board could not
// hold, leave what was read before as it was.
TEST(SavedGameText, RefusesWhatNoBoardCouldHold)
{
    const std::string head = "(null)\r\n32\r\n0\r\n";
    const std::string rows = Rows(8, 6, '1');
    std::vector<std::string> invalid = {
        head + Rows(7, 6, '1'),   // 7 x 32 = 224 pixels is narrower than 256
        head + Rows(31, 6, '1'),
        head + Rows(8, 5, '1'),
        head + Rows(8, 21, '1'),
        head + "\r\n",
        "(null)\r\n4\r\n0\r\n" + Rows(240, 161, '1'),
        "(null)\r\n4\r\n0\r\n" + Rows(241, 160, '1'),
        head + Rows(8, 3, '1') + "1111111\r\n" + Rows(8, 2, '1'),   // a short row
        head + Rows(8, 5, '1') + "111111111\r\n",                   // a long row
        head + rows + "\r\n",                                       // a blank line after the last row
        std::string(1024, 'p') + "\r\n32\r\n0\r\n" + rows,          // a path longer than the program's buffers
    };
    for (char bad : {'A', 'g', ' ', '/', ':', '\x7f', '\x82', '\0'}) {
        invalid.push_back(head + rows);
        invalid.back()[head.size() + 8 + 2 + 3] = bad;   // row 1, column 3
    }
    SavedGame read = Sheet(8, 6, 32);
    const SavedGame before = read;
    for (const std::string& text : invalid) {
        EXPECT_EQ(ParseSavedGame(text, &read), SavedGameStatus::Invalid) << text.substr(0, 40);
        EXPECT_EQ(read.columns, before.columns);
        EXPECT_EQ(read.cells, before.cells);
    }
    for (const char* text : {"", "(null)", "(null)\r\n32\r\n", "(null)\r\n32\r\n0\r\n"}) {
        EXPECT_EQ(ParseSavedGame(text, &read), SavedGameStatus::TooShort) << text;
        EXPECT_EQ(read.cells, before.cells);
    }
}

static const std::string SavedNotice = "\x53\x61\x76\x65\x8f\x49\x97\xb9";  // Save終了
static const std::string SaveFailedNotice = "\x53\x61\x76\x65\x8e\xb8\x94\x73";  // Save失敗
static const std::string InvalidNotice =
    "\x95\x73\x90\xb3\x82\xc8\x54\x47\x57\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xc5\x82\xb7";  // 不正なTGWファイルです
static const std::string NoRoadNotice =
    "\x90\xb3\x82\xb5\x82\xa2\x42\x69\x74\x6d\x61\x70\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xaa\x82\xa0\x82\xe8\x82"
    "\xdc\x82\xb9\x82\xf1";  // 正しいBitmapファイルがありません

// The Save and Open commands in a ProgramDirectory of their own.
class SavedGameFiles : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        settings = Settings();
        DealNumber(1234);
        ResetFakeFrontEnd();
    }
};

TEST_F(SavedGameFiles, SaveProposesTheFirstFreeNameAndForcesTheExtension)
{
    Spill(ProgramFilePath("save1.tgw"), "x");
    Spill(ProgramFilePath("save2.tgw"), "x");
    game.score = 49;
    fake.chosenFiles.push_back(folder + "game.txt");
    SaveGame();
    EXPECT_EQ(fake.calls[0], "ChooseFile save TGW file|*.tgw|" + std::string(ProgramDirectory()) + "|" +
                                 ProgramFilePath("save3.tgw"));
    SavedGame sheet = Sheet(16, 12, 32);
    sheet.score = 49;
    sheet.cells = board.cells;
    EXPECT_EQ(Slurp(folder + "game.tgw"), FormatSavedGame(sheet));
    EXPECT_EQ(fake.messages, std::vector<std::string>{SavedNotice});
    EXPECT_EQ(fake.sounds.back(), SoundEvent::Message);
}

TEST_F(SavedGameFiles, ASaveThatCannotBeWrittenSaysSo)
{
    fake.chosenFiles.push_back(folder + "no such folder/game.tgw");
    SaveGame();
    EXPECT_EQ(fake.messages, std::vector<std::string>{SaveFailedNotice});
    EXPECT_EQ(fake.calls.back().rfind("ShowError ", 0), 0u);
    // A full disk (/dev/full fails every write that reaches it): the old file
    // stays as it was and nothing half written is left.
    ResetFakeFrontEnd();
    Spill(folder + "full.tgw", "old");
    ASSERT_EQ(symlink("/dev/full", (folder + "full.tgw.tmp").c_str()), 0);
    fake.chosenFiles.push_back(folder + "full.txt");
    SaveGame();
    EXPECT_EQ(fake.messages, std::vector<std::string>{SaveFailedNotice});
    EXPECT_EQ(Slurp(folder + "full.tgw"), "old");
    struct stat info;
    EXPECT_NE(lstat((folder + "full.tgw.tmp").c_str(), &info), 0);
    ResetFakeFrontEnd();
    SaveGame();   // cancelled
    EXPECT_TRUE(fake.messages.empty());
}

TEST_F(SavedGameFiles, AgainAfterOpenGoesBackToTheFile)
{
    Spill(folder + "mine.tgw", "(null)\r\n20\r\n77\r\n" + Rows(8, 6, '3'));
    EXPECT_FALSE(ChooseGameFile());   // cancelled: nothing changes
    EXPECT_TRUE(game.loadedFile.empty());
    fake.chosenFiles.push_back(folder + "mine.tgw");
    ASSERT_TRUE(ChooseGameFile());
    EXPECT_EQ(fake.calls[0], "ChooseFile open TGW File|*.tgw|" + std::string(ProgramDirectory()) + "|");
    StartGame(true, false);
    EXPECT_EQ(board.columns, 8);
    EXPECT_EQ(board.rows, 6);
    EXPECT_EQ(board.ts, 32);
    EXPECT_EQ(game.score, 77);
    EXPECT_EQ(game.counts.count[3], 48);
    EXPECT_EQ(settings.CellNo, 3);
    EXPECT_EQ(tileSetInfo.kind, TileSetPlain);
    // Play a move, then Again: the sheet and score of the file come back.
    SetCell(0, 5, 1);
    game.score = 5;
    StartGame(true, true);
    EXPECT_EQ(CellAt(0, 5), 3);
    EXPECT_EQ(game.score, 77);
    EXPECT_EQ(game.loadedFile, folder + "mine.tgw");
    // A sheet of ones and twos still plays with three kinds.
    Spill(folder + "low.tgw", "(null)\r\n32\r\n0\r\n" + Rows(8, 6, '2'));
    fake.chosenFiles.push_back(folder + "low.tgw");
    ASSERT_TRUE(ChooseGameFile());
    StartGame(true, false);
    EXPECT_EQ(settings.CellNo, 3);
}

// A file that is broken, has gone, or has been cut short since it was opened
// is refused when the deal reads it, with a new game.
TEST_F(SavedGameFiles, AFileThatNoLongerReadsIsRefusedWithANewGame)
{
    Spill(folder + "bad.tgw", "(null)\r\n32\r\n0\r\n" + Rows(8, 5, '1') + "1111111G\r\n");
    Spill(folder + "short.tgw", "(null)\r\n32\r\n0\r\n");
    for (const char* name : {"bad.tgw", "gone.tgw", "short.tgw"}) {
        SCOPED_TRACE(name);
        ResetFakeFrontEnd();
        game.loadedFile = folder + name;
        StartGame(true, false);
        EXPECT_EQ(fake.messages, std::vector<std::string>{InvalidNotice});
        EXPECT_TRUE(game.loadedFile.empty());
        EXPECT_EQ(board.columns, 16);
    }
}

TEST_F(SavedGameFiles, RoadTilesWithAPlainPictureGiveTheBuiltInTiles)
{
    Spill(folder + "road.tgw", "C:\\tiles\\plain.bmp\r\n32\r\n0\r\n" + Rows(8, 5, '3') + "3333333f\r\n");
    game.loadedFile = folder + "road.tgw";
    fake.tilePictureKind = TileSetPlain;
    StartGame(true, false);
    EXPECT_EQ(fake.messages, std::vector<std::string>{NoRoadNotice});
    EXPECT_NE(std::find(fake.calls.begin(), fake.calls.end(), "ApplyTilePicture dummyfile"), fake.calls.end());
    EXPECT_TRUE(game.loadedFile.empty());
    // With the road set the sheet loads, every tile counted as one kind.
    ResetFakeFrontEnd();
    fake.tilePictureKind = TileSetRoad;
    game.loadedFile = folder + "road.tgw";
    StartGame(true, false);
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_EQ(tileSetInfo.kind, TileSetRoad);
    EXPECT_EQ(game.counts.count[1], 48);
    EXPECT_EQ(CellAt(7, 5), 15);
}

TEST_F(SavedGameFiles, AFileEndingBeforeItsRowsIsRefusedAtOpen)
{
    // An empty file, and one that ends after its head (which texts end so is
    // checked where they are parsed).
    std::vector<unsigned char> before = board.cells;
    game.moveIndex = game.moveCount = 3;
    for (const char* text : {"", "(null)\r\n32\r\n0\r\n"}) {
        SCOPED_TRACE(text);
        ResetFakeFrontEnd();
        Spill(folder + "short.tgw", text);
        fake.chosenFiles.push_back(folder + "short.tgw");
        EXPECT_FALSE(ChooseGameFile());
        EXPECT_EQ(fake.messages, std::vector<std::string>{InvalidNotice});
        EXPECT_EQ(fake.calls.back().rfind("ShowError ", 0), 0u);
        EXPECT_TRUE(game.loadedFile.empty());
        EXPECT_EQ(game.moveIndex, 3);
        EXPECT_EQ(game.moveCount, 3);
        EXPECT_EQ(board.cells, before);
    }
}

TEST_F(SavedGameFiles, FileChoicesStartAtAPreviousFile)
{
    Spill(folder + "tiles.bmp", "x");
    FileChoice choice = PrepareFileChoice((folder + "tiles.bmp").c_str(), "Bitmap", "*.bmp");
    EXPECT_EQ(choice.folder, folder);
    EXPECT_EQ(choice.name, "tiles.bmp");
    EXPECT_EQ(choice.filterName, "Bitmap");
    for (const char* none : {"(null)", "", "C:\\nowhere\\x.bmp"}) {
        choice = PrepareFileChoice(none, "Bitmap", "*.bmp");
        EXPECT_EQ(choice.folder, ProgramDirectory());
        EXPECT_EQ(choice.name, "");
    }
}
