// The configuration screen, its key capture and settings file, and the patch browser.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "TestProject.h"
#include "data/ProjectFiles.h"
#include "frontend/Config.h"
#include "frontend/ConfigurationScreen.h"
#include "frontend/KeyNames.h"
#include "frontend/PatchBrowser.h"
#include "level/LevelArchives.h"
#include "shell/Folders.h"

namespace hopwerk {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::EngineRun;

constexpr int kDown = 40, kUp = 38, kEnter = 13, kSpace = 32, kEscape = 27, kHome = 36, kEnd = 35,
              kTab = 9, kLeft = 37, kLAlt = 164, kF5 = 116, kF12 = 123;

// One key tapped a frame, from frame 1 on.
std::vector<ReplayEvent> Taps(const std::vector<int>& keys) {
  std::vector<ReplayEvent> events;
  int64_t frame = 1;
  for (const int key : keys) {
    events.push_back({frame, ReplayEvent::Kind::Down, key, ""});
    events.push_back({frame, ReplayEvent::Kind::Up, key, ""});
    ++frame;
  }
  return events;
}

std::string ConfigBytes(int jump, int fire, int activate, int pause, int performance) {
  const Bytes b = Bytes()
                      .Byte(0)
                      .Byte(jump)
                      .Byte(1)
                      .Byte(fire)
                      .Byte(2)
                      .Byte(activate)
                      .Byte(3)
                      .Byte(pause)
                      .Byte(4)
                      .Byte(performance);
  return std::string(b.data.begin(), b.data.end());
}

// A headless engine with a 640x480 display, the save folder made and the identity 1.9.
struct Screen {
  explicit Screen(std::vector<ReplayEvent> events = {}, int64_t frameLimit = -1) {
    run.options.events = std::move(events);
    run.options.frameLimit = frameLimit;
  }
  Engine& Open() {
    Engine& engine = run.engine ? *run.engine : run.Start();
    SetProgramFolders(engine);
    engine.project.ProjectTitle = "Jump";
    SetUpSaveFolder(engine);
    run.platform->OpenDisplay(640, 480, 0, 60);
    engine.project.ScreenWidth = 640;
    engine.project.ScreenHeight = 480;
    engine.project.ProjectIdMajor = 1;
    engine.project.ProjectIdMinor = 9;
    return engine;
  }
  std::string Documents() const { return run.home.path() + "/Documents"; }
  uint32_t Pixel(int x, int y) const {
    return run.platform->LastFrame()[static_cast<size_t>(y) * 640 + static_cast<size_t>(x)] &
           0xFFFFFF;
  }
  bool Shows(uint32_t colour, int x0, int y0, int w, int h) const {
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) {
        if (Pixel(x, y) == colour) return true;
      }
    }
    return false;
  }
  EngineRun run;
};

TEST(ConfigFile, LoadKeepsDefaultsAndSkipsUnknownTagsAlone) {
  struct Case {
    std::optional<std::vector<int>> file;
    std::array<int32_t, 5> settings;  // jump, fire, activate, pause, performance
  };
  const Case cases[] = {
      {std::nullopt, {164, 162, 32, 112, 1}},
      {std::vector<int>{7, 0, 50}, {50, 162, 32, 112, 1}},
      {std::vector<int>{0, 9, 1, 160, 2, 13, 3, 123, 4, 0}, {9, 160, 13, 123, 0}},
      {std::vector<int>{255, 200, 3, 45}, {164, 162, 32, 45, 1}},
      {std::vector<int>{1, 165, 3}, {164, 165, 32, 112, 1}},  // cut after a tag byte
      {std::vector<int>{}, {164, 162, 32, 112, 1}},
  };
  for (const Case& c : cases) {
    Screen s;
    Engine& engine = s.Open();
    if (c.file) test::WriteFile(ConfigFile(engine), std::string(c.file->begin(), c.file->end()));
    LoadConfig(engine);
    const PlayerSettings& settings = engine.settings;
    EXPECT_EQ((std::array<int32_t, 5>{settings.KeyJump, settings.KeyFire, settings.KeyActivate,
                                      settings.KeyPause, settings.Performance}),
              c.settings)
        << (c.file ? c.file->size() : 99);
  }
}

