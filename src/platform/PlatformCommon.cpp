// The machine-independent half of PlatformCommon that is not drawing: random numbers, date
// text, files, folders and volumes.
#include "platform/PlatformCommon.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

#include "platform/Paths.h"

namespace hopwerk {

namespace {

constexpr const char* kMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// File systems that hold no user files: never offered as volumes.
constexpr const char* kPseudoFileSystems[] = {
    "proc",       "sysfs",           "tmpfs",       "devtmpfs",   "devpts",
    "cgroup",     "cgroup2",         "mqueue",      "debugfs",    "tracefs",
    "securityfs", "pstore",          "bpf",         "configfs",   "fusectl",
    "hugetlbfs",  "autofs",          "binfmt_misc", "efivarfs",   "rpc_pipefs",
    "nsfs",       "ramfs",           "selinuxfs",   "sockfs",     "pipefs",
    "nfsd",       "fuse.gvfsd-fuse", "fuse.portal", "fuse.lxcfs", "none"};

bool IsPseudoFileSystem(const std::string& type) {
  for (const char* t : kPseudoFileSystems) {
    if (type == t) return true;
  }
  return false;
}

// /proc/self/mounts writes space, tab, newline and backslash as \ooo octal escapes.
std::string DecodeMountField(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 3 < field.size()) {
      const char a = field[i + 1], b = field[i + 2], c = field[i + 3];
      if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && c >= '0' && c <= '7') {
        out.push_back(static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (c - '0')));
        i += 3;
        continue;
      }
    }
    out.push_back(field[i]);
  }
  return out;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string StripTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

}  // namespace

PlatformCommon::PlatformCommon(uint32_t seed, int64_t pictureBudgetBytes)
    : pictureBudget_(pictureBudgetBytes), rng_(seed) {}

std::string PlatformCommon::ResolvePath(const std::string& path) const {
  if (path.rfind("incbin::", 0) == 0) return path;
  std::string p = ToSlashes(path);
  if (virtualWorkingFolder_.empty() || p.empty() || IsAbsolutePath(p)) return p;
  return JoinPath(virtualWorkingFolder_, p);
}

int PlatformCommon::RandomInt(int min, int max) {
  if (min > max) std::swap(min, max);
  // Our own mapping from the generator's 32-bit words, because the standard distributions
  // differ between libraries and the same seed must give the same game everywhere.
  const uint64_t span = static_cast<uint64_t>(static_cast<int64_t>(max) - min) + 1;  // 1..2^32
  uint64_t word = static_cast<uint32_t>(rng_());
  if (span != (uint64_t{1} << 32)) {
    // Rejection keeps every value equally likely.
    const uint64_t limit = (uint64_t{1} << 32) - ((uint64_t{1} << 32) % span);
    while (word >= limit) word = static_cast<uint32_t>(rng_());
    word %= span;
  }
  return static_cast<int>(static_cast<int64_t>(min) + static_cast<int64_t>(word));
}

std::string FormatDate(const std::tm& t) {
  const int month = ((t.tm_mon % 12) + 12) % 12;
  char text[64];
  std::snprintf(text, sizeof text, "%02d %s %04d", t.tm_mday, kMonthNames[month], t.tm_year + 1900);
  return text;
}

std::string FormatTime(const std::tm& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::string PlatformCommon::CurrentDate() {
  return FormatDate(LocalNow());
}

std::string PlatformCommon::CurrentTime() {
  return FormatTime(LocalNow());
}

int PlatformCommon::FileKind(const std::string& path) {
  if (path.empty()) return 0;
  struct stat st {};
  if (::stat(ResolvePath(path).c_str(), &st) != 0) return 0;
  return S_ISDIR(st.st_mode) ? 2 : 1;
}

std::vector<std::string> PlatformCommon::ListFolder(const std::string& path) {
  std::vector<std::string> names;
  if (path.empty()) return names;
  DIR* dir = ::opendir(ResolvePath(path).c_str());
  if (dir == nullptr) return names;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.push_back(name);
  }
  ::closedir(dir);
  // Directory order depends on the file system; sorted names make every machine walk a
  // folder the same way. "." and ".." always lead.
  std::sort(names.begin(), names.end());
  names.insert(names.begin(), {".", ".."});
  return names;
}

bool PlatformCommon::MakeFolder(const std::string& path, bool recursive) {
  const std::string target = StripTrailingSlashes(ResolvePath(path));
  if (target.empty()) return false;
  if (recursive) {
    // Each ancestor in turn; a file standing where a folder should be ends the attempt.
    for (size_t slash = target.find('/', 1); slash != std::string::npos;
         slash = target.find('/', slash + 1)) {
      const std::string part = target.substr(0, slash);
      if (part.empty() || part.back() == '/') continue;
      if (::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
        if (!IsFolder(part)) return false;
      }
    }
  }
  if (::mkdir(target.c_str(), 0777) == 0) return true;
  // A folder that is already there is what the caller asked for.
  return IsFolder(target);
}

std::string PlatformCommon::WorkingFolder() {
  if (!virtualWorkingFolder_.empty()) return virtualWorkingFolder_;
  std::vector<char> buffer(4096);
  while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
    if (errno != ERANGE || buffer.size() > (1u << 20)) return std::string();
    buffer.resize(buffer.size() * 2);
  }
  return ToSlashes(buffer.data());
}

bool PlatformCommon::ChangeFolder(const std::string& path) {
  if (path.empty()) return false;
  if (virtualWorkingFolder_.empty()) return ::chdir(ToSlashes(path).c_str()) == 0;
  const std::string target = NormalisePathText(ResolvePath(path));
  if (!IsFolder(target)) return false;
  virtualWorkingFolder_ = target;
  return true;
}

std::vector<Volume> PlatformCommon::ListVolumes() {
  std::vector<Volume> volumes;
  std::ifstream mounts("/proc/self/mounts");
  std::set<std::string> seen;
  std::string line;
  while (std::getline(mounts, line)) {
    std::istringstream fields(line);
    std::string device, mountPoint, type;
    if (!(fields >> device >> mountPoint >> type)) continue;
    if (IsPseudoFileSystem(type)) continue;
    mountPoint = DecodeMountField(mountPoint);
    if (mountPoint.empty() || mountPoint[0] != '/') continue;
    if (mountPoint.rfind("/proc/", 0) == 0 || mountPoint.rfind("/sys/", 0) == 0 ||
        mountPoint.rfind("/dev/", 0) == 0 || mountPoint == "/proc" || mountPoint == "/sys" ||
        mountPoint == "/dev") {
      continue;
    }
    // Bind-mounted single files (containers do this for /etc/hosts) are not volumes.
    if (!IsFolder(mountPoint)) continue;
    if (!seen.insert(mountPoint).second) continue;
    Volume volume;
    volume.devicePath = mountPoint == "/" ? "/" : mountPoint + "/";
    volume.name = mountPoint == "/" ? "Root" : mountPoint.substr(mountPoint.rfind('/') + 1);
    volumes.push_back(volume);
  }
  return volumes;
}

std::unique_ptr<ByteStream> PlatformCommon::OpenReadFile(const std::string& path) {
  return ByteStream::Open(ResolvePath(path), ByteStream::Mode::Read);
}

std::unique_ptr<ByteStream> PlatformCommon::OpenWriteFile(const std::string& path) {
  return ByteStream::Open(ResolvePath(path), ByteStream::Mode::Write);
}

}  // namespace hopwerk
