// The demo game played through hopwerk-replay, as a player would see it.
#include <gtest/gtest.h>

#include <fstream>

#include "DemoLevels.h"
#include "DemoRoutes.h"
#include "TestProject.h"
#include "data/ProjectSettings.h"
#include "data/StatusScreen.h"
#include "render/Compositor.h"
#include "shell/Folders.h"

namespace hopwerk {
namespace {

using test::Replay;
using test::ReplayResult;

const std::string kDemo = HOPWERK_BIN_DIR;

class DemoTest : public ::testing::Test {
 protected:
  ReplayResult Play(const std::string& input, std::vector<std::string> extra = {}) {
    test::WriteFile(home.path() + "/input", input);
    std::vector<std::string> args = {"--home",   home.path(), "--input", home.path() + "/input",
                                     "--frames", "6000"};
    args.insert(args.end(), extra.begin(), extra.end());
    return Replay(kDemo, args);
  }
  // Frames the loading console takes: one per console line.
  int LoadingFrames() {
    const ReplayResult r = Replay(kDemo, {"--home", home.path(), "--frames", "150"});
    return r.Count("console| ");
  }
  std::string Shot(const std::string& name) const { return home.path() + "/" + name + ".png"; }
  test::TempDir home;
};

TEST_F(DemoTest, LoadingConsoleShowsTheDemoInOrder) {
  const ReplayResult r = Replay(kDemo, {"--home", home.path(), "--frames", "150"});
  const std::vector<std::string> inOrder = {
      "Using DirectX",
      "Driver initiated",
      "console| Hopwerk Engine v1.0  Release Version",
      "console| Platform Windows32",
      "console| Build: W1, 25 Oct 2008",
      "console| Hopwerk Demo",
      "console| Created by: The Hopwerk developers",
      "console| ID 72.2026",
      "console| A small game that shows what the engine can do.",
      "console| Checking: General.vxr",
      "console| Loaded Image: Dot.png (Internal file)",
      "console| Loaded Image: Logo.png",
      "console| Loaded Image: Title.png",
      "console| Loaded Image: Menu.png",
      "console| Loaded Image: Cursor.png",
      "console| Loaded Image: Menu0.png",
      "console| Loaded Image: Menu5.png",
      "console| Init Codes",
      "console| Loading weapons",
      "console| Init Status Screen"};
  int last = -1;
  for (const auto& line : inOrder) {
    const int at = r.IndexOf(line);
    EXPECT_GT(at, last) << line;
    if (at > last) last = at;
  }
  EXPECT_EQ(r.lines.back(), "end| reason=frames status=0 frame=150");
}

// Left alone at the start of any level, the frog is not hurt for ten seconds: the first screen
// teaches the controls before anything can reach it.
class DemoLevelStartTest : public DemoTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DemoLevelStartTest, StandingStillAtTheStartHurtsNothing) {
  const std::string level = GetParam();
  const ReplayResult r =
      Replay(kDemo, {"--try", level, "--home", home.path(), "--frames", "1000", "--state"});
  for (const std::string& line :
       {"CurrentLevelName=" + level, std::string("PlayerHP=3"), std::string("Deaths=0")}) {
    EXPECT_TRUE(r.Has("state| " + line)) << line;
  }
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, DemoLevelStartTest, ::testing::ValuesIn(test::kDemoLevels));

TEST_F(DemoTest, EscapeDuringTheLogosHoldGoesOnToTheTitle) {
  const int loading = LoadingFrames();
  ASSERT_GT(loading, 20);
  // The logo fades in over 255 frames; its hold is the next one. Escape there skips the
  // logo's fade out, the title then takes its full 1021 frames, and the menu follows.
  const int hold = loading + 256;
  const int menu = hold + 1 + 1021 + 1;
  const int leave = menu + 10;
  const ReplayResult r =
      Play(std::to_string(hold) + " tap ESC\n" + std::to_string(leave) + " tap ESC\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.lines.back(), "end| reason=exit status=0 frame=" + std::to_string(leave));
}

TEST_F(DemoTest, MainMenuLooksAsTheDemoDrawsIt) {
  const int loading = LoadingFrames();
  const int logoSkip = loading + 5;
  const int titleSkip = logoSkip + 5;
  const int shot = titleSkip + 20;
  const ReplayResult r = Play(std::to_string(logoSkip) + " tap ESC\n" + std::to_string(titleSkip) +
                                  " tap ESC\n" + std::to_string(shot + 5) + " tap ESC\n",
                              {"--shot", std::to_string(shot) + ":" + Shot("menu")});
  ASSERT_EQ(r.status, 0);
  PicturePtr seen = LoadPictureFile(Shot("menu"));
  ASSERT_TRUE(seen);
  ASSERT_EQ(seen->width, 640);
  ASSERT_EQ(seen->height, 480);

  // What the menu should be: the background, six item pictures centred on their rows at
  // x 100 and the cursor on the first row, all from the demo's own files.
  Compositor expected;
  expected.Resize(640, 480);
  const std::string gfx = kDemo + "/Data/GFX/General/";
  PicturePtr back = LoadPictureFile(gfx + "Menu.png");
  ASSERT_TRUE(back);
  expected.DrawPicture(*back, 0, 0, 0);
  for (int i = 0; i < 6; ++i) {
    PicturePtr item = LoadPictureFile(gfx + "Menu" + std::to_string(i) + ".png");
    ASSERT_TRUE(item);
    SetPictureHandle(*item, 0, item->height / 2);
    expected.DrawPicture(*item, 100, static_cast<float>(i * 50 + 150), 0);
  }
  PicturePtr cursor = LoadPictureFile(gfx + "Cursor.png");
  ASSERT_TRUE(cursor);
  SetPictureHandle(*cursor, 0, cursor->height / 2);
  expected.DrawPicture(*cursor, 2, 150, 0);

  size_t differing = 0;
  const auto& want = expected.Pixels();
  const auto& got = seen->frames[0].pixels;
  for (size_t i = 0; i < want.size(); ++i) {
    differing += (want[i] & 0xFFFFFF) != (got[i] & 0xFFFFFF) ? 1 : 0;
  }
  EXPECT_EQ(differing, 0u);
}

TEST_F(DemoTest, CreditsOpenScrollAndReturnToTheMenu) {
  const int loading = LoadingFrames();
  const int menu = loading + 30;  // after skipping logo and title
  std::string input =
      std::to_string(loading + 5) + " tap ESC\n" + std::to_string(loading + 10) + " tap ESC\n";
  for (int i = 0; i < 3; ++i) input += std::to_string(menu + 2 * i) + " tap DOWN\n";
  input += std::to_string(menu + 10) + " tap ENTER\n";
  const int credits = menu + 30;
  input +=
      std::to_string(credits + 1) + " down DOWN\n" + std::to_string(credits + 41) + " up DOWN\n";
  input += std::to_string(credits + 60) + " tap ESC\n";  // back to the menu
  input += std::to_string(credits + 80) + " tap ESC\n";  // and out
  const ReplayResult r = Play(input, {"--shot", std::to_string(credits) + ":" + Shot("credits"),
                                      "--shot", std::to_string(credits + 70) + ":" + Shot("back")});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.lines.back(), "end| reason=exit status=0 frame=" + std::to_string(credits + 80));

  // The credits' first row is the demo's name, centred in yellow on black.
  PicturePtr page = LoadPictureFile(Shot("credits"));
  ASSERT_TRUE(page);
  bool yellowTitle = false;
  for (int y = 0; y < 16; ++y) {
    for (int x = 260; x < 380; ++x) {
      const uint32_t p = page->frames[0].pixels[static_cast<size_t>(y) * 640 + x] & 0xFFFFFF;
      yellowTitle = yellowTitle || p == 0xFFD040;
    }
  }
  EXPECT_TRUE(yellowTitle);
  EXPECT_EQ(page->frames[0].pixels[470 * 640 + 5] & 0xFFFFFF, 0u);

  // Back on the menu with the cursor still on "Credits".
  PicturePtr back = LoadPictureFile(Shot("back"));
  ASSERT_TRUE(back);
  PicturePtr menuShot = LoadPictureFile(kDemo + "/Data/GFX/General/Menu.png");
  ASSERT_TRUE(menuShot);
  const size_t cursorRow = static_cast<size_t>(3 * 50 + 150) * 640 + 20;
  const size_t firstRow = static_cast<size_t>(150) * 640 + 20;
  EXPECT_NE(back->frames[0].pixels[cursorRow], menuShot->frames[0].pixels[cursorRow]);
  EXPECT_EQ(back->frames[0].pixels[firstRow], menuShot->frames[0].pixels[firstRow]);
}

TEST_F(DemoTest, NewGameOffersBothEpisodesAndArmsTheSeedSpitter) {
  const int loading = LoadingFrames();
  const int menu = loading + 30;
  const std::string input = std::to_string(loading + 5) + " tap ESC\n" +
                            std::to_string(loading + 10) + " tap ESC\n" + std::to_string(menu) +
                            " tap ENTER\n" +                              // "New Game"
                            std::to_string(menu + 5) + " tap DOWN\n" +    // "Caves"
                            std::to_string(menu + 10) + " tap ENTER\n" +  // chosen
                            std::to_string(menu + 15) + " tap ENTER\n";   // "Medium"
  const ReplayResult r = Play(input, {"--frames", std::to_string(menu + 40), "--state"});
  EXPECT_EQ(r.Count("FileType(\""), 1);
  EXPECT_TRUE(r.Has("Chosen Weapon: 1"));
  for (const char* line :
       {"state| Episode=2", "state| Skill=1", "state| CurrentLevelName=Caves1", "state| Score=0",
        "state| SelectedWeapon=1", "state| Ammo=0,40,1,0,0,0,0,0,0,0"}) {  // and the sack
    EXPECT_TRUE(r.Has(line)) << line;
  }
}

// New Game on Meadow at Medium: the frog walks right from the start, hops the low wall and
// climbs the two ledges of the Medium path, with the camera following.
TEST_F(DemoTest, FrogWalksAndJumpsOntoTheLedgesOfTheFirstLevel) {
  const int loading = LoadingFrames();
  const int menu = loading + 30;
  const int level = menu + 16;  // events of this frame reach the level's first pass
  std::string input = std::to_string(loading + 5) + " tap ESC\n" + std::to_string(loading + 10) +
                      " tap ESC\n" + std::to_string(menu) + " tap ENTER\n" +  // "New Game"
                      std::to_string(menu + 10) + " tap ENTER\n" +            // "Meadow"
                      std::to_string(menu + 15) + " tap ENTER\n" +            // "Medium"
                      std::to_string(level) + " down RIGHT\n";
  for (const int jump : {44, 213, 264}) input += std::to_string(level + jump) + " tap LALT\n";
  const struct {
    int pass;
    std::vector<std::string> state;
  } stops[] = {
      {20, {"PlayerX=260", "PlayerY=4880", "CameraX=0", "CameraY=4520", "Jumping=0"}},
      {60, {"Jumping=1", "CurrentLevelName=Meadow1", "LevelTitle=Sunny Meadow"}},
      {259, {"PlayerX=1455", "PlayerY=4784", "Jumping=0"}},  // on the first ledge
      {311, {"PlayerX=1715", "PlayerY=4688", "CameraX=1390", "CameraY=4448"}},  // the second
  };
  for (const auto& stop : stops) {
    const std::string shot = Shot("ledge");
    const ReplayResult r = Play(
        input, {"--frames", std::to_string(level + stop.pass), "--state", "--screenshot", shot});
    EXPECT_TRUE(r.Has("Plus Minus Settings: 1000,1000/1000,1000"));
    for (const std::string& value : stop.state) {
      EXPECT_TRUE(r.Has("state| " + value)) << "pass " << stop.pass << ": " << value;
    }
    // The frog is drawn where the camera puts it: its body, green, above its bottom centre.
    const PicturePtr frame = LoadPictureFile(shot);
    ASSERT_TRUE(frame);
    if (stop.pass != 311) continue;
    const uint32_t p = frame->frames[0].pixels[static_cast<size_t>(225) * 640 + 310];
    EXPECT_GT(p >> 8 & 0xFF, (p >> 16 & 0xFF) + 40) << std::hex << p;
  }
}

// New Game on Meadow at Medium: the frog walks right over the coin and the golden key, hops
// the low wall (taking the coin above it) and holds Space at the lever, which takes the key;
// then two seeds kill the ant pacing beyond it (2 hit points, 100 points).
TEST_F(DemoTest, FrogShootsTheAntTakesTheKeyAndPullsTheLever) {
  const int loading = LoadingFrames();
  const int menu = loading + 30;
  const int level = menu + 16;
  std::string input = std::to_string(loading + 5) + " tap ESC\n" + std::to_string(loading + 10) +
                      " tap ESC\n" + std::to_string(menu) + " tap ENTER\n" +  // "New Game"
                      std::to_string(menu + 10) + " tap ENTER\n" +            // "Meadow"
                      std::to_string(menu + 15) + " tap ENTER\n";             // "Medium"
  const struct {
    int pass;
    const char* event;
  } events[] = {{75, "down RIGHT"}, {152, "tap LALT"},   {193, "up RIGHT"}, {236, "down SPACE"},
                {246, "up SPACE"},  {250, "down LCTRL"}, {275, "up LCTRL"}};
  for (const auto& e : events) input += std::to_string(level + e.pass) + " " + e.event + "\n";
  const ReplayResult r = Play(input, {"--frames", std::to_string(level + 400), "--state"});
  EXPECT_EQ(r.Count("sound| play Data/SFX/Shot.wav"), 2);
  EXPECT_EQ(r.Count("sound| play Data/SFX/Jingle.wav"), 1);  // the key, taken and then used
  // Items: the sack of seeds at the start, two coins and the key; 20 + 20 seeds, two spent.
  for (const char* line : {"state| Score=120", "state| Kills=1", "state| Items=4",
                           "state| PlayerX=748", "state| PlayerHP=3",
                           "state| Keys=0,0,0,0,0,0,0,0,0,0", "state| Ammo=0,38,1,0,0,0,0,0,0,0"}) {
    EXPECT_TRUE(r.Has(line)) << line;
  }
}

namespace hopwerk {
namespace {

// The demo's status screen on made-up values of the game, as the level frame will draw it.
// Switching to another window mid-level pauses the frog as the pause key does and mutes the
// sound until the window is back; F12 saves the frame on display in the pictures folder, and
// the pause key goes on.
TEST_F(DemoTest, LosingTheFocusPausesTheLevelAndF12SavesTheShownFrame) {
  const int loading = LoadingFrames();
  const int menu = loading + 30;
  const int level = menu + 16;
  const std::string input =
      std::to_string(loading + 5) + " tap ESC\n" + std::to_string(loading + 10) + " tap ESC\n" +
      std::to_string(menu) + " tap ENTER\n" + std::to_string(menu + 10) + " tap ENTER\n" +
      std::to_string(menu + 15) + " tap ENTER\n" + std::to_string(level) + " down RIGHT\n" +
      std::to_string(level + 20) + " unfocus\n" + std::to_string(level + 40) + " focus\n" +
      std::to_string(level + 50) + " tap F12\n" + std::to_string(level + 60) + " tap F1\n";
  // A flush at the end of the pause forgets held keys, as after every pause: RIGHT again.
  const std::string resume = input + std::to_string(level + 65) + " down RIGHT\n";
  const auto playerX = [](const ReplayResult& r) {
    for (const std::string& line : r.lines) {
      if (line.rfind("state| PlayerX=", 0) == 0) return std::stoi(line.substr(15));
    }
    return -1;
  };
  const std::string at = std::to_string(level + 50) + ":" + Shot("shown");
  const ReplayResult r =
      Play(input, {"--frames", std::to_string(level + 59), "--state", "--shot", at});
  const int atLoss = playerX(Play(input, {"--frames", std::to_string(level + 21), "--state"}));
  EXPECT_EQ(playerX(r), atLoss) << "the frog walked on while the window was away";
  EXPECT_GT(playerX(Play(resume, {"--frames", std::to_string(level + 90), "--state"})), atLoss)
      << "the pause key did not resume the level";

  const int lost = r.IndexOf("Game paused: the window lost the focus");
  EXPECT_TRUE(lost > r.IndexOf("sound| mute") && r.IndexOf("sound| mute") >= 0);
  EXPECT_GT(r.IndexOf("sound| unmute"), lost);
  const std::string folder = home.path() + "/Pictures/Hopwerk/Hopwerk Demo/";
  std::string saved;
  for (const std::string& line : r.lines) {
    if (line.rfind("Screenshot saved to " + folder, 0) == 0) saved = line.substr(20);
  }
  ASSERT_FALSE(saved.empty()) << "no screenshot trace line";
  const PicturePtr screenshot = LoadPictureFile(saved);
  const PicturePtr shown = LoadPictureFile(Shot("shown"));
  ASSERT_TRUE(screenshot && shown);
  EXPECT_EQ(screenshot->width, 640);
  EXPECT_EQ(screenshot->height, 480);
  EXPECT_EQ(screenshot->frames[0].pixels, shown->frames[0].pixels);
}

class DemoStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    run.options.programFolder = kDemo + "/";
    Engine& engine = run.Start();
    SetProgramFolders(engine);
    run.platform->OpenDisplay(640, 480, 0, 60);
    engine.project.PDD = {480, 640};
    engine.data.StatusElements = LoadStatusScreen(engine, GeneralArchivePath(engine), "Score");
    ASSERT_FALSE(engine.data.StatusElements.empty());
  }
  void Draw() {
    run.platform->ClearScreen();
    DrawStatusScreen(*run.engine, run.engine->data.StatusElements);
  }
  uint32_t Pixel(int x, int y) const {
    return run.platform->GetCompositor().Pixels()[static_cast<size_t>(y) * 640 + x] & 0xFFFFFF;
  }
  // Whether any pixel of the box differs from the band drawn without the element.
  bool Reddish(int x0, int y0, int w, int h) const {
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) {
        const uint32_t p = Pixel(x, y);
        if ((p >> 16 & 0xFF) > 180 && (p >> 8 & 0xFF) < 90) return true;
      }
    }
    return false;
  }
  test::EngineRun run;
};

