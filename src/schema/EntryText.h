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

#include "schema/EntryFormat.h"

namespace hopwerk {

// Files holding a readable form are named after their entry with this extension.
inline constexpr const char* kEntryTextExtension = ".hwt";

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
