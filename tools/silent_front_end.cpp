// The front end of the command-line tools: nothing to draw, play or ask.
#include "game/front_end.h"

#include <ctime>

void DrawCell(int, int) {}
void RepaintBoard() {}
void PlaySoundEvent(SoundEvent) {}
void ShowMessage(const char*, MessageKind) {}
bool AskYesNo(const char*) { return false; }
bool AskPlayerName(bool, char*, std::size_t) { return false; }
long long CurrentTime() { return std::time(nullptr); }
void ShowRecordDialog(bool) {}
int ApplyTilePicture(const char*) { return 1; }
void SizeWindowToBoard() {}
bool ChooseFile(bool, const char*, const char*, const char*, const char*, char*, std::size_t) { return false; }
void EnableCommand(GameCommand, bool) {}
void CheckCampaignItem(bool) {}
void StartAnimationTimer(int) {}
void StopAnimationTimer() {}
void DrawAnimationFrame(int, int) {}
bool AnimationPaused() { return false; }
void SetTitle(const char*) {}
void SetScoreBarField(int, const char*) {}
void SetClickCounter(const char*) {}
void HideRecordDialogs() {}
void CloseMoveSlider() {}
bool RevealBars(int, int) { return false; }
void OpenCampaignDialog() {}
void CloseCampaignDialog() {}
