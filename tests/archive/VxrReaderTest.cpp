#include <gtest/gtest.h>

#include <algorithm>

#include "ArchiveTestSupport.h"
#include "archive/Vxr.h"

namespace hopwerk::test {
namespace {

class VxrReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { path = dir.File("Test.vxr"); }
  void Make(const std::vector<VxrWriteEntry>& entries) {
    ASSERT_TRUE(WriteVxrArchive(path, entries));
  }
  VXRStreamPtr Open(const std::string& entry, const std::string& pass = "", int endian = 0) {
    return VXR_Open(m.vxr, path, entry, pass, endian);
  }
  std::vector<std::string>& Traces() { return m.host.traces; }

  TempDir dir;
  std::string path;
  QuietModule m;
};

TEST_F(VxrReaderTest, FifthMagicByteMustBe1A) {
  std::vector<uint8_t> bytes = BuildVxrArchive({{"A", Bytes("x"), 0}});
  bytes[4] = 0x1B;
  WriteBytes(path, bytes);
  VXR_ReadDir(m.vxr, path);
  const std::string error = "VXR_ReadDir(\"" + path + "\"): Requested file is not a VXR file!";
  ASSERT_FALSE(Traces().empty());
  EXPECT_EQ(Traces().back(), "VXR_Error: " + error);
  EXPECT_FALSE(m.vxr.DirStream);  // no listing left open on a file that is not an archive
  Traces().clear();
  EXPECT_EQ(Open("A"), nullptr);
  const std::vector<std::string> expected = {
      "VXR_Error: " + error, "VXR_NextFile$(): Directory not open",
      "VXR_CLoseDir(): Directory Not Open",
      "VXR_Error: VXR_Open(\"" + path + "\",\"A\"): Entry not found"};
  EXPECT_EQ(Traces(), expected);
}

TEST_F(VxrReaderTest, NamesMatchIgnoringAsciiCaseOnly) {
  Make({{"LEV1/General", Bytes("g"), 0}, {"caf\xE9", Bytes("c"), 0}});
  auto s = Open("lev1/general");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 'g');
  EXPECT_EQ(m.vxr.EntryName, "LEV1/General");
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "LEV1\\General"), 0);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "CAF\xE9"), 1);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "CAF\xC9"), 0);  // only a-z are folded
}

TEST_F(VxrReaderTest, FirstOfDuplicateNamesWinsAndBecomesCurrent) {
  Make({{"Other", Bytes("o"), 2}, {"Dup", Bytes("1"), 0}, {"DUP", Bytes("2"), 1}});
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "dup"), 1);
  EXPECT_EQ(m.vxr.EntryName, "Dup");
  EXPECT_EQ(m.vxr.EntryMeth, 0);
  EXPECT_EQ(m.vxr.EntrySize, 1);
  EXPECT_EQ(m.vxr.EntryOffset, 14);
  auto s = Open("DUP");
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), '1');
}

TEST_F(VxrReaderTest, EmptyArchiveListsNothing) {
  Make({});
  VXR_ReadDir(m.vxr, path);
  ASSERT_TRUE(m.vxr.DirStream);
  EXPECT_EQ(VXR_NextFile(m.vxr), "");
  VXR_CloseDir(m.vxr);
  EXPECT_TRUE(Traces().empty());
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "A"), 0);
}

