// Damaged and hostile archives: nothing may crash, hang, read outside the file or allocate
// what the header merely claims.
#include <gtest/gtest.h>

#include "ArchiveTestSupport.h"
#include "archive/Vxr.h"

namespace hopwerk::test {
namespace {

class VxrHostileTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string path = dir.File("Bad.vxr");
  QuietModule m;
};

TEST_F(VxrHostileTest, HugeFileCountStopsAtTheFileEnd) {
  std::vector<uint8_t> bytes = Header(0x7FFFFFFF, 15);
  bytes.push_back('h');
  bytes.push_back('i');
  PutRecord(bytes, "A", 0, 2, 13);
  WriteBytes(path, bytes);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "A"), 1);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "B"), 0);
  auto s = VXR_Open(m.vxr, path, "a");
  EXPECT_EQ(VXR_ReadString(m.vxr, s.get(), 2), "hi");
  // The explicit listing reads zeros past the end: an empty name ends any caller's loop.
  VXR_ReadDir(m.vxr, path);
  EXPECT_EQ(VXR_NextFile(m.vxr), "A");
  EXPECT_EQ(VXR_NextFile(m.vxr), "");
  VXR_CloseDir(m.vxr);
}

TEST_F(VxrHostileTest, NegativeCountAndDirectoryOutsideTheFile) {
  std::vector<uint8_t> bytes = Header(-5, 13);
  PutRecord(bytes, "A", 0, 0, 13);
  WriteBytes(path, bytes);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "A"), 0);
  VXR_ReadDir(m.vxr, path);
  EXPECT_EQ(VXR_NextFile(m.vxr), "");
  VXR_CloseDir(m.vxr);
  for (int32_t offset : {-100, 1 << 30, 0x7FFFFFFF}) {
    bytes = Header(3, offset);
    PutRecord(bytes, "A", 0, 0, 13);
    WriteBytes(path, bytes);
    m.vxr.indexes.clear();  // same size and maybe the same time stamp: force a fresh look
    EXPECT_EQ(VXR_HasEntry(m.vxr, path, "A"), 0) << offset;
    VXR_ReadDir(m.vxr, path);
    EXPECT_EQ(VXR_NextFile(m.vxr), "");
    VXR_CloseDir(m.vxr);
  }
}

TEST_F(VxrHostileTest, NameRunningOffTheEndIsNotIndexed) {
  std::vector<uint8_t> bytes = Header(2, 13);
  PutRecord(bytes, "Good", 0, 0, 13);
  bytes.push_back(200);  // a name of 200 bytes in a file that ends here
  bytes.push_back('B');
  WriteBytes(path, bytes);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "good"), 1);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "B"), 0);
}

TEST_F(VxrHostileTest, ShortFilesAreNotArchives) {
  for (const std::vector<uint8_t>& bytes :
       {std::vector<uint8_t>{}, std::vector<uint8_t>{'V', 'X', 'R'}}) {
    WriteBytes(path, bytes);
    m.vxr.indexes.clear();
    m.host.traces.clear();
    EXPECT_EQ(VXR_HasEntry(m.vxr, path, "A"), 0);
    ASSERT_FALSE(m.host.traces.empty());
    EXPECT_EQ(m.host.traces.front(),
              "VXR_Error: VXR_ReadDir(\"" + path + "\"): Requested file is not a VXR file!");
  }
  // The magic but a cut header: the missing bytes count as zeros, so no records.
  WriteBytes(path, {'V', 'X', 'R', '4', 0x1A, 1, 0});
  m.vxr.indexes.clear();
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "A"), 0);
}

TEST_F(VxrHostileTest, EmptyNameEndsTheSearch) {
  std::vector<uint8_t> bytes = Header(3, 13);
  PutRecord(bytes, "A", 0, 0, 13);
  PutRecord(bytes, "", 1, 7, 9);
  PutRecord(bytes, "B", 0, 0, 13);
  WriteBytes(path, bytes);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "B"), 0);
  EXPECT_EQ(m.vxr.EntryName, "");  // the search ended on the empty record
  EXPECT_EQ(m.vxr.EntrySize, 7);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, ""), 0);
  EXPECT_EQ(VXR_HasEntry(m.vxr, path, "a"), 1);
}

