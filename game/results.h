// Results of finished games and campaigns entering the record lists.
#pragma once

// The end of a game outside a campaign, and the end of a whole campaign with
// its average score and rest per stage: a result that enters a list asks the
// player's name once and shows the list.
void RecordGameResult(double score, int rest);
void RecordCampaignResult(double averageScore, double averageRest);

// The current record dialog takes the records of the current sheet or Campaign.
void LoadRecords();
