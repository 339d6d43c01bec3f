// Everything one loaded level holds: its objects (owned here, listed in AllObjects and the
// layer lists), shared pictures, definitions, running scripts, background and margins. Level
// loading rebuilds it whole; nothing of a previous level's map survives a load.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "level/LevelRecords.h"
#include "level/ObjectList.h"

namespace hopwerk {

constexpr int32_t kWorldSize = 5000;

struct LevelState {
  // Storage keeps every object of the level alive until the next load, so references to one
  // (Player, play's BossObject) never dangle after an object leaves the lists.
  std::deque<ObjectType> ObjectStore;
  ObjectList AllObjects;
  std::array<LayerList, kLayers> LayerLists;
  std::vector<PictureType> Pictures;
  // Definitions loaded for this level; a name that failed to load keeps a null entry.
  std::vector<std::unique_ptr<ActorType>> ActorDefs;
  std::vector<std::unique_ptr<CollectableType>> CollectableDefs;
  OwnedList<ScriptType> Scripts;
  // The ID the next script record gets; the script pass sets it back to 0 before each pass.
  int32_t NextScriptId = 0;
  // Pictures decoded during one level load, by file and cut, so a file that many objects or
  // definitions name is read once. Emptied when the load is done.
  std::unordered_map<std::string, PicturePtr> PictureCache;

  // General data: values survive from level to level when an entry leaves them out.
  std::string LevelTitle;
  std::string MusicFile;
  std::string SecondText;
  int32_t ClsR = 0;
  int32_t ClsG = 0;
  int32_t ClsB = 0;
  std::string BackgroundPicName;
  PicturePtr BackgroundPic;
  int32_t BackgroundDivisor = 0;
  int32_t BackgroundEffect = 0;
  SoundPtr MusicSound;
  Channel MusicChannel = kNoChannel;

  int32_t PlusX = kWorldSize;
  int32_t PlusY = kWorldSize;
  int32_t MinusX = kWorldSize;
  int32_t MinusY = kWorldSize;

  ObjectType* Player = nullptr;
};

// Drops every object and shared picture of the loaded level.
void ClearLevelObjects(LevelState& level);

// Takes an object out of the level's lists (it stays in the store, so references to it hold);
// safe during a walk of either list.
void RemoveFromLevel(LevelState& level, ObjectType& object);

// Moves an object to the end of the front layer, drawn over everything.
void MoveToFrontLayer(LevelState& level, ObjectType& object);

}  // namespace hopwerk
