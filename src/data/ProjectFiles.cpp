#include "data/ProjectFiles.h"

#include <algorithm>

#include "archive/VxrIndex.h"
#include "engine/Engine.h"
#include "platform/Paths.h"

namespace hopwerk {

namespace {

const FolderNameCache::Listing& Listed(Engine& engine, const std::string& folder) {
  auto found = engine.fileNames.folders.find(folder);
  if (found != engine.fileNames.folders.end()) return found->second;
  FolderNameCache::Listing listing;
  // Sorted names: when several differ only in case, the same one wins on every machine.
  for (const std::string& name : engine.platform.ListFolder(folder)) {
    if (name == "." || name == "..") continue;
    listing.names.insert(name);
    listing.byUpper.emplace(VxrUpper(name), name);
  }
  return engine.fileNames.folders.emplace(folder, std::move(listing)).first->second;
}

// FileKind of root + relative, each part of `relative` matched without regard to case when the
// exact path does not exist; `found` gets the path on disk. `root` itself is taken as it is.
int FindIgnoringCase(Engine& engine, const std::string& root, const std::string& relative,
                     std::string& found) {
  Platform& p = engine.platform;
  const std::string exact = root + relative;
  if (const int kind = p.FileKind(exact); kind != 0) {
    found = exact;
    return kind;
  }
  std::string path = root;
  size_t start = 0;
  while (start < relative.size()) {
    const size_t slash = relative.find('/', start);
    const size_t end = slash == std::string::npos ? relative.size() : slash;
    const std::string part = relative.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    const FolderNameCache::Listing& listing = Listed(engine, path);
    std::string onDisk = part;
    if (!listing.names.contains(part)) {
      const auto match = listing.byUpper.find(VxrUpper(part));
      if (match == listing.byUpper.end()) return 0;
      onDisk = match->second;
    }
    path += onDisk;
    if (end < relative.size()) path += '/';
  }
  const int kind = p.FileKind(path);
  if (kind != 0) found = path;
  return kind;
}

}  // namespace

std::string ResolveProjectFile(Engine& engine, const std::string& patchFolder,
                               const std::string& dataFolder, const std::string& name,
                               PatchCopy rule) {
  if (!NameStaysInFolder(name)) return "";
  std::string clean = name;
  std::replace(clean.begin(), clean.end(), '\\', '/');
  std::string found;
  if (rule != PatchCopy::Never && !engine.settings.PatchFolder.empty()) {
    const int kind =
        FindIgnoringCase(engine, engine.settings.PatchFolder + "/", patchFolder + clean, found);
    if (rule == PatchCopy::Exists ? kind != 0 : kind == 1) return found;
  }
  if (FindIgnoringCase(engine, engine.folders.DataFolder, dataFolder + clean, found) != 0) {
    return found;
  }
  return engine.folders.DataFolder + dataFolder + clean;
}

}  // namespace hopwerk
