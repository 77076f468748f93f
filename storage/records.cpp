// The records store: the record sections of the settings file, ranking
// results into the lists, and Clear Records.
#include "storage/records.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "storage/files.h"

RecordLists sheetRecords;
RecordLists campaignRecords;

const char CampaignRecordKey[] = "Campaign";

static const char CampaignScoreHeader[] = "[CampaignScore]";
static const char CampaignClearHeader[] = "[CampaignClear]";
const char NoPlayerName[] = "No Name";
static const char ClearRecordsText[] =
    "\x8d\xa1\x82\xdc\x82\xc5\x82\xcc\x8b\x4c\x98\x5e\x82\xcd\x25\x73\x82\xc9\x95\xdb\x91\xb6\x82\xb3\x82\xea\x82"
    "\xdc\x82\xb7";  // 今までの記録は%sに保存されます

static const std::size_t NameBytes = 14;
static const std::size_t DatePosition = 15;

// The built-in records, used for a list whose section the file lacks.
static const char BuiltInDate[] = "(96/03/20 00:00:00)";
static const char* const BuiltInNames[RecordListSize] = {"AAA", "BBB", "CCC", "DDD", "EEE",
                                                         "FFF", "GGG", "HHH", "III", "JJJ"};
static const int BuiltInScores[RecordListSize] = {100, 90, 80, 80, 70, 70, 60, 60, 50, 50};
static const int BuiltInRests[RecordListSize] = {5, 5, 10, 10, 15, 15, 20, 20, 30, 30};

std::string RecordKey(int columns, int rows, int cellNo)
{
    return std::to_string(columns) + "x" + std::to_string(rows) + "(" + std::to_string(cellNo) + ")";
}

static bool IsCampaignKey(const std::string& key) { return key == CampaignRecordKey; }

static std::string ScoreHeader(const std::string& key)
{
    return IsCampaignKey(key) ? std::string(CampaignScoreHeader) : "[S" + key + "]";
}

static std::string RestHeader(const std::string& key)
{
    return IsCampaignKey(key) ? std::string(CampaignClearHeader) : "[C" + key + "]";
}

std::string RecordHeading(const RecordLists& lists, bool rests)
{
    if (!lists.keyLoaded)
        return "Edit";
    // Both sheet headings start the key at byte 27.
    std::string heading = rests ? "Rest Record       - " : "High Score Record - ";
    return heading + (IsCampaignKey(lists.loadedKey) ? lists.loadedKey : "Matrix " + lists.loadedKey);
}

std::string CutPlayerName(const std::string& name) { return CutShiftJis(name, NameBytes); }

// A name or date as an entry holds it: a tab would move the columns, and
// brackets could make a record line read as a section header, so single-byte
// tabs and control bytes become spaces, "[" becomes "(" and "]" becomes ")".
// Double-byte characters, whose second byte may have those values, stay: a
// header, ending in a single-byte "]", can then never be inside a record line.
static bool IsPlainByte(unsigned char byte) { return byte >= 0x20 && byte < 0x7F && byte != '[' && byte != ']'; }

static void AppendEntryField(std::string* entry, const std::string& text)
{
    // Printable single bytes other than the brackets go over as they are, a run at a time.
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t end = i;
        while (end < text.size() && IsPlainByte(static_cast<unsigned char>(text[end])))
            ++end;
        entry->append(text, i, end - i);
        i = end;
        if (i >= text.size())
            break;
        char byte = text[i];
        if (ShiftJisCharLength(text, i) == 2) {
            entry->append(text, i, 2);
            i += 2;
            continue;
        }
        const unsigned char code = static_cast<unsigned char>(byte);
        if (code < 0x20)
            byte = ' ';
        else if (byte == '[')
            byte = '(';
        else if (byte == ']')
            byte = ')';
        *entry += byte;
        ++i;
    }
}

std::string FormatRecordEntry(const std::string& name, const std::string& date, const std::string& value)
{
    // A longer name (only an edited file has one) would move the columns
    // that saving reads the entry back by.
    std::string entry;
    entry.reserve(NameBytes + 1 + (date.size() < 20 ? 20 : date.size()) + 1 + value.size());
    AppendEntryField(&entry, CutPlayerName(name));
    entry.resize(NameBytes, ' ');
    entry += '\t';
    AppendEntryField(&entry, date);
    if (date.size() < 20)
        entry.append(20 - date.size(), ' ');
    entry += '\t';
    entry += value;
    return entry;
}

std::string RecordDate(std::time_t when)
{
    char text[64] = "";
    std::tm* local = std::localtime(&when);
    if (local)
        std::strftime(text, sizeof text, "(%y/%m/%d %H:%M:%S)", local);
    return text;
}

