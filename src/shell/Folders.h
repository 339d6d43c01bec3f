// The folders every loader uses, and where per-user files live.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// "\" becomes "/", and a folder path always ends in "/".
std::string NormaliseFolder(std::string path);

// The program, data and archive folders.
void SetProgramFolders(Engine& engine);
// The per-user save folder of this project, created if missing (a notice if that fails).
void SetUpSaveFolder(Engine& engine);
// The four picture folders, made absolute once the data folder is known.
void SetPictureFolders(Engine& engine);

// The project title as one folder name: separators would lead the save folder elsewhere.
std::string SaveFolderName(const std::string& projectTitle);

}  // namespace hopwerk
