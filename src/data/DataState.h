// Plain state of the project-wide data: settings, identity and the loading console.
#pragma once

#include <cstdint>
#include <list>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "platform/Platform.h"
#include "render/Picture.h"

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
  // Lines printed while a level plays, shown over its frames for a while rather than taking the
  // screen from the game; PlayLinesClock is ClockMillis() at the latest of them.
  std::vector<QCLine> PlayLines;
  int32_t PlayLinesClock = 0;
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

// One of the ten weapon slots; a slot without a bullet picture is empty.
struct WeaponType {
  std::string Picture;
  std::string Sound;
  PicturePtr Image;
  SoundPtr Sample;
  int32_t AmmoUsage = 0;  // 0 counted, 1 recharging, 2 unlimited
  int32_t Ammo = 0;
  int32_t MaxAmmo = 0;
  int32_t StartAmmo = 0;
  int32_t BulletSpeed = 0;
  int32_t MS = 0;
  int32_t OldTime = 0;
};

constexpr int kWeaponSlots = 10;

struct TCondition {
  int32_t Eis = 0;
  int32_t Value = 0;
  std::string Txt;
  int32_t CNot = 0;
  int32_t ID = 0;
};

struct TStatus {
  PicturePtr Image;
  int32_t X = 0;
  int32_t Y = 0;
  int32_t W = 0;
  int32_t H = 0;
  int32_t Com = 0;
  int32_t PicLoaded = 0;
  std::vector<TCondition> Condition;
  std::string Txt;
  int32_t ID = 0;
  float Alpha = 100.0f;
  int32_t R = 255;
  int32_t G = 255;
  int32_t B = 255;
};

struct Credits {
  std::string Text;
  int32_t R = 255;
  int32_t G = 255;
  int32_t B = 255;
  int32_t Align = 0;  // 0 left, 1 centred, 2 right
  int32_t Y = 0;
};

// Project-wide data of the General and Weapon archives, loaded once at start-up.
struct GameData {
  WeaponType Weapons[kWeaponSlots];
  std::vector<TStatus> StatusElements;
  int32_t NextStatusId = 0;     // element numbers count over the whole run
  int32_t NextConditionId = 0;  // condition numbers likewise
  std::map<std::string, std::string> CheatCodes;
  std::vector<Credits> CreditLines;
  int32_t CreditsMaxScroll = 0;
};

// Folder listings read for case-insensitive lookups, kept for the whole run: the project's
// files do not change while it plays.
struct FolderNameCache {
  struct Listing {
    std::unordered_set<std::string> names;                 // as they are on disk
    std::unordered_map<std::string, std::string> byUpper;  // upper case -> first of them
  };
  std::unordered_map<std::string, Listing> folders;
};

}  // namespace hopwerk