std::string RecordValueText(double value, int decimals)
{
    char text[512];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

// Where the parts of an entry lie in it: the name without its padding, the
// date without its padding, the value text (to the end of the entry).
struct EntryParts {
    std::size_t nameLength = 0;
    std::size_t dateLength = 0;
    std::size_t valueStart = std::string::npos;  // npos: no value
};

static EntryParts SplitEntry(const std::string& entry)
{
    EntryParts parts;
    std::size_t name = entry.size() < NameBytes ? entry.size() : NameBytes;
    while (name > 0 && entry[name - 1] == ' ')
        --name;
    parts.nameLength = name;
    if (entry.size() <= DatePosition)
        return parts;
    std::size_t tab = entry.find('\t', DatePosition);
    std::size_t date = (tab == std::string::npos ? entry.size() : tab) - DatePosition;
    while (date > 0 && entry[DatePosition + date - 1] == ' ')
        --date;
    parts.dateLength = date;
    if (tab != std::string::npos)
        parts.valueStart = tab + 1;
    return parts;
}

static double EntryValue(const std::string& entry, bool wholeNumber)
{
    EntryParts parts = SplitEntry(entry);
    double number = LeadingDecimal(parts.valueStart == std::string::npos ? "" : entry.c_str() + parts.valueStart);
    return wholeNumber ? std::trunc(number) : number;
}

int RankHighScore(const std::vector<std::string>& list, double value)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (EntryValue(list[i], false) <= value)
            return static_cast<int>(i);
    return list.size() < static_cast<std::size_t>(RecordListSize) ? static_cast<int>(list.size()) : -1;
}

int RankRest(const std::vector<std::string>& list, double value, bool wholeNumbers)
{
    for (std::size_t i = 0; i < list.size(); ++i)
        if (EntryValue(list[i], wholeNumbers) >= value)
            return static_cast<int>(i);
    return list.size() < static_cast<std::size_t>(RecordListSize) ? static_cast<int>(list.size()) : -1;
}

void PlaceRecordEntry(std::vector<std::string>* list, int position, const std::string& entry)
{
    if (position < 0 || static_cast<std::size_t>(position) > list->size())
        return;
    list->insert(list->begin() + position, entry);
    if (list->size() > static_cast<std::size_t>(RecordListSize))
        list->resize(RecordListSize);
}

// A record line "name (date)=value": false when it is not one (which ends
// its list). The date is the 19 bytes "(...)" before a ")=" when they follow
// a space, so that a name holding " (" or ")=" reads back whole; otherwise
// everything from the first " (" to the first ")=".
static bool ParseRecordLine(const std::string& line, std::string* name, std::string* date, double* value)
{
    std::size_t close = line.find(")=");
    if (close == std::string::npos)
        return false;
    std::size_t open = std::string::npos;
    for (std::size_t at = close; at != std::string::npos && open == std::string::npos; at = line.find(")=", at + 1))
        if (at >= 19 && line[at - 18] == '(' && line[at - 19] == ' ') {
            open = at - 18;
            close = at;
        }
    if (open == std::string::npos) {
        std::size_t spaced = line.find(" (");
        if (spaced == std::string::npos || spaced + 1 > close)
            return false;
        open = spaced + 1;
    }
    *name = line.substr(0, open - 1);
    *date = line.substr(open, close + 1 - open);
    *value = LeadingDecimal(line.c_str() + close + 2);
    return true;
}

// The built-in list of values shown with this many decimals.
static std::vector<std::string> BuiltInList(const int* values, int decimals)
{
    std::vector<std::string> list;
    for (int i = 0; i < RecordListSize; ++i)
        list.push_back(FormatRecordEntry(BuiltInNames[i], BuiltInDate, RecordValueText(values[i], decimals)));
    return list;
}

static void ReadSection(const char* text, const std::string& header, int decimals,
                        const std::vector<std::string>& builtIn, std::vector<std::string>* list)
{
    list->clear();
    list->reserve(RecordListSize);
    const char* at = text ? std::strstr(text, header.c_str()) : nullptr;
    if (!at) {
        *list = builtIn;
        return;
    }
    const char* lineEnd = std::strchr(at, '\n');
    if (!lineEnd)
        return;
    // Each line gives an entry or ends the list, so the first ten are all it can use.
    std::vector<std::string> lines = SplitLines(lineEnd + 1, RecordListSize);
    for (std::size_t i = 0; i < lines.size() && list->size() < static_cast<std::size_t>(RecordListSize); ++i) {
        std::string name, date;
        double value = 0;
        if (!lines[i].empty() && lines[i][0] == '[')
            break;
        if (!ParseRecordLine(lines[i], &name, &date, &value))
            break;
        list->push_back(FormatRecordEntry(name, date, RecordValueText(value, decimals)));
    }
}

