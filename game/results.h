// Results of finished games and campaigns entering the record lists.
#pragma once

#include <string>

// The end of a game outside a campaign, and the end of a whole campaign with
// its average score and rest per stage: a result that enters a list asks the
// player's name once and shows the list.
void RecordGameResult(double score, int rest);
void RecordCampaignResult(double averageScore, double averageRest);

// The current record dialog takes the records of the current sheet or Campaign.
void LoadRecords();

// The Record command: the record dialog of the current mode (the Campaign's
// while a campaign runs), announced by the Score sound.
void ShowRecords();

// The Campaign Record dialog's lines about the campaign in progress.
struct CampaignRecordLines {
    std::string stage;     // "Stage No. ..." with the stage, the stages, the rest limit and the seed
    std::string average;   // the averages over the stages played so far; empty before stage 2
};

// A record dialog was activated or deactivated: the current record dialog
// takes the records of the current sheet or Campaign. For the Campaign Record
// dialog a GameNumber beyond the last stage is lowered to it (after the
// averages are taken), and its lines are returned.
CampaignRecordLines RecordDialogActivated(bool campaignDialog);