TEST_F(DemoStatusTest, HeartsFollowHitPointsAndTextsShowTheState) {
  RunningLevel& running = run.engine->run;
  running.HudHP = 2;
  run.engine->session.Score = 1200;
  run.engine->level.LevelTitle = "Meadow";
  running.WeaponStatusText = "20";
  Draw();
  EXPECT_TRUE(Reddish(6, 4, 16, 16));
  EXPECT_TRUE(Reddish(24, 4, 16, 16));
  EXPECT_FALSE(Reddish(42, 4, 16, 16));  // the third heart is empty at 2 hit points

  running.HudHP = 3;
  Draw();
  EXPECT_TRUE(Reddish(42, 4, 16, 16));
  running.HudHP = 0;
  Draw();
  EXPECT_FALSE(Reddish(6, 4, 16, 16));
}

}  // namespace
}  // namespace hopwerk

// Inputs of a game started from the main menu: episode `episode` (1 or 2) on Medium, then
// `play` as (pass of the level, event) pairs counted from the level's first pass. Cheats are
// typed a letter a frame, as a player types them.
class DemoEpisodeTest : public DemoTest {
 protected:
  struct Step {
    int pass;
    std::string event;
  };
  static std::vector<Step> Typed(int pass, const std::string& text) {
    std::vector<Step> steps;
    for (size_t i = 0; i < text.size(); ++i) {
      steps.push_back({pass + static_cast<int>(i), "tap " + text.substr(i, 1)});
    }
    return steps;
  }
  ReplayResult PlayEpisode(int episode, const std::vector<std::vector<Step>>& play, int passes,
                           std::vector<std::string> extra = {}) {
    const int loading = LoadingFrames();
    const int menu = loading + 30;
    const int level = menu + 16;
    for (std::string& arg : extra) {
      // "--shot" frames are given as passes of the level, like the steps.
      const size_t colon = arg.find(':');
      if (arg.rfind("pass", 0) == 0 && colon != std::string::npos) {
        arg = std::to_string(level + std::stoi(arg.substr(4, colon - 4))) + arg.substr(colon);
      }
    }
    std::string input = std::to_string(loading + 5) + " tap ESC\n" + std::to_string(loading + 10) +
                        " tap ESC\n" + std::to_string(menu) + " tap ENTER\n";
    if (episode == 2) input += std::to_string(menu + 8) + " tap DOWN\n";
    input +=
        std::to_string(menu + 10) + " tap ENTER\n" + std::to_string(menu + 15) + " tap ENTER\n";
    for (const auto& steps : play) {
      for (const Step& s : steps) input += std::to_string(level + s.pass) + " " + s.event + "\n";
    }
    extra.insert(extra.end(), {"--frames", std::to_string(level + passes), "--state"});
    return Play(input, extra);
  }
  static void ExpectState(const ReplayResult& r, std::initializer_list<const char*> lines) {
    for (const char* line : lines) EXPECT_TRUE(r.Has(std::string("state| ") + line)) << line;
  }
};

