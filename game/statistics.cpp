// The statistics of the games played: the tally of the game in progress, the
// figures of every key, and their file, written whenever a game counts.
#include "game/statistics.h"

#include <cmath>

#include "game/board.h"
#include "game/front_end.h"
#include "game/scoring.h"
#include "storage/records.h"
#include "storage/settings.h"

const char AssistedText[] =
    "\x83\x71\x83\x93\x83\x67\x82\xa9\x8d\xc5\x91\x50\x8e\xe8"
    "\x8f\x87\x82\xf0\x8e\x67\x82\xc1\x82\xbd\x82\xcc\x82\xc5"
    "\x81\x41\x8b\x4c\x98\x5e\x82\xc9\x82\xe0\x93\x9d\x8c\x76"
    "\x82\xc9\x82\xe0\x93\xfc\x82\xe8\x82\xdc\x82\xb9\x82\xf1";  // ヒントか最善手順を使ったので、記録にも統計にも入りません
static const char BrokenFileText[] =
    "Hanabo.sta\x82\xaa\x93\xc7\x82\xdf\x82\xc8\x82\xa2\x82\xcc\x82\xc5\x81" "A\x93\x9d\x8cv\x82\xcd\x8b\xf3\x82\xa9"
    "\x82\xe7\x8en\x82\xdf\x82\xdc\x82\xb7";  // Hanabo.staが読めないので、統計は空から始めます
const char StatisticsNotWrittenText[] =
    "Hanabo.sta\x82\xaa\x8dX\x90V\x82\xc5\x82\xab\x82\xdc\x82\xb9\x82\xf1";  // Hanabo.staが更新できません

// The figures in memory, whether they differ from the file, and whether a
// failed write has been told in this run (once is enough).
struct StatisticsStore {
    Statistics figures;
    bool changed = false;
    bool failureTold = false;
};
static StatisticsStore store;

void LoadStatistics()
{
    store = StatisticsStore();
    if (ReadStatisticsFile(&store.figures))
        return;
    PlaySoundEvent(SoundEvent::Message);
    ShowMessage(BrokenFileText, MessageKind::Error);
}

static RewriteResult WriteChanges()
{
    if (!store.changed)
        return RewriteResult::Rewritten;
    RewriteResult result = WriteStatisticsFile(store.figures);
    if (result == RewriteResult::Rewritten)
        store.changed = false;
    return result;
}

// During play a failed write is told once; the figures stay in memory and
// the next count tries again.
static void WriteChangesTelling()
{
    if (WriteChanges() == RewriteResult::Rewritten || store.failureTold)
        return;
    store.failureTold = true;
    PlaySoundEvent(SoundEvent::Message);
    ShowMessage(StatisticsNotWrittenText, MessageKind::Error);
}

// The command-line tools keep no files.
static void Count(const std::string& key, const CountedGame& counted)
{
    if (!game.keepRecords)
        return;
    CountGame(&store.figures.keys[key], counted);
    store.changed = true;
    WriteChangesTelling();
}

static long long SecondsPlayed()
{
    long long seconds = CurrentTime() - game.tally.startedAt;
    return seconds > 0 ? seconds : 0;
}

std::string SheetStatisticsKey() { return RecordKey(board.columns, board.rows, settings.CellNo); }

void NoteRemoval()
{
    if (game.tally.removed)
        return;
    game.tally.removed = true;
    game.tally.key = game.campaign ? std::string(CampaignRecordKey) : SheetStatisticsKey();
}

void MarkGameAssisted()
{
    game.tally.assisted = true;
    if (game.campaign && !store.figures.campaignAssisted) {
        store.figures.campaignAssisted = true;
        store.changed = true;
    }
}

bool CampaignAssisted() { return store.figures.campaignAssisted; }

void BeginCampaignTally()
{
    if (store.figures.campaignAssisted)
        store.changed = true;
    store.figures.campaignAssisted = false;
}

// The game in progress, left before its end.
static void CountGameLeft()
{
    const GameTally& tally = game.tally;
    if (!tally.removed || tally.counted || tally.assisted)
        return;
    game.tally.counted = true;
    Count(tally.key, CountedGame{false, false, std::llround(ShownScore()), TilesLeft(), SecondsPlayed()});
}

void BeginGameTally()
{
    CountGameLeft();
    game.tally = GameTally();
    game.tally.startedAt = CurrentTime();
}

void TellAssisted()
{
    PlaySoundEvent(SoundEvent::Message);
    ShowMessage(AssistedText, MessageKind::Notice);
}

bool CountGameEnd(bool campaign, bool cleared, double score, int rest)
{
    if (game.tally.assisted) {
        TellAssisted();
        return false;
    }
    if (game.tally.counted)
        return true;
    game.tally.counted = true;
    Count(campaign ? std::string(CampaignRecordKey) : SheetStatisticsKey(),
          CountedGame{true, cleared, std::llround(score), rest, SecondsPlayed()});
    return true;
}

RewriteResult CloseStatistics()
{
    CountGameLeft();
    return game.keepRecords ? WriteChanges() : RewriteResult::Rewritten;
}

KeyStatistics StatisticsOf(const std::string& key)
{
    auto found = store.figures.keys.find(key);
    return found == store.figures.keys.end() ? KeyStatistics() : found->second;
}

RewriteResult ResetStatistics(const std::string& key)
{
    if (store.figures.keys.erase(key) > 0)
        store.changed = true;
    return WriteChanges();
}
