// Scoring, the score bar and click counter texts, and the test for the end of a game.
#pragma once

// The score bar's seven fields, from the left.
const int ScoreBarFields = 7;
const int ScoreBarSizeField = 5;     // the size of the highlighted group
const int ScoreBarScoreField = 6;

// Adds (n - 2)^2 for a removal of n tiles.
void ScoreRemoval(int n);

// The score as shown: with the score option on, less the tiles left.
double ShownScore();

// Rewrites every field of the score bar.
void ShowScoreBar();

// The text of one score bar field (at most size - 1 bytes).
void FormatScoreBarField(int field, char* text, int size);

// Rewrites the click counter box: "%d(%d) %s".
void ShowClickCounter();
void FormatClickCounter(char* text, int size);

// The rules' end test on the game's Board, in the current mode.
bool IsGameOver();