TEST_F(VxrReaderTest, ListingReadsRecordsInOrderWithDetailedTrace) {
  Make({{"B", Bytes("bb"), 1}, {"A", Bytes("a"), 0}});
  m.vxr.VXRTrace = true;
  VXR_ReadDir(m.vxr, path);
  EXPECT_EQ(VXR_NextFile(m.vxr), "B");
  EXPECT_EQ(m.vxr.EntryMeth, 1);
  EXPECT_EQ(VXR_NextFile(m.vxr), "A");
  EXPECT_EQ(m.vxr.EntryOffset, 15);
  EXPECT_EQ(VXR_NextFile(m.vxr), "");
  VXR_ReadDir(m.vxr, path);  // a second listing closes the first
  VXR_CloseDir(m.vxr);
  VXR_CloseDir(m.vxr);
  const std::vector<std::string> expected = {
      "VXR: ReadDir:   " + path,
      "VXR: Files:     2",
      "VXR: Offset:    16",
      "VXR: VXR_NextFile: File = B",
      "VXR: VXR_NextFile: Meth = 1",
      "VXR: VXR_NextFile: Size = 2",
      "VXR: VXR_NextFile: Offs = 13",
      "VXR: VXR_NextFile: File = A",
      "VXR: VXR_NextFile: Meth = 0",
      "VXR: VXR_NextFile: Size = 1",
      "VXR: VXR_NextFile: Offs = 15",
      "VXR_ReadDir(\"" + path + "\"): Closing old VXR_ReadDir session",
      "VXR: ReadDir:   " + path,
      "VXR: Files:     2",
      "VXR: Offset:    16",
      "VXR_CLoseDir(): Directory Not Open"};
  EXPECT_EQ(Traces(), expected);
}

TEST_F(VxrReaderTest, IndexedSearchTracesAsAFullListingWould) {
  Make({{"B", Bytes("bb"), 1}, {"A", Bytes("a"), 0}, {"C", Bytes("c"), 0}});
  m.vxr.VXRTrace = true;
  VXR_ReadDir(m.vxr, path);  // a caller's listing is closed by the search, with the same line
  Traces().clear();
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "a"), 1);
  const std::vector<std::string> expected = {
      "VXR_ReadDir(\"" + path + "\"): Closing old VXR_ReadDir session",
      "VXR: ReadDir:   " + path,
      "VXR: Files:     3",
      "VXR: Offset:    17",
      "VXR: VXR_NextFile: File = B",
      "VXR: VXR_NextFile: Meth = 1",
      "VXR: VXR_NextFile: Size = 2",
      "VXR: VXR_NextFile: Offs = 13",
      "VXR: VXR_NextFile: File = A",
      "VXR: VXR_NextFile: Meth = 0",
      "VXR: VXR_NextFile: Size = 1",
      "VXR: VXR_NextFile: Offs = 15"};
  EXPECT_EQ(Traces(), expected);
  EXPECT_FALSE(m.vxr.DirStream);
  // A failed search leaves the last record current.
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "Z"), 0);
  EXPECT_EQ(m.vxr.EntryName, "C");
}

TEST_F(VxrReaderTest, MissingArchiveTracesEveryTimeAndIsProbedAgain) {
  const std::vector<std::string> expected = {
      "VXR_ReadDir(\"" + path + "\"): Couldn't open file | pwd = /the/folder",
      "VXR_NextFile$(): Directory not open", "VXR_CLoseDir(): Directory Not Open",
      "VXR_Error: VXR_Open(\"" + path + "\",\"A\"): Entry not found"};
  EXPECT_EQ(Open("A"), nullptr);
  EXPECT_EQ(Traces(), expected);
  Traces().clear();
  EXPECT_EQ(Open("A"), nullptr);
  EXPECT_EQ(Traces(), expected);
  Make({{"A", Bytes("a"), 0}});
  Traces().clear();
  auto s = Open("A");
  ASSERT_NE(s, nullptr);
  EXPECT_TRUE(Traces().empty());
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 'a');
  // Gone again: missing again, while the open stream keeps reading its own file.
  std::filesystem::remove(path);
  Traces().clear();
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "A"), 0);
  EXPECT_EQ(Traces().size(), 3u);
  EXPECT_EQ(Traces()[0], expected[0]);
}

TEST_F(VxrReaderTest, ChangedArchiveIsIndexedAgain) {
  // The folder named without links, so that the archive is watched for changes where it can be.
  path = (std::filesystem::canonical(dir.Path()) / "Test.vxr").string();
  Make({{"A", Bytes("a"), 0}});
  auto old = Open("A");
  Make({{"Bigger", Bytes("new contents"), 0}, {"A", Bytes("z"), 0}});
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "Bigger"), 1);
  auto s = Open("A");
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 'z');
  EXPECT_EQ(VXR_Read(m.vxr, old.get()), 'a');  // the old stream still reads the old file
  // Rewritten in place with the same size and its modification time put back: still a new
  // version, whose directory is read again.
  const auto modified = std::filesystem::last_write_time(path);
  std::vector<uint8_t> bytes = ReadBytes(path);
  std::replace(bytes.begin(), bytes.end(), 'B', 'C');
  {
    std::fstream f(path, std::ios::in | std::ios::out | std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  }
  std::filesystem::last_write_time(path, modified);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "Cigger"), 1);
