#include "files/ByteStream.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <climits>
#include <filesystem>
#include <stdexcept>

#include "platform/ScratchFolder.h"

namespace hopwerk {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

std::unique_ptr<ByteStream> OpenRead(const std::string& path) {
  return ByteStream::Open(path, ByteStream::Mode::Read);
}
std::unique_ptr<ByteStream> OpenWrite(const std::string& path) {
  return ByteStream::Open(path, ByteStream::Mode::Write);
}

// Names in a folder other than the ones given: leftovers such as temporary files.
std::vector<std::string> Leftovers(const std::string& folder, const std::string& keep) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename().string();
    if (name != keep) names.push_back(name);
  }
  return names;
}

TEST(ByteStream, LinesEndAtLineFeedZeroByteOrEndAndDropCarriageReturns) {
  ScratchFolder dir;
  WriteBytes(dir / "t.txt", std::string("one\r\ntwo\nthr\0ee\na\rb\n\nlast", 25));
  auto in = OpenRead(dir / "t.txt");
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadLine(), "one");
  EXPECT_EQ(in->ReadLine(), "two");
  EXPECT_EQ(in->ReadLine(), "thr");
  EXPECT_EQ(in->ReadLine(), "ee");
  EXPECT_EQ(in->ReadLine(), "ab");
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_FALSE(in->Eof());
  EXPECT_EQ(in->ReadLine(), "last");  // no line break at the end
  EXPECT_TRUE(in->Eof());
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_TRUE(in->Eof());
}

TEST(ByteStream, LoneCarriageReturnsDoNotEndALine) {
  ScratchFolder dir;
  WriteBytes(dir / "t.txt", "a\r\r\rb\r");
  auto in = OpenRead(dir / "t.txt");
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadLine(), "ab");
  EXPECT_TRUE(in->Eof());
}

TEST(ByteStream, WriteLineEndsWithCarriageReturnLineFeed) {
  ScratchFolder dir;
  auto out = OpenWrite(dir / "w.txt");
  ASSERT_TRUE(out);
  out->WriteLine("abc");
  out->WriteLine("");
  out->WriteString(std::string("\xff\x00z", 3));
  out->WriteByte(0x141);  // only the low 8 bits
  ASSERT_TRUE(out->Close());
  EXPECT_EQ(ReadBytes(dir / "w.txt"), std::string("abc\r\n\r\n\xff\x00z\x41", 11));
  auto in = OpenRead(dir / "w.txt");
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadLine(), "abc");
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_EQ(in->ReadString(4), std::string("\xff\x00z\x41", 4));
}

TEST(ByteStream, IntegersAreLittleEndian32Bit) {
  ScratchFolder dir;
  auto out = OpenWrite(dir / "i.bin");
  ASSERT_TRUE(out);
  out->WriteInt(0x12345678);
  out->WriteInt(-2);
  out->WriteInt(INT_MIN);
  out->WriteInt(INT_MAX);
  EXPECT_EQ(out->Position(), 16);
  ASSERT_TRUE(out->Close());
  EXPECT_EQ(ReadBytes(dir / "i.bin").substr(0, 8),
            std::string("\x78\x56\x34\x12\xfe\xff\xff\xff", 8));
  auto in = OpenRead(dir / "i.bin");
  ASSERT_TRUE(in);
  EXPECT_EQ(in->Size(), 16);
  EXPECT_EQ(in->ReadInt(), 0x12345678);
  EXPECT_EQ(in->ReadInt(), -2);
  EXPECT_EQ(in->ReadInt(), INT_MIN);
  EXPECT_EQ(in->ReadInt(), INT_MAX);
  EXPECT_TRUE(in->Eof());
}

TEST(ByteStream, ReadingPastTheEndGivesZerosAndEof) {
  ScratchFolder dir;
  WriteBytes(dir / "s.bin", "\x01\x02");
  auto in = OpenRead(dir / "s.bin");
  ASSERT_TRUE(in);
  EXPECT_FALSE(in->Eof());
  // A truncated integer: the missing high bytes read as zero.
  EXPECT_EQ(in->ReadInt(), 0x0201);
  EXPECT_TRUE(in->Eof());
  EXPECT_EQ(in->Position(), 2);
  EXPECT_EQ(in->ReadByte(), 0);
  EXPECT_EQ(in->ReadInt(), 0);
  EXPECT_EQ(in->ReadString(10), "");
  EXPECT_EQ(in->ReadLine(), "");
  EXPECT_EQ(in->Position(), 2);
  EXPECT_TRUE(in->Eof());
}

