// The vxr tool, run as a program.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>

#include "ArchiveTestSupport.h"
#include "archive/Vxr.h"

namespace hopwerk::test {
namespace {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

class VxrToolTest : public ::testing::Test {
 protected:
  ToolRun Run(const std::string& args) {
    const std::string out = dir.File("tool.out"), err = dir.File("tool.err");
    const std::string command =
        std::string("'") + HOPWERK_BIN_DIR + "/vxr' " + args + " >'" + out + "' 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    ToolRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    const auto o = ReadBytes(out), e = ReadBytes(err);
    run.out.assign(o.begin(), o.end());
    run.err.assign(e.begin(), e.end());
    return run;
  }
  // The tool's peak resident memory in KiB, as GNU time reports it: a process forked from this
  // test would count the test's own memory as the tool's.
  long PeakKiB(const std::string& args, int& status) {
    const std::string peak = dir.File("tool.peak");
    const std::string command = "/usr/bin/time -f %M -o '" + peak + "' '" + HOPWERK_BIN_DIR +
                                "/vxr' " + args + " >/dev/null 2>&1";
    const int raw = std::system(command.c_str());
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return std::atol(ReadText(peak).c_str());
  }
  std::string Q(const std::string& path) { return "'" + path + "'"; }
  std::string ReadText(const std::string& path) {
    const auto b = ReadBytes(path);
    return {b.begin(), b.end()};
  }

  TempDir dir;
};

std::vector<VxrWriteEntry> TrickyEntries() {
  return {
      {"GenData", {0, 4, 'D', 'e', 'm', 'o', 1, 0x80, 2, 0, 0, 0xE0, 1, 0, 0, 255}, 0},
      {"ID", {1, 9, 0, 0, 0}, 0},
      {"Welcome", Bytes("Hello\r\nWorld\r\n"), 0},
      {"lev1/General", Bytes("gen"), 2},
      {"lev1/Script/Door", Bytes("door"), 1},
      {"LEV1/general", Bytes("second spelling"), 0},
      {"Welcome", Bytes("duplicate"), 0},
      {"../escape", Bytes("up"), 0},
      {"/abs", Bytes("abs"), 0},
      {"", Bytes("empty name"), 0},
      {"a\\b", Bytes("backslash"), 0},
      {"ctl\x01\n", Bytes("control"), 0},
      {"lev1", Bytes("file and folder"), 0},
      {".vxr-index", Bytes("not the index"), 0},
      {"x/./y", Bytes("dot"), 0},
      {"GenData.hwt", Bytes("raw, despite its name"), 0},
      {"ID", {7}, 0},  // not a clean ID: kept raw
  };
}

TEST_F(VxrToolTest, ExtractThenPackGivesTheSameBytes) {
  const std::string archive = dir.File("In.vxr"), out = dir.File("out"),
                    again = dir.File("Again.vxr");
  const auto entries = TrickyEntries();
  ASSERT_TRUE(WriteVxrArchive(archive, entries));
  ToolRun run = Run("extract " + Q(archive) + " " + Q(out));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("GenData -> GenData.hwt (readable form)"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("ID: kept raw"), std::string::npos) << run.out;
  // Nothing was written outside the folder.
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir.Path())) {
    const std::string p = e.path().string();
    EXPECT_TRUE(p.rfind(out, 0) == 0 || p == archive || p.find("tool.") != std::string::npos) << p;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.Path() / "escape"));
  EXPECT_EQ(ReadText(out + "/GenData.hwt"),
            "# GenData entry, readable form\nProjectTitle = \"Demo\"\nScreenWidth = 640\n"
            "ScreenHeight = 480\nend\n");
  EXPECT_EQ(ReadText(out + "/lev1/General"), "gen");
  run = Run("pack " + Q(out) + " " + Q(again));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(again), ReadBytes(archive));
}

