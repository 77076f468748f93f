// make-help: compiles the help text of Hanabo32 (UTF-8, a small line markup)
// into the WinHelp 3.1 file Hanabo.hlp that the Help command opens, and into
// Hanabo.htm, the same help as one page for a browser, which the Help command
// opens on systems without a WinHelp viewer.
//
// The source, one paragraph a line:
//   ; comment                 ignored, as are blank lines
//   .topic ID Title           starts a topic; the first topic is the contents
//   = Section                 a section heading
//   == Heading                a heading
//   * text                    a bullet item
//   left<TAB>right            two columns (keys and commands), or three with two tabs
//   .tabs A [B]               where the columns of the paragraphs below start, in
//                             half points (one stop per column after the first)
//   text                      a paragraph
//   [[ID|text]] anywhere in a paragraph is a jump to topic ID.
//
// The file written holds the internal files |SYSTEM (title, contents topic,
// browse buttons, Shift-JIS charset), |FONT, |TOPIC (LZ77 compressed 4 KB blocks), |CONTEXT
// (topic ids by hash) and |TTLBTREE (topic titles), found through the
// internal directory, a B+ tree. All texts go into the file in Shift-JIS.
//
// The page holds every topic as a section with the topic id as its id, so
// that each jump is a link within the page; it is Shift-JIS too, and says so.
#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

typedef std::string Bytes;

static const char Usage[] =
    "usage: make-help SOURCE.txt OUTPUT.hlp OUTPUT.htm\n"
    "compiles the UTF-8 help source into a WinHelp 3.1 file and an HTML page (texts in Shift-JIS)\n"
    "exit status: 0 written, 1 a fault in the source or the output, 2 bad arguments\n";

// Layout constants of the format.
static const uint32_t FileMagic = 0x00035F3F;
static const uint16_t BTreeMagic = 0x293B;
static const uint16_t SystemMagic = 0x036C;
static const uint16_t SystemMinorWin31 = 21;
static const uint16_t SystemFlagsLz77 = 4;  // LZ77 compressed, 4 KB topic blocks
static const std::size_t TopicBlockSize = 4096;
static const std::size_t TopicBlockHeader = 12;
static const std::size_t DecompressSize = 0x4000;
static const std::size_t LinkHeaderSize = 21;
static const std::size_t TopicHeaderSize = 28;
static const uint8_t RecordTopicHeader = 0x02;
static const uint8_t RecordDisplay = 0x20;
static const uint8_t ShiftJisCharset = 128;
static const uint32_t None = 0xFFFFFFFF;

// Text formatting commands of a paragraph.
static const uint8_t CmdFont = 0x80;
static const uint8_t CmdEndParagraph = 0x82;
static const uint8_t CmdTab = 0x83;
static const uint8_t CmdEndJump = 0x89;
static const uint8_t CmdJump = 0xE3;
static const uint8_t CmdEnd = 0xFF;

