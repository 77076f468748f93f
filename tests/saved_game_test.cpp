// Saved game files: their text both ways, the names the Save dialog uses, and
// the Save and Open commands.
#include <gtest/gtest.h>

#include <string>

#include "storage/saved_game.h"

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

TEST(SavedGameText, SixteenByTwelveSheetIsFifteenLines)
{
    SavedGame game = Sheet(16, 12, 32);
    game.score = 123;
    std::string text = FormatSavedGame(game);
    EXPECT_EQ(text.substr(0, 20), "(null)\r\n32\r\n123\r\n012");
    EXPECT_EQ(text.substr(17, 18), "0123450123450123\r\n");
    int lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (text[i] == '\n') {
            ++lines;
            EXPECT_EQ(text[i - 1], '\r');
        }
    EXPECT_EQ(lines, 15);
    EXPECT_EQ(text.size(), 8 + 4 + 5 + 12 * 18u);
}

TEST(SavedGameText, WritesTileValuesInLowerCaseHexWithoutTheMark)
{
    SavedGame game = Sheet(8, 6, 32);
    game.bitmapPath = "C:\\Tiles\\road.bmp";
    game.cells[0] = 15;
    game.cells[1] = 10;
    game.cells[2] = 0x20 | 3;   // highlighted
    game.score = 41.6;
    std::string text = FormatSavedGame(game);
    EXPECT_EQ(text.substr(0, 37), "C:\\Tiles\\road.bmp\r\n32\r\n42\r\nfa334501\r\n");
}

TEST(SavedGameText, ReadsBackWhatWasWritten)
{
    SavedGame game = Sheet(30, 20, 32);
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
}

TEST(SavedGameText, AFileEndingBeforeItsFirstRowChangesNothing)
{
    SavedGame read = Sheet(8, 6, 32);
    SavedGame before = read;
    for (const char* text : {"", "(null)", "(null)\r\n32\r\n", "(null)\r\n32\r\n0\r\n"}) {
        EXPECT_EQ(ParseSavedGame(text, &read), SavedGameStatus::TooShort) << text;
        EXPECT_EQ(read.cells, before.cells);
    }
}

TEST(SavedGameText, RefusesSheetsOutsideTheBoardLimits)
{
    SavedGame read = Sheet(8, 6, 32);
    SavedGame before = read;
    // 7 x 32 = 224 pixels is narrower than 256.
    EXPECT_EQ(ParseSavedGame("(null)\r\n32\r\n0\r\n" + Rows(7, 6, '1'), &read), SavedGameStatus::Invalid);
    EXPECT_EQ(ParseSavedGame("(null)\r\n32\r\n0\r\n" + Rows(31, 6, '1'), &read), SavedGameStatus::Invalid);
    EXPECT_EQ(ParseSavedGame("(null)\r\n32\r\n0\r\n" + Rows(8, 5, '1'), &read), SavedGameStatus::Invalid);
    EXPECT_EQ(ParseSavedGame("(null)\r\n32\r\n0\r\n" + Rows(8, 21, '1'), &read), SavedGameStatus::Invalid);
    EXPECT_EQ(ParseSavedGame("(null)\r\n32\r\n0\r\n\r\n", &read), SavedGameStatus::Invalid);
    EXPECT_EQ(ParseSavedGame("(null)\r\n4\r\n0\r\n" + Rows(240, 161, '1'), &read), SavedGameStatus::Invalid);
    EXPECT_EQ(ParseSavedGame("(null)\r\n4\r\n0\r\n" + Rows(241, 160, '1'), &read), SavedGameStatus::Invalid);
    EXPECT_EQ(read.columns, before.columns);
    EXPECT_EQ(read.cells, before.cells);
    // The largest sheet of all still loads.
    ASSERT_EQ(ParseSavedGame("(null)\r\n4\r\n0\r\n" + Rows(240, 160, '1'), &read), SavedGameStatus::Ok);
    EXPECT_EQ(read.cells.size(), 38400u);
}

TEST(SavedGameText, RefusesRowsThatNoCellCouldHold)
{
    SavedGame read = Sheet(8, 6, 32);
    SavedGame before = read;
    std::string head = "(null)\r\n32\r\n0\r\n";
    std::string rows = Rows(8, 6, '1');
    for (char bad : {'A', 'g', ' ', '/', ':', '\x7f', '\x82', '\0'}) {
        std::string text = head + rows;
        text[head.size() + 8 + 2 + 3] = bad;   // row 1, column 3
        EXPECT_EQ(ParseSavedGame(text, &read), SavedGameStatus::Invalid) << int(bad);
    }
    // A short row, a long row, a blank line after the last row.
    EXPECT_EQ(ParseSavedGame(head + Rows(8, 3, '1') + "1111111\r\n" + Rows(8, 2, '1'), &read),
              SavedGameStatus::Invalid);
    EXPECT_EQ(ParseSavedGame(head + Rows(8, 5, '1') + "111111111\r\n", &read), SavedGameStatus::Invalid);
    EXPECT_EQ(ParseSavedGame(head + rows + "\r\n", &read), SavedGameStatus::Invalid);
    // A path longer than the program's buffers.
    EXPECT_EQ(ParseSavedGame(std::string(1024, 'p') + "\r\n32\r\n0\r\n" + rows, &read), SavedGameStatus::Invalid);
    EXPECT_EQ(read.cells, before.cells);
    // Unix line ends and a last row without its line end are fine.
    EXPECT_EQ(ParseSavedGame("(null)\n32\n0\n11111111\n11111111\n11111111\n11111111\n11111111\n11111111", &read),
              SavedGameStatus::Ok);
}

TEST(SavedGameNames, ForcesTheTgwExtensionOnTheFileNamePart)
{
    EXPECT_EQ(ForceTgwExtension("C:\\games\\game.txt"), "C:\\games\\game.tgw");
    EXPECT_EQ(ForceTgwExtension("C:\\games\\game"), "C:\\games\\game.tgw");
    EXPECT_EQ(ForceTgwExtension("C:\\my.games\\game"), "C:\\my.games\\game.tgw");
    EXPECT_EQ(ForceTgwExtension("C:\\games\\a.b.c"), "C:\\games\\a.b.tgw");
    EXPECT_EQ(ForceTgwExtension("C:\\games\\old.tgw"), "C:\\games\\old.tgw");
    EXPECT_EQ(ForceTgwExtension("game."), "game.tgw");
}
