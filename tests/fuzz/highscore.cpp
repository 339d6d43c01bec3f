// The high-score file: loaded, then every episode's table drawn.
#include "FuzzSupport.h"
#include "frontend/HighScoreFile.h"
#include "frontend/HighScoreScreens.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  f.engine->folders.SaveFolder = f.Home() + "/Save/";
  fuzz::WriteBytes(HighScoreFilePath(*f.engine), data, size);
  f.Run([](Engine& e) {
    LoadHighScores(e);
    for (int episode = 0; episode < 6; ++episode) DrawHighScores(e, episode, episode % 3, -1);
  });
  return 0;
}
