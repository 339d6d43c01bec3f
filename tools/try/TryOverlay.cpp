#include "try/TryOverlay.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "VxrTool.h"
#include "archive/VxrIndex.h"
#include "platform/Paths.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

constexpr const char* kOverlayPrefix = "hopwerk-try-";
// Locked by the run that owns the overlay for as long as it runs. The kernel lets go of the
// lock however the run ends, so a later run that gets the lock knows the overlay was left
// behind (the run was killed or crashed) and removes it; process ids could not tell, as they
// are reused and differ between containers sharing a temporary folder.
constexpr const char* kOwnerFile = ".hopwerk-try-owner";
constexpr const char* kMapsArchive = "Maps.vxr";
// Deeper than any project's Data/; a loop of folder links ends here.
constexpr int kMaxMirrorDepth = 32;

bool OwnerIsGone(const fs::path& overlay) {
  // Without the file the overlay is still being made, or is none of ours.
  const int fd = ::open((overlay / kOwnerFile).c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return false;
  const bool gone = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
  ::close(fd);
  return gone;
}

void SweepAbandonedOverlays(const fs::path& temporary) {
  std::error_code ec;
  for (fs::directory_iterator it(temporary, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    // mkdtemp's six characters after the prefix, nothing else.
    if (name.rfind(kOverlayPrefix, 0) != 0 || name.size() != std::strlen(kOverlayPrefix) + 6) {
      continue;
    }
    struct stat st {};
    if (::lstat(it->path().c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
      continue;
    }
    std::error_code ignored;
    if (OwnerIsGone(it->path())) fs::remove_all(it->path(), ignored);
  }
}

// Locks a fresh owner file and only then gives it its name, so that no other run ever finds it
// unlocked while this one lives.
bool TakeOwnership(TryOverlay& overlay) {
  std::string pattern = overlay.folder + ".owner-XXXXXX";
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX) != 0 ||
      ::rename(pattern.c_str(), (overlay.folder + kOwnerFile).c_str()) != 0) {
    ::close(fd);
    ::unlink(pattern.c_str());
    return false;
  }
  overlay.ownerLock = fd;
  return true;
}

void Link(const fs::path& target, const fs::path& link) {
  fs::create_symlink(target, link);
}

// The project's folder as real folders, its files as links to them. What the overlay already
// holds stays as it is, so this also brings in files added to the project since.
void MirrorFolder(const fs::path& from, const fs::path& to, int depth) {
  fs::create_directory(to);
  if (depth > kMaxMirrorDepth) return;
  for (const fs::directory_entry& child : fs::directory_iterator(from)) {
    const fs::path into = to / child.path().filename();
    std::error_code ec;
    if (child.is_directory(ec)) {
      MirrorFolder(child.path(), into, depth + 1);
    } else if (!fs::exists(fs::symlink_status(into, ec))) {
      Link(child.path(), into);
    }
  }
}

void FillOverlay(const fs::path& project, const fs::path& overlay) {
  for (const fs::directory_entry& item : fs::directory_iterator(project)) {
    const std::string name = item.path().filename().string();
    const fs::path into = overlay / name;
    std::error_code ec;
    if (name == "VXR" && item.is_directory(ec)) {
      fs::create_directory(into);
      for (const fs::directory_entry& archive : fs::directory_iterator(item.path())) {
        if (archive.path().filename() == kMapsArchive) continue;
        Link(archive.path(), into / archive.path().filename());
      }
    } else if (name == "Data" && item.is_directory(ec)) {
      MirrorFolder(item.path(), into, 0);
    } else if (name != kOwnerFile) {
      Link(item.path(), into);
    }
  }
}

}  // namespace

bool MakeTryOverlay(const std::string& project, TryOverlay& overlay, std::string& problem) {
  std::error_code ec;
  const fs::path temporary = fs::temp_directory_path(ec);
  if (ec) {
    problem = "no temporary folder to try the level in: " + ec.message();
    return false;
  }
  SweepAbandonedOverlays(temporary);
  std::string pattern = (temporary / (std::string(kOverlayPrefix) + "XXXXXX")).string();
  if (::mkdtemp(pattern.data()) == nullptr) {
    problem = "cannot make a folder in " + temporary.string() + " to try the level in";
    return false;
  }
  overlay.folder = fs::path(pattern).generic_string() + "/";
  try {
    if (!TakeOwnership(overlay)) {
      throw fs::filesystem_error("cannot lock", fs::path(overlay.folder + kOwnerFile),
                                 std::make_error_code(std::errc::io_error));
    }
    FillOverlay(fs::path(project), fs::path(overlay.folder));
  } catch (const fs::filesystem_error& e) {
    problem = "cannot set up " + overlay.folder + " to try the level in: " + e.what();
    RemoveTryOverlay(overlay);
    return false;
  }
  return true;
}

