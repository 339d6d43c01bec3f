#include "try/TryReload.h"

#include <filesystem>

#include "archive/VxrIndex.h"
#include "data/Console.h"
#include "gameplay/IsBlocked.h"
#include "gameplay/LoadLevel.h"
#include "gameplay/MoveObject.h"
#include "gameplay/StopLevelMusic.h"

namespace hopwerk {

namespace {

// The folder the map or the level folder lies in.
std::string TargetFolder(const TryTarget& target) {
  return std::filesystem::path(target.path).parent_path().generic_string();
}

// Messages name their files from the map's own folder: the console is only so wide.
std::string ShownMessage(const TryTarget& target, TiledMessage message) {
  const std::string folder = TargetFolder(target) + "/";
  if (message.file.rfind(folder, 0) == 0) message.file.erase(0, folder.size());
  return FormatTiledMessage(message);
}

// Whether the player's shape fits at (x, y) among the walls of the level just loaded. The frame
// has not yet gathered the walls near the view, so every wall of the level counts here.
bool PlaceIsFree(Engine& engine, const ObjectType& player, int64_t x, int64_t y) {
  std::vector<ObjectType*>& walls = engine.run.ActiveWalls;
  walls.clear();
  engine.run.ActiveWallGrid.Clear();
  for (ObjectType* object : engine.level.AllObjects.Snapshot()) {
    if (object->OType == kWall && object->Pic) walls.push_back(object);
  }
  const bool blocked = IsBlocked(engine, CollisionShape(player), x, y);
  walls.clear();
  return !blocked;
}

}  // namespace

bool WriteTryLevel(TrySession& session, const TryLevel& level, std::string& problem) {
  RefreshTryOverlay(session.project, session.overlay);
  // Pictures first: once the archive names them, they must be there.
  if (level.pictures &&
      !WriteTryPictures(session.overlay, *level.pictures, session.pictures, problem)) {
    return false;
  }
  return WriteTryMaps(session.overlay, session.projectMaps, session.target.level, level.entries,
                      problem);
}

void WatchTryLevel(TrySession& session, const TryLevel& level) {
  std::vector<std::string> paths;
  if (level.ok) {
    paths = level.sources;
  } else {
    paths = session.watch.paths;
    paths.push_back(TargetFolder(session.target));
  }
  paths.push_back(session.target.path);
  WatchPaths(session.watch, std::move(paths));
}

bool ReloadLevelKeepingPlayer(Engine& engine) {
  SessionState& session = engine.session;
  RunningLevel& run = engine.run;
  const ObjectType* before = engine.level.Player;
  const bool stood = before != nullptr;
  const int32_t x = stood ? before->X : 0;
  const int32_t y = stood ? before->Y : 0;
  const int32_t mirror = stood ? before->Mirror : 0;

  StopLevelMusic(engine);
  // The level's pictures may be new files: names looked up before must be looked up again.
  engine.fileNames.folders.clear();
  LoadLevel(engine);
  // As after a death: the level's collectables are all back, so is the score they gave.
  session.Score = session.CheckpointScore;

  ObjectType* player = engine.level.Player;
  if (!stood || !player || !PlaceIsFree(engine, *player, x, y)) {
    // A jump under way belonged to the old place.
    run.Jumping = 0;
    run.JumpValue = 0.0f;
    return false;
  }
  player->X = x;
  player->Y = y;
  player->Mirror = mirror;
  return true;
}

void CheckTriedLevel(Engine& engine, TrySession& session) {
  if (++session.passes % kTryWatchPasses != 0) return;
  const std::vector<std::string> changed = ChangedPaths(session.watch);
  if (changed.empty()) return;

  Platform& p = engine.platform;
  const TryTarget& target = session.target;
  const TryLevel level = BuildTryLevel(target, session.playerType);
  std::string problem;
  const bool written = level.ok && WriteTryLevel(session, level, problem);
  WatchTryLevel(session, level);
  std::vector<std::string> messages;
  for (const TiledMessage& m : level.messages) messages.push_back(ShownMessage(target, m));
  if (!problem.empty()) messages.push_back(problem);
  if (!written) {
    // Something else appearing in the folder is no news when the level fails as it did.
    const bool onlyTheFolder = changed.size() == 1 && changed[0] == TargetFolder(target);
    if (onlyTheFolder && messages == session.failure) return;
    session.failure = messages;
    p.TraceLine("Could not reload " + target.shown + "; the level plays on as it was");
    for (const std::string& m : messages) ConsolePrintDuringPlay(engine, m, 255, 0, 0);
    return;
  }
  session.failure.clear();
  for (const std::string& m : messages) ConsolePrintDuringPlay(engine, m, 255, 224, 64);
  if (VxrUpper(engine.session.CurrentLevelName) != VxrUpper(target.level)) {
    p.TraceLine("Imported " + target.shown + " again for when the level " + target.level +
                " is played next");
    return;
  }
  p.TraceLine(ReloadLevelKeepingPlayer(engine)
                  ? "Reloaded " + target.shown
                  : "Reloaded " + target.shown + "; the player's place is taken, it starts afresh");
}

}  // namespace hopwerk
