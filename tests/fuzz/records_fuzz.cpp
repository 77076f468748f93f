// libFuzzer target: the record sections of the settings file, read, written
// back and read again. Input: one byte choosing the key, then the file text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "storage/records.h"

static void Check(const RecordLists& lists)
{
    for (const std::vector<std::string>* list : {&lists.HighScoreList, &lists.RestList}) {
        if (list->size() > static_cast<std::size_t>(RecordListSize))
            std::abort();
        for (const std::string& entry : *list)
            if (entry.size() < 37 || entry[14] != '\t')
                std::abort();
    }
}

// Every date is one the program writes: "(yy/mm/dd hh:mm:ss)", padded.
static bool ProgramDates(const RecordLists& lists)
{
    static const char shape[] = "(00/00/00 00:00:00) \t";
    for (const std::vector<std::string>* list : {&lists.HighScoreList, &lists.RestList})
        for (const std::string& entry : *list)
            for (std::size_t i = 0; i + 1 < sizeof shape; ++i) {
                const char c = entry[15 + i];
                if (shape[i] == '0' ? (c < '0' || c > '9') : c != shape[i])
                    return false;
            }
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    static const char* const keys[] = {"16x12(5)", "8x6(3)", CampaignRecordKey};
    std::string key = keys[data[0] % 3];
    std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
    text = text.c_str();   // the file as LoadRecords sees it

    RecordLists lists;
    ReadRecordSections(text.c_str(), key, &lists);
    Check(lists);

    // A result ranked in, as the record checks place it.
    int position = RankHighScore(lists.HighScoreList, static_cast<double>(size % 200));
    if (position >= 0)
        PlaceRecordEntry(&lists.HighScoreList, position,
                         FormatRecordEntry(text.substr(0, 20), "(96/03/20 00:00:00)", std::to_string(size % 200)));
    int rest = RankRest(lists.RestList, static_cast<double>(size % 40), key != CampaignRecordKey);
    if (rest >= 0)
        PlaceRecordEntry(&lists.RestList, rest, FormatRecordEntry(text.substr(0, 25), RecordDate(0), key == CampaignRecordKey ? "3.00" : "3"));
    Check(lists);

    // Written back and read again, the lists are the same, as long as every
    // date is one the program writes (an edited date of any other shape, even
    // of 19 bytes, cannot always be told from the name before it).
    std::string written = FormatRecordSections(text, lists);
    RecordLists again;
    ReadRecordSections(written.c_str(), key, &again);
    Check(again);
    if (ProgramDates(lists) && (again.HighScoreList != lists.HighScoreList || again.RestList != lists.RestList))
        std::abort();
    return 0;
}