TEST(ByteStream, HostileStringLengthsReadOnlyWhatIsThere) {
  ScratchFolder dir;
  WriteBytes(dir / "s.bin", "hello");
  auto in = OpenRead(dir / "s.bin");
  ASSERT_TRUE(in);
  EXPECT_EQ(in->ReadString(-5), "");
  EXPECT_EQ(in->ReadString(0), "");
  EXPECT_EQ(in->ReadString(INT_MAX), "hello");
  EXPECT_TRUE(in->Eof());
}

TEST(ByteStream, EmptyFileIsAtItsEndAtOnce) {
  ScratchFolder dir;
  WriteBytes(dir / "e.bin", "");
  auto in = OpenRead(dir / "e.bin");
  ASSERT_TRUE(in);
  EXPECT_TRUE(in->Eof());
  EXPECT_EQ(in->Size(), 0);
  EXPECT_EQ(in->ReadLine(), "");
}

TEST(ByteStream, SeekIsClampedToTheFile) {
  ScratchFolder dir;
  WriteBytes(dir / "s.bin", "abcdef");
  auto in = OpenRead(dir / "s.bin");
  ASSERT_TRUE(in);
  in->Seek(3);
  EXPECT_EQ(in->Position(), 3);
  EXPECT_EQ(in->ReadByte(), 'd');
  in->Seek(100);
  EXPECT_EQ(in->Position(), 6);
  EXPECT_TRUE(in->Eof());
  in->Seek(-4);
  EXPECT_EQ(in->Position(), 0);
  EXPECT_EQ(in->ReadByte(), 'a');
}

TEST(ByteStream, OnlyPlainFilesOpenForReading) {
  ScratchFolder dir;
  EXPECT_FALSE(OpenRead(dir / "missing"));
  EXPECT_FALSE(OpenRead(dir.Path()));
  EXPECT_FALSE(OpenRead(""));
  // A FIFO would block an ordinary open until a writer came along.
  ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
  EXPECT_FALSE(OpenRead(dir / "fifo"));
}

TEST(ByteStream, WritingCannotStartWhereNoFileCanBe) {
  ScratchFolder dir;
  EXPECT_FALSE(OpenWrite(dir / "no/such/folder/f.txt"));
  EXPECT_FALSE(OpenWrite(dir.Path()));        // a folder
  EXPECT_FALSE(OpenWrite(dir.Path() + "/"));  // a folder name
  EXPECT_TRUE(Leftovers(dir.Path(), "").empty());
}

TEST(ByteStream, WritesReplaceTheOldFileOnlyOnClose) {
  ScratchFolder dir;
  WriteBytes(dir / "save", "old contents");
  auto out = OpenWrite(dir / "save");
  ASSERT_TRUE(out);
  out->WriteLine("new");
  // Until Close the old file is whole and the new bytes sit in a temporary file beside it.
  EXPECT_EQ(ReadBytes(dir / "save"), "old contents");
  EXPECT_EQ(Leftovers(dir.Path(), "save").size(), 1u);
  ASSERT_TRUE(out->Close());
  EXPECT_EQ(ReadBytes(dir / "save"), "new\r\n");
  EXPECT_TRUE(Leftovers(dir.Path(), "save").empty());
  EXPECT_TRUE(out->Close());  // a second Close changes nothing
  out->WriteLine("late");     // and writing after it is ignored
  EXPECT_EQ(ReadBytes(dir / "save"), "new\r\n");
}

TEST(ByteStream, AnUnclosedWriteStreamStillCommits) {
  ScratchFolder dir;
  WriteBytes(dir / "save", "old");
  {
    auto out = OpenWrite(dir / "save");
    ASSERT_TRUE(out);
    out->WriteString("forgotten close");
  }
  EXPECT_EQ(ReadBytes(dir / "save"), "forgotten close");
  EXPECT_TRUE(Leftovers(dir.Path(), "save").empty());
}