TEST_F(DemoEpisodeTest, DeathRestartsAtTheCheckpointWithItsScoreAndTheWeaponsKept) {
  // God mode against the ant; a seed; a checkpoint after the first coin; the coin over the
  // low wall; then the die cheat.
  const ReplayResult r = PlayEpisode(1,
                                     {Typed(2, "FROGKING"),
                                      {{13, "down RIGHT"}, {14, "down LCTRL"}, {30, "up LCTRL"}},
                                      Typed(48, "STONE"),
                                      {{98, "tap LALT"}, {138, "up RIGHT"}},
                                      Typed(148, "CROAK")},
                                     300);
  EXPECT_TRUE(r.Has("Death Frames = 4"));
  ExpectState(r, {"Deaths=1", "Score=10", "CheckpointScore=10", "CheckpointX=360", "PlayerX=360",
                  "PlayerY=4880", "PlayerHP=3"});
  EXPECT_EQ(r.State("Ammo"), "0,39,1,0,0,0,0,0,0,0") << "the seed spent before dying";
}

TEST_F(DemoEpisodeTest, LevelEndLeadsIntoTheNextLevelWithItsCheckpoint) {
  // The meadow played by its route to the golden frog. The frog stops once the level is
  // completed, so it stands where the next level starts.
  const test::DemoRoute route = test::ReadDemoRoute("Meadow1");
  std::vector<Step> steps;
  for (const auto& [pass, event] : route.events) steps.push_back({pass - 1, event});
  steps.push_back({route.completes, "up RIGHT"});
  steps.push_back({route.completes, "up LEFT"});
  const ReplayResult r = PlayEpisode(1, {steps}, route.completes + 800);
  EXPECT_TRUE(r.Has("Loading script: Finish"));
  ExpectState(r, {"CurrentLevelName=Meadow2", "LevelCompleted=0", "CheckpointList=Start"});
  EXPECT_EQ(r.State("CheckpointScore"), r.State("Score"));
  EXPECT_EQ(r.State("CheckpointX"), r.State("PlayerX"));
  EXPECT_EQ(r.State("CheckpointY"), r.State("PlayerY"));
}

