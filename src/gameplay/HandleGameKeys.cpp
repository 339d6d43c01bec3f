#include "gameplay/HandleGameKeys.h"

#include "gameplay/PauseGame.h"
#include "platform/KeyCodes.h"

namespace hopwerk {

void HandleGameKeys(Engine& engine) {
  // Held, not pressed: a player still holding F5 when the slots close gets them again.
  if (engine.platform.IsKeyDown(kKeyF5) && engine.hooks.saveGameSlots) {
    engine.hooks.saveGameSlots(engine);
  }
  if (engine.platform.KeyHits(engine.play.KeyPause) != 0) PauseGame(engine);
}

}  // namespace hopwerk
