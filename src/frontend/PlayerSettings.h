// The player's own settings, kept in Config.PCF and changed only by the front end's screens;
// they outlive every game. Play and the lower folders read them through the engine context.
#pragma once

#include <cstdint>
#include <string>

namespace hopwerk {

struct PlayerSettings {
  int32_t KeyJump = 164;
  int32_t KeyFire = 162;
  int32_t KeyActivate = 32;
  int32_t KeyPause = 112;
  int32_t Performance = 1;
  // Also kept by a saved game, which brings back the patch it was played with.
  std::string PatchFolder;
};

}  // namespace hopwerk
