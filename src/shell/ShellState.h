// Plain state of the engine shell: folders, the glow effect and the front end's chain code.
#pragma once

#include <cstdint>
#include <string>

#include "render/Picture.h"

namespace hopwerk {

struct Folders {
  std::string BuildKind;
  std::string AppFolder;
  std::string DataFolder;
  std::string ArchiveFolder;
  std::string SaveFolder;
  std::string LevelPictureFolder = "GFX/Level/Pictures/";
  std::string ActorPictureFolder = "GFX/Level/Actors/";
  std::string CollectablePictureFolder = "GFX/Level/Collectable/";
  std::string StatusPictureFolder = "GFX/Status/";
};

constexpr int kGlowBlobs = 60;

struct GlowState {
  PicturePtr GlowPicture;
  int BlobX[kGlowBlobs] = {};
  int BlobY[kGlowBlobs] = {};
  int BlobDX[kGlowBlobs] = {};
  int BlobDY[kGlowBlobs] = {};
  int BlobSpeedX[kGlowBlobs] = {};
  int BlobSpeedY[kGlowBlobs] = {};
  float BlobAngle[kGlowBlobs] = {};
  int BlobAreaWidth = 1024;
  int BlobAreaHeight = 768;
};

// Where the front end goes next. The shell's loop dispatches on it and its main menu sets it;
// the screens wired in from above (new game, level play, saved games) set it to hand on.
struct ShellState {
  // 0 main menu, 1 new game, 2 start the level, 3 continue the level, 4 load a saved game.
  int32_t GameState = 0;
};

}  // namespace hopwerk
