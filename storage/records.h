// The records store: top-ten lists of scores and rests per sheet and for Campaign.
#pragma once

// The record lists take the records of the current sheet and mode.
void LoadRecords();

// Enters the result of a finished game into the current sheet's lists.
void RecordGameResult(double score, int rest);
