#include "data/ProjectSettings.h"

#include "data/EntryReader.h"

namespace hopwerk {

namespace {

[[noreturn]] void SettingsCorrupted(Engine& engine) {
  engine.platform.ShowNotice("General data file corrupted", false);
  EndProgramNow(engine.platform, 1);
}

}  // namespace

std::string GeneralArchivePath(const Engine& engine) {
  return engine.folders.ArchiveFolder + "General.vxr";
}

void ReadProjectSettings(Engine& engine) {
  EntryReader entry(engine, VXR_Open(engine.vxr, GeneralArchivePath(engine), "GenData", "", 0));
  if (!entry.IsOpen()) SettingsCorrupted(engine);
  ProjectSettings& project = engine.project;
  // An empty entry holds no records; reading a tag from it would read a foreign byte.
  while (!entry.AtEnd()) {
    const int tag = entry.Byte();
    if (tag == 255) break;
    switch (tag) {
      case 0:
        project.ProjectTitle = entry.String();
        break;
      case 1:
        project.ScreenWidth = entry.Int();
        project.ScreenHeight = entry.Int();
        engine.console.ConsoleHeight = project.ScreenHeight;
        break;
      case 2:
        project.FullScreen = entry.Byte();
        break;
      case 3:
        project.ProjectAuthor = entry.String();
        break;
      default:
        SettingsCorrupted(engine);
    }
    if (entry.Overran()) SettingsCorrupted(engine);
  }
  entry.Close();
  project.PDD.DW = project.ScreenWidth;
  project.PDD.DH = project.ScreenHeight;
}

}  // namespace hopwerk
