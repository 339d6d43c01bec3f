// The counts, sizes and lengths the engine takes in from untrusted files: at each limit a file
// still loads, one past it ends with the loader's own message (or, where a text is only shown,
// is cut), never with memory or time that grow with a number the file merely claims.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "LevelTestProject.h"
#include "TestProject.h"
#include "data/Cheats.h"
#include "data/Console.h"
#include "data/DataLimits.h"
#include "data/ProjectSettings.h"
#include "data/StatusScreen.h"
#include "data/Weapons.h"
#include "files/ByteStream.h"
#include "frontend/SavedGames.h"
#include "level/ActorScan.h"
#include "level/LevelLimits.h"
#include "level/LevelScripts.h"
#include "render/Compositor.h"
#include "render/PictureBudget.h"
#include "shell/CreditsScreen.h"
#include "shell/Folders.h"

namespace hopwerk {
namespace {

namespace fs = std::filesystem;
using test::Bytes;
using test::LevelProject;
using test::ObjectBytes;

std::string FatalMessage(const test::EngineRun& run) {
  const int error = run.IndexOf("console| ERROR");
  if (error < 0 || static_cast<size_t>(error) + 1 >= run.output.size()) return "";
  return run.output[static_cast<size_t>(error) + 1].substr(9);
}

// Runs load on a General archive holding `entries`, on a small display (fatal errors redraw the
// whole console). Returns the fatal message, "" when it loaded.
template <typename Load>
std::string LoadGeneral(test::EngineRun& run, std::vector<uint8_t> archive, Load&& load) {
  fs::create_directories(run.project.path() + "/VXR");
  test::WriteFile(run.project.path() + "/VXR/General.vxr",
                  std::string(archive.begin(), archive.end()));
  Engine& engine = run.Start();
  SetProgramFolders(engine);
  run.platform->OpenDisplay(320, 200, 0, 60);
  run.Run(load);
  return run.ended ? FatalMessage(run) : "";
}

std::vector<uint8_t> Repeat(const Bytes& record, size_t times, const Bytes& tail = Bytes()) {
  std::vector<uint8_t> out;
  out.reserve(record.data.size() * times + tail.data.size());
  for (size_t i = 0; i < times; ++i) out.insert(out.end(), record.data.begin(), record.data.end());
  out.insert(out.end(), tail.data.begin(), tail.data.end());
  return out;
}

struct CountCase {
  const char* archive;
  const char* entry;
  Bytes record;  // one record that counts toward the limit
  size_t limit;
  std::string message;  // for one record more
};

TEST(Limits, GeneralEntryCountsLoadAtTheLimitAndFailOnePast) {
  const CountCase cases[] = {
      {"General.vxr", "Cheats", Bytes().Byte(2).Byte(1).Byte('a').Byte(1).Byte('b'), kMaxCheatCodes,
       "Cheat file corrupted!"},
      {"General.vxr", "Score", Bytes().Byte(0), kMaxStatusElements,
       "Status file: Score corrupted - 0"},
      {"General.vxr", "Score", Bytes().Byte(6).Byte(0).Int(0).Int(0).Byte(0), kMaxStatusConditions,
       "Status file: Score corrupted - 6"},
      {"Weapon.vxr", "Weapon.0", Bytes().Byte(2).Byte(1), kMaxWeaponRecords,
       "Weapon file 0 is corrupt, or written in later version  (Code 2)"},
  };
  for (const CountCase& c : cases) {
    for (const size_t count : {c.limit, c.limit + 1}) {
      SCOPED_TRACE(std::string(c.entry) + " x" + std::to_string(count));
      test::EngineRun run;
      const std::string entry(c.entry);
      const std::vector<VxrWriteEntry> entries = {
          {entry, Repeat(c.record, count, entry == "Weapon.0" ? Bytes().Byte(255) : Bytes()), 0}};
      std::vector<uint8_t> general = BuildVxrArchive({});
      if (std::string(c.archive) == "General.vxr") {
        general = BuildVxrArchive(entries);
      } else {
        fs::create_directories(run.project.path() + "/VXR");
        ASSERT_TRUE(WriteVxrArchive(run.project.path() + "/VXR/" + c.archive, entries));
      }
      const std::string message = LoadGeneral(run, general, [&](Engine& e) {
        if (entry == "Cheats") {
          LoadCheats(e);
        } else if (entry == "Score") {
          e.data.StatusElements = LoadStatusScreen(e, GeneralArchivePath(e), "Score");
        } else {
          LoadWeapons(e);
        }
      });
      EXPECT_EQ(message, count > c.limit ? c.message : "");
    }
  }
}

// A directory record whose Size runs far past the archive file's end: the loader reads the
// zeros out there as records no longer, it stops at the file's end as at any truncation.
TEST(Limits, EntryRunningPastTheArchiveEndIsCorruptNotBillionsOfRecords) {
  for (const char* name : {"Cheats", "Score"}) {
    std::vector<uint8_t> archive = BuildVxrArchive({{name, {0, 0}, 0}});
    // Size 2^31 - 1, and every byte of it outside the file.
    const size_t sizeAt = kVxrHeaderSize + 2 + 1 + std::string(name).size() + 1;
    const auto fileEnd = static_cast<uint32_t>(archive.size());
    for (size_t i = 0; i < 4; ++i) {
      archive[sizeAt + i] = i < 3 ? 0xFF : 0x7F;
      archive[sizeAt + 4 + i] = static_cast<uint8_t>(fileEnd >> (8 * i));
    }
    test::EngineRun run;
    const std::string message = LoadGeneral(run, archive, [&](Engine& e) {
      if (std::string(name) == "Cheats") {
        LoadCheats(e);
      } else {
        e.data.StatusElements = LoadStatusScreen(e, GeneralArchivePath(e), "Score");
      }
    });
    EXPECT_EQ(message, std::string(name) == "Cheats" ? "Cheat file corrupted!"
                                                     : "Status file: Score corrupted - 0");
  }
}

// Text only shown: the credits keep their first kMaxCreditLines rows, and a line without a line
// feed comes in pieces of kMaxVxrLineBytes.
TEST(Limits, CreditsKeepTheirFirstRowsAndLongLinesComeInPieces) {
  std::string text;
  for (size_t i = 0; i < kMaxCreditLines + 5; ++i) text += "x\n";
  test::EngineRun run;
  const std::string longLine(kMaxVxrLineBytes + 3, 'a');
  std::vector<uint8_t> credits(text.begin(), text.end());
  std::vector<uint8_t> oneLine(longLine.begin(), longLine.end());
  EXPECT_EQ(LoadGeneral(run, BuildVxrArchive({{"Credits", credits, 0}, {"Long", oneLine, 0}}),
                        [](Engine& e) {
                          LoadCredits(e, GeneralArchivePath(e), "Credits");
                          EXPECT_EQ(e.data.CreditLines.size(), kMaxCreditLines);
                          LoadCredits(e, GeneralArchivePath(e), "Long");
                        }),
            "");
  const auto& lines = run.engine->data.CreditLines;
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].Text.size(), kMaxVxrLineBytes);
  EXPECT_EQ(lines[1].Text, "aaa");
}

