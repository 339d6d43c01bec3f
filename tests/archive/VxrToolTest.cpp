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
  WriteBytes(src + "/Score.hwt", Bytes("x = 1\n"));
  run = Run("pack " + Q(src) + " " + Q(dir.File("o.vxr")));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("Score.hwt: no readable form is known for entry Score"),
            std::string::npos);
  std::filesystem::remove(src + "/Score.hwt");
  WriteBytes(src + "/.vxr-index", Bytes("# vxr-index 1\n0 raw \"../../etc/passwd\" \"x\"\n"));
  run = Run("pack " + Q(src) + " " + Q(dir.File("o.vxr")));
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.err, "vxr: " + src +
                         "/.vxr-index:2: file \"../../etc/passwd\" is not a safe path inside the "
                         "folder\n");
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
