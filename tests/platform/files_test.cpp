// Files, folders, volumes, random numbers and date text: the part both platforms share.
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <filesystem>
#include <map>

#include "codec/PngWriter.h"
#include "files/FileWriter.h"
#include "platform/HeadlessPlatform.h"
#include "platform/Paths.h"
#include "platform/ScratchFolder.h"

namespace hopwerk {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

HeadlessOptions OptionsFor(const ScratchFolder& dir, uint32_t seed = 1) {
  HeadlessOptions options;
  options.programFolder = dir.Path() + "/";
  options.homeFolder = dir / "home";
  options.seed = seed;
  options.output = [](const std::string&) {};
  return options;
}

// A writer killed mid-write leaves its temporary file behind; the next write of the same file
// clears it, but never the file of a writer that is still at work.
TEST(Files, LeftTemporaryFilesGoUnlessAWriterHoldsThem) {
  ScratchFolder dir;
  const std::string target = dir / "Config.PCF";
  WriteBytes(dir / ".Config.PCF.tmp-abcdef", "left by a killed writer");
  std::unique_ptr<FileWriter> live = FileWriter::Create(target);
  ASSERT_TRUE(live);
  EXPECT_FALSE(std::filesystem::exists(dir / ".Config.PCF.tmp-abcdef"));
  ASSERT_TRUE(WriteFileAtomically(target, "b", 1));
  ASSERT_TRUE(live->Write("a", 1));
  EXPECT_TRUE(live->Commit());
  EXPECT_EQ(ReadBytes(target), "a");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);
}

TEST(Files, FileKindTellsNothingFileAndFolder) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  WriteBytes(dir / "file.txt", "x");
  EXPECT_EQ(p.FileKind(dir / "file.txt"), 1);
  EXPECT_EQ(p.FileKind(dir.Path()), 2);
  EXPECT_EQ(p.FileKind(dir.Path() + "/"), 2);
  EXPECT_EQ(p.FileKind(dir / "missing"), 0);
  EXPECT_EQ(p.FileKind(""), 0);
  // "\" is a separator too.
  std::string backslashed = dir / "file.txt";
  backslashed[backslashed.rfind('/')] = '\\';
  EXPECT_EQ(p.FileKind(backslashed), 1);
}

TEST(Files, ListFolderIsSortedWithDotEntriesFirst) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  std::filesystem::create_directories(dir / "list/b-folder");
  WriteBytes(dir / "list/c.txt", "");
  WriteBytes(dir / "list/A.txt", "");
  WriteBytes(dir / "list/-dash", "");
  WriteBytes(dir / "list/a.txt", "");
  const std::vector<std::string> expected = {".",     "..",       "-dash", "A.txt",
                                             "a.txt", "b-folder", "c.txt"};
  EXPECT_EQ(p.ListFolder(dir / "list"), expected);
  EXPECT_EQ(p.ListFolder(dir / "list/"), expected);
  EXPECT_TRUE(p.ListFolder(dir / "missing").empty());
  EXPECT_TRUE(p.ListFolder(dir / "list/c.txt").empty());
}

TEST(Files, MakeFolderRecursiveAndNot) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  EXPECT_FALSE(p.MakeFolder(dir / "a/b/c", false));  // parents missing
  EXPECT_EQ(p.FileKind(dir / "a"), 0);
  EXPECT_TRUE(p.MakeFolder(dir / "a/b/c/", true));
  EXPECT_EQ(p.FileKind(dir / "a/b/c"), 2);
  EXPECT_TRUE(p.MakeFolder(dir / "a/b/c", true));  // already there
  EXPECT_TRUE(p.MakeFolder(dir / "a/b/c", false));
  EXPECT_TRUE(p.MakeFolder(dir / "a/d", false));
  EXPECT_TRUE(p.MakeFolder(dir.Path() + "\\a\\e\\f", true));
  EXPECT_EQ(p.FileKind(dir / "a/e/f"), 2);
  // A file where a folder should be.
  WriteBytes(dir / "a/file", "");
  EXPECT_FALSE(p.MakeFolder(dir / "a/file", false));
  EXPECT_FALSE(p.MakeFolder(dir / "a/file/sub", true));
  EXPECT_FALSE(p.MakeFolder("", true));
}