// The same for the plain files the engine reads line by line (patch and episode texts).
TEST(Limits, FileLinesComeInPiecesToo) {
  constexpr size_t kPiece = 64 * 1024;
  test::TempDir dir;
  test::WriteFile(dir.path() + "/t.txt", std::string(kPiece + 2, 'b') + "\nc");
  auto in = ByteStream::Open(dir.path() + "/t.txt", ByteStream::Mode::Read);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(in->ReadLine().size(), kPiece);
  EXPECT_EQ(in->ReadLine(), "bb");
  EXPECT_EQ(in->ReadLine(), "c");
}

TEST(Limits, LevelObjectsAndScriptsLoadAtTheLimitAndFailOnePast) {
  for (const size_t objects : {kMaxLevelObjects, kMaxLevelObjects + 1}) {
    LevelProject lp;
    ObjectBytes o;
    o.Add(2, "Hero", 100, 200);
    std::vector<uint8_t> entry = o.b.data;
    const std::vector<uint8_t> rest =
        Repeat(Bytes().Byte(0).Byte(3).Byte(4), objects - 1, Bytes().Byte(255));
    entry.insert(entry.end(), rest.begin(), rest.end());
    lp.Put("Maps.vxr", "L1/Objects", entry);
    lp.Open();
    EXPECT_EQ(lp.Load(), objects > kMaxLevelObjects) << objects;
    EXPECT_EQ(lp.FatalMessage(), objects > kMaxLevelObjects ? "Map Object File corrupted! 0" : "");
  }
  for (const size_t scripts : {kMaxLevelScripts, kMaxLevelScripts + 1}) {
    LevelProject lp;
    lp.Put("Maps.vxr", "L1/Script/Many", Repeat(Bytes().Byte(0), scripts, Bytes().Byte(255)));
    Engine& e = lp.Open();
    lp.run.Run([](Engine& engine) { EndOnLoadError(engine, RunScriptFile(engine, "Many")); });
    EXPECT_EQ(lp.run.ended, scripts > kMaxLevelScripts) << scripts;
    EXPECT_EQ(lp.FatalMessage(),
              scripts > kMaxLevelScripts ? "Script \"Many\" corrupted => 0" : "");
    if (scripts == kMaxLevelScripts) {
      EXPECT_EQ(e.level.Scripts.Count(), kMaxLevelScripts);
    }
  }
}

