// vxr: list, extract, pack and dump VXR4 archives.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "TiledImport.h"
#include "VxrTool.h"

namespace {

constexpr const char* kUsage =
    "usage: vxr list ARCHIVE             show every directory record: name, method, size, offset\n"
    "       vxr extract ARCHIVE DIR      write every entry under DIR, with DIR/.vxr-index\n"
    "       vxr pack DIR ARCHIVE         build ARCHIVE from DIR (its .vxr-index when present)\n"
    "       vxr dump ARCHIVE ENTRY       write an entry to standard output: its readable form\n"
    "                                    when it has one, else its stored bytes\n"
    "       vxr compile NAME.hwt FILE    write the bytes of entry NAME, compiled from its\n"
    "                                    readable form, to FILE (entries known by name alone)\n"
    "       vxr tiled [--strict] [--player X,Y] MAP.tmx LEVEL_DIR [DATA_DIR]\n"
    "                                    turn a Tiled map (TMX or JSON) into the readable forms\n"
    "                                    of the level named after LEVEL_DIR, in LEVEL_DIR, and\n"
    "                                    its pictures under DATA_DIR (default: Data/ beside the\n"
    "                                    folder holding LEVEL_DIR); what the engine cannot play\n"
    "                                    is left out with a warning (--strict: an error);\n"
    "                                    --player: where the player starts, in map pixels\n"
    "Entries with a readable form are extracted as NAME.hwt (\"Field = value\" lines, \"end\" for\n"
    "the end tag) when their bytes convert cleanly both ways, else kept raw with a note; on pack\n"
    "every NAME.hwt is compiled back into entry NAME, any other file is packed as it is.\n"
    "Readable forms, by entry name (letter case ignored):\n"
    "  ID (any archive); General.vxr: GenData, Cheats, Episode, Score;\n"
    "  Weapon.vxr: Weapon.0 to Weapon.9, Enemy/NAME;\n"
    "  Maps.vxr: LEVEL/General, LEVEL/PlusMinus, LEVEL/Objects, LEVEL/Script/NAME;\n"
    "  Actors.vxr: every entry but ID is an actor definition;\n"
    "  Collectables.vxr (or Collectable.vxr): every entry but ID is a collectable definition.\n"
    "The archive's file name decides; in an archive of another name the entries are recognised\n"
    "by name alone, definitions not at all. Welcome and Credits are plain text and stay as\n"
    "they are, byte for byte.\n";

// vxr tiled [--strict] [--player X,Y] MAP LEVEL_DIR [DATA_DIR]
int Tiled(const std::vector<std::string>& args) {
  hopwerk::TiledImportOptions options;
  std::vector<std::string> paths;
  for (size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--strict") {
      options.strict = true;
    } else if (args[i] == "--player" && i + 1 < args.size()) {
      const std::string& xy = args[++i];
      int x = 0, y = 0;
      char comma = 0, extra = 0;
      if (std::sscanf(xy.c_str(), "%d%c%d%c", &x, &comma, &y, &extra) != 3 || comma != ',' ||
          x < -100000 || x > 100000 || y < -100000 || y > 100000) {
        throw hopwerk::ToolError{"--player " + xy + ": expected X,Y in whole pixels", 2};
      }
      options.player = std::make_pair(x, y);
    } else if (args[i].size() > 1 && args[i][0] == '-' && paths.empty()) {
      throw hopwerk::ToolError{"tiled: unknown option " + args[i], 2};
    } else {
      paths.push_back(args[i]);
    }
  }
  if (paths.size() != 2 && paths.size() != 3) {
    throw hopwerk::ToolError{"tiled: expected MAP LEVEL_DIR [DATA_DIR]", 2};
  }
  return hopwerk::TiledCommand(paths[0], paths[1], paths.size() == 3 ? paths[2] : "", options);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 2 && args[0] == "list") return hopwerk::ListCommand(args[1]);
    if (args.size() == 3 && args[0] == "extract") return hopwerk::ExtractCommand(args[1], args[2]);
    if (args.size() == 3 && args[0] == "pack") return hopwerk::PackCommand(args[1], args[2]);
    if (args.size() == 3 && args[0] == "dump") return hopwerk::DumpCommand(args[1], args[2]);
    if (args.size() == 3 && args[0] == "compile") {
      return hopwerk::CompileCommand(args[1], args[2]);
    }
    if (!args.empty() && args[0] == "tiled") return Tiled(args);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
      std::cout << kUsage;
      return 0;
    }
    std::cerr << kUsage;
    return 2;
  } catch (const hopwerk::ToolError& e) {
    std::cout.flush();
    std::cerr << "vxr: " << e.message << "\n";
    if (e.status == 2) std::cerr << kUsage;
    return e.status;
  } catch (const std::exception& e) {
    std::cout.flush();
    std::cerr << "vxr: " << e.what() << "\n";
    return 1;
  }
}
