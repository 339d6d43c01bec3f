// vxr tiled: a map drawn in Tiled becomes a level's readable sources, ready for vxr pack.
#include <stdlib.h>

#include <filesystem>
#include <iostream>

#include "PlayerActor.h"
#include "TiledImport.h"
#include "TiledMap.h"
#include "VxrTool.h"
#include "files/FileWriter.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

// A fresh, empty folder beside `target`, named after it.
fs::path FreshSibling(const fs::path& target, const std::string& what) {
  std::string pattern =
      (target.parent_path() / ("." + target.filename().string() + "." + what + "-XXXXXX")).string();
  if (!mkdtemp(pattern.data())) {
    throw ToolError{target.parent_path().string() + ": cannot make a folder to write into"};
  }
  return pattern;
}

void WriteLevelFiles(const fs::path& folder, const ImportedLevel& level) {
  for (const auto& [name, text] : level.files) {
    const fs::path file = folder / name;
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    if (ec || !WriteFileAtomically(file.string(), text.data(), text.size())) {
      throw ToolError{file.string() + ": cannot write"};
    }
  }
}

}  // namespace

int TiledCommand(const std::string& mapPath, const std::string& levelFolder,
                 const std::string& dataFolder, TiledImportOptions options) {
  fs::path target = fs::path(levelFolder).lexically_normal();
  if (!target.has_filename() && target.has_parent_path()) target = target.parent_path();
  const std::string levelName = target.filename().string();
  if (levelName.empty() || levelName == "." || levelName == "..") {
    throw ToolError{levelFolder + ": not a folder name a level can take", 2};
  }
  if (levelName.size() > 200) throw ToolError{levelFolder + ": the level's name is too long"};
  if (target.parent_path().empty()) target = fs::path(".") / target;
  const fs::path data =
      dataFolder.empty() ? target.parent_path() / ".." / "Data" : fs::path(dataFolder);

  // A player the map places without naming its actor is the project's own player.
  const std::string player = FindPlayerActor((data / "..").lexically_normal().string());
  if (!player.empty()) options.playerType = player;
  TiledImportResult result = ImportTiledFile(mapPath, levelName, options);
  std::cout.flush();
  for (const TiledMessage& m : result.messages) {
    std::cerr << "vxr: " << FormatTiledMessage(m) << "\n";
  }
  if (result.HasErrors() || !result.level) {
    std::cerr << "vxr: " << mapPath << ": the level was not written\n";
    return 1;
  }
  const ImportedLevel& level = *result.level;

  std::error_code ec;
  fs::create_directories(target.parent_path(), ec);
  if (ec)
    throw ToolError{target.parent_path().string() + ": cannot make the folder: " + ec.message()};
  // The level is written beside its folder and put in place whole at the end, so a failure
  // anywhere leaves the folder as it was.
  const fs::path fresh = FreshSibling(target, "tiled");
  try {
    WriteLevelFiles(fresh, level);
    for (const auto& picture : level.pictures->All()) {
      const fs::path file = (data / picture->relative).lexically_normal();
      fs::create_directories(file.parent_path(), ec);
      if (ec || !WriteCutPicture(*picture, file.string())) {
        throw ToolError{file.string() + ": cannot write"};
      }
    }
    if (fs::exists(fs::symlink_status(target, ec))) {
      if (!fs::is_directory(fs::symlink_status(target, ec))) {
        throw ToolError{target.string() + ": not a folder; it is left as it is"};
      }
      const fs::path old = FreshSibling(target, "old");
      fs::rename(target, old, ec);
      if (ec) {
        fs::remove(old);
        throw ToolError{target.string() + ": cannot replace: " + ec.message()};
      }
      fs::rename(fresh, target, ec);
      if (ec) {
        std::error_code back;
        fs::rename(old, target, back);
        throw ToolError{target.string() + ": cannot replace: " + ec.message()};
      }
      fs::remove_all(old, ec);
    } else {
      fs::rename(fresh, target, ec);
      if (ec) throw ToolError{target.string() + ": cannot write: " + ec.message()};
    }
  } catch (...) {
    fs::remove_all(fresh, ec);
    throw;
  }
  std::cout << "level " << levelName << ": " << level.objects << " objects, " << level.files.size()
            << " files in " << target.string() << ", " << level.pictures->All().size()
            << " pictures under " << data.lexically_normal().string() << "\n";
  return 0;
}

}  // namespace hopwerk
