// hopwerk-replay --try on the demo: straight into a level, a map reloaded while it is played,
// and arguments that cannot be played turned away before the game starts. Every test also
// checks that the project is left exactly as it was and that no overlay outlives its run.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <map>

#include "TestProject.h"
#include "render/Compositor.h"

namespace hopwerk {
namespace {

namespace fs = std::filesystem;
using test::Replay;
using test::ReplayResult;

const std::string kDemo = HOPWERK_BIN_DIR;
const std::string kTiled = std::string(HOPWERK_SOURCE_DIR) + "/demo/Tiled/";
// The demo's loading console takes a frame a line; the level plays well before this frame.
constexpr int kPlaying = 100;

// Every file of the project with its size and modification time.
std::map<std::string, std::string> ProjectFiles() {
  std::map<std::string, std::string> files;
  for (const char* folder : {"/VXR", "/Data", "/DemoPack.PPF"}) {
    for (const auto& entry : fs::recursive_directory_iterator(kDemo + folder)) {
      if (entry.is_directory()) continue;
      const auto time = fs::last_write_time(entry.path()).time_since_epoch().count();
      files[entry.path().string()] =
          std::to_string(entry.is_regular_file() ? entry.file_size() : 0) + "@" +
          std::to_string(time);
    }
  }
  return files;
}

class TryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Overlays are made in the temporary folder: this test's own, to see them go.
    const char* old = std::getenv("TMPDIR");
    oldTmp = old ? old : "";
    hadTmp = old != nullptr;
    setenv("TMPDIR", temporary.path().c_str(), 1);
    before = ProjectFiles();
    fs::copy(kTiled, maps.path(), fs::copy_options::recursive);
  }
  void TearDown() override {
    EXPECT_EQ(ProjectFiles(), before) << "the project was changed";
    for (const auto& entry : fs::directory_iterator(temporary.path())) {
      EXPECT_NE(entry.path().filename().string().rfind("hopwerk-try-", 0), 0u)
          << entry.path() << " outlived its run";
    }
    if (hadTmp) {
      setenv("TMPDIR", oldTmp.c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }
  ReplayResult Try(const std::string& level, const std::string& input, int frames,
                   std::vector<std::string> extra = {}) {
    test::WriteFile(Folder() + "/input", input);
    std::vector<std::string> args = {"--try",    level,
                                     "--home",   home.path(),
                                     "--input",  Folder() + "/input",
                                     "--frames", std::to_string(frames),
                                     "--state"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Replay(kDemo, args);
  }
  // The marsh's own folder, beside the tileset and template it shares with other maps.
  std::string Folder() const { return maps.path() + "/Marsh"; }
  std::string Map() const { return Folder() + "/Marsh.tmx"; }
  // The demo's marsh with `from` replaced by `to`, written beside the map for a copy event.
  std::string Changed(const std::string& name, const std::string& from, const std::string& to) {
    std::string text = test::ReadFile(Map());
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    test::WriteFile(Folder() + "/" + name, text);
    return name;
  }

  test::TempDir temporary;
  std::string oldTmp;
  bool hadTmp = false;
  std::map<std::string, std::string> before;
  test::TempDir maps;
  test::TempDir home;
};

// No driver dialog (its answer would have ended the run), no logo or title: the marsh plays
// from the end of the loading console on, a new game on Medium, and the frog walks.
TEST_F(TryTest, MapStartsStraightInItsLevelAndTheFrogWalks) {
  const ReplayResult r = Try(Map(), "100 down RIGHT\n130 up RIGHT\n", 140, {"--driver", "close"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.IndexOf("Driver initiated"), r.IndexOf("Using DirectX") + 1);
  EXPECT_LT(r.IndexOf("console| Init Status Screen"),
            r.IndexOf("Trying Marsh.tmx as the level Marsh"));
  EXPECT_TRUE(r.Has("Chosen Weapon: 1"));
  EXPECT_TRUE(r.Has("end| reason=frames status=0 frame=140"));
  for (const char* value : {"GameState=2", "Episode=1", "Skill=1", "CurrentLevelName=Marsh",
                            "LevelTitle=Misty Marsh", "Score=0", "SelectedWeapon=1"}) {
    EXPECT_TRUE(r.Has(std::string("state| ") + value)) << value;
  }
  EXPECT_GT(std::stoi(r.State("PlayerX")), 64 + 30);
  EXPECT_FALSE(test::Exists(home.path() + "/AppData/QVD_Hopwerk/RunDriver"))
      << "the remembered driver choice is the player's; nothing chose one";
}

// The frog walks a little and stands; then the map is saved over, and the level reloads
// within 60 frames (or goes on as it was when the map does not import).
TEST_F(TryTest, SavedMapReloadsTheLevelWithThePlayerWhereItStood) {
  const std::string walk = "100 down RIGHT\n130 up RIGHT\n";
  const ReplayResult unchanged = Try(Map(), walk, 220);
  const std::string x = unchanged.State("PlayerX");
  const int objects = std::stoi(unchanged.State("Objects"));
  const std::string coin =
      "<object id=\"60\" class=\"collectable\" x=\"700\" y=\"200\"><properties><property "
      "name=\"Type\" value=\"Coin\"/></properties><point/></object>\n";
  const std::string wallOnTheFrog = "<object id=\"61\" gid=\"5\" x=\"" +
                                    std::to_string(std::stoi(x) - 16) +
                                    "\" y=\"384\" width=\"32\" height=\"32\"/>\n";
  const struct {
    std::string map;
    std::string trace;
    std::string playerX;
    int objects;
  } cases[] = {
      // The coin, and the sack of seeds the frog took at the start, back in the reloaded level.
      {Changed("coin.tmx", "<object id=\"41\"", coin + "<object id=\"41\""), "Reloaded Marsh.tmx",
       x, objects + 2},
      {Changed("wall.tmx", "<object id=\"20\"", wallOnTheFrog + "<object id=\"20\""),
       "Reloaded Marsh.tmx; the player's place is taken, it starts afresh", "64", objects + 1},
      {Changed("broken.tmx", "</map>", "<layer"),
       "Could not reload Marsh.tmx; the level plays on as it was", x, objects},
  };
  for (const auto& c : cases) {
    fs::copy_file(kTiled + "Marsh/Marsh.tmx", Map(), fs::copy_options::overwrite_existing);
    const std::string shot = Folder() + "/shot.png";
    const ReplayResult r =
        Try(Map(), walk + "160 copy " + c.map + " Marsh.tmx\n", 220, {"--shot", "219:" + shot});
    EXPECT_TRUE(r.Has(c.trace)) << c.map;
    EXPECT_TRUE(r.Has("end| reason=frames status=0 frame=220")) << c.map;
    EXPECT_EQ(r.State("CurrentLevelName"), "Marsh") << c.map;
    EXPECT_EQ(r.State("PlayerX"), c.playerX) << c.map;
    EXPECT_EQ(r.State("PlayerY"), "384") << c.map;
    EXPECT_EQ(r.State("Objects"), std::to_string(c.objects)) << c.map;
    // A map that does not import says why on the console, in red over the level's frame.
    const bool broken = c.map == "broken.tmx";
    EXPECT_EQ(r.Count("console| Marsh.tmx: ") > 0, broken) << c.map;
    const PicturePtr frame = LoadPictureFile(shot);
    ASSERT_TRUE(frame) << c.map;
    int red = 0;
    for (int y = 464; y < 480; ++y) {
      for (int xx = 0; xx < 640; ++xx) {
        red += (frame->frames[0].pixels[static_cast<size_t>(y) * 640 + xx] & 0xFFFFFF) == 0xFF0000;
      }
    }
    EXPECT_EQ(red > 0, broken) << c.map;
  }
}

// A level of the project by its name (letter case as the archive's or not), and a folder of
// readable forms: the demo's meadow under a name and title of its own.
TEST_F(TryTest, LevelOfTheProjectOrAFolderOfReadableForms) {
  const fs::path pond = fs::path(maps.path()) / "Pond";
  fs::copy(std::string(HOPWERK_SOURCE_DIR) + "/demo/Maps/Meadow1", pond,
           fs::copy_options::recursive);
  std::string general = test::ReadFile((pond / "General.hwt").string());
  general.replace(general.find("Sunny Meadow"), 12, "Quiet Pond");
  test::WriteFile((pond / "General.hwt").string(), general);
  const struct {
    std::string level;
    std::string trace;
    std::string name;
    std::string title;
  } cases[] = {
      {"Meadow2", "Trying the level Meadow2", "Meadow2", "Bramble Brook"},
      {"meadow1", "Trying the level Meadow1", "Meadow1", "Sunny Meadow"},
      {pond.string(), "Trying Pond/ as the level Pond", "Pond", "Quiet Pond"},
  };
  for (const auto& c : cases) {
    const ReplayResult r = Try(c.level, "", kPlaying);
    EXPECT_TRUE(r.Has(c.trace)) << c.level;
    EXPECT_EQ(r.State("Skill"), "1") << c.level;
    EXPECT_EQ(r.State("GameState"), "2") << c.level;
    EXPECT_EQ(r.State("CurrentLevelName"), c.name) << c.level;
    EXPECT_EQ(r.State("LevelTitle"), c.title) << c.level;
    EXPECT_NE(r.State("PlayerX"), "") << c.level;
  }
}

// An author sees what a skill adds: the level loads for it, creatures scaled and all.
TEST_F(TryTest, SkillChosenForTheTriedLevel) {
  for (const auto& [name, skill] : {std::pair{"EASY", 0}, {"hard", 2}}) {
    const ReplayResult r = Try("Meadow1", "", kPlaying, {"--skill", name});
    EXPECT_EQ(r.State("Skill"), std::to_string(skill)) << name;
    EXPECT_TRUE(r.Has("Difficulty = " + std::to_string(skill))) << name;
  }
  EXPECT_EQ(Replay(kDemo, {"--skill", "hard", "--frames", "1"}).status, 2);
  EXPECT_EQ(Replay(kDemo, {"--try", "Meadow1", "--skill", "insane", "--frames", "1"}).status, 2);
}

// Refused with status 1 and the reason on standard error before the game starts.
TEST_F(TryTest, WhatCannotBePlayedEndsBeforeTheGameStarts) {
  test::WriteFile(maps.path() + "/notes.txt", "not a map\n");
  test::WriteFile(maps.path() + "/Broken.tmx", "<map");
  fs::create_directory(maps.path() + "/Empty");
  const struct {
    std::string level;
    std::string message;
  } cases[] = {
      {"Swamp",
       "hopwerk-replay: Swamp is neither a map file, a level folder nor a level of " + kDemo + "/"},
      {maps.path() + "/Nowhere.tmx", "hopwerk-replay: " + maps.path() +
                                         "/Nowhere.tmx: no such "
                                         "file or folder"},
      {maps.path() + "/notes.txt", "hopwerk-replay: " + maps.path() +
                                       "/notes.txt is not a map drawn in Tiled (.tmx, .tmj or "
                                       ".json)"},
      {maps.path() + "/Broken.tmx", "hopwerk-replay: " + maps.path() + "/Broken.tmx: "},
      {maps.path() + "/Empty",
       "hopwerk-replay: " + maps.path() + "/Empty: not a level folder: it has no General.hwt"},
  };
  for (const auto& c : cases) {
    const ReplayResult r = Try(c.level, "", kPlaying);
    EXPECT_EQ(r.status, 1) << c.level;
    ASSERT_FALSE(r.lines.empty()) << c.level;
    EXPECT_EQ(r.lines[0].rfind(c.message, 0), 0u) << c.level << ": " << r.lines[0];
    EXPECT_EQ(r.Count("end| "), 0) << c.level;
  }
}

// The game itself turns a level it cannot play away before its window opens, and says how
// --try is used.
TEST_F(TryTest, TheGameRefusesWhatItCannotPlayBeforeAnyWindowOpens) {
  const auto run = [](const std::string& args, std::string& out) {
    FILE* pipe = popen(("'" + kDemo + "/hopwerk' " + args + " 2>&1").c_str(), "r");
    if (pipe == nullptr) return -1;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    const int status = pclose(pipe);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  };
  std::string out;
  EXPECT_EQ(run("--try Swamp '" + kDemo + "'", out), 1);
  EXPECT_EQ(out,
            "hopwerk: Swamp is neither a map file, a level folder nor a level of " + kDemo + "/\n");
  out.clear();
  EXPECT_EQ(run("--help", out), 0);
  EXPECT_NE(out.find("hopwerk --try MAP|LEVEL [--skill SKILL] [PATH]"), std::string::npos) << out;
  for (const char* wrong : {"--try", "--skill hard", "--try Meadow1 --skill"}) {
    out.clear();
    EXPECT_EQ(run(wrong, out), 2) << wrong;
  }
}

// An overlay whose run was killed is removed by the next run; one still in use is not.
TEST_F(TryTest, OverlaysOfRunsThatWereKilledAreRemovedByTheNext) {
  const std::string left = temporary.path() + "/hopwerk-try-Kill3d";
  const std::string used = temporary.path() + "/hopwerk-try-InUse1";
  for (const std::string& folder : {left, used}) {
    fs::create_directory(folder);
    test::WriteFile(folder + "/.hopwerk-try-owner", "");
  }
  const int lock = open((used + "/.hopwerk-try-owner").c_str(), O_RDONLY);
  ASSERT_GE(lock, 0);
  ASSERT_EQ(flock(lock, LOCK_EX), 0);
  EXPECT_TRUE(Try(Map(), "", kPlaying).Has("Trying Marsh.tmx as the level Marsh"));
  EXPECT_FALSE(test::Exists(left));
  EXPECT_TRUE(test::Exists(used));
  close(lock);
  fs::remove_all(used);
}

}  // namespace
}  // namespace hopwerk
