// The level's own entries: its General fields and activity margins from the map's properties
// and background, its objects, and its scripts read from their readable forms beside the map.
#include <filesystem>

#include "TiledImporter.h"
#include "VxrTool.h"

namespace hopwerk {

namespace fs = std::filesystem;

void TiledImporter::LevelFields(std::string& nextLevel) {
  const EntryFormat& general = LevelEntryFormat("LEVEL/General");
  const EntryFormat& margins = LevelEntryFormat("LEVEL/PlusMinus");
  // Every field is written, so nothing of the level played before carries over.
  EntryValues g = {
      {"LevelTitle", TextValue(fs::path(map.file).stem().string().substr(0, 255))},
      {"MusicFile", TextValue("")},
      {"ClsR", NumberValue(0)},
      {"ClsG", NumberValue(0)},
      {"ClsB", NumberValue(0)},
      {"BackgroundPicName", TextValue(backgroundPic)},
      {"BackgroundDivisor", NumberValue(backgroundDivisor > 0 ? backgroundDivisor : 1)},
      {"BackgroundEffect", NumberValue(0)}};
  if (map.backgroundColor) {
    g["ClsR"] = NumberValue((*map.backgroundColor >> 16) & 0xFF);
    g["ClsG"] = NumberValue((*map.backgroundColor >> 8) & 0xFF);
    g["ClsB"] = NumberValue(*map.backgroundColor & 0xFF);
  }
  EntryValues m;
  std::string ignored;
  int ignoredCount = 0;
  for (const auto& p : map.properties) {
    const std::string where = "map property " + p.name;
    if (p.name == "NextLevel") {
      if (p.value.empty() || p.value.size() > 255) {
        report.Error(where + ": must name a level");
      } else {
        nextLevel = p.value;
      }
      continue;
    }
    const EntryField* f = FindEntryField(general, p.name);
    const bool isMargin = !f && FindEntryField(margins, p.name);
    if (!f && !isMargin) {
      ignored += (ignored.empty() ? "\"" : ", \"") + p.name + "\"";
      ++ignoredCount;
      continue;
    }
    if (p.name == "BackgroundPicName" && !backgroundLayer.empty()) {
      report.Error(where + ": and the layer \"" + backgroundLayer + "\" both give the background");
      continue;
    }
    if (p.name == "BackgroundDivisor" && !backgroundLayer.empty()) {
      report.Error(where + ": and the parallax factor of the layer \"" + backgroundLayer +
                   "\" both give it");
      continue;
    }
    EntryValue value;
    std::string why;
    if (!TiledFieldValue(isMargin ? *FindEntryField(margins, p.name) : *f, p, value, why)) {
      report.Error(where + ": \"" + p.value + "\" " + why);
      continue;
    }
    (isMargin ? m : g)[p.name] = value;
  }
  if (ignoredCount > 0) {
    report.Warning("ignored the map " +
                   std::string(ignoredCount == 1 ? "property " : "properties ") + ignored +
                   ", which the engine does not have");
  }
  if (g["BackgroundDivisor"].number < 1) {
    report.Error("map property BackgroundDivisor: must be 1 or more");
  }
  const std::string comment = "# Imported from " + fs::path(map.file).filename().string() +
                              " by vxr tiled: change the map and import it again.\n";
  out.files.emplace_back("General.hwt",
                         EntryText(general, comment, {EntryElementText(general, g)}));
  if (!m.empty()) {
    const EntryValues all = {{"PlusX", NumberValue(5000)},
                             {"PlusY", NumberValue(5000)},
                             {"MinusX", NumberValue(5000)},
                             {"MinusY", NumberValue(5000)}};
    out.files.emplace_back("PlusMinus.hwt",
                           EntryText(margins, comment, {EntryElementText(margins, m, all)}));
  }
  out.files.emplace_back("Objects.hwt", EntryText(objectsFormat, comment, objectTexts));
}

// The scripts the level names, read from NAME.hwt beside the map, and the ones those chain to
// (a checkpoint's chained script is loaded again at every restart).
void TiledImporter::Scripts(const std::string& nextLevel) {
  const EntryFormat& format = LevelEntryFormat("LEVEL/Script/NAME");
  const fs::path folder = fs::path(map.file).parent_path();
  std::set<std::string> done;
  std::vector<std::string> todo = scriptNames;
  if (!nextLevel.empty()) {
    if (fs::exists(folder / "Finish.hwt")) {
      report.Error(
          "has the map property NextLevel, which makes the script Finish, and Finish.hwt lies "
          "beside it too");
    }
    const std::string comment = "# The level's end, from the map property NextLevel.\n";
    EntryValues s = {{"UID", TextValue("Finish")},
                     {"Command", NumberValue(kLevelEnd)},
                     {"NextLevel", TextValue(nextLevel)}};
    out.files.emplace_back("Script/Finish.hwt",
                           EntryText(format, comment, {EntryElementText(format, s)}));
    done.insert("Finish");
  }
  std::error_code ec;
  if (fs::is_regular_file(folder / "Start.hwt", ec)) todo.push_back("Start");
  while (!todo.empty()) {
    const std::string name = todo.back();
    todo.pop_back();
    if (!done.insert(name).second) continue;
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of("/\\") != std::string::npos ||
        levelName.size() + name.size() + 8 > 255) {
      report.Error("names the script \"" + name + "\", which cannot be a file beside the map");
      continue;
    }
    const fs::path file = folder / (name + kEntryTextExtension);
    if (!fs::is_regular_file(file, ec)) {
      report.Error("names the script \"" + name + "\", but " + file.string() + " is missing");
      continue;
    }
    if (fs::file_size(file, ec) > static_cast<uintmax_t>(kMaxTiledFileBytes)) {
      report.Error(file.string() + ": is too large");
      continue;
    }
    out.sources.push_back(file.string());
    const std::vector<uint8_t> raw = ReadWholeFile(file.string());
    const std::string text(raw.begin(), raw.end());
    std::vector<uint8_t> bytes;
    EntryTextError error;
    if (!EntryTextToBytes(format, text, bytes, error)) {
      report.Error(file.string() + ":" + std::to_string(error.line) + ": " + error.message);
      continue;
    }
    std::string canonical, reason;
    if (!EntryBytesToText(format, bytes, canonical, reason)) {
      report.Error(file.string() + ": " + reason);
      continue;
    }
    // Chained scripts are named in the canonical text as `ChainScript = "NAME"`.
    size_t at = 0;
    while ((at = canonical.find("ChainScript = ", at)) != std::string::npos) {
      at += 14;
      size_t pos = at;
      std::string chained;
      if (UnquoteEntryText(canonical, pos, chained, reason) && !chained.empty()) {
        todo.push_back(chained);
      }
    }
    out.files.emplace_back("Script/" + name + kEntryTextExtension, text);
  }
}

}  // namespace hopwerk