TEST(Limits, EnemyWeaponRecordsLoadAtTheLimitAndFailOnePast) {
  for (const size_t records : {kMaxWeaponRecords, kMaxWeaponRecords + 1}) {
    LevelProject lp;
    lp.Put("Weapon.vxr", "Enemy/Gun", Repeat(Bytes().Byte(3).Int(5), records, Bytes().Byte(255)));
    lp.Open();
    lp.run.Run([](Engine& engine) {
      auto weapon = LoadEnemyWeapon(engine, "Gun");
      EndOnLoadError(engine, weapon.error);
      EXPECT_NE(weapon.value, nullptr);
    });
    EXPECT_EQ(lp.FatalMessage(),
              records > kMaxWeaponRecords ? "Enemy Weapon \"Gun\" corrupted (3)" : "");
  }
}

TEST(Limits, SavedGameCheckpointListLoadsAtTheLimitAndFailsOnePast) {
  for (const size_t names : {kMaxCheckpointScripts, kMaxCheckpointScripts + 1}) {
    test::EngineRun run;
    Engine& engine = run.Start();
    run.platform->OpenDisplay(320, 200, 0, 60);
    engine.project.ProjectIdMajor = 66;
    engine.project.ProjectIdMinor = 7;
    engine.folders.SaveFolder = run.home.path() + "/";
    const std::vector<uint8_t> file =
        Repeat(Bytes().Byte(3).String("S"), names, Bytes().Byte(12).Byte(1));
    const Bytes header = Bytes().Byte(66).Int(7).String("d").Byte(0).String("L1");
    test::WriteFile(SlotFilePath(engine, 0), std::string(header.data.begin(), header.data.end()) +
                                                 std::string(file.begin(), file.end()));
    run.Run([](Engine& e) { LoadGame(e, 0); });
    EXPECT_EQ(FatalMessage(run), names > kMaxCheckpointScripts ? "Illegal savegame file (3)" : "");
    if (names == kMaxCheckpointScripts) {
      EXPECT_EQ(engine.session.CheckpointList.size(), kMaxCheckpointScripts);
    }
  }
}

// Every frame costs at least kMinFrameBytes, so a strip of tiny cells cannot pass for a small
// picture.
TEST(Limits, TinyFramesCountAtTheirMinimumCost) {
  EXPECT_NE(CreateBlankPicture(1, 1, 4, 4 * kMinFrameBytes), nullptr);
  EXPECT_EQ(CreateBlankPicture(1, 1, 5, 4 * kMinFrameBytes), nullptr);
  const PicturePtr tiny = CreateBlankPicture(2, 2, 3);
  ASSERT_NE(tiny, nullptr);
  EXPECT_EQ(PictureBytes(*tiny), 3 * kMinFrameBytes);
}

TEST(Limits, ReplayInputLargerThanAnyReadableFileIsRefused) {
  test::TempDir dir;
  const std::string input = dir.path() + "/huge.txt";
  test::WriteFile(input, "");
  fs::resize_file(input, static_cast<uintmax_t>(kMaxReadFileBytes) + 1);  // sparse: no real bytes
  const test::ReplayResult r = test::Replay(dir.path(), {"--input", input, "--frames", "1"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.Count("hopwerk-replay: input file larger than 128 MiB"), 1);
}

}  // namespace
}  // namespace hopwerk