#ifdef __linux__
  EXPECT_TRUE(m.vxr.indexes.at(path)->watches.Watched());  // told, not stat-checked
#endif
  // Moved away, then put back; removed.
  const std::string away = dir.File("Away.vxr");
  std::filesystem::rename(path, away);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "Cigger"), 0);
  std::filesystem::rename(away, path);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "Cigger"), 1);
  std::filesystem::remove(path);
  Traces().clear();
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "Cigger"), 0);
  ASSERT_FALSE(Traces().empty());
  EXPECT_NE(Traces()[0].find("Couldn't open file"), std::string::npos);
  EXPECT_TRUE(m.vxr.indexes.empty());
}

TEST_F(VxrReaderTest, ReadIntByteOrders) {
  std::vector<uint8_t> data = {1,    0,    0,    0,    1, 0, 0, 0, 1, 0, 0, 0,
                               0xFF, 0xFF, 0xFF, 0xFF, 1, 2, 3, 4, 9, 9, 9, 9};
  Make({{"I", data, 0}});
  auto s = Open("I");
  EXPECT_EQ(VXR_ReadInt(m.vxr, s.get(), -1), 1);
  EXPECT_EQ(VXR_ReadInt(m.vxr, s.get(), 1), 16777216);
  EXPECT_EQ(VXR_ReadInt(m.vxr, s.get(), 2), 1);
  EXPECT_EQ(VXR_ReadInt(m.vxr, s.get(), 0), -1);
  EXPECT_EQ(VXR_ReadInt(m.vxr, s.get(), 7), 0);
  EXPECT_EQ(Traces().back(), "VXR_Error: VXR_ReadInt(VXRStream,7): Unknown Endian Code");
  EXPECT_EQ(s->Pos, 20);  // the four bytes are consumed all the same
  auto big = Open("I", "", 1);
  EXPECT_EQ(VXR_ReadInt(m.vxr, big.get()), 16777216);
}

TEST_F(VxrReaderTest, LengthPrefixedStrings) {
  Make({{"S", {3, 'a', 'b', 'c', 0, 2, 0xE9, 'x'}, 0}});
  auto s = Open("S");
  EXPECT_EQ(VXR_ReadString(m.vxr, s.get()), "abc");
  EXPECT_EQ(VXR_ReadString(m.vxr, s.get()), "");
  EXPECT_EQ(VXR_ReadString(m.vxr, s.get()), "\xE9x");
  EXPECT_EQ(VXR_EOF(m.vxr, s.get()), 1);
}

TEST_F(VxrReaderTest, LinesAndTheirEnds) {
  Make({{"L1", Bytes("ab\r\ncd"), 0},
        {"L2", Bytes("ab\n"), 0},
        {"L3", Bytes("a\r\rb\n\rc\n\nd"), 0},
        {"L4", Bytes("x\n\ny"), 0}});
  auto s = Open("L1");
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "ab");
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "cd");
  EXPECT_EQ(VXR_EOF(m.vxr, s.get()), 1);
  s = Open("L2");
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "ab");
  EXPECT_EQ(VXR_EOF(m.vxr, s.get()), 1);
  s = Open("L3");
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "a");  // CR CR is one line end
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "b");  // LF CR too
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "c");  // LF LF too
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "d");
  s = Open("L4");
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "x");
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "y");
  EXPECT_TRUE(Traces().empty());
}

TEST_F(VxrReaderTest, SeekBoundsAndNegativePositions) {
  Make({{"E", Bytes("0123"), 0}});
  auto s = Open("E");
  VXR_Seek(m.vxr, s.get(), 4);
  EXPECT_EQ(Traces().back(), "VXR_Error: VXR_Seek(VXRStream,4): Offset value too high!");
  VXR_Seek(m.vxr, s.get(), 3);
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), '3');
  EXPECT_EQ(VXR_EOF(m.vxr, s.get()), 1);
  VXR_Seek(m.vxr, s.get(), -1);
  EXPECT_EQ(Traces().back(), "VXR_Error: VXR_Seek(VXRStream,-1): Offset value too low!");
  EXPECT_EQ(s->Pos, 4);  // a refused seek changes nothing
  VXR_Seek(m.vxr, s.get(), 1);
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), '1');
}

