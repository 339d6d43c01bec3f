#include "gameplay/HandleGameKeys.h"

#include "gameplay/PauseGame.h"
#include "platform/KeyCodes.h"

namespace hopwerk {

void HandleGameKeys(Engine& engine) {
  // Held, not pressed: a player still holding F5 when the slots close gets them again.
  if (engine.platform.IsKeyDown(kKeyF5) && engine.hooks.saveGameSlots) {
    engine.hooks.saveGameSlots(engine);
  }
  // Both are read every frame, so a loss seen together with the key does not pause again after.
  const bool pauseKey = engine.platform.KeyHits(engine.settings.KeyPause) != 0;
  const bool focusLost = engine.platform.TakeFocusLoss();
  if (focusLost) engine.platform.TraceLine("Game paused: the window lost the focus");
  if (pauseKey || focusLost) PauseGame(engine);
}

}  // namespace hopwerk
