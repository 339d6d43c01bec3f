// Path text rules both platforms share: "/" separators everywhere, "\" accepted and converted,
// and relative paths taken against a working folder.
#pragma once

#include <string>

namespace hopwerk {

// Every "\" becomes "/".
std::string ToSlashes(std::string path);
bool IsAbsolutePath(const std::string& path);
// folder + "/" + name without doubling the separator; name is returned as is when absolute.
std::string JoinPath(const std::string& folder, const std::string& name);
// Collapses "//", "." and ".." by text alone (no file system look-ups). The result has no
// trailing "/" except the root itself; ".." above the root of an absolute path is dropped.
std::string NormalisePathText(const std::string& path);

// Whether a name taken from game data stays inside the folder it is looked up in: not empty,
// no NUL, not absolute, no drive ("C:"), and no ".." part (a "\" counts as "/"; a part of
// dots and spaces only, with two dots or more, counts as "..", as Windows reads it).
bool NameStaysInFolder(const std::string& name);

// A file named by game data. `path` is what to open: empty when the name would leave the
// folder, and an empty path opens nothing, so the caller's usual "not loaded" handling runs.
// `shown` is folder and name as they were written, for that message.
struct DataFilePath {
  std::string path;
  std::string shown;
};
// Every name from game data is joined onto its folder through this, never by concatenation.
DataFilePath JoinDataName(const std::string& folder, const std::string& name);

}  // namespace hopwerk
