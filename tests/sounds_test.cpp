// Tests of the committed sounds and music: the generator rebuilds them byte for
// byte, the waves are clean 16-bit PCM, and the music is a loop of whole bars.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/file_helpers.h"

namespace fs = std::filesystem;

const fs::path Ship = fs::path(__FILE__).parent_path().parent_path() / "resources" / "ship";

const char* const Waves[] = {"tada.wav", "pin.wav", "ding.wav", "kira.wav", "poof.wav"};

static unsigned Le(const std::string& b, std::size_t at, int bytes)
{
    unsigned v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

TEST(Sounds, GeneratorRebuildsTheCommittedFilesByteForByte)
{
    ASSERT_TRUE(fs::exists("make-sounds")) << "make-sounds is not built";
    const std::string out = TempPath("sounds");
    fs::remove_all(out);
    ASSERT_EQ(std::system(("./make-sounds '" + out + "'").c_str()), 0);
    for (const char* name : Waves)
        EXPECT_EQ(Slurp(out + "/Sound/" + name), Slurp((Ship / "Sound" / name).string())) << name;
    EXPECT_EQ(Slurp(out + "/Hanabo.mid"), Slurp((Ship / "Hanabo.mid").string()));
    for (const auto& entry : fs::directory_iterator(Ship / "Sound"))
        EXPECT_TRUE(fs::exists(out + "/Sound/" + entry.path().filename().string())) << entry.path();
    fs::remove_all(out);
}

TEST(Sounds, WavesAreShortCleanMonoPcm)
{
    for (const char* name : Waves) {
        const std::string b = Slurp((Ship / "Sound" / name).string());
        ASSERT_GT(b.size(), 44u) << name;
        EXPECT_EQ(b.substr(0, 4), "RIFF");
        EXPECT_EQ(b.substr(8, 8), "WAVEfmt ");
        EXPECT_EQ(Le(b, 20, 2), 1u) << name;   // PCM
        EXPECT_EQ(Le(b, 22, 2), 1u) << name;   // mono
        EXPECT_EQ(Le(b, 34, 2), 16u) << name;  // 16-bit
        const unsigned rate = Le(b, 24, 4), bytes = Le(b, 40, 4);
        ASSERT_EQ(bytes + 44, b.size()) << name;
        EXPECT_LE(bytes / 2, rate * 3 / 2) << name;  // at most a second and a half
        // no click: silence at both ends, no sample jumps far, and headroom left
        const std::size_t n = bytes / 2;
        auto sample = [&](std::size_t i) { return static_cast<std::int16_t>(Le(b, 44 + 2 * i, 2)); };
        EXPECT_EQ(sample(0), 0) << name;
        EXPECT_EQ(sample(n - 1), 0) << name;
        int peak = 0, jump = 0;
        for (std::size_t i = 0; i < n; ++i) {
            peak = std::max(peak, std::abs(static_cast<int>(sample(i))));
            if (i > 0)
                jump = std::max(jump, std::abs(sample(i) - sample(i - 1)));
        }
        EXPECT_GT(peak, 8000) << name;
        EXPECT_LT(peak, 30000) << name;
        EXPECT_LT(jump, 16000) << name;
    }
}

// Every track of the piece ends on the same tick, a whole number of bars
// between 30 and 60 seconds, with every note ended: the loop joins cleanly.
TEST(Sounds, MusicIsAWholeNumberOfBarsWithEveryNoteEnded)
{
    const std::string d = Slurp((Ship / "Hanabo.mid").string());
    ASSERT_EQ(d.substr(0, 4), "MThd");
    auto be = [&](std::size_t at, int bytes) {
        unsigned v = 0;
        for (int i = 0; i < bytes; ++i)
            v = (v << 8) | static_cast<unsigned char>(d[at + i]);
        return v;
    };
    const unsigned tracks = be(10, 2), division = be(12, 2);
    EXPECT_GE(tracks, 4u);
    std::size_t p = 14;
    unsigned tempo = 500000;
    for (unsigned t = 0; t < tracks; ++t) {
        ASSERT_EQ(d.substr(p, 4), "MTrk");
        const std::size_t end = p + 8 + be(p + 4, 4);
        ASSERT_LE(end, d.size());
        std::size_t q = p + 8;
        unsigned tick = 0;
        int sounding = 0, lastMeta = -1;
        while (q < end) {
            unsigned delta = 0;
            unsigned char c;
            do {
                c = static_cast<unsigned char>(d[q++]);
                delta = (delta << 7) | (c & 0x7F);
            } while (c & 0x80);
            tick += delta;
            const unsigned char status = static_cast<unsigned char>(d[q]);
            if (status == 0xFF) {
                lastMeta = static_cast<unsigned char>(d[q + 1]);
                if (lastMeta == 0x51)
                    tempo = be(q + 3, 3);
                q += 3 + static_cast<unsigned char>(d[q + 2]);
                continue;
            }
            lastMeta = -1;
            const int kind = status & 0xF0;
            if (kind == 0x90 && d[q + 2] != 0)
                ++sounding;
            else if (kind == 0x80)
                --sounding;
            q += kind == 0xC0 || kind == 0xD0 ? 2 : 3;
        }
        EXPECT_EQ(lastMeta, 0x2F) << "track " << t;
        EXPECT_EQ(sounding, 0) << "track " << t;
        EXPECT_EQ(tick % (4 * division), 0u) << "track " << t;
        const double seconds = tick / static_cast<double>(division) * tempo / 1e6;
        EXPECT_GE(seconds, 30.0) << "track " << t;
        EXPECT_LE(seconds, 60.0) << "track " << t;
        p = end;
    }
}

