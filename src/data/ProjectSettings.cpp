#include "data/ProjectSettings.h"

#include "data/DataFields.h"
#include "data/EntryReader.h"

namespace hopwerk {

namespace {

constexpr const char* kSettingsCorrupted = "General data file corrupted";

}  // namespace

std::string GeneralArchivePath(const Engine& engine) {
  return engine.folders.ArchiveFolder + "General.vxr";
}

LoadFault ReadGenData(Engine& engine) {
  EntryReader entry(engine, VXR_Open(engine.vxr, GeneralArchivePath(engine), "GenData", "", 0));
  if (!entry.IsOpen()) return Fault(kSettingsCorrupted);
  ProjectSettings& project = engine.project;
  static const RecordBinder<ProjectSettings> binder(EntryFormatTitled("GenData"),
                                                    ProjectSettingsFields());
  EntryRecordReader reader(binder.format(), entry);
  EntryRecord record;
  // An empty entry holds no records; reading a tag from it would read a foreign byte.
  for (;;) {
    const ReadStep step = reader.Next(record);
    if (step == ReadStep::End) break;
    if (step == ReadStep::Fault) return Fault(kSettingsCorrupted);
    binder.Fill(project, record);
    if (record.tag() == 1) engine.console.ConsoleHeight = project.ScreenHeight;
  }
  entry.Close();
  project.PDD.DW = project.ScreenWidth;
  project.PDD.DH = project.ScreenHeight;
  return {};
}

void ReadProjectSettings(Engine& engine) {
  // No display exists yet to show a console on: the message goes to a notice.
  if (LoadFault fault = ReadGenData(engine)) {
    engine.platform.ShowNotice(fault->message, false);
    EndProgramNow(engine.platform, 1);
  }
}

}  // namespace hopwerk
