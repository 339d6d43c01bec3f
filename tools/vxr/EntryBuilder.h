// Writing the readable form of an entry from field values, with the field names, their order
// and their grouping into records taken from the engine's own entry formats.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "schema/EntryText.h"

namespace hopwerk {

struct EntryValue {
  int64_t number = 0;
  std::string text;
  bool isText = false;
};
using EntryValues = std::map<std::string, EntryValue>;

inline EntryValue NumberValue(int64_t n) {
  return {n, "", false};
}
inline EntryValue TextValue(std::string s) {
  return {0, std::move(s), true};
}

// The field of that name in any record of the format, or null.
const EntryField* FindEntryField(const EntryFormat& format, const std::string& name);

// The format of a level entry, by its title ("LEVEL/Objects", "LEVEL/General", ...).
const EntryFormat& LevelEntryFormat(const char* title);

// Lines of one element of the entry: its keyword when the format has one, then, in the
// format's order, every record holding a field that `values` gives, its other fields taken from
// `defaults` (else 0 or empty).
std::string EntryElementText(const EntryFormat& format, const EntryValues& values,
                             const EntryValues& defaults = {});

// A whole entry's text: the comment, the elements and the end keyword where the format has an
// end tag. Compiled once to make sure the engine will read it (a failure is a ToolError).
std::string EntryText(const EntryFormat& format, const std::string& comment,
                      const std::vector<std::string>& elements);

}  // namespace hopwerk
