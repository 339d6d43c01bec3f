// Folders, the driver dialog, project settings and the settings file at start-up.
#include <gtest/gtest.h>

#include "TestProject.h"
#include "data/PatchedEntry.h"
#include "data/ProjectSettings.h"
#include "frontend/Config.h"
#include "shell/DriverChoice.h"
#include "shell/Folders.h"

namespace hopwerk {
namespace {

using test::Bytes;
using test::EngineRun;

TEST(Folders, NormalisationTurnsBackslashesAndEndsInOneSlash) {
  EXPECT_EQ(NormaliseFolder("C:\\Games\\Jump"), "C:/Games/Jump/");
  EXPECT_EQ(NormaliseFolder("C:\\Games\\Jump\\"), "C:/Games/Jump/");
  EXPECT_EQ(NormaliseFolder("/opt/game/"), "/opt/game/");
  EXPECT_EQ(NormaliseFolder(""), "/");
}

TEST(Folders, DataAndArchiveFoldersHangOffTheProgramFolder) {
  EngineRun run;
  run.options.programFolder = "C:\\Games\\Jump";
  Engine& engine = run.Start();
  SetProgramFolders(engine);
  EXPECT_EQ(engine.folders.AppFolder, "C:/Games/Jump/");
  EXPECT_EQ(engine.folders.DataFolder, "C:/Games/Jump/Data/");
  EXPECT_EQ(engine.folders.ArchiveFolder, "C:/Games/Jump/VXR/");
  // Picture folders stay relative until they are made absolute.
  EXPECT_EQ(engine.folders.StatusPictureFolder, "GFX/Status/");
  SetPictureFolders(engine);
  EXPECT_EQ(engine.folders.StatusPictureFolder, "C:/Games/Jump/Data/GFX/Status/");
  EXPECT_EQ(engine.folders.LevelPictureFolder, "C:/Games/Jump/Data/GFX/Level/Pictures/");
}

TEST(Folders, SaveFolderIsMadeUnderTheDocumentsFolderAndTitlesTheWindow) {
  EngineRun run;
  Engine& engine = run.Start();
  engine.project.ProjectTitle = "Jump";
  SetUpSaveFolder(engine);
  EXPECT_EQ(engine.folders.SaveFolder, run.home.path() + "/Documents/Hopwerk/Save/Jump/");
  EXPECT_EQ(run.platform->FileKind(engine.folders.SaveFolder), 2);
  EXPECT_EQ(run.platform->WindowTitle(), "Jump");
  EXPECT_TRUE(run.output.empty());
}

TEST(Folders, EmptyTitleGivesTwoSeparators) {
  EngineRun run;
  Engine& engine = run.Start();
  SetUpSaveFolder(engine);
  EXPECT_EQ(engine.folders.SaveFolder, run.home.path() + "/Documents/Hopwerk/Save//");
}

TEST(Folders, TitleCannotSteerSavedGamesOutOfTheSaveFolder) {
  EXPECT_EQ(SaveFolderName("../../etc"), ".._.._etc");
  EXPECT_EQ(SaveFolderName(".."), "__");
  EXPECT_EQ(SaveFolderName("a\\b"), "a_b");
  EXPECT_EQ(SaveFolderName("Jump & Run 2"), "Jump & Run 2");
}

TEST(Folders, SaveFolderThatCannotBeMadeWarnsAndPlayGoesOn) {
  EngineRun run;
  // A file where the documents folder's "Hopwerk" should be makes the folder impossible.
  test::WriteFile(run.home.path() + "/Documents/Hopwerk", "x");
  Engine& engine = run.Start();
  engine.project.ProjectTitle = "Jump";
  run.Run([](Engine& e) { SetUpSaveFolder(e); });
  EXPECT_FALSE(run.ended);
  EXPECT_TRUE(run.Printed(
      "notice| Warning. The savegame folder could not be created\\nYou can still play, but you "
      "cannot save the game!"));
  EXPECT_EQ(engine.folders.SaveFolder, run.home.path() + "/Documents/Hopwerk/Save/Jump/");
}

class DriverChoiceTest : public ::testing::Test {
 protected:
  std::string DriverFile() { return run.home.path() + "/AppData/QVD_Hopwerk/RunDriver"; }
  int Preselected(const std::string& contents) {
    test::WriteFile(DriverFile(), contents);
    return PreselectedDriver(run.Start());
  }
  EngineRun run;
};

TEST_F(DriverChoiceTest, RememberedFilePreselects) {
  EXPECT_EQ(Preselected("DX"), 1);
  EXPECT_EQ(Preselected("DX\r\nGL\r\n"), 1);
  EXPECT_EQ(Preselected("GL"), 0);
  EXPECT_EQ(Preselected("dx"), 0);
  EXPECT_EQ(Preselected(""), 0);
  EXPECT_EQ(Preselected("DXX"), 0);
}

TEST_F(DriverChoiceTest, NoFilePreselectsDirectX) {
  EXPECT_EQ(PreselectedDriver(run.Start()), 1);
}

TEST_F(DriverChoiceTest, DialogHasTheTextsAndGeometry) {
  const ChoiceDialogSpec spec = DriverDialogSpec();
  EXPECT_EQ(spec.title, "Please select your library");
  EXPECT_EQ(spec.clientWidth, 300);
  EXPECT_EQ(spec.clientHeight, 200);
  EXPECT_EQ(spec.screenX, 60);
  EXPECT_EQ(spec.screenY, 70);
  ASSERT_EQ(spec.choices.size(), 2u);
  EXPECT_EQ(spec.choices[0], "OpenGL");
  EXPECT_EQ(spec.choices[1], "DirectX");
  EXPECT_EQ(spec.buttonText, "Go!");
  EXPECT_EQ(spec.buttonRect.x, 200);
  EXPECT_EQ(spec.buttonRect.y, 175);
  EXPECT_EQ(spec.choiceRects[1].y, 100);
}

TEST_F(DriverChoiceTest, ConfirmingOpenGLWritesOneLineAndTraces) {
  run.options.driverAnswer = "GL";
  run.Run([](Engine& e) { RunDriverChoice(e); });
  EXPECT_FALSE(run.ended);
  EXPECT_EQ(test::ReadFile(DriverFile()), "GL\r\n");
  ASSERT_EQ(run.output.size(), 2u);
  EXPECT_EQ(run.output[0], "Using OpenGL");
  EXPECT_EQ(run.output[1], "Driver initiated");
}

TEST_F(DriverChoiceTest, ConfirmingDirectXCreatesTheMissingFolder) {
  run.options.driverAnswer = "DX";
  run.Run([](Engine& e) { RunDriverChoice(e); });
  EXPECT_EQ(test::ReadFile(DriverFile()), "DX\r\n");
  EXPECT_TRUE(run.Printed("Using DirectX"));
}

TEST_F(DriverChoiceTest, ClosingEndsWithSuccessAndWritesNothing) {
  run.options.driverAnswer = "close";
  run.Run([](Engine& e) { RunDriverChoice(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.status, 0);
  EXPECT_FALSE(test::Exists(DriverFile()));
  EXPECT_TRUE(run.output.empty());
}

// Straight into play the dialog is not shown (its answer here would end the run) and nothing
// is written: the remembered answer, or DirectX without one, is used as it stands.
TEST(RememberedDriverTest, IsUsedWithoutTheDialogAndWithoutWriting) {
  const struct {
    const char* remembered;  // null: no file
    const char* trace;
  } cases[] = {{"GL\r\n", "Using OpenGL"}, {"DX\r\n", "Using DirectX"}, {nullptr, "Using DirectX"}};
  for (const auto& c : cases) {
    EngineRun run;
    const std::string file = run.home.path() + "/AppData/QVD_Hopwerk/RunDriver";
    if (c.remembered) test::WriteFile(file, c.remembered);
    run.options.driverAnswer = "close";
    run.Run([](Engine& e) { UseRememberedDriver(e); });
    EXPECT_FALSE(run.ended);
    EXPECT_EQ(run.output, (std::vector<std::string>{c.trace, "Driver initiated"}));
    EXPECT_EQ(test::Exists(file) ? test::ReadFile(file) : "", c.remembered ? c.remembered : "");
  }
}

class SettingsTest : public ::testing::Test {
 protected:
  void Read(const std::vector<uint8_t>& genData) {
    run.WriteGeneral({{"GenData", genData, 0}, {"ID", test::IdEntry(1, 2).data, 0}});
    Engine& engine = run.Start();
    engine.folders.ArchiveFolder = run.project.path() + "/VXR/";
    run.Run([](Engine& e) { ReadProjectSettings(e); });
  }
  EngineRun run;
};

TEST_F(SettingsTest, AllTagsAreRead) {
  Read(test::GenData("Jump", 800, 600, 1, "Ann").data);
  ASSERT_FALSE(run.ended);
  const ProjectSettings& p = run.engine->project;
  EXPECT_EQ(p.ProjectTitle, "Jump");
  EXPECT_EQ(p.ProjectAuthor, "Ann");
  EXPECT_EQ(p.ScreenWidth, 800);
  EXPECT_EQ(p.ScreenHeight, 600);
  EXPECT_EQ(p.FullScreen, 1);
  EXPECT_EQ(p.PDD.DW, 800);
  EXPECT_EQ(p.PDD.DH, 600);
  EXPECT_EQ(run.engine->console.ConsoleHeight, 600);
}

TEST_F(SettingsTest, OnlyTitleLeavesTheScreenAtZero) {
  Read(Bytes().Byte(0).String("Jump").Byte(255).data);
  ASSERT_FALSE(run.ended);
  EXPECT_EQ(run.engine->project.ProjectTitle, "Jump");
  EXPECT_EQ(run.engine->project.ScreenWidth, 0);
  EXPECT_EQ(run.engine->project.FullScreen, 0);
  EXPECT_EQ(run.engine->console.ConsoleHeight, 0);
}

TEST_F(SettingsTest, RecordsAfterTheEndTagAreIgnored) {
  Read(Bytes().Byte(0).String("Jump").Byte(255).Byte(0).String("Other").data);
  EXPECT_EQ(run.engine->project.ProjectTitle, "Jump");
}

TEST_F(SettingsTest, EntryEndingWithoutEndTagIsFine) {
  Read(Bytes().Byte(1).Int(320).Int(200).data);
  ASSERT_FALSE(run.ended);
  EXPECT_EQ(run.engine->project.PDD.DW, 320);
}

TEST_F(SettingsTest, EmptyEntryHoldsNoRecords) {
  Read({});
  EXPECT_FALSE(run.ended);
}

TEST_F(SettingsTest, UnknownTagIsCorruptedAndEndsWithFailure) {
  Read(Bytes().Byte(0).String("Jump").Byte(9).data);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.status, 1);
  EXPECT_TRUE(run.Printed("notice| General data file corrupted"));
}

TEST_F(SettingsTest, RecordCutShortIsCorrupted) {
  Read(Bytes().Byte(1).Int(640).Byte(0).data);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.status, 1);
  EXPECT_TRUE(run.Printed("notice| General data file corrupted"));
}

TEST_F(SettingsTest, MissingEntryIsAnArchiveErrorWithFailureStatus) {
  run.WriteGeneral({{"ID", test::IdEntry(1, 2).data, 0}});
  Engine& engine = run.Start();
  engine.folders.ArchiveFolder = run.project.path() + "/VXR/";
  run.Run([](Engine& e) { ReadProjectSettings(e); });
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.end.status, 1);
  const std::string archive = run.project.path() + "/VXR/General.vxr";
  EXPECT_TRUE(run.Printed("VXR_Error: VXR_Open(\"" + archive + "\",\"GenData\"): Entry not found"));
  EXPECT_TRUE(run.Printed("notice| VXR Error:\\nVXR_Open(\"" + archive +
                          "\",\"GenData\"): Entry not found"));
}

class ConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Engine& engine = run.Start();
    engine.folders.SaveFolder = run.home.path() + "/";
  }
  std::string File() { return run.home.path() + "/Config.PCF"; }
  EngineRun run;
};

