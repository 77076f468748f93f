// The shipped Hanabo.hlp: it is what make-help compiles the help source to, and
// it reads back as a sound WinHelp file whose contents jump to every topic and
// whose texts are the Japanese ones.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "tests/file_helpers.h"

// The build names the program; run by hand from the build directory, this finds it.
#ifndef MAKE_HELP
#define MAKE_HELP "./make-help"
#endif

namespace {

typedef std::string Bytes;

const std::string Source = std::string(__FILE__).substr(0, std::string(__FILE__).rfind("/tests/"));

uint32_t U16(const Bytes& b, std::size_t at)
{
    return static_cast<unsigned char>(b.at(at)) | static_cast<unsigned char>(b.at(at + 1)) << 8;
}
uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

// A small reader of what make-help writes: the internal files, the topics
// with their texts and jumps, and the context tree.

struct Paragraph {
    Bytes text;                   // its texts, the formatting commands left out
    std::vector<uint32_t> jumps;  // hashes of the jumps' topic ids
};

struct Topic {
    Bytes title;
    uint32_t offset;  // its topic offset (block × 0x8000 + characters before it)
    std::vector<Paragraph> paragraphs;
};

struct HelpFile {
    std::map<std::string, Bytes> files;  // internal files, without their 9-byte headers
    std::vector<Topic> topics;
    std::map<int32_t, uint32_t> contexts;  // hash → topic offset
    std::size_t topicBlocks = 0;
};

// The entries of a B+ tree of one leaf page, and their number.
Bytes LeafEntries(const Bytes& tree, uint32_t* count)
{
    *count = U16(tree, 38 + 2);
    return tree.substr(38 + 8);
}

Bytes Unpack(const Bytes& in)
{
    Bytes out;
    std::size_t i = 0;
    while (i < in.size()) {
        unsigned flags = static_cast<unsigned char>(in[i++]);
        for (int bit = 0; bit < 8 && i < in.size(); ++bit) {
            if (!(flags & (1u << bit))) {
                out.push_back(in[i++]);
                continue;
            }
            uint32_t pair = U16(in, i);
            i += 2;
            std::size_t distance = (pair & 0xFFF) + 1;
            if (distance > out.size())
                return out;
            for (std::size_t k = 0; k < (pair >> 12) + 3; ++k)
                out.push_back(out[out.size() - distance]);
        }
    }
    return out;
}

// A compressed (unsigned) short, stepping past it.
unsigned Compressed(const Bytes& b, std::size_t& at)
{
    unsigned first = static_cast<unsigned char>(b.at(at));
    unsigned v = first & 1 ? U16(b, at) >> 1 : first >> 1;
    at += first & 1 ? 2 : 1;
    return v;
}

// One display record: paragraph settings, then strings and commands in turn.
bool ReadParagraph(const Bytes& data1, const Bytes& data2, Paragraph& paragraph, unsigned* characters)
{
    std::size_t at = 2;
    *characters = Compressed(data1, at);
    at += 4;  // two unknown bytes and the paragraph id
    unsigned bits = U16(data1, at);
    at += 2;
    for (unsigned bit : {0x02u, 0x04u, 0x08u, 0x10u, 0x20u, 0x40u})
        if (bits & bit)
            Compressed(data1, at);
    if (bits & 0x0200)
        for (unsigned stops = Compressed(data1, at) - 0x40; stops > 0; --stops)
            if (Compressed(data1, at) & 0x4000)
                Compressed(data1, at);
    for (char c : data2)
        if (c)
            paragraph.text += c;
    while (at < data1.size()) {
        unsigned command = static_cast<unsigned char>(data1[at++]);
        if (command == 0xFF)
            return true;
        if (command == 0x80)
            at += 2;  // font
        else if (command == 0xE3) {
            paragraph.jumps.push_back(U32(data1, at));
            at += 4;
        } else if (command != 0x82 && command != 0x83 && command != 0x89)
            return false;  // only paragraph ends, tabs and jump ends remain
    }
    return false;
}

// Follows the chain of topic links through the topic blocks.
bool ReadTopics(const Bytes& topicFile, HelpFile& help)
{
    const std::size_t BlockSize = 4096;
    help.topicBlocks = topicFile.size() / BlockSize;
    std::vector<Bytes> blocks;
    for (std::size_t b = 0; b < help.topicBlocks; ++b)
        blocks.push_back(Unpack(topicFile.substr(b * BlockSize + 12, BlockSize - 12)));
    std::size_t block = static_cast<std::size_t>(-1);
    unsigned characters = 0;
    for (uint32_t position = 12; position != 0xFFFFFFFF;) {
        std::size_t b = (position - 12) / 0x4000;
        std::size_t offset = (position - 12) % 0x4000;
        if (b >= blocks.size() || offset + 21 > blocks[b].size())
            return false;
        if (b != block) {
            block = b;
            characters = 0;
        }
        const Bytes& data = blocks[b];
        uint32_t length2 = U32(data, offset + 4);
        uint32_t length1 = U32(data, offset + 16);
        Bytes data1 = data.substr(offset + 21, length1 - 21);
        Bytes data2 = data.substr(offset + length1, length2);
        if (data[offset + 20] == 0x02) {
            help.topics.push_back(Topic{data2.substr(0, data2.find('\0')),
                                        static_cast<uint32_t>(b * 0x8000 + characters), {}});
        } else {
            Paragraph paragraph;
            unsigned count = 0;
            if (help.topics.empty() || !ReadParagraph(data1, data2, paragraph, &count))
                return false;
            characters += count;
            help.topics.back().paragraphs.push_back(paragraph);
        }
        position = U32(data, offset + 12);
    }
    return true;
}

bool ReadHelpFile(const Bytes& file, HelpFile& help)
{
    if (file.size() < 16 || U32(file, 0) != 0x00035F3Fu)
        return false;
    auto internal = [&](uint32_t at) { return file.substr(at + 9, U32(file, at + 4)); };
    uint32_t count = 0;
    Bytes entries = LeafEntries(internal(U32(file, 4)), &count);
    std::size_t at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        std::string name(entries.c_str() + at);
        help.files[name] = internal(U32(entries, at + name.size() + 1));
        at += name.size() + 5;
    }
    if (!ReadTopics(help.files["|TOPIC"], help))
        return false;
    entries = LeafEntries(help.files["|CONTEXT"], &count);
    for (uint32_t i = 0; i < count; ++i)
        help.contexts[static_cast<int32_t>(U32(entries, i * 8))] = U32(entries, i * 8 + 4);
    return true;
}

