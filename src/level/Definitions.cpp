#include "level/Definitions.h"

#include <unordered_map>

#include "data/Console.h"
#include "data/EntryReader.h"
#include "data/ProjectFiles.h"
#include "level/LevelArchives.h"
#include "level/LevelPictures.h"

namespace hopwerk {

namespace {

constexpr const char* kSlotFiles[kSpriteSlots] = {"Walk.png", "Jump.png", "Fly.png", "Fire.png",
                                                  "Die.png"};
constexpr const char* kEggPicture = "incbin::IncBin/GFX/Egg.png";

[[noreturn]] void ActorCorrupted(Engine& engine, EntryReader& entry, const std::string& name,
                                 const std::string& what) {
  entry.Close();
  FatalError(engine, "Actor \"" + name + "\" corrupted (" + what + ")");
}

[[noreturn]] void CollectableCorrupted(Engine& engine, EntryReader& entry, const std::string& name,
                                       const std::string& what) {
  entry.Close();
  FatalError(engine, "Collectable \"" + name + "\" corrupted => " + what);
}

std::string Dotted(int tag, int value) {
  return std::to_string(tag) + "." + std::to_string(value);
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

std::unique_ptr<ActorType> LoadActorDef(Engine& engine, const std::string& name) {
  EntryReader entry(engine, OpenArchiveEntry(engine, ActorArchives(engine), name));
  if (!entry.IsOpen()) return nullptr;
  auto d = std::make_unique<ActorType>();
  d->Name = VxrUpper(name);
  // Reads a leading index or marker byte, which must be whole before it is judged.
  auto leading = [&](int tag) {
    const int value = entry.Byte();
    if (entry.Overran()) ActorCorrupted(engine, entry, name, std::to_string(tag));
    return value;
  };
  for (;;) {
    if (entry.AtEnd()) ActorCorrupted(engine, entry, name, "end of entry");
    const int tag = entry.Byte();
    if (tag == 255) break;
    switch (tag) {
      case 0:
        d->Control = entry.Byte();
        break;
      case 1:
        d->PicBundle = entry.String();
        break;
      case 2: {
        const int s = leading(tag);
        if (s >= kSpriteSlots) ActorCorrupted(engine, entry, name, Dotted(tag, s));
        d->SpriteWidth[s] = entry.Int();
        d->SpriteHeight[s] = entry.Int();
        d->SpriteFrames[s] = entry.Int();
        d->SpriteWait[s] = entry.Int();
        break;
      }
      case 3:
        d->Die = entry.Byte();
        break;
      case 4: {
        const int i = leading(tag);
        if (i >= kMoveCodes) ActorCorrupted(engine, entry, name, Dotted(tag, i));
        d->Move[i] = entry.Byte();
        break;
      }
      case 5:
        if (const int marker = leading(tag); marker != 6) {
          ActorCorrupted(engine, entry, name, Dotted(tag, marker));
        }
        d->ShootWeaponName = entry.String();
        break;
      case 6: {
        const int i = leading(tag);
        if (i >= kTouchCodes) ActorCorrupted(engine, entry, name, Dotted(tag, i));
        d->Touch[i] = entry.Byte();
        break;
      }
      case 7:
        if (const int marker = leading(tag); marker != 0) {
          ActorCorrupted(engine, entry, name, Dotted(tag, marker));
        }
        d->HurtPlayer = entry.Int();
        break;
      case 8:
        if (const int marker = leading(tag); marker != 3) {
          ActorCorrupted(engine, entry, name, Dotted(tag, marker));
        }
        d->CollectableName = entry.String();
        break;
      case 9:
        d->HP = entry.Int();
        break;
      case 10:
        d->KillScore = entry.Int();
        break;
      case 11:
        d->OuchF = entry.String();
        break;
      case 12:
        d->DieF = entry.String();
        break;
      default:
        ActorCorrupted(engine, entry, name, std::to_string(tag));
    }
    if (entry.Overran()) ActorCorrupted(engine, entry, name, std::to_string(tag));
  }
  entry.Close();
  LoadActorPictures(engine, *d);
  return d;
}

std::unique_ptr<CollectableType> LoadCollectableDef(Engine& engine, const std::string& name) {
  EntryReader entry(engine, OpenArchiveEntry(engine, CollectableArchives(engine), name));
  if (!entry.IsOpen()) return nullptr;
  auto d = std::make_unique<CollectableType>();
  d->Name = VxrUpper(name);
  for (;;) {
    if (entry.AtEnd()) CollectableCorrupted(engine, entry, name, "end of entry");
    const int tag = entry.Byte();
    if (tag == 255) break;
    switch (tag) {
      case 0:
        d->Pic = entry.String();
        break;
      case 1:
        d->HP = entry.Int();
        break;
      case 2:
        d->Score = entry.Int();
        break;
      case 3:
        d->Ammo = entry.Int();
        break;
      case 4: {
        const int weapon = entry.Byte();
        if (entry.Overran()) CollectableCorrupted(engine, entry, name, std::to_string(tag));
        if (weapon >= kWeaponSlots) {
          CollectableCorrupted(engine, entry, name, "W" + std::to_string(weapon));
        }
        d->Weapon = weapon;
        break;
      }
      case 5:
        d->Collect = entry.Byte();
        break;
      case 6:
        d->Anim = entry.Byte();
        break;
      case 7:
        d->AnWidth = entry.Int();
        d->AnHeight = entry.Int();
        d->AnFrames = entry.Int();
        d->AnWait = entry.Int();
        break;
      case 8:
        d->SoundFile = entry.String();
        break;
      case 9:
        d->GiveKey = entry.Byte();
        break;
      default:
        CollectableCorrupted(engine, entry, name, std::to_string(tag));
    }
    if (entry.Overran()) CollectableCorrupted(engine, entry, name, std::to_string(tag));
  }
  entry.Close();
  LoadCollectablePicture(engine, *d);
  return d;
}

void LinkActors(Engine& engine) {
  LevelState& level = engine.level;
  level.ActorDefs.clear();
  // Beside the ordered list: the definition of each capitalised name, found in one step.
  std::unordered_map<std::string, ActorType*> byName;
  level.AllObjects.Walk([&](ObjectType& o) {
    if (o.OType != kActor) return;
    std::string key = VxrUpper(o.PicName);
    ActorType* d = nullptr;
    if (const auto found = byName.find(key); found != byName.end()) {
      d = found->second;
    } else {
      // The entry opened is the name as the first object of the kind spells it.
      level.ActorDefs.push_back(LoadActorDef(engine, o.PicName));
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
}

void LinkCollectables(Engine& engine) {
  LevelState& level = engine.level;
  level.CollectableDefs.clear();
  std::unordered_map<std::string, CollectableType*> byName;
  level.AllObjects.Walk([&](ObjectType& o) {
    if (o.OType != kCollectable) return;
    std::string key = VxrUpper(o.PicName);
    CollectableType* d = nullptr;
    if (const auto found = byName.find(key); found != byName.end()) {
      d = found->second;
    } else {
      level.CollectableDefs.push_back(LoadCollectableDef(engine, o.PicName));
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
}

}  // namespace hopwerk
