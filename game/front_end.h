// What the game asks of the front end: the screen, the speakers and the dialogs.
// The Win32 program implements these calls; the unit tests link a recording fake.
#pragma once

#include <cstddef>

// The eight occasions that have a sound.
enum class SoundEvent { Start, Click, HighScore, Score, CampaignClear, Message, Select, Disappear };

// Error messages carry the caption "Hanabo32-Error", notices "Hanabo32".
enum class MessageKind { Notice, Error };

// The commands whose toolbar button or menu item the game greys out or enables.
enum class GameCommand { New, Open, Save, SelectGame, Redo, BoardOfTheDay };

// The board: one cell from its current value (and animation frame), or the
// whole board with its frame and the rest of the client area.
void DrawCell(int column, int row);
void RepaintBoard();

void PlaySoundEvent(SoundEvent event);

// Message boxes. The caller plays the Message sound first where one belongs.
void ShowMessage(const char* text, MessageKind kind);
bool AskYesNo(const char* text);

// Asks the player's name for a record list (the "High Score!" entry, or the
// "Rest Record!" one when restRecord), showing name as it comes in and
// returning the text typed there; false when no name was taken.
bool AskPlayerName(bool restRecord, char* name, std::size_t size);

// The time now in seconds since 1970, which dates a new record.
long long CurrentTime();

// Shows the record dialog of the sheets or of the Campaign over the main
// window's top-left corner, with the lists' newest entries selected.
void ShowRecordDialog(bool campaign);

// The Campaign dialog, modeless: opened when campaign mode is switched on (if
// it is not open yet), closed when the choice is made or the mode switched off.
void OpenCampaignDialog();
void CloseCampaignDialog();

// Applies a tile picture path as the Bitmap setting does (the tile-set loader,
// which may start a new game when the set changes to or from the road set);
// returns the TileSetKind now in use.
int ApplyTilePicture(const char* path);

// Sizes the main window to the Board (ts x columns by ts x rows).
void SizeWindowToBoard();

// The shared file dialog, for opening or for saving: one filter (its name and
// pattern), the starting folder and file name. Fills path with the chosen
// file; false when the dialog was cancelled.
bool ChooseFile(bool save, const char* filterName, const char* filterPattern, const char* folder,
                const char* name, char* path, std::size_t size);

void EnableCommand(GameCommand command, bool enabled);
void CheckCampaignItem(bool checked);

// The single animation timer (window timer 1).
void StartAnimationTimer(int intervalMs);
void StopAnimationTimer();

// Stretches frame `frame` of band `band` of the tile picture into the
// AnimationSlot, which every marked Cell of an animated set shows; a frame
// outside the picture leaves the slot as it was.
void DrawAnimationFrame(int band, int frame);

// Whether the selection animation must stop: a bar that is off has popped up
// over the board, or the main window is minimised.
bool AnimationPaused();

// The texts around the board.
void SetTitle(const char* text);
void SetScoreBarField(int field, const char* text);
void SetClickCounter(const char* text);

// Windows that a mouse move over the board puts away.
void HideRecordDialogs();
void CloseMoveSlider();

// Lets the toolbar and the score bar that show on demand appear or hide for a
// pointer at board row position y with the mouse-message key flags; true when
// the pointer went to a bar and the hover ends there.
bool RevealBars(int y, int keys);
