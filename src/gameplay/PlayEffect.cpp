#include "gameplay/PlayEffect.h"

namespace hopwerk {

void PlayEffect(Engine& engine, const SoundPtr& sound) {
  if (!sound) return;
  engine.platform.PlaySoundOn(sound);
}

}  // namespace hopwerk
