#include "archive/VxrWatch.h"

#ifdef __linux__
#include <limits.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#endif

namespace hopwerk {

VxrWatchSet::~VxrWatchSet() {
  if (watcher_) watcher_->Release(*this);
}

#ifdef __linux__

namespace {

// The file itself: written, truncated, its attributes or link count changed, removed, renamed.
constexpr uint32_t kFileEvents =
    IN_MODIFY | IN_ATTRIB | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;
// Its folder: another file put in its place or the name taken away; the folder itself moved.
constexpr uint32_t kFolderEvents =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;
// The folders above: only what happens to themselves.
constexpr uint32_t kAncestorEvents = IN_ATTRIB | IN_DELETE_SELF | IN_MOVE_SELF;

// File systems whose files may change without this kernel hearing of it.
bool ChangesMayGoUnheard(const std::string& path) {
  struct statfs fs {};
  if (::statfs(path.c_str(), &fs) != 0) return true;
  switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969UL:      // NFS
    case 0x517BUL:      // SMB
    case 0xFF534D42UL:  // CIFS
    case 0xFE534D42UL:  // SMB2
    case 0x65735546UL:  // FUSE
    case 0x01021997UL:  // 9P
    case 0x00C36400UL:  // Ceph
    case 0x5346414FUL:  // AFS
    case 0x73757245UL:  // Coda
      return true;
    default:
      return false;
  }
}

// True when path names its file directly: absolute, no symbolic link, ".", ".." or doubled
// slash anywhere in it.
bool IsCanonical(const std::string& path) {
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (!resolved) return false;
  const bool same = path == resolved;
  std::free(resolved);
  return same;
}

}  // namespace

std::shared_ptr<VxrWatcher> VxrWatcher::Create() {
  const int fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
  if (fd < 0) return nullptr;
  std::shared_ptr<VxrWatcher> watcher(new VxrWatcher());
  watcher->fd_ = fd;
  return watcher;
}

VxrWatcher::~VxrWatcher() {
  if (fd_ >= 0) ::close(fd_);
}

bool VxrWatcher::Add(const std::string& target, uint32_t mask, const std::string& path,
                     const std::string& child, VxrWatchSet& set) {
  // IN_MASK_ADD: a folder may be watched for several archives, some inside it, some below.
  const int wd = ::inotify_add_watch(fd_, target.c_str(), mask | IN_MASK_ADD | IN_DONT_FOLLOW);
  if (wd < 0) return false;
  watches_[wd].users.push_back({path, child});
  set.wds_.push_back(wd);
  return true;
}

bool VxrWatcher::Watch(const std::string& path, VxrWatchSet& set) {
  if (path.size() < 2 || path[0] != '/' || path.back() == '/') return false;
  if (ChangesMayGoUnheard(path)) return false;
  set.watcher_ = shared_from_this();
  set.path_ = path;
  // From the root down, each watch before the name below it is looked up, so a change made
  // while the watches are being set up is either reported or already in what is looked up next.
  bool ok = Add("/", kAncestorEvents | IN_ONLYDIR, path, {}, set);
  const size_t lastSlash = path.rfind('/');
  for (size_t slash = path.find('/', 1); ok && slash != std::string::npos && slash < lastSlash;
       slash = path.find('/', slash + 1)) {
    ok = Add(path.substr(0, slash), kAncestorEvents | IN_ONLYDIR, path, {}, set);
  }
  const std::string folder = lastSlash == 0 ? "/" : path.substr(0, lastSlash);
  ok = ok && Add(folder, kFolderEvents | IN_ONLYDIR, path, path.substr(lastSlash + 1), set);
  ok = ok && Add(path, kFileEvents, path, {}, set);
  // Checked last: a link put in anywhere after its folder was watched has been reported.
  ok = ok && IsCanonical(path);
  if (!ok) {
    Release(set);
    set.watcher_.reset();
  }
  return ok;
}

void VxrWatcher::Release(VxrWatchSet& set) {
  for (const int wd : set.wds_) {
    const auto watch = watches_.find(wd);
    if (watch == watches_.end()) continue;  // the kernel dropped it already
    auto& users = watch->second.users;
    const auto user = std::find_if(users.begin(), users.end(),
                                   [&](const User& u) { return u.path == set.path_; });
    if (user != users.end()) users.erase(user);
    if (users.empty()) {
      ::inotify_rm_watch(fd_, wd);
      watches_.erase(watch);
    }
  }
  set.wds_.clear();
}

void VxrWatcher::Drain(std::vector<std::string>& dropped) {
  alignas(struct inotify_event) char buffer[8 * (sizeof(struct inotify_event) + NAME_MAX + 1)];
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return;  // EAGAIN: nothing (more) queued
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const struct inotify_event*>(buffer + at);
      at += static_cast<ssize_t>(sizeof(struct inotify_event) + event->len);
      if (event->mask & IN_Q_OVERFLOW) {
        for (const auto& [wd, watch] : watches_) {
          for (const User& user : watch.users) dropped.push_back(user.path);
        }
        continue;
      }
      const auto watch = watches_.find(event->wd);
      if (watch == watches_.end()) continue;  // given back since
      const char* name = event->len > 0 ? event->name : "";
      for (const User& user : watch->second.users) {
        // An event without a name is about the watched file or folder itself.
        if (name[0] == '\0' || (!user.child.empty() && user.child == name)) {
          dropped.push_back(user.path);
        }
      }
      if (event->mask & IN_IGNORED) watches_.erase(watch);  // gone with its file or folder
    }
  }
}

#else  // no change notification: every cached archive is stat-checked on each open

std::shared_ptr<VxrWatcher> VxrWatcher::Create() {
  return nullptr;
}
VxrWatcher::~VxrWatcher() = default;
bool VxrWatcher::Add(const std::string&, uint32_t, const std::string&, const std::string&,
                     VxrWatchSet&) {
  return false;
}
bool VxrWatcher::Watch(const std::string&, VxrWatchSet&) {
  return false;
}
void VxrWatcher::Release(VxrWatchSet& set) {
  set.wds_.clear();
}
void VxrWatcher::Drain(std::vector<std::string>&) {}

#endif

}  // namespace hopwerk