static void Put8(Bytes& out, unsigned v) { out.push_back(static_cast<char>(v & 0xFF)); }
static void Put16(Bytes& out, unsigned v)
{
    Put8(out, v);
    Put8(out, v >> 8);
}
static void Put32(Bytes& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}
static void Set32(Bytes& out, std::size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The variable-length numbers of paragraph records (all values used here are
// small and positive, or small negative indents).
static void PutCompressedUShort(Bytes& out, unsigned v)
{
    if (v < 128)
        Put8(out, v * 2);
    else
        Put16(out, v * 2 + 1);
}
static void PutCompressedShort(Bytes& out, int v)
{
    if (v >= -64 && v < 64)
        Put8(out, static_cast<unsigned>(v * 2 + 0x80));
    else
        Put16(out, static_cast<unsigned>(v * 2 + 0x8000 + 1));
}
static void PutCompressedLong(Bytes& out, int v) { Put16(out, static_cast<unsigned>(v * 2 + 0x8000)); }

// ---------------------------------------------------------------------------
// The source

enum ParagraphKind {
    TitleParagraph,
    SectionParagraph,
    HeadingParagraph,
    BodyParagraph,
    BulletParagraph,
    ColumnsParagraph,
};

struct Run {
    enum Type { Text, Tab, JumpStart, JumpEnd } type;
    Bytes text;          // Shift-JIS, for Text
    std::string target;  // topic id, for JumpStart
};

struct Paragraph {
    ParagraphKind kind;
    std::vector<Run> runs;
    int line;
    std::vector<int> tabStops;  // columns only
};

struct Topic {
    std::string id;
    Bytes title;  // Shift-JIS
    std::vector<Paragraph> paragraphs;
    int line;
};

struct Source {
    std::string name;
    std::string error;
    std::vector<std::string> warnings;
    iconv_t converter;
};

// Wine's help viewer places a jump by the bytes of the text before it in its
// topic but draws characters, so after double-byte text the jump is not where
// it shows. Such jumps work in WinHelp itself; the author is told.
static void WarnOfLateJumps(Source& source, const Topic& topic, const Paragraph& paragraph)
{
    bool doubleByte = false;
    for (const Paragraph& earlier : topic.paragraphs) {
        for (const Run& run : earlier.runs) {
            if (&earlier == &paragraph && run.type == Run::JumpStart && doubleByte) {
                source.warnings.push_back(source.name + ":" + std::to_string(paragraph.line) +
                                          ": warning: a jump after Japanese text in its topic cannot be "
                                          "clicked in Wine's help viewer");
                return;
            }
            for (char c : run.text)
                doubleByte = doubleByte || (static_cast<unsigned char>(c) >= 0x80);
        }
    }
}

static bool Fail(Source& source, int line, const std::string& why)
{
    source.error = source.name + ":" + std::to_string(line) + ": " + why;
    return false;
}

static bool ToShiftJis(Source& source, int line, const std::string& utf8, Bytes& out)
{
    out.clear();
    if (utf8.empty())
        return true;
    iconv(source.converter, nullptr, nullptr, nullptr, nullptr);
    std::vector<char> in(utf8.begin(), utf8.end());
    std::vector<char> buffer(utf8.size() * 2 + 16);
    char* from = in.data();
    std::size_t fromLeft = in.size();
    char* to = buffer.data();
    std::size_t toLeft = buffer.size();
    if (iconv(source.converter, &from, &fromLeft, &to, &toLeft) == static_cast<std::size_t>(-1))
        return Fail(source, line, "text that has no Shift-JIS form (or is not UTF-8) near \"" +
                                      std::string(from, std::min<std::size_t>(fromLeft, 12)) + "\"");
    out.assign(buffer.data(), buffer.size() - toLeft);
    return true;
}

static bool ValidId(const std::string& id)
{
    if (id.empty())
        return false;
    for (char c : id)
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.'))
            return false;
    return true;
}

// Splits a paragraph's text into runs of text, tabs and jumps.
static bool ParseRuns(Source& source, int line, const std::string& text, std::vector<Run>& runs)
{
    std::string pending;
    auto flush = [&]() {
        if (pending.empty())
            return true;
        Run run{Run::Text, Bytes(), std::string()};
        if (!ToShiftJis(source, line, pending, run.text))
            return false;
        runs.push_back(run);
        pending.clear();
        return true;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "[[") == 0) {
            std::size_t bar = text.find('|', i + 2);
            std::size_t close = text.find("]]", i + 2);
            if (bar == std::string::npos || close == std::string::npos || bar > close)
                return Fail(source, line, "a jump needs the form [[ID|text]]");
            std::string id = text.substr(i + 2, bar - i - 2);
            std::string label = text.substr(bar + 1, close - bar - 1);
            if (!ValidId(id))
                return Fail(source, line, "bad topic id \"" + id + "\" (letters, digits, _ and . only)");
            if (label.empty())
                return Fail(source, line, "a jump without text");
            if (!flush())
                return false;
            runs.push_back(Run{Run::JumpStart, Bytes(), id});
            Run labelRun{Run::Text, Bytes(), std::string()};
            if (!ToShiftJis(source, line, label, labelRun.text))
                return false;
            runs.push_back(labelRun);
            runs.push_back(Run{Run::JumpEnd, Bytes(), std::string()});
            i = close + 2;
        } else if (text[i] == '\t') {
            if (!flush())
                return false;
            runs.push_back(Run{Run::Tab, Bytes(), std::string()});
            ++i;
        } else {
            pending.push_back(text[i]);
            ++i;
        }
    }
    return flush();
}

