#include "shell/Folders.h"

#include <algorithm>

namespace hopwerk {

std::string NormaliseFolder(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty() || path.back() != '/') path += '/';
  return path;
}

void SetProgramFolders(Engine& engine) {
  Folders& f = engine.folders;
  f.AppFolder = NormaliseFolder(engine.platform.ProgramFolder());
  f.DataFolder = f.AppFolder + "Data/";
  f.ArchiveFolder = f.AppFolder + "VXR/";
}

std::string SaveFolderName(const std::string& projectTitle) {
  // A title is project data: "/", "\" or a bare ".." must not steer saved games out of the
  // per-user folder. Ordinary titles are left exactly as they are.
  std::string name = projectTitle;
  std::replace(name.begin(), name.end(), '/', '_');
  std::replace(name.begin(), name.end(), '\\', '_');
  if (name == "." || name == "..") name = std::string(name.size(), '_');
  return name;
}

void SetUpSaveFolder(Engine& engine) {
  Platform& p = engine.platform;
  Folders& f = engine.folders;
  f.SaveFolder = NormaliseFolder(p.UserDocumentsFolder()) + "Hopwerk/Save/" +
                 SaveFolderName(engine.project.ProjectTitle) + "/";
  if (!p.MakeFolder(f.SaveFolder, true)) {
    p.ShowNotice(
        "Warning. The savegame folder could not be created\nYou can still play, but you cannot "
        "save the game!",
        false);
  }
  p.SetWindowTitle(engine.project.ProjectTitle);
}

void SetPictureFolders(Engine& engine) {
  Folders& f = engine.folders;
  f.LevelPictureFolder = f.DataFolder + "GFX/Level/Pictures/";
  f.ActorPictureFolder = f.DataFolder + "GFX/Level/Actors/";
  f.CollectablePictureFolder = f.DataFolder + "GFX/Level/Collectable/";
  f.StatusPictureFolder = f.DataFolder + "GFX/Status/";
}

}  // namespace hopwerk
