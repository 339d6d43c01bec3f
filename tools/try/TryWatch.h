// Noticing that a tried level's files changed: each file's identity, size and modification time,
// looked at with one stat call each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace hopwerk {

struct TryStamp {
  bool exists = false;
  uint64_t device = 0;
  uint64_t inode = 0;  // a file saved by renaming a new one over it is another file
  int64_t size = 0;
  int64_t modifiedNs = 0;
  bool operator==(const TryStamp&) const = default;
};

struct TryWatch {
  std::vector<std::string> paths;  // files and folders, each once
  std::vector<TryStamp> stamps;    // as they were when last looked at
};

TryStamp StampOf(const std::string& path);
// Watches `paths` from now on, as they are now.
void WatchPaths(TryWatch& watch, std::vector<std::string> paths);
// The watched paths that differ from how they were.
std::vector<std::string> ChangedPaths(const TryWatch& watch);

}  // namespace hopwerk