static bool ParseSource(Source& source, const std::string& text, std::vector<Topic>& topics)
{
    const std::vector<int> DefaultTabs = {160};
    std::vector<int> tabs = DefaultTabs;
    int line = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++line;
        if (!raw.empty() && raw.back() == '\r')
            raw.pop_back();
        while (!raw.empty() && raw.back() == ' ')
            raw.pop_back();
        if (raw.empty() || raw[0] == ';')
            continue;

        if (raw.compare(0, 7, ".topic ") == 0) {
            std::string rest = raw.substr(7);
            std::size_t space = rest.find(' ');
            if (space == std::string::npos)
                return Fail(source, line, ".topic needs an id and a title");
            Topic topic;
            topic.id = rest.substr(0, space);
            topic.line = line;
            if (!ValidId(topic.id))
                return Fail(source, line, "bad topic id \"" + topic.id + "\" (letters, digits, _ and . only)");
            for (const Topic& other : topics)
                if (other.id == topic.id)
                    return Fail(source, line, "topic id \"" + topic.id + "\" used twice");
            if (!ToShiftJis(source, line, rest.substr(space + 1), topic.title))
                return false;
            tabs = DefaultTabs;
            Paragraph title{TitleParagraph, {}, line, {}};
            title.runs.push_back(Run{Run::Text, topic.title, std::string()});
            topic.paragraphs.push_back(title);
            topics.push_back(topic);
            continue;
        }
        if (raw.compare(0, 6, ".tabs ") == 0) {
            tabs.clear();
            std::size_t at = 6;
            while (at < raw.size()) {
                std::size_t used = 0;
                int stop = 0;
                try {
                    stop = std::stoi(raw.substr(at), &used);
                } catch (...) {
                    used = 0;
                }
                if (used == 0 || stop <= 10 || stop > 2000 || (!tabs.empty() && stop <= tabs.back()))
                    return Fail(source, line, ".tabs needs rising stops from 11 to 2000 half points");
                tabs.push_back(stop);
                at += used;
                while (at < raw.size() && raw[at] == ' ')
                    ++at;
            }
            if (tabs.empty() || tabs.size() > 2)
                return Fail(source, line, ".tabs takes one or two stops");
            continue;
        }
        if (raw[0] == '.')
            return Fail(source, line, "unknown command \"" + raw.substr(0, raw.find(' ')) + "\"");
        if (topics.empty())
            return Fail(source, line, "text before the first .topic");

        Paragraph paragraph{BodyParagraph, {}, line, {}};
        std::string body = raw;
        if (raw.compare(0, 3, "== ") == 0) {
            paragraph.kind = HeadingParagraph;
            body = raw.substr(3);
        } else if (raw.compare(0, 2, "= ") == 0) {
            paragraph.kind = SectionParagraph;
            body = raw.substr(2);
        } else if (raw.compare(0, 2, "* ") == 0) {
            paragraph.kind = BulletParagraph;
            body = "\xE3\x83\xBB" + raw.substr(2);  // the bullet ・ before the text
        } else if (raw.find('\t') != std::string::npos) {
            paragraph.kind = ColumnsParagraph;
            std::size_t count = static_cast<std::size_t>(std::count(raw.begin(), raw.end(), '\t'));
            if (count > tabs.size())
                return Fail(source, line, std::to_string(count + 1) + " columns need " + std::to_string(count) +
                                              " stops in .tabs");
            paragraph.tabStops.assign(tabs.begin(), tabs.begin() + static_cast<long>(count));
        }
        if (!ParseRuns(source, line, body, paragraph.runs))
            return false;
        topics.back().paragraphs.push_back(paragraph);
        WarnOfLateJumps(source, topics.back(), topics.back().paragraphs.back());
    }
    if (topics.empty())
        return Fail(source, line, "no .topic in the source");
    return true;
}

// ---------------------------------------------------------------------------
// LZ77 as the help viewer unpacks it: a flag byte, least significant bit
// first; a set bit is a 16-bit pair (distance - 1 in 12 bits, length - 3 in
// 4 bits), a clear bit one literal byte.

