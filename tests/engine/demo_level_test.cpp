// The demo's archives as built: every entry is a clean instance of its format that its readable
// form gives back byte for byte, and the levels the episode list names, and those their scripts
// lead on to, refer only to entries, pictures, sounds, music and objects the project has, with
// animation strips cut into whole cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>

#include "DemoLevels.h"
#include "TestProject.h"
#include "frontend/EpisodeList.h"
#include "gameplay/LoadLevel.h"
#include "level/LevelArchives.h"
#include "render/Compositor.h"
#include "schema/EntryText.h"
#include "shell/Folders.h"

namespace hopwerk {
namespace {

const std::string kDemo = std::string(HOPWERK_BIN_DIR) + "/";

// One record of a readable form: its fields in order, string values unquoted.
using Fields = test::TextRecord;

class DemoLevelTest : public ::testing::Test {
 protected:
  DemoLevelTest() {
    run.options.programFolder = kDemo;
    Engine& engine = run.Start();
    SetProgramFolders(engine);
  }
  std::string Archive(const std::string& name) const { return kDemo + "VXR/" + name; }

  std::vector<std::string> EntryNames(const std::string& archive) {
    std::vector<std::string> names;
    VXR_ReadDir(run.engine->vxr, Archive(archive));
    for (std::string n = VXR_NextFile(run.engine->vxr); !n.empty();
         n = VXR_NextFile(run.engine->vxr)) {
      names.push_back(n);
    }
    VXR_CloseDir(run.engine->vxr);
    return names;
  }
  std::vector<uint8_t> EntryBytes(const std::string& archive, const std::string& entry) {
    VXRStreamPtr stream = VXR_Open(run.engine->vxr, Archive(archive), entry);
    std::vector<uint8_t> bytes;
    while (stream && VXR_EOF(run.engine->vxr, stream.get()) == 0) {
      bytes.push_back(static_cast<uint8_t>(VXR_Read(run.engine->vxr, stream.get())));
    }
    return bytes;
  }
  // The entry's readable form, split into records at `keyword` lines (all one record without).
  std::vector<Fields> Records(const std::string& archive, const std::string& entry,
                              const std::string& keyword = "") {
    const EntryFormat* format = FindEntryFormat(entry, archive);
    std::string text, reason;
    EXPECT_TRUE(format && EntryBytesToText(*format, EntryBytes(archive, entry), text, reason))
        << archive << " " << entry << ": " << reason;
    return test::SplitTextRecords(text, keyword);
  }
  static std::string Get(const Fields& fields, const std::string& name) {
    for (const auto& [n, v] : fields) {
      if (n == name) return v;
    }
    return "";
  }
  static void ExpectSound(const std::string& name) {
    EXPECT_TRUE(std::filesystem::is_regular_file(kDemo + "Data/SFX/" + name)) << name;
  }
  // A picture that exists and, when cut into cells, holds exactly `frames` of them in a row.
  void ExpectStrip(const std::string& relative, int cellW, int cellH, int frames) {
    PicturePtr p = LoadPictureFile(kDemo + "Data/GFX/Level/" + relative);
    ASSERT_TRUE(p) << relative;
    if (frames > 0) {
      EXPECT_EQ(p->width, cellW * frames) << relative;
      EXPECT_EQ(p->height, cellH) << relative;
    }
  }
  // The levels a player can reach: each episode's first, then those their scripts lead on to.
  std::vector<std::string> ReachedLevels() {
    EXPECT_FALSE(ReadEpisodeEntry(*run.engine));
    const auto& starts = run.engine->frontend.EpisodeStartLevels;
    std::vector<std::string> reached;
    for (int e = 1; e <= CountOfferedEpisodes(*run.engine); ++e) reached.push_back(starts[e]);
    const std::vector<std::string> entries = EntryNames("Maps.vxr");
    for (size_t at = 0; at < reached.size(); ++at) {
      for (const std::string& entry : entries) {
        if (entry.rfind(reached[at] + "/Script/", 0) != 0) continue;
        for (const Fields& script : Records("Maps.vxr", entry, "Script")) {
          const std::string next = Get(script, "NextLevel");
          if (Get(script, "Command") == "1" &&
              std::find(reached.begin(), reached.end(), next) == reached.end()) {
            reached.push_back(next);
          }
        }
      }
    }
    return reached;
  }
  test::EngineRun run;
};

TEST_F(DemoLevelTest, EveryEntryReadsBackThroughItsReadableForm) {
  for (const std::string archive :
       {"General.vxr", "Weapon.vxr", "Maps.vxr", "Actors.vxr", "Collectables.vxr"}) {
    const std::vector<std::string> names = EntryNames(archive);
    EXPECT_FALSE(names.empty()) << archive;
    for (const std::string& name : names) {
      const EntryFormat* format = FindEntryFormat(name, archive);
      if (!format) continue;  // plain text entries
      const std::vector<uint8_t> bytes = EntryBytes(archive, name);
      std::string text, reason;
      ASSERT_TRUE(EntryBytesToText(*format, bytes, text, reason)) << name << ": " << reason;
      std::vector<uint8_t> again;
      EntryTextError error;
      ASSERT_TRUE(EntryTextToBytes(*format, text, again, error)) << name << ": " << error.message;
      EXPECT_EQ(again, bytes) << archive << " " << name;
    }
  }
}

TEST_F(DemoLevelTest, EpisodeLevelsReferOnlyToWhatTheProjectHas) {
  EXPECT_FALSE(ReadEpisodeEntry(*run.engine));
  const auto& levels = run.engine->frontend.EpisodeStartLevels;
  ASSERT_EQ(CountOfferedEpisodes(*run.engine), 3);
  const std::vector<std::string> mapNames = EntryNames("Maps.vxr");
  const std::set<std::string> maps(mapNames.begin(), mapNames.end());
  const std::vector<std::string> actorNames = EntryNames("Actors.vxr");
  const std::vector<std::string> collectableNames = EntryNames("Collectables.vxr");
  const std::vector<std::string> weaponNames = EntryNames("Weapon.vxr");
  const char* const slotFiles[5] = {"Walk.png", "Jump.png", "Fly.png", "Fire.png", "Die.png"};
  std::vector<std::string> reached;
  for (int e = 1; e <= CountOfferedEpisodes(*run.engine); ++e) reached.push_back(levels[e]);
  for (size_t at = 0; at < reached.size(); ++at) {
    const std::string level = reached[at];
    SCOPED_TRACE(level);
    const Fields general = Records("Maps.vxr", level + "/General")[0];
    ExpectStrip("Tiles/" + Get(general, "BackgroundPicName"), 0, 0, 0);
    // A saved game's row names the level: "- 07 Dec 2026, 12:00:00 > TITLE (Medium Mode)" in
    // 8-pixel letters from x 170 must end on the menu's board, whose right edge is at 632.
    EXPECT_LE(170 + 8 * (40 + static_cast<int>(Get(general, "LevelTitle").size())), 632);
    EXPECT_GE(std::stoi(Get(general, "BackgroundDivisor")), 1);
    EXPECT_TRUE(
        std::filesystem::is_regular_file(kDemo + "Data/Music/" + Get(general, "MusicFile")));

    int players = 0;
    std::set<std::string> ids;
    for (const Fields& o : Records("Maps.vxr", level + "/Objects", "Object")) {
      const int type = std::stoi(Get(o, "OType"));
      const std::string name = Get(o, "PicName");
      ids.insert(Get(o, "ID"));
      // Objects are drawn in their colour, which is black unless the entry gives one.
      const auto channel = [&](const char* c) { return std::atoi(Get(o, c).c_str()); };
      EXPECT_GT(channel("R") + channel("G") + channel("B"), 0) << name << " would be black";
      if (!Get(o, "TScript").empty()) {
        EXPECT_TRUE(maps.count(level + "/Script/" + Get(o, "TScript"))) << Get(o, "TScript");
      }
      if (type == 0 || type == 1) {
        const bool anim = Get(o, "Anim") == "1";
        ExpectStrip("Pictures/" + name, anim ? std::stoi(Get(o, "AnW")) : 0,
                    anim ? std::stoi(Get(o, "AnH")) : 0, anim ? std::stoi(Get(o, "ANF")) : 0);
      } else if (type == 5) {
        // A switch picture is cut into two cells side by side: ready and used.
        PicturePtr p = LoadPictureFile(kDemo + "Data/GFX/Level/Switch/" + name);
        ASSERT_TRUE(p) << name;
        EXPECT_EQ(p->width % 2, 0) << name;
      } else if (type == 2) {
        ASSERT_NE(std::find(actorNames.begin(), actorNames.end(), name), actorNames.end());
        const Fields actor = Records("Actors.vxr", name)[0];
        players += Get(actor, "Control") == "1" ? 1 : 0;
        bool shoots = false;
        for (size_t i = 0; i < actor.size(); ++i) {
          const auto& [field, value] = actor[i];
          if (field == "MoveIndex" && value == "6") shoots = actor[i + 1].second != "0";
          if (field == "OuchF" || field == "DieF") ExpectSound(value);
          if (field != "Slot") continue;
          ExpectStrip("Actors/" + Get(actor, "PicBundle") + "/" + slotFiles[std::stoi(value)],
                      std::stoi(actor[i + 1].second), std::stoi(actor[i + 2].second),
                      std::stoi(actor[i + 3].second));
        }
        if (shoots) {
          const std::string shot = "Enemy/" + Get(actor, "ShootWeaponName");
          ASSERT_NE(std::find(weaponNames.begin(), weaponNames.end(), shot), weaponNames.end())
              << name;
          const std::string pic = Get(Records("Weapon.vxr", shot)[0], "Pic");
          EXPECT_TRUE(LoadPictureFile(kDemo + "Data/GFX/Weapon/" + pic)) << shot;
        }
      } else if (type == 3) {
        ASSERT_NE(std::find(collectableNames.begin(), collectableNames.end(), name),
                  collectableNames.end());
        const Fields c = Records("Collectables.vxr", name)[0];
        const bool anim = Get(c, "Anim") == "1";
        ExpectStrip("Collectable/" + Get(c, "Pic"), anim ? std::stoi(Get(c, "AnWidth")) : 0,
                    anim ? std::stoi(Get(c, "AnHeight")) : 0,
                    anim ? std::stoi(Get(c, "AnFrames")) : 0);
        if (!Get(c, "SoundFile").empty()) ExpectSound(Get(c, "SoundFile"));
      }
    }
    EXPECT_EQ(players, 1);

    // Scripts act on objects of their own level, play sounds the project has, and may lead on
    // to a next level, which is checked in turn.
    for (const std::string& entry : mapNames) {
      if (entry.rfind(level + "/Script/", 0) != 0) continue;
      for (const Fields& script : Records("Maps.vxr", entry, "Script")) {
        if (!Get(script, "ObjID").empty()) {
          EXPECT_TRUE(ids.count(Get(script, "ObjID"))) << entry;
        }
        if (Get(script, "Command") == "5") ExpectSound(Get(script, "Sound"));
        // A checkpoint may name a script a restart runs again; it need not.
        if (Get(script, "Command") == "0" && !Get(script, "ChainScript").empty()) {
          EXPECT_TRUE(maps.count(level + "/Script/" + Get(script, "ChainScript"))) << entry;
        }
        const std::string next = Get(script, "NextLevel");
        if (Get(script, "Command") == "1" &&
            std::find(reached.begin(), reached.end(), next) == reached.end()) {
          reached.push_back(next);
        }
      }
    }
  }
  // The meadow leads on to the brook, the brook to the hill and the hill to the marsh (drawn
  // in Tiled); the caves to the grotto.
  EXPECT_EQ(reached, std::vector<std::string>(test::kDemoLevels.begin(), test::kDemoLevels.end()));
}

// Wherever the camera can look, walls and scenery reach the bottom of the view, so no floor
// stops in mid-air over the backdrop. The camera follows the frog up to the world's edges, so a
// level that ends sooner closes itself with walls rising more than a jump above the floor, its
// outermost ones, and its ground goes on past them as far as the view reaches from the wall.
// Walls are looked at column by column, as the pieces a map is drawn in stack into them.
TEST_F(DemoLevelTest, GroundReachesAsFarAsTheCameraCanShow) {
  constexpr int kWorld = 5000, kHalfWidth = 320, kHalfHeight = 240, kFrogWidth = 48;
  constexpr int kColumn = 8, kColumns = kWorld / kColumn, kHigherThanAJump = 200;
  std::map<std::string, std::pair<int, int>> sizes;
  for (const std::string& level : ReachedLevels()) {
    SCOPED_TRACE(level);
    struct Box {
      int x0, y0, x1, y1;
      bool wall;
    };
    std::vector<Box> boxes;
    for (const Fields& o : Records("Maps.vxr", level + "/Objects", "Object")) {
      const int type = std::stoi(Get(o, "OType"));
      if (type != 0 && type != 1) continue;
      const auto number = [&](const char* field) { return std::atoi(Get(o, field).c_str()); };
      auto [w, h] = std::pair(number("AnW"), number("AnH"));
      if (Get(o, "Anim") != "1") {
        const std::string name = Get(o, "PicName");
        if (!sizes.count(name)) {
          PicturePtr p = LoadPictureFile(kDemo + "Data/GFX/Level/Pictures/" + name);
          ASSERT_TRUE(p) << name;
          sizes[name] = {p->width, p->height};
        }
        std::tie(w, h) = sizes[name];
      }
      const int x = number("X"), y = number("Y");
      boxes.push_back(
          {x, y, x + w * (number("RepX") + 1), y + h * (number("RepY") + 1), type == 1});
    }
    // Each column's solid spans, touching pieces joined; their tops are floors.
    std::vector<std::vector<std::pair<int, int>>> solid(kColumns);
    int lowestFloor = 0;
    for (int c = 0; c < kColumns; ++c) {
      const int x = c * kColumn + kColumn / 2;
      std::vector<std::pair<int, int>> spans;
      for (const Box& b : boxes) {
        if (b.wall && b.x0 <= x && x < b.x1) spans.push_back({b.y0, b.y1});
      }
      std::sort(spans.begin(), spans.end());
      for (const auto& span : spans) {
        if (!solid[c].empty() && span.first <= solid[c].back().second) {
          solid[c].back().second = std::max(solid[c].back().second, span.second);
        } else {
          solid[c].push_back(span);
        }
      }
      for (const auto& span : solid[c]) lowestFloor = std::max(lowestFloor, span.first);
    }
    // A closing wall is solid from a floor beside it to more than a jump above that floor.
    const auto closes = [&](int c) {
      for (const int n : {c - 1, c + 1}) {
        if (n < 0 || n >= kColumns) continue;
        for (const auto& floor : solid[n]) {
          const int top = floor.first - kHigherThanAJump;
          if (top >= 0 && std::any_of(solid[c].begin(), solid[c].end(), [&](const auto& span) {
                return span.first <= top && span.second >= floor.first;
              })) {
            return true;
          }
        }
      }
      return false;
    };
    int first = 0, last = kColumns - 1;
    while (first < kColumns && !closes(first)) ++first;
    while (last >= 0 && !closes(last)) --last;
    int left = 0, right = kWorld;
    if (first < last) {
      while (first + 1 < last && closes(first + 1)) ++first;
      while (last - 1 > first && closes(last - 1)) --last;
      left = std::max(0, (first + 1) * kColumn - kHalfWidth);
      right = std::min(kWorld, last * kColumn - kFrogWidth + kHalfWidth);
    }
    const int bottom = std::min(kWorld, lowestFloor + kHalfHeight) - 1;
    for (int x = left; x < right; x += kColumn) {
      const bool covered = std::any_of(boxes.begin(), boxes.end(), [&](const Box& b) {
        return b.x0 <= x && x < b.x1 && b.y0 <= bottom && bottom < b.y1;
      });
      if (!covered) {
        ADD_FAILURE() << "the backdrop shows at x " << x << ", y " << bottom;
        break;
      }
    }
  }
}

// Every picture, sound, tune and text the demo's build makes is named by some entry or is one
// the front end loads by its own name, and every name an entry gives is built: nothing is made
// that no one sees or hears. A patch's files stand in for the game's own.
TEST_F(DemoLevelTest, EveryBuiltFileIsUsedAndEveryNamedFileIsBuilt) {
  std::set<std::string> named;
  const auto name = [&](const std::string& folder, const std::string& file) {
    if (!file.empty()) named.insert(folder + file);
  };
  for (const char* fixed :
       {"Logo", "Title", "Menu", "Cursor", "GetReady", "LevelCompleted", "SaveGame", "You Win",
        "Skill1", "Skill2", "Skill3", "SkillP1", "SkillP2", "SkillP3"}) {
    name("GFX/General/", std::string(fixed) + ".png");
  }
  for (int i = 0; i < 6; ++i) name("GFX/General/", "Menu" + std::to_string(i) + ".png");
  EXPECT_FALSE(ReadEpisodeEntry(*run.engine));
  for (int e = 1; e <= CountOfferedEpisodes(*run.engine); ++e) {
    name("GFX/General/", "Episode" + std::to_string(e) + ".png");
    name("Text/", "Episode" + std::to_string(e) + ".txt");
  }
  for (const Fields& element : Records("General.vxr", "Score", "Element")) {
    const std::string picture = Get(element, "Txt");
    if (picture.size() > 4 && picture.substr(picture.size() - 4) == ".png") {
      name("GFX/Status/", picture);
    }
  }
  const char* const slotFiles[5] = {"Walk.png", "Jump.png", "Fly.png", "Fire.png", "Die.png"};
  for (const std::string& entry : EntryNames("Actors.vxr")) {
    if (!FindEntryFormat(entry, "Actors.vxr")) continue;
    const Fields actor = Records("Actors.vxr", entry)[0];
    for (size_t i = 0; i + 3 < actor.size(); ++i) {
      if (actor[i].first == "Slot" && actor[i + 3].second != "0") {
        name("GFX/Level/Actors/" + Get(actor, "PicBundle") + "/",
             slotFiles[std::stoi(actor[i].second)]);
      }
    }
    name("SFX/", Get(actor, "OuchF"));
    name("SFX/", Get(actor, "DieF"));
  }
  for (const std::string& entry : EntryNames("Collectables.vxr")) {
    if (!FindEntryFormat(entry, "Collectables.vxr")) continue;
    const Fields c = Records("Collectables.vxr", entry)[0];
    if (Get(c, "Pic") != "EGG:EGG") name("GFX/Level/Collectable/", Get(c, "Pic"));
    name("SFX/", Get(c, "SoundFile"));
  }
  for (const std::string& entry : EntryNames("Weapon.vxr")) {
    if (!FindEntryFormat(entry, "Weapon.vxr")) continue;
    const Fields w = Records("Weapon.vxr", entry)[0];
    name("GFX/Weapon/", Get(w, entry.rfind("Enemy/", 0) == 0 ? "Pic" : "Picture"));
    name("SFX/", Get(w, "Sound"));
  }
  for (const std::string& entry : EntryNames("Maps.vxr")) {
    const std::string tail = entry.substr(entry.find('/') + 1);
    if (tail == "General") {
      const Fields general = Records("Maps.vxr", entry)[0];
      name("GFX/Level/Tiles/", Get(general, "BackgroundPicName"));
      name("Music/", Get(general, "MusicFile"));
    } else if (tail == "Objects") {
      for (const Fields& o : Records("Maps.vxr", entry, "Object")) {
        const std::string type = Get(o, "OType");
        if (type == "0" || type == "1") name("GFX/Level/Pictures/", Get(o, "PicName"));
        if (type == "5") name("GFX/Level/Switch/", Get(o, "PicName"));
      }
    } else if (tail.rfind("Script/", 0) == 0) {
      for (const Fields& script : Records("Maps.vxr", entry, "Script")) {
        if (Get(script, "Command") == "5") name("SFX/", Get(script, "Sound"));
      }
    }
  }

  const auto built = [](const std::string& root) {
    std::set<std::string> files;
    for (const auto& f : std::filesystem::recursive_directory_iterator(root)) {
      if (f.is_regular_file()) files.insert(f.path().lexically_relative(root).generic_string());
    }
    return files;
  };
  const std::set<std::string> files = built(kDemo + "Data");
  for (const std::string& f : files) EXPECT_TRUE(named.count(f)) << f << " is used by nothing";
  for (const std::string& n : named) EXPECT_TRUE(files.count(n)) << n << " is not built";
  for (const std::string& f : built(kDemo + "DemoPack.PPF/Data")) {
    EXPECT_TRUE(files.count(f)) << f << " in the patch stands in for nothing of the game's";
  }
}

// The sample patch beside the demo: its ID file holds the demo's identity, and with it chosen
// Meadow1 loads the patch's title and objects, the patch's backdrop in place of the game's,
// and whatever the patch leaves out (margins) from the game's own archive.
TEST_F(DemoLevelTest, DemoPackPatchesTheMeadowEntryByEntry) {
  const std::string patch = kDemo + "DemoPack.PPF";
  const std::string id = test::ReadFile(patch + "/ID");
  const std::vector<uint8_t> own = EntryBytes("General.vxr", "ID");
  EXPECT_EQ(std::vector<uint8_t>(id.begin(), id.end()), own);

  Engine& engine = *run.engine;
  SetPictureFolders(engine);
  run.platform->OpenDisplay(640, 480, 0, 60);
  engine.project.ScreenWidth = 640;
  engine.project.ScreenHeight = 480;
  engine.session.Skill = 1;
  const struct {
    std::string folder, title, backdrop;
    int extraCoins;
  } cases[] = {{"", "Sunny Meadow", kDemo + "Data/GFX/Level/Tiles/MeadowBack.png", 0},
               {patch, "Dusky Meadow", patch + "/Data/GFX/Level/Tiles/MeadowBack.png", 7}};
  int ownCoins = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    engine.settings.PatchFolder = c.folder;
    engine.session.CurrentLevelName = "Meadow1";
    engine.session.CheckpointList = {"Start"};
    run.Run([](Engine& e) { LoadLevel(e); });
    ASSERT_FALSE(run.ended);
    EXPECT_EQ(engine.level.LevelTitle, c.title);
    const int coins = static_cast<int>(
        std::count_if(engine.level.ObjectStore.begin(), engine.level.ObjectStore.end(),
                      [](const ObjectType& o) { return o.OType == 3 && o.PicName == "Coin"; }));
    if (c.folder.empty()) ownCoins = coins;
    EXPECT_EQ(coins, ownCoins + c.extraCoins);
    EXPECT_EQ(engine.level.PlusX, 1000);
    const PicturePtr backdrop = LoadPictureFile(c.backdrop);
    ASSERT_TRUE(backdrop && engine.level.BackgroundPic);
    EXPECT_EQ(engine.level.BackgroundPic->frames[0].pixels, backdrop->frames[0].pixels);
  }
  // What the margins and the loaded scripts came from: the patch holds only what it changes.
  const std::string patchMaps = MapsArchives(engine).patch;
  EXPECT_EQ(VXR_HasEntry(engine.vxr, patchMaps, "Meadow1/Objects"), 1);
  EXPECT_EQ(VXR_HasEntry(engine.vxr, patchMaps, "Meadow1/PlusMinus"), 0);
  EXPECT_EQ(VXR_HasEntry(engine.vxr, patchMaps, "Meadow1/Script/Finish"), 0);
  // The two backdrops are not the same picture.
  EXPECT_NE(LoadPictureFile(cases[0].backdrop)->frames[0].pixels,
            LoadPictureFile(cases[1].backdrop)->frames[0].pixels);
}

}  // namespace
}  // namespace hopwerk