// A level added to an extracted folder (as vxr tiled adds one) is packed after the entries the
// index lists, readable forms compiled; what a killed tool left hidden is not.
TEST_F(VxrToolTest, PackTakesFilesTheIndexDoesNotListAfterThoseItLists) {
  const std::string archive = dir.File("Maps.vxr"), out = dir.File("Maps"),
                    again = dir.File("Again.vxr");
  ASSERT_TRUE(WriteVxrArchive(archive, {{"ID", {1, 9, 0, 0, 0}, 0}, {"A/General", Bytes("g"), 0}}));
  ASSERT_EQ(Run("extract " + Q(archive) + " " + Q(out)).status, 0);
  std::filesystem::create_directories(out + "/Marsh");
  std::filesystem::create_directories(out + "/.Marsh.tiled-x1y2z3");
  WriteBytes(out + "/Marsh/General.hwt", Bytes("LevelTitle = \"Marsh\"\nend\n"));
  WriteBytes(out + "/.Marsh.tiled-x1y2z3/General.hwt", Bytes("half written"));
  const ToolRun run = Run("pack " + Q(out) + " " + Q(again));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.out.find("note: Marsh/General.hwt is not in .vxr-index: packed after the files "
                         "it lists"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find(".Marsh.tiled-x1y2z3/General.hwt is not in .vxr-index and is hidden: "
                         "not packed"),
            std::string::npos)
      << run.out;
  std::vector<uint8_t> general = {0, 5};
  for (char c : std::string("Marsh")) general.push_back(static_cast<uint8_t>(c));
  general.push_back(255);
  EXPECT_EQ(ReadBytes(again), BuildVxrArchive({{"ID", {1, 9, 0, 0, 0}, 0},
                                               {"A/General", Bytes("g"), 0},
                                               {"Marsh/General", general, 0}}));
}

TEST_F(VxrToolTest, PackWithoutIndexTakesSortedFilesAndCompilesReadableForms) {
  const std::string src = dir.File("src"), archive = dir.File("Out.vxr");
  std::filesystem::create_directories(src + "/lev1/Script");
  WriteBytes(src + "/Welcome", Bytes("hi\n"));
  WriteBytes(src + "/lev1/Script/Door", Bytes("d"));
  WriteBytes(src + "/ID.hwt", Bytes("ProjectIdMajor = 1\nProjectIdMinor = 9\n"));
  ToolRun run = Run("pack " + Q(src) + " " + Q(archive));
  ASSERT_EQ(run.status, 0) << run.err;
  const auto expected = BuildVxrArchive({{"ID", {1, 9, 0, 0, 0}, 0},
                                         {"Welcome", Bytes("hi\n"), 0},
                                         {"lev1/Script/Door", Bytes("d"), 0}});
  EXPECT_EQ(ReadBytes(archive), expected);
  run = Run("list " + Q(archive));
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "ID                  0           5          13\n"
            "Welcome             0           3          18\n"
            "lev1/Script/Door    0           1          21\n");
  run = Run("dump " + Q(archive) + " welcome");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "hi\n");
  run = Run("dump " + Q(archive) + " Nothing");
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vxr: " + archive + ": no entry Nothing\n");
}

// A patch folder's ID file is one entry outside any archive.
TEST_F(VxrToolTest, CompileWritesOneEntryOnItsOwn) {
  WriteBytes(dir.File("ID.hwt"), Bytes("ProjectIdMajor = 1\nProjectIdMinor = 2026\n"));
  ToolRun run = Run("compile " + Q(dir.File("ID.hwt")) + " " + Q(dir.File("ID")));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("ID")), (std::vector<uint8_t>{1, 0xEA, 0x07, 0, 0}));
  WriteBytes(dir.File("Objects.hwt"), Bytes("end\n"));  // a level entry needs its level's name
  EXPECT_EQ(Run("compile " + Q(dir.File("Objects.hwt")) + " " + Q(dir.File("o"))).status, 1);
  EXPECT_FALSE(std::filesystem::exists(dir.File("o")));
  EXPECT_EQ(Run("compile " + Q(dir.File("ID")) + " " + Q(dir.File("o"))).status, 2);
}

