#include "gameplay/ChooseLevel.h"

#include "archive/VxrIndex.h"
#include "gameplay/LoadLevel.h"
#include "gameplay/RecordCheckpoint.h"
#include "gameplay/StopLevelMusic.h"
#include "level/LevelArchives.h"
#include "platform/KeyCodes.h"

namespace hopwerk {

namespace {

constexpr int kRowsShown = 11;

bool EndsInObjects(const std::string& name) {
  const std::string upper = VxrUpper(name);
  const std::string tail = "OBJECTS";
  return upper.size() >= tail.size() &&
         upper.compare(upper.size() - tail.size(), tail.size(), tail) == 0;
}

void ListArchive(Engine& engine, const std::string& archive, std::vector<std::string>& levels) {
  VXR_ReadDir(engine.vxr, archive);
  for (std::string name = VXR_NextFile(engine.vxr); !name.empty();
       name = VXR_NextFile(engine.vxr)) {
    if (!EndsInObjects(name)) continue;
    // A level's entries sit in its folder; an objects entry outside any folder names no level.
    const size_t slash = name.rfind('/');
    if (slash == std::string::npos) continue;
    levels.push_back(name.substr(0, slash));
  }
  VXR_CloseDir(engine.vxr);
}

void DrawChooser(Engine& engine, const std::vector<std::string>& levels, size_t top,
                 size_t selected) {
  Platform& p = engine.platform;
  // Rows scroll: without a full-screen background, last pass's names would show through.
  p.ClearScreen();
  p.SetDrawColor(255, 255, 255);
  if (const PicturePtr& menu = engine.pictures.MenuPic) p.DrawPicture(*menu, 0, 0, 0);
  for (size_t k = 0; k < kRowsShown && top + k < levels.size(); ++k) {
    if (top + k == selected) {
      p.SetDrawColor(255, 0, 0);
    } else {
      p.SetDrawColor(255, 255, 255);
    }
    p.DrawTextAt(levels[top + k], 10, static_cast<float>(k * 25 + 150));
  }
  p.SetDrawColor(255, 255, 255);
  p.PresentFrame(-1);
}

void PlayChosenLevel(Engine& engine, const std::string& name) {
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  session.Score = session.CheckpointScore;
  session.CurrentLevelName = name;
  StopLevelMusic(engine);
  RecordCheckpoint(engine);
  LoadLevel(engine);
  // Now at the new level's start.
  RecordCheckpoint(engine);
  run.LevelCompleted = 0;
}

}  // namespace

std::vector<std::string> ListLevels(Engine& engine) {
  std::vector<std::string> levels;
  const ArchivePair maps = MapsArchives(engine);
  if (!engine.settings.PatchFolder.empty()) ListArchive(engine, maps.patch, levels);
  ListArchive(engine, maps.base, levels);
  return levels;
}

void ChooseLevel(Engine& engine) {
  Platform& p = engine.platform;
  p.FlushKeys();
  const std::vector<std::string> levels = ListLevels(engine);
  size_t selected = 0;
  size_t top = 0;
  for (;;) {
    DrawChooser(engine, levels, top, selected);
    if (p.KeyHits(kKeyUp) != 0 && selected > 0) {
      --selected;
      if (selected < top) top = selected;
    }
    if (p.KeyHits(kKeyDown) != 0 && selected + 1 < levels.size()) {
      ++selected;
      if (selected > top + (kRowsShown - 1)) top = selected - (kRowsShown - 1);
    }
    if (p.KeyHits(kKeyEscape) != 0) return;
    // With no level to choose, Enter has nothing to load.
    if (p.KeyHits(kKeyEnter) != 0 && selected < levels.size()) {
      PlayChosenLevel(engine, levels[selected]);
      return;
    }
  }
}

}  // namespace hopwerk
