#include "frontend/Config.h"

namespace hopwerk {

std::string ConfigFile(const Engine& engine) {
  return engine.folders.SaveFolder + "Config.PCF";
}

void LoadConfig(Engine& engine) {
  auto file = engine.platform.OpenReadFile(ConfigFile(engine));
  if (!file) return;
  PlayerSettings& settings = engine.settings;
  int32_t* const values[] = {&settings.KeyJump, &settings.KeyFire, &settings.KeyActivate,
                             &settings.KeyPause, &settings.Performance};
  while (!file->Eof()) {
    const int tag = file->ReadByte();
    if (tag < 0 || tag > 4) continue;
    // A file cut after its last tag byte keeps that setting instead of reading a phantom 0.
    if (file->Eof()) break;
    *values[tag] = file->ReadByte();
  }
  file->Close();
}

bool SaveConfig(Engine& engine) {
  auto file = engine.platform.OpenWriteFile(ConfigFile(engine));
  if (!file) return false;
  const PlayerSettings& settings = engine.settings;
  const int32_t values[] = {settings.KeyJump, settings.KeyFire, settings.KeyActivate,
                            settings.KeyPause, settings.Performance};
  for (int tag = 0; tag < 5; ++tag) {
    file->WriteByte(tag);
    file->WriteByte(values[tag] & 0xFF);
  }
  return file->Close();
}

}  // namespace hopwerk