TEST_F(VxrToolTest, SourceErrorsNameFileAndLine) {
  const std::string src = dir.File("src");
  std::filesystem::create_directories(src);
  WriteBytes(src + "/GenData.hwt", Bytes("ProjectTitle = \"x\"\n\nScreenWidth = wide\n"));
  ToolRun run = Run("pack " + Q(src) + " " + Q(dir.File("o.vxr")));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "vxr: " + src + "/GenData.hwt:3: ScreenWidth: \"wide\" is not a whole number\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("o.vxr")));
  std::filesystem::remove(src + "/GenData.hwt");
  WriteBytes(src + "/Welcome.hwt", Bytes("x = 1\n"));
  run = Run("pack " + Q(src) + " " + Q(dir.File("General.vxr")));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Welcome.hwt: no readable form is known for entry Welcome in General.vxr"),
            std::string::npos)
      << run.err;
  std::filesystem::remove(src + "/Welcome.hwt");
  WriteBytes(src + "/Score.hwt", Bytes("Element\n  Com = 6\n  Elemnt\n"));
  run = Run("pack " + Q(src) + " " + Q(dir.File("o.vxr")));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err,
            "vxr: " + src + "/Score.hwt:3: expected \"Name = value\", \"Element\" or \"end\"\n")
      << run.err;
  std::filesystem::remove(src + "/Score.hwt");
  WriteBytes(src + "/.vxr-index", Bytes("# vxr-index 1\n0 raw \"../../etc/passwd\" \"x\"\n"));
  run = Run("pack " + Q(src) + " " + Q(dir.File("o.vxr")));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vxr: " + src +
                         "/.vxr-index:2: file \"../../etc/passwd\" is not a safe path inside the "
                         "folder\n");
}

// Bytes of one entry: each argument a byte, an int ('I' then the value) or a string.
std::vector<uint8_t> Rec(std::initializer_list<int> bytes, const std::string& text = "") {
  std::vector<uint8_t> out(bytes.begin(), bytes.end());
  if (!text.empty()) {
    out.push_back(static_cast<uint8_t>(text.size()));
    out.insert(out.end(), text.begin(), text.end());
  }
  return out;
}
std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts) {
  std::vector<uint8_t> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}
std::vector<uint8_t> Int(int32_t v) {
  std::vector<uint8_t> out;
  PutInt(out, v);
  return out;
}

struct KindCase {
  std::string archive;
  std::vector<VxrWriteEntry> entries;
  std::vector<std::string> readable;  // files expected as readable forms
  std::vector<std::string> raw;       // files expected as they are
};

std::vector<KindCase> EveryArchiveKind() {
  const std::vector<uint8_t> id = {1, 9, 0, 0, 0};
  return {
      {"General.vxr",
       {{"GenData", Cat({Rec({0}, "Demo"), Rec({1}), Int(640), Int(480), Rec({255})}), 0},
        {"ID", id, 0},
        {"Welcome", Bytes("Hello\r\nWorld\r\n"), 0},
        {"Credits", Bytes("#FF0000\r\n$Demo\r\n\r\n<x"), 0},
        {"Cheats", Cat({Rec({0, 90, 2, 3, 'G' ^ 90, 'o' ^ 90, 'd' ^ 90, 1, '1' ^ 90})}), 0},
        {"Episode", Cat({Rec({0, 1}, "Forest"), Rec({255})}), 0},
        {"Score", Cat({Rec({0, 1, 6, 3}, "[SCORE]"), Rec({6, 0}), Int(1), Int(3), Rec({0, 255})}),
         0}},
       {"GenData.hwt", "ID.hwt", "Cheats.hwt", "Episode.hwt", "Score.hwt"},
       {"Welcome", "Credits"}},
      {"Weapon.vxr",
       {{"ID", id, 0},
        {"Weapon.0", Cat({Rec({0}, "Bolt.png"), Rec({2, 2, 3}), Int(250), Rec({255})}), 0},
        {"Weapon.3", Cat({Rec({6}), Int(5), Rec({255})}), 0},
        {"Weapon.4", Rec({6, 1}), 0},  // cut short: raw
        {"Enemy/Spit", Cat({Rec({0}, "Spit.png"), Rec({1, 255, 0, 0, 3}), Int(40), Rec({255})}),
         0}},
       {"ID.hwt", "Weapon.0.hwt", "Weapon.3.hwt", "Enemy/Spit.hwt"},
       {"Weapon.4"}},
      {"Maps.vxr",
       {{"ID", id, 0},
        {"lev1/General", Cat({Rec({0}, "Forest"), Rec({3, 0, 0, 64, 255})}), 0},
        {"lev1/PlusMinus", Cat({Int(640), Int(480), Int(64), Int(64)}), 0},
        {"lev1/Objects", Cat({Rec({0, 1}), Int(10), Int(20), Rec({3, 2, 4}, "Frog"), Rec({255})}),
         0},
        {"lev1/Script/Start", Cat({Rec({0, 2}), Int(8), Rec({8, 0, 255})}), 0}},
       {"ID.hwt", "lev1/General.hwt", "lev1/PlusMinus.hwt", "lev1/Objects.hwt",
        "lev1/Script/Start.hwt"},
       {}},
      {"Actors.vxr",
       {{"ID", id, 0},
        {"Frog", Cat({Rec({0, 1, 5, 6}, "Spit"), Rec({7, 0}), Int(3), Rec({255})}), 0},
        {"Toad", Rec({7, 1, 0, 0, 0, 0, 255}), 0}},
       {"ID.hwt", "Frog.hwt"},
       {"Toad"}},
      {"Collectables.vxr",
       {{"ID", id, 0},
        {"Coin", Cat({Rec({0}, "EGG:EGG"), Rec({2}), Int(100), Rec({4, 9, 255})}), 0},
        {"Bad", Rec({4, 10, 255}), 0}},
       {"ID.hwt", "Coin.hwt"},
       {"Bad"}},
  };
}

