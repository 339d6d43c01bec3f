#include "frontend/InstallScreens.h"

#include "frontend/Config.h"

namespace hopwerk {

void InstallFrontEndScreens(Engine& engine) {
  engine.hooks.loadConfig = LoadConfig;
}

}  // namespace hopwerk
