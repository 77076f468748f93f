// The records store: list entries, loading and saving the record sections,
// ranking, the record checks and Clear Records.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "storage/records.h"
#include "game/results.h"
#include "tests/fake_front_end.h"
#include "tests/file_helpers.h"

static std::string Entry(const char* name, const char* value)
{
    return FormatRecordEntry(name, "(96/03/20 00:00:00)", value);
}

class Records : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        ini = ProgramFilePath("Hanabo.ini");
        sheetRecords = RecordLists();
        campaignRecords = RecordLists();
        ResetFakeFrontEnd();
        date = RecordDate(fake.now);
    }
    std::string ini, date;
};

TEST(RecordEntries, KeyFixedColumnsAndNamesOfFourteenBytes)
{
    EXPECT_EQ(RecordKey(16, 12, 5), "16x12(5)");
    EXPECT_EQ(Entry("AAA", "100"), "AAA           \t(96/03/20 00:00:00) \t100");
    RecordLists lists;
    EXPECT_EQ(RecordHeading(lists, false), "Edit");
    ReadRecordSections(nullptr, "16x12(5)", &lists);
    EXPECT_EQ(RecordHeading(lists, false), "High Score Record - Matrix 16x12(5)");
    EXPECT_EQ(RecordHeading(lists, true), "Rest Record       - Matrix 16x12(5)");
    ReadRecordSections(nullptr, CampaignRecordKey, &lists);
    EXPECT_EQ(RecordHeading(lists, true), "Rest Record       - Campaign");
    EXPECT_TRUE(std::regex_match(RecordDate(0), std::regex(R"(\(\d\d/\d\d/\d\d \d\d:\d\d:\d\d\))"))) << RecordDate(0);

    // Names are cut to fourteen bytes of whole characters.
    EXPECT_EQ(CutPlayerName("ABCDEFGHIJKLMNO"), "ABCDEFGHIJKLMN");
    // Thirteen bytes, then a character whose lead byte is the fourteenth.
    EXPECT_EQ(CutPlayerName("ABCDEFGHIJKLM\x82\xa0"), "ABCDEFGHIJKLM");
    // Seven double-byte characters whose trail bytes look like lead bytes
    // (上 is 8F E3) fill the fourteen bytes exactly and stay whole.
    std::string seven;
    for (int i = 0; i < 7; ++i)
        seven += "\x8f\xe3";
    EXPECT_EQ(CutPlayerName(seven + "\x8f\xe3"), seven);
    EXPECT_EQ(CutPlayerName("\x8f\xe3" + seven), seven.substr(0, 14));
}

TEST(RecordSections, BuiltInRecordsWhereASectionIsMissing)
{
    RecordLists lists;
    ReadRecordSections(nullptr, "16x12(5)", &lists);
    ASSERT_EQ(lists.HighScoreList.size(), 10u);
    EXPECT_EQ(lists.HighScoreList[0], Entry("AAA", "100"));
    EXPECT_EQ(lists.HighScoreList[9], Entry("JJJ", "50"));
    EXPECT_EQ(lists.RestList[2], Entry("CCC", "10"));
    // A campaign's average rest keeps two decimals.
    ReadRecordSections("[CampaignScore]\r\nX (96/03/20 00:00:00)=7\r\n\r\n"
                       "[CampaignClear]\r\nAB (96/03/20 00:00:00)=2.5\r\n\r\n",
                       CampaignRecordKey, &lists);
    EXPECT_EQ(lists.HighScoreList, std::vector<std::string>{Entry("X", "7")});
    EXPECT_EQ(lists.RestList, std::vector<std::string>{Entry("AB", "2.50")});
    EXPECT_EQ(lists.loadedKey, "Campaign");
}

