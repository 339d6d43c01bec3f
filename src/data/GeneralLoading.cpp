#include "data/GeneralLoading.h"

#include <algorithm>
#include <cctype>

#include "data/Cheats.h"
#include "data/Console.h"
#include "data/DataFields.h"
#include "data/DataLimits.h"
#include "data/EntryReader.h"
#include "data/GeneralPictures.h"
#include "data/ProjectSettings.h"
#include "data/StatusScreen.h"
#include "data/Weapons.h"

namespace hopwerk {

namespace {

constexpr int kWhite = 255;

// Every archive starts with the same identity entry: the project's pair of numbers.
LoadFault ReadProjectId(EntryReader& id, ProjectSettings& project, const std::string& damaged) {
  static const RecordBinder<ProjectSettings> binder(EntryFormatTitled("ID"), ProjectIdFields());
  EntryRecordReader reader(binder.format(), id);
  EntryRecord record;
  if (reader.Next(record) != ReadStep::Record) return Fault(damaged);
  binder.Fill(project, record);
  return {};
}

void PrintWhite(Engine& engine, const std::string& text) {
  ConsolePrint(engine, text, kWhite, kWhite, kWhite);
}

void ShowIdentity(Engine& engine) {
  ProjectSettings& project = engine.project;
  PrintWhite(engine, "");
  PrintWhite(engine, project.ProjectTitle);
  PrintWhite(engine, "Created by: " + project.ProjectAuthor);
  {
    EntryReader id(engine, VXR_Open(engine.vxr, GeneralArchivePath(engine), "ID", "", 0));
    EndOnLoadError(engine, ReadProjectId(id, project, "General archive ID entry corrupted"));
  }
  PrintWhite(engine, "ID " + std::to_string(project.ProjectIdMajor) + "." +
                         std::to_string(project.ProjectIdMinor));
  PrintWhite(engine, "");
  {
    EntryReader welcome(engine, VXR_Open(engine.vxr, GeneralArchivePath(engine), "Welcome", "", 0));
    for (size_t lines = 0; lines < kMaxWelcomeLines && !welcome.AtEnd(); ++lines) {
      PrintWhite(engine, welcome.Line());
    }
  }
  PrintWhite(engine, "");
  engine.platform.SleepMillis(1500);
}

bool HasArchiveExtension(const std::string& name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  std::string ext = name.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return ext == "VXR";
}

// Every archive beside the General archive must belong to the same project; one differing
// part of the identity pair is tolerated, both are not.
void CheckArchiveIdentities(Engine& engine) {
  Platform& p = engine.platform;
  const std::string& folder = engine.folders.ArchiveFolder;
  for (const std::string& name : p.ListFolder(folder)) {
    if (p.FileKind(folder + name) != 1 || !HasArchiveExtension(name)) continue;
    PrintWhite(engine, "Checking: " + name);
    EntryReader id(engine, VXR_Open(engine.vxr, folder + name, "ID", "", 0));
    ProjectSettings other;
    EndOnLoadError(engine, ReadProjectId(id, other, "VXR ID corrupted (" + name + ")"));
    const int major = other.ProjectIdMajor;
    const int32_t minor = other.ProjectIdMinor;
    if (major != engine.project.ProjectIdMajor && minor != engine.project.ProjectIdMinor) {
      FatalError(engine,
                 "VXR ID mismatch (" + std::to_string(major) + "." + std::to_string(minor) + ")");
    }
  }
}

}  // namespace

void GeneralLoading(Engine& engine) {
  ConsolePrint(engine, "Hopwerk Engine v1.0  " + engine.folders.BuildKind, 255, 255, 0);
  ConsolePrint(engine, "Platform Windows32", 0, 255, 0);
  ConsolePrint(engine, "Build: W1, 25 Oct 2008", 255, 0, 255);
  ShowIdentity(engine);
  CheckArchiveIdentities(engine);
  LoadFrontEndPictures(engine);
  LoadCheats(engine);
  LoadWeapons(engine);
  ConsolePrint(engine, "Init Status Screen", kWhite, kWhite, kWhite);
  engine.data.StatusElements = LoadStatusScreen(engine, GeneralArchivePath(engine), "Score");
  engine.platform.SleepMillis(1000);
}

}  // namespace hopwerk