TEST_F(ConfigTest, MissingFileKeepsDefaults) {
  LoadConfig(*run.engine);
  EXPECT_EQ(run.engine->settings.KeyJump, 164);
  EXPECT_EQ(run.engine->settings.KeyFire, 162);
  EXPECT_EQ(run.engine->settings.KeyActivate, 32);
  EXPECT_EQ(run.engine->settings.KeyPause, 112);
  EXPECT_EQ(run.engine->settings.Performance, 1);
}

TEST_F(ConfigTest, FreshFileIsTheTenDefaultBytes) {
  ASSERT_TRUE(SaveConfig(*run.engine));
  EXPECT_EQ(test::ReadFile(File()), std::string("\x00\xa4\x01\xa2\x02\x20\x03\x70\x04\x01", 10));
}

TEST_F(ConfigTest, UnknownTagIsSkippedAlone) {
  test::WriteFile(File(), std::string("\x07\x00\x32", 3));
  LoadConfig(*run.engine);
  EXPECT_EQ(run.engine->settings.KeyJump, 50);
}

TEST_F(ConfigTest, ShortFileSetsOnlyWhatItHolds) {
  test::WriteFile(File(), std::string("\x04\x00\x01", 3));
  LoadConfig(*run.engine);
  EXPECT_EQ(run.engine->settings.Performance, 0);
  EXPECT_EQ(run.engine->settings.KeyFire, 162);  // the cut record keeps its default
}

