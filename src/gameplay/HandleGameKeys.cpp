#include "gameplay/HandleGameKeys.h"

#include "gameplay/PauseGame.h"

namespace hopwerk {

void HandleGameKeys(Engine& engine) {
  if (engine.platform.KeyHits(engine.play.KeyPause) != 0) PauseGame(engine);
}

}  // namespace hopwerk
