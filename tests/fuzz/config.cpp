// Config.PCF, the player's settings.
#include "frontend/Config.h"

#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  f.engine->folders.SaveFolder = f.Home() + "/Save/";
  fuzz::WriteBytes(ConfigFile(*f.engine), data, size);
  f.Run([](Engine& e) { LoadConfig(e); });
  return 0;
}
