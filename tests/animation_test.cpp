// The animations of the animated tile sets: which frame of which band each
// tick shows, the sounds that start a loop, pausing, and the end of a vanishing.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/animation.h"
#include "display/tile_set.h"
#include "tests/game_helpers.h"

// Tile 2 forms a group of three at the top left; the rest stay alone.
const std::vector<std::string> Sheet = {"2213", "2314", "1345"};

// A game with an animated set of `frames` frames (as the loader leaves
// FrameCount: doubled less 2 under PingPong).
static void AnimatedGame(int kind, int frames, bool pingPong = false, bool skipFirstFrame = false)
{
    FreshGame(4, 3, kind);
    tileSet = TileSet();
    tileSetInfo.kind = kind;
    tileSetInfo.pingPong = pingPong;
    tileSetInfo.frameCount = pingPong ? 2 * frames - 2 : frames;
    settings = Settings();
    settings.AnimBMPOption = skipFirstFrame ? 1 : 0;
    SetRows(Sheet);
}

// The frames drawn so far, and forgets them.
static std::vector<std::string> TakeFrames()
{
    std::vector<std::string> frames = fake.animationFrames;
    fake.animationFrames.clear();
    return frames;
}

// Frames of the next n ticks.
static std::vector<std::string> Ticks(int n)
{
    for (int i = 0; i < n; ++i)
        AnimationTick();
    return TakeFrames();
}

TEST(Animation, SelectionStartsAtOnceOnTheGroupAloneAndOnlyOnce)
{
    AnimatedGame(TileSetAnimated32, 4);
    HoverAt(0, 0, 0);
    // The first frame is shown at once, on every marked cell and no other.
    EXPECT_EQ(TakeFrames(), (std::vector<std::string>{"3 0"}));
    std::vector<std::string> drawn;
    for (const std::string& call : fake.calls)
        if (call.rfind("DrawCell", 0) == 0)
            drawn.push_back(call);
    EXPECT_EQ(drawn, (std::vector<std::string>{"DrawCell 0 0", "DrawCell 1 0", "DrawCell 0 1"}));
    EXPECT_TRUE(fake.timerRunning);

    // The pointer moving within the group does not start it again.
    EXPECT_EQ(Ticks(1), (std::vector<std::string>{"3 1"}));
    HoverAt(40, 0, 0);
    EXPECT_TRUE(TakeFrames().empty());
    EXPECT_EQ(Ticks(1), (std::vector<std::string>{"3 2"}));
}

