#include "data/GeneralPictures.h"

#include "data/Console.h"
#include "platform/Paths.h"

namespace hopwerk {

namespace {

// Menu items and cursors are drawn at their left edge, centred on their row.
void HandleLeftMiddle(const PicturePtr& picture) {
  if (picture) SetPictureHandle(*picture, 0, picture->height / 2);
}

}  // namespace

PicturePtr LoadGeneralPicture(Engine& engine, const std::string& name, bool builtIn) {
  Platform& p = engine.platform;
  std::string suffix;
  PicturePtr picture;
  if (builtIn) {
    p.TraceLine("Internal file IncBin/GFX/" + name);
    picture = p.LoadPicture("incbin::IncBin/GFX/" + name);
    suffix = " (Internal file)";
  } else {
    picture = p.LoadPicture(JoinDataName(engine.folders.DataFolder + "GFX/General/", name).path);
  }
  if (picture) {
    ConsolePrint(engine, "Loaded Image: " + name + suffix, 255, 255, 255);
  } else {
    ConsolePrint(engine, "Not Loaded Image: " + name + suffix, 255, 0, 0);
    if (builtIn) FatalError(engine, "*Internal picture not found!");
  }
  return picture;
}

void LoadFrontEndPictures(Engine& engine) {
  FrontEndPictures& pics = engine.pictures;
  pics.DotPic = LoadGeneralPicture(engine, "Dot.png", true);
  pics.LogoPic = LoadGeneralPicture(engine, "Logo.png", false);
  pics.TitlePic = LoadGeneralPicture(engine, "Title.png", false);
  pics.MenuPic = LoadGeneralPicture(engine, "Menu.png", false);
  pics.CursorPic = LoadGeneralPicture(engine, "Cursor.png", false);
  if (!pics.CursorPic) pics.CursorPic = LoadGeneralPicture(engine, "Cursor.png", true);
  HandleLeftMiddle(pics.CursorPic);
  for (int i = 0; i <= 5; ++i) {
    pics.MenuItemPics[i] = LoadGeneralPicture(engine, "Menu" + std::to_string(i) + ".png", false);
    HandleLeftMiddle(pics.MenuItemPics[i]);
  }
  for (int i = 1; i <= 6; ++i) {
    pics.EpisodePics[i] = LoadGeneralPicture(engine, "Episode" + std::to_string(i) + ".png", false);
    HandleLeftMiddle(pics.EpisodePics[i]);
  }
  for (int i = 1; i <= 3; ++i) {
    pics.SkillPics[i - 1] = LoadGeneralPicture(engine, "Skill" + std::to_string(i) + ".png", false);
    HandleLeftMiddle(pics.SkillPics[i - 1]);
    pics.SkillPreviewPics[i - 1] =
        LoadGeneralPicture(engine, "SkillP" + std::to_string(i) + ".png", false);
  }
  pics.GetReadyPic = LoadGeneralPicture(engine, "GetReady.png", false);
  if (pics.GetReadyPic) CentrePictureHandle(*pics.GetReadyPic);
  pics.LevelCompletedPic = LoadGeneralPicture(engine, "LevelCompleted.png", false);
  if (pics.LevelCompletedPic) CentrePictureHandle(*pics.LevelCompletedPic);
  pics.SaveGamePic = LoadGeneralPicture(engine, "SaveGame.png", false);
  pics.YouWinPic = LoadGeneralPicture(engine, "You Win.png", false);
}

}  // namespace hopwerk