uint32_t Hash(const std::string& id)
{
    uint32_t h = 0;
    for (char c : id) {
        uint32_t x = 0;
        if (c >= 'a' && c <= 'z')
            x = static_cast<uint32_t>(c - 'a' + 17);
        else if (c >= '1' && c <= '9')
            x = static_cast<uint32_t>(c - '0');
        h = h * 43 + x;
    }
    return h;
}

}  // namespace

TEST(MakeHelp, ShippedHelpFileIsWhatTheSourceCompilesTo)
{
    std::string out = TempPath("shipped.hlp");
    ProgramRun r =
        RunProgram(std::string(MAKE_HELP) + " '" + Source + "/resources/help/hanabo_help.txt' '" + out + "'");
    ASSERT_EQ(0, r.status) << r.err;
    Bytes made = Slurp(out);
    Bytes shipped = Slurp(Source + "/resources/ship/Hanabo.hlp");
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(made == shipped) << "rebuild resources/ship/Hanabo.hlp with make-help";
}

TEST(MakeHelp, ShippedHelpFileReadsBackWithJumpsToEveryTopicAndJapaneseTexts)
{
    HelpFile help;
    ASSERT_TRUE(ReadHelpFile(Slurp(Source + "/resources/ship/Hanabo.hlp"), help));
    const Bytes& system = help.files["|SYSTEM"];
    std::map<unsigned, Bytes> records;
    for (std::size_t at = 12; at + 4 <= system.size(); at += 4 + U16(system, at + 2))
        records[U16(system, at)] = system.substr(at + 4, U16(system, at + 2));
    EXPECT_EQ(Bytes("Hanabo32", 9), records[1]);
    ASSERT_FALSE(records[11].empty());
    EXPECT_EQ(128, static_cast<unsigned char>(records[11][0])) << "Shift-JIS charset";

    ASSERT_EQ(13u, help.topics.size()) << "the contents and twelve sections";
    EXPECT_EQ("Hanabo32 Help", help.topics[0].title);
    EXPECT_EQ(0u, help.contexts[static_cast<int32_t>(Hash("contents"))]);
    EXPECT_GT(help.topicBlocks, 1u) << "the help spans several topic blocks";

    // The contents jump to every other topic in turn, each jump before any
    // double-byte text, where Wine's viewer can place it.
    std::vector<uint32_t> reached;
    bool doubleByte = false;
    for (const Paragraph& p : help.topics[0].paragraphs) {
        if (!p.jumps.empty()) {
            EXPECT_FALSE(doubleByte) << p.text;
            reached.push_back(help.contexts.at(static_cast<int32_t>(p.jumps.at(0))));
        }
        for (char c : p.text)
            doubleByte = doubleByte || static_cast<unsigned char>(c) >= 0x80;
    }
    ASSERT_EQ(help.topics.size() - 1, reached.size());
    for (std::size_t t = 1; t < help.topics.size(); ++t)
        EXPECT_EQ(help.topics[t].offset, reached[t - 1]) << t;
    EXPECT_EQ(Bytes("\x97\x56\x82\xd1\x95\xfb"), help.topics[1].title.substr(0, 6)) << "遊び方 (How to play) first";

    Bytes all;
    for (const Topic& topic : help.topics)
        for (const Paragraph& p : topic.paragraphs)
            all += p.text + "\n";
    for (const Bytes& expected : {
             Bytes("\x93\xaf\x82\xb6\x96\xca\x82\xc5\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81"
                   "\x48"),  // 同じ面でやり直しますか？
             Bytes("New(&N)Ctrl+N"), Bytes("Esc"), Bytes("Road.bmp"), Bytes("Billiards32.bmp"),
             Bytes("Hanabo.bak"), Bytes("Hanabo.ini"), Bytes("Hanabo.sta"), Bytes(".tgw")})
        EXPECT_NE(Bytes::npos, all.find(expected)) << expected;
}