TEST(Files, RelativePathsFollowTheVirtualWorkingFolder) {
  ScratchFolder dir;
  std::filesystem::create_directories(dir / "one/two");
  WriteBytes(dir / "one/two/f.txt", "hello\n");
  const std::string processFolder = std::filesystem::current_path().string();
  HeadlessPlatform p(OptionsFor(dir));
  HeadlessPlatform q(OptionsFor(dir));
  EXPECT_EQ(p.WorkingFolder(), dir.Path());  // as the system gives it: no trailing "/"
  EXPECT_TRUE(p.ChangeFolder("one"));
  EXPECT_EQ(p.WorkingFolder(), dir / "one");
  EXPECT_TRUE(p.ChangeFolder("two/"));
  EXPECT_EQ(p.FileKind("f.txt"), 1);
  auto in = p.OpenReadFile("f.txt");
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadLine(), "hello");
  EXPECT_EQ(p.ListFolder(".").size(), 3u);
  EXPECT_TRUE(p.ChangeFolder(".."));
  EXPECT_EQ(p.WorkingFolder(), dir / "one");
  EXPECT_FALSE(p.ChangeFolder("missing"));
  EXPECT_FALSE(p.ChangeFolder("two/f.txt"));
  EXPECT_EQ(p.WorkingFolder(), dir / "one");
  EXPECT_TRUE(p.ChangeFolder("/"));
  EXPECT_EQ(p.WorkingFolder(), "/");
  EXPECT_TRUE(p.ChangeFolder(".."));
  EXPECT_EQ(p.WorkingFolder(), "/");
  // Neither the other engine nor the process moved.
  EXPECT_EQ(q.WorkingFolder(), dir.Path());
  EXPECT_EQ(std::filesystem::current_path().string(), processFolder);
}

TEST(Files, PicturesLoadThroughTheWorkingFolderAndBackslashes) {
  ScratchFolder dir;
  std::filesystem::create_directories(dir / "gfx/sub");
  const uint32_t red[2] = {0xFFFF0000u, 0xFFFF0000u};
  ASSERT_TRUE(WritePng(dir / "gfx/sub/red.png", red, 2, 1));
  HeadlessPlatform p(OptionsFor(dir));
  ASSERT_TRUE(p.ChangeFolder("gfx"));
  // The process's own folder is elsewhere: only the platform's working folder finds these.
  ASSERT_NE(std::filesystem::current_path().string(), dir / "gfx");
  ASSERT_EQ(p.FileKind("sub/red.png"), 1);
  PicturePtr picture = p.LoadPicture("sub/red.png");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 2);
  EXPECT_TRUE(p.LoadPicture("sub\\red.png"));
  PicturePtr strip = p.LoadPictureStrip("sub/red.png", 1, 1, 0, 2);
  ASSERT_TRUE(strip);
  EXPECT_EQ(strip->frames.size(), 2u);
  // Built-in names are not paths.
  EXPECT_TRUE(p.LoadPicture("incbin::IncBin/GFX/Dot.png"));
}

TEST(Files, OpenWriteFileAndMakeFolderUseTheWorkingFolder) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  EXPECT_TRUE(p.MakeFolder("made/here", true));
  EXPECT_EQ(p.FileKind(dir / "made/here"), 2);
  auto out = p.OpenWriteFile("made\\here\\w.bin");
  ASSERT_TRUE(out);
  out->WriteInt(5);
  ASSERT_TRUE(out->Close());
  EXPECT_EQ(ReadBytes(dir / "made/here/w.bin"), std::string("\x05\0\0\0", 4));
  EXPECT_FALSE(p.OpenReadFile("made/here/none"));
}

TEST(Files, WithoutAProgramFolderTheWorkingFolderStartsAtTheProcesss) {
  ScratchFolder dir;
  HeadlessOptions options = OptionsFor(dir);
  options.programFolder.clear();
  options.workingFolder.clear();
  HeadlessPlatform p(options);
  EXPECT_EQ(p.WorkingFolder(), std::filesystem::current_path().string());
}

