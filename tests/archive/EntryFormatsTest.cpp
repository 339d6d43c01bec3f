// The readable forms of every entry format: byte-exact round trips, field names, the scrambled
// cheat strings, errors in sources and hostile bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "ArchiveTestSupport.h"
#include "schema/EntryText.h"

namespace hopwerk::test {
namespace {

// Builds entry bytes: B(byte), I(int32), S(string).
struct ByteBuilder {
  std::vector<uint8_t> bytes;
  ByteBuilder& B(int v) {
    bytes.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  ByteBuilder& I(int32_t v) {
    PutInt(bytes, v);
    return *this;
  }
  ByteBuilder& S(const std::string& s) {
    bytes.push_back(static_cast<uint8_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
    return *this;
  }
};

std::string ToText(const EntryFormat& format, const std::vector<uint8_t>& bytes) {
  std::string text, reason;
  EXPECT_TRUE(EntryBytesToText(format, bytes, text, reason)) << format.title << ": " << reason;
  return text;
}

std::vector<uint8_t> ToBytes(const EntryFormat& format, const std::string& text) {
  std::vector<uint8_t> bytes;
  EntryTextError error;
  EXPECT_TRUE(EntryTextToBytes(format, text, bytes, error))
      << format.title << ":" << error.line << ": " << error.message << "\n"
      << text;
  return bytes;
}

EntryTextError ErrorOf(const EntryFormat& format, const std::string& text) {
  std::vector<uint8_t> bytes;
  EntryTextError error;
  EXPECT_FALSE(EntryTextToBytes(format, text, bytes, error)) << format.title << "\n" << text;
  return error;
}

std::string Refusal(const EntryFormat& format, const std::vector<uint8_t>& bytes) {
  std::string text, reason;
  EXPECT_FALSE(EntryBytesToText(format, bytes, text, reason)) << format.title;
  return reason;
}

const EntryFormat& Format(const std::string& entry, const std::string& archive = "") {
  const EntryFormat* format = FindEntryFormat(entry, archive);
  if (!format) throw std::runtime_error("no format for " + entry + " in " + archive);
  return *format;
}

// Every record of a format, each value at an edge of its range, then the end tag.
std::vector<uint8_t> EveryRecord(const EntryFormat& format, bool high) {
  ByteBuilder b;
  for (const auto& record : format.records) {
    if (record.tag >= 0) b.B(record.tag);
    for (const auto& f : record.fields) {
      switch (f.type) {
        case EntryFieldType::Fixed:
          b.B(f.low);
          break;
        case EntryFieldType::Byte:
        case EntryFieldType::Key:
          b.B(high ? (f.high < f.low ? 255 : f.high) : f.low);
          break;
        case EntryFieldType::Int:
          b.I(high ? 2147483647 : -2147483647 - 1);
          break;
        case EntryFieldType::String:
        case EntryFieldType::Scrambled:
          b.S(high ? std::string(255, '\xFF') : std::string("q\"\\\x01 #=end"));
          break;
      }
    }
  }
  if (format.endTag >= 0) b.B(format.endTag);
  return b.bytes;
}

TEST(EntryFormatsTest, EveryFormatRoundTripsByteForByte) {
  ASSERT_EQ(EntryFormats().size(), 13u);
  for (const auto& format : EntryFormats()) {
    for (bool high : {false, true}) {
      const std::vector<uint8_t> bytes = EveryRecord(format, high);
      const std::string text = ToText(format, bytes);
      EXPECT_EQ(ToBytes(format, text), bytes) << text;
    }
    // Records repeat: the text keeps every one, in the order of the bytes.
    if (format.records[0].tag >= 0) {
      std::vector<uint8_t> twice = EveryRecord(format, true);
      if (format.endTag >= 0) twice.pop_back();
      const auto low = EveryRecord(format, false);
      twice.insert(twice.end(), low.begin(), low.end());
      const std::string text = ToText(format, twice);
      EXPECT_EQ(ToBytes(format, text), twice);
    }
  }
}

TEST(EntryFormatsTest, EntryNamesAndArchivesPickTheFormat) {
  EXPECT_STREQ(Format("gendata", "General.vxr").title, "GenData");
  EXPECT_STREQ(Format("CHEATS").title, "Cheats");
  EXPECT_STREQ(Format("Episode", "general.VXR").title, "Episode");
  EXPECT_STREQ(Format("Score").title, "Score");
  EXPECT_STREQ(Format("Weapon.0", "Weapon.vxr").title, "Weapon.N");
  EXPECT_STREQ(Format("weapon.9").title, "Weapon.N");
  EXPECT_EQ(FindEntryFormat("Weapon.10"), nullptr);
  EXPECT_EQ(FindEntryFormat("Weapon."), nullptr);
  EXPECT_STREQ(Format("Enemy/Spit", "Weapon.vxr").title, "Enemy/NAME");
  EXPECT_EQ(FindEntryFormat("Enemy/"), nullptr);
  EXPECT_STREQ(Format("lev1/General", "Maps.vxr").title, "LEVEL/General");
  EXPECT_STREQ(Format("a/b/PlusMinus", "Maps.vxr").title, "LEVEL/PlusMinus");
  EXPECT_STREQ(Format("lev1/objects").title, "LEVEL/Objects");
  EXPECT_STREQ(Format("lev1/Script/General", "Maps.vxr").title, "LEVEL/Script/NAME");
  EXPECT_EQ(FindEntryFormat("/General"), nullptr);
  EXPECT_EQ(FindEntryFormat("lev1/Script/"), nullptr);
  // Inside a known archive only its own formats count.
  EXPECT_EQ(FindEntryFormat("GenData", "Maps.vxr"), nullptr);
  EXPECT_STREQ(Format("Enemy/General", "Maps.vxr").title, "LEVEL/General");
  EXPECT_STREQ(Format("Enemy/General", "Weapon.vxr").title, "Enemy/NAME");
  // Definitions are any name, so only their archive tells them; ID stays ID everywhere.
  EXPECT_STREQ(Format("Frog", "Actors.vxr").title, "actor definition");
  EXPECT_STREQ(Format("GenData", "ACTORS.VXR").title, "actor definition");
  EXPECT_STREQ(Format("id", "Actors.vxr").title, "ID");
  EXPECT_STREQ(Format("Coin", "Collectables.vxr").title, "collectable definition");
  EXPECT_STREQ(Format("Coin", "collectable.vxr").title, "collectable definition");
  EXPECT_EQ(FindEntryFormat("Frog"), nullptr);
  EXPECT_EQ(FindEntryFormat("Frog", "Other.vxr"), nullptr);
  // Plain text entries stay as they are.
  EXPECT_EQ(FindEntryFormat("Welcome", "General.vxr"), nullptr);
  EXPECT_EQ(FindEntryFormat("Credits", "General.vxr"), nullptr);
}

TEST(EntryFormatsTest, CheatsShowDecodedStringsAndFollowKeyChanges) {
  const EntryFormat& format = Format("Cheats");
  auto scramble = [](std::string s, int key) {
    for (char& c : s) c = static_cast<char>(static_cast<unsigned char>(c) ^ key);
    return s;
  };
  ByteBuilder b;
  b.B(2).S("God").S("IDDQD");                               // key 0: stored as is
  b.B(1).S("note");                                         // ignored, always key 0
  b.B(0).B(90);                                             // new key
  b.B(2).S(scramble("Ammo", 90)).S(scramble("IDKFA", 90));  // decoded with 90
  b.B(1).S("plain");                                        // still key 0
  b.B(0).B(255).B(2).S(scramble("\"Z\"", 255)).S(scramble("", 255));
  const std::string text = ToText(format, b.bytes);
  EXPECT_EQ(text,
            "# Cheats entry, readable form\n"
            "Cheat = \"God\"\nCode = \"IDDQD\"\n"
            "Ignored = \"note\"\n"
            "Key = 90\n"
            "Cheat = \"Ammo\"\nCode = \"IDKFA\"\n"
            "Ignored = \"plain\"\n"
            "Key = 255\n"
            "Cheat = \"\\\"Z\\\"\"\nCode = \"\"\n");
  EXPECT_EQ(ToBytes(format, text), b.bytes);
  // A written source is scrambled with the key in force.
  EXPECT_EQ(ToBytes(format,
                    "Key = 1\nCheat = \"A\"\nCode = \"B\"\nKey = 0\nCheat = \"C\"\n"
                    "Code = \"D\"\n"),
            ByteBuilder().B(0).B(1).B(2).S("@").S("C").B(0).B(0).B(2).S("C").S("D").bytes);
  // Cheats have no end tag: 255 is a corrupted record, and "end" is refused.
  EXPECT_EQ(Refusal(format, {255}), "unknown tag 255 at byte 0");
  EXPECT_EQ(ErrorOf(format, "end\n").message, "Cheats has no end record");
  EXPECT_EQ(ErrorOf(format, "Cheat = \"x\"\n").message, "missing \"Code\" at the end of the text");
  EXPECT_EQ(ErrorOf(format, "Key = 256\n").message, "Key: 256 is outside 0 to 255");
}

TEST(EntryFormatsTest, ElementRecordsAreKeywordsWithTheirFieldsIndented) {
  const EntryFormat& score = Format("Score");
  const auto bytes = ByteBuilder()
                         .B(0)
                         .B(1)
                         .B(6)
                         .B(2)
                         .I(10)
                         .I(20)
                         .I(0)
                         .I(-1)
                         .B(3)
                         .S("Score: [SCORE]")
                         .B(4)
                         .I(50)
                         .B(5)
                         .B(255)
                         .B(128)
                         .B(0)
                         .B(6)
                         .B(1)
                         .I(1)
                         .I(3)
                         .S("")
                         .B(0)
                         .B(255)
                         .bytes;
  const std::string text = ToText(score, bytes);
  EXPECT_EQ(text,
            "# Score entry, readable form\n"
            "Element\n  Com = 6\n  X = 10\n  Y = 20\n  W = 0\n  H = -1\n"
            "  Txt = \"Score: [SCORE]\"\n  Alpha = 50\n  R = 255\n  G = 128\n  B = 0\n"
            "  CNot = 1\n  Eis = 1\n  Value = 3\n  Txt = \"\"\n"
            "Element\nend\n");
  EXPECT_EQ(ToBytes(score, text), bytes);
  // The engine drops fields before the first element and reads to the end without 255.
  const auto loose = ByteBuilder().B(1).B(4).B(0).bytes;
  EXPECT_EQ(ToBytes(score, ToText(score, loose)), loose);

  const EntryFormat& objects = Format("L/Objects");
  const auto object = ByteBuilder()
                          .B(0)
                          .B(1)
                          .I(100)
                          .I(200)
                          .B(3)
                          .B(2)
                          .B(4)
                          .S("Frog")
                          .B(10)
                          .B(200)
                          .B(11)
                          .I(200)
                          .B(13)
                          .B(1)
                          .B(0)
                          .B(1)
                          .B(255)
                          .bytes;
  EXPECT_EQ(ToText(objects, object),
            "# LEVEL/Objects entry, readable form\nObject\n  X = 100\n  Y = 200\n  OType = 2\n"
            "  PicName = \"Frog\"\n  AnimSlowByte = 200\n  AnimSlow = 200\n  SkillEasy = 1\n"
            "  SkillMedium = 0\n  SkillHard = 1\nend\n");
  EXPECT_EQ(ToBytes(objects, ToText(objects, object)), object);

  const EntryFormat& script = Format("L/Script/Start");
  EXPECT_EQ(ToBytes(script, "Script\n  Command = 8\n  ToX = 100\n  ToY = 200\nend\n"),
            ByteBuilder().B(0).B(2).I(8).B(7).I(100).I(200).B(255).bytes);
}

TEST(EntryFormatsTest, DefinitionMarkerBytesAreImpliedAndChecked) {
  const EntryFormat& actor = Format("Frog", "Actors.vxr");
  const auto bytes = ByteBuilder()
                         .B(0)
                         .B(1)
                         .B(2)
                         .B(1)
                         .I(32)
                         .I(48)
                         .I(4)
                         .I(100)
                         .B(4)
                         .B(6)
                         .B(1)
                         .B(5)
                         .B(6)
                         .S("Spit")
                         .B(7)
                         .B(0)
                         .I(5)
                         .B(8)
                         .B(3)
                         .S("Coin")
                         .B(255)
                         .bytes;
  const std::string text = ToText(actor, bytes);
  EXPECT_EQ(text,
            "# actor definition entry, readable form\nControl = 1\nSlot = 1\nSpriteWidth = 32\n"
            "SpriteHeight = 48\nSpriteFrames = 4\nSpriteWait = 100\nMoveIndex = 6\n"
            "MoveValue = 1\nShootWeaponName = \"Spit\"\nHurtPlayer = 5\n"
            "CollectableName = \"Coin\"\nend\n");
  EXPECT_EQ(ToBytes(actor, text), bytes);
  // What the engine reports as corrupted is no clean instance: kept raw by the tool.
  EXPECT_EQ(Refusal(actor, ByteBuilder().B(7).B(1).I(5).B(255).bytes),
            "field HurtPlayer marker at byte 1 is 1, outside 0 to 0");
  EXPECT_EQ(Refusal(actor, ByteBuilder().B(2).B(5).I(1).I(1).I(1).I(1).B(255).bytes),
            "field Slot at byte 1 is 5, outside 0 to 4");
  EXPECT_EQ(Refusal(actor, ByteBuilder().B(4).B(12).B(1).B(255).bytes),
            "field MoveIndex at byte 1 is 12, outside 0 to 11");
  EXPECT_EQ(ErrorOf(actor, "TouchIndex = 4\nTouchValue = 1\nend\n").message,
            "TouchIndex: 4 is outside 0 to 3");
  const EntryFormat& coin = Format("Coin", "Collectables.vxr");
  EXPECT_EQ(Refusal(coin, ByteBuilder().B(4).B(10).B(255).bytes),
            "field Weapon at byte 1 is 10, outside 0 to 9");
  EXPECT_EQ(ToBytes(coin, "Pic = \"EGG:EGG\"\nWeapon = 9\nend\n"),
            ByteBuilder().B(0).S("EGG:EGG").B(4).B(9).B(255).bytes);
  EXPECT_EQ(ErrorOf(Format("Episode"), "Episode = 7\nStartLevel = \"X\"\n").message,
            "Episode: 7 is outside 0 to 6");
}

// The same mistakes, in every format, give the same kind of message with the right line.
TEST(EntryFormatsTest, SourceErrorsInEveryFormat) {
  for (const auto& format : EntryFormats()) {
    SCOPED_TRACE(format.title);
    // Without indentation, so that every field line starts right after a line end.
    std::string good = ToText(format, EveryRecord(format, false));
    for (size_t at; (at = good.find("\n  ")) != std::string::npos;) good.erase(at + 1, 2);
    EntryTextError e = ErrorOf(format, "# x\n\nBogus = 1\n");
    EXPECT_EQ(e.line, 3);
    EXPECT_EQ(
        e.message.rfind(format.records[0].tag < 0 ? "expected \"" : "unknown field \"Bogus\"", 0),
        0u)
        << e.message;
    // A value of the wrong kind, a byte out of range and an open string, on the line of the
    // first field of each type.
    int checked = 0;
    for (const auto& record : format.records) {
      for (const auto& field : record.fields) {
        const std::string prefix = std::string("\n") + field.name + " = ";
        const size_t at = good.find(prefix);
        if (at == std::string::npos || field.type == EntryFieldType::Fixed) continue;
        const size_t lineEnd = good.find('\n', at + 1);
        const int line = 1 + static_cast<int>(std::count(
                                 good.begin(), good.begin() + static_cast<long>(at) + 1, '\n'));
        ++checked;
        auto with = [&](const std::string& value) {
          return good.substr(0, at) + prefix + value + good.substr(lineEnd);
        };
        if (field.type == EntryFieldType::String || field.type == EntryFieldType::Scrambled) {
          e = ErrorOf(format, with("\"open"));
          EXPECT_EQ(e.line, line);
          EXPECT_EQ(e.message, std::string(field.name) + ": string has no closing quote");
          e = ErrorOf(format, with("12"));
          EXPECT_EQ(e.message, std::string(field.name) + ": expected a string in double quotes");
        } else {
          e = ErrorOf(format, with("\"7\""));
          EXPECT_EQ(e.line, line);
          EXPECT_EQ(e.message, std::string(field.name) + ": \"\"7\"\" is not a whole number");
          if (field.type != EntryFieldType::Int) {
            e = ErrorOf(format, with("256"));
            EXPECT_EQ(e.message.rfind(std::string(field.name) + ": 256 is outside", 0), 0u)
                << e.message;
            e = ErrorOf(format, with("-1"));
            EXPECT_EQ(e.message.rfind(std::string(field.name) + ": -1 is outside", 0), 0u);
          }
        }
      }
    }
    EXPECT_GE(checked,
              static_cast<int>(format.records.size()) - (format.records[0].keyword ? 1 : 0));
    if (format.endRequired) {
      const std::string open = good.substr(0, good.rfind("end\n"));
      e = ErrorOf(format, open);
      EXPECT_EQ(e.message, "missing \"end\" at the end of the text (" + std::string(format.title) +
                               " entries must end with it)");
      std::vector<uint8_t> bytes = EveryRecord(format, false);
      bytes.pop_back();
      EXPECT_EQ(Refusal(format, bytes),
                "no end tag (" + std::string(format.title) + " entries must end with one)");
    }
  }
}

// Cut short anywhere, or with bytes changed, an entry either still converts both ways exactly or
// is refused with a reason; a length byte promising more than is there is a refusal.
TEST(EntryFormatsTest, HostileBytesAreRefusedOrRoundTrip) {
  std::mt19937 random(7);
  for (const auto& format : EntryFormats()) {
    SCOPED_TRACE(format.title);
    const std::vector<uint8_t> whole = EveryRecord(format, true);
    for (size_t size = 0; size <= whole.size(); ++size) {
      std::vector<uint8_t> bytes(whole.begin(), whole.begin() + static_cast<long>(size));
      for (int round = 0; round < 3; ++round) {
        std::string text, reason;
        if (EntryBytesToText(format, bytes, text, reason)) {
          EXPECT_EQ(ToBytes(format, text), bytes);
        } else {
          EXPECT_FALSE(reason.empty());
        }
        if (bytes.empty()) break;
        bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
      }
    }
  }
  const EntryFormat& weapon = Format("Weapon.3");
  EXPECT_EQ(Refusal(weapon, ByteBuilder().B(0).B(255).S("abc").bytes),
            "field Picture at byte 1 runs past the end of the entry");
  EXPECT_EQ(Refusal(weapon, ByteBuilder().B(3).B(1).B(2).bytes),
            "field MS at byte 1 runs past the end of the entry");
  EXPECT_EQ(Refusal(weapon, ByteBuilder().B(7).B(255).bytes), "unknown tag 7 at byte 0");
  EXPECT_EQ(Refusal(Format("L/PlusMinus"), ByteBuilder().I(1).I(2).I(3).bytes),
            "field MinusY at byte 12 runs past the end of the entry");
  EXPECT_EQ(Refusal(Format("L/PlusMinus"), ByteBuilder().I(1).I(2).I(3).I(4).B(0).bytes),
            "1 bytes after the last field");
}

}  // namespace
}  // namespace hopwerk::test
