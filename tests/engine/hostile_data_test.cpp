// Random bytes in every entry the start-up reads: the engine must stop with its own message or
// carry on, never crash, hang or read outside an entry (the sanitizers watch the last two).
#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "LevelTestProject.h"
#include "TestProject.h"
#include "codec/PngWriter.h"
#include "data/Cheats.h"
#include "data/Console.h"
#include "data/ProjectSettings.h"
#include "data/StatusScreen.h"
#include "data/Weapons.h"
#include "frontend/Config.h"
#include "frontend/EpisodeList.h"
#include "frontend/HighScoreFile.h"
#include "frontend/HighScoreScreens.h"
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
    engine.settings.PatchFolder = run.home.path() + "/Patch.PPF";
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
          EndOnLoadError(e, ReadEpisodeEntry(e));
          ApplyEpisodePatchFile(e);
          EXPECT_LE(CountOfferedEpisodes(e), 6);
          break;
      }
    });
    if (run.ended) {
      // Bad data stops with a message: a notice before the display, the console after it.
      EXPECT_EQ(run.end.status, 1) << "round " << round;
    }
  }
}

// The player's own files can be damaged or planted too: Config.PCF and the high-score file load
// what fits, keep settings to a byte and the table to its places, and draw without a crash.
TEST(HostileData, PlayerFilesLoadWhatFits) {
  std::mt19937 rng(20261209);
  for (int round = 0; round < 60; ++round) {
    test::EngineRun run;
    Engine& engine = run.Start();
    run.platform->OpenDisplay(320, 240, 0, 60);
    engine.folders.SaveFolder = run.home.path() + "/";
    const std::vector<uint8_t> config = RandomBytes(rng, 24);
    const std::vector<uint8_t> scores = RandomBytes(rng, 400);
    test::WriteFile(ConfigFile(engine), std::string(config.begin(), config.end()));
    test::WriteFile(HighScoreFilePath(engine), std::string(scores.begin(), scores.end()));
    run.Run([&rng](Engine& e) {
      LoadConfig(e);
      LoadHighScores(e);
      DrawHighScores(e, static_cast<int>(rng() % 7), static_cast<int>(rng() % 3), -1);
    });
    ASSERT_FALSE(run.ended) << "round " << round;
    for (const int32_t setting :
         {engine.settings.KeyJump, engine.settings.KeyFire, engine.settings.KeyActivate,
          engine.settings.KeyPause, engine.settings.Performance}) {
      EXPECT_GE(setting, 0);
      EXPECT_LE(setting, 255);
    }
  }
}

using test::Bytes;

// Coordinates from the project at the ends of the 32-bit range, with texts aligned against
// them: the alignment arithmetic must not overflow.
TEST(HostileData, ExtremeCoordinatesNeverOverflow) {
  for (const int32_t x : {INT32_MIN, INT32_MIN + 1, INT32_MAX}) {
    test::EngineRun run;
    Bytes score;
    for (const int com : {6, 7, 8}) {
      score.Byte(0).Byte(1).Byte(com).Byte(2).Int(x).Int(x).Int(x).Int(x).Byte(3).String(
          "[SCORE] points");
    }
    run.WriteGeneral(
        {{"Score", score.data, 0}, {"Credits", Bytes().Text("$centred\n>right\n").data, 0}});
    run.options.events = {{1, ReplayEvent::Kind::Down, 27, ""}};  // leaves the credits
    Engine& engine = run.Start();
    SetProgramFolders(engine);
    run.platform->OpenDisplay(320, 200, 0, 60);
    engine.project.ScreenWidth = x;
    run.Run([](Engine& e) {
      e.data.StatusElements = LoadStatusScreen(e, GeneralArchivePath(e), "Score");
      DrawStatusScreen(e, e.data.StatusElements);
      CreditsScreen(e, GeneralArchivePath(e), "Credits");
    });
    EXPECT_FALSE(run.ended) << x;
  }
}

