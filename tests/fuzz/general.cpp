// The entries of the General archive read at start-up: the first byte picks GenData, ID,
// Cheats, a weapon or the status screen, the rest is that entry.
#include "FuzzSupport.h"
#include "data/Cheats.h"
#include "data/GeneralLoading.h"
#include "data/ProjectSettings.h"
#include "data/StatusScreen.h"
#include "data/Weapons.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace hopwerk;
  if (size == 0) return 0;
  fuzz::FuzzEngine f;
  const int which = data[0] % 5;
  std::vector<uint8_t> entry = fuzz::ToVector(data + 1, size - 1);
  static const char* const kNames[] = {"GenData", "ID", "Cheats", "Weapon.0", "Score"};
  if (which == 3) {
    f.WriteArchive("Weapon.vxr", {{"Weapon.0", entry, 0}});
  } else {
    f.WriteArchive("General.vxr", {{kNames[which], entry, 0}});
  }
  f.Run([which](Engine& e) {
    switch (which) {
      case 0:
        ReadProjectSettings(e);
        break;
      case 1:
        GeneralLoading(e);
        break;
      case 2:
        LoadCheats(e);
        break;
      case 3:
        LoadWeapons(e);
        break;
      default:
        e.data.StatusElements = LoadStatusScreen(e, GeneralArchivePath(e), "Score");
        DrawStatusScreen(e, e.data.StatusElements);
        break;
    }
  });
  return 0;
}
