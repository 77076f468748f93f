// The settings file "Hanabo.ini": its lookups, reading it at start-up and
// writing it at shutdown while carrying over the record sections.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "storage/files.h"
#include "storage/sheet.h"

// One variable per key of the settings file. LoadSettings fills it from the
// file, applying every default and limit; start-up then applies the values to
// the window and the game. Before SaveSettings the shell brings the fields
// that other parts own up to date (window position, campaign, game number,
// special numbers).
struct Settings {
    // [system]
    int SheetSizeX = DefaultColumns;
    int SheetSizeY = DefaultRows;
    int CellSize = DefaultTileSize;
    signed char CellNo = DefaultCellNo;
    std::string Bitmap;           // empty or "(null)": the built-in tiles
    int BlankCell = 0;
    int AnimBMPOption = 0;
    int AnimIntrvl = 50;
    int FormTop = 10;
    int FormLeft = 10;
    int ScoreBar = 1;
    int ToolBar = 1;
    int ScoreOption = 0;
    int BarOptionAuto = 1;        // BarOptionShift is always its opposite
    int Campaign = 0;             // read: the campaign resumes; written: a campaign is in progress
    int CampaignNo = 0;           // read: as in the file; written: the current GameNumber
    int CampaignRest = 5;
    int CampaignStage = 10;
    int CampaignTane = 0;
    double ScoreSum = 0;
    int RestSum = 0;
    // [Special Number]: the SpecialNumberList's entries, in list order.
    std::vector<std::string> specialNumbers;
    // [Sound]
    int Sound = 0;
    int BGM = 0;
    std::string Path;             // the SoundFolder
    std::string soundFiles[8];    // wave file of each SoundEvent, in SoundEvent order
    std::string MIDI;             // the MusicFile
    // Not a key: the main window is minimised, so its position is not written.
    bool windowMinimised = false;
};

// The campaign's choices as the Campaign dialog offers them (lowest, highest);
// values read from the file are held to them.
struct SettingRange {
    int low;
    int high;
};
const SettingRange CampaignRestRange = {0, 100};
const SettingRange CampaignStageRange = {5, 150};
const SettingRange CampaignTaneRange = {0, 30000};

// The one Settings of the program.
extern Settings settings;

// Before any tile set is classified, the most tile kinds a sheet may have.
const int StartCellNoLimit = 5;

// The lookups. text is the whole file, NUL-terminated, or null when there is
// no file; every lookup on a null text gives its default.
int ReadIntSetting(const char* text, const char* section, const char* key, int defaultValue);
double ReadFloatSetting(const char* text, const char* section, const char* key, double defaultValue);
int ReadBoolSetting(const char* text, const char* section, const char* key, int defaultValue);
// Finds the section by the search text itself, then the key; fills out (of
// outSize bytes, cut there without half a character) with the value or the
// default (null: empty).
void ReadStringSetting(const char* text, const char* search, const char* key, char* out, std::size_t outSize,
                       const char* defaultText);

// Every key read from the text with its default and limits, in the order
// start-up applies them. Uses ProgramDirectory for the sound folder.
void ReadSettings(const char* text, Settings* into);

// The new file: lines 1 to 25 from the values, then every line of the old
// file (null: none) that lies outside the three settings sections.
std::string FormatSettings(const Settings& values, const std::string* oldText);

// Reads "Hanabo.ini" from ProgramDirectory into settings (defaults when there
// is no file).
void LoadSettings();

// Writes settings to "Hanabo.tmp" and lets it replace "Hanabo.ini" in one
// step. A failure leaves the old file as it was; a settings file that is
// there but cannot be read (or a folder of that name) is not replaced at all,
// and this run's settings stay in the temporary file beside it (NotReplaced).
RewriteResult SaveSettings(const FileOperations& files = DiskFiles);
