// The settings file: its lookups, the defaults and limits of reading it, the
// bytes written back, and that a rewrite never leaves the file half made.
#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "storage/settings.h"
#include "tests/fake_front_end.h"
#include "tests/file_helpers.h"

class SettingsFile : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        ini = ProgramFilePath("Hanabo.ini");
        tmp = ProgramFilePath("Hanabo.tmp");
        settings = Settings();
        ResetFakeFrontEnd();
    }
    std::string ini, tmp;
};

TEST(SettingsLookup, NumbersFollowTheFirstHeaderAndAKeyAtALineStart)
{
    const char* text =
        "[system]\r\nCampaignNo=4\r\nXCampaign=1\r\nSheetSizeX = \t20\r\n[Sound]\r\nCampaign=1\r\n"
        "[system]\r\nCellSize=8\r\n";
    const char* numbers = "[system]\nA=-3\nB=x\nC=\nD=12ab\nE=99999999999\nF=1.5.2\nG=-2.25\nH=+\nI=1\nJ=0\n";
    const struct {
        char type;   // int, float or bool
        const char* text;
        const char* section;
        const char* key;
        double fallback, value;
    } cases[] = {
        // The first line-start occurrence of Campaign begins "CampaignNo=":
        // that gives the default. One inside a line is passed over, and the
        // search runs on past the next header.
        {'i', text, "system", "Campaign", 7, 7},
        {'i', "[system]\r\nCampaign=1\r\nCampaignNo=4\r\n", "system", "Campaign", 7, 1},
        {'i', "[system]\r\nCampaignNo=4\r\n", "system", "Campaign", 7, 7},
        {'i', text, "system", "CampaignNo", 7, 4},   {'i', text, "system", "SheetSizeX", 7, 20},
        {'i', text, "system", "CellSize", 7, 8},     {'i', text, "Sound", "CampaignNo", 7, 7},
        {'i', text, "nothing", "CampaignNo", 7, 7},  {'i', nullptr, "system", "CampaignNo", 7, 7},
        // Only the leading digits count.
        {'i', numbers, "system", "A", 7, 0},         {'i', numbers, "system", "B", 7, 0},
        {'i', numbers, "system", "C", 7, 0},         {'i', numbers, "system", "D", 7, 12},
        {'i', numbers, "system", "E", 7, 2147483647}, {'f', numbers, "system", "F", 7, 1.5},
        {'f', numbers, "system", "G", 7, -2.25},     {'f', numbers, "system", "H", 7, 0},
        {'f', numbers, "system", "Z", 7.5, 7.5},     {'b', numbers, "system", "D", 0, 1},
        {'b', numbers, "system", "J", 1, 0},         {'b', numbers, "system", "Z", 5, 1},
    };
    for (const auto& c : cases) {
        const double read = c.type == 'f'   ? ReadFloatSetting(c.text, c.section, c.key, c.fallback)
                            : c.type == 'b' ? ReadBoolSetting(c.text, c.section, c.key, static_cast<int>(c.fallback))
                                            : ReadIntSetting(c.text, c.section, c.key, static_cast<int>(c.fallback));
        EXPECT_EQ(read, c.value) << c.type << " [" << c.section << "] " << c.key;
    }
}

TEST(SettingsLookup, TextsFindTheirSectionByTheSearchText)
{
    const char* text =
        "[system]\r\nBitmap=(null)\r\n[Sound]\r\nPath=C:\\snd\\\r\nStart= a b  \r\nClick=\r\nXSelect=x.wav\r\n"
        "MIDI=C:\\m.mid\r\n";
    const struct {
        const char* text;
        const char* search;
        const char* key;
        const char* fallback;
        const char* value;
    } cases[] = {
        {text, "system", "Bitmap", "", "(null)"},
        {text, "Sound", "Start", "tada.wav", "a b  "},   // trailing spaces belong to the value
        {text, "Sound", "Click", "pin.wav", ""},
        {text, "Sound", "Select", "def", "def"},         // only inside a line
        {text, "[Sound]", "MIDI", nullptr, "C:\\m.mid"},
        {text, "Special Number", "N1", nullptr, ""},
        {nullptr, "Sound", "Path", "C:\\dir\\", "C:\\dir\\"},
        {"[Sound]\r\nx", "Sound", "Sound", "d", "d"},    // a key that is also the search text does not hang it
    };
    for (const auto& c : cases) {
        char out[TextBufferSize];
        ReadStringSetting(c.text, c.search, c.key, out, sizeof out, c.fallback);
        EXPECT_STREQ(out, c.value) << c.search << " " << c.key;
    }
}

