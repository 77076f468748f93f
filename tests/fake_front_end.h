// A recording front end for the unit tests: remembers every call and answers
// questions from a queue that the test fills.
#pragma once

#include <deque>
#include <map>
#include <set>
#include <utility>
#include <string>
#include <vector>

#include "game/front_end.h"

struct FakeFrontEnd {
    std::vector<std::string> calls;        // every call, in order, e.g. "DrawCell 3 4"
    std::vector<SoundEvent> sounds;
    std::vector<std::string> messages;     // texts of ShowMessage and AskYesNo
    std::deque<bool> yesNoAnswers;         // AskYesNo answers; No when empty
    std::deque<std::string> names;         // AskPlayerName answers; cancel when empty
    std::deque<std::string> chosenFiles;   // ChooseFile answers; cancel when empty
    long long now = 1000000000;            // what CurrentTime answers, so that record dates are known
    int tilePictureKind = 1;               // the TileSetKind ApplyTilePicture reports
    std::string title;
    std::string scoreBar[7];
    std::string clickCounter;
    std::map<GameCommand, bool> enabled;
    bool campaignChecked = false;
    bool campaignDialogOpen = false;
    bool timerRunning = false;
    int timerInterval = 0;
    bool animationPaused = false;          // what AnimationPaused answers
    std::vector<std::string> animationFrames;  // "band frame" of each DrawAnimationFrame
    int repaints = 0;
    std::set<std::pair<int, int>> framed;  // Cells (column, row) last drawn with the keyboard's cursor frame
    bool quiet = false;                    // benchmarks: DrawCell and DrawAnimationFrame record nothing
};

extern FakeFrontEnd fake;

// Forgets everything recorded so far.
void ResetFakeFrontEnd();

// How many of the recorded calls begin with this text.
int CallCount(const std::string& prefix);
