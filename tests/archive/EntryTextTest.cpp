#include <gtest/gtest.h>

#include "schema/EntryText.h"

namespace hopwerk::test {
namespace {

std::vector<uint8_t> Compile(const std::string& entry, const std::string& text,
                             EntryTextError* errorOut = nullptr) {
  const EntryFormat* format = FindEntryFormat(entry);
  EXPECT_NE(format, nullptr);
  std::vector<uint8_t> bytes;
  EntryTextError error;
  if (!EntryTextToBytes(*format, text, bytes, error)) {
    if (errorOut) *errorOut = error;
    return {0xDE, 0xAD};
  }
  return bytes;
}

EntryTextError CompileError(const std::string& entry, const std::string& text) {
  EntryTextError error;
  EXPECT_EQ(Compile(entry, text, &error), (std::vector<uint8_t>{0xDE, 0xAD})) << text;
  return error;
}

TEST(EntryTextTest, GenDataTextCompilesToTaggedRecords) {
  const std::vector<uint8_t> bytes = Compile("gendata",
                                             "# settings\n"
                                             "ProjectTitle = \"Hop \\\"Demo\\\" \\xE9\"\r\n"
                                             "\n"
                                             "  ScreenWidth = 640\n"
                                             "ScreenHeight=-480\n"
                                             "FullScreen = 255\n"
                                             "ProjectAuthor = \"\"\n"
                                             "end\n");
  std::vector<uint8_t> expected = {0,    12,   'H',  'o',  'p', ' ',  '"', 'D', 'e', 'm',
                                   'o',  '"',  ' ',  0xE9, 1,   0x80, 2,   0,   0,   0x20,
                                   0xFE, 0xFF, 0xFF, 2,    255, 3,    0,   255};
  EXPECT_EQ(bytes, expected);
}

TEST(EntryTextTest, GenDataRoundTripsThroughText) {
  const EntryFormat& format = *FindEntryFormat("GenData");
  const std::vector<uint8_t> bytes = {0, 4, 'J', 'u', 'm', 'p', 3, 1, '\n', 2, 1, 255};
  std::string text, reason;
  ASSERT_TRUE(EntryBytesToText(format, bytes, text, reason)) << reason;
  EXPECT_NE(text.find("ProjectTitle = \"Jump\"\n"), std::string::npos);
  EXPECT_NE(text.find("ProjectAuthor = \"\\x0A\"\n"), std::string::npos);
  EXPECT_EQ(Compile("GenData", text), bytes);
  // Without an end tag, too: the engine reads to the end of the entry.
  const std::vector<uint8_t> open = {2, 0};
  ASSERT_TRUE(EntryBytesToText(format, open, text, reason));
  EXPECT_EQ(Compile("GenData", text), open);
}

TEST(EntryTextTest, BytesThatAreNotCleanGenDataAreRefused) {
  const EntryFormat& format = *FindEntryFormat("GenData");
  std::string text, reason;
  EXPECT_FALSE(EntryBytesToText(format, {0, 4, 'J'}, text, reason));
  EXPECT_EQ(reason, "field ProjectTitle at byte 1 runs past the end of the entry");
  EXPECT_FALSE(EntryBytesToText(format, {7}, text, reason));
  EXPECT_EQ(reason, "unknown tag 7 at byte 0");
  EXPECT_FALSE(EntryBytesToText(format, {255, 1}, text, reason));
  EXPECT_EQ(reason, "1 bytes after the end tag");
  EXPECT_FALSE(EntryBytesToText(format, {1, 1, 0, 0, 0, 2}, text, reason));
}

TEST(EntryTextTest, IdHasTwoUntaggedFields) {
  const EntryFormat& format = *FindEntryFormat("id");
  const std::vector<uint8_t> bytes = {1, 7, 0, 0, 0};
  std::string text, reason;
  ASSERT_TRUE(EntryBytesToText(format, bytes, text, reason));
  EXPECT_NE(text.find("ProjectIdMajor = 1\nProjectIdMinor = 7\n"), std::string::npos);
  EXPECT_EQ(Compile("ID", text), bytes);
  EXPECT_FALSE(EntryBytesToText(format, {1, 7, 0, 0}, text, reason));
  EXPECT_FALSE(EntryBytesToText(format, {1, 7, 0, 0, 0, 0}, text, reason));
  EXPECT_EQ(reason, "1 bytes after the last field");
}

TEST(EntryTextTest, ErrorsNameTheLine) {
  EntryTextError e = CompileError("GenData", "ProjectTitle = \"a\"\nBogus = 1\n");
  EXPECT_EQ(e.line, 2);
  EXPECT_EQ(e.message,
            "unknown field \"Bogus\" (GenData has: ProjectTitle, ScreenWidth, ScreenHeight, "
            "FullScreen, ProjectAuthor, end)");
  e = CompileError("GenData", "ScreenWidth = 640\nFullScreen = 1\n");
  EXPECT_EQ(e.line, 2);
  EXPECT_EQ(e.message, "expected \"ScreenHeight\" here, found \"FullScreen\"");
  e = CompileError("GenData", "# c\nScreenWidth = 640\n");
  EXPECT_EQ(e.message, "missing \"ScreenHeight\" at the end of the text");
  e = CompileError("GenData", "\n\nFullScreen = 256\n");
  EXPECT_EQ(e.line, 3);
  EXPECT_EQ(e.message, "FullScreen: 256 is outside 0 to 255");
  e = CompileError("GenData", "ScreenWidth = 2147483648\n");
  EXPECT_EQ(e.message, "ScreenWidth: 2147483648 is outside -2147483648 to 2147483647");
  e = CompileError("GenData", "ScreenWidth = 6x\n");
  EXPECT_EQ(e.message, "ScreenWidth: \"6x\" is not a whole number");
  e = CompileError("GenData", "ProjectTitle = \"open\n");
  EXPECT_EQ(e.message, "ProjectTitle: string has no closing quote");
  e = CompileError("GenData", "ProjectTitle = \"a\\q\"\n");
  EXPECT_EQ(e.message, "ProjectTitle: unknown escape \\q (use \\\", \\\\ or \\xHH)");
  e = CompileError("GenData", "ProjectTitle = \"" + std::string(256, 'x') + "\"\n");
  EXPECT_EQ(e.message, "ProjectTitle: string of 256 bytes (at most 255)");
  e = CompileError("GenData", "end\nFullScreen = 1\n");
  EXPECT_EQ(e.line, 2);
  EXPECT_EQ(e.message, "text after \"end\"");
  e = CompileError("GenData", "just words\n");
  EXPECT_EQ(e.message, "expected \"Name = value\" or \"end\"");
  e = CompileError("ID", "ProjectIdMinor = 3\n");
  EXPECT_EQ(e.message, "expected \"ProjectIdMajor\" here, found \"ProjectIdMinor\"");
  e = CompileError("ID", "ProjectIdMajor = 1\nProjectIdMinor = 3\nProjectIdMinor = 3\n");
  EXPECT_EQ(e.line, 3);
  EXPECT_EQ(e.message, "unexpected field \"ProjectIdMinor\": ID has no more fields");
  e = CompileError("ID", "ProjectIdMajor = 1\nend\n");
  EXPECT_EQ(e.message, "ID has no end record");
}

TEST(EntryTextTest, OnlyKnownEntriesHaveReadableForms) {
  EXPECT_NE(FindEntryFormat("GENDATA"), nullptr);
  EXPECT_EQ(FindEntryFormat("Welcome"), nullptr);
  EXPECT_EQ(FindEntryFormat("lev1/ID"), nullptr);
}

}  // namespace
}  // namespace hopwerk::test
