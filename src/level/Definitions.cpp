#include "level/Definitions.h"

#include <optional>
#include <unordered_map>

#include "data/Console.h"
#include "data/EntryReader.h"
#include "data/ProjectFiles.h"
#include "level/LevelArchives.h"
#include "level/LevelFields.h"
#include "level/LevelPictures.h"

namespace hopwerk {

namespace {

constexpr const char* kSlotFiles[kSpriteSlots] = {"Walk.png", "Jump.png", "Fly.png", "Fire.png",
                                                  "Die.png"};
constexpr const char* kEggPicture = "incbin::IncBin/GFX/Egg.png";

LoadFault ActorCorrupted(const std::string& name, const std::string& what) {
  return Fault("Actor \"" + name + "\" corrupted (" + what + ")");
}

LoadFault CollectableCorrupted(const std::string& name, const std::string& what) {
  return Fault("Collectable \"" + name + "\" corrupted => " + what);
}

std::string Dotted(int tag, int64_t value) {
  return std::to_string(tag) + "." + std::to_string(value);
}

// Reads a definition entry whole into d; says what is wrong: an index or a marker that is not
// what the engine allows as `judged` names it ("2.7", "W12"), any other damage by its tag.
template <class R, class Judged>
std::optional<std::string> ReadDefinition(EntryReader& entry, const RecordBinder<R>& binder, R& d,
                                          Judged judged) {
  EntryRecordReader reader(binder.format(), entry);
  EntryRecord record;
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::End) {
      if (reader.SawEndTag()) return std::nullopt;
      return "end of entry";
    }
    if (step == ReadStep::Fault) {
      const RecordFaultInfo& fault = reader.Fault();
      if (fault.kind == RecordFault::OutOfRange || fault.kind == RecordFault::WrongMarker) {
        return judged(fault);
      }
      return std::to_string(fault.tag);
    }
    binder.Fill(d, record);
  }
}

void LoadActorPictures(Engine& engine, ActorType& d) {
  for (int s = 0; s < kSpriteSlots; ++s) {
    if (d.SpriteFrames[s] == 0) continue;
    const std::string name =
        d.PicBundle.empty() ? std::string(kSlotFiles[s]) : d.PicBundle + "/" + kSlotFiles[s];
    const std::string path = ResolveProjectFile(engine, "Data/GFX/Level/Actors/",
                                                "GFX/Level/Actors/", name, PatchCopy::File);
    d.Pic[s] =
        LoadLevelPictureStrip(engine, path, d.SpriteWidth[s], d.SpriteHeight[s], d.SpriteFrames[s]);
    // Actors stand on their position: the handle is the bottom centre of a cell.
    if (d.Pic[s]) SetPictureHandle(*d.Pic[s], d.Pic[s]->width / 2, d.Pic[s]->height);
  }
}

void LoadCollectablePicture(Engine& engine, CollectableType& d) {
  const auto path = [&] {
    return ResolveProjectFile(engine, "Data/GFX/Level/Collectable/", "GFX/Level/Collectable/",
                              d.Pic, PatchCopy::File);
  };
  if (d.Anim != 0) {
    d.Image = LoadLevelPictureStrip(engine, path(), d.AnWidth, d.AnHeight, d.AnFrames);
  } else if (d.Pic == "EGG:EGG") {
    d.Image = LoadLevelPicture(engine, kEggPicture);
  } else {
    d.Image = LoadLevelPicture(engine, path());
  }
  if (d.Image) CentrePictureHandle(*d.Image);
}

}  // namespace

Loaded<std::unique_ptr<ActorType>> LoadActorDef(Engine& engine, const std::string& name) {
  EntryReader entry(engine, OpenArchiveEntry(engine, ActorArchives(engine), name));
  if (!entry.IsOpen()) return {};
  auto d = std::make_unique<ActorType>();
  d->Name = VxrUpper(name);
  static const RecordBinder<ActorType> binder(EntryFormatTitled("actor definition"), ActorFields());
  if (const auto what = ReadDefinition(
          entry, binder, *d, [](const RecordFaultInfo& f) { return Dotted(f.tag, f.value); })) {
    return {nullptr, ActorCorrupted(name, *what)};
  }
  entry.Close();
  LoadActorPictures(engine, *d);
  return {std::move(d), {}};
}

Loaded<std::unique_ptr<CollectableType>> LoadCollectableDef(Engine& engine,
                                                            const std::string& name) {
  EntryReader entry(engine, OpenArchiveEntry(engine, CollectableArchives(engine), name));
  if (!entry.IsOpen()) return {};
  auto d = std::make_unique<CollectableType>();
  d->Name = VxrUpper(name);
  static const RecordBinder<CollectableType> binder(EntryFormatTitled("collectable definition"),
                                                    CollectableFields());
  if (const auto what = ReadDefinition(entry, binder, *d, [](const RecordFaultInfo& f) {
        return "W" + std::to_string(f.value);
      })) {
    return {nullptr, CollectableCorrupted(name, *what)};
  }
  entry.Close();
  LoadCollectablePicture(engine, *d);
  return {std::move(d), {}};
}

LoadFault LinkActors(Engine& engine) {
  LevelState& level = engine.level;
  level.ActorDefs.clear();
  LoadFault fault;
  // Beside the ordered list: the definition of each capitalised name, found in one step.
  std::unordered_map<std::string, ActorType*> byName;
  level.AllObjects.Walk([&](ObjectType& o) {
    if (fault || o.OType != kActor) return;
    std::string key = VxrUpper(o.PicName);
    ActorType* d = nullptr;
    if (const auto found = byName.find(key); found != byName.end()) {
      d = found->second;
    } else {
      // The entry opened is the name as the first object of the kind spells it.
      auto loaded = LoadActorDef(engine, o.PicName);
      if (loaded.error) {
        fault = std::move(loaded.error);
        return;
      }
      level.ActorDefs.push_back(std::move(loaded.value));
      d = level.ActorDefs.back().get();
      if (d) byName.emplace(std::move(key), d);
    }
    o.Actor = d;
    if (!d) return;
    o.HP = d->HP;
    // Standing in its walk pose until something moves it, so an actor that nothing animates
    // yet is still seen where the level puts it.
    o.Pic = d->Pic[0];
    o.ActiveFrame = 0;
  });
  return fault;
}

LoadFault LinkCollectables(Engine& engine) {
  LevelState& level = engine.level;
  level.CollectableDefs.clear();
  LoadFault fault;
  std::unordered_map<std::string, CollectableType*> byName;
  level.AllObjects.Walk([&](ObjectType& o) {
    if (fault || o.OType != kCollectable) return;
    std::string key = VxrUpper(o.PicName);
    CollectableType* d = nullptr;
    if (const auto found = byName.find(key); found != byName.end()) {
      d = found->second;
    } else {
      auto loaded = LoadCollectableDef(engine, o.PicName);
      if (loaded.error) {
        fault = std::move(loaded.error);
        return;
      }
      level.CollectableDefs.push_back(std::move(loaded.value));
      d = level.CollectableDefs.back().get();
      if (d) byName.emplace(std::move(key), d);
    }
    o.Collectable = d;
    if (!d) return;
    o.Anim = d->Anim;
    o.AnW = d->AnWidth;
    o.AnH = d->AnHeight;
    o.ANF = d->AnFrames;
    o.AnimSlow = d->AnWait;
    o.Pic = d->Image;
  });
  return fault;
}

}  // namespace hopwerk
