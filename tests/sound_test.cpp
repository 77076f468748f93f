// Tests of the event sounds and the background music through the platform seam:
// which file each event plays, where it is looked up, the exact MCI command
// texts, and the loop with its guard.
#include <gtest/gtest.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "storage/program_directory.h"
#include "sound/folder_path.h"
#include "sound/music.h"
#include "sound/sound_events.h"
#include "sound/sound_platform.h"
#include "storage/settings.h"
#include "tests/fake_front_end.h"

namespace {

// The platform as the tests play it: a set of files, a device that answers
// from a script, and a clock the test moves.
struct FakePlatform {
    std::set<std::string> files;
    std::vector<std::string> played;
    std::vector<std::string> commands;       // each with " [notify]" when a notice was asked for
    std::map<std::string, unsigned long> failing;  // command prefix -> error code
    std::deque<std::string> modes;           // answers of the mode queries; "stopped" when empty
    unsigned long clock = 0;
} platform;

void InstallFakePlatform()
{
    platform = FakePlatform();
    soundPlatform.fileExists = [](const char* path) { return platform.files.count(path) != 0; };
    soundPlatform.windowsDirectory = [](char* out, std::size_t size) { return snprintf(out, size, "C:\\windows") > 0; };
    soundPlatform.playWave = [](const char* path) { platform.played.push_back(path); };
    soundPlatform.sendCommand = [](const char* command, char* answer, std::size_t size, bool notify) {
        std::string text = command;
        platform.commands.push_back(text + (notify ? " [notify]" : ""));
        for (const auto& failing : platform.failing)
            if (text.compare(0, failing.first.size(), failing.first) == 0)
                return failing.second;
        if (answer && size > 0) {
            std::string mode = "stopped";
            if (!platform.modes.empty()) {
                mode = platform.modes.front();
                platform.modes.pop_front();
            }
            snprintf(answer, size, "%s", mode.c_str());
        }
        return 0ul;
    };
    soundPlatform.shortPath = [](const char* path, char* out, std::size_t size) {
        return std::string(path) == "C:\\My Music\\loop one.mid" &&
               snprintf(out, size, "C:\\MYMUSI~1\\LOOPON~1.MID") > 0;
    };
    soundPlatform.milliseconds = [] { return platform.clock; };
}

const std::string Device = "C:\\MYMUSI~1\\LOOPON~1.MID";

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ResetFakeFrontEnd();
        InstallFakePlatform();
        ASSERT_TRUE(SetProgramDirectory("C:\\game\\"));
        settings = Settings();
        ReadSettings(nullptr, &settings);  // every default, SoundFolder C:\game\Sound\ .
        settings.MIDI = "C:\\My Music\\loop one.mid";
    }
    std::vector<std::string> Commands()
    {
        std::vector<std::string> sent;
        sent.swap(platform.commands);
        return sent;
    }
};

// Every event with the default files, sound on, all of them in the sound folder.
TEST_F(SoundTest, EachEventPlaysItsDefaultFileFromTheSoundFolder)
{
    for (const char* name : {"tada.wav", "pin.wav", "ding.wav"})
        platform.files.insert(std::string("C:\\game\\Sound\\") + name);
    settings.Sound = 1;
    const struct {
        SoundEvent event;
        const char* played;  // null: silent
    } cases[] = {
        {SoundEvent::Start, "tada.wav"},         {SoundEvent::Click, "pin.wav"},
        {SoundEvent::HighScore, "tada.wav"},     {SoundEvent::Score, "tada.wav"},
        {SoundEvent::CampaignClear, "tada.wav"}, {SoundEvent::Message, "ding.wav"},
        {SoundEvent::Select, nullptr},           {SoundEvent::Disappear, nullptr},
    };
    for (const auto& c : cases) {
        platform.played.clear();
        PlayEventSound(c.event);
        EXPECT_EQ(platform.played, c.played ? std::vector<std::string>{std::string("C:\\game\\Sound\\") + c.played}
                                            : std::vector<std::string>{})
            << static_cast<int>(c.event);
    }
    // Ctrl+M switches them off, and on again.
    ToggleSound();
    platform.played.clear();
    PlayEventSound(SoundEvent::Click);
    EXPECT_TRUE(platform.played.empty());
    EXPECT_EQ(settings.Sound, 0);
    ToggleSound();
    EXPECT_EQ(settings.Sound, 1);
}

