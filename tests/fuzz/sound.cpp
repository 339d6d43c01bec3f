// Sound files as the engine opens them (WAV and Ogg, told apart by their bytes): the probe both
// platforms make, then the decoding the window platform does before the mixer gets the sound.
#include "FuzzSupport.h"
#include "codec/SoundDecode.h"
#include "platform/SdlWav.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  const std::string path = f.Project() + "/Data/Sound/Fuzz.wav";
  fuzz::WriteBytes(path, data, size);
  f.Run([&path](Engine& e) {
    SoundPtr sound = e.platform.LoadSoundFile(path, false);
    if (sound) e.platform.PlaySoundOn(sound);
  });
  const std::string bytes = fuzz::ToString(data, size);
  const std::string wav = OggToWav(bytes);
  CheckedWav(wav.empty() ? bytes : wav);
  return 0;
}