TEST(SettingsLookup, LongTextsAreCutToTheBufferWithoutHalfACharacter)
{
    // 1022 bytes, then a double-byte character that would end past byte 1023.
    std::string text = "[system]\r\nBitmap=" + std::string(1022, 'a') + "\x95\x5c" + "zz\r\n";
    char out[TextBufferSize];
    ReadStringSetting(text.c_str(), "system", "Bitmap", out, sizeof out, "");
    EXPECT_EQ(std::string(out), std::string(1022, 'a'));
    char small[4];
    ReadStringSetting(text.c_str(), "system", "Bitmap", small, sizeof small, "");
    EXPECT_STREQ(small, "aaa");
}

// (Every default that is written back is checked in the file a fresh start
// leaves, end to end.)
TEST(ReadingSettings, NoFileGivesEveryDefaultAndAFileIsHeldToTheLimits)
{
    SetProgramDirectory("C:\\Games");
    Settings read;
    read.specialNumbers.push_back("old");
    ReadSettings(nullptr, &read);
    EXPECT_EQ(read.CampaignRest, 5);
    EXPECT_EQ(read.CampaignStage, 10);
    EXPECT_EQ(read.Campaign, 0);   // Campaign is off by default, though 0 - 1 <= 10
    EXPECT_EQ(read.Path, "C:\\Games\\Sound\\");
    EXPECT_TRUE(read.specialNumbers.empty());

    ReadSettings("[system]\r\nSheetSizeX=-3\r\nCellSize=20\r\nAnimIntrvl=1\r\nCellNo=9\r\n"
                 "[Sound]\r\nPath=C:\\Games\\\r\n", &read);
    EXPECT_EQ(read.CellSize, 32);
    EXPECT_EQ(read.SheetSizeX, 8);   // -3 reads as 0, then 256 / 32
    EXPECT_EQ(read.AnimIntrvl, 5);
    EXPECT_EQ(read.CellNo, 5);
    EXPECT_EQ(read.Path, "C:\\Games\\Sound\\");
    ReadSettings("[system]\r\nCellSize=0\r\nSheetSizeX=2000000000\r\nSheetSizeY=3\r\nCellNo=200\r\n", &read);
    EXPECT_EQ(read.CellSize, 4);
    EXPECT_EQ(read.SheetSizeX, 2000000000);   // no overflow; SetBoardSize limits it
    EXPECT_EQ(read.SheetSizeY, 48);
    EXPECT_EQ(read.CellNo, -56);   // a signed byte, not lowered
    ReadSettings("[Sound]\r\nPath=D:\\Wave\\\r\n", &read);
    EXPECT_EQ(read.Path, "D:\\Wave\\");
}

TEST(ReadingSettings, HoldsAHandEditedCampaignToTheDialogsRanges)
{
    Settings read;
    // A negative number reads as 0; no stage count to divide by zero.
    ReadSettings("[system]\r\nCampaign=1\r\nCampaignNo=1\r\nCampaignStage=0\r\nCampaignRest=-3\r\n"
                 "CampaignTane=99999\r\nRestSum=99999999999\r\n", &read);
    EXPECT_EQ(read.CampaignStage, 5);
    EXPECT_EQ(read.CampaignRest, 0);
    EXPECT_EQ(read.CampaignTane, 30000);
    EXPECT_EQ(read.RestSum, 15000);
    EXPECT_EQ(read.Campaign, 1);
    // There is no stage 0, and no stage beyond the last: stage 11 of 10 is
    // the end of the campaign, which has yet to be recorded.
    ReadSettings("[system]\r\nCampaign=1\r\nCampaignNo=0\r\n", &read);
    EXPECT_EQ(read.Campaign, 0);
    ReadSettings("[system]\r\nCampaign=1\r\nCampaignNo=11\r\nCampaignStage=10\r\n", &read);
    EXPECT_EQ(read.Campaign, 1);
    ReadSettings("[system]\r\nCampaign=1\r\nCampaignNo=12\r\nCampaignStage=10\r\n", &read);
    EXPECT_EQ(read.Campaign, 0);
    EXPECT_EQ(read.CampaignNo, 12);
    ReadSettings("[system]\r\nCampaign=0\r\nCampaignNo=4\r\n", &read);
    EXPECT_EQ(read.Campaign, 0);
    ReadSettings("[system]\r\nCampaign=1\r\nCampaignNo=99999999999\r\nCampaignStage=99999999999\r\n"
                 "CampaignRest=1000\r\n", &read);
    EXPECT_EQ(read.CampaignStage, 150);
    EXPECT_EQ(read.CampaignRest, 100);
    EXPECT_EQ(read.Campaign, 0);
}

