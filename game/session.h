// The start and the end of a game: dealing or reloading the Board, the end
// of a game outside a campaign, and the question that follows it.
#pragma once

// The message that refuses a file that is not a valid saved game.
extern const char InvalidSavedGameText[];

// Chooses (keepNumber false) or keeps the number, seeds, fills the Board (or
// reloads the saved game it came from) and rewrites the title.
void DealBoard(bool keepNumber);

// The one way a game begins. keepHistory: the same board starts again and its
// moves stay available to Redo.
void StartGame(bool keepNumber, bool keepHistory);

// A new game on the board of a chosen GameNumber (Select Game's OK). A saved
// game opened before is forgotten, or the deal would read that file again.
void DealChosenNumber(int number);

// The board of the day (GameNumberOfDay of the local date given) as a chosen
// number; nothing while a campaign runs, which keeps the choice of board.
void DealBoardOfTheDay(int year, int month, int day);

// Rebuilds the Board from the saved game the current game came from. A file
// that is no longer a valid saved game is refused with a message, and a new
// game starts instead.
void LoadGame();

// The end of a game that is not a Campaign stage: the score option's
// deduction and the record check.
void EndGame();

// The question after a finished game: the same board again, or a new one.
void AskRetry();