TEST(RecordSections, ReadsAtMostTenLinesAndStopsAtABlankLineOrHeader)
{
    std::string text = "x[S8x6(3)]\r\n";
    for (int i = 0; i < 12; ++i)
        text += "P" + std::to_string(i) + " (96/03/20 00:00:00)=" + std::to_string(100 - i) + "\r\n";
    text += "[C8x6(3)]\r\nA (96/03/20 00:00:00)=3\r\nB (96/03/20 00:00:00)=4.6\r\n\r\nC (96/03/20 00:00:00)=5\r\n";
    RecordLists lists;
    ReadRecordSections(text.c_str(), "8x6(3)", &lists);
    ASSERT_EQ(lists.HighScoreList.size(), 10u);
    EXPECT_EQ(lists.HighScoreList[9], Entry("P9", "91"));
    ASSERT_EQ(lists.RestList.size(), 2u);
    EXPECT_EQ(lists.RestList[1], Entry("B", "5"));
    // A header with nothing after it gives an empty list; a malformed line ends it.
    ReadRecordSections("[S8x6(3)]", "8x6(3)", &lists);
    EXPECT_TRUE(lists.HighScoreList.empty());
    ReadRecordSections("[S8x6(3)]\nA (96/03/20 00:00:00)=1\nno date here\nB (96/03/20 00:00:00)=1\n", "8x6(3)", &lists);
    EXPECT_EQ(lists.HighScoreList.size(), 1u);
}

TEST(RecordSections, SavingMovesTheKeysSectionsToTheEnd)
{
    std::string old =
        "[system]\r\nCellSize=32\r\n\r\n"
        "[S16x12(5)]\r\nOLD (96/03/20 00:00:00)=1\r\n\r\n"
        "[S8x6(3)]\r\nKEEP (96/03/20 00:00:00)=2\r\n\r\n"
        "junk [C16x12(5)] junk\r\nOLD (96/03/20 00:00:00)=1\r\n"
        "[Sound]\r\nSound=1\r\n";
    RecordLists lists;
    ReadRecordSections(nullptr, "16x12(5)", &lists);
    lists.HighScoreList.resize(2);
    lists.RestList.resize(1);
    std::string text = FormatRecordSections(old, lists);
    EXPECT_EQ(text,
              "[system]\r\nCellSize=32\r\n\r\n"
              "[S8x6(3)]\r\nKEEP (96/03/20 00:00:00)=2\r\n\r\n"
              "[Sound]\r\nSound=1\r\n"
              "[S16x12(5)]\r\nAAA (96/03/20 00:00:00)=100\r\nBBB (96/03/20 00:00:00)=90\r\n\r\n"
              "[C16x12(5)]\r\nAAA (96/03/20 00:00:00)=5\r\n\r\n");
}

TEST(RecordSections, NamesNeverMakeALineReadAsAHeader)
{
    // Brackets and tabs of a typed name would break the file or the columns;
    // a double-byte character whose second byte is "[" stays whole.
    EXPECT_EQ(FormatRecordEntry("[C8x6(3)]\tx", "(96/03/20 00:00:00)", "1"),
              Entry("(C8x6(3)) x", "1"));
    EXPECT_EQ(FormatRecordEntry("\x81\x5b", "(96/03/20 00:00:00)", "1"), Entry("\x81\x5b", "1"));
    RecordLists lists;
    ReadRecordSections(nullptr, "8x6(3)", &lists);
    lists.HighScoreList[0] = FormatRecordEntry("[C8x6(3)]", "(96/03/20 00:00:00)", "500");
    lists.HighScoreList[1] = FormatRecordEntry("a)=b", "(96/03/20 00:00:00)", "400");
    lists.HighScoreList[2] = Entry("Bob (Jr)", "300");
    RecordLists again;
    ReadRecordSections(FormatRecordSections("", lists).c_str(), "8x6(3)", &again);
    EXPECT_EQ(again.HighScoreList, lists.HighScoreList);
    EXPECT_EQ(again.RestList, lists.RestList);
}

