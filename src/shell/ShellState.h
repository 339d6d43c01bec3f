// Plain state of the engine shell: folders and the glow effect.
#pragma once

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

}  // namespace hopwerk