TEST_F(SoundTest, FileIsLookedUpInTheSoundFolderThenTheMediaFolder)
{
    const struct {
        const char* name;
        bool inFolder, inMedia, soundOn;
        const char* played;  // what Play event plays; TEST plays it whatever the switch
    } cases[] = {
        {"pin.wav", true, true, true, "C:\\game\\Sound\\pin.wav"},
        {"pin.wav", false, true, true, "C:\\windows\\media\\pin.wav"},
        {"pin.wav", false, false, true, nullptr},
        {"pin.wav", true, false, false, nullptr},
        {"", true, true, true, nullptr},
    };
    for (const auto& c : cases) {
        InstallFakePlatform();
        if (c.inFolder)
            platform.files.insert(std::string("C:\\game\\Sound\\") + c.name);
        if (c.inMedia)
            platform.files.insert(std::string("C:\\windows\\media\\") + c.name);
        settings.Sound = c.soundOn;
        settings.soundFiles[1] = c.name;
        PlayEventSound(SoundEvent::Click);
        EXPECT_EQ(platform.played, c.played ? std::vector<std::string>{c.played} : std::vector<std::string>{})
            << c.name << c.inFolder << c.inMedia << c.soundOn;
        platform.played.clear();
        PlaySoundFrom(settings.Path.c_str(), c.name);
        EXPECT_EQ(platform.played.size(), (c.inFolder || c.inMedia) && *c.name ? 1u : 0u) << c.name;
    }
}

TEST_F(SoundTest, RowsHoldTheLabelThenTheFileName)
{
    EXPECT_EQ(SoundRowText(2, "tada.wav"), "High Score      \ttada.wav");
    EXPECT_EQ(SoundRowText(7, ""), "Disappear       \t");
    for (int event = 0; event < SoundEventCount; ++event) {
        EXPECT_EQ(SoundRowText(event, "").size(), SoundRowLabelLength);
        EXPECT_EQ(SoundRowFile(SoundRowText(event, "x\x95\x5c.wav")), "x\x95\x5c.wav");
        EXPECT_EQ(SoundRowFile(SoundRowText(event, "")), "");
    }
}

TEST_F(SoundTest, MusicCommandsAreSentWithTheirExactTexts)
{
    settings.BGM = 1;
    const struct {
        void (*action)();
        const char* mode;   // what the mode query answers
        std::vector<std::string> sent;
    } steps[] = {
        {StartMusic, "", {"open " + Device + " type sequencer ", "play " + Device + "  notify [notify]"}},
        {PauseMusic, "playing", {"status  " + Device + " mode", "pause  " + Device}},
        {ResumeMusic, "paused", {"status  " + Device + " mode", "play  " + Device + " notify [notify]"}},
        {OnMusicNotice, "stopped", {"status " + Device + " mode", "play " + Device + " from 0 notify [notify]"}},
        {StopMusic, "", {"close " + Device}},
    };
    for (const auto& step : steps) {
        platform.modes = {step.mode};
        platform.clock += 40000;
        step.action();
        EXPECT_EQ(Commands(), step.sent);
    }
    // without a MusicFile nothing is sent at all
    settings.MIDI.clear();
    for (const auto& step : steps)
        step.action();
    EXPECT_TRUE(Commands().empty());
}

// Pause, resume and the notice that a piece ended act only on the mode they
// expect (a piece that plays, a paused one, one that ran to its end with the
// music on; those are above): else, and when the query fails, the query is
// all that is sent.
TEST_F(SoundTest, MusicActsOnlyOnTheModeItExpects)
{
    const struct {
        void (*action)();
        const char* mode;
        bool music, queryFails;
    } cases[] = {
        {PauseMusic, "paused", true, false},     {PauseMusic, "stopped", true, false},
        {PauseMusic, "playing", true, true},     {ResumeMusic, "playing", true, false},
        {ResumeMusic, "paused", true, true},     {OnMusicNotice, "paused", true, false},
        {OnMusicNotice, "playing", true, false}, {OnMusicNotice, "stopped", false, false},
    };
    for (const auto& c : cases) {
        InstallFakePlatform();
        settings.BGM = c.music;
        platform.modes = {c.mode};
        if (c.queryFails)
            platform.failing["status"] = 277;
        c.action();
        EXPECT_EQ(Commands().size(), 1u) << c.mode << c.music << c.queryFails;
    }
}

TEST_F(SoundTest, MusicThatCannotPlayIsSwitchedOffWithItsMessage)
{
    for (const char* failing : {"open", "play"}) {
        InstallFakePlatform();
        ResetFakeFrontEnd();
        settings.BGM = 1;
        platform.failing[failing] = 275;
        StartMusic();
        EXPECT_EQ(settings.BGM, 0) << failing;
        EXPECT_EQ(settings.MIDI, "C:\\My Music\\loop one.mid");
        EXPECT_EQ(fake.sounds, std::vector<SoundEvent>{SoundEvent::Message});
        EXPECT_EQ(fake.messages, std::vector<std::string>{"MIDI\x83\x74\x83\x40\x83\x43\x83\x8b\x82\xf0\x8d\xc4"
                                                          "\x90\xb6\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1"});
        // a failed play closes the device it opened
        EXPECT_EQ(Commands().back(),
                  std::string(failing) == "play" ? "close " + Device : "open " + Device + " type sequencer ");
    }
}