TEST_F(ConfigTest, SavedSettingsReadBack) {
  run.engine->settings.KeyJump = 9;
  run.engine->settings.Performance = 0;
  ASSERT_TRUE(SaveConfig(*run.engine));
  run.engine->settings = PlayerSettings{};
  LoadConfig(*run.engine);
  EXPECT_EQ(run.engine->settings.KeyJump, 9);
  EXPECT_EQ(run.engine->settings.Performance, 0);
}

}  // namespace
}  // namespace hopwerk

namespace hopwerk {
namespace {

class PatchedEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::WriteFile(run.project.path() + "/VXR/.keep", "");
    test::WriteFile(run.project.path() + "/Fix.PPF/VXR/.keep", "");
    ASSERT_TRUE(WriteVxrArchive(Base(), {{"a", {1}, 0}, {"b", {2}, 0}}));
    ASSERT_TRUE(WriteVxrArchive(Patch(), {{"A", {9}, 0}}));
    run.Start();
  }
  std::string Base() { return run.project.path() + "/VXR/Maps.vxr"; }
  std::string Patch() { return run.project.path() + "/Fix.PPF/VXR/Maps.vxr"; }
  int FirstByte(const std::string& entry) {
    VXRStreamPtr s = OpenPatchedEntry(*run.engine, Base(), Patch(), entry);
    const int b = VXR_Read(run.engine->vxr, s.get());
    VXR_Close(run.engine->vxr, s.get());
    return b;
  }
  test::EngineRun run;
};

TEST_F(PatchedEntryTest, PatchArchiveWinsOnlyForWhatItHolds) {
  run.engine->settings.PatchFolder = run.project.path() + "/Fix.PPF";
  EXPECT_EQ(FirstByte("a"), 9);
  EXPECT_EQ(FirstByte("b"), 2);
}

TEST_F(PatchedEntryTest, WithoutAPatchThePatchArchiveIsNotProbed) {
  std::remove(Patch().c_str());
  EXPECT_EQ(FirstByte("a"), 1);
  for (const auto& line : run.output) EXPECT_EQ(line.find("Couldn't open"), std::string::npos);
}

}  // namespace
}  // namespace hopwerk
