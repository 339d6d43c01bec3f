// The byte layout of every entry the engine reads: per format, its records with their tags and
// their fields in the order the bytes hold them, with types and limits. The loaders, the text
// forms, the Tiled importer and the tests all read entries by this one table, so a field is
// added to a format in one place.
#pragma once

#include <string>
#include <vector>

namespace hopwerk {

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

}  // namespace hopwerk