void ReadRecordSections(const char* text, const std::string& key, RecordLists* lists)
{
    lists->keyLoaded = true;
    lists->loadedKey = key;
    lists->highScoreSelected = -1;
    lists->restSelected = -1;
    // The built-in lists are made once.
    static const std::vector<std::string> scores = BuiltInList(BuiltInScores, 0);
    static const std::vector<std::string> sheetRests = BuiltInList(BuiltInRests, 0);
    static const std::vector<std::string> campaignRests = BuiltInList(BuiltInRests, 2);
    const bool campaign = IsCampaignKey(key);
    ReadSection(text, ScoreHeader(key), 0, scores, &lists->HighScoreList);
    ReadSection(text, RestHeader(key), campaign ? 2 : 0, campaign ? campaignRests : sheetRests, &lists->RestList);
}

static void AppendSection(std::string* out, const std::string& header, const std::vector<std::string>& list)
{
    out->append(header).append("\r\n");
    for (const std::string& entry : list) {
        EntryParts parts = SplitEntry(entry);
        out->append(entry, 0, parts.nameLength).append(" ");
        if (parts.dateLength > 0)
            out->append(entry, DatePosition, parts.dateLength);
        out->append("=");
        if (parts.valueStart != std::string::npos)
            out->append(entry, parts.valueStart, std::string::npos);
        out->append("\r\n");
    }
    out->append("\r\n");
}

std::string FormatRecordSections(const std::string& oldText, const RecordLists& lists)
{
    std::string scoreHeader = ScoreHeader(lists.loadedKey);
    std::string restHeader = RestHeader(lists.loadedKey);
    std::string out;
    out.reserve(oldText.size() + 64 * (lists.HighScoreList.size() + lists.RestList.size() + 2));
    bool dropping = false;
    std::size_t pos = 0;
    std::string_view line;
    while (NextLine(oldText, &pos, &line)) {
        if (!line.empty() && line[0] == '[')
            dropping = false;
        if (line.find(scoreHeader) != std::string_view::npos || line.find(restHeader) != std::string_view::npos)
            dropping = true;
        if (!dropping)
            out.append(line).append("\r\n");
    }
    AppendSection(&out, scoreHeader, lists.HighScoreList);
    AppendSection(&out, restHeader, lists.RestList);
    return out;
}

RewriteResult SaveRecordsOf(RecordLists* lists, const FileOperations& files)
{
    if (!lists->recordsChanged || !lists->keyLoaded)
        return RewriteResult::Rewritten;
    std::string path = ProgramFilePath(SettingsFileName);
    std::string old;
    // Without a settings file yet (a first run, or after Clear Records) the
    // records start one, which SaveSettings carries over; one that is there
    // but cannot be read is left alone and the records wait for a later try.
    if (!ReadWholeFile(path, &old) && !FileIsAbsent(path))
        return RewriteResult::NotReplaced;
    std::string text = FormatRecordSections(old, *lists);
    // A failed rewrite keeps the flag, so that a later save tries again.
    RewriteResult result = RewriteFile(path, ProgramFilePath(TempFileName), text, files);
    if (result == RewriteResult::Rewritten)
        lists->recordsChanged = false;
    return result;
}

void LoadRecordsOf(RecordLists* lists, const std::string& key)
{
    if (lists->keyLoaded && lists->loadedKey == key)
        return;
    if (!lists->HighScoreList.empty())
        SaveRecordsOf(lists);
    // The records of the old key that could not be written are gone now.
    lists->recordsChanged = false;
    std::string text;
    bool haveFile = ReadWholeFile(ProgramFilePath(SettingsFileName), &text);
    ReadRecordSections(haveFile ? text.c_str() : nullptr, key, lists);
}

RewriteResult SaveRecords(const FileOperations& files)
{
    RewriteResult sheet = SaveRecordsOf(&sheetRecords, files);
    RewriteResult campaign = SaveRecordsOf(&campaignRecords, files);
    return sheet != RewriteResult::Rewritten ? sheet : campaign;
}

std::string ClearRecordsQuestion()
{
    std::string backup = CutShiftJis(ProgramFilePath(BackupFileName), TextBufferSize - 1);
    char text[2 * TextBufferSize];
    std::snprintf(text, sizeof text, ClearRecordsText, backup.c_str());
    return text;
}

void ClearRecords()
{
    for (RecordLists* lists : {&sheetRecords, &campaignRecords}) {
        lists->keyLoaded = false;
        lists->loadedKey.clear();
        lists->HighScoreList.clear();
        lists->RestList.clear();
        lists->highScoreSelected = -1;
        lists->restSelected = -1;
    }
    std::string path = ProgramFilePath(SettingsFileName);
    // The settings file becomes the backup in one step, replacing an old one.
    ReplaceFileWith(path, ProgramFilePath(BackupFileName));
}
