#include "gameplay/UpdateAndDrawFrame.h"

#include "data/Console.h"
#include "gameplay/DrawScope.h"
#include "gameplay/FrameSteps.h"

namespace hopwerk {

void UpdateAndDrawFrame(Engine& engine) {
  const DrawStateScope drawing(engine.platform);
  UpdateCamera(engine);
  DrawLevelBackground(engine);
  DrawLevelObjects(engine);
  MoveAndDrawBullets(engine);
  MoveAndDrawEnemyBullets(engine);
  DrawFloatingTexts(engine);
  DrawWallView(engine);
  DrawEnergyBar(engine);
  DrawStatus(engine);
  ShowLevelCompleted(engine);
  DrawPlayConsole(engine);
}

}  // namespace hopwerk
