// make-help as its users meet it: the shipped Hanabo.hlp is what the help source
// compiles to, and every help file it writes reads back as a sound WinHelp file.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// The build names the program and the source tree; run by hand from the build
// directory, these defaults find them.
#ifndef MAKE_HELP
#define MAKE_HELP "./make-help"
#endif

namespace {

typedef std::string Bytes;

std::string SourceDirectory()
{
#ifdef HANABO_SOURCE_DIR
    return HANABO_SOURCE_DIR;
#else
    std::string file = __FILE__;
    return file.substr(0, file.rfind("/tests/"));
#endif
}

Bytes ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteFile(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// Per process: ctest runs the tests of this file side by side.
std::string TempPath(const std::string& name)
{
    return ::testing::TempDir() + "make_help_" + std::to_string(getpid()) + "_" + name;
}

struct ToolRun {
    int status;
    std::string err;
};

ToolRun MakeHelp(const std::string& source, const std::string& output)
{
    std::string err = TempPath("err");
    std::string command = std::string(MAKE_HELP) + " '" + source + "' '" + output + "' 2>'" + err + "'";
    int raw = std::system(command.c_str());
    return ToolRun{WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(err)};
}

// Compiles help source text; the help file's bytes, empty on failure.
Bytes Compile(const std::string& source, ToolRun* run = nullptr)
{
    std::string in = TempPath("source.txt");
    std::string out = TempPath("out.hlp");
    std::remove(out.c_str());
    WriteFile(in, source);
    ToolRun r = MakeHelp(in, out);
    if (run)
        *run = r;
    return r.status == 0 ? ReadFile(out) : Bytes();
}

uint32_t U16(const Bytes& b, std::size_t at)
{
    return static_cast<unsigned char>(b.at(at)) | static_cast<unsigned char>(b.at(at + 1)) << 8;
}
uint32_t U32(const Bytes& b, std::size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }

// ---------------------------------------------------------------------------
// A reader of what make-help writes, written from the format's description:
// it checks every size it meets and records what it finds.

struct Paragraph {
    std::vector<Bytes> strings;  // the texts between the formatting commands
    std::vector<uint32_t> jumps;  // hashes of the jumps' topic ids
    Bytes Text() const
    {
        Bytes all;
        for (const Bytes& s : strings)
            all += s;
        return all;
    }
};

struct Topic {
    Bytes title;
    uint32_t offset;  // its topic offset (block × 0x8000 + characters before it)
    uint32_t browseBack, browseForward;
    std::vector<Paragraph> paragraphs;
};

struct HelpFile {
    std::map<std::string, Bytes> files;  // internal files, without their 9-byte headers
    std::vector<Topic> topics;
    std::map<int32_t, uint32_t> contexts;  // hash → topic offset
    std::map<uint32_t, Bytes> titles;      // topic offset → title
    std::size_t topicBlocks = 0;
};

// Reads a B+ tree of one leaf page; returns its entries' bytes, one string for all.
bool ReadLeaf(const Bytes& tree, uint16_t flags, uint16_t pageSize, const char* structure, uint32_t* count,
              Bytes* entries)
{
    EXPECT_EQ(0x293Bu, U16(tree, 0));
    EXPECT_EQ(flags, U16(tree, 2));
    EXPECT_EQ(pageSize, U16(tree, 4));
    EXPECT_EQ(std::string(structure), std::string(tree.c_str() + 6));
    EXPECT_EQ(1u, U16(tree, 30));  // pages
    EXPECT_EQ(1u, U16(tree, 32));  // levels
    if (tree.size() != 38u + pageSize)
        return false;
    *count = U32(tree, 34);
    EXPECT_EQ(*count, U16(tree, 38 + 2));
    EXPECT_EQ(0xFFFFu, U16(tree, 38 + 4));
    EXPECT_EQ(0xFFFFu, U16(tree, 38 + 6));
    std::size_t unused = U16(tree, 38);
    *entries = tree.substr(38 + 8, pageSize - 8 - unused);
    return true;
}

Bytes Unpack(const Bytes& in)
{
    Bytes out;
    std::size_t i = 0;
    while (i < in.size()) {
        unsigned flags = static_cast<unsigned char>(in[i++]);
        for (int bit = 0; bit < 8 && i < in.size(); ++bit) {
            if (flags & (1u << bit)) {
                if (i + 1 >= in.size())
                    return out;
                uint32_t pair = U16(in, i);
                i += 2;
                std::size_t distance = (pair & 0xFFF) + 1;
                std::size_t length = (pair >> 12) + 3;
                if (distance > out.size())
                    return Bytes("bad distance");
                for (std::size_t k = 0; k < length; ++k)
                    out.push_back(out[out.size() - distance]);
            } else {
                out.push_back(in[i++]);
            }
        }
    }
    return out;
}

unsigned CompressedUShort(const Bytes& b, std::size_t& at)
{
    unsigned first = static_cast<unsigned char>(b.at(at));
    if (first & 1) {
        unsigned v = U16(b, at) >> 1;
        at += 2;
        return v;
    }
    ++at;
    return first >> 1;
}

int CompressedShort(const Bytes& b, std::size_t& at)
{
    unsigned first = static_cast<unsigned char>(b.at(at));
    if (first & 1) {
        int v = static_cast<int>(U16(b, at) >> 1) - 0x4000;
        at += 2;
        return v;
    }
    ++at;
    return static_cast<int>(first >> 1) - 0x40;
}

// One display record: paragraph settings, then strings and commands in turn.
bool ReadParagraph(const Bytes& data1, const Bytes& data2, Paragraph& paragraph, unsigned* characters)
{
    std::size_t at = 0;
    EXPECT_EQ(0u, U16(data1, at) & 1) << "sizes this small take the 2-byte form";
    unsigned size = (U16(data1, at) >> 1) - 0x4000;
    at += 2;
    EXPECT_EQ(data2.size(), size);
    *characters = CompressedUShort(data1, at);
    at += 4;  // two unknown bytes and the paragraph id
    unsigned bits = U16(data1, at);
    at += 2;
    EXPECT_EQ(0u, bits & 0xE081) << "only spacing, indents and tabs are written";
    for (unsigned bit : {0x02u, 0x04u, 0x08u, 0x10u, 0x20u, 0x40u})
        if (bits & bit)
            CompressedShort(data1, at);
    if (bits & 0x0200) {
        int stops = CompressedShort(data1, at);
        EXPECT_GE(stops, 1);
        for (int i = 0; i < stops; ++i)
            if (CompressedUShort(data1, at) & 0x4000)
                CompressedUShort(data1, at);
    }
    std::size_t text = 0;
    for (;;) {
        std::size_t end = data2.find('\0', text);
        if (end == std::string::npos)
            return false;
        paragraph.strings.push_back(data2.substr(text, end - text));
        text = end + 1;
        if (at >= data1.size())
            return false;
        unsigned command = static_cast<unsigned char>(data1[at++]);
        if (command == 0xFF)
            break;
        switch (command) {
        case 0x80: at += 2; break;  // font
        case 0x82:                   // end of paragraph
        case 0x83:                   // tab
        case 0x89: break;            // end of a jump
        case 0xE3:
            paragraph.jumps.push_back(U32(data1, at));
            at += 4;
            break;
        default:
            ADD_FAILURE() << "unexpected command " << command;
            return false;
        }
    }
    EXPECT_EQ(data1.size(), at) << "nothing after the end of the commands";
    EXPECT_EQ(data2.size(), text) << "every text is followed by a command";
    EXPECT_EQ(0x82, static_cast<unsigned char>(data1[at - 2])) << "a paragraph ends as a paragraph";
    return true;
}

bool ReadTopics(const Bytes& topicFile, HelpFile& help)
{
    const std::size_t BlockSize = 4096;
    EXPECT_EQ(0u, topicFile.size() % BlockSize);
    help.topicBlocks = topicFile.size() / BlockSize;
    std::vector<Bytes> blocks;
    for (std::size_t b = 0; b < help.topicBlocks; ++b) {
        Bytes unpacked = Unpack(topicFile.substr(b * BlockSize + 12, BlockSize - 12));
        EXPECT_LE(unpacked.size(), 0x4000u) << "block " << b;
        blocks.push_back(unpacked);
        EXPECT_EQ(0x4000 * b + 12, U32(topicFile, b * BlockSize + 4)) << "each block starts with a link";
    }
    uint32_t position = 12;
    uint32_t previous = 0xFFFFFFFF;
    std::size_t block = static_cast<std::size_t>(-1);
    unsigned characters = 0;
    int links = 0;
    while (position != 0xFFFFFFFF) {
        if (++links > 100000)
            return false;
        std::size_t b = (position - 12) / 0x4000;
        std::size_t offset = (position - 12) % 0x4000;
        if (b >= blocks.size() || offset + 21 > blocks[b].size())
            return false;
        if (b != block) {
            block = b;
            characters = 0;
        }
        const Bytes& data = blocks[b];
        uint32_t blockSize = U32(data, offset);
        uint32_t length2 = U32(data, offset + 4);
        uint32_t length1 = U32(data, offset + 16);
        EXPECT_EQ(previous, U32(data, offset + 8));
        if (offset + blockSize > data.size() || length1 < 21 || length1 + length2 != blockSize)
            return false;
        Bytes data1 = data.substr(offset + 21, length1 - 21);
        Bytes data2 = data.substr(offset + length1, length2);
        unsigned record = static_cast<unsigned char>(data[offset + 20]);
        if (record == 0x02) {
            EXPECT_EQ(28u, data1.size());
            EXPECT_FALSE(data2.empty());
            if (data2.empty())
                return false;
            EXPECT_EQ('\0', data2.back());
            Topic topic;
            topic.title = data2.substr(0, data2.size() - 1);
            topic.offset = static_cast<uint32_t>(b * 0x8000 + characters);
            topic.browseBack = U32(data1, 4);
            topic.browseForward = U32(data1, 8);
            EXPECT_EQ(help.topics.size(), U32(data1, 12));
            help.topics.push_back(topic);
        } else if (record == 0x20) {
            if (help.topics.empty())
                return false;
            Paragraph paragraph;
            unsigned count = 0;
            if (!ReadParagraph(data1, data2, paragraph, &count))
                return false;
            EXPECT_EQ(data2.size(), count);
            characters += count;
            help.topics.back().paragraphs.push_back(paragraph);
        } else {
            ADD_FAILURE() << "record type " << record;
            return false;
        }
        previous = position;
        position = U32(data, offset + 12);
    }
    return true;
}

// Reads the whole file, failing the test at the first fault of its structure.
bool ReadHelpFile(const Bytes& file, HelpFile& help)
{
    if (file.size() < 16)
        return false;
    EXPECT_EQ(0x00035F3Fu, U32(file, 0));
    EXPECT_EQ(0xFFFFFFFFu, U32(file, 8)) << "no free list";
    EXPECT_EQ(file.size(), U32(file, 12));
    auto internal = [&](uint32_t at, Bytes* content) {
        if (at + 9 > file.size())
            return false;
        uint32_t reserved = U32(file, at);
        uint32_t used = U32(file, at + 4);
        EXPECT_EQ(reserved, used + 9);
        if (at + reserved > file.size() || reserved != used + 9)
            return false;
        *content = file.substr(at + 9, used);
        return true;
    };
    Bytes directory;
    uint32_t count = 0;
    Bytes entries;
    if (!internal(U32(file, 4), &directory) || !ReadLeaf(directory, 0x0402, 1024, "z4", &count, &entries))
        return false;
    std::size_t at = 0;
    std::string last;
    for (uint32_t i = 0; i < count; ++i) {
        std::string name(entries.c_str() + at);
        at += name.size() + 1;
        EXPECT_LT(last, name) << "the directory is sorted";
        last = name;
        Bytes content;
        if (!internal(U32(entries, at), &content))
            return false;
        at += 4;
        help.files[name] = content;
    }
    EXPECT_EQ(entries.size(), at);
    for (const char* name : {"|CONTEXT", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"})
        if (!help.files.count(name)) {
            ADD_FAILURE() << "no " << name;
            return false;
        }

    if (!ReadTopics(help.files["|TOPIC"], help))
        return false;
    if (!ReadLeaf(help.files["|CONTEXT"], 0x0002, 2048, "L4", &count, &entries))
        return false;
    EXPECT_EQ(count * 8u, entries.size());
    for (uint32_t i = 0; i < count; ++i)
        help.contexts[static_cast<int32_t>(U32(entries, i * 8))] = U32(entries, i * 8 + 4);
    for (uint32_t i = 1; i < count; ++i)
        EXPECT_LT(static_cast<int32_t>(U32(entries, (i - 1) * 8)), static_cast<int32_t>(U32(entries, i * 8)));
    if (!ReadLeaf(help.files["|TTLBTREE"], 0x0002, 2048, "Lz", &count, &entries))
        return false;
    at = 0;
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t offset = U32(entries, at);
        Bytes title(entries.c_str() + at + 4);
        help.titles[offset] = title;
        at += 4 + title.size() + 1;
    }
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
    ToolRun r = MakeHelp(SourceDirectory() + "/resources/help/hanabo_help.txt", out);
    ASSERT_EQ(0, r.status) << r.err;
    Bytes made = ReadFile(out);
    Bytes shipped = ReadFile(SourceDirectory() + "/resources/ship/Hanabo.hlp");
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(made == shipped) << "rebuild resources/ship/Hanabo.hlp with make-help";
}

TEST(MakeHelp, ShippedHelpFileReadsBackWithTitleCharsetFontAndJapaneseTexts)
{
    HelpFile help;
    ASSERT_TRUE(ReadHelpFile(ReadFile(SourceDirectory() + "/resources/ship/Hanabo.hlp"), help));

    const Bytes& system = help.files["|SYSTEM"];
    EXPECT_EQ(0x036Cu, U16(system, 0));
    EXPECT_EQ(21u, U16(system, 2));  // Windows 3.1
    EXPECT_EQ(1u, U16(system, 4));
    EXPECT_EQ(4u, U16(system, 10));  // LZ77, 4 KB topic blocks
    std::map<unsigned, Bytes> records;
    for (std::size_t at = 12; at + 4 <= system.size(); at += 4 + U16(system, at + 2))
        records[U16(system, at)] = system.substr(at + 4, U16(system, at + 2));
    EXPECT_EQ(Bytes("Hanabo32", 9), records[1]);
    EXPECT_EQ(Bytes("BrowseButtons()", 16), records[4]);
    ASSERT_EQ(4u, records[3].size());
    EXPECT_EQ(0u, U32(records[3], 0)) << "the contents are the first topic";
    ASSERT_FALSE(records[11].empty());
    EXPECT_EQ(128, static_cast<unsigned char>(records[11][0])) << "Shift-JIS charset";

    const Bytes& font = help.files["|FONT"];
    unsigned faces = U16(font, 0), descriptors = U16(font, 2);
    unsigned facesAt = U16(font, 4), descriptorsAt = U16(font, 6);
    ASSERT_EQ(1u, faces);
    EXPECT_EQ("MS PGothic", Bytes(font.c_str() + facesAt));
    ASSERT_EQ(descriptorsAt + descriptors * 11u, font.size());
    for (unsigned d = 0; d < descriptors; ++d) {
        EXPECT_LT(U16(font, descriptorsAt + d * 11 + 3), faces);
        EXPECT_GE(static_cast<unsigned char>(font[descriptorsAt + d * 11 + 1]), 16) << "at least 8 points";
    }

    ASSERT_EQ(12u, help.topics.size()) << "the contents and eleven sections";
    const Topic& contents = help.topics[0];
    EXPECT_EQ("Hanabo32 Help", contents.title);
    EXPECT_EQ(0u, contents.offset);
    EXPECT_EQ(0u, help.contexts[static_cast<int32_t>(Hash("contents"))]);
    EXPECT_EQ(help.topics.size(), help.contexts.size());
    EXPECT_EQ(help.topics.size(), help.titles.size());
    EXPECT_GT(help.topicBlocks, 1u) << "the help spans several topic blocks";
    ASSERT_FALSE(contents.paragraphs.empty());
    EXPECT_EQ("Hanabo32 Help", contents.paragraphs[0].Text()) << "the title opens the topic";

    // The contents jump to every other topic, and each jump comes before any
    // double-byte text, where Wine's viewer can place it.
    std::vector<uint32_t> reached;
    bool doubleByte = false;
    for (const Paragraph& p : contents.paragraphs) {
        if (!p.jumps.empty()) {
            EXPECT_FALSE(doubleByte) << p.Text();
            reached.push_back(help.contexts.at(static_cast<int32_t>(p.jumps.at(0))));
        }
        for (char c : p.Text())
            doubleByte = doubleByte || static_cast<unsigned char>(c) >= 0x80;
    }
    ASSERT_EQ(help.topics.size() - 1, reached.size());
    for (std::size_t t = 1; t < help.topics.size(); ++t) {
        EXPECT_EQ(help.topics[t].offset, reached[t - 1]) << t;
        EXPECT_EQ(help.topics[t].title, help.titles[help.topics[t].offset]);
        EXPECT_EQ(help.topics[t].title, help.topics[t].paragraphs.at(0).Text());
    }
    EXPECT_EQ(Bytes("\x97\x56\x82\xd1\x95\xfb"), help.topics[1].title.substr(0, 6)) << "遊び方 (How to play) first";

    Bytes all;
    for (const Topic& topic : help.topics)
        for (const Paragraph& p : topic.paragraphs)
            all += p.Text() + "\n";
    for (const Bytes& expected : {
             Bytes("\x93\xaf\x82\xb6\x96\xca\x82\xc5\x82\xe2\x82\xe8\x92\xbc\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81"
                   "\x48"),  // 同じ面でやり直しますか？
             Bytes("New(&N)Ctrl+N"), Bytes("Esc"), Bytes("Road.bmp"), Bytes("Billiards32.bmp"),
             Bytes("Hanabo.bak"), Bytes("Hanabo.ini"), Bytes(".tgw")})
        EXPECT_NE(Bytes::npos, all.find(expected)) << expected;
}

TEST(MakeHelp, JumpsReachTheirTopicsThroughTheContextTree)
{
    HelpFile help;
    ASSERT_TRUE(ReadHelpFile(Compile(".topic contents Help\n"
                                     "See [[keys|the keys]] or [[mouse|the mouse]].\n"
                                     ".topic keys Keys\n"
                                     "Esc\tminimise\n"
                                     "[[contents|Back]]\n"
                                     ".topic mouse Mouse\n"
                                     "Right button: Undo\n"),
                             help));
    ASSERT_EQ(3u, help.topics.size());
    EXPECT_EQ("Keys", help.topics[1].title);
    ASSERT_EQ(2u, help.topics[0].paragraphs.size());
    const Paragraph& see = help.topics[0].paragraphs[1];
    EXPECT_EQ("See the keys or the mouse.", see.Text());
    ASSERT_EQ(2u, see.jumps.size());
    EXPECT_EQ(help.topics[1].offset, help.contexts.at(static_cast<int32_t>(see.jumps[0])));
    EXPECT_EQ(help.topics[2].offset, help.contexts.at(static_cast<int32_t>(see.jumps[1])));
    EXPECT_EQ(0u, help.contexts.at(static_cast<int32_t>(help.topics[1].paragraphs[2].jumps.at(0))));
    EXPECT_EQ(3u, help.contexts.size());
    EXPECT_EQ("Mouse", help.titles.at(help.topics[2].offset));

    // The browse sequence runs through the topics in their order.
    EXPECT_EQ(0xFFFFFFFFu, help.topics[0].browseBack);
    EXPECT_EQ(help.topics[1].offset, help.topics[0].browseForward);
    EXPECT_EQ(help.topics[1].offset, help.topics[2].browseBack);
    EXPECT_EQ(0xFFFFFFFFu, help.topics[2].browseForward);
}

TEST(MakeHelp, LongTopicsCarryOnAcrossBlocksInOrder)
{
    std::string source = ".topic contents Long\n";
    for (int i = 0; i < 600; ++i)
        source += "Paragraph " + std::to_string(i) + " of a long help, " +
                  std::string(static_cast<std::size_t>(i % 37), 'x') + "\n";
    source += ".topic end The end\nLast words.\n";
    HelpFile help;
    ASSERT_TRUE(ReadHelpFile(Compile(source), help));
    EXPECT_GE(help.topicBlocks, 3u);
    ASSERT_EQ(2u, help.topics.size());
    ASSERT_EQ(601u, help.topics[0].paragraphs.size());
    for (int i = 0; i < 600; ++i)
        ASSERT_EQ(0u, help.topics[0].paragraphs[static_cast<std::size_t>(i) + 1].Text().find(
                          "Paragraph " + std::to_string(i) + " "))
            << i;
    EXPECT_EQ(help.topics[1].offset, help.contexts.at(static_cast<int32_t>(Hash("end"))));
    EXPECT_EQ(help.topics[1].offset / 0x8000, help.topicBlocks - 1) << "the last topic is in the last block";
}

TEST(MakeHelp, ColumnsAndTabStopsFollowTheSource)
{
    HelpFile help;
    ASSERT_TRUE(ReadHelpFile(Compile(".topic contents Keys\n"
                                     ".tabs 200 290\n"
                                     "New(&N)\tCtrl+N\tA new game\n"
                                     "* one\n"),
                             help));
    ASSERT_EQ(3u, help.topics[0].paragraphs.size());
    EXPECT_EQ((std::vector<Bytes>{"", "New(&N)", "Ctrl+N", "A new game", ""}),
              help.topics[0].paragraphs[1].strings);
    EXPECT_EQ("\x81\x45one", help.topics[0].paragraphs[2].Text());  // ・one

    ToolRun run;
    EXPECT_TRUE(Compile(".topic contents Keys\n.tabs 200\na\tb\tc\n", &run).empty());
    EXPECT_EQ(1, run.status);
    EXPECT_NE(std::string::npos, run.err.find(":3:")) << run.err;
    EXPECT_TRUE(Compile(".topic contents Keys\n.tabs 300 200\n", &run).empty());
    EXPECT_EQ(1, run.status);
}

TEST(MakeHelp, FaultsInTheSourceAreNamedAndWriteNothing)
{
    struct Case {
        const char* source;
        const char* message;
    };
    const Case cases[] = {
        {".topic contents Help\nSee [[nowhere|this]].\n", "unknown topic \"nowhere\""},
        {"Text first\n.topic contents Help\n", ":1: text before the first .topic"},
        {".topic contents Help\n.topic contents Again\n", ":2: topic id \"contents\" used twice"},
        {".topic con-tents Help\n", "bad topic id"},
        {".topic contents Help\nA [[broken jump\n", "[[ID|text]]"},
        {".topic contents Help\n\xff\xfe bytes\n", ":2: text that has no Shift-JIS form"},
        {".topic contents Help\n.include x\n", "unknown command \".include\""},
        {"; only a comment\n", "no .topic"},
    };
    std::string out = TempPath("kept.hlp");
    for (const Case& c : cases) {
        WriteFile(out, "old");
        std::string in = TempPath("bad.txt");
        WriteFile(in, c.source);
        ToolRun r = MakeHelp(in, out);
        EXPECT_EQ(1, r.status) << c.source;
        EXPECT_NE(std::string::npos, r.err.find(c.message)) << c.source << "\n" << r.err;
        EXPECT_EQ("old", ReadFile(out)) << "a failed run leaves the old file";
    }

    ToolRun warned;
    EXPECT_FALSE(Compile(".topic contents \xE7\x9B\xAE\xE6\xAC\xA1\n[[contents|Top]]\n", &warned).empty())
        << "a jump after Japanese text is allowed";
    EXPECT_NE(std::string::npos, warned.err.find(":2: warning: a jump after Japanese text")) << warned.err;
    EXPECT_TRUE(Compile(".topic contents Top\n[[contents|Top]] \xE7\x9B\xAE\xE6\xAC\xA1\n", &warned).size() > 0);
    EXPECT_EQ("", warned.err) << "Japanese after the jump is fine";

    ToolRun missing = MakeHelp(TempPath("no such file.txt"), out);
    EXPECT_EQ(1, missing.status);
    ToolRun emptyName = MakeHelp("", "");
    EXPECT_EQ(1, emptyName.status) << "an empty name cannot be read";
    int raw = std::system((std::string(MAKE_HELP) + " only-one 2>/dev/null").c_str());
    EXPECT_EQ(2, WIFEXITED(raw) ? WEXITSTATUS(raw) : -1);
}
