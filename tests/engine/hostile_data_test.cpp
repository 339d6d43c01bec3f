// Random bytes in every entry the start-up reads: the engine must stop with its own message or
// carry on, never crash, hang or read outside an entry (the sanitizers watch the last two).
#include <gtest/gtest.h>

#include <random>

#include "TestProject.h"
#include "data/Cheats.h"
#include "data/ProjectSettings.h"
#include "data/StatusScreen.h"
#include "data/Weapons.h"
#include "frontend/EpisodeList.h"
#include "shell/CreditsScreen.h"
#include "shell/Folders.h"

namespace hopwerk {
namespace {

std::vector<uint8_t> RandomBytes(std::mt19937& rng, size_t maxLength) {
  std::vector<uint8_t> bytes(rng() % (maxLength + 1));
  for (uint8_t& b : bytes) {
    // Mostly small values, so tags and lengths are often valid and the loaders get deep.
    b = static_cast<uint8_t>(rng() % 4 == 0 ? rng() : rng() % 8);
  }
  return bytes;
}

TEST(HostileData, RandomEntriesEndCleanlyOrLoad) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 180; ++round) {
    test::EngineRun run;
    test::WriteFile(run.project.path() + "/VXR/.keep", "");
    ASSERT_TRUE(WriteVxrArchive(run.project.path() + "/VXR/General.vxr",
                                {{"GenData", RandomBytes(rng, 40), 0},
                                 {"Cheats", RandomBytes(rng, 60), 0},
                                 {"Score", RandomBytes(rng, 80), 0},
                                 {"Credits", RandomBytes(rng, 80), 0},
                                 {"Episode", RandomBytes(rng, 60), 0},
                                 {"Tail", RandomBytes(rng, 16), 0}}));
    ASSERT_TRUE(WriteVxrArchive(
        run.project.path() + "/VXR/Weapon.vxr",
        {{"Weapon.0", RandomBytes(rng, 40), 0}, {"Weapon.7", RandomBytes(rng, 40), 0}}));
    // Patch lines that often name an episode, 0 to 8, followed by anything.
    std::string patch;
    for (int line = 0; line < 3; ++line) {
      if (rng() % 2 == 0) patch += "Episode" + std::to_string(rng() % 9) + "=";
      const std::vector<uint8_t> rest = RandomBytes(rng, 40);
      patch.append(rest.begin(), rest.end());
      patch += "\n";
    }
    test::WriteFile(run.home.path() + "/Patch.PPF/Episode.PPF", patch);
    Engine& engine = run.Start();
    SetProgramFolders(engine);
    engine.play.PatchFolder = run.home.path() + "/Patch.PPF";
    run.platform->OpenDisplay(320, 200, 0, 60);
    const int step = round % 6;
    run.Run([step](Engine& e) {
      switch (step) {
        case 0:
          ReadProjectSettings(e);
          break;
        case 1:
          LoadCheats(e);
          break;
        case 2:
          e.data.StatusElements = LoadStatusScreen(e, GeneralArchivePath(e), "Score");
          DrawStatusScreen(e, e.data.StatusElements);
          break;
        case 3:
          LoadWeapons(e);
          break;
        case 4:
          LoadCredits(e, GeneralArchivePath(e), "Credits");
          break;
        default:
          ReadEpisodeEntry(e);
          ApplyEpisodePatchFile(e);
          EXPECT_LE(CountOfferedEpisodes(e), 6);
          break;
      }
    });
    if (run.ended) {
      // Bad data stops with a message: a notice before the display, the console after it.
      EXPECT_TRUE(run.end.status == 1 || run.end.reason == "input") << "round " << round;
    }
  }
}

}  // namespace
}  // namespace hopwerk
