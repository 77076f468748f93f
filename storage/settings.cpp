// The settings file: lookups, LoadSettings and SaveSettings.
#include "storage/settings.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string_view>
#include <utility>

#include "storage/sheet.h"
#include "storage/program_directory.h"
#include "storage/files.h"

Settings settings;

static const char SoundSubfolder[] = "Sound\\";

// The sound keys in SoundEvent order, with their defaults.
static const char* const SoundKeys[8] = {"Start", "Click", "HighScore", "Score",
                                         "CampaignClear", "Message", "Select", "Disappear"};
static const char* const SoundDefaults[8] = {"tada.wav", "pin.wav", "tada.wav", "tada.wav",
                                             "tada.wav", "ding.wav", "", ""};
// The order in which SaveSettings writes them, as SoundEvent indexes.
static const int SoundWriteOrder[8] = {0, 1, 3, 2, 4, 5, 6, 7};

static const int MinAnimIntrvl = 5;
static const int SpecialNumbersRead = 10;

static int HeldTo(int value, SettingRange range)
{
    return value < range.low ? range.low : value > range.high ? range.high : value;
}

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The whole file as a C string and where it ends, so that every search in it
// runs from where it starts to that end without measuring the rest again.
struct SettingsText {
    const char* begin = nullptr;  // null: no file
    const char* end = nullptr;
};

static SettingsText TextOf(const char* text)
{
    SettingsText whole;
    if (text) {
        whole.begin = text;
        whole.end = text + std::strlen(text);
    }
    return whole;
}

// The first occurrence of a non-empty needle in [from, end), or null: what
// strstr(from, needle) gives, since the text ends at `end`.
static const char* Find(const char* from, const char* end, const char* needle)
{
    const std::size_t length = std::strlen(needle);
    for (const char* at = from; static_cast<std::size_t>(end - at) >= length; ++at) {
        at = static_cast<const char*>(std::memchr(at, needle[0], static_cast<std::size_t>(end - at) - length + 1));
        if (!at)
            return nullptr;
        if (length == 1 || (at[1] == needle[1] && std::memcmp(at + 2, needle + 2, length - 2) == 0))
            return at;
    }
    return nullptr;
}

// Where the value of a numeric key starts, or null: after the first "[section]"
// anywhere, the next occurrence of the key that begins a line, then "=".
static const char* NumericValue(SettingsText text, const char* section, const char* key)
{
    if (!text.begin || !*key)
        return nullptr;
    std::string header = std::string("[") + section + "]";
    const char* at = Find(text.begin, text.end, header.c_str());
    if (!at)
        return nullptr;
    at += header.size();
    std::size_t keyLength = std::strlen(key);
    while ((at = Find(at, text.end, key)) != nullptr) {
        if (at[-1] == '\n')
            break;
        at += keyLength;
    }
    if (!at)
        return nullptr;
    at += keyLength;
    while (IsBlank(*at))
        ++at;
    if (*at != '=')
        return nullptr;
    ++at;
    while (IsBlank(*at))
        ++at;
    return at;
}

static int ReadInt(SettingsText text, const char* section, const char* key, int defaultValue)
{
    const char* at = NumericValue(text, section, key);
    if (!at)
        return defaultValue;
    long long value = 0;
    for (; *at >= '0' && *at <= '9'; ++at) {
        value = value * 10 + (*at - '0');
        if (value > INT_MAX)
            value = INT_MAX;   // more digits than a 32-bit number holds
    }
    return static_cast<int>(value);
}

static double ReadFloat(SettingsText text, const char* section, const char* key, double defaultValue)
{
    const char* at = NumericValue(text, section, key);
    if (!at)
        return defaultValue;
    return LeadingDecimal(at, false);
}

static int ReadBool(SettingsText text, const char* section, const char* key, int defaultValue)
{
    return ReadInt(text, section, key, defaultValue != 0 ? 1 : 0) != 0 ? 1 : 0;
}

int ReadIntSetting(const char* text, const char* section, const char* key, int defaultValue)
{
    return ReadInt(TextOf(text), section, key, defaultValue);
}

double ReadFloatSetting(const char* text, const char* section, const char* key, double defaultValue)
{
    return ReadFloat(TextOf(text), section, key, defaultValue);
}

int ReadBoolSetting(const char* text, const char* section, const char* key, int defaultValue)
{
    return ReadBool(TextOf(text), section, key, defaultValue);
}

static void CopyCut(const std::string& value, char* out, std::size_t outSize)
{
    if (outSize == 0)
        return;
    std::string cut = CutShiftJis(value, outSize - 1);
    std::memcpy(out, cut.c_str(), cut.size() + 1);
}