TEST_F(VxrReaderTest, Method2WithTwoCharacterPasswordIncludingSeek) {
  const std::vector<uint8_t> plain = Bytes("HELLO");
  Make({{"X", ScrambleVxrBytes(plain, 2, "k7"), 2}});
  const auto stored = ScrambleVxrBytes(plain, 2, "k7");
  EXPECT_EQ(stored[0], 'H' ^ 'k');
  EXPECT_EQ(stored[1], 'E' ^ '7');
  EXPECT_EQ(stored[2], 'L' ^ 'k');
  auto s = Open("X", "k7");
  EXPECT_EQ(VXR_ReadString(m.vxr, s.get(), 5), "HELLO");
  VXR_Seek(m.vxr, s.get(), 1);
  EXPECT_EQ(s->Key, 1);
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 'E');
  VXR_Seek(m.vxr, s.get(), 4);
  EXPECT_EQ(s->Key, 0);
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 'O');
}

TEST_F(VxrReaderTest, Method1SubtractsWithWrapAndEmptyPasswordReadsStoredBytes) {
  const std::vector<uint8_t> plain = {0, 1, 0xFF, 'A', 'B'};
  const auto stored = ScrambleVxrBytes(plain, 1, "\xF0z");
  Make({{"M1", stored, 1}});
  auto s = Open("M1", "\xF0z");
  for (uint8_t b : plain) EXPECT_EQ(VXR_Read(m.vxr, s.get()), b);
  VXR_Seek(m.vxr, s.get(), 3);
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 'A');
  EXPECT_EQ(s->Key, 0);
  auto raw = Open("M1");
  for (uint8_t b : stored) EXPECT_EQ(VXR_Read(m.vxr, raw.get()), b);
  // The module-wide default password stands in for an empty one.
  m.vxr.VXRDefaultPass = "\xF0z";
  auto byDefault = Open("M1");
  EXPECT_EQ(VXR_Read(m.vxr, byDefault.get()), 0);
}

TEST_F(VxrReaderTest, MethodAbove2IsRefused) {
  Make({{"Three", Bytes("x"), 3}});
  EXPECT_EQ(Open("three"), nullptr);
  EXPECT_EQ(Traces().back(),
            "VXR_Error: VXR_Open(\"" + path + "\",\"three\"): Unknown storage method");
}

TEST_F(VxrReaderTest, StreamKeepsItsOwnMethodWhenOthersAreOpenedOrListed) {
  Make({{"Xor", ScrambleVxrBytes(Bytes("secret"), 2, "pw"), 2},
        {"Sub", ScrambleVxrBytes(Bytes("other"), 1, "pw"), 1},
        {"Plain", Bytes("plain"), 0}});
  auto a = Open("Xor", "pw");
  EXPECT_EQ(VXR_Read(m.vxr, a.get()), 's');
  auto b = Open("Sub", "pw");
  EXPECT_EQ(VXR_Read(m.vxr, a.get()), 'e');
  auto c = Open("Plain", "pw");
  VXR_ReadDir(m.vxr, path);
  while (!VXR_NextFile(m.vxr).empty()) {
  }
  VXR_CloseDir(m.vxr);
  EXPECT_EQ(m.vxr.EntryMeth, 0);
  EXPECT_EQ(VXR_ReadString(m.vxr, a.get(), 4), "cret");
  EXPECT_EQ(VXR_ReadString(m.vxr, b.get(), 5), "other");
  EXPECT_EQ(VXR_ReadString(m.vxr, c.get(), 5), "plain");
}

