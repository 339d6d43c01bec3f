#include "frontend/InstallScreens.h"

#include "frontend/Config.h"
#include "frontend/NewGame.h"

namespace hopwerk {

void InstallFrontEndScreens(Engine& engine) {
  engine.hooks.loadConfig = LoadConfig;
  engine.hooks.newGame = NewGame;
}

}  // namespace hopwerk