void RefreshTryOverlay(const std::string& project, const TryOverlay& overlay) {
  const fs::path data = fs::path(project) / "Data";
  std::error_code ec;
  if (overlay.folder.empty() || !fs::is_directory(data, ec)) return;
  try {
    MirrorFolder(data, fs::path(overlay.folder) / "Data", 0);
  } catch (const fs::filesystem_error&) {
    // What could not be linked stays missing, as a missing file of the project would be.
  }
}

void RemoveTryOverlay(TryOverlay& overlay) {
  if (!overlay.folder.empty()) {
    std::error_code ec;
    fs::remove_all(overlay.folder, ec);
    overlay.folder.clear();
  }
  if (overlay.ownerLock >= 0) {
    ::close(overlay.ownerLock);
    overlay.ownerLock = -1;
  }
}

bool ReadArchiveEntries(const std::string& path, std::vector<VxrWriteEntry>& entries,
                        std::string& problem) {
  try {
    const ToolArchive archive = LoadToolArchive(path);
    entries.clear();
    for (size_t i = 0; i < archive.directory.records.size(); ++i) {
      const VxrRecord& record = archive.directory.records[i];
      entries.push_back(VxrWriteEntry{record.name, ReadRecordBytes(archive, i), record.meth});
    }
  } catch (const ToolError& e) {
    problem = e.message;
    return false;
  }
  return true;
}

bool WriteTryMaps(const TryOverlay& overlay, const std::vector<VxrWriteEntry>& projectMaps,
                  const std::string& level, const std::vector<VxrWriteEntry>& levelEntries,
                  std::string& problem) {
  const std::string prefix = VxrUpper(level + "/");
  std::vector<VxrWriteEntry> entries;
  entries.reserve(projectMaps.size() + levelEntries.size());
  bool placed = false;
  for (const VxrWriteEntry& entry : projectMaps) {
    // A search of the archive ends at a record without a name: the level goes before it, where
    // the engine can find it.
    if (entry.name.empty() && !placed) {
      entries.insert(entries.end(), levelEntries.begin(), levelEntries.end());
      placed = true;
    }
    if (VxrUpper(entry.name).rfind(prefix, 0) == 0) continue;
    entries.push_back(entry);
  }
  if (!placed) entries.insert(entries.end(), levelEntries.begin(), levelEntries.end());
  const std::string path = overlay.folder + "VXR/" + kMapsArchive;
  try {
    if (WriteVxrArchive(path, entries)) return true;
  } catch (const std::length_error& e) {
    problem = path + ": " + e.what();
    return false;
  }
  problem = path + ": cannot write";
  return false;
}

bool WriteTryPictures(const TryOverlay& overlay, const TiledPictures& pictures,
                      WrittenPictures& written, std::string& problem) {
  const fs::path data = fs::path(overlay.folder) / "Data";
  for (const auto& picture : pictures.All()) {
    if (!NameStaysInFolder(picture->relative)) {
      problem = picture->relative + ": a picture's name that leads out of Data/";
      return false;
    }
    WrittenPicture now{picture->frameWidth * picture->frames, picture->frameHeight,
                       picture->pixels};
    // Each write is flushed to the disk, which is most of a reload's time: only what changed.
    const auto before = written.find(picture->relative);
    if (before != written.end() && before->second == now) continue;
    const fs::path file = (data / picture->relative).lexically_normal();
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    // The writer puts a new file in place of the link to the project's picture; it never
    // writes through it.
    if (ec || !WriteCutPicture(*picture, file.string())) {
      written.erase(picture->relative);
      problem = file.string() + ": cannot write";
      return false;
    }
    written[picture->relative] = std::move(now);
  }
  return true;
}

}  // namespace hopwerk