static Bytes CompressLz77(const Bytes& in)
{
    const std::size_t Window = 4096;
    const std::size_t MinMatch = 3;
    const std::size_t MaxMatch = 18;
    const std::size_t ChainLimit = 512;
    const unsigned HashSize = 1u << 13;

    std::vector<long> head(HashSize, -1);
    std::vector<long> previous(in.size(), -1);
    auto hashAt = [&](std::size_t i) {
        unsigned h = (static_cast<unsigned char>(in[i]) << 10) ^ (static_cast<unsigned char>(in[i + 1]) << 5) ^
                     static_cast<unsigned char>(in[i + 2]);
        return h & (HashSize - 1);
    };
    auto remember = [&](std::size_t i) {
        if (i + MinMatch > in.size())
            return;
        unsigned h = hashAt(i);
        previous[i] = head[h];
        head[h] = static_cast<long>(i);
    };

    Bytes out;
    std::size_t flagAt = 0;
    int bit = 8;
    std::size_t i = 0;
    while (i < in.size()) {
        if (bit == 8) {
            flagAt = out.size();
            out.push_back('\0');
            bit = 0;
        }
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        if (i + MinMatch <= in.size()) {
            std::size_t limit = std::min(MaxMatch, in.size() - i);
            std::size_t tries = 0;
            for (long c = head[hashAt(i)]; c >= 0 && tries < ChainLimit; c = previous[static_cast<std::size_t>(c)]) {
                std::size_t candidate = static_cast<std::size_t>(c);
                if (i - candidate > Window)
                    break;
                ++tries;
                std::size_t length = 0;
                while (length < limit && in[candidate + length] == in[i + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = i - candidate;
                    if (length == limit)
                        break;
                }
            }
        }
        if (bestLength >= MinMatch) {
            out[flagAt] = static_cast<char>(out[flagAt] | (1 << bit));
            Put16(out, static_cast<unsigned>((bestDistance - 1) | ((bestLength - MinMatch) << 12)));
            for (std::size_t k = 0; k < bestLength; ++k)
                remember(i + k);
            i += bestLength;
        } else {
            out.push_back(in[i]);
            remember(i);
            ++i;
        }
        ++bit;
    }
    return out;
}

// ---------------------------------------------------------------------------
// |TOPIC: a chain of topic links (a header per topic, a display record per
// paragraph) laid out in blocks; positions are fixed after the layout.

enum FontNumber { BodyFont, HeadingFont, SectionFont, TitleFont };

struct ParagraphStyle {
    FontNumber font;
    int spaceAbove;   // all in half points
    int spaceBelow;
    int leftIndent;
    int firstIndent;  // relative to leftIndent
};

static ParagraphStyle StyleOf(ParagraphKind kind)
{
    switch (kind) {
    case TitleParagraph:
        return {TitleFont, 4, 12, 0, 0};
    case SectionParagraph:
        return {SectionFont, 30, 6, 0, 0};
    case HeadingParagraph:
        return {HeadingFont, 14, 4, 0, 0};
    case BulletParagraph:
        return {BodyFont, 2, 2, 30, -20};
    case ColumnsParagraph:  // wrapped lines go on in the last column
        return {BodyFont, 2, 2, 0, 0};
    case BodyParagraph:
    default:
        return {BodyFont, 4, 4, 10, 0};
    }
}

static uint32_t HashId(const std::string& id)
{
    uint32_t hash = 0;
    for (char c : id) {
        uint32_t x = 0;
        if (c >= 'A' && c <= 'Z')
            x = static_cast<uint32_t>(c - 'A' + 17);
        else if (c >= 'a' && c <= 'z')
            x = static_cast<uint32_t>(c - 'a' + 17);
        else if (c >= '1' && c <= '9')
            x = static_cast<uint32_t>(c - '0');
        else if (c == '0')
            x = 10;
        else if (c == '.')
            x = 12;
        else if (c == '_')
            x = 13;
        hash = hash * 43 + x;
    }
    return hash;
}

struct Link {
    uint8_t record;
    Bytes data1;  // after the 21-byte link header
    Bytes data2;  // texts
    int topic;    // index of the topic it belongs to
    unsigned characters;  // what it adds to a topic offset
    // Layout, filled in later.
    std::size_t block;
    std::size_t offset;
};

static uint32_t TopicPos(const Link& link)
{
    return static_cast<uint32_t>(link.block * DecompressSize + link.offset + TopicBlockHeader);
}

static Link ParagraphLink(const Paragraph& paragraph, int topic)
{
    ParagraphStyle style = StyleOf(paragraph.kind);
    if (!paragraph.tabStops.empty()) {
        style.leftIndent = paragraph.tabStops.back();
        style.firstIndent = 20 - paragraph.tabStops.back();
    }
    Bytes texts;
    Bytes commands;
    Bytes pending;  // the text before the next command
    auto command = [&](const Bytes& bytes) {
        texts += pending;
        texts.push_back('\0');
        pending.clear();
        commands += bytes;
    };
    Bytes font;
    Put8(font, CmdFont);
    Put16(font, style.font);
    command(font);
    for (const Run& run : paragraph.runs) {
        Bytes c;
        switch (run.type) {
        case Run::Text:
            pending += run.text;
            break;
        case Run::Tab:
            command(Bytes(1, static_cast<char>(CmdTab)));
            break;
        case Run::JumpStart:
            Put8(c, CmdJump);
            Put32(c, HashId(run.target));
            command(c);
            break;
        case Run::JumpEnd:
            command(Bytes(1, static_cast<char>(CmdEndJump)));
            break;
        }
    }
    command(Bytes(1, static_cast<char>(CmdEndParagraph)));
    command(Bytes(1, static_cast<char>(CmdEnd)));

    unsigned bits = 0x0002 | 0x0004;  // spacing above and below
    if (style.leftIndent)
        bits |= 0x0010;
    if (style.firstIndent)
        bits |= 0x0040;
    if (!paragraph.tabStops.empty())
        bits |= 0x0200;

    Link link{RecordDisplay, Bytes(), texts, topic, static_cast<unsigned>(texts.size()), 0, 0};
    PutCompressedLong(link.data1, static_cast<int>(texts.size()));
    PutCompressedUShort(link.data1, link.characters);
    Put8(link.data1, 0);     // unknown byte
    Put8(link.data1, 0x80);  // unknown biased byte (0)
    Put16(link.data1, 0);    // paragraph id
    Put16(link.data1, bits);
    PutCompressedShort(link.data1, style.spaceAbove);
    PutCompressedShort(link.data1, style.spaceBelow);
    if (style.leftIndent)
        PutCompressedShort(link.data1, style.leftIndent);
    if (style.firstIndent)
        PutCompressedShort(link.data1, style.firstIndent);
    if (!paragraph.tabStops.empty()) {
        PutCompressedShort(link.data1, static_cast<int>(paragraph.tabStops.size()));
        for (int stop : paragraph.tabStops)
            PutCompressedUShort(link.data1, static_cast<unsigned>(stop));
    }
    link.data1 += commands;
    return link;
}

static Bytes LinkBytes(const Link& link, uint32_t previous, uint32_t next)
{
    Bytes out;
    uint32_t data1 = static_cast<uint32_t>(LinkHeaderSize + link.data1.size());
    Put32(out, data1 + static_cast<uint32_t>(link.data2.size()));  // block size
    Put32(out, static_cast<uint32_t>(link.data2.size()));          // texts, stored as they are
    Put32(out, previous);
    Put32(out, next);
    Put32(out, data1);
    Put8(out, link.record);
    out += link.data1;
    out += link.data2;
    return out;
}

static std::size_t LinkSize(const Link& link) { return LinkHeaderSize + link.data1.size() + link.data2.size(); }

// What the zero bytes that pad a compressed block to its full size unpack to.
static std::size_t PaddingUnpacked(std::size_t padding)
{
    return 8 * (padding / 9) + (padding % 9 ? padding % 9 - 1 : 0);
}

struct TopicFile {
    Bytes bytes;
    std::vector<uint32_t> topicOffsets;  // per topic
};

// Lays the links out in blocks (a link never crosses a block), fills in the
// positions and compresses each block. margin leaves room in each block for
// the position fields, which are not known while blocks are filled.
static bool BuildTopicFile(std::vector<Link>& links, const std::vector<Topic>& topics, std::size_t margin,
                           TopicFile& result, std::string& error)
{
    const std::size_t Room = TopicBlockSize - TopicBlockHeader;
    // Layout: greedy, checked by compressing the candidate block.
    std::vector<std::vector<std::size_t>> blocks(1);
    Bytes current;
    for (std::size_t i = 0; i < links.size(); ++i) {
        Bytes linkBytes = LinkBytes(links[i], 0, 0);
        Bytes candidate = current + linkBytes;
        bool fits = candidate.size() <= DecompressSize / 4 * 3 && CompressLz77(candidate).size() + margin <= Room;
        if (!fits && !blocks.back().empty()) {
            blocks.emplace_back();
            current.clear();
            candidate = linkBytes;
            fits = CompressLz77(candidate).size() + margin <= Room;
        }
        if (!fits) {
            error = "a paragraph too long for one topic block";
            return false;
        }
        links[i].block = blocks.size() - 1;
        links[i].offset = current.size();
        blocks.back().push_back(i);
        current = candidate;
    }

    // Topic offsets: the block and the characters of the display records
    // before the topic's header within that block.
    result.topicOffsets.assign(topics.size(), None);
    std::vector<std::size_t> headers(topics.size(), 0);
    std::vector<std::size_t> firstParagraph(topics.size(), 0);
    {
        std::size_t block = static_cast<std::size_t>(-1);
        unsigned characters = 0;
        for (std::size_t i = 0; i < links.size(); ++i) {
            if (links[i].block != block) {
                block = links[i].block;
                characters = 0;
            }
            if (links[i].record == RecordTopicHeader) {
                result.topicOffsets[static_cast<std::size_t>(links[i].topic)] =
                    static_cast<uint32_t>(block * 0x8000 + characters);
                headers[static_cast<std::size_t>(links[i].topic)] = i;
                firstParagraph[static_cast<std::size_t>(links[i].topic)] = i + 1;
            } else {
                characters += links[i].characters;
            }
        }
    }

    // Topic headers: size, browse sequence, number, scrolling region, next topic.
    for (std::size_t t = 0; t < topics.size(); ++t) {
        Link& header = links[headers[t]];
        uint32_t size = 0;
        for (const Link& link : links)
            if (link.topic == static_cast<int>(t))
                size += static_cast<uint32_t>(LinkSize(link));
        header.data1.clear();
        Put32(header.data1, size);
        Put32(header.data1, t > 0 ? result.topicOffsets[t - 1] : None);
        Put32(header.data1, t + 1 < topics.size() ? result.topicOffsets[t + 1] : None);
        Put32(header.data1, static_cast<uint32_t>(t));
        Put32(header.data1, None);
        Put32(header.data1, TopicPos(links[firstParagraph[t]]));
        Put32(header.data1, t + 1 < topics.size() ? TopicPos(links[headers[t + 1]]) : None);
    }

    // The blocks themselves.
    result.bytes.clear();
    uint32_t lastHeader = None;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const std::vector<std::size_t>& members = blocks[b];
        Bytes plain;
        for (std::size_t i : members) {
            uint32_t previous = i > 0 ? TopicPos(links[i - 1]) : None;
            uint32_t next = i + 1 < links.size() ? TopicPos(links[i + 1]) : None;
            plain += LinkBytes(links[i], previous, next);
        }
        Bytes packed = CompressLz77(plain);
        if (packed.size() > Room)
            return false;  // the caller tries again with a wider margin
        std::size_t padding = Room - packed.size();
        if (plain.size() + PaddingUnpacked(padding) > DecompressSize) {
            error = "a topic block unpacks to more than 16 KB";
            return false;
        }
        Bytes block;
        Put32(block, members.front() > 0 ? TopicPos(links[members.front() - 1]) : None);
        Put32(block, TopicPos(links[members.front()]));
        Put32(block, lastHeader);
        block += packed;
        block.append(padding, '\0');
        result.bytes += block;
        for (std::size_t i : members)
            if (links[i].record == RecordTopicHeader)
                lastHeader = TopicPos(links[i]);
    }
    return true;
}

