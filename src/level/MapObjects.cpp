#include "level/MapObjects.h"

#include "data/Console.h"
#include "data/EntryReader.h"
#include "data/ProjectFiles.h"
#include "level/Definitions.h"
#include "level/ElementList.h"
#include "level/LevelArchives.h"
#include "level/LevelFields.h"
#include "level/LevelLimits.h"
#include "level/LevelPictures.h"

namespace hopwerk {

namespace {

LoadFault ObjectsCorrupted(const std::string& what) {
  return Fault("Map Object File corrupted! " + what);
}

LoadFault ReadObjects(Engine& engine) {
  LevelState& level = engine.level;
  EntryReader entry(engine, OpenArchiveEntry(engine, MapsArchives(engine),
                                             engine.session.CurrentLevelName + "/Objects"));
  if (!entry.IsOpen()) return {};
  static const RecordBinder<ObjectType> binder(EntryFormatTitled("LEVEL/Objects"), ObjectFields());
  EntryRecordReader reader(binder.format(), entry);
  const auto damage = ReadElementList(reader, binder, [&]() -> ObjectType* {
    if (level.ObjectStore.size() >= kMaxLevelObjects) return nullptr;
    ObjectType& o = level.ObjectStore.emplace_back();
    o.AnimOldTime = engine.platform.ClockMillis();
    level.AllObjects.Append(o);
    return &o;
  });
  return damage ? ObjectsCorrupted(*damage) : LoadFault{};
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

LoadFault LoadMapObjects(Engine& engine) {
  LevelState& level = engine.level;
  ClearLevelObjects(level);

  if (LoadFault fault = ReadObjects(engine)) return fault;
  LinkPictures(engine);
  if (LoadFault fault = LinkActors(engine)) return fault;
  if (LoadFault fault = LinkCollectables(engine)) return fault;
  level.AllObjects.Walk([&](ObjectType& o) { level.LayerLists[o.Level].Append(o); });
  return {};
}

}  // namespace hopwerk
