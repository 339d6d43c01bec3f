#include "try/TryWatch.h"

#include <sys/stat.h>

#include <algorithm>

namespace hopwerk {

TryStamp StampOf(const std::string& path) {
  TryStamp stamp;
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return stamp;
  stamp.exists = true;
  stamp.device = static_cast<uint64_t>(st.st_dev);
  stamp.inode = static_cast<uint64_t>(st.st_ino);
  stamp.size = static_cast<int64_t>(st.st_size);
  stamp.modifiedNs = static_cast<int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
  return stamp;
}

void WatchPaths(TryWatch& watch, std::vector<std::string> paths) {
  std::sort(paths.begin(), paths.end());
  paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
  watch.paths = std::move(paths);
  watch.stamps.clear();
  for (const std::string& path : watch.paths) watch.stamps.push_back(StampOf(path));
}

std::vector<std::string> ChangedPaths(const TryWatch& watch) {
  std::vector<std::string> changed;
  for (size_t i = 0; i < watch.paths.size(); ++i) {
    if (StampOf(watch.paths[i]) != watch.stamps[i]) changed.push_back(watch.paths[i]);
  }
  return changed;
}

}  // namespace hopwerk
