// The records a level is made of: map objects, the pictures they share, the actor, collectable
// and enemy-weapon definitions they link to, and script commands. Fields keep the order and
// defaults the project's entries are written against.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "render/Picture.h"
#include "schema/Kinds.h"

namespace hopwerk {

struct EnemyWeapon {
  PicturePtr Image;
  std::string Pic;
  int32_t R = 255;
  int32_t G = 255;
  int32_t B = 255;
  int32_t HSpeed = 0;
  int32_t VSpeed = 0;
  int32_t Chance = 0;
};

struct CollectableType {
  int32_t ID = 0;
  PicturePtr Image;
  std::string Pic;
  int32_t HP = 0;
  int32_t Score = 0;
  int32_t Ammo = 0;
  int32_t Weapon = 0;
  int32_t Collect = 0;
  int32_t Anim = 0;
  int32_t AnWidth = 0;
  int32_t AnHeight = 0;
  int32_t AnFrames = 0;
  int32_t AnWait = 0;
  std::string Name;
  std::string SoundFile;
  SoundPtr Sound;
  int32_t GiveKey = 0;
};

constexpr int kSpriteSlots = 5;  // walk, jump or fall, fly, fire, die
constexpr int kMoveCodes = 12;
constexpr int kTouchCodes = 4;

struct ActorType {
  int32_t ID = 0;
  std::string Name;
  int32_t Control = 0;  // 0 computer, 1 the player
  int32_t Die = 0;
  int32_t HP = 0;
  int32_t KillScore = 0;
  std::string PicBundle;
  std::array<PicturePtr, kSpriteSlots> Pic{};
  std::array<int32_t, kSpriteSlots> SpriteWidth{};
  std::array<int32_t, kSpriteSlots> SpriteHeight{};
  std::array<int32_t, kSpriteSlots> SpriteFrames{};
  std::array<int32_t, kSpriteSlots> SpriteWait{};
  std::array<int32_t, kMoveCodes> Move{};
  std::string ShootWeaponName;
  std::shared_ptr<EnemyWeapon> ShootWeapon;
  std::array<int32_t, kTouchCodes> Touch{};
  int32_t HurtPlayer = 0;
  std::string CollectableName;
  CollectableType* Collectable = nullptr;  // never linked; kept for the record's shape
  std::string OuchF;
  SoundPtr Ouch;
  std::string DieF;
  SoundPtr DieSound;
};

// Where an object sits in the two lists that own it; kept by the lists themselves so removal
// during a walk is O(1). Not a project field.
struct ObjectListSlots {
  int32_t all = -1;
  int32_t layer = -1;
};

constexpr int kLayers = 11;

struct ObjectType {
  std::string ID;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t RepX = 0;
  int32_t RepY = 0;
  int32_t OType = kDecoration;  // an ObjectKind
  std::string PicName;
  PicturePtr Pic;
  ActorType* Actor = nullptr;
  int32_t Anim = 0;
  int32_t AnW = 0;
  int32_t AnH = 0;
  int32_t ANF = 0;
  int32_t ActiveFrame = 0;
  int32_t Level = 0;
  int32_t R = 0;
  int32_t G = 0;
  int32_t B = 0;
  std::string TScript;
  int32_t AnimSlow = 0;
  CollectableType* Collectable = nullptr;
  int32_t AnimOldTime = 0;
  int32_t DecoDamage = 0;
  std::array<int32_t, 4> Skill{1, 1, 1, 1};
  int32_t HP = 0;
  int32_t Mirror = 0;
  int32_t ThrowerValue = -10;
  int32_t Hurt = 0;
  int32_t SwitchActivate = 1;
  int32_t Minx = -1;
  int32_t MaxX = -1;
  int32_t RequireKey = 0;
  int32_t TakeKey = 0;
  int32_t MoveX = 0;
  int32_t MoveY = 0;
  int32_t VMove = 1;

  ObjectListSlots slots;
};

struct PictureType {
  PicturePtr Pic;
  int32_t Anim = 0;
  int32_t AnW = 0;
  int32_t AnH = 0;
  int32_t AnF = 0;
  std::string PicName;
};

struct ScriptType {
  int32_t Delay = 0;
  int32_t ID = 0;
  std::string UID;
  int32_t Command = 0;
  int32_t Active = 1;
  int32_t WhenDone = 1;
  std::string EChain;
  std::string OID;
  int32_t ToX = 0;
  int32_t StepX = 0;
  int32_t ToY = 0;
  int32_t StepY = 0;
  std::string NextLevel;
  std::string ChainScript;
  std::string Sound;
  std::string ObjID;
  std::string ActivateScriptID;

  // Not project fields: the objects the command named when it first looked. A running level
  // never gains objects and never renames one, so those of them still listed are exactly the
  // objects a new search would find.
  bool targetsFound = false;
  std::vector<ObjectType*> targets;
};

}  // namespace hopwerk
