#include "level/LevelLoading.h"

#include "data/Console.h"
#include "data/EntryReader.h"
#include "data/ProjectFiles.h"
#include "level/ActorScan.h"
#include "level/LevelArchives.h"
#include "level/LevelFields.h"
#include "level/LevelPictures.h"
#include "level/LevelScripts.h"
#include "level/MapObjects.h"

namespace hopwerk {

namespace {

LoadFault GeneralCorrupted(Engine& engine) {
  return Fault("General file in " + engine.session.CurrentLevelName + " corrupted");
}

void ShowLoadingScreen(Engine& engine) {
  Platform& p = engine.platform;
  p.ClearScreen();
  if (const PicturePtr& ready = engine.pictures.GetReadyPic) {
    p.SetDrawColor(255, 255, 255);
    p.SetDrawAlpha(1.0f);
    p.DrawPicture(*ready, static_cast<float>(engine.project.ScreenWidth / 2),
                  static_cast<float>(engine.project.ScreenHeight / 2), 0);
  }
  engine.level.Scripts.Clear();
  p.PresentFrame(-1);
  p.SleepMillis(10);
}

// Values the entry leaves out keep what the previous level set.
LoadFault ReadGeneralData(Engine& engine) {
  LevelState& level = engine.level;
  EntryReader entry(engine, OpenArchiveEntry(engine, MapsArchives(engine),
                                             engine.session.CurrentLevelName + "/General"));
  if (!entry.IsOpen()) return {};
  static const RecordBinder<LevelState> binder(EntryFormatTitled("LEVEL/General"),
                                               LevelGeneralFields());
  EntryRecordReader reader(binder.format(), entry);
  EntryRecord record;
  // The entry may end without its end tag; a value cut off by its end is damage.
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::End) return {};
    if (step == ReadStep::Fault) return GeneralCorrupted(engine);
    binder.Fill(level, record);
    switch (record.tag()) {
      case 3:
        engine.platform.TraceLine("CLS COL: " + std::to_string(level.ClsR) + ", " +
                                  std::to_string(level.ClsG) + ", " + std::to_string(level.ClsB));
        break;
      case 4:
        level.BackgroundPic = LoadLevelPicture(
            engine, ResolveProjectFile(engine, "Data/GFX/Level/Tiles/", "GFX/Level/Tiles/",
                                       level.BackgroundPicName, PatchCopy::Exists));
        break;
      default:
        break;
    }
  }
}

LoadFault ReadMargins(Engine& engine) {
  LevelState& level = engine.level;
  level.PlusX = level.PlusY = level.MinusX = level.MinusY = kWorldSize;
  const std::string name = engine.session.CurrentLevelName + "/PlusMinus";
  if (HasArchiveEntry(engine, MapsArchives(engine), name)) {
    EntryReader entry(engine, OpenArchiveEntry(engine, MapsArchives(engine), name));
    if (entry.IsOpen()) {
      static const RecordBinder<LevelState> binder(EntryFormatTitled("LEVEL/PlusMinus"),
                                                   LevelMarginFields());
      EntryRecordReader reader(binder.format(), entry);
      EntryRecord record;
      if (reader.Next(record) != ReadStep::Record) {
        return Fault("PlusMinus file in " + engine.session.CurrentLevelName + " corrupted");
      }
      binder.Fill(level, record);
    }
  }
  engine.platform.TraceLine("Plus Minus Settings: " + std::to_string(level.PlusX) + "," +
                            std::to_string(level.PlusY) + "/" + std::to_string(level.MinusX) + "," +
                            std::to_string(level.MinusY));
  return {};
}

// Without a music file the level keeps the music of the level before.
void StartMusic(Engine& engine) {
  LevelState& level = engine.level;
  if (level.MusicFile.empty()) return;
  const std::string path =
      ResolveProjectFile(engine, "Data/Music/", "Music/", level.MusicFile, PatchCopy::Exists);
  level.MusicSound = path.empty() ? nullptr : engine.platform.LoadSoundFile(path, true);
  if (level.MusicSound) level.MusicChannel = engine.platform.PlaySoundOn(level.MusicSound);
}

LoadFault RunCheckpointScripts(Engine& engine) {
  const std::string prefix = engine.session.CurrentLevelName + "/Script/";
  // A copy: the list is the session's, and loading a script must not depend on it staying.
  const std::vector<std::string> names = engine.session.CheckpointList;
  for (const std::string& name : names) {
    if (!HasArchiveEntry(engine, MapsArchives(engine), prefix + name)) continue;
    if (LoadFault fault = RunScriptFile(engine, name)) return fault;
  }
  return {};
}

}  // namespace

void ShowLevelLoading(Engine& engine) {
  engine.level.PictureCache.clear();
  ShowLoadingScreen(engine);
}

LoadFault ReadLevelSettings(Engine& engine) {
  if (LoadFault fault = ReadGeneralData(engine)) return fault;
  return ReadMargins(engine);
}

LoadFault ReadLevelMap(Engine& engine) {
  if (LoadFault fault = LoadMapObjects(engine)) return fault;
  if (LoadFault fault = ScanActors(engine)) return fault;
  if (LoadFault fault = FindPlayer(engine)) return fault;
  StartMusic(engine);
  return {};
}

LoadFault RunLevelCheckpoints(Engine& engine) {
  if (LoadFault fault = RunCheckpointScripts(engine)) return fault;
  // Every picture now in use is held by the level; the rest may go.
  engine.level.PictureCache.clear();
  return {};
}

}  // namespace hopwerk