TEST_F(VxrHostileTest, EntryBoundsOutsideTheFileReadAsZeros) {
  std::vector<uint8_t> bytes = Header(4, 13);
  PutRecord(bytes, "Neg", 0, 10, -50);
  PutRecord(bytes, "Far", 0, 10, 0x7FFFFFF0);
  PutRecord(bytes, "Huge", 0, 0x7FFFFFFF, 13);
  PutRecord(bytes, "NegSize", 0, -4, 13);
  WriteBytes(path, bytes);
  auto neg = VXR_Open(m.vxr, path, "Neg");
  ASSERT_NE(neg, nullptr);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(VXR_Read(m.vxr, neg.get()), 0);
  auto far = VXR_Open(m.vxr, path, "Far");
  EXPECT_EQ(VXR_ReadInt(m.vxr, far.get()), 0);
  EXPECT_EQ(VXR_ReadString(m.vxr, far.get(), 0), "");
  auto huge = VXR_Open(m.vxr, path, "Huge");
  // A line that never ends within the file stops at the file's end.
  const std::string line = VXR_ReadLine(m.vxr, huge.get());
  EXPECT_LE(line.size(), bytes.size());
  VXR_Seek(m.vxr, huge.get(), 0x7FFFFFFE);
  EXPECT_EQ(VXR_Read(m.vxr, huge.get()), 0);
  EXPECT_EQ(VXR_Read(m.vxr, huge.get()), 0);  // Pos saturates instead of overflowing
  EXPECT_EQ(huge->Pos, 0x7FFFFFFF);
  auto negSize = VXR_Open(m.vxr, path, "NegSize");
  EXPECT_EQ(VXR_EOF(m.vxr, negSize.get()), 1);
  m.host.traces.clear();
  VXR_Seek(m.vxr, negSize.get(), 0);
  EXPECT_EQ(m.host.traces.back(), "VXR_Error: VXR_Seek(VXRStream,0): Offset value too high!");
}

// A text loader reads lines until the end test says the entry is over. Over bytes the file does
// not hold, that loop must still end after a few lines, whatever Size claims.
TEST_F(VxrHostileTest, LineLoopOverAnEntryRunningPastTheFileEndEndsAtOnce) {
  std::vector<uint8_t> bytes = Header(1, 17);
  for (char c : std::string("ab\nc")) bytes.push_back(static_cast<uint8_t>(c));
  PutRecord(bytes, "Text", 0, 0x7FFFFFFF, 13);
  WriteBytes(path, bytes);
  auto s = VXR_Open(m.vxr, path, "Text");
  ASSERT_NE(s, nullptr);
  std::vector<std::string> lines;
  while (!VXR_EOF(m.vxr, s.get()) && lines.size() < 1000)
    lines.push_back(VXR_ReadLine(m.vxr, s.get()));
  EXPECT_EQ(VXR_EOF(m.vxr, s.get()), 1);
  ASSERT_LT(lines.size(), 10u);
  EXPECT_EQ(lines[0], "ab");
  for (const std::string& line : lines) EXPECT_LE(line.size(), bytes.size());
  EXPECT_TRUE(m.host.traces.empty());
}

TEST_F(VxrHostileTest, LineOverAnEntryStartingBeforeTheFileSkipsTheMissingBytes) {
  std::vector<uint8_t> bytes = Header(1, 16);
  for (char c : std::string("x\ny")) bytes.push_back(static_cast<uint8_t>(c));
  PutRecord(bytes, "Text", 0, 100013 + 16 + 15, -100000);
  WriteBytes(path, bytes);
  auto s = VXR_Open(m.vxr, path, "Text");
  ASSERT_NE(s, nullptr);
  const std::string first = VXR_ReadLine(m.vxr, s.get());
  ASSERT_EQ(first.size(), 14u);  // the header up to the line end, without 100000 made-up zeros
  EXPECT_EQ(first, std::string("VXR4\x1A\x01\0\0\0\x10\0\0\0x", 14));
  EXPECT_EQ(s->Pos, 100000 + 15);
  // The rest of the file holds no line end: the line runs to the file's end, and so does the
  // entry.
  const std::string second = VXR_ReadLine(m.vxr, s.get());
  EXPECT_EQ(second.size(), bytes.size() - 15);
  EXPECT_EQ(second.substr(0, 6), "y\x04Text");
  EXPECT_EQ(VXR_EOF(m.vxr, s.get()), 1);
  // A seek into the missing part and a plain read still give zeros there.
  VXR_Seek(m.vxr, s.get(), 5);
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 0);
}

TEST_F(VxrHostileTest, FileShrinkingUnderAnOpenStreamIsSafe) {
  std::vector<uint8_t> data(300000, 'q');
  ASSERT_TRUE(WriteVxrArchive(path, {{"Big", data, 0}}));
  auto s = VXR_Open(m.vxr, path, "Big");
  EXPECT_EQ(VXR_Read(m.vxr, s.get()), 'q');
  std::filesystem::resize_file(path, 100);
  int nonZero = 0;
  for (int i = 0; i < 200000; ++i) nonZero += VXR_Read(m.vxr, s.get()) != 0;
  EXPECT_LE(nonZero, 65536);  // what was buffered, then zeros
}

TEST_F(VxrHostileTest, DirectoryPathIsAMissingArchive) {
  EXPECT_EQ(VXR_HasEntry(m.vxr, dir.Path().string(), "A"), 0);
  EXPECT_EQ(m.host.traces.front(),
            "VXR_ReadDir(\"" + dir.Path().string() + "\"): Couldn't open file | pwd = /the/folder");
}

}  // namespace
}  // namespace hopwerk::test