// Picture and sound names from game data that climb out of their folder, in every spelling,
// are files that do not exist: the loaders' own "not loaded" handling runs and nothing from
// outside is read, though a real picture and sound lie right there.
TEST(HostileData, NamesFromGameDataNeverLeaveTheirFolder) {
  test::TempDir scratch;
  const uint32_t white[4] = {0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu, 0xFFFFFFFFu};
  ASSERT_TRUE(WritePng(scratch.path() + "/outside.png", white, 2, 2));
  const std::string png = test::ReadFile(scratch.path() + "/outside.png");
  const std::string wav("RIFF\x04\0\0\0WAVE", 12);
  test::WriteFile(scratch.path() + "/outside.wav", wav);
  const struct {
    std::string picture, sound;  // from Data/GFX/Weapon/ and Data/SFX/
  } cases[] = {
      {"../../../outside.png", "../../outside.wav"},
      {"..\\..\\..\\outside.png", "..\\..\\outside.wav"},
      {"sub/../../../../outside.png", "SFX/../../../outside.wav"},
      {scratch.path() + "/outside.png", scratch.path() + "/outside.wav"},
      {"... /outside.png", "C:/outside.wav"},
  };
  // A project with the outside files beside its Data folder, a status element showing
  // `picture` and weapon 0 made of `weapon`, through the status screen and the weapon loader.
  const auto play = [&](const std::string& picture, const Bytes& weapon) {
    auto run = std::make_unique<test::EngineRun>();
    test::WriteFile(run->project.path() + "/outside.png", png);
    test::WriteFile(run->project.path() + "/outside.wav", wav);
    run->WriteGeneral({{"Score", Bytes().Byte(0).Byte(1).Byte(1).Byte(3).String(picture).data, 0}});
    EXPECT_TRUE(
        WriteVxrArchive(run->project.path() + "/VXR/Weapon.vxr", {{"Weapon.0", weapon.data, 0}}));
    Engine& engine = run->Start();
    SetProgramFolders(engine);
    run->platform->OpenDisplay(320, 200, 0, 60);
    run->Run([](Engine& e) {
      e.data.StatusElements = LoadStatusScreen(e, GeneralArchivePath(e), "Score");
      DrawStatusScreen(e, e.data.StatusElements);
      LoadWeapons(e);
    });
    return run;
  };
  for (const auto& c : cases) {
    const auto shown = play(c.picture, Bytes().Byte(0).String(c.picture).Byte(255));
    const std::string data = shown->project.path() + "/Data/";
    ASSERT_EQ(shown->engine->data.StatusElements.size(), 1u);
    EXPECT_FALSE(shown->engine->data.StatusElements[0].Image) << c.picture;
    EXPECT_TRUE(shown->Printed("console| Could not load: " + data + "GFX/Weapon/" + c.picture));
    EXPECT_EQ(shown->end.status, 1) << c.picture;

    const auto heard = play("", Bytes().Byte(1).String(c.sound).Byte(255));
    EXPECT_TRUE(heard->Printed("console| Could Not Load: " + heard->project.path() + "/Data/SFX/" +
                               c.sound));
    EXPECT_EQ(heard->end.status, 1) << c.sound;
  }
}

