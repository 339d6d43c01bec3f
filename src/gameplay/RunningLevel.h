// The level being played: the player's motion, the camera, what each frame lists, shots and
// texts in flight, the level's end under way, and the sounds playing. Nothing below gameplay
// changes it: a level is loaded through gameplay's LoadLevel, which sets these values back
// between the level folder's loading steps and clears what pointed into the old level.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "data/DataState.h"
#include "gameplay/WallGrid.h"
#include "level/LevelRecords.h"
#include "level/ObjectList.h"

namespace hopwerk {

struct BulletType {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Dir = 1;  // 1 right, -1 left
  WeaponType* Weapon = nullptr;
};

struct EnemyBullet {
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Dir = 1;
  std::shared_ptr<EnemyWeapon> Weapon;
};

// A rising score text, in screen pixels.
struct FT {
  std::string Txt;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t Deactivate = 500;
};

constexpr size_t kEffectChannels = 21;

template <size_t N>
constexpr std::array<Channel, N> NoChannels() {
  std::array<Channel, N> channels{};
  channels.fill(kNoChannel);
  return channels;
}

struct RunningLevel {
  int32_t Jumping = 0;
  float JumpValue = 0.0f;
  int32_t Automove = 0;
  int32_t HurtTime = 0;
  // Keys found in this level; loading a level takes back keys 1 to 9.
  int32_t Keys[10] = {};

  int32_t CameraX = 0;
  int32_t CameraY = 0;
  int32_t PanTargetX = -1;
  int32_t PanTargetY = -1;
  int32_t PanReturning = 0;

  // Rebuilt by every frame; later steps of the same frame read them.
  std::vector<ObjectType*> ActiveObjects;
  std::vector<ObjectType*> ActiveActors;
  std::vector<ObjectType*> ActiveWalls;
  WallGrid ActiveWallGrid;  // ActiveWalls by place, once the frame has listed them all
  std::vector<ObjectType*> AllActors;
  OwnedList<BulletType> Bullets;
  OwnedList<EnemyBullet> EnemyBullets;
  OwnedList<FT> FloatingTexts;

  int32_t LevelCompleted = 0;
  int32_t CompletedCountdown = 0;
  int32_t CountdownClock = 0;
  std::string NextLevelName;
  int32_t EpisodeEnds = 0;

  // What the status screen shows this frame: hit points and the ammunition text.
  int32_t HudHP = 0;
  std::string WeaponStatusText;
  ObjectType* BossObject = nullptr;
  int32_t BossBarX = 0;
  int32_t BossBarY = 0;

  // A cheat stays on across levels and games until its code is typed again.
  int32_t InfiniteJump = 0;
  int32_t GodMode = 0;
  std::string CheatBuffer;

  // The channels of the newest sound effects; the 22nd effect overwrites the oldest.
  std::array<Channel, kEffectChannels> EffectChannels = NoChannels<kEffectChannels>();
  int32_t EffectIndex = 0;
  // Sounds held for as long as they play, so one whose owner lets go (a script's sound, the
  // player's death sound when the level reloads) is not cut off.
  std::vector<std::pair<Channel, SoundPtr>> SoundsPlaying;
};

// Empties the lists each frame rebuilds.
void ClearFrameLists(RunningLevel& run);

}  // namespace hopwerk
