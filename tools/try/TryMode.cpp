#include "try/TryMode.h"

#include "VxrTool.h"
#include "archive/VxrIndex.h"
#include "frontend/NewGame.h"
#include "try/TryLevel.h"
#include "try/TryReload.h"

namespace hopwerk {

namespace {

// The level as the project's archive spells it, or empty when the project has no such level.
std::string ProjectLevelName(const std::vector<VxrWriteEntry>& maps, const std::string& level) {
  const std::string general = VxrUpper(level + "/General");
  for (const VxrWriteEntry& entry : maps) {
    if (VxrUpper(entry.name) == general) return entry.name.substr(0, level.size());
  }
  return "";
}

}  // namespace

bool ParseTrySkill(const std::string& name, int& skill) {
  const std::string upper = VxrUpper(name);
  const char* const names[] = {"EASY", "MEDIUM", "HARD"};
  for (int i = 0; i < 3; ++i) {
    if (upper == names[i]) {
      skill = i;
      return true;
    }
  }
  return false;
}

bool PrepareTry(const std::string& argument, const std::string& workingFolder,
                const std::string& project, TrySession& session,
                std::vector<std::string>& messages) {
  std::string problem;
  session.project = project;
  if (!ParseTryTarget(argument, workingFolder, session.target, problem) ||
      !ReadArchiveEntries(project + "VXR/Maps.vxr", session.projectMaps, problem)) {
    messages.push_back(problem);
    return false;
  }
  if (session.target.kind == TryKind::ProjectLevel) {
    const std::string level = ProjectLevelName(session.projectMaps, session.target.level);
    if (level.empty()) {
      messages.push_back(argument + " is neither a map file, a level folder nor a level of " +
                         project);
      return false;
    }
    session.target.level = level;
    session.playFolder = project;
    session.projectMaps.clear();  // nothing is written: the project is played as it is
    return true;
  }

  session.playerType = ProjectPlayerType(project + "VXR/Actors.vxr");
  TryLevel level = BuildTryLevel(session.target, session.playerType);
  for (const TiledMessage& m : level.messages) messages.push_back(FormatTiledMessage(m));
  if (!level.ok) return false;
  if (!MakeTryOverlay(project, session.overlay, problem) ||
      !WriteTryLevel(session, level, problem)) {
    messages.push_back(problem);
    return false;
  }
  session.playFolder = session.overlay.folder;
  WatchTryLevel(session, level);
  return true;
}

void InstallTryMode(Engine& engine, TrySession& session) {
  engine.hooks.quickStart = [&session](Engine& e) {
    const TryTarget& target = session.target;
    e.platform.TraceLine(target.kind == TryKind::ProjectLevel
                             ? "Trying the level " + target.level
                             : "Trying " + target.shown + " as the level " + target.level);
    NewGameInLevel(e, target.level, session.skill);
  };
  if (session.target.kind != TryKind::ProjectLevel) {
    engine.hooks.betweenPasses = [&session](Engine& e) { CheckTriedLevel(e, session); };
  }
}

}  // namespace hopwerk
