// The statistics of the games played. A game counts once: when it ends, when
// another game starts after it had a removal, or when the program ends; Undo,
// Again and the retry question replay the same game and count nothing more.
// A game in which help was used counts nowhere and enters no record list.
#pragma once

#include <string>

#include "storage/statistics.h"

// Start-up: the statistics file's figures; a broken file gives empty ones
// and a message.
void LoadStatistics();

// A removal made in play (not a replay).
void NoteRemoval();

// Help was used in the game in progress (the Hint): it and the campaign it
// belongs to enter no record list and no statistics.
void MarkGameAssisted();

// A new game begins (a new board, or another attempt at a failed stage); the
// game left counts as played, not cleared, if it had a removal.
void BeginGameTally();

// A new campaign begins, not yet assisted.
void BeginCampaignTally();

// The end of a game (campaign: of a Campaign stage): counts it under the
// sheet's key or the Campaign's unless it counted already. An assisted game
// counts nothing: the player is told, and false is returned.
bool CountGameEnd(bool campaign, bool cleared, double score, int rest);

// Help was used in some stage of the campaign in progress.
bool CampaignAssisted();

// Tells the player that a game or campaign enters no record and no statistics.
void TellAssisted();

// Shutdown: the game in progress counts if it had a removal, and the file is
// written if anything changed. Its outcome; a failure is not told here.
RewriteResult CloseStatistics();

// The Statistics dialog: the current sheet's key, a key's figures, and
// Reset, which writes the file at once (the dialog tells of a failure).
std::string SheetStatisticsKey();
KeyStatistics StatisticsOf(const std::string& key);
RewriteResult ResetStatistics(const std::string& key);

// The notice at the end of a game that used help (its exact bytes are checked
// end to end).
extern const char AssistedText[];

// The message that tells of a statistics file that could not be written.
extern const char StatisticsNotWrittenText[];
