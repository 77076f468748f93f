// The records store: top-ten lists of scores and rests per sheet and for
// Campaign, kept in record sections of the settings file.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "storage/files.h"

// The most entries a list holds.
const int RecordListSize = 10;

// One record dialog's lists, as display texts with fixed columns: the name
// padded to 14 bytes, a tab, the date padded to 20, a tab, the value.
struct RecordLists {
    bool keyLoaded = false;
    std::string loadedKey;            // the RecordKey the lists hold
    std::vector<std::string> HighScoreList;
    std::vector<std::string> RestList;
    int highScoreSelected = -1;       // the newest entry of each list, or -1
    int restSelected = -1;
    bool recordsChanged = false;      // an entry was added since these lists were written
};

// The Record dialog's lists (every sheet key) and the Campaign Record dialog's.
extern RecordLists sheetRecords;
extern RecordLists campaignRecords;

// The key of a sheet's records, "%dx%d(%d)", and the Campaign's.
std::string RecordKey(int columns, int rows, int cellNo);
extern const char CampaignRecordKey[];

// The heading of a record dialog showing its high scores or its rests, for
// the key its lists hold ("Edit" while they hold none).
std::string RecordHeading(const RecordLists& lists, bool rests);

// A list entry: "%-14s\t%-20s\t" then the value text as given.
std::string FormatRecordEntry(const std::string& name, const std::string& date, const std::string& value);

// The record date "(%y/%m/%d %H:%M:%S)" of a moment, in local time.
std::string RecordDate(std::time_t when);

// The name a record takes when the player gives none.
extern const char NoPlayerName[];

// A record's value as a list shows it, with this many decimals.
std::string RecordValueText(double value, int decimals);

// A player's name cut to 14 bytes without half a double-byte character.
std::string CutPlayerName(const std::string& name);

// Where a new value goes in a list, best first, or -1 for no record: a high
// score above the first value it equals or beats, a rest above the first it
// equals or undercuts. Sheet rests compare as whole numbers.
int RankHighScore(const std::vector<std::string>& list, double value);
int RankRest(const std::vector<std::string>& list, double value, bool wholeNumbers);

// Puts an entry at a ranked position; an eleventh entry falls off.
void PlaceRecordEntry(std::vector<std::string>* list, int position, const std::string& entry);

// Fills the lists with the records of key from the settings file's text
// (null: no file), or the built-in records where a section is missing.
void ReadRecordSections(const char* text, const std::string& key, RecordLists* lists);

// The settings file's new text: the old one without the key's sections,
// then the key's sections rebuilt from the lists.
std::string FormatRecordSections(const std::string& oldText, const RecordLists& lists);

// The record dialog of the mode (the Campaign's while a campaign runs) takes
// the records of key, writing the records it held first if they changed.
void LoadRecordsOf(RecordLists* lists, const std::string& key);

// Writes a dialog's lists into the settings file if they changed since they
// were last written; Rewritten also when there was nothing to write. A
// settings file that is there but cannot be read leaves them unwritten
// (NotReplaced).
RewriteResult SaveRecordsOf(RecordLists* lists, const FileOperations& files = DiskFiles);


// Writes every record dialog's lists that changed (at shutdown); the first
// failure, or Rewritten.
RewriteResult SaveRecords(const FileOperations& files = DiskFiles);

// Clear Records: the question to ask (OK / Cancel, caption "Hanabo32"), and
// what OK does: both dialogs forget their key and lists, and the whole
// settings file becomes "Hanabo.bak".
std::string ClearRecordsQuestion();
void ClearRecords();