TEST_F(VxrReaderTest, ManyStreamsAtOnceOverLargeEntries) {
  std::vector<VxrWriteEntry> entries;
  for (int e = 0; e < 4; ++e) {
    std::vector<uint8_t> data(200000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<uint8_t>(i * 7 + e);
    entries.push_back({"E" + std::to_string(e), data, 0});
  }
  Make(entries);
  std::vector<VXRStreamPtr> streams;
  for (int e = 0; e < 4; ++e) streams.push_back(Open("E" + std::to_string(e)));
  bool allMatch = true;
  for (size_t i = 0; i < 200000; ++i) {
    for (int e = 0; e < 4; ++e) {
      allMatch &= VXR_Read(m.vxr, streams[static_cast<size_t>(e)].get()) ==
                  static_cast<uint8_t>(i * 7 + static_cast<size_t>(e));
    }
  }
  EXPECT_TRUE(allMatch);
  for (auto& s : streams) EXPECT_EQ(VXR_EOF(m.vxr, s.get()), 1);
}

TEST_F(VxrReaderTest, ReadingPastTheEntryRunsIntoTheArchiveThenZeros) {
  Make({{"A", Bytes("ab"), 0}, {"B", Bytes("cd"), 0}});
  auto s = Open("A");
  EXPECT_EQ(VXR_ReadString(m.vxr, s.get(), 2), "ab");
  EXPECT_EQ(VXR_EOF(m.vxr, s.get()), 1);
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 'c');  // the following bytes of the archive
  EXPECT_EQ(s->Pos, 3);
  const auto size = static_cast<int>(std::filesystem::file_size(path));
  for (int i = 0; i < size + 100; ++i) VXR_Read(m.vxr, s.get());
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 0);  // past the file's end: zeros, nothing else
  EXPECT_TRUE(Traces().empty());
}

TEST_F(VxrReaderTest, ClosedAndNullStreamsRaiseErrors) {
  Make({{"A", Bytes("ab\ncd"), 0}});
  auto s = Open("A");
  VXR_Close(m.vxr, s.get());
  VXR_Close(m.vxr, s.get());  // closing twice is harmless
  EXPECT_EQ(s->Size, 5);      // a closed stream keeps its fields
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 0);
  EXPECT_EQ(Traces().back(), "VXR_Error: VXR_Read(VXRStream): File not open");
  EXPECT_EQ(VXR_ReadInt(m.vxr, s.get()), 0);
  EXPECT_EQ(Traces().back(), "VXR_Error: VXR_ReadInt(VXRStream): File not open");
  EXPECT_EQ(VXR_EOF(m.vxr, nullptr), 0);
  EXPECT_EQ(Traces().back(), "VXR_Error: VXR_EOF(VXRStream): File not open");
  VXR_Seek(m.vxr, s.get(), 2);
  EXPECT_EQ(Traces().back(), "VXR_Error: VXR_Seek(VXRStream,2): File Not open");
  Traces().clear();
  EXPECT_EQ(VXR_ReadLine(m.vxr, s.get()), "");  // one error, no endless loop
  EXPECT_EQ(VXR_ReadString(m.vxr, s.get(), 0), "");
  const std::vector<std::string> expected(2, "VXR_Error: VXR_Read(VXRStream): File not open");
  EXPECT_EQ(Traces(), expected);
}

TEST_F(VxrReaderTest, HostShowsTheNoticeThenEndsTheProgram) {
  m.vxr.VXRShowErrors = true;
  m.vxr.VXREndOnError = true;
  Make({{"A", Bytes("a"), 0}});
  EXPECT_THROW(Open("Nope"), EndOnErrorCalled);
  const std::string message = "VXR_Open(\"" + path + "\",\"Nope\"): Entry not found";
  EXPECT_EQ(Traces().back(), "VXR_Error: " + message);
  ASSERT_EQ(m.host.notices.size(), 1u);
  EXPECT_EQ(m.host.notices[0], "VXR Error:\n" + message);
  // Shown but not ending: the failure value comes back.
  m.vxr.VXREndOnError = false;
  EXPECT_EQ(Open("Nope"), nullptr);
  EXPECT_EQ(m.host.notices.size(), 2u);
  // Neither: only the trace line.
  m.vxr.VXRShowErrors = false;
  EXPECT_EQ(Open("Nope"), nullptr);
  EXPECT_EQ(m.host.notices.size(), 2u);
}

}  // namespace
}  // namespace hopwerk::test