static void ReadStringIn(SettingsText whole, const char* search, const char* key, char* out, std::size_t outSize,
                         const char* defaultText)
{
    const char* text = whole.begin;
    std::string value = defaultText ? defaultText : "";
    const char* position = text;
    while (text && *search && *key) {
        const char* found = Find(position, whole.end, search);
        if (!found)
            break;
        const char* at = Find(found, whole.end, key);
        if (!at)
            break;
        if (at == text || at[-1] != '\n') {
            // Not a line start: look for the section again from the byte
            // before the key (always moving on, so the search ends).
            const char* next = at > text ? at - 1 : at;
            position = next > position ? next : position + 1;
            continue;
        }
        at += std::strlen(key);
        while (IsBlank(*at))
            ++at;
        if (*at != '=')
            break;
        ++at;
        while (IsBlank(*at))
            ++at;
        std::size_t length = std::strcspn(at, "\r\n");
        value.assign(at, length);
        break;
    }
    CopyCut(value, out, outSize);
}

void ReadStringSetting(const char* text, const char* search, const char* key, char* out, std::size_t outSize,
                       const char* defaultText)
{
    ReadStringIn(TextOf(text), search, key, out, outSize, defaultText);
}

static std::string ReadString(SettingsText text, const char* search, const char* key, const char* defaultText)
{
    char buffer[TextBufferSize];
    ReadStringIn(text, search, key, buffer, sizeof buffer, defaultText);
    return buffer;
}

void ReadSettings(const char* file, Settings* into)
{
    const SettingsText text = TextOf(file);
    Settings read;
    read.SheetSizeX = ReadInt(text, "system", "SheetSizeX", read.SheetSizeX);
    read.SheetSizeY = ReadInt(text, "system", "SheetSizeY", read.SheetSizeY);
    read.CellSize = ReadInt(text, "system", "CellSize", read.CellSize);
    // Kept as a signed byte, as the dealing reads it.
    read.CellNo = static_cast<signed char>(ReadInt(text, "system", "CellNo", read.CellNo));

    read.ToolBar = ReadBool(text, "system", "ToolBar", read.ToolBar);
    read.ScoreBar = ReadBool(text, "system", "ScoreBar", read.ScoreBar);
    read.BarOptionAuto = ReadBool(text, "system", "BarOptionAuto", read.BarOptionAuto);
    read.ScoreOption = ReadBool(text, "system", "ScoreOption", read.ScoreOption);

    // A hand-edited campaign is held to what the Campaign dialog offers: no
    // campaign without stages to divide its sums by, and none that resumes
    // at a stage it does not have.
    read.CampaignNo = ReadInt(text, "system", "CampaignNo", read.CampaignNo);
    read.CampaignRest = HeldTo(ReadInt(text, "system", "CampaignRest", read.CampaignRest), CampaignRestRange);
    read.CampaignStage = HeldTo(ReadInt(text, "system", "CampaignStage", read.CampaignStage), CampaignStageRange);
    read.CampaignTane = HeldTo(ReadInt(text, "system", "CampaignTane", read.CampaignTane), CampaignTaneRange);
    bool campaignSaved = ReadBool(text, "system", "Campaign", 0) != 0;
    read.Campaign = (campaignSaved && read.CampaignNo >= 1 && read.CampaignNo - 1 <= read.CampaignStage) ? 1 : 0;

    read.ScoreSum = ReadFloat(text, "system", "ScoreSum", read.ScoreSum);
    // No more than a whole campaign can leave, so that adding a stage's rest
    // cannot overflow.
    read.RestSum = HeldTo(ReadInt(text, "system", "RestSum", read.RestSum),
                          {0, CampaignStageRange.high * CampaignRestRange.high});
    read.BlankCell = ReadInt(text, "system", "BlankCell", read.BlankCell);
    read.AnimBMPOption = ReadBool(text, "system", "AnimBMPOption", read.AnimBMPOption);
    read.AnimIntrvl = ReadInt(text, "system", "AnimIntrvl", read.AnimIntrvl);
    if (read.AnimIntrvl < MinAnimIntrvl)
        read.AnimIntrvl = MinAnimIntrvl;

    read.MIDI = ReadString(text, "[Sound]", "MIDI", "");
    read.BGM = ReadBool(text, "Sound", "BGM", read.BGM);
    read.Sound = ReadBool(text, "Sound", "Sound", read.Sound);
    read.Path = ReadString(text, "Sound", "Path", ProgramDirectory());
    if (read.Path == ProgramDirectory())
        read.Path += SoundSubfolder;
    for (int event = 0; event < 8; ++event)
        read.soundFiles[event] = ReadString(text, "Sound", SoundKeys[event], SoundDefaults[event]);

    for (int n = 1; n <= SpecialNumbersRead; ++n) {
        std::string key = "N" + std::to_string(n);
        std::string entry = ReadString(text, "Special Number", key.c_str(), "");
        if (!entry.empty())
            read.specialNumbers.push_back(entry);
    }

    read.CellSize = RoundTileSize(read.CellSize);
    if (read.CellNo > StartCellNoLimit)
        read.CellNo = StartCellNoLimit;
    if (static_cast<long long>(read.CellSize) * read.SheetSizeX < BoardMinWidth)
        read.SheetSizeX = BoardMinWidth / read.CellSize;
    if (static_cast<long long>(read.CellSize) * read.SheetSizeY < BoardMinHeight)
        read.SheetSizeY = BoardMinHeight / read.CellSize;

    read.FormTop = ReadInt(text, "system", "FormTop", read.FormTop);
    read.FormLeft = ReadInt(text, "system", "FormLeft", read.FormLeft);
    read.Bitmap = ReadString(text, "system", "Bitmap", "");
    *into = std::move(read);
}