// A game saved in the meadow with F5 is continued after the program was left: the second run
// loads it from "Continue a game" and the frog stands at the checkpoint with its counters.
TEST_F(DemoEpisodeTest, SavedGameContinuesAtItsCheckpointInTheNextRun) {
  // Two coins and the key taken, the ant shot as it comes out of the hut, a checkpoint set by
  // cheat, then F5, Enter into slot 0, Escape back to play and Escape, Y to quit.
  const ReplayResult saved = PlayEpisode(1,
                                         {{{75, "down RIGHT"},
                                           {152, "tap LALT"},
                                           {193, "up RIGHT"},
                                           {350, "down LCTRL"},
                                           {375, "up LCTRL"}},
                                          Typed(480, "STONE"),
                                          {{500, "tap F5"}, {510, "tap ENTER"}, {520, "tap ESC"}},
                                          {{530, "tap ESC"}, {540, "tap Y"}}},
                                         680);
  EXPECT_EQ(saved.status, 0);
  ASSERT_EQ(saved.Count("end| reason=exit status=0"), 1);
  ExpectState(saved, {"Score=120", "Kills=1", "Items=4", "CheckpointScore=120"});
  const std::string checkpointX = saved.State("CheckpointX");
  const std::string checkpointY = saved.State("CheckpointY");
  EXPECT_NE(checkpointX, "0");

  const int menu = LoadingFrames() + 30;
  const std::string input = std::to_string(menu - 25) + " tap ESC\n" + std::to_string(menu - 20) +
                            " tap ESC\n" + std::to_string(menu) + " tap DOWN\n" +
                            std::to_string(menu + 5) + " tap ENTER\n" +  // "Continue a game"
                            std::to_string(menu + 10) + " tap ENTER\n";  // slot 0
  const ReplayResult continued = Play(input, {"--frames", std::to_string(menu + 40), "--state"});
  ExpectState(continued, {"GameState=3", "Episode=1", "Skill=1", "CurrentLevelName=Meadow1",
                          "LevelTitle=Sunny Meadow", "Score=120", "CheckpointScore=120", "Kills=1",
                          "Items=4", "Deaths=0", "CheckpointList=Start", "SelectedWeapon=1",
                          "Ammo=0,38,1,0,0,0,0,0,0,0"});
  EXPECT_EQ(continued.State("CheckpointX"), checkpointX);
  EXPECT_EQ(continued.State("CheckpointY"), checkpointY);
  EXPECT_EQ(continued.State("PlayerX"), checkpointX);
}

