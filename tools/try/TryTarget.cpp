#include "try/TryTarget.h"

#include <filesystem>

#include "archive/VxrIndex.h"

namespace hopwerk {

namespace fs = std::filesystem;

namespace {

bool IsMapFile(const fs::path& path) {
  const std::string ext = VxrUpper(path.extension().string());
  return ext == ".TMX" || ext == ".TMJ" || ext == ".JSON";
}

}  // namespace

bool LevelNameFits(const std::string& name) {
  // Room is left for "/Script/" and a script's name within the archive's 255 bytes.
  return !name.empty() && name.size() <= 200 && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string::npos && name.find('\0') == std::string::npos;
}

bool ParseTryTarget(const std::string& argument, const std::string& workingFolder,
                    TryTarget& target, std::string& problem) {
  if (argument.empty()) {
    problem = "--try needs a map, a level folder or a level's name";
    return false;
  }
  fs::path path = fs::path(argument);
  if (path.is_relative()) path = fs::path(workingFolder) / path;
  path = path.lexically_normal();
  if (!path.has_filename() && path.has_parent_path()) path = path.parent_path();

  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (fs::is_regular_file(status)) {
    if (!IsMapFile(path)) {
      problem = argument + " is not a map drawn in Tiled (.tmx, .tmj or .json)";
      return false;
    }
    target.kind = TryKind::Map;
    target.level = path.stem().string();
    target.shown = path.filename().string();
  } else if (fs::is_directory(status)) {
    target.kind = TryKind::LevelFolder;
    target.level = path.filename().string();
    target.shown = target.level + "/";
  } else if (fs::exists(status)) {
    problem = argument + " is neither a map file nor a level folder";
    return false;
  } else if (argument.find_first_of("/\\") != std::string::npos || IsMapFile(argument)) {
    problem = argument + ": no such file or folder";
    return false;
  } else {
    target.kind = TryKind::ProjectLevel;
    target.level = argument;
    target.shown = argument;
    return true;
  }
  if (!LevelNameFits(target.level)) {
    problem = argument + ": \"" + target.level + "\" cannot name a level";
    return false;
  }
  target.path = path.generic_string();
  return true;
}

}  // namespace hopwerk