TEST(Files, VolumesAreRealMountedFolders) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  const std::vector<Volume> volumes = p.PlatformCommon::ListVolumes();
  ASSERT_FALSE(volumes.empty());
  bool root = false;
  for (const Volume& v : volumes) {
    ASSERT_FALSE(v.devicePath.empty());
    EXPECT_EQ(v.devicePath.back(), '/') << v.devicePath;
    EXPECT_EQ(p.FileKind(v.devicePath), 2) << v.devicePath;
    EXPECT_FALSE(v.name.empty()) << v.devicePath;
    EXPECT_NE(v.devicePath.rfind("/proc", 0), 0u) << v.devicePath;
    EXPECT_NE(v.devicePath.rfind("/sys", 0), 0u) << v.devicePath;
    EXPECT_NE(v.devicePath.rfind("/dev/", 0), 0u) << v.devicePath;
    if (v.devicePath == "/") {
      root = true;
      EXPECT_EQ(v.name, "Root");
    } else {
      // The mount point's own folder name.
      const std::string folder = v.devicePath.substr(0, v.devicePath.size() - 1);
      EXPECT_EQ(v.name, folder.substr(folder.rfind('/') + 1));
    }
  }
  EXPECT_TRUE(root);
  // Headless replays see one fixed volume, whatever the machine mounts.
  const std::vector<Volume> headless = p.ListVolumes();
  ASSERT_EQ(headless.size(), 1u);
  EXPECT_EQ(headless[0].devicePath, "/");
  EXPECT_EQ(headless[0].name, "Root");
}

TEST(Paths, TextNormalisation) {
  EXPECT_EQ(ToSlashes("a\\b\\c"), "a/b/c");
  EXPECT_EQ(NormalisePathText("/a/b/../c/./d//"), "/a/c/d");
  EXPECT_EQ(NormalisePathText("/../.."), "/");
  EXPECT_EQ(NormalisePathText("a/../../b"), "../b");
  EXPECT_EQ(NormalisePathText("GFX/Level/Pictures/../Switch/x.png"), "GFX/Level/Switch/x.png");
  EXPECT_EQ(JoinPath("/a/", "b"), "/a/b");
  EXPECT_EQ(JoinPath("/a", "b"), "/a/b");
  EXPECT_EQ(JoinPath("/a", "/b"), "/b");
}

TEST(Paths, NamesFromGameDataNeverLeaveTheirFolder) {
  const struct {
    const char* name;
    bool stays;
  } cases[] = {
      {"Bullet.png", true},
      {"sub/./Bullet.png", true},
      {"..Bullet.png", true},
      {"a..b/c", true},
      {"", false},
      {"..", false},
      {"../../../../dev/zero", false},
      {"sub/../../x.png", false},
      {"sub/..", false},
      {"..\\..\\x.png", false},
      {"sub\\..\\..\\x.png", false},
      {"/dev/zero", false},
      {"\\\\server\\share\\x.png", false},
      {"C:/Windows/x.png", false},
      {"c:x.png", false},
      {"... /x.png", false},
      {"sub/.. /x.png", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NameStaysInFolder(c.name), c.stays) << c.name;
    const DataFilePath file = JoinDataName("Data/GFX/", c.name);
    EXPECT_EQ(file.shown, std::string("Data/GFX/") + c.name);
    EXPECT_EQ(file.path, c.stays ? file.shown : "") << c.name;
  }
  EXPECT_FALSE(NameStaysInFolder(std::string("a.png\0b", 7)));  // would open "a.png"
  EXPECT_EQ(JoinDataName("Data", "x.png").path, "Data/x.png");
}

// The engine reads nothing but regular files of a size a real file could have, whichever way
// it reads them; a refused file is simply not there.
TEST(Files, OnlyRegularFilesOfASaneSizeAreRead) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  const uint32_t red[4] = {0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u, 0xFFFF0000u};
  ASSERT_TRUE(WritePng(dir / "small.png", red, 2, 2));
  ASSERT_TRUE(WritePng(dir / "padded.png", red, 2, 2));
  // Sparse: a valid picture followed by zeros up to one byte beyond the limit.
  std::filesystem::resize_file(dir / "padded.png", kMaxReadFileBytes + 1);
  WriteBytes(dir / "padded.wav", std::string("RIFF\x04\0\0\0WAVE", 12));
  std::filesystem::resize_file(dir / "padded.wav", kMaxReadFileBytes + 1);
  std::filesystem::create_directories(dir / "folder.png");

  ASSERT_TRUE(p.LoadPicture(dir / "small.png"));
  for (const std::string& path :
       {dir / "padded.png", dir / "padded.wav", dir / "folder.png", std::string("/dev/null")}) {
    EXPECT_FALSE(p.OpenReadFile(path)) << path;
    EXPECT_FALSE(p.LoadPicture(path)) << path;
    EXPECT_FALSE(p.LoadPictureStrip(path, 1, 1, 0, 4)) << path;
    EXPECT_FALSE(p.LoadSoundFile(path, false)) << path;
  }
}