TEST(Ranking, ANewcomerRanksAboveAnEqualValue)
{
    RecordLists lists;
    ReadRecordSections(nullptr, "16x12(5)", &lists);
    EXPECT_EQ(RankHighScore(lists.HighScoreList, 100), 0);
    EXPECT_EQ(RankHighScore(lists.HighScoreList, 85), 2);
    EXPECT_EQ(RankHighScore(lists.HighScoreList, 80), 2);
    EXPECT_EQ(RankHighScore(lists.HighScoreList, 50), 8);
    EXPECT_EQ(RankHighScore(lists.HighScoreList, 49), -1);
    EXPECT_EQ(RankRest(lists.RestList, 5, true), 0);
    EXPECT_EQ(RankRest(lists.RestList, 30, true), 8);
    EXPECT_EQ(RankRest(lists.RestList, 31, true), -1);
    // Sheet rests are whole numbers, a campaign's average rest is not.
    const std::vector<std::string> rests = {FormatRecordEntry("a", "(d)", "7.5")};
    EXPECT_EQ(RankRest(rests, 7.2, true), 1);
    EXPECT_EQ(RankRest(rests, 7.2, false), 0);
    lists.HighScoreList.resize(3);
    EXPECT_EQ(RankHighScore(lists.HighScoreList, 1), 3);

    // The tenth place pushes the old tenth out.
    std::vector<std::string> list;
    for (int i = 0; i < 10; ++i)
        list.push_back(Entry(("P" + std::to_string(i)).c_str(), std::to_string(100 - i).c_str()));
    int position = RankHighScore(list, 91);
    ASSERT_EQ(position, 9);
    PlaceRecordEntry(&list, position, Entry("NEW", "91"));
    ASSERT_EQ(list.size(), 10u);
    EXPECT_EQ(list[9], Entry("NEW", "91"));
    EXPECT_EQ(list[8], Entry("P8", "92"));
}

TEST_F(Records, OneNameAndOneDateServeBothLists)
{
    ReadRecordSections(nullptr, "16x12(5)", &sheetRecords);
    fake.names.push_back("Hanako");
    RecordGameResult(95, 3);
    // The high-score entry asks, showing "No Name" to type over.
    EXPECT_EQ(CallCount("AskPlayerName"), 1);
    EXPECT_EQ(fake.calls[1], "AskPlayerName score No Name");
    EXPECT_EQ(fake.calls.back(), "ShowRecordDialog sheet");
    EXPECT_EQ(sheetRecords.HighScoreList[1], FormatRecordEntry("Hanako", date, "95"));
    EXPECT_EQ(sheetRecords.RestList[0], FormatRecordEntry("Hanako", date, "3"));
    EXPECT_EQ(sheetRecords.highScoreSelected, 1);
    EXPECT_EQ(sheetRecords.restSelected, 0);
    EXPECT_TRUE(sheetRecords.recordsChanged);
    EXPECT_EQ(fake.sounds, (std::vector<SoundEvent>{SoundEvent::Message, SoundEvent::HighScore}));
}

TEST_F(Records, EmptyOrLongNamesAndResultsThatEnterNothing)
{
    ReadRecordSections(nullptr, "16x12(5)", &sheetRecords);
    RecordGameResult(10, 99);
    EXPECT_TRUE(fake.calls.empty());
    EXPECT_FALSE(sheetRecords.recordsChanged);
    fake.names.push_back("");
    RecordGameResult(10, 30);   // rests only
    EXPECT_EQ(fake.calls[1], "AskPlayerName rest No Name");
    EXPECT_EQ(sheetRecords.RestList[8], FormatRecordEntry("No Name", date, "30"));
    fake.names.push_back("ABCDEFGHIJKLMNOP");
    RecordGameResult(1000, 99);
    EXPECT_EQ(sheetRecords.HighScoreList[0], FormatRecordEntry("ABCDEFGHIJKLMN", date, "1000"));
}

