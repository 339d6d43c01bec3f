#include "FuzzSupport.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "shell/Folders.h"

namespace hopwerk::fuzz {

namespace fs = std::filesystem;

namespace {

// One change watcher for every engine of the process, with one archive watched for the whole
// run. Each engine's own watcher would put fresh watches on "/" and the temporary folder, and the
// kernel walks every name it remembers in a folder it starts watching: with the folders each run
// makes and removes there, that walk soon was most of the time of a run.
std::shared_ptr<VxrWatcher> SharedWatcher() {
  static test::TempDir anchorFolder;
  static VxrWatchSet anchor;
  static const std::shared_ptr<VxrWatcher> watcher = [] {
    const std::string path = anchorFolder.path() + "/Anchor.vxr";
    if (!WriteVxrArchive(path, {})) std::abort();
    auto created = VxrWatcher::Create();
    if (created) created->Watch(path, anchor);
    return created;
  }();
  return watcher;
}

}  // namespace

FuzzEngine::FuzzEngine() {
  run.options.output = [](const std::string&) {};
  run.options.frameLimit = 20;
  fs::create_directories(run.project.path() + "/VXR");
  engine = &run.Start();
  engine->vxr.watcher = SharedWatcher();
  engine->vxr.watcherTried = true;
  SetProgramFolders(*engine);
  SetPictureFolders(*engine);
  run.platform->OpenDisplay(160, 120, 0, 60);
  engine->project.ScreenWidth = 160;
  engine->project.ScreenHeight = 120;
}

void FuzzEngine::WriteArchive(const std::string& name, const std::vector<VxrWriteEntry>& entries) {
  if (!WriteVxrArchive(run.project.path() + "/VXR/" + name, entries)) std::abort();
}

std::vector<VxrWriteEntry> ReadArchive(const std::string& path) {
  FuzzEngine f;
  std::vector<VxrWriteEntry> entries;
  f.Run([&](Engine& e) {
    VXR_ReadDir(e.vxr, path);
    for (std::string n = VXR_NextFile(e.vxr); !n.empty(); n = VXR_NextFile(e.vxr)) {
      entries.push_back({n, {}, 0});
    }
    VXR_CloseDir(e.vxr);
    for (VxrWriteEntry& entry : entries) {
      VXRStreamPtr s = VXR_Open(e.vxr, path, entry.name);
      while (s && VXR_EOF(e.vxr, s.get()) == 0) {
        entry.data.push_back(static_cast<uint8_t>(VXR_Read(e.vxr, s.get())));
      }
    }
  });
  return entries;
}

std::vector<uint8_t> ToVector(const uint8_t* data, size_t size) {
  return size == 0 ? std::vector<uint8_t>() : std::vector<uint8_t>(data, data + size);
}

std::string ToString(const uint8_t* data, size_t size) {
  return size == 0 ? std::string() : std::string(reinterpret_cast<const char*>(data), size);
}

void WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (size > 0) out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) std::abort();
}

std::vector<std::vector<uint8_t>> SplitParts(const uint8_t* data, size_t size, size_t count) {
  std::vector<std::vector<uint8_t>> parts(count);
  const size_t sepLength = std::strlen(kPartSeparator);
  const auto* sep = reinterpret_cast<const uint8_t*>(kPartSeparator);
  size_t start = 0;
  for (size_t part = 0; part < count; ++part) {
    size_t end = size;
    if (part + 1 < count) {
      for (size_t i = start; i + sepLength <= size; ++i) {
        if (std::memcmp(data + i, sep, sepLength) == 0) {
          end = i;
          break;
        }
      }
    }
    parts[part].assign(data + start, data + end);
    start = end == size ? size : end + sepLength;
  }
  return parts;
}

}  // namespace hopwerk::fuzz
