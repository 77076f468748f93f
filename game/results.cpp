// Results of finished games and campaigns entering the record lists, and the
// record dialog following the sheet or the Campaign.
#include "game/results.h"

#include <cstdio>

#include "game/board.h"
#include "game/front_end.h"
#include "storage/files.h"
#include "storage/records.h"
#include "storage/settings.h"

static const char StageLineFormat[] =
    "Stage No. %d/%d. \x8d\xc5\x91\xe5\x8e" "c\x82\xe8\x83R\x83}\x90\x94 %d. "
    "\x97\x90\x90\x94\x82\xcc\x83^\x83l %d";  // Stage No. %d/%d. 最大残りコマ数 %d. 乱数のタネ %d
static const char AverageLineFormat[] = "Your Score %.0f  Rest %.2f";

// The name asked for this check, and the date taken right after it.
struct NameCheck {
    bool asked = false;
    std::string name;
    std::string date;
};

static void AskName(NameCheck* check, bool restRecord)
{
    if (check->asked)
        return;
    PlaySoundEvent(SoundEvent::Message);
    char name[TextBufferSize];
    std::snprintf(name, sizeof name, "%s", NoPlayerName);
    if (!AskPlayerName(restRecord, name, sizeof name))
        std::snprintf(name, sizeof name, "%s", NoPlayerName);
    name[sizeof name - 1] = '\0';
    check->name = name[0] ? CutPlayerName(name) : std::string(NoPlayerName);
    check->date = RecordDate(CurrentTime());
    check->asked = true;
}

// Ranks a result into a dialog's lists; true when either list took it.
static bool RecordResult(RecordLists* lists, double score, double rest, bool campaign)
{
    NameCheck check;
    int scorePosition = RankHighScore(lists->HighScoreList, score);
    if (scorePosition >= 0) {
        AskName(&check, false);
        PlaceRecordEntry(&lists->HighScoreList, scorePosition, FormatRecordEntry(check.name, check.date, RecordValueText(score, 0)));
        lists->highScoreSelected = scorePosition;
    }
    int restPosition = RankRest(lists->RestList, rest, !campaign);
    if (restPosition >= 0) {
        AskName(&check, true);
        PlaceRecordEntry(&lists->RestList, restPosition, FormatRecordEntry(check.name, check.date, RecordValueText(rest, campaign ? 2 : 0)));
        lists->restSelected = restPosition;
    }
    if (!check.asked)
        return false;
    lists->recordsChanged = true;
    return true;
}

void RecordGameResult(double score, int rest)
{
    if (!RecordResult(&sheetRecords, score, rest, false))
        return;
    PlaySoundEvent(SoundEvent::HighScore);
    ShowRecordDialog(false);
}

void RecordCampaignResult(double averageScore, double averageRest)
{
    if (!RecordResult(&campaignRecords, averageScore, averageRest, true))
        return;
    SaveRecordsOf(&campaignRecords);
    PlaySoundEvent(SoundEvent::HighScore);
    ShowRecordDialog(true);
}

void LoadRecords()
{
    if (game.campaign)
        LoadRecordsOf(&campaignRecords, CampaignRecordKey);
    else
        LoadRecordsOf(&sheetRecords, RecordKey(board.columns, board.rows, settings.CellNo));
}

void ShowRecords()
{
    PlaySoundEvent(SoundEvent::Score);
    ShowRecordDialog(game.campaign);
}

CampaignRecordLines RecordDialogActivated(bool campaignDialog)
{
    CampaignRecordLines lines;
    if (game.keepRecords)
        LoadRecords();
    if (!campaignDialog)
        return lines;
    char text[512];
    if (game.number > 1) {
        double played = static_cast<double>(game.number) - 1;
        std::snprintf(text, sizeof text, AverageLineFormat, settings.ScoreSum / played, settings.RestSum / played);
        lines.average = text;
    }
    if (game.number > settings.CampaignStage)
        game.number = settings.CampaignStage;
    std::snprintf(text, sizeof text, StageLineFormat, game.number, settings.CampaignStage, settings.CampaignRest,
                  settings.CampaignTane);
    lines.stage = text;
    return lines;
}