TEST(KeyNames, OnlyNamedKeysAreBindable) {
  const std::pair<int, std::string> names[] = {{8, "Backspace"},
                                               {13, "Enter"},
                                               {33, "Page Up"},
                                               {34, "Page DOwn"},
                                               {36, "Home"},
                                               {46, "Delete"},
                                               {96, "Number Pad 0"},
                                               {105, "Number Pad 9"},
                                               {115, "F4"},
                                               {116, ""},
                                               {117, "F6"},
                                               {123, "F12"},
                                               {160, "Left Shift"},
                                               {165, "Right Alt"},
                                               {186, ";"},
                                               {192, "~"},
                                               {222, "'"},
                                               {226, "\\"},
                                               {0, ""},
                                               {27, ""},
                                               {37, ""},
                                               {48, ""},
                                               {65, ""},
                                               {255, ""},
                                               {-1, ""},
                                               {256, ""}};
  for (const auto& [code, name] : names) EXPECT_EQ(KeyName(code), name) << code;
  int named = 0;
  for (const char* name : KeyNames) named += name[0] != '\0' ? 1 : 0;
  EXPECT_EQ(named, 46);
}

TEST(ConfigurationScreen, RowsAreLabelsOf29CharactersAndTheirValues) {
  Screen s;
  Engine& engine = s.Open();
  engine.settings.KeyJump = 13;
  engine.settings.KeyFire = 65;  // from a hand-made file: no name
  engine.settings.Performance = 0;
  engine.settings.PatchFolder = "/games/Big.PPF";
  const ConfigurationMenu menu = MakeConfigurationMenu(engine);
  const std::array<std::string, 7> rows = {"Key for jumping:             Enter",
                                           "Key for firing:              ",
                                           "Key for activating switches: Space Bar",
                                           "Key for pausing the game:    F1",
                                           "Performance:                 Slow Computer",
                                           "Patch:                       /games/Big.PPF",
                                           "Back to the main menu"};
  EXPECT_EQ(menu.Rows, rows);
  EXPECT_EQ(menu.Bindings, (std::array<int32_t, 7>{13, 65, 32, 112, 0, 0, 0}));
}

// Each case leaves the screen; the settings and the written file must agree.
TEST(ConfigurationScreen, KeysAndPerformanceAsTheScreenLeavesThem) {
  struct Case {
    std::vector<int> keys;
    std::array<int, 5> settings;  // jump, fire, activate, pause, performance
  };
  const Case cases[] = {
      // A fresh installation: Escape alone still writes the file.
      {{kEscape}, {164, 162, 32, 112, 1}},
      // F5, a letter, an arrow and a digit do nothing; the capture waits for Tab.
      {{kEnter, kF5, 'A', kLeft, '5', kTab, kEscape}, {9, 162, 32, 112, 1}},
      // Left Alt is the jump key, so fire cannot have it; Escape keeps Left Control.
      {{kDown, kEnter, kLAlt, kEscape, kEscape}, {164, 162, 32, 112, 1}},
      // Once jump is on Tab, fire may take Left Alt.
      {{kEnter, kTab, kDown, kSpace, kLAlt, kEscape}, {9, 164, 32, 112, 1}},
      // A row may keep its own key.
      {{kEnter, kLAlt, kEscape}, {164, 162, 32, 112, 1}},
      // Up stops at the first row; Enter is a key like any other.
      {{kUp, kEnter, kEnter, kEscape}, {13, 162, 32, 112, 1}},
      // Pause onto F12, then leave by the last row.
      {{kDown, kDown, kDown, kEnter, kF12, kDown, kDown, kDown, kEnter}, {164, 162, 32, 123, 1}},
      // Performance toggles; Down stops at the last row.
      {{kDown, kDown, kDown, kDown, kEnter, kEscape}, {164, 162, 32, 112, 0}},
      {{kDown, kDown, kDown, kDown, kEnter, kEnter, kDown, kDown, kDown, kDown, kEnter},
       {164, 162, 32, 112, 1}},
  };
  for (const Case& c : cases) {
    Screen s(Taps(c.keys), 200);
    Engine& engine = s.Open();
    s.run.Run([](Engine& e) { ShowConfiguration(e); });
    EXPECT_FALSE(s.run.ended) << "the screen did not end: case " << &c - cases;
    const PlayerSettings& settings = engine.settings;
    EXPECT_EQ((std::array<int, 5>{settings.KeyJump, settings.KeyFire, settings.KeyActivate,
                                  settings.KeyPause, settings.Performance}),
              c.settings)
        << "case " << &c - cases;
    const auto& v = c.settings;
    EXPECT_EQ(test::ReadFile(ConfigFile(engine)), ConfigBytes(v[0], v[1], v[2], v[3], v[4]))
        << "case " << &c - cases;
    // Leaving took the keys, so none of them reaches the main menu.
    EXPECT_EQ(s.run.platform->KeyHits(kEscape), 0);
  }
}

