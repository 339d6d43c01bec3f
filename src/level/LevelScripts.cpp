#include "level/LevelScripts.h"

#include "data/EntryReader.h"
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
  // Fields given before the first record have nothing to fill; they land here and are dropped.
  ScriptType unowned;
  ScriptType* current = nullptr;
  EntryRecord record;
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::Fault) return ScriptCorrupted(name, std::to_string(reader.Fault().tag));
    if (step == ReadStep::End) {
      return reader.SawEndTag() ? LoadFault{} : ScriptCorrupted(name, "end of entry");
    }
    if (record.format->keyword) {
      if (level.Scripts.Count() >= kMaxLevelScripts) {
        return ScriptCorrupted(name, std::to_string(record.tag()));
      }
      ScriptType fresh;
      fresh.ID = level.NextScriptId++;
      current = &level.Scripts.Append(std::move(fresh));
      continue;
    }
    binder.Fill(current ? *current : unowned, record);
  }
}

}  // namespace hopwerk
