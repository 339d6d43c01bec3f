// A level as LoadLevel reads it. The input holds, split at the part separator: the level's
// General, Objects, PlusMinus and Script/Start entries, then an actor definition, a collectable
// definition and an enemy weapon, each of the last three as its name, a newline and its bytes.
// The demo's pictures, sounds and other definitions are there too, so a level gets past them.
#include <algorithm>
#include <filesystem>
#include <map>

#include "FuzzSupport.h"
#include "gameplay/LoadLevel.h"

namespace {

hopwerk::VxrWriteEntry Named(const std::vector<uint8_t>& part, const std::string& prefix) {
  size_t newline = 0;
  while (newline < part.size() && part[newline] != '\n') ++newline;
  // An archive holds names of up to 255 bytes, the prefix included.
  const size_t kept = std::min(newline, 255 - prefix.size());
  const std::string name(part.begin(), part.begin() + static_cast<std::ptrdiff_t>(kept));
  std::vector<uint8_t> bytes;
  if (newline < part.size())
    bytes.assign(part.begin() + static_cast<std::ptrdiff_t>(newline) + 1, part.end());
  return {prefix + (name.empty() ? "Unnamed" : name), bytes, 0};
}

// The entries of one of the demo's archives with `entry` put in (replacing one of its name).
std::vector<hopwerk::VxrWriteEntry> WithDemo(const std::string& archive,
                                             hopwerk::VxrWriteEntry entry) {
  static std::map<std::string, std::vector<hopwerk::VxrWriteEntry>> demo;
  if (!demo.count(archive))
    demo[archive] = hopwerk::fuzz::ReadArchive(std::string(HOPWERK_BIN_DIR) + "/VXR/" + archive);
  std::vector<hopwerk::VxrWriteEntry> entries = demo[archive];
  for (auto& e : entries) {
    if (e.name == entry.name) {
      e = std::move(entry);
      return entries;
    }
  }
  entries.push_back(std::move(entry));
  return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  const auto parts = fuzz::SplitParts(data, size, 7);
  std::error_code ec;
  std::filesystem::create_directory_symlink(std::string(HOPWERK_BIN_DIR) + "/Data",
                                            f.Project() + "/Data", ec);
  f.WriteArchive("Maps.vxr", {{"L1/General", parts[0], 0},
                              {"L1/Objects", parts[1], 0},
                              {"L1/PlusMinus", parts[2], 0},
                              {"L1/Script/Start", parts[3], 0}});
  f.WriteArchive("Actors.vxr", WithDemo("Actors.vxr", Named(parts[4], "")));
  f.WriteArchive("Collectables.vxr", WithDemo("Collectables.vxr", Named(parts[5], "")));
  f.WriteArchive("Weapon.vxr", WithDemo("Weapon.vxr", Named(parts[6], "Enemy/")));
  Engine& engine = *f.engine;
  engine.session.CurrentLevelName = "L1";
  engine.session.CheckpointList = {"Start"};
  engine.session.Skill = 1;
  f.Run([](Engine& e) { LoadLevel(e); });
  return 0;
}