// A value as one line: a line end inside it would make lines of its own.
static std::string_view OneLine(const std::string& value)
{
    return std::string_view(value).substr(0, value.find_first_of("\r\n"));
}

static bool BeginsWith(std::string_view line, const char* start)
{
    return line.compare(0, std::strlen(start), start) == 0;
}

static bool IsSettingsHeader(std::string_view line)
{
    return BeginsWith(line, "[system]") || BeginsWith(line, "[Special Number]") || BeginsWith(line, "[Sound]");
}

std::string FormatSettings(const Settings& values, const std::string* oldText)
{
    std::string out;
    out.reserve(1024 + (oldText ? oldText->size() : 0));
    auto line = [&out](std::string_view text) { out.append(text).append("\r\n"); };
    auto keyLine = [&out](const char* key, std::string_view value) { out.append(key).append("=").append(value).append("\r\n"); };
    auto number = [&keyLine](const char* key, int value) { keyLine(key, std::to_string(value)); };
    auto flag = [&number](const char* key, int value) { number(key, value != 0 ? 1 : 0); };
    auto whole = [&line](const char* key, double value) {
        char text[512];
        std::snprintf(text, sizeof text, "%s=%.0f", key, value);
        line(text);
    };

    line("[system]");
    number("SheetSizeX", values.SheetSizeX);
    number("SheetSizeY", values.SheetSizeY);
    number("CellSize", values.CellSize);
    number("CellNo", values.CellNo);
    keyLine("Bitmap", values.Bitmap.empty() ? std::string_view(NoBitmapPath) : OneLine(values.Bitmap));
    number("BlankCell", values.BlankCell);
    flag("AnimBMPOption", values.AnimBMPOption);
    number("AnimIntrvl", values.AnimIntrvl);
    if (!values.windowMinimised) {
        number("FormTop", values.FormTop);
        number("FormLeft", values.FormLeft);
    }
    flag("ScoreBar", values.ScoreBar);
    flag("ToolBar", values.ToolBar);
    flag("ScoreOption", values.ScoreOption);
    flag("BarOptionAuto", values.BarOptionAuto);
    flag("BarOptionShift", values.BarOptionAuto == 0);
    flag("Campaign", values.Campaign);
    if (values.Campaign) {
        number("CampaignNo", values.CampaignNo);
        number("CampaignRest", values.CampaignRest);
        number("CampaignStage", values.CampaignStage);
        number("CampaignTane", values.CampaignTane);
        whole("ScoreSum", values.ScoreSum);
        whole("RestSum", values.RestSum);
    }
    line("");
    line("[Special Number]");
    for (std::size_t i = 0; i < values.specialNumbers.size(); ++i)
        keyLine(("N" + std::to_string(i + 1)).c_str(), OneLine(values.specialNumbers[i]));
    line("");
    line("[Sound]");
    flag("Sound", values.Sound);
    flag("BGM", values.BGM);
    keyLine("Path", OneLine(values.Path));
    for (int event : SoundWriteOrder)
        keyLine(SoundKeys[event], OneLine(values.soundFiles[event]));
    keyLine("MIDI", OneLine(values.MIDI));
    line("");

    // Everything outside the settings sections (the records) follows, in its
    // old order; every line ends with CR LF, even a last one that had no end.
    if (oldText) {
        bool dropping = false;
        std::size_t pos = 0;
        while (pos < oldText->size()) {
            std::size_t end = oldText->find('\n', pos);
            if (end == std::string::npos)
                end = oldText->size();
            std::size_t cut = end;
            if (cut > pos && (*oldText)[cut - 1] == '\r')
                --cut;
            const std::string_view old = std::string_view(*oldText).substr(pos, cut - pos);
            pos = end + 1;
            if (!old.empty() && old[0] == '[')
                dropping = IsSettingsHeader(old);
            if (!dropping)
                line(old);
        }
    }
    return out;
}

void LoadSettings()
{
    std::string text;
    if (ReadWholeFile(ProgramFilePath(SettingsFileName), &text))
        ReadSettings(text.c_str(), &settings);
    else
        ReadSettings(nullptr, &settings);
}

RewriteResult SaveSettings(const FileOperations& files)
{
    std::string path = ProgramFilePath(SettingsFileName);
    std::string tempPath = ProgramFilePath(TempFileName);
    std::string old;
    bool haveOld = ReadWholeFile(path, &old);
    std::string text = FormatSettings(settings, haveOld ? &old : nullptr);
    // A settings file that is there but cannot be read (or a folder of that
    // name) would lose its records if replaced: it stays as it is, and this
    // run's settings stay in the temporary file beside it.
    if (haveOld || FileIsAbsent(path))
        return RewriteFile(path, tempPath, text, files);
    return WriteTempFile(tempPath, text, files);
}
