// Readable text forms of engine entries, for the archive tool. Every engine entry is a
// sequence of tagged records (or one untagged record) of bytes, ints and strings, so one
// table per format plus one converter in each direction covers them all: adding a format is
// adding a table row.
//
// Text form: one field a line, `Name = value`, in the order the bytes hold them; ints and bytes
// in decimal; strings in double quotes with \" \\ and \xHH (any byte outside printable ASCII).
// A record with several fields is written as consecutive lines in table order. `end` stands for
// the end tag. Blank lines and lines starting with # are ignored.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hopwerk {

// Files holding a readable form are named after their entry with this extension.
inline constexpr const char* kEntryTextExtension = ".hwt";

enum class EntryFieldType { Byte, Int, String };

struct EntryField {
  const char* name;
  EntryFieldType type;
};

struct EntryRecordFormat {
  int tag;  // -1: no tag byte (untagged formats hold exactly one record)
  std::vector<EntryField> fields;
};

struct EntryFormat {
  const char* entryName;  // matched ASCII case-insensitively
  int endTag;             // -1: the format has none
  std::vector<EntryRecordFormat> records;
};

// Every format with a readable form.
const std::vector<EntryFormat>& EntryFormats();
// Null when the entry has no readable form.
const EntryFormat* FindEntryFormat(const std::string& entryName);

// Bytes to text. False, with the reason, unless the bytes are a complete, clean instance of
// the format (no unknown tag, nothing truncated, nothing after the end tag).
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