TEST_F(SoundTest, TheLoopRestartsAPieceThatEndedAsOftenAsItEnds)
{
    settings.BGM = 1;
    StartMusic();
    for (int loop = 0; loop < 10; ++loop) {
        Commands();
        platform.clock += 38400;
        OnMusicNotice();
        EXPECT_EQ(Commands().back(), "play " + Device + " from 0 notify [notify]") << loop;
    }
}

// The notices of replays that end at once (a file without notes, a device that
// answers every play with its notice) cannot keep the loop spinning.
TEST_F(SoundTest, ReplaysThatEndAtOnceStopTheLoop)
{
    settings.BGM = 1;
    StartMusic();
    int replays = 0;
    for (int notice = 0; notice < 100; ++notice) {
        Commands();
        OnMusicNotice();
        replays += Commands().size() == 2;
    }
    EXPECT_EQ(replays, QuickEndLimit);
    // a new start loops again
    StartMusic();
    platform.clock += 38400;
    Commands();
    OnMusicNotice();
    EXPECT_EQ(Commands().size(), 2u);
}

TEST_F(SoundTest, CtrlBStopsTheMusicOrAsksForAFile)
{
    // off again: the device is closed
    settings.BGM = 1;
    ToggleMusic();
    EXPECT_EQ(settings.BGM, 0);
    EXPECT_EQ(Commands(), std::vector<std::string>{"close " + Device});
    // on: the file dialog; cancelled, nothing changes
    ToggleMusic();
    EXPECT_EQ(settings.BGM, 0);
    EXPECT_TRUE(Commands().empty());
    // a chosen file becomes the MusicFile and plays
    fake.chosenFiles.push_back("C:\\My Music\\loop one.mid");
    settings.MIDI = "C:\\old.mid";
    ToggleMusic();
    EXPECT_EQ(settings.BGM, 1);
    EXPECT_EQ(settings.MIDI, "C:\\My Music\\loop one.mid");
    EXPECT_EQ(Commands().size(), 2u);
    EXPECT_EQ(CallCount("ChooseFile open MIDI File|*.mid;*.rmi|"), 2);
}

TEST(FolderPath, OnlyPlainFoldersAreListed)
{
    const struct {
        unsigned long attributes;
        const char* name;
        bool listed;
    } cases[] = {
        {0x10, "media", true},  {0x11, "media", false}, {0x12, "media", false}, {0x14, "media", false},
        {0x30, "media", false}, {0x410, "link", false}, {0x20, "a.wav", false}, {0x10, ".", false},
        {0x10, "..", false},    {0x10, "...", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsListedFolder(c.attributes, c.name), c.listed) << std::hex << c.attributes << c.name;
}

// 表 is 0x95 0x5C in Shift-JIS: its second byte is the backslash byte.
TEST(FolderPath, PathsWalkWholeCharacters)
{
    EXPECT_EQ(JoinItemNames({"C:\\", "windows", "media"}), "C:\\windows\\media\\");
    EXPECT_EQ(JoinItemNames({"Z:\\", "\x95\x5c"}), "Z:\\\x95\x5c\\");
    EXPECT_EQ(JoinItemNames({"Z:\\"}), "Z:\\");
    EXPECT_FALSE(EndsWithBackslash("\x95\x5c"));
    EXPECT_TRUE(EndsWithBackslash("\x95\x5c\\"));
    EXPECT_EQ(LowerShiftJis("C:\\ABC\\\x83\x41Z"), "c:\\abc\\\x83\x41z");  // アZ: the A-byte 0x41 is a second byte
    EXPECT_EQ(PastNextBackslash("\x95\x5c" "abc\\def\\"), "def\\");
    EXPECT_EQ(PastNextBackslash("abc"), "");
    const struct {
        const char* name;
        const char* rest;
        bool begins;
    } cases[] = {
        {"C:\\", "c:\\windows\\media\\", true}, {"Windows", "windows\\media\\", true},
        {"win", "windows\\media\\", false},     {"media", "media\\", true},
        {"media", "media", false},              {"\x95\x5c", "\x95\x5c\\x\\", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ItemBeginsPath(c.name, c.rest), c.begins) << c.name << " " << c.rest;
}

}  // namespace