TEST(ReadingSettings, RestoresTenSpecialNumbersWithoutGaps)
{
    std::string text = "[Special Number]\r\n";
    for (int n = 1; n <= 11; ++n)
        if (n != 3)
            text += "N" + std::to_string(n) + "=" + std::to_string(n * 100) + "\r\n";
    text += "N3=\r\n";
    Settings read;
    ReadSettings(text.c_str(), &read);
    EXPECT_EQ(read.specialNumbers,
              (std::vector<std::string>{"100", "200", "400", "500", "600", "700", "800", "900", "1000"}));
}

static Settings Sample()
{
    Settings values;
    values.Path = "C:\\Games\\Sound\\";
    const char* files[8] = {"s.wav", "c.wav", "h.wav", "sc.wav", "cc.wav", "m.wav", "", "d.wav"};
    for (int i = 0; i < 8; ++i)
        values.soundFiles[i] = files[i];
    values.specialNumbers = {"777            \t16x12(5)", "-42            \tmine"};
    values.FormTop = 120;
    values.FormLeft = -4;
    return values;
}

TEST(WritingSettings, LinesOneToTwentyFiveInTheirOrder)
{
    std::string expected =
        "[system]\r\nSheetSizeX=16\r\nSheetSizeY=12\r\nCellSize=32\r\nCellNo=5\r\nBitmap=(null)\r\n"
        "BlankCell=0\r\nAnimBMPOption=0\r\nAnimIntrvl=50\r\nFormTop=120\r\nFormLeft=-4\r\nScoreBar=1\r\n"
        "ToolBar=1\r\nScoreOption=0\r\nBarOptionAuto=1\r\nBarOptionShift=0\r\nCampaign=0\r\n\r\n"
        "[Special Number]\r\nN1=777            \t16x12(5)\r\nN2=-42            \tmine\r\n\r\n"
        "[Sound]\r\nSound=0\r\nBGM=0\r\nPath=C:\\Games\\Sound\\\r\nStart=s.wav\r\nClick=c.wav\r\n"
        "Score=sc.wav\r\nHighScore=h.wav\r\nCampaignClear=cc.wav\r\nMessage=m.wav\r\nSelect=\r\n"
        "Disappear=d.wav\r\nMIDI=\r\n\r\n";
    EXPECT_EQ(FormatSettings(Sample(), nullptr), expected);
}

TEST(WritingSettings, CampaignBlockAndMinimisedWindow)
{
    Settings values = Sample();
    values.windowMinimised = true;
    values.Campaign = 1;
    values.CampaignNo = 3;
    values.ScoreSum = 1234.5;
    values.RestSum = 25;
    values.BarOptionAuto = 0;
    values.ToolBar = 7;
    std::string text = FormatSettings(values, nullptr);
    EXPECT_EQ(text.find("FormTop"), std::string::npos);
    EXPECT_NE(text.find("AnimIntrvl=50\r\nScoreBar=1\r\nToolBar=1\r\nScoreOption=0\r\nBarOptionAuto=0\r\n"
                        "BarOptionShift=1\r\nCampaign=1\r\nCampaignNo=3\r\nCampaignRest=5\r\nCampaignStage=10\r\n"
                        "CampaignTane=0\r\nScoreSum=1234\r\nRestSum=25\r\n\r\n[Special Number]"),
              std::string::npos);
    // Read back, the window goes to (10, 10) and the campaign resumes.
    Settings read;
    ReadSettings(text.c_str(), &read);
    EXPECT_EQ(read.FormTop, 10);
    EXPECT_EQ(read.Campaign, 1);
    EXPECT_EQ(read.BarOptionAuto, 0);
}