// ---------------------------------------------------------------------------
// B+ trees (one leaf page holds everything this help file needs) and the
// container.

static bool BuildBTree(uint16_t flags, std::size_t pageSize, const char* structure,
                       const std::vector<Bytes>& entries, Bytes& out, std::string& error)
{
    std::size_t used = 8;
    for (const Bytes& entry : entries)
        used += entry.size();
    if (used > pageSize) {
        error = "too many entries for one B+ tree page";
        return false;
    }
    out.clear();
    Put16(out, BTreeMagic);
    Put16(out, flags);
    Put16(out, static_cast<unsigned>(pageSize));
    Bytes format(structure);
    format.resize(16, '\0');
    out += format;
    Put16(out, 0);       // must be zero
    Put16(out, 0);       // page splits
    Put16(out, 0);       // root page
    Put16(out, 0xFFFF);  // must be -1
    Put16(out, 1);       // total pages
    Put16(out, 1);       // levels
    Put32(out, static_cast<uint32_t>(entries.size()));
    Put16(out, static_cast<unsigned>(pageSize - used));  // unused bytes at the page's end
    Put16(out, static_cast<unsigned>(entries.size()));
    Put16(out, 0xFFFF);  // previous leaf
    Put16(out, 0xFFFF);  // next leaf
    for (const Bytes& entry : entries)
        out += entry;
    out.append(pageSize - used, '\0');
    return true;
}

