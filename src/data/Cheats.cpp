#include "data/Cheats.h"

#include "data/Console.h"
#include "data/DataLimits.h"
#include "data/EntryReader.h"
#include "data/ProjectSettings.h"

namespace hopwerk {

namespace {

std::string ReadScrambled(EntryReader& entry, int key) {
  const int length = entry.Byte();
  std::string text;
  text.reserve(static_cast<size_t>(length));
  for (int i = 0; i < length; ++i) text += static_cast<char>(entry.Byte() ^ key);
  return text;
}

}  // namespace

void LoadCheats(Engine& engine) {
  int key = 0;
  size_t codes = 0;
  ConsolePrint(engine, "Init Codes", 255, 255, 255);
  EntryReader entry(engine, VXR_Open(engine.vxr, GeneralArchivePath(engine), "Cheats", "", 0));
  while (!entry.AtEnd()) {
    const int tag = entry.Byte();
    engine.platform.TraceLine(std::to_string(tag) + "  P" + std::to_string(entry.Position()) +
                              "  S" + std::to_string(entry.Size()) + "   EOF" +
                              (entry.AtEnd() ? "1" : "0"));
    switch (tag) {
      case 0:
        key = entry.Byte();
        break;
      case 1:
        ReadScrambled(entry, 0);
        break;
      case 2: {
        if (++codes > kMaxCheatCodes) FatalError(engine, "Cheat file corrupted!");
        const std::string name = ReadScrambled(entry, key);
        const std::string code = ReadScrambled(entry, key);
        if (entry.Overran()) FatalError(engine, "Cheat file corrupted!");
        engine.data.CheatCodes[name] = code;
        ConsolePrint(engine, "- Ok", 255, 255, 255);
        break;
      }
      default:
        FatalError(engine, "Cheat file corrupted!");
    }
    if (entry.Overran()) FatalError(engine, "Cheat file corrupted!");
  }
}

}  // namespace hopwerk
