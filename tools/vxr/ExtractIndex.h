// How extracted entries map to files, and the .vxr-index that lets pack rebuild the archive
// byte for byte: record order, duplicates, methods, original names and which files are
// readable forms.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace hopwerk {

inline constexpr const char* kIndexFileName = ".vxr-index";
inline constexpr const char* kIndexHeader = "# vxr-index 1";
// Entries whose names cannot be files (unsafe, duplicate, clashing) go here, named by record.
inline constexpr const char* kOtherFolder = ".vxr-other";

struct IndexLine {
  int32_t meth = 0;
  bool text = false;  // the file holds a readable form
  std::string file;   // relative, "/" between parts
  std::string name;   // the entry's name as stored
  int line = 0;       // where it stood in the index file
};

// The entry name as a relative path, or empty when any part of it is unsafe as a file name:
// empty, ".", "..", control or non-ASCII bytes, "\", characters Windows refuses, very long
// parts, or parts starting with ".vxr" (reserved for the tool's own files).
std::string SafeRelativePath(const std::string& name);
// A relative file path from an index file: safe parts, or kOtherFolder and one safe part.
bool IsSafeIndexPath(const std::string& file);

// Hands out file paths that cannot clash, even on file systems that ignore case, and never
// make one entry's file another one's folder.
class PathPlanner {
 public:
  bool Claim(const std::string& path);

 private:
  std::set<std::string> files_;
  std::set<std::string> folders_;
};

struct IndexFile {
  // The file name of the archive the entries came from: it decides which readable forms
  // apply (definition archives name their entries freely). Empty in older index files.
  std::string archive;
  std::vector<IndexLine> lines;
};

std::string FormatIndex(const IndexFile& index);
// Throws ToolError naming indexPath and the line. Readable forms are checked against the
// index's archive name, or fallbackArchive when the index names none.
IndexFile ParseIndex(const std::string& text, const std::string& indexPath,
                     const std::string& fallbackArchive);

}  // namespace hopwerk