// Every entry a level load reads, in random bytes or cut short: the level loads, or its loader
// stops with its own message. A cut entry is followed in its archive by the bytes it lost, so a
// loader that read past its entry's end would load instead of stopping.
TEST(HostileData, LevelEntriesEndInTheirOwnMessage) {
  using test::Bytes;
  struct Target {
    const char* archive;
    const char* entry;
    Bytes valid;
    const char* message;  // what the loader's messages start with
  };
  const std::vector<Target> targets = {
      {"Maps.vxr", "L1/General",
       Bytes()
           .Byte(0)
           .String("Title")
           .Byte(1)
           .String("m.wav")
           .Byte(2)
           .String("x")
           .Byte(3)
           .Byte(1)
           .Byte(2)
           .Byte(3)
           .Byte(4)
           .String("sky.png")
           .Byte(5)
           .Int(2)
           .Byte(6)
           .Byte(1)
           .Byte(255),
       "General file in L1 corrupted"},
      {"Maps.vxr", "L1/PlusMinus", Bytes().Int(1).Int(2).Int(3).Int(4),
       "PlusMinus file in L1 corrupted"},
      {"Maps.vxr", "L1/Objects",
       Bytes(test::ObjectBytes().Add(2, "Hero").Add(3, "Gem").Add(2, "Bat").Anim(1, 8, 8, 2).b)
           .Byte(2)
           .Byte(1)
           .Byte(1)
           .Byte(6)
           .Byte(2)
           .Byte(7)
           .Byte(1)
           .Byte(2)
           .Byte(3)
           .Byte(8)
           .String("id")
           .Byte(9)
           .String("Start")
           .Byte(10)
           .Byte(5)
           .Byte(11)
           .Int(6)
           .Byte(12)
           .Int(1)
           .Byte(13)
           .Byte(1)
           .Byte(1)
           .Byte(1)
           .Byte(14)
           .Byte(1)
           .Byte(0)
           .Byte(15)
           .Byte(0)
           .Byte(16)
           .Int(1)
           .Int(-1)
           .Byte(255),
       "Map Object File corrupted! "},
      {"Maps.vxr", "L1/Script/Start",
       Bytes()
           .Byte(0)
           .Byte(1)
           .String("u")
           .Byte(2)
           .Int(3)
           .Byte(3)
           .String("c")
           .Byte(4)
           .String("n")
           .Byte(5)
           .Int(0)
           .Byte(6)
           .String("s")
           .Byte(7)
           .Int(1)
           .Int(2)
           .Byte(8)
           .Byte(0)
           .Byte(9)
           .Int(1)
           .Int(1)
           .Byte(10)
           .String("o")
           .Byte(11)
           .String("a")
           .Byte(12)
           .Int(9)
           .Byte(255),
       "Script \"Start\" corrupted => "},
      {"Actors.vxr", "Bat",
       Bytes()
           .Byte(0)
           .Byte(0)
           .Byte(1)
           .String("bat")
           .Byte(2)
           .Byte(0)
           .Int(8)
           .Int(8)
           .Int(2)
           .Int(50)
           .Byte(3)
           .Byte(1)
           .Byte(4)
           .Byte(6)
           .Byte(1)
           .Byte(5)
           .Byte(6)
           .String("Zap")
           .Byte(6)
           .Byte(3)
           .Byte(1)
           .Byte(7)
           .Byte(0)
           .Int(5)
           .Byte(8)
           .Byte(3)
           .String("Gem")
           .Byte(9)
           .Int(10)
           .Byte(10)
           .Int(100)
           .Byte(11)
           .String("o.wav")
           .Byte(12)
           .String("d.wav")
           .Byte(255),
       "Actor \"Bat\" corrupted ("},
      {"Collectables.vxr", "Gem",
       Bytes()
           .Byte(0)
           .String("gem.png")
           .Byte(1)
           .Int(1)
           .Byte(2)
           .Int(2)
           .Byte(3)
           .Int(3)
           .Byte(4)
           .Byte(4)
           .Byte(5)
           .Byte(1)
           .Byte(6)
           .Byte(1)
           .Byte(7)
           .Int(8)
           .Int(8)
           .Int(2)
           .Int(90)
           .Byte(8)
           .String("g.wav")
           .Byte(9)
           .Byte(2)
           .Byte(255),
       "Collectable \"Gem\" corrupted => "},
      {"Weapon.vxr", "Enemy/Zap",
       Bytes()
           .Byte(0)
           .String("zap.png")
           .Byte(1)
           .Byte(9)
           .Byte(8)
           .Byte(7)
           .Byte(2)
           .Int(3)
           .Int(-1)
           .Byte(3)
           .Int(50)
           .Byte(255),
       "Enemy Weapon \"Zap\" corrupted ("},
  };
  std::mt19937 rng(20261209);
  for (int round = 0; round < 140; ++round) {
    const Target& t = targets[static_cast<size_t>(round) % targets.size()];
    const bool cut = (round / targets.size()) % 2 == 1;
    test::LevelProject lp;
    lp.displayWidth = 64;
    lp.displayHeight = 48;
    lp.Put("Maps.vxr", "L1/Objects",
           test::ObjectBytes().Add(2, "Hero").Add(3, "Gem").Add(2, "Bat").End());
    lp.Put("Maps.vxr", "L1/Script/Start", Bytes().Byte(0).Byte(255));
    lp.Put("Actors.vxr", "Bat",
           Bytes().Byte(4).Byte(6).Byte(1).Byte(5).Byte(6).String("Zap").Byte(255));
    lp.Put("Collectables.vxr", "Gem", Bytes().Byte(255));
    lp.Put("Weapon.vxr", "Enemy/Zap", Bytes().Byte(0).String("zap.png").Byte(255));
    lp.Picture("Data/GFX/Weapon/zap.png", 4, 4);
    std::vector<uint8_t> bytes = RandomBytes(rng, 60);
    std::vector<uint8_t> lost;
    if (cut) {
      const size_t keep = rng() % t.valid.data.size();
      bytes.assign(t.valid.data.begin(), t.valid.data.begin() + static_cast<long>(keep));
      lost.assign(t.valid.data.begin() + static_cast<long>(keep), t.valid.data.end());
    }
    auto& entries = lp.archives[t.archive];
    std::erase_if(entries, [&](const VxrWriteEntry& e) { return e.name == t.entry; });
    entries.insert(entries.begin(), {{t.entry, bytes, 0}, {"Tail", lost, 0}});
    lp.Load();
    const std::string message = lp.FatalMessage();
    // The enemy weapon loader also stops on a bullet picture that does not load.
    const bool own = message.rfind(t.message, 0) == 0 ||
                     (std::string(t.entry) == "Enemy/Zap" && message.rfind("Image \"", 0) == 0);
    if (cut && std::string(t.entry) != "L1/General") {
      EXPECT_TRUE(own) << "round " << round << ": " << message;
      continue;
    }
    if (!lp.run.ended) continue;
    // Random objects may name kinds the archives lack (an archive error) or leave no player.
    const bool objects = std::string(t.entry) == "L1/Objects";
    const bool archiveError = lp.run.end.reason == "exit" && lp.run.end.status == 1;
    EXPECT_TRUE(own ||
                (objects && (archiveError || message == "No start player actor in level \"L1\"")))
        << "round " << round << ": " << message;
  }
}

}  // namespace
}  // namespace hopwerk
