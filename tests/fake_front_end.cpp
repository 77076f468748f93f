// The recording front end that the unit tests link instead of the Win32 program.
#include "tests/fake_front_end.h"

#include <cstring>

#include "game/keyboard.h"

FakeFrontEnd fake;

void ResetFakeFrontEnd() { fake = FakeFrontEnd(); }

int CallCount(const std::string& prefix)
{
    int n = 0;
    for (const std::string& call : fake.calls)
        n += call.compare(0, prefix.size(), prefix) == 0;
    return n;
}

static void Note(const std::string& call) { fake.calls.push_back(call); }

// Takes the next answer the test queued into out; false (cancel) when none is left.
static bool Answer(std::deque<std::string>& answers, char* out, std::size_t size)
{
    if (answers.empty() || size == 0)
        return false;
    std::strncpy(out, answers.front().c_str(), size - 1);
    out[size - 1] = '\0';
    answers.pop_front();
    return true;
}

void DrawCell(int column, int row)
{
    if (CursorAt(column, row))
        fake.framed.insert({column, row});
    else
        fake.framed.erase({column, row});
    if (fake.quiet)
        return;
    Note("DrawCell " + std::to_string(column) + " " + std::to_string(row));
}

void RepaintBoard()
{
    ++fake.repaints;
    fake.framed.clear();
    if (keyCursor.shown)
        fake.framed.insert({keyCursor.column, keyCursor.row});
    Note("RepaintBoard");
}

void PlaySoundEvent(SoundEvent event)
{
    fake.sounds.push_back(event);
    Note("PlaySoundEvent " + std::to_string(static_cast<int>(event)));
}

void ShowMessage(const char* text, MessageKind kind)
{
    fake.messages.push_back(text);
    Note(std::string(kind == MessageKind::Error ? "ShowError " : "ShowMessage ") + text);
}

bool AskYesNo(const char* text)
{
    fake.messages.push_back(text);
    Note(std::string("AskYesNo ") + text);
    if (fake.yesNoAnswers.empty())
        return false;
    bool answer = fake.yesNoAnswers.front();
    fake.yesNoAnswers.pop_front();
    return answer;
}

bool AskPlayerName(bool restRecord, char* name, std::size_t size)
{
    Note(std::string("AskPlayerName ") + (restRecord ? "rest " : "score ") + name);
    return Answer(fake.names, name, size);
}

long long CurrentTime() { return fake.now; }

void EnableCommand(GameCommand command, bool enabled)
{
    fake.enabled[command] = enabled;
    Note("EnableCommand " + std::to_string(static_cast<int>(command)) + (enabled ? " on" : " off"));
}

void CheckCampaignItem(bool checked) { fake.campaignChecked = checked; }

void StartAnimationTimer(int intervalMs)
{
    fake.timerRunning = true;
    fake.timerInterval = intervalMs;
    Note("StartAnimationTimer " + std::to_string(intervalMs));
}

void StopAnimationTimer()
{
    fake.timerRunning = false;
    Note("StopAnimationTimer");
}

void DrawAnimationFrame(int band, int frame)
{
    if (fake.quiet)
        return;
    fake.animationFrames.push_back(std::to_string(band) + " " + std::to_string(frame));
    Note("DrawAnimationFrame " + std::to_string(band) + " " + std::to_string(frame));
}

bool AnimationPaused() { return fake.animationPaused; }

void SetTitle(const char* text) { fake.title = text; }

void SetScoreBarField(int field, const char* text)
{
    if (field >= 0 && field < 7)
        fake.scoreBar[field] = text;
}

void SetClickCounter(const char* text) { fake.clickCounter = text; }

void HideRecordDialogs() { Note("HideRecordDialogs"); }

void CloseMoveSlider() { Note("CloseMoveSlider"); }

bool RevealBars(int, int) { return false; }

void ShowRecordDialog(bool campaign) { Note(std::string("ShowRecordDialog ") + (campaign ? "campaign" : "sheet")); }

bool ChooseFile(bool save, const char* filterName, const char* filterPattern, const char* folder, const char* name,
                char* path, std::size_t size)
{
    Note(std::string(save ? "ChooseFile save " : "ChooseFile open ") + filterName + "|" + filterPattern + "|" +
         folder + "|" + name);
    return Answer(fake.chosenFiles, path, size);
}

int ApplyTilePicture(const char* path)
{
    Note(std::string("ApplyTilePicture ") + path);
    return fake.tilePictureKind;
}

void SizeWindowToBoard() { Note("SizeWindowToBoard"); }

void OpenCampaignDialog()
{
    fake.campaignDialogOpen = true;
    Note("OpenCampaignDialog");
}

void CloseCampaignDialog()
{
    fake.campaignDialogOpen = false;
    Note("CloseCampaignDialog");
}