static Bytes InternalFile(const Bytes& content)
{
    Bytes out;
    Put32(out, static_cast<uint32_t>(content.size() + 9));  // reserved, with this header
    Put32(out, static_cast<uint32_t>(content.size()));      // used
    Put8(out, 4);                                            // file flags
    return out + content;
}

static Bytes SystemFile(uint32_t contents)
{
    Bytes out;
    Put16(out, SystemMagic);
    Put16(out, SystemMinorWin31);
    Put16(out, 1);  // major
    Put32(out, 0);  // date of making: none, so that the file is the same every time
    Put16(out, SystemFlagsLz77);
    auto record = [&](unsigned type, const Bytes& data) {
        Put16(out, type);
        Put16(out, static_cast<unsigned>(data.size()));
        out += data;
    };
    record(1, Bytes("Hanabo32", 9));  // title, with its NUL
    Bytes start;
    Put32(start, contents);
    record(3, start);                               // contents topic
    record(4, Bytes("BrowseButtons()", 16));        // << and >> through the topics in order
    Bytes charset;
    Put16(charset, ShiftJisCharset);
    record(11, charset);
    return out;
}

static Bytes FontFile()
{
    const std::size_t FaceSize = 20;
    Bytes face("MS PGothic");
    face.resize(FaceSize, '\0');
    struct Descriptor {
        unsigned attributes;  // 1 bold
        unsigned halfPoints;
        unsigned red, green, blue;
    };
    const Descriptor descriptors[] = {
        {0, 20, 0, 0, 0},     // BodyFont: 10 points
        {1, 22, 0, 0, 128},   // HeadingFont: 11 points, bold, dark blue
        {1, 28, 128, 0, 64},  // SectionFont: 14 points, bold, dark red
        {1, 36, 128, 0, 64},  // TitleFont: 18 points, bold, dark red
    };
    const unsigned Swiss = 3;
    Bytes out;
    Put16(out, 1);                                         // face names
    Put16(out, sizeof descriptors / sizeof descriptors[0]);  // descriptors
    Put16(out, 8);                                         // face names at
    Put16(out, static_cast<unsigned>(8 + FaceSize));       // descriptors at
    out += face;
    for (const Descriptor& d : descriptors) {
        Put8(out, d.attributes);
        Put8(out, d.halfPoints);
        Put8(out, Swiss);
        Put16(out, 0);  // face name index
        Put8(out, d.red);
        Put8(out, d.green);
        Put8(out, d.blue);
        Put8(out, 255);  // background: white
        Put8(out, 255);
        Put8(out, 255);
    }
    return out;
}