TEST(RandomInt, StaysWithinBothBoundsInEitherOrder) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  bool sawMin = false, sawMax = false;
  for (int i = 0; i < 2000; ++i) {
    const int v = p.RandomInt(-3, 4);
    ASSERT_GE(v, -3);
    ASSERT_LE(v, 4);
    sawMin |= v == -3;
    sawMax |= v == 4;
    const int w = p.RandomInt(10, 7);
    ASSERT_GE(w, 7);
    ASSERT_LE(w, 10);
  }
  EXPECT_TRUE(sawMin);
  EXPECT_TRUE(sawMax);
  EXPECT_EQ(p.RandomInt(5, 5), 5);
}

TEST(RandomInt, HandlesTheWholeIntRange) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  bool negative = false, positive = false;
  for (int i = 0; i < 200; ++i) {
    const int v = p.RandomInt(INT_MIN, INT_MAX);
    negative |= v < 0;
    positive |= v > 0;
    const int w = p.RandomInt(INT_MAX, INT_MIN + 1);
    EXPECT_GE(w, INT_MIN + 1);
    EXPECT_EQ(p.RandomInt(INT_MIN, INT_MIN), INT_MIN);
    EXPECT_EQ(p.RandomInt(INT_MAX, INT_MAX), INT_MAX);
    const int x = p.RandomInt(INT_MAX - 1, INT_MAX);
    EXPECT_GE(x, INT_MAX - 1);
  }
  EXPECT_TRUE(negative);
  EXPECT_TRUE(positive);
}

TEST(RandomInt, IsUniform) {
  ScratchFolder dir;
  HeadlessPlatform p(OptionsFor(dir));
  std::map<int, int> counts;
  const int draws = 60000;
  for (int i = 0; i < draws; ++i) ++counts[p.RandomInt(1, 6)];
  ASSERT_EQ(counts.size(), 6u);
  double chi = 0;
  for (const auto& [value, count] : counts) {
    const double diff = count - draws / 6.0;
    chi += diff * diff / (draws / 6.0);
  }
  EXPECT_LT(chi, 25.0);  // 5 degrees of freedom: far beyond the 0.1% tail
}

TEST(RandomInt, TheSameSeedGivesTheSameNumbersOnEveryMachine) {
  ScratchFolder dir;
  HeadlessPlatform a(OptionsFor(dir, 1));
  HeadlessPlatform b(OptionsFor(dir, 1));
  HeadlessPlatform c(OptionsFor(dir, 2));
  std::vector<int> first, second, third;
  for (int i = 0; i < 50; ++i) {
    first.push_back(a.RandomInt(1, 100));
    second.push_back(b.RandomInt(1, 100));
    third.push_back(c.RandomInt(1, 100));
  }
  EXPECT_EQ(first, second);
  EXPECT_NE(first, third);
  // Pinned: a library's own distribution would differ between standard libraries. The first
  // word of mt19937 seeded with 1 is 1791095845, and 1791095845 % 100 + 1 = 46.
  EXPECT_EQ(first[0], 46);
  HeadlessPlatform d(OptionsFor(dir, 1));
  EXPECT_EQ(d.RandomInt(INT_MIN, INT_MAX), static_cast<int>(1791095845u) + INT_MIN);
}

TEST(DateText, EnglishMonthsTwoDigitDayFourDigitYear) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 11;
  t.tm_mday = 7;
  t.tm_hour = 9;
  t.tm_min = 5;
  t.tm_sec = 3;
  EXPECT_EQ(FormatDate(t), "07 Dec 2026");
  EXPECT_EQ(FormatTime(t), "09:05:03");
  const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  for (int m = 0; m < 12; ++m) {
    t.tm_mon = m;
    t.tm_mday = 28;
    EXPECT_EQ(FormatDate(t), std::string("28 ") + months[m] + " 2026");
  }
  t.tm_year = 5 - 1900;
  t.tm_mon = 0;
  t.tm_mday = 1;
  EXPECT_EQ(FormatDate(t), "01 Jan 0005");
}

TEST(DateText, MonthNamesStayEnglishWhateverTheLocale) {
  std::tm t{};
  t.tm_year = 2026 - 1900;
  t.tm_mon = 4;  // "Mai" in German, "mai" in French
  t.tm_mday = 1;
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  int tried = 0;
  for (const char* name : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8", "fr_FR", "C"}) {
    if (std::setlocale(LC_ALL, name) == nullptr) continue;
    ++tried;
    EXPECT_EQ(FormatDate(t), "01 May 2026") << name;
  }
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_GE(tried, 1);
}

}  // namespace
}  // namespace hopwerk
