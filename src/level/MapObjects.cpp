#include "level/MapObjects.h"

#include "data/Console.h"
#include "data/EntryReader.h"
#include "data/ProjectFiles.h"
#include "level/Definitions.h"
#include "level/LevelArchives.h"
#include "level/LevelLimits.h"
#include "level/LevelPictures.h"

namespace hopwerk {

namespace {

constexpr int32_t kHighestLayer = kLayers - 1;

[[noreturn]] void ObjectsCorrupted(Engine& engine, EntryReader& entry, const std::string& what) {
  entry.Close();
  FatalError(engine, "Map Object File corrupted! " + what);
}

void ReadObjects(Engine& engine) {
  LevelState& level = engine.level;
  EntryReader entry(engine, OpenArchiveEntry(engine, MapsArchives(engine),
                                             engine.play.CurrentLevelName + "/Objects"));
  if (!entry.IsOpen()) return;
  // Fields given before the first object have nothing to fill; they land here and are dropped.
  ObjectType unowned;
  ObjectType* current = nullptr;
  for (;;) {
    // The entry must end with its end tag: running off it would read the archive's next bytes.
    if (entry.AtEnd()) ObjectsCorrupted(engine, entry, "end of entry");
    const int tag = entry.Byte();
    if (tag == 255) break;
    ObjectType& o = current ? *current : unowned;
    switch (tag) {
      case 0:
        if (level.ObjectStore.size() >= kMaxLevelObjects) {
          ObjectsCorrupted(engine, entry, std::to_string(tag));
        }
        current = &level.ObjectStore.emplace_back();
        current->AnimOldTime = engine.platform.ClockMillis();
        level.AllObjects.Append(*current);
        break;
      case 1:
        o.X = entry.Int();
        o.Y = entry.Int();
        break;
      case 2:
        o.RepX = entry.Byte();
        o.RepY = entry.Byte();
        break;
      case 3:
        o.OType = entry.Byte();
        break;
      case 4:
        o.PicName = entry.String();
        break;
      case 5:
        o.Anim = entry.Byte();
        o.AnW = entry.Int();
        o.AnH = entry.Int();
        o.ANF = entry.Int();
        break;
      case 6: {
        const int layer = entry.Byte();
        if (layer > kHighestLayer) ObjectsCorrupted(engine, entry, std::to_string(tag));
        o.Level = layer;
        break;
      }
      case 7:
        o.R = entry.Byte();
        o.G = entry.Byte();
        o.B = entry.Byte();
        break;
      case 8:
        o.ID = entry.String();
        break;
      case 9:
        o.TScript = entry.String();
        break;
      case 10:
        o.AnimSlow = entry.Byte();
        break;
      case 11:
        o.AnimSlow = entry.Int();
        break;
      case 12:
        o.DecoDamage = entry.Int();
        break;
      case 13:
        for (int s = 0; s < 3; ++s) o.Skill[s] = entry.Byte();
        break;
      case 14:
        o.RequireKey = entry.Byte();
        o.TakeKey = entry.Byte();
        break;
      case 15:
        o.SwitchActivate = entry.Byte();
        break;
      case 16:
        o.MoveX = entry.Int();
        o.MoveY = entry.Int();
        break;
      default:
        ObjectsCorrupted(engine, entry, std::to_string(tag));
    }
    if (entry.Overran()) ObjectsCorrupted(engine, entry, std::to_string(tag));
  }
}

// Level pictures keep their handle at the top left: X, Y is the corner of the first tile.
PicturePtr LoadObjectPicture(Engine& engine, const ObjectType& o) {
  if (o.OType == kSwitch) {
    // A switch is one picture holding both states side by side: off, then on.
    const std::string path = ResolveProjectFile(engine, "Data/GFX/Level/Switch/",
                                                "GFX/Level/Switch/", o.PicName, PatchCopy::Exists);
    const PicturePtr whole = LoadLevelPicture(engine, path);
    if (!whole) return nullptr;
    return LoadLevelPictureStrip(engine, path, whole->width / 2, whole->height, 2);
  }
  const std::string path = ResolveProjectFile(engine, "Data/GFX/Level/Pictures/",
                                              "GFX/Level/Pictures/", o.PicName, PatchCopy::File);
  if (o.Anim != 0) return LoadLevelPictureStrip(engine, path, o.AnW, o.AnH, o.ANF);
  return LoadLevelPicture(engine, path);
}

// Objects share a picture entry when name (letter case counts), animation flag and cell size
// match; the frame count is not compared.
std::string SharingKey(const ObjectType& o) {
  return std::to_string(o.Anim) + "," + std::to_string(o.AnW) + "," + std::to_string(o.AnH) + "|" +
         o.PicName;
}

}  // namespace

void LinkPictures(Engine& engine) {
  LevelState& level = engine.level;
  // The latest entry made for each key: when several match, the last one found wins.
  std::unordered_map<std::string, size_t> latest;
  level.AllObjects.Walk([&](ObjectType& o) {
    if (o.OType != kDecoration && o.OType != kWall && o.OType != kSwitch) return;
    std::string key = SharingKey(o);
    // An object without a frame count never shares, so each such object gets its own entry.
    if (o.ANF != 0) {
      if (const auto found = latest.find(key); found != latest.end()) {
        o.Pic = level.Pictures[found->second].Pic;
        return;
      }
    }
    PictureType entry;
    entry.Anim = o.Anim;
    entry.AnW = o.AnW;
    entry.AnH = o.AnH;
    entry.AnF = o.ANF;
    entry.PicName = o.PicName;
    entry.Pic = LoadObjectPicture(engine, o);
    o.Pic = entry.Pic;
    level.Pictures.push_back(std::move(entry));
    latest[std::move(key)] = level.Pictures.size() - 1;
  });
}

void LoadMapObjects(Engine& engine) {
  LevelState& level = engine.level;
  PlayState& play = engine.play;
  // The frame's lists and the boss point into the objects about to be dropped.
  play.ActiveObjects.clear();
  play.ActiveActors.clear();
  play.ActiveWalls.clear();
  play.ActiveWallGrid.Clear();
  play.AllActors.clear();
  play.BossObject = nullptr;
  ClearLevelObjects(level);

  ReadObjects(engine);
  LinkPictures(engine);
  LinkActors(engine);
  LinkCollectables(engine);
  level.AllObjects.Walk([&](ObjectType& o) { level.LayerLists[o.Level].Append(o); });
}

}  // namespace hopwerk
