// Project-wide data: identity check, front-end pictures, cheat codes, weapons, status screen.
#include <gtest/gtest.h>

#include "TestProject.h"
#include "codec/PngWriter.h"
#include "data/Cheats.h"
#include "data/GeneralLoading.h"
#include "data/GeneralPictures.h"
#include "data/ProjectSettings.h"
#include "data/StatusScreen.h"
#include "data/Weapons.h"
#include "shell/Folders.h"

namespace hopwerk {
namespace {

using test::Bytes;
using test::EngineRun;

// An engine with its folders set on the test project and a display open.
class DataTest : public ::testing::Test {
 protected:
  Engine& Open() {
    Engine& engine = run.Start();
    SetProgramFolders(engine);
    SetPictureFolders(engine);
    run.platform->OpenDisplay(640, 480, 0, 60);
    engine.project.ScreenWidth = 640;
    engine.project.ScreenHeight = 480;
    engine.project.PDD = {480, 640};
    return engine;
  }
  void WriteArchive(const std::string& name, const std::vector<VxrWriteEntry>& entries) {
    test::WriteFile(run.project.path() + "/VXR/.keep", "");
    ASSERT_TRUE(WriteVxrArchive(run.project.path() + "/VXR/" + name, entries));
  }
  void WritePicture(const std::string& relative, int w, int h) {
    const std::string path = run.project.path() + "/Data/" + relative;
    test::WriteFile(path, "");
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h, 0xFFFFFFFFu);
    ASSERT_TRUE(WritePng(path, pixels.data(), w, h));
  }
  std::vector<std::string> ConsoleLines() const {
    std::vector<std::string> lines;
    for (const auto& l : run.output) {
      if (l.rfind("console| ", 0) == 0) lines.push_back(l.substr(9));
    }
    return lines;
  }
  EngineRun run;
};

TEST_F(DataTest, ArchivesDifferingInOnePartOfTheIdentityPass) {
  WriteArchive("General.vxr", test::MinimalGeneral());
  WriteArchive("Maps.vxr", {{"ID", test::IdEntry(1, 7).data, 0}});
  WriteArchive("Actors.vxr", {{"ID", test::IdEntry(2, 9).data, 0}});
  test::WriteFile(run.project.path() + "/VXR/notes.txt", "not an archive");
  test::WriteFile(run.project.path() + "/VXR/old.vxr/inside", "a folder, not an archive");
  Open();
  run.Run([](Engine& e) { GeneralLoading(e); });
  EXPECT_FALSE(run.ended) << run.output.back();
  EXPECT_TRUE(run.Printed("console| Checking: Maps.vxr"));
  EXPECT_TRUE(run.Printed("console| Checking: Actors.vxr"));
  EXPECT_TRUE(run.Printed("console| Checking: General.vxr"));
  EXPECT_FALSE(run.Printed("console| Checking: notes.txt"));
  EXPECT_FALSE(run.Printed("console| Checking: old.vxr"));
}

TEST_F(DataTest, ArchiveDifferingInBothPartsStops) {
  WriteArchive("General.vxr", test::MinimalGeneral());
  WriteArchive("Maps.VXR", {{"ID", test::IdEntry(2, 7).data, 0}});
  Open();
  run.Run([](Engine& e) { GeneralLoading(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.reason, "exit");  // no key is scripted: ends as the key would
  EXPECT_EQ(run.end.status, 1);
  EXPECT_TRUE(run.Printed("console| VXR ID mismatch (2.7)"));
}

TEST_F(DataTest, LoadingPrintsItsStepsInOrder) {
  WriteArchive("General.vxr", test::MinimalGeneral());
  Open();
  run.Run([](Engine& e) {
    ReadProjectSettings(e);
    GeneralLoading(e);
  });
  ASSERT_FALSE(run.ended);
  const std::vector<std::string> lines = ConsoleLines();
  const std::vector<std::string> head = {"Hopwerk Engine v1.0  ",
                                         "Platform Windows32",
                                         "Build: W1, 25 Oct 2008",
                                         "",
                                         "Jump",
                                         "Created by: Tester",
                                         "ID 1.9",
                                         "",
                                         "Welcome to the test",
                                         "Have fun",
                                         "",
                                         "Checking: General.vxr",
                                         "Loaded Image: Dot.png (Internal file)",
                                         "Not Loaded Image: Logo.png"};
  ASSERT_GE(lines.size(), head.size());
  for (size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << i;
  EXPECT_EQ(lines.back(), "Init Status Screen");
  EXPECT_TRUE(run.Printed("console| Init Codes"));
  EXPECT_TRUE(run.Printed("console| Loading weapons"));
}

TEST_F(DataTest, MissingCursorFallsBackToTheBuiltInOne) {
  WriteArchive("General.vxr", test::MinimalGeneral());
  Engine& engine = Open();
  LoadFrontEndPictures(engine);
  const int missing = run.IndexOf("console| Not Loaded Image: Cursor.png");
  ASSERT_GE(missing, 0);
  EXPECT_EQ(run.output[missing + 1], "Internal file IncBin/GFX/Cursor.png");
  EXPECT_EQ(run.output[missing + 2], "console| Loaded Image: Cursor.png (Internal file)");
  ASSERT_TRUE(engine.pictures.CursorPic);
  EXPECT_EQ(engine.pictures.CursorPic->width, 40);
  EXPECT_EQ(engine.pictures.CursorPic->handleY, 20);
  ASSERT_TRUE(engine.pictures.DotPic);
  EXPECT_EQ(engine.pictures.DotPic->width, 2);
}

TEST_F(DataTest, ProjectPicturesGetTheirHandles) {
  WritePicture("GFX/General/Menu2.png", 120, 31);
  WritePicture("GFX/General/GetReady.png", 101, 51);
  WritePicture("GFX/General/SkillP1.png", 64, 64);
  Engine& engine = Open();
  LoadFrontEndPictures(engine);
  ASSERT_TRUE(engine.pictures.MenuItemPics[2]);
  EXPECT_EQ(engine.pictures.MenuItemPics[2]->handleX, 0);
  EXPECT_EQ(engine.pictures.MenuItemPics[2]->handleY, 15);
  ASSERT_TRUE(engine.pictures.GetReadyPic);
  EXPECT_EQ(engine.pictures.GetReadyPic->handleX, 50);
  EXPECT_EQ(engine.pictures.GetReadyPic->handleY, 25);
  ASSERT_TRUE(engine.pictures.SkillPreviewPics[0]);
  EXPECT_EQ(engine.pictures.SkillPreviewPics[0]->handleY, 0);
  EXPECT_TRUE(run.Printed("console| Loaded Image: Menu2.png"));
}

Bytes Scrambled(const std::string& text, int key) {
  Bytes b;
  b.Byte(static_cast<int>(text.size()));
  for (unsigned char c : text) b.Byte(c ^ key);
  return b;
}

class CheatTest : public DataTest {
 protected:
  void Load(const Bytes& cheats) {
    std::vector<VxrWriteEntry> general = test::MinimalGeneral();
    for (auto& e : general) {
      if (e.name == "Cheats") e.data = cheats.data;
    }
    WriteArchive("General.vxr", general);
    Open();
    run.Run([](Engine& e) { LoadCheats(e); });
  }
  static Bytes Record(const std::string& name, const std::string& code, int key) {
    Bytes b;
    b.Byte(2);
    const Bytes n = Scrambled(name, key), c = Scrambled(code, key);
    b.data.insert(b.data.end(), n.data.begin(), n.data.end());
    b.data.insert(b.data.end(), c.data.begin(), c.data.end());
    return b;
  }
  static Bytes Join(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts) all.data.insert(all.data.end(), p.data.begin(), p.data.end());
    return all;
  }
};

TEST_F(CheatTest, WithoutAKeyTheStoredBytesAreTheCharacters) {
  Load(Record("GodMode", "IDDQD", 0));
  ASSERT_FALSE(run.ended);
  EXPECT_EQ(run.engine->data.CheatCodes["GodMode"], "IDDQD");
  EXPECT_TRUE(run.Printed("console| - Ok"));
  EXPECT_TRUE(run.Printed("2  P1  S15   EOF0"));
}

TEST_F(CheatTest, KeyRecordDecodesTheFollowingStrings) {
  Load(Join({Bytes().Byte(0).Byte(0x5A), Record("Jump", "HOP", 0x5A), Bytes().Byte(0).Byte(7),
             Record("Ammo", "FULL", 7)}));
  ASSERT_FALSE(run.ended);
  EXPECT_EQ(run.engine->data.CheatCodes["Jump"], "HOP");
  EXPECT_EQ(run.engine->data.CheatCodes["Ammo"], "FULL");
  EXPECT_TRUE(run.Printed("0  P1  S25   EOF0"));
}

TEST_F(CheatTest, LaterRecordReplacesTheCodeAndIgnoredStringsAreSkipped) {
  Bytes ignored = Bytes().Byte(1);
  const Bytes s = Scrambled("note", 0);
  ignored.data.insert(ignored.data.end(), s.data.begin(), s.data.end());
  Load(Join({Record("Jump", "A", 0), ignored, Record("Jump", "B", 0)}));
  ASSERT_FALSE(run.ended);
  EXPECT_EQ(run.engine->data.CheatCodes.size(), 1u);
  EXPECT_EQ(run.engine->data.CheatCodes["Jump"], "B");
}

TEST_F(CheatTest, UnknownTagOrCutRecordIsCorrupted) {
  Load(Join({Record("Jump", "A", 0), Bytes().Byte(3)}));
  EXPECT_TRUE(run.Printed("console| Cheat file corrupted!"));
}

TEST_F(CheatTest, StringRunningPastTheEntryIsCorrupted) {
  Load(Bytes().Byte(2).Byte(200).Text("abc"));
  EXPECT_TRUE(run.Printed("console| Cheat file corrupted!"));
}

class WeaponTest : public DataTest {
 protected:
  void Load(const std::vector<VxrWriteEntry>& entries) {
    WriteArchive("Weapon.vxr", entries);
    Open();
    run.Run([](Engine& e) { LoadWeapons(e); });
  }
};

TEST_F(WeaponTest, OnlySlotsWithEntriesAreFilled) {
  WritePicture("GFX/Weapon/bolt.png", 9, 5);
  Load({{"Weapon.0", Bytes().Byte(0).String("bolt.png").Byte(4).Int(50).Byte(255).data, 0},
        {"Weapon.3", Bytes().Byte(0).String("bolt.png").Byte(255).data, 0}});
  ASSERT_FALSE(run.ended);
  EXPECT_EQ(run.IndexOf("console| Loading weapons") + 1, run.IndexOf("console| - 0"));
  EXPECT_EQ(run.IndexOf("console| - 0") + 1, run.IndexOf("console| - 3"));
  const WeaponType* w = run.engine->data.Weapons;
  ASSERT_TRUE(w[0].Image);
  EXPECT_EQ(w[0].Image->handleX, 4);
  EXPECT_EQ(w[0].MaxAmmo, 50);
  EXPECT_FALSE(w[1].Image);
  EXPECT_FALSE(w[9].Image);
}

TEST_F(WeaponTest, UnlimitedWeaponWithoutSoundAndLaterRecordsWin) {
  WritePicture("GFX/Weapon/bolt.png", 8, 8);
  Load({{"Weapon.1",
         Bytes()
             .Byte(2)
             .Byte(2)
             .Byte(0)
             .String("bolt.png")
             .Byte(1)
             .String("")
             .Byte(3)
             .Int(100)
             .Byte(3)
             .Int(250)
             .Byte(5)
             .Int(12)
             .Byte(6)
             .Int(30)
             .Byte(255)
             .data,
         0}});
  ASSERT_FALSE(run.ended);
  const WeaponType& w = run.engine->data.Weapons[1];
  EXPECT_EQ(w.AmmoUsage, 2);
  EXPECT_EQ(w.MS, 250);
  EXPECT_EQ(w.BulletSpeed, 12);
  EXPECT_EQ(w.StartAmmo, 30);
  EXPECT_FALSE(w.Sample);
}

TEST_F(WeaponTest, UnknownTagNamesSlotAndCode) {
  Load({{"Weapon.4", Bytes().Byte(7).data, 0}});
  EXPECT_TRUE(
      run.Printed("console| Weapon file 4 is corrupt, or written in later version  (Code 7)"));
}

TEST_F(WeaponTest, MissingPictureAndSoundAreProjectErrors) {
  Load({{"Weapon.2", Bytes().Byte(0).String("none.png").Byte(255).data, 0}});
  EXPECT_TRUE(
      run.Printed("console| Could not load: " + run.project.path() + "/Data/GFX/Weapon/none.png"));
  EXPECT_TRUE(run.Printed("console| This game is not correct."));
}

TEST_F(WeaponTest, MissingSoundIsAProjectError) {
  Load({{"Weapon.2", Bytes().Byte(1).String("bang.wav").Byte(255).data, 0}});
  EXPECT_TRUE(run.Printed("console| Could Not Load: " + run.project.path() + "/Data/SFX/bang.wav"));
}

TEST_F(WeaponTest, PictureNameCutByTheEntryEndIsCorruptNotAMissingFile) {
  WritePicture("GFX/Weapon/bolt.png", 8, 8);
  Load({{"Weapon.6", Bytes().Byte(0).Byte(40).Text("bolt").data, 0},
        {"Other", Bytes().Text(std::string(60, 'x')).data, 0}});
  EXPECT_TRUE(
      run.Printed("console| Weapon file 6 is corrupt, or written in later version  (Code 0)"));
  for (const auto& line : run.output) EXPECT_NE(line.rfind("console| Could not load", 0), 0u);
}

TEST_F(WeaponTest, SoundNameCutByTheEntryEndIsCorruptNotAMissingFile) {
  Load({{"Weapon.7", Bytes().Byte(1).Byte(40).Text("bang").data, 0},
        {"Other", Bytes().Text(std::string(60, 'x')).data, 0}});
  EXPECT_TRUE(
      run.Printed("console| Weapon file 7 is corrupt, or written in later version  (Code 1)"));
  for (const auto& line : run.output) EXPECT_NE(line.rfind("console| Could Not Load", 0), 0u);
}

TEST_F(WeaponTest, EntryWithoutEndTagEndsWithTheEntry) {
  Load({{"Weapon.5", Bytes().Byte(4).Int(9).data, 0}, {"Other", Bytes().Byte(99).data, 0}});
  EXPECT_FALSE(run.ended);
  EXPECT_EQ(run.engine->data.Weapons[5].MaxAmmo, 9);
}

TEST_F(WeaponTest, NoWeaponArchiveMeansNoWeapons) {
  Open();
  run.Run([](Engine& e) { LoadWeapons(e); });
  EXPECT_FALSE(run.ended);
  EXPECT_TRUE(run.Printed("console| Loading weapons"));
  EXPECT_FALSE(run.Printed("console| - 0"));
}

class StatusTest : public DataTest {
 protected:
  std::vector<TStatus>& Load(const Bytes& score) {
    WriteArchive("General.vxr", {{"Score", score.data, 0}});
    Engine& engine = Open();
    run.Run([](Engine& e) {
      e.data.StatusElements = LoadStatusScreen(e, e.folders.ArchiveFolder + "General.vxr", "Score");
    });
    return engine.data.StatusElements;
  }
  uint32_t Pixel(int x, int y) {
    return run.platform->GetCompositor().Pixels()[static_cast<size_t>(y) * 640 + x] & 0xFFFFFF;
  }
  void Draw() {
    run.platform->ClearScreen();
    DrawStatusScreen(*run.engine, run.engine->data.StatusElements);
  }
};

TEST_F(StatusTest, ElementsAndConditionsAreRead) {
  auto& elements = Load(Bytes()
                            .Byte(3)
                            .String("before any element")
                            .Byte(0)
                            .Byte(1)
                            .Byte(4)
                            .Byte(2)
                            .Int(10)
                            .Int(20)
                            .Int(30)
                            .Int(40)
                            .Byte(4)
                            .Int(50)
                            .Byte(5)
                            .Byte(1)
                            .Byte(2)
                            .Byte(3)
                            .Byte(6)
                            .Byte(1)
                            .Int(6)
                            .Int(2)
                            .String("key")
                            .Byte(0)
                            .Byte(3)
                            .String("Score: [SCORE]"));
  ASSERT_FALSE(run.ended);
  ASSERT_EQ(elements.size(), 2u);
  EXPECT_EQ(elements[0].Com, 4);
  EXPECT_EQ(elements[0].H, 40);
  EXPECT_EQ(elements[0].Alpha, 50.0f);
  EXPECT_EQ(elements[0].B, 3);
  ASSERT_EQ(elements[0].Condition.size(), 1u);
  EXPECT_EQ(elements[0].Condition[0].CNot, 1);
  EXPECT_EQ(elements[0].Condition[0].Eis, 6);
  EXPECT_EQ(elements[0].Condition[0].Txt, "key");
  EXPECT_EQ(elements[1].Txt, "Score: [SCORE]");
  EXPECT_EQ(elements[1].ID, elements[0].ID + 1);
  EXPECT_EQ(elements[1].R, 255);
}

TEST_F(StatusTest, UnknownTagIsFatal) {
  Load(Bytes().Byte(0).Byte(9));
  EXPECT_TRUE(run.Printed("console| Status file: Score corrupted - 9"));
}

TEST_F(StatusTest, RecordCutShortIsFatal) {
  Load(Bytes().Byte(0).Byte(2).Int(1));
  EXPECT_TRUE(run.Printed("console| Status file: Score corrupted - 2"));
}

TEST(StatusConditions, HitPointTestsAndNegation) {
  SessionState session;
  RunningLevel run;
  TCondition below3{1, 3, "", 0, 0};
  TCondition notBelow3{1, 3, "", 1, 0};
  for (int hp = 0; hp <= 5; ++hp) {
    run.HudHP = hp;
    EXPECT_EQ(ConditionSatisfied(session, run, below3), hp < 3) << hp;
    EXPECT_EQ(ConditionSatisfied(session, run, notBelow3), hp >= 3) << hp;
  }
  run.HudHP = 4;
  EXPECT_TRUE(ConditionSatisfied(session, run, {0, 4, "", 0, 0}));
  EXPECT_TRUE(ConditionSatisfied(session, run, {3, 4, "", 0, 0}));
  EXPECT_FALSE(ConditionSatisfied(session, run, {2, 4, "", 0, 0}));
  EXPECT_TRUE(ConditionSatisfied(session, run, {4, 4, "", 0, 0}));
  EXPECT_TRUE(ConditionSatisfied(session, run, {42, 0, "", 0, 0}));  // unknown kinds always hold
}

TEST(StatusConditions, WeaponAndKeysWithOutOfRangeKeys) {
  SessionState session;
  RunningLevel run;
  session.SelectedWeapon = 3;
  run.Keys[2] = 1;
  EXPECT_TRUE(ConditionSatisfied(session, run, {5, 3, "", 0, 0}));
  EXPECT_FALSE(ConditionSatisfied(session, run, {5, 2, "", 0, 0}));
  EXPECT_TRUE(ConditionSatisfied(session, run, {6, 2, "", 0, 0}));
  EXPECT_FALSE(ConditionSatisfied(session, run, {6, 3, "", 0, 0}));
  EXPECT_FALSE(ConditionSatisfied(session, run, {6, 10, "", 0, 0}));
  EXPECT_FALSE(ConditionSatisfied(session, run, {6, -1, "", 0, 0}));
  EXPECT_TRUE(ConditionSatisfied(session, run, {6, 1000000, "", 1, 0}));
}

TEST(StatusText, PlaceholdersAreReplacedEverywhere) {
  SessionState session;
  LevelState level;
  RunningLevel run;
  session.Score = 1200;
  level.LevelTitle = "Caves";
  run.WeaponStatusText = "Ready";
  EXPECT_EQ(StatusText(session, level, run, "Score: [SCORE]"), "Score: 1200");
  EXPECT_EQ(StatusText(session, level, run, "[LEVELNAME] [SCORE]/[SCORE] [AMMO]"),
            "Caves 1200/1200 Ready");
  EXPECT_EQ(StatusText(session, level, run, "[score]"), "[score]");
}

TEST_F(StatusTest, RightAlignedTextEndsAtX) {
  Load(Bytes().Byte(0).Byte(1).Byte(7).Byte(2).Int(630).Int(100).Int(0).Int(0).Byte(3).String(
      "[SCORE]"));
  run.engine->session.Score = 1200;
  Draw();
  bool before = false, inside = false;
  for (int y = 100; y < 116; ++y) {
    for (int x = 590; x < 598; ++x) before = before || Pixel(x, y) != 0;
    for (int x = 598; x < 630; ++x) inside = inside || Pixel(x, y) != 0;
  }
  EXPECT_FALSE(before);
  EXPECT_TRUE(inside);
}

TEST_F(StatusTest, PictureRowRepeatsAcrossTheScreenAndIsLoadedOnce) {
  WritePicture("GFX/Status/band.png", 100, 4);
  auto& elements =
      Load(Bytes().Byte(0).Byte(1).Byte(2).Byte(2).Int(0).Int(10).Int(0).Int(0).Byte(3).String(
          "band.png"));
  Draw();
  for (int x : {0, 99, 100, 600, 639}) EXPECT_EQ(Pixel(x, 10), 0xFFFFFFu) << x;
  EXPECT_EQ(elements[0].PicLoaded, 1);
  std::remove((run.project.path() + "/Data/GFX/Status/band.png").c_str());
  Draw();  // still drawn: the picture was kept
  EXPECT_EQ(Pixel(300, 10), 0xFFFFFFu);
}

TEST_F(StatusTest, MissingPictureIsTriedOnceAndDrawsNothing) {
  auto& elements = Load(Bytes().Byte(0).Byte(1).Byte(1).Byte(3).String("gone.png"));
  Draw();
  EXPECT_EQ(elements[0].PicLoaded, 1);
  EXPECT_FALSE(elements[0].Image);
  WritePicture("GFX/Status/gone.png", 8, 8);
  Draw();
  EXPECT_FALSE(elements[0].Image);
}

TEST_F(StatusTest, HalfAlphaRectangleBlendsAndRestoresTheMask) {
  Load(Bytes().Byte(0).Byte(1).Byte(4).Byte(2).Int(0).Int(0).Int(10).Int(10).Byte(4).Int(50));
  Draw();
  const uint32_t grey = Pixel(5, 5) & 0xFF;
  EXPECT_NEAR(static_cast<int>(grey), 127, 2);
  EXPECT_EQ(Pixel(15, 5), 0u);
  EXPECT_EQ(run.platform->CurrentDrawBlend(), 1);
  EXPECT_EQ(run.platform->GetCompositor().State().alpha, 1.0f);
}

TEST_F(StatusTest, HiddenElementIsNotDrawn) {
  Load(Bytes()
           .Byte(0)
           .Byte(1)
           .Byte(4)
           .Byte(2)
           .Int(0)
           .Int(0)
           .Int(10)
           .Int(10)
           .Byte(6)
           .Byte(0)
           .Int(2)
           .Int(0)
           .String("")  // HP > 0
           .Byte(6)
           .Byte(0)
           .Int(6)
           .Int(2)
           .String(""));  // and key 2
  run.engine->run.HudHP = 5;
  Draw();
  EXPECT_EQ(Pixel(5, 5), 0u);
  run.engine->run.Keys[2] = 1;
  Draw();
  EXPECT_EQ(Pixel(5, 5), 0xFFFFFFu);
}

}  // namespace
}  // namespace hopwerk
