#include "level/LevelLoading.h"

#include "data/Console.h"
#include "data/EntryReader.h"
#include "data/ProjectFiles.h"
#include "level/ActorScan.h"
#include "level/LevelArchives.h"
#include "level/LevelPictures.h"
#include "level/LevelScripts.h"
#include "level/MapObjects.h"

namespace hopwerk {

namespace {

[[noreturn]] void GeneralCorrupted(Engine& engine, EntryReader& entry) {
  entry.Close();
  FatalError(engine, "General file in " + engine.play.CurrentLevelName + " corrupted");
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
void ReadGeneralData(Engine& engine) {
  LevelState& level = engine.level;
  EntryReader entry(engine, OpenArchiveEntry(engine, MapsArchives(engine),
                                             engine.play.CurrentLevelName + "/General"));
  if (!entry.IsOpen()) return;
  // The entry may end without its end tag; a value cut off by its end is damage.
  auto whole = [&](auto value) {
    if (entry.Overran()) GeneralCorrupted(engine, entry);
    return value;
  };
  while (!entry.AtEnd()) {
    switch (entry.Byte()) {
      case 0:
        engine.play.LevelTitle = whole(entry.String());
        break;
      case 1:
        level.MusicFile = whole(entry.String());
        break;
      case 2:
        level.SecondText = whole(entry.String());
        break;
      case 3: {
        const int r = entry.Byte();
        const int g = entry.Byte();
        const int b = whole(entry.Byte());
        level.ClsR = r;
        level.ClsG = g;
        level.ClsB = b;
        engine.platform.TraceLine("CLS COL: " + std::to_string(r) + ", " + std::to_string(g) +
                                  ", " + std::to_string(b));
        break;
      }
      case 4:
        level.BackgroundPicName = whole(entry.String());
        level.BackgroundPic = LoadLevelPicture(
            engine, ResolveProjectFile(engine, "Data/GFX/Level/Tiles/", "GFX/Level/Tiles/",
                                       level.BackgroundPicName, PatchCopy::Exists));
        break;
      case 5:
        level.BackgroundDivisor = whole(entry.Int());
        break;
      case 6:
        level.BackgroundEffect = whole(entry.Byte());
        break;
      case 255:
        return;
      default:
        GeneralCorrupted(engine, entry);
    }
  }
}

void ReadMargins(Engine& engine) {
  LevelState& level = engine.level;
  level.PlusX = level.PlusY = level.MinusX = level.MinusY = kWorldSize;
  const std::string name = engine.play.CurrentLevelName + "/PlusMinus";
  if (HasArchiveEntry(engine, MapsArchives(engine), name)) {
    EntryReader entry(engine, OpenArchiveEntry(engine, MapsArchives(engine), name));
    if (entry.IsOpen()) {
      const int32_t plusX = entry.Int();
      const int32_t plusY = entry.Int();
      const int32_t minusX = entry.Int();
      const int32_t minusY = entry.Int();
      if (entry.Overran()) {
        entry.Close();
        FatalError(engine, "PlusMinus file in " + engine.play.CurrentLevelName + " corrupted");
      }
      level.PlusX = plusX;
      level.PlusY = plusY;
      level.MinusX = minusX;
      level.MinusY = minusY;
    }
  }
  engine.platform.TraceLine("Plus Minus Settings: " + std::to_string(level.PlusX) + "," +
                            std::to_string(level.PlusY) + "/" + std::to_string(level.MinusX) + "," +
                            std::to_string(level.MinusY));
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

void RunCheckpointScripts(Engine& engine) {
  const std::string prefix = engine.play.CurrentLevelName + "/Script/";
  // A copy: the list is the play state's, and loading a script must not depend on it staying.
  const std::vector<std::string> names = engine.play.CheckpointList;
  for (const std::string& name : names) {
    if (HasArchiveEntry(engine, MapsArchives(engine), prefix + name)) RunScriptFile(engine, name);
  }
}

}  // namespace

void LoadLevel(Engine& engine) {
  PlayState& play = engine.play;
  play.PanTargetX = -1;
  play.PanTargetY = -1;
  play.PanReturning = 0;
  play.BossObject = nullptr;
  engine.level.PictureCache.clear();
  ShowLoadingScreen(engine);
  for (int k = 1; k <= 9; ++k) play.Keys[k] = 0;
  ReadGeneralData(engine);
  ReadMargins(engine);
  LoadMapObjects(engine);
  ScanActors(engine);
  FindPlayer(engine);
  StartMusic(engine);
  play.LevelCompleted = 0;
  play.NextLevelName.clear();
  play.EpisodeEnds = 0;
  RunCheckpointScripts(engine);
  // Every picture now in use is held by the level; the rest may go.
  engine.level.PictureCache.clear();
}

}  // namespace hopwerk
