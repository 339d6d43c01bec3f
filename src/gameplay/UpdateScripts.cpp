#include "gameplay/UpdateScripts.h"

#include <algorithm>
#include <string>

#include "gameplay/PlayEffect.h"
#include "gameplay/ScriptTargets.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

constexpr int32_t kCompletedFrames = 250;

// The checkpoint moves to where the player stands; the chained script joins the scripts a
// reload starts, once.
void SetCheckpoint(Engine& engine, const ScriptType& s) {
  SessionState& session = engine.session;
  if (const ObjectType* player = engine.level.Player) {
    session.CheckpointX = player->X;
    session.CheckpointY = player->Y;
  }
  session.CheckpointScore = session.Score;
  std::vector<std::string>& list = session.CheckpointList;
  if (list.size() < kMaxCheckpointScripts &&
      std::find(list.begin(), list.end(), s.ChainScript) == list.end()) {
    list.push_back(s.ChainScript);
  }
}

// A patch's copy comes first; a copy that does not load falls back to the project's own file.
void PlayScriptSound(Engine& engine, const ScriptType& s) {
  const SoundPtr sound = LoadEffectSound(engine, s.Sound);
  if (!sound) {
    engine.platform.TraceLine("Error loading sound: " + engine.folders.DataFolder + "/SFX/" +
                              s.Sound);
    return;
  }
  // Nothing else holds a script's sound: it is kept only while it plays.
  PlayKeptSound(engine, sound);
}

void PlaceObjects(LevelState& level, WallGrid& walls, ScriptType& s) {
  ForEachTarget(
      level, s, [&](const ObjectType& o) { return o.ID == s.ObjID; },
      [&](ObjectType& o) {
        walls.Moving(o);
        o.X = s.ToX;
        o.Y = s.ToY;
      });
}

void DeleteObjects(LevelState& level, ScriptType& s) {
  ForEachTarget(
      level, s, [&](const ObjectType& o) { return o.ID == s.ObjID; },
      [&](ObjectType& o) { RemoveFromLevel(level, o); });
  // All gone: the script stays, but has nothing left to look at.
  s.targets.clear();
}

void ShowEnergyBar(Engine& engine, const ScriptType& s) {
  RunningLevel& run = engine.run;
  run.BossBarX = s.ToX;
  run.BossBarY = s.ToY;
  const auto& actors = run.AllActors;
  const auto last = std::find_if(actors.rbegin(), actors.rend(),
                                 [&](const ObjectType* a) { return a->ID == s.ObjID; });
  if (last != actors.rend()) run.BossObject = *last;
}

// Every script of that name wakes; those later in the list run in this same pass.
void Activate(LevelState& level, const std::string& uid) {
  if (uid.empty()) return;
  level.Scripts.Walk([&](ScriptType& other) {
    if (other.UID == uid) other.Active = 1;
    return false;
  });
}

// A moving script keeps running until its objects arrive, then idles, leaves, or (for any
// other WhenDone) stays active, and wakes the scripts it names.
bool MoveAndFinish(Engine& engine, ScriptType& s) {
  if (!MoveScriptObjects(engine, s)) return false;
  bool remove = false;
  if (s.WhenDone == 0) s.Active = 0;
  if (s.WhenDone == 1) remove = true;
  Activate(engine.level, s.ActivateScriptID);
  return remove;
}

// Runs the script's command; returns whether the script leaves the list.
bool RunCommand(Engine& engine, ScriptType& s) {
  RunningLevel& run = engine.run;
  switch (s.Command) {
    case kCheckpoint:
      SetCheckpoint(engine, s);
      return true;
    case kLevelEnd:
      run.LevelCompleted = 1;
      run.CompletedCountdown = kCompletedFrames;
      run.NextLevelName = s.NextLevel;
      return true;
    case kEpisodeEnd:
      run.LevelCompleted = 1;
      run.CompletedCountdown = kCompletedFrames;
      run.EpisodeEnds = 1;
      return true;
    case kMoveObjects:
      return MoveAndFinish(engine, s);
    case kPlaySound:
      PlayScriptSound(engine, s);
      return true;
    case kPlaceObjects:
      PlaceObjects(engine.level, engine.run.ActiveWallGrid, s);
      return true;
    case kDeleteObjects:
      DeleteObjects(engine.level, s);
      return false;
    case kCameraGlide:
      run.PanTargetX = s.ToX;
      run.PanTargetY = s.ToY;
      run.PanReturning = 0;
      return true;
    case kCameraReturn:
      run.PanReturning = 1;
      return true;
    case kEnergyBar:
      ShowEnergyBar(engine, s);
      return true;
    default:
      // Commands this engine does not know stay in the list and do nothing.
      return false;
  }
}

}  // namespace

void UpdateScripts(Engine& engine) {
  LevelState& level = engine.level;
  level.NextScriptId = 0;
  level.Scripts.Walk([&](ScriptType& s) {
    // Read before the delay runs out: a script woken by its delay runs from the next pass.
    const int32_t active = s.Active;
    if (s.Delay != 0) {
      s.Delay = SatSub(s.Delay, 1);
      if (s.Delay == 0) s.Active = 1;
    }
    if (active == 0) return false;
    return RunCommand(engine, s);
  });
}

}  // namespace hopwerk
