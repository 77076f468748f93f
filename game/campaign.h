// Campaign mode: a run of numbered stages dealt from the campaign's seed, each
// to be ended with no more tiles left than the campaign allows.
#pragma once

#include "game/history.h"

// The Campaign command, also run when a campaign ends: switches campaign mode
// off, or on with the Campaign dialog open to choose the campaign.
void ToggleCampaign();

// A campaign is in progress: campaign mode is on and its dialog is not still
// open to choose it. Only such a campaign is kept for the next run.
bool CampaignRunning();

// The Campaign dialog's three scroll bars, in the order of its rows.
enum class CampaignBar { Rest, Stages, Seed };

struct CampaignBarRange {
    int low;
    int high;
    int start;   // where the bar stands when the dialog opens, whatever the last campaign chose
};
CampaignBarRange CampaignBarRangeOf(CampaignBar bar);

// A bar's new position after a scroll request: steps of 1 and pages of 10,
// kept within the bar's range.
int CampaignBarScrolled(CampaignBar bar, int position, SliderRequest request, int thumb);

// OK in the Campaign dialog: the campaign with these choices begins at stage 1.
void ConfirmCampaign(int rest, int stages, int seed);
// Cancel in the Campaign dialog: campaign mode stays off.
void CancelCampaign();

// The end of a Campaign stage: called instead of EndGame when a removal ends
// the game while a campaign runs.
void EndStage();

// Greys New, Open, Save, Select Game and the board of the day while a campaign runs.
void LockBoardChoice();

// Start-up: a campaign that was running when the program last ended goes on
// (the settings file decides whether one was); its stage is dealt from its start.
void ResumeCampaign();