TEST(WritingSettings, CarriesOverEverythingOutsideTheSettingsSections)
{
    std::string old =
        "[S16x12(5)]\r\nAAA (96/03/20 00:00:00)=100\r\n\r\n"
        "[system]\r\nSheetSizeX=20\r\n\r\n[C16x12(5)]\r\nBBB (96/03/20 00:00:00)=5\n"
        "[Sound]\r\nSound=1\r\n[Special Number]\r\nN1=1\r\n[CampaignScore]\r\nlast line";
    std::string text = FormatSettings(Sample(), &old);
    std::string tail = "MIDI=\r\n\r\n"
                       "[S16x12(5)]\r\nAAA (96/03/20 00:00:00)=100\r\n\r\n"
                       "[C16x12(5)]\r\nBBB (96/03/20 00:00:00)=5\r\n"
                       "[CampaignScore]\r\nlast line\r\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.find("SheetSizeX=20"), std::string::npos);
}

// (What the old file's record sections become is checked where a rewrite
// is cut short.)
TEST_F(SettingsFile, SavedAndLoadedBack)
{
    settings = Sample();
    settings.Bitmap = "";
    SaveSettings();
    EXPECT_TRUE(fake.messages.empty());
    EXPECT_NE(Slurp(ini).find("Bitmap=(null)\r\n"), std::string::npos);
    EXPECT_FALSE(FileExists(tmp));

    settings = Settings();
    LoadSettings();
    EXPECT_EQ(settings.Bitmap, "(null)");   // the tile loader takes this as the built-in tiles
    EXPECT_EQ(settings.FormTop, 120);
    EXPECT_EQ(settings.specialNumbers, Sample().specialNumbers);
}

TEST_F(SettingsFile, ARewriteCutShortAtAnyStepLeavesACompleteFile)
{
    std::string old = "[system]\r\nCellSize=16\r\n[S8x6(3)]\r\nA (96/03/20 00:00:00)=7\r\n\r\n";
    settings = Sample();
    std::string expectedNew = FormatSettings(settings, &old);
    for (int step = 1; step <= 5; ++step) {
        Spill(ini, old);
        SaveSettings(RewriteDyingBefore(step));
        EXPECT_EQ(Slurp(ini), old) << "stopped before step " << step;
        // The next start reads the old settings, and the next shutdown
        // writes over whatever temporary file was left.
        Settings read;
        std::string text = Slurp(ini);
        ReadSettings(text.c_str(), &read);
        EXPECT_EQ(read.CellSize, 16);
        SaveSettings();
        EXPECT_EQ(Slurp(ini), expectedNew) << "after stopping before step " << step;
        EXPECT_FALSE(FileExists(tmp));
    }
}

// A temporary file that cannot be made (a folder in the way) or written (a
// full disk: /dev/full takes the creation and fails every write) is reported
// and leaves the old file alone, the partial file gone.
TEST_F(SettingsFile, ARewriteThatCannotBeMadeLeavesTheOldFileAlone)
{
    for (bool fullDisk : {false, true}) {
        SCOPED_TRACE(fullDisk);
        Spill(ini, "[system]\r\nCellSize=16\r\n");
        ASSERT_EQ(fullDisk ? symlink("/dev/full", tmp.c_str()) : mkdir(tmp.c_str(), 0700), 0);
        EXPECT_EQ(SaveSettings(), fullDisk ? RewriteResult::TempFileNotWritten : RewriteResult::TempFileNotCreated);
        EXPECT_EQ(Slurp(ini), "[system]\r\nCellSize=16\r\n");
        struct stat info;
        EXPECT_EQ(lstat(tmp.c_str(), &info) == 0, !fullDisk);
        rmdir(tmp.c_str());
    }
}

TEST_F(SettingsFile, ASettingsFileThatCannotBeReadIsNotReplaced)
{
    ASSERT_EQ(mkdir(ini.c_str(), 0700), 0);   // there, but no file to read
    settings = Sample();
    EXPECT_EQ(SaveSettings(), RewriteResult::NotReplaced);
    struct stat info;
    ASSERT_EQ(stat(ini.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    // The run's settings are kept beside it.
    EXPECT_EQ(Slurp(tmp), FormatSettings(settings, nullptr));
}