TEST_F(Records, CampaignResultsAreWrittenAtOnce)
{
    Spill(ini, "[system]\r\nCellSize=32\r\n\r\n");
    LoadRecordsOf(&campaignRecords, CampaignRecordKey);
    fake.names.push_back("C");
    RecordCampaignResult(1234.0 / 10, 25.0 / 10);
    EXPECT_EQ(campaignRecords.HighScoreList[0], FormatRecordEntry("C", date, "123"));
    EXPECT_EQ(campaignRecords.RestList[0], FormatRecordEntry("C", date, "2.50"));
    EXPECT_FALSE(campaignRecords.recordsChanged);
    std::string written = Slurp(ini);
    EXPECT_EQ(written.substr(0, 27), "[system]\r\nCellSize=32\r\n\r\n[C");
    EXPECT_NE(written.find("[CampaignClear]\r\nC " + date + "=2.50\r\nAAA (96/03/20 00:00:00)=5.00\r\n"),
              std::string::npos);
}

// Records of one key are written before another key's are loaded: before the
// first settings file exists, and when a campaign starts after them.
TEST_F(Records, AChangeOfKeyWritesTheOldKeysRecordsFirst)
{
    LoadRecordsOf(&sheetRecords, "18x6(5)");
    fake.names.push_back("Z");
    RecordGameResult(500, 1);
    LoadRecordsOf(&sheetRecords, "8x6(5)");   // writes 18x6(5), making the file
    EXPECT_NE(Slurp(ini).find("[S18x6(5)]\r\nZ " + date + "=500\r\n"), std::string::npos);
    EXPECT_EQ(sheetRecords.loadedKey, "8x6(5)");
    EXPECT_EQ(sheetRecords.HighScoreList[0], Entry("AAA", "100"));
    LoadRecordsOf(&sheetRecords, "18x6(5)");
    EXPECT_EQ(sheetRecords.HighScoreList[0], FormatRecordEntry("Z", date, "500"));
    EXPECT_EQ(sheetRecords.HighScoreList.size(), 10u);

    fake.names.push_back("S");
    RecordGameResult(600, 1);
    LoadRecordsOf(&campaignRecords, CampaignRecordKey);
    SaveRecords();   // shutdown during the campaign
    EXPECT_NE(Slurp(ini).find("[S18x6(5)]\r\nS " + date + "=600\r\nZ "), std::string::npos);
}

TEST_F(Records, ARecordsRewriteCutShortLeavesTheOldFileAndTriesAgain)
{
    std::string old = "[system]\r\nCellSize=16\r\n\r\n";
    Spill(ini, old);
    LoadRecordsOf(&sheetRecords, "16x12(5)");
    fake.names.push_back("R");
    RecordGameResult(500, 1);
    for (int step = 1; step <= 5; ++step) {
        SaveRecords(RewriteDyingBefore(step));
        EXPECT_EQ(Slurp(ini), old) << "stopped before step " << step;
        EXPECT_TRUE(sheetRecords.recordsChanged);
    }
    SaveRecords();
    EXPECT_FALSE(sheetRecords.recordsChanged);
    EXPECT_EQ(Slurp(ini).substr(0, old.size() + 14), old + "[S16x12(5)]\r\nR");
}

TEST_F(Records, ClearRecordsKeepsTheWholeFormerFileAsBackup)
{
    std::string old = "[system]\r\nCellSize=16\r\n\r\n[S16x12(5)]\r\nA (96/03/20 00:00:00)=1\r\n\r\n";
    Spill(ini, old);
    Spill(ProgramFilePath("Hanabo.bak"), "older");
    LoadRecordsOf(&sheetRecords, "16x12(5)");
    EXPECT_EQ(ClearRecordsQuestion(),
              "\x8d\xa1\x82\xdc\x82\xc5\x82\xcc\x8b\x4c\x98\x5e\x82\xcd" + ProgramFilePath("Hanabo.bak") +
                  "\x82\xc9\x95\xdb\x91\xb6\x82\xb3\x82\xea\x82\xdc\x82\xb7");
    ClearRecords();
    EXPECT_FALSE(sheetRecords.keyLoaded);
    EXPECT_TRUE(sheetRecords.HighScoreList.empty());
    EXPECT_EQ(Slurp(ProgramFilePath("Hanabo.bak")), old);
    EXPECT_FALSE(FileExists(ini));
    LoadRecordsOf(&sheetRecords, "16x12(5)");
    EXPECT_EQ(sheetRecords.HighScoreList[0], Entry("AAA", "100"));
}
