// Saved games: the slot file's bytes, loading them back, hostile and foreign files, failed
// writes and the keys of the slot screen.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <random>

#include "TestProject.h"
#include "frontend/SavedGames.h"
#include "frontend/SlotScreen.h"

namespace hopwerk {
namespace {

namespace fs = std::filesystem;
using test::Bytes;

constexpr int kDown = 40, kUp = 38, kEnter = 13, kEscape = 27;

void Tap(std::vector<ReplayEvent>& events, int64_t frame, int key) {
  events.push_back({frame, ReplayEvent::Kind::Down, key, ""});
  events.push_back({frame, ReplayEvent::Kind::Up, key, ""});
}

std::string Text(const Bytes& b) {
  return std::string(b.data.begin(), b.data.end());
}

// The header of a slot file of project (66, 7).
Bytes Header(const std::string& description = "d") {
  return Bytes().Byte(66).Int(7).String(description);
}

class SavedGamesTest : public ::testing::Test {
 protected:
  // Fatal errors redraw the whole console: a small display keeps the many of them quick.
  Engine& Open(std::vector<ReplayEvent> events = {}, int width = 640, int height = 480) {
    run.options.events = std::move(events);
    run.options.frameLimit = 200;  // a screen that never returns ends the run instead of hanging
    run.output.clear();
    run.ended = false;
    Engine& engine = run.Start();
    run.platform->OpenDisplay(width, height, 0, 60);
    engine.project.ProjectIdMajor = 66;
    engine.project.ProjectIdMinor = 7;
    engine.folders.SaveFolder = run.home.path() + "/Save/";
    fs::remove_all(engine.folders.SaveFolder);
    fs::create_directories(engine.folders.SaveFolder);
    return engine;
  }
  // A game on its way through Meadow1 at Medium.
  static void SetGame(Engine& e) {
    PlayerSettings& settings = e.settings;
    SessionState& session = e.session;
    LevelState& level = e.level;
    level.LevelTitle = "Sunny Meadow";
    session.CurrentLevelName = "Meadow1";
    session.CheckpointX = 1455;
    session.CheckpointY = 4784;
    session.CheckpointScore = 120;
    session.CheckpointList = {"Start", "GateOpen"};
    for (int i = 0; i < kWeaponSlots; ++i) e.data.Weapons[i].Ammo = i * 10 - 1;
    session.SelectedWeapon = 1;
    session.Skill = 1;
    session.Kills = 3;
    session.Deaths = 2;
    session.Items = 11;
    settings.PatchFolder = "";
    session.Episode = 2;
  }
  std::string Slot(int slot) const { return SlotFilePath(*run.engine, slot); }
  void ExpectFatal(const std::string& message) {
    ASSERT_TRUE(run.ended) << message;
    EXPECT_EQ(run.end.status, 1);
    EXPECT_TRUE(run.Printed("console| " + message)) << message;
  }
  test::EngineRun run;
};

TEST_F(SavedGamesTest, SaveWritesTheSlotFileRecordByRecord) {
  Engine& engine = Open();
  SetGame(engine);
  ASSERT_TRUE(SaveGame(engine, 3));
  EXPECT_EQ(Slot(3), engine.folders.SaveFolder + "SaveGame.B03");
  Bytes want = Header("07 Dec 2026, 12:00:00 > Sunny Meadow (Medium Mode)");
  want.Byte(0).String("Meadow1").Byte(1).Int(1455).Int(4784).Byte(2).Int(120);
  want.Byte(3).String("Start").Byte(3).String("GateOpen");
  for (int i = 0; i < kWeaponSlots; ++i) want.Byte(4).Byte(i).Int(i * 10 - 1);
  want.Byte(5).Byte(1).Byte(6).Byte(1).Byte(7).Int(3).Byte(8).Int(2).Byte(9).Int(11);
  want.Byte(10).String("").Byte(12).Byte(2);
  EXPECT_EQ(test::ReadFile(Slot(3)), Text(want));
  // Nothing but the slot file is left in the folder.
  EXPECT_EQ(std::distance(fs::directory_iterator(engine.folders.SaveFolder), {}), 1);
}

TEST_F(SavedGamesTest, IdentityCharacterNamesTheFile) {
  const struct {
    int major;
    std::string name;
  } cases[] = {{65, "SaveGame.A07"},
               {0, "SaveGame._07"},
               {'/', "SaveGame._07"},
               {'\\', "SaveGame._07"},
               {300, "SaveGame.,07"}};
  Engine& engine = Open();
  for (const auto& c : cases) {
    engine.project.ProjectIdMajor = c.major;
    EXPECT_EQ(SlotFilePath(engine, 7), engine.folders.SaveFolder + c.name) << c.major;
  }
}

TEST_F(SavedGamesTest, LoadingPutsTheSavedGameBack) {
  const struct {
    int32_t weapon;
    int32_t skill;
    std::string patch;
    std::vector<std::string> list;
  } cases[] = {
      {-1, 0, "", {"Start"}},
      {9, 2, "/home/frog/Games/Pack.PPF", {"Start", "GateOpen", "Arena"}},
      {0, 7, std::string(300, 'p'), {}},  // strings are kept to their first 255 characters
  };
  for (const auto& c : cases) {
    Engine& engine = Open();
    SetGame(engine);
    engine.session.SelectedWeapon = c.weapon;
    engine.session.Skill = c.skill;
    engine.settings.PatchFolder = c.patch;
    engine.session.CheckpointList = c.list;
    ASSERT_TRUE(SaveGame(engine, 0));
    // Another game in progress, with a checkpoint list of its own.
    PlayerSettings& settings = engine.settings;
    SessionState& session = engine.session;
    session.CurrentLevelName = "Caves1";
    session.CheckpointX = session.CheckpointY = session.CheckpointScore = -5;
    session.CheckpointList = {"Old"};
    for (WeaponType& w : engine.data.Weapons) w.Ammo = 1234;
    session.SelectedWeapon = 4;
    session.Skill = session.Kills = session.Deaths = session.Items = session.Episode = 99;
    settings.PatchFolder = "Other.PPF";
    session.Score = 777;
    run.Run([](Engine& e) { LoadGame(e, 0); });
    ASSERT_FALSE(run.ended) << c.weapon;
    EXPECT_EQ(session.CurrentLevelName, "Meadow1");
    EXPECT_EQ(session.CheckpointX, 1455);
    EXPECT_EQ(session.CheckpointY, 4784);
    EXPECT_EQ(session.CheckpointScore, 120);
    EXPECT_EQ(session.CheckpointList, c.list);
    for (int i = 0; i < kWeaponSlots; ++i) EXPECT_EQ(engine.data.Weapons[i].Ammo, i * 10 - 1);
    EXPECT_EQ(session.SelectedWeapon, c.weapon);
    EXPECT_EQ(session.Skill, c.skill);
    EXPECT_EQ(session.Kills, 3);
    EXPECT_EQ(session.Deaths, 2);
    EXPECT_EQ(session.Items, 11);
    EXPECT_EQ(settings.PatchFolder, c.patch.substr(0, 255));
    EXPECT_EQ(session.Episode, 2);
    EXPECT_EQ(session.Score, 777)
        << "the score comes back from the checkpoint when the level starts";
  }
}

TEST_F(SavedGamesTest, LongDescriptionIsCutSoTheFileStaysReadable) {
  Engine& engine = Open();
  SetGame(engine);
  engine.level.LevelTitle = std::string(300, 'x');
  ASSERT_TRUE(SaveGame(engine, 2));
  const std::string file = test::ReadFile(Slot(2));
  ASSERT_GT(file.size(), 6u + 255u);
  EXPECT_EQ(static_cast<uint8_t>(file[5]), 255);
  const std::string description = file.substr(6, 255);
  EXPECT_EQ(description, ("07 Dec 2026, 12:00:00 > " + std::string(300, 'x')).substr(0, 255));
  EXPECT_EQ(file[6 + 255], '\0') << "the first record follows the description";
  const SlotTable table = ReadSlotTable(engine);
  EXPECT_TRUE(table[2].Valid);
  EXPECT_EQ(table[2].Text, description);
  engine.session.CurrentLevelName.clear();
  run.Run([](Engine& e) { LoadGame(e, 2); });
  EXPECT_FALSE(run.ended);
  EXPECT_EQ(engine.session.CurrentLevelName, "Meadow1");
}

TEST_F(SavedGamesTest, RecordsOutsideTheirRangeAreBroughtBackSafely) {
  const struct {
    Bytes records;
    int32_t weapon;
    int32_t ammo2;
  } cases[] = {
      // A slot above 9 names no weapon: its ammunition is read and dropped.
      {Bytes().Byte(4).Byte(10).Int(77).Byte(4).Byte(2).Int(5), 4, 5},
      {Bytes().Byte(4).Byte(255).Int(77), 4, 1234},
      {Bytes().Byte(5).Byte(255), -1, 1234},
      {Bytes().Byte(5).Byte(10), -1, 1234},
      {Bytes().Byte(5).Byte(9), 9, 1234},
  };
  for (const auto& c : cases) {
    Engine& engine = Open();
    for (WeaponType& w : engine.data.Weapons) w.Ammo = 1234;
    engine.session.SelectedWeapon = 4;
    Bytes file = Header();
    file.data.insert(file.data.end(), c.records.data.begin(), c.records.data.end());
    test::WriteFile(Slot(0), Text(file));
    run.Run([](Engine& e) { LoadGame(e, 0); });
    ASSERT_FALSE(run.ended);
    EXPECT_EQ(engine.session.SelectedWeapon, c.weapon);
    EXPECT_EQ(engine.data.Weapons[2].Ammo, c.ammo2);
    for (int i : {0, 1, 3, 9}) EXPECT_EQ(engine.data.Weapons[i].Ammo, 1234);
  }
}

TEST_F(SavedGamesTest, BadSlotFilesEndWithTheirMessage) {
  const struct {
    bool exists;
    Bytes file;
    std::string message;
  } cases[] = {
      {false, {}, "Savegame not found"},
      {true, Header().Byte(0).String("A").Byte(11), "Illegal savegame file (11)"},
      {true, Header().Byte(200).Int(0), "Illegal savegame file (200)"},
      {true, Bytes().Byte(67).Int(7).String("d").Byte(6).Byte(1), "Illegal savegame file!"},
      {true, Bytes().Byte(66).Int(8).String("d").Byte(6).Byte(1), "Illegal savegame file!"},
      // Cut short: in the identity, in the description, before any record, inside a record.
      {true, {}, "Illegal savegame file!"},
      {true, Bytes().Byte(66).Byte(7), "Illegal savegame file!"},
      {true, Bytes().Byte(66).Int(7).Byte(200).Text("abc"), "Illegal savegame file!"},
      {true, Header(), "Illegal savegame file!"},
      {true, Header().Byte(1).Int(5).Byte(0).Byte(0), "Illegal savegame file!"},
      {true, Header().Byte(0).Byte(9).Text("Mea"), "Illegal savegame file!"},
      {true, Header().Byte(6), "Illegal savegame file!"},
  };
  for (const auto& c : cases) {
    Engine& engine = Open({}, 64, 48);
    if (c.exists) test::WriteFile(Slot(4), Text(c.file));
    engine.session.CurrentLevelName = "Kept";
    engine.session.CheckpointX = 77;
    run.Run([](Engine& e) { LoadGame(e, 4); });
    ExpectFatal(c.message);
    // The file is checked whole first: nothing of a damaged one reaches the game.
    EXPECT_EQ(engine.session.CurrentLevelName, "Kept") << c.message;
    EXPECT_EQ(engine.session.CheckpointX, 77) << c.message;
  }
}

TEST_F(SavedGamesTest, ForeignAndBrokenSlotsShowEmptyAndCanBeOverwritten) {
  Engine& engine = Open();
  test::WriteFile(Slot(0), Text(Header("Saved at the lake").Byte(6).Byte(1)));
  test::WriteFile(Slot(1), Text(Bytes().Byte(67).Int(7).String("Other project")));
  test::WriteFile(Slot(2), Text(Bytes().Byte(66).Int(-7).String("Other project")));
  test::WriteFile(Slot(3), Text(Bytes().Byte(66).Int(7).Byte(10).Text("abc")));
  test::WriteFile(Slot(4), Text(Header("")));
  fs::create_directories(Slot(5));
  const SlotTable table = ReadSlotTable(engine);
  const std::vector<std::string> texts = {
      "Saved at the lake", kEmptySlotText, kEmptySlotText, kEmptySlotText, "", kEmptySlotText};
  for (size_t i = 0; i < kSaveSlots; ++i) {
    const std::string want = i < texts.size() ? texts[i] : kEmptySlotText;
    EXPECT_EQ(table[i].Text, want) << i;
    EXPECT_EQ(table[i].Valid, i == 0 || i == 4) << i;
  }
  SetGame(engine);
  ASSERT_TRUE(SaveGame(engine, 1));
  EXPECT_TRUE(ReadSlotTable(engine)[1].Valid);
  EXPECT_EQ(ReadSlotTable(engine)[1].Text, SlotDescription(engine));
}

TEST_F(SavedGamesTest, FailedSaveKeepsThePreviousFileAndSaysSo) {
  const std::vector<std::string> ways = {"folder is a file", "file size limit"};
  for (const std::string& way : ways) {
    std::vector<ReplayEvent> events;
    Tap(events, 1, 'K');
    Engine& engine = Open(events, 64, 48);
    SetGame(engine);
    ASSERT_TRUE(SaveGame(engine, 6));
    const std::string before = test::ReadFile(Slot(6));
    engine.session.Kills = 55;
    std::string path = Slot(6);
    bool saved = true;
    if (way == "folder is a file") {
      test::WriteFile(run.home.path() + "/Plain", "x");
      engine.folders.SaveFolder = run.home.path() + "/Plain/";
      path = Slot(6);
      run.Run([&](Engine& e) { saved = SaveGame(e, 6); });
    } else {
      // The bytes cannot all be written, so committing the file fails.
      rlimit old{};
      ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
      const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
      rlimit small = old;
      small.rlim_cur = 16;
      ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
      run.Run([&](Engine& e) { saved = SaveGame(e, 6); });
      setrlimit(RLIMIT_FSIZE, &old);
      std::signal(SIGXFSZ, oldHandler);
    }
    EXPECT_FALSE(run.ended) << way;
    EXPECT_FALSE(saved) << way;
    engine.folders.SaveFolder = run.home.path() + "/Save/";
    EXPECT_EQ(test::ReadFile(Slot(6)), before) << way;
    EXPECT_EQ(std::distance(fs::directory_iterator(engine.folders.SaveFolder), {}), 1) << way;
    const std::vector<std::string> lines = {
        "console| ERROR", "console| Savegame file " + path + " could not be created",
        "console| You can continue the game, but the file has NOT been saved", "console| ",
        "console| Hit any key to continue the game..."};
    int last = -1;
    for (const std::string& line : lines) {
      const int at = run.IndexOf(line);
      EXPECT_GT(at, last) << way << ": " << line;
      last = std::max(last, at);
    }
  }
}

TEST_F(SavedGamesTest, SavingCursorStopsAtTheFirstAndLastSlot) {
  const struct {
    std::vector<int> keys;
    int slot;
  } cases[] = {
      {{}, 0},
      {std::vector<int>(12, kDown), 9},
      {{kDown, kDown, kDown, kUp}, 2},
      {{kDown, kDown, kUp, kUp, kUp, kUp, kDown}, 1},
  };
  for (const auto& c : cases) {
    std::vector<ReplayEvent> events;
    int frame = 1;
    for (int key : c.keys) Tap(events, frame++, key);
    Tap(events, frame++, kEnter);
    Tap(events, frame++, kEscape);
    Engine& engine = Open(events);
    SetGame(engine);
    engine.shell.GameState = 2;
    run.Run([](Engine& e) { SlotScreen(e, kSlotsSaving); });
    ASSERT_FALSE(run.ended);
    EXPECT_EQ(engine.shell.GameState, 2) << "back to play";
    for (int slot = 0; slot < kSaveSlots; ++slot) {
      EXPECT_EQ(test::Exists(Slot(slot)), slot == c.slot) << c.slot << " " << slot;
    }
  }
}

TEST_F(SavedGamesTest, LoadingSlotsLoadOnlyASavedGame) {
  const struct {
    std::vector<int> keys;
    int state;
    std::string level;
  } cases[] = {
      {{kEscape}, 0, "Caves1"},
      {{kEnter, kEnter, kEscape}, 0, "Caves1"},        // slot 0 is empty
      {{kDown, kDown, kEnter, kEscape}, 0, "Caves1"},  // a slot of another project
      {{kEnter, kDown, kEnter}, 3, "Meadow1"},
  };
  for (const auto& c : cases) {
    std::vector<ReplayEvent> events;
    int frame = 1;
    for (int key : c.keys) Tap(events, frame++, key);
    Engine& engine = Open(events);
    SetGame(engine);
    ASSERT_TRUE(SaveGame(engine, 1));
    test::WriteFile(Slot(2), Text(Bytes().Byte(1).Int(7).String("x").Byte(6).Byte(1)));
    engine.session.CurrentLevelName = "Caves1";
    engine.shell.GameState = 4;
    run.Run([](Engine& e) { SlotScreen(e, kSlotsLoading); });
    ASSERT_FALSE(run.ended);
    EXPECT_EQ(engine.shell.GameState, c.state);
    EXPECT_EQ(engine.session.CurrentLevelName, c.level);
  }
}

TEST_F(SavedGamesTest, RandomSlotFilesShowAndLoadOrStopCleanly) {
  std::mt19937 rng(20261208);
  for (int round = 0; round < 100; ++round) {
    Engine& engine = Open({}, 64, 48);
    Bytes file = round % 3 == 0 ? Bytes() : Header("random");
    const size_t length = rng() % 48;
    for (size_t i = 0; i < length; ++i) {
      file.Byte(static_cast<int>(rng() % 4 == 0 ? rng() % 256 : rng() % 14));
    }
    test::WriteFile(Slot(0), Text(file));
    const SlotTable table = ReadSlotTable(engine);
    if (!table[0].Valid) {
      EXPECT_EQ(table[0].Text, kEmptySlotText);
      continue;
    }
    run.Run([](Engine& e) { LoadGame(e, 0); });
    if (run.ended) {
      EXPECT_EQ(run.end.status, 1);
    } else {
      EXPECT_GE(engine.session.SelectedWeapon, -1);
      EXPECT_LE(engine.session.SelectedWeapon, 9);
    }
  }
}

}  // namespace
}  // namespace hopwerk
