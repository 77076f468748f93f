// Campaign mode: a run of numbered stages dealt from the campaign's seed.
#pragma once

// The end of a Campaign stage: called instead of EndGame when a removal ends
// the game while a campaign runs.
void EndStage();
