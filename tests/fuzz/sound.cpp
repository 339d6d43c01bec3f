// Sound files as the engine opens them (WAV and Ogg, told apart by their bytes).
#include "FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  const std::string path = f.Project() + "/Data/Sound/Fuzz.wav";
  fuzz::WriteBytes(path, data, size);
  f.Run([&path](Engine& e) {
    SoundPtr sound = e.platform.LoadSoundFile(path, false);
    if (sound) e.platform.PlaySoundOn(sound);
  });
  return 0;
}
