#include "frontend/NewGame.h"

#include <algorithm>

#include "data/Console.h"
#include "frontend/EpisodeList.h"
#include "platform/KeyCodes.h"

namespace hopwerk {

const char* const kSkillNames[3] = {"Easy", "Medium", "Hard"};

namespace {

bool Confirmed(Platform& p) {
  return p.KeyHits(kKeyEnter) != 0 || p.KeyHits(kKeySpace) != 0;
}

// These screens have no way back to the main menu. Escape presses are taken here so that one
// pressed in a menu does not pop up the quit prompt on the level's first frame.
void IgnoreEscape(Platform& p) {
  p.KeyHits(kKeyEscape);
}

void DrawEpisodeMenu(Engine& engine, int count, int selection) {
  Platform& p = engine.platform;
  const FrontEndPictures& pics = engine.pictures;
  p.ClearScreen();
  if (pics.MenuPic) p.DrawPicture(*pics.MenuPic, 0, 0, 0);
  for (int j = 1; j <= count; ++j) {
    const int y = (j - 1) * 50 + 150;
    if (pics.EpisodePics[j]) {
      p.DrawPicture(*pics.EpisodePics[j], 100, static_cast<float>(y), 0);
    } else {
      p.DrawTextAt("Episode " + std::to_string(j), 100, static_cast<float>(y - p.FontHeight()));
    }
  }
  if (pics.CursorPic) {
    p.DrawPicture(*pics.CursorPic, 2, static_cast<float>((selection - 1) * 50 + 150), 0);
  }
  p.PresentFrame(-1);
}

}  // namespace

void ChooseEpisode(Engine& engine) {
  Platform& p = engine.platform;
  const std::string general = engine.folders.ArchiveFolder + "General.vxr";
  p.TraceLine("FileType(\"" + general + "\") = " + std::to_string(p.FileKind(general)));
  EndOnLoadError(engine, ReadEpisodeEntry(engine));
  ApplyEpisodePatchFile(engine);
  const auto& levels = engine.frontend.EpisodeStartLevels;
  if (levels[1].empty()) FatalError(engine, "First level not given up.");
  if (levels[2].empty()) {
    engine.session.CurrentLevelName = levels[1];
    return;
  }
  const int count = CountOfferedEpisodes(engine);
  int selection = 1;
  for (;;) {
    DrawEpisodeMenu(engine, count, selection);
    IgnoreEscape(p);
    if (p.KeyHits(kKeyDown) != 0 && selection < count) ++selection;
    if (p.KeyHits(kKeyUp) != 0 && selection > 1) --selection;
    if (Confirmed(p)) {
      engine.session.CurrentLevelName = levels[static_cast<size_t>(selection)];
      engine.session.Episode = selection;
      return;
    }
  }
}

void ChooseSkill(Engine& engine) {
  Platform& p = engine.platform;
  const FrontEndPictures& pics = engine.pictures;
  int previewX = 200;
  int selection = 1;
  for (;;) {
    p.ClearScreen();
    if (pics.MenuPic) p.DrawPicture(*pics.MenuPic, 0, 0, 0);
    for (int i = 0; i <= 2; ++i) {
      const int y = i * 50 + 150;
      if (pics.SkillPics[i]) {
        p.DrawPicture(*pics.SkillPics[i], 100, static_cast<float>(y), 0);
        // The preview stands right of the widest skill picture seen so far.
        previewX = std::max(previewX, PictureWidth(*pics.SkillPics[i]) + 200);
      } else {
        p.DrawTextAt(kSkillNames[i], 100, static_cast<float>(y - p.FontHeight()));
      }
    }
    if (pics.CursorPic) {
      p.DrawPicture(*pics.CursorPic, 2, static_cast<float>(selection * 50 + 150), 0);
    }
    if (pics.SkillPreviewPics[selection]) {
      p.DrawPicture(*pics.SkillPreviewPics[selection], static_cast<float>(previewX), 150, 0);
    }
    IgnoreEscape(p);
    if (p.KeyHits(kKeyDown) != 0 && selection < 2) ++selection;
    if (p.KeyHits(kKeyUp) != 0 && selection > 0) --selection;
    if (Confirmed(p)) {
      engine.session.Skill = selection;
      return;
    }
    p.PresentFrame(-1);
  }
}

void ChooseStartWeapon(Engine& engine) {
  engine.session.SelectedWeapon = -1;
  for (int i = kWeaponSlots - 1; i >= 0; --i) {
    WeaponType& weapon = engine.data.Weapons[i];
    weapon.Ammo = weapon.StartAmmo;
    if (weapon.Ammo != 0 || weapon.AmmoUsage == 1 || weapon.AmmoUsage == 2) {
      engine.session.SelectedWeapon = i;
    }
  }
  engine.platform.TraceLine("Chosen Weapon: " + std::to_string(engine.session.SelectedWeapon));
}

namespace {

// What every new game starts with once its level and skill are settled.
void BeginGame(Engine& engine) {
  SessionState& session = engine.session;
  ShellState& shell = engine.shell;
  session.Score = 0;
  session.Kills = 0;
  session.Deaths = 0;
  session.Items = 0;
  shell.GameState = 2;
  ChooseStartWeapon(engine);
}

}  // namespace

void NewGame(Engine& engine) {
  ChooseEpisode(engine);
  ChooseSkill(engine);
  BeginGame(engine);
}

void NewGameInLevel(Engine& engine, const std::string& level, int skill) {
  engine.session.CurrentLevelName = level;
  engine.session.Episode = 1;
  engine.session.Skill = skill;
  BeginGame(engine);
}

}  // namespace hopwerk
