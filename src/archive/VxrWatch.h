// Change notification for cached archives, so that an entry open need not stat the archive to
// learn whether it is still the version whose directory is cached.
//
// An archive is watched through its file, its folder (for any name change of the archive in
// it: a new file renamed over it, a removal) and every folder above (renamed, removed, or its
// permissions changed, any of which can make the path lead elsewhere or nowhere). The kernel
// queues an event before the call that made the change returns, so draining the queue at the
// start of an open is as good as looking at the file then. Only paths without symbolic links,
// "." or ".." are watched: a link's target can change without an event on any watched folder.
// Neither is a path on a file system whose changes may come from other machines (network and
// user-space file systems) watched. Whatever is not watched is stat-checked on every open.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace hopwerk {

class VxrWatcher;

// The watches held for one cached archive; given back when it is dropped from the cache.
class VxrWatchSet {
 public:
  VxrWatchSet() = default;
  ~VxrWatchSet();
  VxrWatchSet(const VxrWatchSet&) = delete;
  VxrWatchSet& operator=(const VxrWatchSet&) = delete;
  bool Watched() const { return watcher_ != nullptr; }

 private:
  friend class VxrWatcher;
  std::shared_ptr<VxrWatcher> watcher_;  // kept alive while it holds watches for the set
  std::string path_;
  std::vector<int> wds_;
};

class VxrWatcher : public std::enable_shared_from_this<VxrWatcher> {
 public:
  // Null when change notification cannot be had here (other systems, instance limits).
  static std::shared_ptr<VxrWatcher> Create();
  ~VxrWatcher();
  VxrWatcher(const VxrWatcher&) = delete;
  VxrWatcher& operator=(const VxrWatcher&) = delete;

  // Watches the archive at path before it is opened, so every later change is reported.
  // False, and nothing watched, when the path does not qualify or a watch cannot be added.
  bool Watch(const std::string& path, VxrWatchSet& set);
  // Reads every queued event; the paths of the archives touched are appended to dropped.
  // Everything watched counts as touched when the kernel's queue overflowed. One read call
  // when nothing happened.
  void Drain(std::vector<std::string>& dropped);
  bool Empty() const { return watches_.empty(); }

 private:
  friend class VxrWatchSet;
  VxrWatcher() = default;
  struct User {
    std::string path;   // the cached archive
    std::string child;  // events about this name within the folder touch it; empty: none do
  };
  struct Watched {
    std::vector<User> users;
  };
  bool Add(const std::string& target, uint32_t mask, const std::string& path,
           const std::string& child, VxrWatchSet& set);
  void Release(VxrWatchSet& set);
  int fd_ = -1;
  std::unordered_map<int, Watched> watches_;  // by watch descriptor
};

}  // namespace hopwerk