TEST(ByteStream, AbandonedWriteKeepsTheOldFile) {
  ScratchFolder dir;
  WriteBytes(dir / "save", "old");
  auto out = OpenWrite(dir / "save");
  ASSERT_TRUE(out);
  out->WriteString("half a sa");
  out->Abandon();
  EXPECT_FALSE(out->Close());
  EXPECT_EQ(ReadBytes(dir / "save"), "old");
  EXPECT_TRUE(Leftovers(dir.Path(), "save").empty());
}

TEST(ByteStream, AWriterInterruptedByAnExceptionKeepsTheOldFile) {
  ScratchFolder dir;
  WriteBytes(dir / "save", "old");
  try {
    auto out = OpenWrite(dir / "save");
    ASSERT_TRUE(out);
    out->WriteString("half");
    throw std::runtime_error("interrupted");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(ReadBytes(dir / "save"), "old");
  EXPECT_TRUE(Leftovers(dir.Path(), "save").empty());
}

TEST(ByteStream, AStreamOpenedDuringUnwindingStillCommits) {
  // Writing from a destructor while some other exception is in flight is a complete write.
  ScratchFolder dir;
  struct WritesOnDestruction {
    std::string path;
    ~WritesOnDestruction() {
      auto out = ByteStream::Open(path, ByteStream::Mode::Write);
      if (out) out->WriteString("written while unwinding");
    }
  };
  try {
    WritesOnDestruction w{dir / "f"};
    throw std::runtime_error("x");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(ReadBytes(dir / "f"), "written while unwinding");
}

TEST(ByteStream, AFailedWriteNeverDestroysTheOldFile) {
  ScratchFolder dir;
  const std::string old(100, 'o');
  WriteBytes(dir / "save", old);
  // A file size limit makes the writes fail the way a full disk does.
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto* previous = ::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  auto out = OpenWrite(dir / "save");
  bool closed = true;
  if (out) {
    for (int i = 0; i < 1000; ++i) out->WriteString(std::string(100, 'n'));
    closed = out->Close();
  }
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previous);
  ASSERT_TRUE(out);
  EXPECT_FALSE(closed);
  EXPECT_EQ(ReadBytes(dir / "save"), old);
  EXPECT_TRUE(Leftovers(dir.Path(), "save").empty());
}

TEST(ByteStream, AFailedRenameReportsFailureAndLeavesNoTemporaryFile) {
  ScratchFolder dir;
  auto out = OpenWrite(dir / "target");
  ASSERT_TRUE(out);
  out->WriteString("data");
  // Something else puts a folder (with contents) where the file was to go.
  std::filesystem::create_directories(dir / "target/inside");
  EXPECT_FALSE(out->Close());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "target/inside"));
  EXPECT_TRUE(Leftovers(dir.Path(), "target").empty());
}

TEST(ByteStream, ANewFileIsCreatedAndPermissionsOfAnOldOneKept) {
  ScratchFolder dir;
  auto out = OpenWrite(dir / "fresh");
  ASSERT_TRUE(out);
  out->WriteInt(7);
  ASSERT_TRUE(out->Close());
  struct stat st {};
  ASSERT_EQ(::stat((dir / "fresh").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0644u);
  ASSERT_EQ(::chmod((dir / "fresh").c_str(), 0600), 0);
  out = OpenWrite(dir / "fresh");
  ASSERT_TRUE(out);
  ASSERT_TRUE(out->Close());
  ASSERT_EQ(::stat((dir / "fresh").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u);
  EXPECT_EQ(st.st_size, 0);
}

TEST(ByteStream, LargeFilesRoundTripThroughTheBuffer) {
  ScratchFolder dir;
  auto out = OpenWrite(dir / "big");
  ASSERT_TRUE(out);
  for (int i = 0; i < 100000; ++i) out->WriteInt(i * 7919);
  ASSERT_TRUE(out->Close());
  auto in = OpenRead(dir / "big");
  ASSERT_TRUE(in);
  EXPECT_EQ(in->Size(), 400000);
  for (int i = 0; i < 100000; ++i) {
    ASSERT_EQ(in->ReadInt(), i * 7919) << i;
  }
  EXPECT_TRUE(in->Eof());
}

}  // namespace
}  // namespace hopwerk
