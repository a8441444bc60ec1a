#pragma once

#include "music/melody.h"
#include "music/melody_settings.h"
#include "music/random_source.h"

// The first part of every Generate: settles the drill key, places the tonic as
// note 0 in the voice range and works out the candidate pitches an
// algorithmic melody may use (candidate 0 is the tonic). Sets noteCount to
// `melosize`. Makes one Random(2) draw for MAJOR and MINOR (the upward or
// downward three of Advanced) and for scales of seven or more notes.
// Returns how many candidates the level uses: 3, 4 or 8.
int prepareCandidates(const MelodySettings& settings, RandomSource& random, Melody& melody);

// The centre step of the voice range in force for the settings.
int rangeCentreStep(const MelodySettings& settings);