static bool BuildHelpFile(const std::vector<Topic>& topics, Bytes& out, std::string& error)
{
    // Every jump must reach a topic, and no two ids may share a hash.
    for (const Topic& topic : topics)
        for (const Paragraph& paragraph : topic.paragraphs)
            for (const Run& run : paragraph.runs)
                if (run.type == Run::JumpStart &&
                    std::none_of(topics.begin(), topics.end(), [&](const Topic& t) { return t.id == run.target; })) {
                    error = "line " + std::to_string(paragraph.line) + ": a jump to the unknown topic \"" +
                            run.target + "\"";
                    return false;
                }
    for (std::size_t a = 0; a < topics.size(); ++a)
        for (std::size_t b = a + 1; b < topics.size(); ++b)
            if (HashId(topics[a].id) == HashId(topics[b].id)) {
                error = "the topic ids \"" + topics[a].id + "\" and \"" + topics[b].id + "\" share a hash";
                return false;
            }

    std::vector<Link> links;
    for (std::size_t t = 0; t < topics.size(); ++t) {
        Link header{RecordTopicHeader, Bytes(TopicHeaderSize, '\0'), topics[t].title + Bytes(1, '\0'),
                    static_cast<int>(t), 0, 0, 0};
        links.push_back(header);
        for (const Paragraph& paragraph : topics[t].paragraphs) {
            Link link = ParagraphLink(paragraph, static_cast<int>(t));
            if (link.data2.size() >= 16384) {
                error = "line " + std::to_string(paragraph.line) + ": a paragraph of 16 KB or more";
                return false;
            }
            links.push_back(link);
        }
    }

    TopicFile topicFile;
    bool built = false;
    for (std::size_t margin = 64; margin <= 1024 && !built; margin *= 2) {
        error.clear();
        built = BuildTopicFile(links, topics, margin, topicFile, error);
        if (!built && !error.empty())
            return false;
    }
    if (!built) {
        error = "the topic blocks do not fit";
        return false;
    }

    // |CONTEXT: topic offsets by id hash, in signed hash order.
    std::vector<std::pair<int32_t, uint32_t>> contexts;
    for (std::size_t t = 0; t < topics.size(); ++t)
        contexts.emplace_back(static_cast<int32_t>(HashId(topics[t].id)), topicFile.topicOffsets[t]);
    std::sort(contexts.begin(), contexts.end());
    std::vector<Bytes> contextEntries;
    for (const auto& c : contexts) {
        Bytes e;
        Put32(e, static_cast<uint32_t>(c.first));
        Put32(e, c.second);
        contextEntries.push_back(e);
    }
    // |TTLBTREE: titles by topic offset (already in order).
    std::vector<Bytes> titleEntries;
    for (std::size_t t = 0; t < topics.size(); ++t) {
        Bytes e;
        Put32(e, topicFile.topicOffsets[t]);
        e += topics[t].title;
        e.push_back('\0');
        titleEntries.push_back(e);
    }
    Bytes contextTree;
    Bytes titleTree;
    if (!BuildBTree(0x0002, 2048, "L4", contextEntries, contextTree, error) ||
        !BuildBTree(0x0002, 2048, "Lz", titleEntries, titleTree, error))
        return false;

    // The internal files, named in the directory's sort order.
    std::vector<std::pair<std::string, Bytes>> files = {
        {"|CONTEXT", InternalFile(contextTree)},
        {"|FONT", InternalFile(FontFile())},
        {"|SYSTEM", InternalFile(SystemFile(topicFile.topicOffsets[0]))},
        {"|TOPIC", InternalFile(topicFile.bytes)},
        {"|TTLBTREE", InternalFile(titleTree)},
    };
    out.assign(16, '\0');
    std::vector<Bytes> directoryEntries;
    for (const auto& file : files) {
        Bytes e(file.first);
        e.push_back('\0');
        Put32(e, static_cast<uint32_t>(out.size()));
        directoryEntries.push_back(e);
        out += file.second;
    }
    Bytes directory;
    if (!BuildBTree(0x0402, 1024, "z4", directoryEntries, directory, error))
        return false;
    uint32_t directoryStart = static_cast<uint32_t>(out.size());
    out += InternalFile(directory);
    Set32(out, 0, FileMagic);
    Set32(out, 4, directoryStart);
    Set32(out, 8, None);  // no free list
    Set32(out, 12, static_cast<uint32_t>(out.size()));
    return true;
}

// ---------------------------------------------------------------------------
// The page: the topics in order, each a section under its title; sections and
// headings of the source become smaller headings, bullets a list, columns a
// table. The meta charset comes first in the head, within the bytes a
// browser reads before it decides how to decode the page.

static const char PageContentsLabel[] = "\x96\xda\x8e\x9f";  // 目次
static const char ShiftJisBullet[] = "\x81\x45";           // ・, which the source's "* " put first

static const char PageStyle[] =
    "body { font-family: \"MS PGothic\", \"IPAPGothic\", sans-serif; max-width: 50em; margin: 1em auto;"
    " padding: 0 1em; line-height: 1.6; }\n"
    "h1, h2, h3 { color: #800040; }\n"
    "h4 { color: #000080; margin-bottom: 0.2em; }\n"
    "section { border-top: 1px solid #c0c0c0; margin-top: 2em; }\n"
    "td { vertical-align: top; padding: 0.1em 1em 0.1em 0; }\n"
    "td:first-child { white-space: nowrap; }\n"
    "p.back { text-align: right; font-size: smaller; }\n";