TEST_F(VxrToolTest, EveryArchiveKindExtractsToReadableFormsAndPacksBackIdentically) {
  for (const auto& kind : EveryArchiveKind()) {
    SCOPED_TRACE(kind.archive);
    TempDir work;
    const std::string archive = work.File(kind.archive), out = work.File("out");
    ASSERT_TRUE(WriteVxrArchive(archive, kind.entries));
    ToolRun run = Run("extract " + Q(archive) + " " + Q(out));
    ASSERT_EQ(run.status, 0) << run.err;
    for (const auto& file : kind.readable) {
      EXPECT_TRUE(std::filesystem::exists(out + "/" + file)) << file << "\n" << run.out;
    }
    for (const auto& file : kind.raw) {
      EXPECT_TRUE(std::filesystem::exists(out + "/" + file)) << file << "\n" << run.out;
    }
    // The index remembers the archive, so a pack under any name reads the forms alike.
    const std::string again = work.File("Renamed.vxr");
    run = Run("pack " + Q(out) + " " + Q(again));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(again), ReadBytes(archive));
    // Without the index the output archive's name decides.
    std::filesystem::remove(out + "/.vxr-index");
    const std::string fresh = work.File("fresh/" + kind.archive);
    std::filesystem::create_directories(work.File("fresh"));
    run = Run("pack " + Q(out) + " " + Q(fresh));
    ASSERT_EQ(run.status, 0) << run.err;
    // Same entries, in sorted order, each with its bytes.
    const auto file = VxrFile::Open(fresh);
    const VxrDirectory dir = ReadVxrDirectory(file, false);
    ASSERT_EQ(dir.records.size(), kind.entries.size());
    for (const auto& r : dir.records) {
      std::vector<uint8_t> bytes(static_cast<size_t>(r.size));
      ASSERT_EQ(file->ReadAt(r.offset, bytes.data(), bytes.size()), bytes.size());
      bool found = false;
      for (const auto& e : kind.entries) found = found || (e.name == r.name && e.data == bytes);
      EXPECT_TRUE(found) << r.name;
    }
  }
}

