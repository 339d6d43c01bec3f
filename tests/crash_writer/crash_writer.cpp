// crash-writer: writes a saved game, the high-score table and Config.PCF into a folder through
// the engine's own writers, for the test that kills it in the middle of writing
// (tests/engine/crash_safe_writes_test.cpp).
//
//   crash-writer a|b FOLDER   each file once, in version a or b
//   crash-writer loop FOLDER  b, a, b, a, ... for ever; prints one line once it has begun
#include <cstdio>
#include <cstring>
#include <string>

#include "engine/Engine.h"
#include "frontend/Config.h"
#include "frontend/HighScoreFile.h"
#include "frontend/SavedGames.h"
#include "platform/HeadlessPlatform.h"

namespace {

using namespace hopwerk;

constexpr int kSlot = 3;

// The two versions differ in every file (the saved game and the table in length too), so a
// file made of parts of both, or cut short, matches neither.
void SetVersion(Engine& e, bool b) {
  PlayerSettings& settings = e.settings;
  SessionState& session = e.session;
  LevelState& level = e.level;
  level.LevelTitle = b ? "Glowworm Grotto, the long way round" : "Sunny Meadow";
  session.CurrentLevelName = b ? "Caves2" : "Meadow1";
  session.CheckpointX = b ? 3120 : 1455;
  session.CheckpointY = b ? 900 : 4784;
  session.CheckpointScore = b ? 4410 : 120;
  session.CheckpointList =
      b ? std::vector<std::string>{"Start", "Bridge", "Grotto"} : std::vector<std::string>{"Start"};
  for (int i = 0; i < kWeaponSlots; ++i) e.data.Weapons[i].Ammo = b ? i * 7 : i;
  session.SelectedWeapon = b ? 2 : 1;
  session.Skill = b ? 2 : 1;
  session.Episode = b ? 2 : 1;
  session.Kills = b ? 31 : 3;
  session.Deaths = b ? 12 : 2;
  session.Items = b ? 77 : 11;
  settings.KeyJump = b ? 165 : 164;
  settings.KeyFire = b ? 163 : 162;
  settings.KeyActivate = b ? 13 : 32;
  settings.KeyPause = b ? 80 : 112;
  settings.Performance = b ? 0 : 1;
  FillBuiltInHighScores(e);
  for (int episode = 1; episode <= kMaxEpisodes; ++episode) {
    for (int skill = 0; skill < kSkills; ++skill) {
      HiType& top = e.frontend.HiScores[episode][skill][1];
      top.Name = b ? "Bertha the Bold" : "Al";
      top.Score = b ? 987654 : 5000;
      top.Date = b ? "08 Dec 2026" : "07 Dec 2026";
    }
  }
}

bool WriteAll(Engine& e, bool b) {
  SetVersion(e, b);
  return SaveGame(e, kSlot) && WriteHighScoreFile(e) && SaveConfig(e);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: crash-writer a|b|loop FOLDER\n");
    return 2;
  }
  const std::string mode = argv[1];
  HeadlessOptions options;
  options.homeFolder = argv[2];
  options.programFolder = std::string(argv[2]) + "/";
  options.output = [](const std::string&) {};
  HeadlessPlatform platform(options);
  Engine engine(platform);
  engine.project.ProjectIdMajor = 72;
  engine.project.ProjectIdMinor = 2026;
  engine.project.ProjectTitle = "Hopwerk Demo";
  engine.folders.SaveFolder = std::string(argv[2]) + "/";
  if (mode == "a" || mode == "b") return WriteAll(engine, mode == "b") ? 0 : 1;
  if (mode != "loop") return 2;
  std::puts("writing");
  std::fflush(stdout);
  for (bool b = true;; b = !b) {
    if (!WriteAll(engine, b)) return 1;
  }
}