TEST(ConfigurationScreen, SelectedRowIsBlueAndTheCapturedRowRedWithABlinkingMark) {
  // Frame n shows the state after n - 1 taps; the mark's place is right after the label.
  const int markX = 5 + kConfigurationLabelLength * 8;
  const struct {
    int frames;
    uint32_t bar;
    bool mark;  // something yellow where the mark blinks
  } cases[] = {
      {1, 0x0000FF, true},   // the screen, row 0 selected: "Left Alt" stands there
      {3, 0xFF0000, false},  // capturing at 1033 ms: sine of 313 degrees
      {7, 0xFF0000, true},   // at 1100 ms: sine of 20 degrees
  };
  for (const auto& c : cases) {
    Screen s(Taps({kEnter}), c.frames);
    s.Open();
    s.run.Run([](Engine& e) { ShowConfiguration(e); });
    ASSERT_TRUE(s.run.ended);
    EXPECT_EQ(s.Pixel(630, 10), c.bar) << c.frames;
    EXPECT_EQ(s.Pixel(630, 30), 0u);                 // row 1 is not selected
    EXPECT_TRUE(s.Shows(0xFFFFFF, 5, 20, 100, 16));  // and written in white
    EXPECT_TRUE(s.Shows(0xFFFF00, 5, 0, 100, 16));   // the selected row's text
    EXPECT_EQ(s.Shows(0xFFFF00, markX, 0, 8, 16), c.mark) << c.frames;
  }
}

// --- The patch browser ---

void MakePatch(const std::string& folder, std::optional<Bytes> id) {
  fs::create_directories(folder);
  if (id) test::WriteFile(folder + "/ID", std::string(id->data.begin(), id->data.end()));
}

struct Entry {
  std::string File;
  int32_t Tpe;
  std::string DispName;
  bool operator==(const Entry&) const = default;
};

std::vector<Entry> Entries(const std::vector<PData>& list) {
  std::vector<Entry> entries;
  for (const PData& d : list) entries.push_back({d.File, d.Tpe, d.DispName});
  return entries;
}

