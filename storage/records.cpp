// The records store: the record sections of the settings file, ranking
// results into the lists, and Clear Records.
#include "storage/records.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "storage/files.h"

RecordLists sheetRecords;
RecordLists campaignRecords;

static std::time_t SystemClock() { return std::time(nullptr); }
std::time_t (*RecordClock)() = SystemClock;

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
static std::string EntryField(const std::string& text)
{
    std::string field = text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        unsigned char byte = static_cast<unsigned char>(field[i]);
        if (ShiftJisCharLength(field, i) == 2)
            ++i;
        else if (byte < 0x20)
            field[i] = ' ';
        else if (byte == '[')
            field[i] = '(';
        else if (byte == ']')
            field[i] = ')';
    }
    return field;
}

std::string FormatRecordEntry(const std::string& name, const std::string& date, const std::string& value)
{
    // A longer name (only an edited file has one) would move the columns
    // that saving reads the entry back by.
    std::string entry = EntryField(CutPlayerName(name));
    entry.resize(NameBytes, ' ');
    entry += '\t';
    entry += EntryField(date);
    if (date.size() < 20)
        entry.append(20 - date.size(), ' ');
    entry += '\t';
    return entry + value;
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

// The parts of an entry: the name without its padding, the date, the value text.
static void SplitEntry(const std::string& entry, std::string* name, std::string* date, std::string* value)
{
    std::string head = entry.substr(0, NameBytes);
    head.erase(head.find_last_not_of(' ') + 1);
    *name = head;
    std::string rest = entry.size() > DatePosition ? entry.substr(DatePosition) : std::string();
    std::size_t tab = rest.find('\t');
    std::string dateField = rest.substr(0, tab);
    dateField.erase(dateField.find_last_not_of(' ') + 1);
    *date = dateField;
    *value = tab == std::string::npos ? std::string() : rest.substr(tab + 1);
}

static double EntryValue(const std::string& entry, bool wholeNumber)
{
    std::string name, date, value;
    SplitEntry(entry, &name, &date, &value);
    double number = LeadingDecimal(value.c_str());
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

static void ReadSection(const char* text, const std::string& header, int decimals, const int* builtIn,
                        std::vector<std::string>* list)
{
    list->clear();
    const char* at = text ? std::strstr(text, header.c_str()) : nullptr;
    if (!at) {
        for (int i = 0; i < RecordListSize; ++i)
            list->push_back(FormatRecordEntry(BuiltInNames[i], BuiltInDate, RecordValueText(builtIn[i], decimals)));
        return;
    }
    const char* lineEnd = std::strchr(at, '\n');
    if (!lineEnd)
        return;
    std::vector<std::string> lines = SplitLines(lineEnd + 1);
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
    ReadSection(text, ScoreHeader(key), 0, BuiltInScores, &lists->HighScoreList);
    ReadSection(text, RestHeader(key), IsCampaignKey(key) ? 2 : 0, BuiltInRests, &lists->RestList);
}

static void AppendSection(std::string* out, const std::string& header, const std::vector<std::string>& list)
{
    *out += header + "\r\n";
    for (const std::string& entry : list) {
        std::string name, date, value;
        SplitEntry(entry, &name, &date, &value);
        *out += name + " " + date + "=" + value + "\r\n";
    }
    *out += "\r\n";
}

std::string FormatRecordSections(const std::string& oldText, const RecordLists& lists)
{
    std::string scoreHeader = ScoreHeader(lists.loadedKey);
    std::string restHeader = RestHeader(lists.loadedKey);
    std::string out;
    bool dropping = false;
    for (const std::string& line : SplitLines(oldText)) {
        if (!line.empty() && line[0] == '[')
            dropping = false;
        if (line.find(scoreHeader) != std::string::npos || line.find(restHeader) != std::string::npos)
            dropping = true;
        if (!dropping)
            out += line + "\r\n";
    }
    AppendSection(&out, scoreHeader, lists.HighScoreList);
    AppendSection(&out, restHeader, lists.RestList);
    return out;
}

RewriteResult SaveRecordsOf(RecordLists* lists)
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
    RewriteResult result = RewriteFile(path, ProgramFilePath(TempFileName), text);
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

RewriteResult SaveRecords()
{
    RewriteResult sheet = SaveRecordsOf(&sheetRecords);
    RewriteResult campaign = SaveRecordsOf(&campaignRecords);
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
