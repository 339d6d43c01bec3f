#include "level/LevelScripts.h"

#include "data/EntryReader.h"
#include "level/ElementList.h"
#include "level/LevelArchives.h"
#include "level/LevelFields.h"
#include "level/LevelLimits.h"

namespace hopwerk {

namespace {

LoadFault ScriptCorrupted(const std::string& name, const std::string& what) {
  return Fault("Script \"" + name + "\" corrupted => " + what);
}

}  // namespace

LoadFault RunScriptFile(Engine& engine, const std::string& name) {
  LevelState& level = engine.level;
  EntryReader entry(engine, OpenArchiveEntry(engine, MapsArchives(engine),
                                             engine.session.CurrentLevelName + "/Script/" + name));
  if (!entry.IsOpen()) {
    engine.platform.TraceLine("Script not found, starting new");
    return {};
  }
  static const RecordBinder<ScriptType> binder(EntryFormatTitled("LEVEL/Script/NAME"),
                                               ScriptFields());
  EntryRecordReader reader(binder.format(), entry);
  const auto damage = ReadElementList(reader, binder, [&]() -> ScriptType* {
    if (level.Scripts.Count() >= kMaxLevelScripts) return nullptr;
    ScriptType fresh;
    fresh.ID = level.NextScriptId++;
    return &level.Scripts.Append(std::move(fresh));
  });
  return damage ? ScriptCorrupted(name, *damage) : LoadFault{};
}

}  // namespace hopwerk