// Shift-JIS trail bytes are 0x40 and above, so none of them is one of these.
static Bytes Escaped(const Bytes& text)
{
    Bytes out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out.push_back(c); break;
        }
    }
    return out;
}

// A paragraph's runs; in columns each tab starts the next cell.
static Bytes RunsHtml(const Paragraph& paragraph)
{
    Bytes out;
    bool first = true;
    for (const Run& run : paragraph.runs) {
        switch (run.type) {
        case Run::Text:
            out += Escaped(first && paragraph.kind == BulletParagraph && run.text.compare(0, 2, ShiftJisBullet) == 0
                               ? run.text.substr(2)
                               : run.text);
            break;
        case Run::Tab:
            out += "</td><td>";
            break;
        case Run::JumpStart:
            out += "<a href=\"#" + run.target + "\">";
            break;
        case Run::JumpEnd:
            out += "</a>";
            break;
        }
        first = false;
    }
    return out;
}

static Bytes BuildPage(const std::vector<Topic>& topics)
{
    Bytes out = "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"Shift_JIS\">\n<title>" +
                Escaped(topics[0].title) + "</title>\n<style>\n" + PageStyle + "</style>\n</head>\n<body>\n";
    for (std::size_t t = 0; t < topics.size(); ++t) {
        out += "<section id=\"" + topics[t].id + "\">\n";
        ParagraphKind open = TitleParagraph;  // the list or table being written, if any
        for (const Paragraph& paragraph : topics[t].paragraphs) {
            if (open != paragraph.kind && open == BulletParagraph)
                out += "</ul>\n";
            if (open != paragraph.kind && open == ColumnsParagraph)
                out += "</table>\n";
            if (open != paragraph.kind && paragraph.kind == BulletParagraph)
                out += "<ul>\n";
            if (open != paragraph.kind && paragraph.kind == ColumnsParagraph)
                out += "<table>\n";
            open = paragraph.kind;
            const Bytes text = RunsHtml(paragraph);
            switch (paragraph.kind) {
            case TitleParagraph: out += t == 0 ? "<h1>" + text + "</h1>\n" : "<h2>" + text + "</h2>\n"; break;
            case SectionParagraph: out += "<h3>" + text + "</h3>\n"; break;
            case HeadingParagraph: out += "<h4>" + text + "</h4>\n"; break;
            case BulletParagraph: out += "<li>" + text + "</li>\n"; break;
            case ColumnsParagraph: out += "<tr><td>" + text + "</td></tr>\n"; break;
            case BodyParagraph: out += "<p>" + text + "</p>\n"; break;
            }
        }
        if (open == BulletParagraph)
            out += "</ul>\n";
        if (open == ColumnsParagraph)
            out += "</table>\n";
        if (t > 0)
            out += "<p class=\"back\"><a href=\"#" + topics[0].id + "\">" + PageContentsLabel + "</a></p>\n";
        out += "</section>\n";
    }
    return out + "</body>\n</html>\n";
}

// ---------------------------------------------------------------------------

static bool ReadWholeFile(const char* path, std::string& text)
{
    std::FILE* f = std::fopen(path, "rb");
    if (!f)
        return false;
    char buffer[4096];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        text.append(buffer, n);
    bool ok = !std::ferror(f);
    std::fclose(f);
    return ok;
}

// Written to a temporary name first, so that a failed run leaves the old file.
static bool WriteWholeFile(const std::string& path, const Bytes& bytes)
{
    std::string temporary = path + ".tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (ok)
        ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fputs(Usage, stderr);
        return 2;
    }
    std::string text;
    if (!ReadWholeFile(argv[1], text)) {
        std::fprintf(stderr, "make-help: cannot read %s: %s\n", argv[1], std::strerror(errno));
        return 1;
    }
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);

    Source source{argv[1], std::string(), {}, iconv_open("CP932", "UTF-8")};
    if (source.converter == reinterpret_cast<iconv_t>(-1)) {
        std::fputs("make-help: this system cannot convert UTF-8 to CP932\n", stderr);
        return 1;
    }
    std::vector<Topic> topics;
    bool parsed = ParseSource(source, text, topics);
    iconv_close(source.converter);
    for (const std::string& warning : source.warnings)
        std::fprintf(stderr, "make-help: %s\n", warning.c_str());
    if (!parsed) {
        std::fprintf(stderr, "make-help: %s\n", source.error.c_str());
        return 1;
    }

    Bytes help;
    std::string error;
    if (!BuildHelpFile(topics, help, error)) {
        std::fprintf(stderr, "make-help: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    for (int i : {2, 3})
        if (!WriteWholeFile(argv[i], i == 2 ? help : BuildPage(topics))) {
            std::fprintf(stderr, "make-help: cannot write %s\n", argv[i]);
            return 1;
        }
    return 0;
}
