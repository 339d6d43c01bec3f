// The game in progress: what a saved game keeps and what carries from one level to the next,
// from a new game (or a loaded one) until the episode ends. Play changes it as the player
// scores and reaches checkpoints; the front end sets it up and saves it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace hopwerk {

// Script names a checkpoint keeps for a reload. Play never goes past it (a name past it is not
// kept), and a saved game that holds more is damaged: far above any real level's checkpoints,
// and it bounds what a hostile saved game costs (a 128 MiB file of empty names would otherwise
// be 64 million strings).
constexpr size_t kMaxCheckpointScripts = 65536;

struct SessionState {
  int32_t Episode = 1;
  int32_t Skill = 0;  // 0 easy, 1 medium, 2 hard
  std::string CurrentLevelName;
  // Not in a saved game: a loaded game starts from CheckpointScore.
  int32_t Score = 0;
  int32_t Kills = 0;
  int32_t Deaths = 0;
  int32_t Items = 0;

  int32_t CheckpointX = 0;
  int32_t CheckpointY = 0;
  int32_t CheckpointScore = 0;
  std::vector<std::string> CheckpointList;  // at most kMaxCheckpointScripts names

  int32_t SelectedWeapon = 0;
};

}  // namespace hopwerk
