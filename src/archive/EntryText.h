// Readable text forms of engine entries, for the archive tool. Every engine entry is a
// sequence of tagged records (or one untagged record) of bytes, ints and strings, so one
// table per format plus one converter in each direction covers them all: adding a format is
// adding a table.
//
// Text form: one field a line, `Name = value`, in the order the bytes hold them; ints and bytes
// in decimal; strings in double quotes with \" \\ and \xHH (any byte outside printable ASCII).
// A record with several fields is written as consecutive lines in table order; a record without
// fields (one that starts a new element of a list) is its keyword alone on a line. `end` stands
// for the end tag. Blank lines and lines starting with # are ignored; leading blanks too.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hopwerk {

// Files holding a readable form are named after their entry with this extension.
inline constexpr const char* kEntryTextExtension = ".hwt";

enum class EntryFieldType {
  Byte,
  Int,
  String,
  Key,        // a byte that becomes the key of the Scrambled strings after it
  Scrambled,  // a string whose bytes are XOR-ed with the key in force; the text shows them plain
  Fixed,      // a byte that must hold `low`; not written in the text, filled in when compiling
};

struct EntryField {
  const char* name;
  EntryFieldType type;
  // Byte and Key: the values allowed (high < low: 0 to 255). Fixed: low is the value.
  int low = 0;
  int high = -1;
};

struct EntryRecordFormat {
  int tag;  // -1: no tag byte (untagged formats hold exactly one record)
  std::vector<EntryField> fields;
  const char* keyword = nullptr;  // the word standing for a record without fields
};

struct EntryFormat {
  const char* title;  // in messages and the text's first line: "GenData", "LEVEL/Objects"
  // Entry names it applies to, ASCII case ignored: * stands for one or more characters,
  // # for one decimal digit.
  const char* pattern;
  // File names of the archives that hold this format, separated by "|"; null: every archive.
  const char* archives;
  // Entry names that do not tell the format (any name is a definition) are only recognised
  // inside one of their archives.
  bool onlyInArchives;
  int endTag;        // -1: the format has none
  bool endRequired;  // the engine reads on past the entry without it, so it must be there
  std::vector<EntryRecordFormat> records;
};

// Every format with a readable form.
const std::vector<EntryFormat>& EntryFormats();
// The format of an entry, or null when it has no readable form. archiveName is the archive's
// file name without folders ("Maps.vxr"), or empty when unknown. Inside an archive that holds
// known formats only that archive's formats (and ID) count; elsewhere every format recognised
// by its name alone does.
const EntryFormat* FindEntryFormat(const std::string& entryName,
                                   const std::string& archiveName = "");

// Bytes to text. False, with the reason, unless the bytes are a complete, clean instance of
// the format (no unknown tag, nothing truncated, values in range, nothing after the end tag,
// the end tag present where the format needs it).
bool EntryBytesToText(const EntryFormat& format, const std::vector<uint8_t>& bytes,
                      std::string& text, std::string& reason);

struct EntryTextError {
  int line = 0;  // 1-based
  std::string message;
};

// Text to bytes. False with the line and the reason on any error.
bool EntryTextToBytes(const EntryFormat& format, const std::string& text,
                      std::vector<uint8_t>& bytes, EntryTextError& error);

// The quoting used by the text forms (also by the tool's index file).
std::string QuoteEntryText(const std::string& raw);
// Parses a quoted string at text[pos] (which must be '"'); pos moves past the closing quote.
bool UnquoteEntryText(const std::string& text, size_t& pos, std::string& out, std::string& reason);

}  // namespace hopwerk
