// A tried level kept up to date while it is played: its files looked at every few frames, and
// on a change imported again, written into the overlay and reloaded in place.
#pragma once

#include <string>

#include "engine/Engine.h"
#include "try/TryLevel.h"
#include "try/TryMode.h"

namespace hopwerk {

// Passes of the level loop between two looks at the files: a save shows within a sixth of a
// second, for a few stat calls.
inline constexpr int kTryWatchPasses = 10;

// Writes the level's pictures and then the overlay's maps archive, which the engine's archive
// cache notices as changed. False with the problem.
bool WriteTryLevel(TrySession& session, const TryLevel& level, std::string& problem);
// Watches the files the level was made from (after errors: what was watched before, and the
// folder the map or level folder lies in, where a missing file may yet appear).
void WatchTryLevel(TrySession& session, const TryLevel& level);

// Between two passes of the level loop: on every kTryWatchPasses-th, looks at the files and,
// when one changed, imports the level again. Errors leave the level playing as it was and are
// shown over it on the console; a good import is written into the overlay and, when it is the
// level being played, reloaded with the player where it stood.
void CheckTriedLevel(Engine& engine, TrySession& session);

// Reloads the current level as a death does, then puts the player back where it stood when its
// shape still fits there. Returns whether it does.
bool ReloadLevelKeepingPlayer(Engine& engine);

}  // namespace hopwerk
