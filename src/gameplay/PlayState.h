// The play state: one set of values for the game in progress and the player's settings.
#pragma once

#include <cstdint>
#include <string>

namespace hopwerk {

struct PlayState {
  int32_t GameState = 0;
  int32_t Score = 0;
  std::string LevelTitle;
  int32_t SelectedWeapon = 0;
  int32_t Keys[10] = {};
  // What the status screen shows this frame: hit points and the ammunition text.
  int32_t HudHP = 0;
  std::string WeaponStatusText;
  // Player settings, kept in Config.PCF.
  int32_t KeyJump = 164;
  int32_t KeyFire = 162;
  int32_t KeyActivate = 32;
  int32_t KeyPause = 112;
  int32_t Performance = 1;
  std::string PatchFolder;
};

}  // namespace hopwerk
