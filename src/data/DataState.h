// Plain state of the project-wide data: settings, identity and the loading console.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Picture.h"

namespace hopwerk {

struct PDDType {
  int32_t DH = 0;
  int32_t DW = 0;
};

struct ProjectSettings {
  std::string ProjectTitle;
  std::string ProjectAuthor;
  int32_t ScreenWidth = 0;
  int32_t ScreenHeight = 0;
  int32_t FullScreen = 0;
  int32_t ProjectIdMajor = 0;
  int32_t ProjectIdMinor = 0;
  PDDType PDD;
};

struct QCLine {
  std::string Text;
  int32_t R = 0;
  int32_t G = 0;
  int32_t B = 0;
};

struct ConsoleState {
  std::vector<QCLine> ConsoleLines;
  int32_t ConsoleHeight = 0;  // 0: the display's height
};

// Pictures of the front-end screens; null where the project has none.
struct FrontEndPictures {
  PicturePtr DotPic;
  PicturePtr LogoPic;
  PicturePtr TitlePic;
  PicturePtr MenuPic;
  PicturePtr CursorPic;
  PicturePtr MenuItemPics[6];
  PicturePtr EpisodePics[7];  // 1..6
  PicturePtr SkillPics[3];
  PicturePtr SkillPreviewPics[3];
  PicturePtr GetReadyPic;
  PicturePtr LevelCompletedPic;
  PicturePtr SaveGamePic;
  PicturePtr YouWinPic;
};

}  // namespace hopwerk