TEST_F(VxrToolTest, ReadableFormsShowTheDecodedValues) {
  const auto kinds = EveryArchiveKind();
  const std::string general = dir.File("General.vxr"), actors = dir.File("Actors.vxr"),
                    items = dir.File("Collectables.vxr"), out = dir.File("out");
  ASSERT_TRUE(WriteVxrArchive(general, kinds[0].entries));
  ASSERT_TRUE(WriteVxrArchive(actors, kinds[3].entries));
  ASSERT_TRUE(WriteVxrArchive(items, kinds[4].entries));
  ToolRun run = Run("extract " + Q(general) + " " + Q(out));
  ASSERT_EQ(run.status, 0);
  EXPECT_EQ(ReadText(out + "/Cheats.hwt"),
            "# Cheats entry, readable form\nKey = 90\nCheat = \"God\"\nCode = \"1\"\n");
  EXPECT_EQ(ReadText(out + "/Welcome"), "Hello\r\nWorld\r\n");
  EXPECT_NE(ReadText(out + "/.vxr-index").find("\narchive \"General.vxr\"\n"), std::string::npos);
  run = Run("dump " + Q(general) + " score");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out,
            "# Score entry, readable form\nElement\n  Com = 6\n  Txt = \"[SCORE]\"\n"
            "  CNot = 0\n  Eis = 1\n  Value = 3\n  Txt = \"\"\nend\n");
  run = Run("dump " + Q(actors) + " frog");
  EXPECT_EQ(run.out,
            "# actor definition entry, readable form\nControl = 1\n"
            "ShootWeaponName = \"Spit\"\nHurtPlayer = 3\nend\n");
  // Bytes the engine would refuse come out as they are, with a note.
  run = Run("dump " + Q(items) + " Bad");
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, std::string("\x04\x0A\xFF"));
  EXPECT_EQ(run.err, "note: Bad: kept raw (field Weapon at byte 1 is 10, outside 0 to 9)\n");
  run = Run("extract " + Q(actors) + " " + Q(dir.File("a")));
  EXPECT_NE(run.out.find("Toad: kept raw (field HurtPlayer marker at byte 1 is 1, outside 0 to 0)"),
            std::string::npos)
      << run.out;
  // Hostile lengths in a source file: a clear message with the line, nothing written.
  const std::string src = dir.File("src");
  std::filesystem::create_directories(src + "/lev1");
  WriteBytes(src + "/lev1/Objects.hwt", Bytes("Object\n  X = 1\n  Y = 2\n"));
  run = Run("pack " + Q(src) + " " + Q(dir.File("Maps.vxr")));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vxr: " + src +
                         "/lev1/Objects.hwt:4: missing \"end\" at the end of the text "
                         "(LEVEL/Objects entries must end with it)\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("Maps.vxr")));
  WriteBytes(src + "/lev1/Objects.hwt", Bytes("Object\n  Level = 11\nend\n"));
  run = Run("pack " + Q(src) + " " + Q(dir.File("Maps.vxr")));
  EXPECT_EQ(run.err, "vxr: " + src + "/lev1/Objects.hwt:2: Level: 11 is outside 0 to 10\n");
}

TEST_F(VxrToolTest, ExtractHoldsOneEntryAtATime) {
  // 100 records share one 1 MiB block: holding them all would take 100 MiB.
  constexpr int32_t kBlock = 1 << 20;
  constexpr int kRecords = 100;
  std::vector<uint8_t> bytes = Header(kRecords, 13 + kBlock);
  bytes.resize(13 + kBlock, 'b');
  for (int i = 0; i < kRecords; ++i) PutRecord(bytes, "e" + std::to_string(i), 0, kBlock, 13);
  const std::string archive = dir.File("Overlap.vxr"), out = dir.File("out");
  WriteBytes(archive, bytes);
  ASSERT_TRUE(std::filesystem::exists("/usr/bin/time")) << "GNU time is needed (Debian: time)";
  int status = -1;
  // Measured against the tool doing nothing, whose own size the sanitizers swell.
  const long idleKiB = PeakKiB("--help", status);
  const long peakKiB = PeakKiB("extract " + Q(archive) + " " + Q(out), status);
  ASSERT_EQ(status, 0);
  EXPECT_LT(peakKiB - idleKiB, 32 * 1024);
  EXPECT_EQ(std::filesystem::file_size(out + "/e99"), static_cast<uintmax_t>(kBlock));
}

