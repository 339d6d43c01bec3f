// A saved-game slot file: the slot table reads every slot's header, then the game is loaded.
#include "FuzzSupport.h"
#include "frontend/SavedGames.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  fuzz::FuzzEngine f;
  Engine& engine = *f.engine;
  // The identity the seed files were written with.
  engine.project.ProjectIdMajor = 72;
  engine.project.ProjectIdMinor = 2026;
  engine.folders.SaveFolder = f.Home() + "/Save/";
  fuzz::WriteBytes(SlotFilePath(engine, 3), data, size);
  f.Run([](Engine& e) {
    ReadSlotTable(e);
    LoadGame(e, 3);
  });
  return 0;
}
