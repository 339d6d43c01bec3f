#include "data/Cheats.h"

#include "data/Console.h"
#include "data/DataLimits.h"
#include "data/EntryReader.h"
#include "data/ProjectSettings.h"

namespace hopwerk {

namespace {

constexpr const char* kCheatsCorrupted = "Cheat file corrupted!";

}  // namespace

void LoadCheats(Engine& engine) {
  size_t codes = 0;
  ConsolePrint(engine, "Init Codes", 255, 255, 255);
  EntryReader entry(engine, VXR_Open(engine.vxr, GeneralArchivePath(engine), "Cheats", "", 0));
  EntryRecordReader reader(EntryFormatTitled("Cheats"), entry);
  reader.OnTag([&](int tag) {
    engine.platform.TraceLine(std::to_string(tag) + "  P" + std::to_string(entry.Position()) +
                              "  S" + std::to_string(entry.Size()) + "   EOF" +
                              (entry.AtEnd() ? "1" : "0"));
  });
  EntryRecord record;
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::End) return;
    if (step == ReadStep::Fault) FatalError(engine, kCheatsCorrupted);
    // The key and the ignored strings only shape how the codes after them read.
    if (record.tag() != 2) continue;
    if (++codes > kMaxCheatCodes) FatalError(engine, kCheatsCorrupted);
    engine.data.CheatCodes[record.values[0].text] = record.values[1].text;
    ConsolePrint(engine, "- Ok", 255, 255, 255);
  }
}

}  // namespace hopwerk