TEST(PatchBrowser, OffersFoldersPatchesOfThisProjectAndVolumes) {
  Screen s;
  Engine& engine = s.Open();
  const std::string docs = s.Documents() + "/";
  const std::string longName = std::string(250, 'L') + ".ppf";
  MakePatch(docs + "Match.PPF", test::IdEntry(1, 9));
  MakePatch(docs + longName, test::IdEntry(1, 9));
  MakePatch(docs + "other.ppf", test::IdEntry(1, 10));  // another project's: left out
  MakePatch(docs + "wrong.Ppf", test::IdEntry(2, 9));
  MakePatch(docs + "NoId.PPF", std::nullopt);  // no identity: only a folder
  MakePatch(docs + "Short.PPF", Bytes().Byte(1).Byte(9));
  MakePatch(docs + "IdFolder.PPF/ID", std::nullopt);
  MakePatch(docs + "Plain", test::IdEntry(1, 9));
  test::WriteFile(docs + "File.PPF", "\x01\x09");
  test::WriteFile(docs + "notes.txt", "");

  ASSERT_TRUE(s.run.platform->ChangeFolder(s.Documents()));
  const std::vector<Entry> expected = {
      {"..", 1, "<Parent Dir>"}, {"Hopwerk", 1, ""},  // the save folder
      {"IdFolder.PPF", 1, ""},   {longName, 2, "<Patch>"}, {"Match.PPF", 2, "<Patch>"},
      {"NoId.PPF", 1, ""},       {"Plain", 1, ""},         {"Short.PPF", 1, ""},
      {"/", 0, "Root"}};
  EXPECT_EQ(Entries(ListPatchEntries(engine)), expected);
  EXPECT_TRUE(s.run.Printed("Volumes :"));

  // A folder that can no longer be listed leaves only the volumes.
  ASSERT_TRUE(s.run.platform->ChangeFolder(docs + "Plain"));
  fs::remove_all(docs + "Plain");
  EXPECT_EQ(Entries(ListPatchEntries(engine)), (std::vector<Entry>{{"/", 0, "Root"}}));
}

TEST(PatchBrowser, TitleFolderAndEntriesAreDrawnInTheirColours) {
  Screen s({}, 1);
  s.Open();
  MakePatch(s.Documents() + "/Match.PPF", test::IdEntry(1, 9));
  s.run.Run([](Engine& e) { ChoosePatch(e); });
  EXPECT_TRUE(s.Shows(0x00FFFF, 0, 0, 330, 16));   // the title
  EXPECT_TRUE(s.Shows(0xFF00FF, 0, 20, 300, 16));  // the folder
  // "..", "Hopwerk", "Match.PPF", then the volume, with the bar on the first.
  const uint32_t colours[] = {0x00FF00, 0x00FF00, 0xFFFF00, 0xFF0000};
  for (int row = 0; row < 4; ++row) {
    EXPECT_TRUE(s.Shows(colours[row], 10, 40 + row * 20, 120, 16)) << row;
    EXPECT_EQ(s.Pixel(630, 50 + row * 20), row == 0 ? 0x0000FFu : 0u) << row;
  }
}

TEST(PatchBrowser, EnterChoosesAPatchOrGoesIntoAFolderAndEscapeClearsThePatch) {
  const struct {
    std::vector<int> keys;
    std::string patch;   // relative to the documents folder; "" none
    std::string folder;  // where the browser was left, relative to the home folder
  } cases[] = {
      {{kDown, kDown, kEnter}, "Match.PPF", "Documents"},
      {{kDown, kDown, kDown, kDown, kSpace}, "Zed.ppf", "Documents"},
      {{kDown, kEnter, kEscape}, "", "Documents/Hopwerk"},
      {{kEnter, kEscape}, "", ""},  // the parent folder
      {{kDown, kDown, kDown, kEnter, kUp, kEnter, kEscape}, "", "Documents"},
      {{kEnd, kEnter, kEscape}, "", "/"},
      {{kEscape}, "", "Documents"},
  };
  for (const auto& c : cases) {
    Screen s(Taps(c.keys), 100);
    Engine& engine = s.Open();
    MakePatch(s.Documents() + "/Match.PPF", test::IdEntry(1, 9));
    MakePatch(s.Documents() + "/Plain/Inner", std::nullopt);
    MakePatch(s.Documents() + "/Zed.ppf", test::IdEntry(1, 9));
    engine.settings.PatchFolder = "/an/earlier/Patch.PPF";
    s.run.Run([](Engine& e) { ChoosePatch(e); });
    EXPECT_FALSE(s.run.ended) << c.patch << c.folder;
    EXPECT_EQ(engine.settings.PatchFolder, c.patch.empty() ? "" : s.Documents() + "/" + c.patch);
    const std::string folder =
        c.folder == "/" ? "/" : s.run.home.path() + (c.folder.empty() ? "" : "/" + c.folder);
    EXPECT_EQ(s.run.platform->WorkingFolder(), folder);
  }
}

