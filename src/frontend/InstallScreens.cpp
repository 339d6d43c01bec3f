#include "frontend/InstallScreens.h"

#include "frontend/Config.h"
#include "frontend/ConfigurationScreen.h"
#include "frontend/NewGame.h"

namespace hopwerk {

void InstallFrontEndScreens(Engine& engine) {
  engine.hooks.loadConfig = LoadConfig;
  engine.hooks.newGame = NewGame;
  engine.hooks.configuration = ShowConfiguration;
}

}  // namespace hopwerk
