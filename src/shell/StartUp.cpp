#include "shell/StartUp.h"

#include "data/GeneralLoading.h"
#include "data/ProjectSettings.h"
#include "shell/DriverChoice.h"
#include "shell/Folders.h"
#include "shell/FrontEnd.h"
#include "shell/GameDisplay.h"
#include "shell/TitleView.h"

namespace hopwerk {

void RunProgram(Engine& engine, StartMode mode) {
  // The engine's tables start at their defaults by construction; weapons remember when the
  // table was made as the time of their last shot.
  for (WeaponType& weapon : engine.data.Weapons) weapon.OldTime = engine.platform.ClockMillis();
  engine.folders.BuildKind = "Release Version";
  SetProgramFolders(engine);
  ReadProjectSettings(engine);
  SetUpSaveFolder(engine);
  if (engine.hooks.loadConfig) engine.hooks.loadConfig(engine);
  SetPictureFolders(engine);
  const bool straightToPlay = mode == StartMode::Play && engine.hooks.quickStart;
  if (straightToPlay) {
    UseRememberedDriver(engine);
  } else {
    RunDriverChoice(engine);
  }
  ReadProjectSettings(engine);
  OpenGameDisplay(engine);
  GeneralLoading(engine);
  if (straightToPlay) {
    engine.hooks.quickStart(engine);
  } else {
    TitleView(engine);
  }
  FrontEndLoop(engine);
}

}  // namespace hopwerk
