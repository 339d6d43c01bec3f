// Trying a level out: `--try MAP|LEVEL` of hopwerk and hopwerk-replay. The game starts straight in
// the level, in an overlay of the project that holds it, and reloads it whenever its files change.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "archive/Vxr.h"
#include "engine/Engine.h"
#include "try/TryOverlay.h"
#include "try/TryTarget.h"
#include "try/TryWatch.h"

namespace hopwerk {

// Everything a tried level needs for the whole run. The overlay goes with it, however the run
// ends short of being killed (and then the next run removes it).
struct TrySession {
  TryTarget target;
  std::string project;     // the game project, absolute, ends in "/"
  std::string playFolder;  // what the engine plays: the overlay, or the project itself
  std::string playerType;  // the project's player actor kind, for maps that name none
  TryOverlay overlay;      // none for a level the project has
  std::vector<VxrWriteEntry> projectMaps;  // the project's maps archive, records as stored
  WrittenPictures pictures;                // the level's pictures in the overlay
  TryWatch watch;
  int skill = 1;                     // 0 Easy, 1 Medium (most of a level to be seen), 2 Hard
  int64_t passes = 0;                // passes of the level loop seen
  std::vector<std::string> failure;  // the messages of the last import, when it failed

  TrySession() = default;
  ~TrySession() { RemoveTryOverlay(overlay); }
  TrySession(const TrySession&) = delete;
  TrySession& operator=(const TrySession&) = delete;
};

// The skill `--skill` names: easy, medium or hard, in any case. False for anything else.
bool ParseTrySkill(const std::string& name, int& skill);

// Settles what `argument` names (relative to workingFolder) and, for a map or a level folder,
// makes the overlay of `project` (absolute, ends in "/") with the level in it. Before any window
// opens: false with every message for the player (the importer's too) when it cannot be played.
// Warnings of a level that can be played come back in `messages` as well.
bool PrepareTry(const std::string& argument, const std::string& workingFolder,
                const std::string& project, TrySession& session,
                std::vector<std::string>& messages);

// Wires the session into the engine's hooks: a new game straight in the level, and the watch
// of its files between passes of the level loop. Run the program with StartMode::Play.
void InstallTryMode(Engine& engine, TrySession& session);

}  // namespace hopwerk
