// demo-art OUTPUT_DATA_DIR [PATCH_DATA_DIR]: paints the demo game's pictures and synthesises its
// sounds into the Data folder of the demo project, with the levels' music, and, when given, the
// pictures of the DemoPack patch into its Data folder. Everything is generated,
// deterministically.
#include <filesystem>
#include <iostream>
#include <string>

#include "FrontEndArt.h"
#include "LevelArt.h"
#include "PixelArt.h"
#include "SoundArt.h"

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::cerr << "usage: demo-art OUTPUT_DATA_DIR [PATCH_DATA_DIR]\n";
    return 2;
  }
  namespace fs = std::filesystem;
  const fs::path root(argv[1]);
  const fs::path folders[] = {root / "GFX" / "General", root / "GFX" / "Weapon",
                              root / "GFX" / "Status", root / "SFX", root / "Music"};
  for (const fs::path& folder : folders) {
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) {
      std::cerr << "demo-art: cannot create " << folder.string() << ": " << error.message() << "\n";
      return 1;
    }
  }
  auto slash = [](const fs::path& p) { return p.generic_string() + "/"; };
  bool ok = hopwerk::WriteFrontEndArt(slash(folders[0]));
  ok = hopwerk::WriteWeaponArt(slash(folders[1])) && ok;
  ok = hopwerk::WriteStatusArt(slash(folders[2])) && ok;
  ok = hopwerk::WriteSoundArt(slash(folders[3])) && ok;
  ok = hopwerk::WriteMusicArt(slash(folders[4])) && ok;
  ok = hopwerk::WriteLevelArt(slash(root / "GFX")) && ok;
  if (argc == 3) ok = hopwerk::WritePatchArt(slash(fs::path(argv[2]) / "GFX")) && ok;
  if (!ok) {
    std::cerr << "demo-art: could not write every file under " << root.string()
              << (argc == 3 ? " and " + std::string(argv[2]) : std::string()) << "\n";
    return 1;
  }
  return 0;
}
