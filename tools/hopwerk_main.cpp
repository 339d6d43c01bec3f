// hopwerk: plays the game project that sits beside the executable.
#include "engine/Engine.h"
#include "frontend/InstallScreens.h"
#include "gameplay/StartLevel.h"
#include "platform/SdlPlatform.h"
#include "shell/StartUp.h"

int main() {
  int status = 0;
  {
    hopwerk::SdlPlatform platform;
    hopwerk::Engine engine(platform);
    hopwerk::InstallFrontEndScreens(engine);
    hopwerk::InstallLevelPlay(engine);
    try {
      hopwerk::RunProgram(engine);
    } catch (const hopwerk::ProgramEnd& end) {
      status = end.status;
    }
  }
  return status;
}