TEST(PatchBrowser, SelectionMovesWithinTheListAndTheTopRowFollowsIt) {
  // "..", F00 to F29, Hopwerk, then the volume: entries 0 to 32.
  const struct {
    std::vector<int> keys;
    int barRow;
    std::string entered;  // what Enter then goes into
  } cases[] = {
      {{kUp}, 0, ""},
      {std::vector<int>(25, kDown), 20, "Documents/F24"},
      {std::vector<int>(40, kDown), 20, "/"},
      {{kEnd}, 20, "/"},
      {{kEnd, kHome}, 0, ""},
      {[] {
         std::vector<int> keys = {kEnd};
         keys.insert(keys.end(), 25, kUp);
         return keys;
       }(),
       0, "Documents/F06"},
      {[] {
         std::vector<int> keys(22, kDown);
         keys.push_back(kUp);
         return keys;
       }(),
       19, "Documents/F20"},
  };
  for (const auto& c : cases) {
    for (const bool enter : {false, true}) {
      std::vector<int> keys = c.keys;
      if (enter) keys.insert(keys.end(), {kEnter, kEscape});
      Screen s(Taps(keys), enter ? 200 : static_cast<int64_t>(keys.size()) + 1);
      s.Open();
      for (int i = 0; i < 30; ++i) {
        fs::create_directories(s.Documents() + "/F" + (i < 10 ? "0" : "") + std::to_string(i));
      }
      s.run.Run([](Engine& e) { ChoosePatch(e); });
      if (enter) {
        EXPECT_FALSE(s.run.ended);
        const std::string want =
            c.entered == "/" ? "/" : s.run.home.path() + (c.entered.empty() ? "" : "/" + c.entered);
        EXPECT_EQ(s.run.platform->WorkingFolder(), want) << c.keys.size();
        continue;
      }
      for (int row = 0; row < kPatchBrowserRows; ++row) {
        EXPECT_EQ(s.Pixel(630, 40 + row * 20 + 10) == 0x0000FF, row == c.barRow)
            << "row " << row << " after " << c.keys.size() << " keys";
      }
    }
  }
}

// A machine that reports no volumes, browsing a folder that is gone: nothing to choose at all.
class NoVolumePlatform : public HeadlessPlatform {
 public:
  using HeadlessPlatform::HeadlessPlatform;
  std::vector<Volume> ListVolumes() override { return {}; }
};

TEST(PatchBrowser, AnEmptyListTakesEveryKeyAndEscapeStillLeaves) {
  Screen s(Taps({kDown, kEnd, kUp, kHome, kEnter, kSpace, kDown, kEnter, kEscape}), 100);
  s.run.platform = std::make_unique<NoVolumePlatform>(s.run.options);
  s.run.engine = std::make_unique<Engine>(*s.run.platform);
  Engine& engine = s.Open();
  const std::string gone = s.run.home.path() + "/Gone";
  fs::create_directories(gone);
  ASSERT_TRUE(s.run.platform->ChangeFolder(gone));
  fs::remove_all(gone);
  fs::remove_all(s.Documents());
  engine.settings.PatchFolder = "/old.PPF";
  EXPECT_TRUE(ListPatchEntries(engine).empty());
  s.run.Run([](Engine& e) { ChoosePatch(e); });
  EXPECT_FALSE(s.run.ended);
  EXPECT_EQ(engine.settings.PatchFolder, "");
  EXPECT_EQ(s.run.platform->PresentedFrames(), 9);
}