// The frames of the selection loop (the one shown at once, then a tick's
// each) and its Select sounds, then those of the vanishing after a click (the
// one shown at the click, then the ticks until the timer stops): frame 0 skipped or
// not, PingPong, and the 24-pixel sets' three bands a tile. A 4-frame strip
// under PingPong vanishes through 0, 2 and then 4, a frame past the strip
// that the front end leaves undrawn.
TEST(Animation, FramesOfEveryKindOfStrip)
{
    using Frames = std::vector<std::string>;
    const struct {
        int kind, frames;
        bool pingPong, skipFirstFrame;
        Frames selection;  // none: not looked at
        int selects;
        Frames vanishing;
    } cases[] = {
        {TileSetAnimated32, 4, false, false, {"3 0", "3 1", "3 2", "3 3", "3 0", "3 1"}, 2, {}},
        {TileSetAnimated32, 4, false, true, {"3 1", "3 2", "3 3", "3 1", "3 2", "3 3"}, 2, {}},
        {TileSetAnimated32, 4, true, false, {"3 0", "3 1", "3 2", "3 3", "3 2", "3 1", "3 0"}, 2, {"4 0", "4 2", "4 4"}},
        {TileSetAnimated32, 4, true, true, {}, 0, {"4 1", "4 3", "4 5"}},
        {TileSetAnimated24, 3, false, false, {"5 0", "5 1", "5 2"}, 1, {"6 0", "6 2"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind << " " << c.frames << " " << c.pingPong << c.skipFirstFrame);
        AnimatedGame(c.kind, c.frames, c.pingPong, c.skipFirstFrame);
        HoverAt(0, 0, 0);
        if (!c.selection.empty()) {
            Frames shown = TakeFrames();
            for (const std::string& frame : Ticks(static_cast<int>(c.selection.size()) - 1))
                shown.push_back(frame);
            EXPECT_EQ(shown, c.selection);
            EXPECT_EQ(std::count(fake.sounds.begin(), fake.sounds.end(), SoundEvent::Select), c.selects);
        }
        if (c.vanishing.empty())
            continue;
        ClickAt(0, 0);
        Frames shown = {TakeFrames().back()};
        for (int tick = 0; tick < 3 && ui.timerRunning; ++tick)
            for (const std::string& frame : Ticks(1))
                shown.push_back(frame);
        EXPECT_EQ(shown, c.vanishing);
        EXPECT_EQ(game.moveIndex, 1);
    }
}

TEST(Animation, VanishingShowsEverySecondFrameThenRemovesTheGroup)
{
    AnimatedGame(TileSetAnimated32, 6);
    settings.AnimIntrvl = 70;
    HoverAt(0, 0, 0);
    EXPECT_EQ(fake.timerInterval, 70);
    TakeFrames();
    fake.sounds.clear();
    ClickAt(32, 0);
    EXPECT_EQ(ui.animState, AnimState::Vanishing);
    EXPECT_EQ(TakeFrames(), (std::vector<std::string>{"4 0"}));
    EXPECT_EQ(fake.sounds, (std::vector<SoundEvent>{SoundEvent::Click, SoundEvent::Disappear}));
    // While the group vanishes the pointer changes nothing.
    HoverAt(3 * 32, 2 * 32, 0);
    EXPECT_EQ(ui.selection.size, 3);
    EXPECT_EQ(Ticks(2), (std::vector<std::string>{"4 2", "4 4"}));
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_EQ(Rows()[0], "MM13");

    // The third tick draws nothing and clicks the anchor: the group goes.
    EXPECT_TRUE(Ticks(1).empty());
    EXPECT_EQ(Rows(), (std::vector<std::string>{"0013", "0314", "1345"}));
    EXPECT_EQ(game.moveIndex, 1);
    EXPECT_EQ(game.moves[1].column, 1);
    EXPECT_EQ(game.moves[1].row, 0);
    EXPECT_EQ(ui.animState, AnimState::Idle);
    EXPECT_FALSE(ui.timerRunning);
    EXPECT_EQ(fake.sounds, (std::vector<SoundEvent>{SoundEvent::Click, SoundEvent::Disappear, SoundEvent::Click}));
}

TEST(Animation, SelectionStopsWhileABarCoversTheBoard)
{
    AnimatedGame(TileSetAnimated32, 4);
    HoverAt(0, 0, 0);
    TakeFrames();
    fake.sounds.clear();
    fake.animationPaused = true;
    EXPECT_TRUE(Ticks(1).empty());
    EXPECT_FALSE(ui.timerRunning);
    EXPECT_TRUE(fake.sounds.empty());
    EXPECT_EQ(Rows()[0], "MM13");  // the group stays marked on its last frame

    // The next highlighting starts it again.
    fake.animationPaused = false;
    HoverAt(3 * 32, 2 * 32, 0);
    HoverAt(0, 0, 0);
    EXPECT_EQ(TakeFrames(), (std::vector<std::string>{"3 0"}));
    EXPECT_TRUE(ui.timerRunning);
}

TEST(Animation, OneFrameStripsAndSetsWithoutFrames)
{
    // One frame: every tick starts a loop and plays the Select sound.
    AnimatedGame(TileSetAnimated32, 1, false, true);
    HoverAt(0, 0, 0);
    Ticks(3);
    EXPECT_EQ(std::count(fake.sounds.begin(), fake.sounds.end(), SoundEvent::Select), 4);
    EXPECT_TRUE(ui.timerRunning);

    // A set with no frames at all animates nothing and divides by nothing.
    AnimatedGame(TileSetAnimated32, 0);
    HoverAt(0, 0, 0);
    EXPECT_TRUE(Ticks(2).empty());
    EXPECT_FALSE(ui.timerRunning);
}

TEST(Animation, TimerThatOutlivesItsGroupEnds)
{
    // A plain set loaded while the group vanishes: the next tick removes it.
    AnimatedGame(TileSetAnimated32, 4);
    HoverAt(0, 0, 0);
    ClickAt(0, 0);
    tileSetInfo.kind = TileSetPlain;
    Ticks(1);
    EXPECT_EQ(game.moveIndex, 1);
    EXPECT_EQ(ui.animState, AnimState::Idle);

    // The marks stripped under a vanishing group (a full repaint): the
    // deferred click finds nothing, and the timer does not tick on.
    AnimatedGame(TileSetAnimated32, 2);
    HoverAt(0, 0, 0);
    ClickAt(0, 0);
    for (unsigned char& cell : board.cells)
        cell &= CellTileMask;
    Ticks(2);
    EXPECT_EQ(game.moveIndex, 0);
    EXPECT_EQ(ui.animState, AnimState::Idle);
    EXPECT_FALSE(ui.timerRunning);
}