TEST_F(VxrToolTest, PackTakesLinksInsideUnderTheirOwnNamesAndRefusesLinksOutside) {
  const std::string src = dir.File("src"), archive = dir.File("Out.vxr");
  std::filesystem::create_directories(src + "/sub");
  WriteBytes(src + "/sub/Welcome", Bytes("hello"));
  std::filesystem::create_symlink("sub/Welcome", src + "/Credits");
  std::filesystem::create_directory_symlink("sub", src + "/Again");
  ToolRun run = Run("pack " + Q(src) + " " + Q(archive));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(archive),
            BuildVxrArchive({{"Credits", Bytes("hello"), 0}, {"sub/Welcome", Bytes("hello"), 0}}));

  WriteBytes(dir.File("secret"), Bytes("outside"));
  for (const std::string& target :
       {std::string("../secret"), dir.File("secret"), std::string("nowhere")}) {
    std::filesystem::remove(src + "/Leak");
    std::filesystem::create_symlink(target, src + "/Leak");
    std::filesystem::remove(archive);
    run = Run("pack " + Q(src) + " " + Q(archive));
    EXPECT_EQ(run.status, 1) << target;
    EXPECT_EQ(run.err, "vxr: " + src + "/Leak: a symbolic link to " + target +
                           ", which is not a file inside " + src + ": not packed\n");
    EXPECT_FALSE(std::filesystem::exists(archive)) << target;
  }
}

TEST_F(VxrToolTest, PackNeverWritesThroughPlantedLinks) {
  const std::string src = dir.File("src"), archive = dir.File("Out.vxr");
  std::filesystem::create_directories(src);
  WriteBytes(src + "/Welcome", Bytes("hi"));
  WriteBytes(dir.File("victim"), Bytes("precious"));
  std::filesystem::create_symlink(dir.File("victim"), archive + ".writing");
  ToolRun run = Run("pack " + Q(src) + " " + Q(archive));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("victim")), Bytes("precious"));
  EXPECT_EQ(ReadBytes(archive), BuildVxrArchive({{"Welcome", Bytes("hi"), 0}}));
  // A link at the archive's own name is replaced, not written through.
  std::filesystem::remove(archive);
  std::filesystem::create_symlink(dir.File("victim"), archive);
  run = Run("pack " + Q(src) + " " + Q(archive));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadBytes(dir.File("victim")), Bytes("precious"));
  EXPECT_FALSE(std::filesystem::is_symlink(archive));
}

TEST_F(VxrToolTest, UsageErrorsExitWith2) {
  for (const std::string args : {"", "list", "frobnicate a b", "pack onlyone"}) {
    ToolRun run = Run(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.err.find("usage: vxr list ARCHIVE"), std::string::npos);
  }
}

TEST_F(VxrToolTest, HostileArchivesEndWithAClearMessage) {
  const std::string bad = dir.File("Bad.vxr");
  std::vector<uint8_t> bytes = Header(0x7FFFFFFF, 13);
  PutRecord(bytes, "A", 0, 0, 13);
  WriteBytes(bad, bytes);
  ToolRun run = Run("extract " + Q(bad) + " " + Q(dir.File("x")));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("damaged directory: the header promises 2147483647 records"),
            std::string::npos)
      << run.err;
  run = Run("list " + Q(bad));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "A  0  0  13\n");

  bytes = Header(1, 13);
  PutRecord(bytes, "Big", 0, 0x7FFFFFFF, 13);
  WriteBytes(bad, bytes);
  run = Run("extract " + Q(bad) + " " + Q(dir.File("x")));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("lies outside the file"), std::string::npos) << run.err;
  run = Run("dump " + Q(bad) + " big");
  EXPECT_EQ(run.status, 1);

  WriteBytes(bad, Bytes("VXR4"));
  run = Run("list " + Q(bad));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("not a VXR4 archive"), std::string::npos);
  WriteBytes(bad, {'V', 'X', 'R', '4', 0x1A, 1});
  run = Run("list " + Q(bad));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("truncated archive header"), std::string::npos);
  run = Run("list " + Q(dir.File("missing.vxr")));
  EXPECT_EQ(run.status, 1);
}

}  // namespace
}  // namespace hopwerk::test