// Through the configuration screen: the chosen patch is shown, kept out of Config.PCF, and is
// where the loaders look first from then on.
TEST(PatchBrowser, APatchChosenOnTheScreenIsWhereLoadersLookFirst) {
  Screen s(Taps({kDown, kDown, kDown, kDown, kDown, kEnter, kDown, kEnter, kEscape}), 100);
  Engine& engine = s.Open();
  const std::string patch = s.Documents() + "/Fix.PPF";
  MakePatch(patch, test::IdEntry(1, 9));
  test::WriteFile(patch + "/Data/SFX/Boom.wav", "RIFF");
  test::WriteFile(engine.folders.DataFolder + "SFX/Boom.wav", "RIFF");
  test::WriteFile(engine.folders.DataFolder + "SFX/Own.wav", "RIFF");
  s.run.Run([](Engine& e) { ShowConfiguration(e); });
  ASSERT_FALSE(s.run.ended);
  EXPECT_EQ(engine.settings.PatchFolder, patch);
  EXPECT_EQ(test::ReadFile(ConfigFile(engine)), ConfigBytes(164, 162, 32, 112, 1));
  EXPECT_EQ(MakeConfigurationMenu(engine).Rows[5], "Patch:                       " + patch);
  EXPECT_EQ(ResolveProjectFile(engine, "Data/SFX/", "SFX/", "Boom.wav", PatchCopy::File),
            patch + "/Data/SFX/Boom.wav");
  EXPECT_EQ(ResolveProjectFile(engine, "Data/SFX/", "SFX/", "Own.wav", PatchCopy::File),
            engine.folders.DataFolder + "SFX/Own.wav");
  EXPECT_EQ(MapsArchives(engine).patch, patch + "/VXR/Maps.vxr");
}

// --- The demo, end to end ---

class DemoConfigurationTest : public ::testing::Test {
 protected:
  // Visits the configuration from the main menu (key `captured` given to the jump row, then
  // Escape), starts Meadow on Medium, walks right and taps Tab at the level's pass 44.
  test::ReplayResult Play(const std::string& captured, const test::TempDir& home) {
    const std::string demo = HOPWERK_BIN_DIR;
    const int loading =
        test::Replay(demo, {"--home", home.path(), "--frames", "150"}).Count("console| ");
    const int menu = loading + 30;
    std::string input =
        std::to_string(loading + 5) + " tap ESC\n" + std::to_string(loading + 10) + " tap ESC\n";
    const auto at = [&](int frame, const std::string& event) {
      input += std::to_string(frame) + " " + event + "\n";
    };
    for (int i = 0; i < 4; ++i) at(menu + 2 * i, "tap DOWN");
    at(menu + 10, "tap ENTER");  // "Configuration"
    at(menu + 15, "tap ENTER");  // the jump row
    at(menu + 20, "tap " + captured);
    at(menu + 25, "tap ESC");
    for (int i = 0; i < 4; ++i) at(menu + 30 + 2 * i, "tap UP");
    at(menu + 40, "tap ENTER");  // "New Game"
    at(menu + 50, "tap ENTER");  // "Meadow"
    at(menu + 55, "tap ENTER");  // "Medium"
    const int level = menu + 56;
    at(level, "down RIGHT");
    at(level + 44, "tap TAB");
    test::WriteFile(home.path() + "/input", input);
    return test::Replay(demo, {"--home", home.path(), "--input", home.path() + "/input", "--frames",
                               std::to_string(level + 60), "--state"});
  }
  static std::string SavedConfig(const test::TempDir& home) {
    return test::ReadFile(home.path() + "/Documents/Hopwerk/Save/Hopwerk Demo/Config.PCF");
  }
};

TEST_F(DemoConfigurationTest, JumpBoundToTabMakesTheFrogJumpWithTab) {
  test::TempDir home;
  const test::ReplayResult bound = Play("TAB", home);
  EXPECT_TRUE(bound.Has("state| KeyJump=9"));
  EXPECT_TRUE(bound.Has("state| CurrentLevelName=Meadow1"));
  EXPECT_TRUE(bound.Has("state| Jumping=1"));
  EXPECT_EQ(SavedConfig(home), ConfigBytes(9, 162, 32, 112, 1));

  // Escape in the capture keeps Left Alt, and Tab does nothing in play.
  test::TempDir fresh;
  const test::ReplayResult kept = Play("ESC", fresh);
  EXPECT_TRUE(kept.Has("state| KeyJump=164"));
  EXPECT_TRUE(kept.Has("state| Jumping=0"));
  EXPECT_EQ(SavedConfig(fresh), ConfigBytes(164, 162, 32, 112, 1));
}

}  // namespace
}  // namespace hopwerk
