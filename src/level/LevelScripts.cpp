#include "level/LevelScripts.h"

#include "data/Console.h"
#include "data/EntryReader.h"
#include "level/LevelArchives.h"
#include "level/LevelLimits.h"

namespace hopwerk {

namespace {

[[noreturn]] void ScriptCorrupted(Engine& engine, EntryReader& entry, const std::string& name,
                                  const std::string& what) {
  entry.Close();
  FatalError(engine, "Script \"" + name + "\" corrupted => " + what);
}

}  // namespace

void RunScriptFile(Engine& engine, const std::string& name) {
  LevelState& level = engine.level;
  EntryReader entry(engine, OpenArchiveEntry(engine, MapsArchives(engine),
                                             engine.play.CurrentLevelName + "/Script/" + name));
  if (!entry.IsOpen()) {
    engine.platform.TraceLine("Script not found, starting new");
    return;
  }
  // Fields given before the first record have nothing to fill; they land here and are dropped.
  ScriptType unowned;
  ScriptType* current = nullptr;
  for (;;) {
    if (entry.AtEnd()) ScriptCorrupted(engine, entry, name, "end of entry");
    const int tag = entry.Byte();
    if (tag == 255) break;
    ScriptType& s = current ? *current : unowned;
    switch (tag) {
      case 0: {
        if (level.Scripts.Count() >= kMaxLevelScripts) {
          ScriptCorrupted(engine, entry, name, std::to_string(tag));
        }
        ScriptType fresh;
        fresh.ID = level.NextScriptId++;
        current = &level.Scripts.Append(std::move(fresh));
        break;
      }
      case 1:
        s.UID = entry.String();
        break;
      case 2:
        s.Command = entry.Int();
        break;
      case 3:
        s.ChainScript = entry.String();
        break;
      case 4:
        s.NextLevel = entry.String();
        break;
      case 5:
        s.WhenDone = entry.Int();
        break;
      case 6:
        s.Sound = entry.String();
        break;
      case 7:
        s.ToX = entry.Int();
        s.ToY = entry.Int();
        break;
      case 8:
        s.Active = entry.Byte();
        break;
      case 9:
        s.StepX = entry.Int();
        s.StepY = entry.Int();
        break;
      case 10:
        s.ObjID = entry.String();
        break;
      case 11:
        s.ActivateScriptID = entry.String();
        break;
      case 12:
        s.Delay = entry.Int();
        break;
      default:
        ScriptCorrupted(engine, entry, name, std::to_string(tag));
    }
    if (entry.Overran()) ScriptCorrupted(engine, entry, name, std::to_string(tag));
  }
}

}  // namespace hopwerk
