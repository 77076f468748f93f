// Campaign mode: the Campaign command and dialog, the end of a stage and the
// board choice that a running campaign locks.
#include "game/campaign.h"

#include <cstdio>

#include "game/board.h"
#include "game/front_end.h"
#include "game/results.h"
#include "game/scoring.h"
#include "game/session.h"
#include "game/statistics.h"
#include "storage/settings.h"

static const char StageFailedText[] =
    "\x83N\x83\x8a\x83" "A\x81[\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1\x82\xc5\x82\xb5\x82\xbd";  // クリアーできませんでした
static const char StageClearedText[] =
    "Stage %d/%d \x83N\x83\x8a\x83" "A\x81[ \x8e\x9f\x82\xccStage\x82\xd6";  // Stage %d/%d クリアー 次のStageへ

static const int CampaignBarPage = 10;

// Campaign mode is on while its dialog is open, but no campaign runs yet.
static bool choosing = false;

static const GameCommand BoardChoices[] = {GameCommand::New, GameCommand::Open, GameCommand::Save,
                                           GameCommand::SelectGame};

static void EnableBoardChoice(bool enabled)
{
    for (GameCommand command : BoardChoices)
        EnableCommand(command, enabled);
}

void LockBoardChoice()
{
    EnableBoardChoice(false);
}

void ToggleCampaign()
{
    StopTimer();
    ui.animState = AnimState::Idle;
    if (game.campaign) {
        game.campaign = false;
        choosing = false;
        CheckCampaignItem(false);
        EnableBoardChoice(true);
        settings.CampaignTane = 0;
        // A dialog left open could still start a campaign with the mode off.
        CloseCampaignDialog();
        return;
    }
    game.campaign = true;
    choosing = true;
    CheckCampaignItem(true);
    OpenCampaignDialog();
}

bool CampaignRunning()
{
    return game.campaign && !choosing;
}

CampaignBarRange CampaignBarRangeOf(CampaignBar bar)
{
    switch (bar) {
    case CampaignBar::Rest: return {CampaignRestRange.low, CampaignRestRange.high, 5};
    case CampaignBar::Stages: return {CampaignStageRange.low, CampaignStageRange.high, 10};
    case CampaignBar::Seed: return {CampaignTaneRange.low, CampaignTaneRange.high, 0};
    }
    return {0, 0, 0};
}

int CampaignBarScrolled(CampaignBar bar, int position, SliderRequest request, int thumb)
{
    CampaignBarRange range = CampaignBarRangeOf(bar);
    return ScrolledPosition(position, request, thumb, CampaignBarPage, range.low, range.high);
}

void ConfirmCampaign(int rest, int stages, int seed)
{
    settings.CampaignRest = rest;
    settings.CampaignStage = stages;
    settings.CampaignTane = seed;
    choosing = false;
    CloseCampaignDialog();
    LockBoardChoice();
    game.number = 0;
    BeginCampaignTally();
    settings.ScoreSum = 0;
    settings.RestSum = 0;
    StartGame(false, false);
}

void CancelCampaign()
{
    choosing = false;
    CloseCampaignDialog();
    CheckCampaignItem(false);
    game.campaign = false;
}

void EndStage()
{
    int rest = TilesLeft();
    const bool stageAssisted = game.tally.assisted;
    if (rest > settings.CampaignRest) {
        CountGameEnd(true, false, ShownScore(), rest);
        PlaySoundEvent(SoundEvent::Message);
        ShowMessage(StageFailedText, MessageKind::Notice);
        // Another attempt at the stage, which counts on its own.
        BeginGameTally();
        StartGame(true, true);
        return;
    }
    settings.RestSum += rest;
    if (settings.ScoreOption)
        game.score -= rest;
    settings.ScoreSum += game.score;
    CountGameEnd(true, true, game.score, rest);
    if (game.number < settings.CampaignStage) {
        char text[128];
        std::snprintf(text, sizeof text, StageClearedText, game.number, settings.CampaignStage);
        PlaySoundEvent(SoundEvent::CampaignClear);
        ShowMessage(text, MessageKind::Notice);
        StartGame(false, false);
        return;
    }
    ++game.number;
    // The stage count is never below 5 (the dialog's range, to which the
    // settings file is held), so the averages are always numbers.
    double stages = settings.CampaignStage > 0 ? settings.CampaignStage : 1;
    // A campaign that used help enters no record; the stage that did has said so.
    if (CampaignAssisted()) {
        if (!stageAssisted)
            TellAssisted();
    } else if (game.keepRecords) {
        RecordCampaignResult(settings.ScoreSum / stages, settings.RestSum / stages);
    }
    ToggleCampaign();
}

void ResumeCampaign()
{
    game.campaign = false;
    choosing = false;
    game.number = settings.CampaignNo - 1;
    if (!settings.Campaign)
        return;
    game.campaign = true;
    CheckCampaignItem(true);
    LockBoardChoice();
}
