#include "gameplay/StopLevelMusic.h"

namespace hopwerk {

void StopLevelMusic(Engine& engine) {
  if (engine.level.MusicChannel != kNoChannel) {
    engine.platform.StopChannel(engine.level.MusicChannel);
  }
}

}  // namespace hopwerk