// The hill's arena is armed by the vines in the tunnel below the second cliff, whichever way
// the frog comes down: walking off the cliff's edge or jumping from it. Flown up to the cliff in
// god mode, the frog comes down each way and walks on into the arena; the vines set the
// checkpoint that brings the arena back after a death and drop the gate behind it.
TEST_F(DemoEpisodeTest, EveryWayDownTheHillArmsTheArena) {
  const ReplayResult counted = Replay(kDemo, {"--try", "Meadow3", "--frames", "150"});
  const int level = counted.Count("console| ");
  std::vector<Step> flight = Typed(2, "FROGKING");
  for (const Step& s : Typed(12, "LILYPAD")) flight.push_back(s);
  flight.push_back({28, "down RIGHT"});
  for (int pass = 38; pass <= 320; pass += 30) flight.push_back({pass, "tap LALT"});
  flight.push_back({321, "up RIGHT"});  // and down onto the second cliff
  for (const bool jump : {false, true}) {
    SCOPED_TRACE(jump ? "jumping off" : "walking off");
    std::string input;
    std::vector<Step> steps = flight;
    steps.push_back({600, "down RIGHT"});
    if (jump) steps.push_back({605, "tap LALT"});
    steps.push_back({800, "up RIGHT"});
    for (const Step& s : steps) input += std::to_string(level + s.pass) + " " + s.event + "\n";
    test::WriteFile(home.path() + "/input", input);
    const ReplayResult r =
        Replay(kDemo, {"--try", "Meadow3", "--home", home.path(), "--input", home.path() + "/input",
                       "--frames", std::to_string(level + 860), "--state"});
    ExpectState(r, {"CheckpointList=Start,Arena", "PlayerY=4880"});
    EXPECT_EQ(r.Count("sound| play Data/SFX/Gate.wav"), 1);
    EXPECT_GT(std::stoi(r.State("PlayerX")), 1952) << "in the arena";
  }
}

