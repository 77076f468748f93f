// The shipped Hanabo.hlp and Hanabo.htm: they are what make-help compiles the
// help source to, and the page holds the source's topics and texts, its links
// leading to its sections. (The help file is read back by the real viewer,
// end to end.)
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <regex>
#include <sstream>
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

// The help source's topics in order: their ids and titles (UTF-8).
std::vector<std::pair<std::string, std::string>> SourceTopics()
{
    std::vector<std::pair<std::string, std::string>> topics;
    std::istringstream source(Slurp(Source + "/resources/help/hanabo_help.txt"));
    for (std::string line; std::getline(source, line);)
        if (line.compare(0, 7, ".topic ") == 0)
            topics.emplace_back(line.substr(7, line.find(' ', 7) - 7), line.substr(line.find(' ', 7) + 1));
    return topics;
}

// The values of an attribute (after "id=\"", "href=\"#") in the order they come.
std::vector<std::string> Attributes(const Bytes& html, const std::string& start)
{
    std::vector<std::string> values;
    for (std::size_t at = html.find(start); at != Bytes::npos; at = html.find(start, at + 1))
        values.push_back(html.substr(at + start.size(), html.find('"', at + start.size()) - at - start.size()));
    return values;
}

}  // namespace

TEST(MakeHelp, ShippedHelpFileAndPageAreWhatTheSourceCompilesTo)
{
    const std::string out = TempPath("shipped");
    ProgramRun r = RunProgram(std::string(MAKE_HELP) + " '" + Source + "/resources/help/hanabo_help.txt' '" + out +
                              ".hlp' '" + out + ".htm'");
    ASSERT_EQ(0, r.status) << r.err;
    for (const char* kind : {".hlp", ".htm"}) {
        Bytes shipped = Slurp(Source + "/resources/ship/Hanabo" + kind);
        ASSERT_FALSE(shipped.empty());
        EXPECT_TRUE(Slurp(out + kind) == shipped) << "rebuild resources/ship/Hanabo" << kind << " with make-help";
    }
}

TEST(MakeHelp, ShippedPageHoldsTheSourcesTopicsUnderTheirTitlesAndLinksToThem)
{
    const Bytes page = Slurp(Source + "/resources/ship/Hanabo.htm");
    EXPECT_NE(Bytes::npos, page.substr(0, 1024).find("<meta charset=\"Shift_JIS\">"));
    // A section a topic, in order, its id the topic's and its heading the
    // topic's title in Shift-JIS; the contents link to the others in turn.
    const auto topics = SourceTopics();
    const std::vector<std::string> ids = Attributes(page, "<section id=\"");
    ASSERT_EQ(13u, topics.size()) << "the contents and twelve sections";
    ASSERT_EQ(topics.size(), ids.size());
    for (std::size_t t = 0; t < ids.size(); ++t) {
        const std::string heading = t == 0 ? "h1>" : "h2>";
        const std::string title = RunProgram("iconv -f UTF-8 -t CP932", topics[t].second).out;
        EXPECT_EQ(topics[t].first, ids[t]);
        EXPECT_NE(Bytes::npos, page.find(ids[t] + "\">\n<" + heading + title + "</" + heading)) << ids[t];
    }
    const std::vector<std::string> links = Attributes(page, "href=\"#");
    EXPECT_EQ(std::vector<std::string>(ids.begin() + 1, ids.end()),
              std::vector<std::string>(links.begin(), links.begin() + static_cast<long>(ids.size()) - 1));
    for (const std::string& target : links)
        EXPECT_NE(ids.end(), std::find(ids.begin(), ids.end(), target)) << target;
}

// The page as a browser engine reads it (headless Chromium, which
// tools/setup.sh installs), written back in UTF-8: every text of the help
// source, a piece between tabs and jumps' marks at a time, each topic's title
// a heading, and every item of the program's menu.
TEST(MakeHelp, BrowserReadsThePagesHeadingsTextsAndEveryCommand)
{
    if (std::system("command -v chromium >/dev/null") != 0)
        GTEST_SKIP() << "no chromium";
    const ProgramRun dom = RunProgram("timeout 120 chromium --headless --no-sandbox --disable-gpu --user-data-dir='" +
                                      TempPath("browser") + "' --dump-dom 'file://" + Source +
                                      "/resources/ship/Hanabo.htm'");
    ASSERT_EQ(0, dom.status) << dom.err;
    std::vector<std::string> lines;
    std::istringstream source(Slurp(Source + "/resources/help/hanabo_help.txt"));
    for (std::string line; std::getline(source, line);)
        lines.push_back(line);
    const std::string menu = RunProgram("iconv -f CP932 -t UTF-8 '" + Source + "/resources/hanabo.rc'").out;
    const std::regex item("MENUITEM \"([^\"]+)\"");
    const std::regex marks("^(=+|\\*|\\.topic \\S+) |\\[\\[[^|]*\\||\\]\\]|\t|\\\\t");  // and the menu's "\\t"
    for (std::sregex_iterator i(menu.begin(), menu.end(), item), end; i != end; ++i)
        lines.push_back((*i)[1].str());
    int topics = 0;
    for (const std::string& line : lines) {
        const bool topic = line.compare(0, 7, ".topic ") == 0;
        topics += topic;
        if (line.empty() || line[0] == ';' || line.compare(0, 6, ".tabs ") == 0)
            continue;
        for (std::sregex_token_iterator piece(line.begin(), line.end(), marks, -1), end; piece != end; ++piece)
            EXPECT_NE(Bytes::npos, dom.out.find(std::regex_replace(piece->str(), std::regex("&"), "&amp;") +
                                                (topic ? "</h" : "")))
                << line;
    }
    EXPECT_EQ(Attributes(dom.out, "<section id=\"").size(), static_cast<std::size_t>(topics));
}