// The marsh, drawn in Tiled and imported by the build, tried on its own and played by its route
// to the golden frog that ends the episode, its tiles drawn as the tileset shows them under the
// misty tint of its land.
TEST_F(DemoEpisodeTest, TheMarshDrawnInTiledPlaysToItsGoldenFrog) {
  const ReplayResult counted = Replay(kDemo, {"--try", "Marsh", "--frames", "150"});
  const int first = counted.Count("console| ") + 1;
  const test::DemoRoute route = test::ReadDemoRoute("Marsh");
  test::WriteFile(home.path() + "/input", test::DemoRouteInput(route, first));
  const ReplayResult r =
      Replay(kDemo, {"--try", "Marsh", "--home", home.path(), "--input", home.path() + "/input",
                     "--frames", std::to_string(first + route.completes + 5), "--state", "--shot",
                     std::to_string(first + 10) + ":" + Shot("marsh")});
  EXPECT_TRUE(r.Has("Loading script: Finish"));
  ExpectState(r, {"CurrentLevelName=Marsh", "LevelTitle=Misty Marsh", "LevelCompleted=1",
                  "EpisodeEnds=1", "Deaths=0"});

  // At the start the camera's top is at 144, so the first grass tile (world 0, 384) shows at
  // 0, 240, pixel for pixel the tileset's tile 0 wherever that is solid.
  PicturePtr seen = LoadPictureFile(Shot("marsh"));
  PicturePtr sheet =
      LoadPictureFile(std::string(HOPWERK_SOURCE_DIR) + "/demo/Tiled/MarshTiles.png");
  ASSERT_TRUE(seen && sheet);
  int solid = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const uint32_t tile = sheet->frames[0].pixels[static_cast<size_t>(y * sheet->width + x)];
      if (tile >> 24 != 255) continue;
      ++solid;
      // The land's tint #c8e6c0 multiplies each channel.
      const uint32_t got = seen->frames[0].pixels[static_cast<size_t>((240 + y) * seen->width + x)];
      const int tint[3] = {0xc0, 0xe6, 0xc8};  // blue, green, red from the low byte up
      for (int c = 0; c < 3; ++c) {
        const int want = static_cast<int>((tile >> (8 * c)) & 0xFF) * tint[c] / 255;
        EXPECT_NEAR(static_cast<int>((got >> (8 * c)) & 0xFF), want, 2) << x << "," << y;
      }
    }
  }
  EXPECT_GT(solid, 512);
}

}  // namespace
}  // namespace hopwerk
