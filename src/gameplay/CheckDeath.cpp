#include "gameplay/CheckDeath.h"

#include <string>

#include "gameplay/AnimateObject.h"
#include "gameplay/LoadLevel.h"
#include "gameplay/StopLevelMusic.h"
#include "gameplay/UpdateAndDrawFrame.h"
#include "platform/KeyCodes.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

bool LeftActivityArea(const Engine& engine, const ObjectType& player) {
  const RunningLevel& run = engine.run;
  const LevelState& level = engine.level;
  const int64_t x = player.X;
  const int64_t y = player.Y;
  return x <= static_cast<int64_t>(run.CameraX) - level.MinusX ||
         y <= static_cast<int64_t>(run.CameraY) - level.MinusY ||
         x >= static_cast<int64_t>(run.CameraX) + engine.project.ScreenWidth + level.PlusX ||
         y >= static_cast<int64_t>(run.CameraY) + engine.project.ScreenHeight + level.PlusY;
}

bool AnimationOver(const Engine& engine, const ObjectType& player, int dieStyle, int32_t frames) {
  // The frame drops a dying object it has finished with; nothing moves it after that, so
  // there is nothing left to wait for, whatever its style.
  if (!engine.level.LayerLists[0].Contains(player)) return true;
  switch (dieStyle) {
    case kDieInPlace:
      return player.ActiveFrame >= static_cast<int64_t>(frames) - 1;
    case kDieFalls:
    case kDieThrown:
      return LeftActivityArea(engine, player);
    default:
      return false;
  }
}

// The world keeps being drawn while the player's death plays out; nothing else runs.
void WaitForDeathAnimation(Engine& engine, ObjectType& player, int dieStyle, int32_t frames) {
  Platform& p = engine.platform;
  bool over = false;
  while (!over) {
    UpdateAndDrawFrame(engine);
    over = AnimationOver(engine, player, dieStyle, frames);
    if (p.IsKeyDown(kKeyEscape)) over = true;
    p.PresentFrame(1);
  }
  // Presses during the animation (the Escape that cut it short above all) were meant for it,
  // not for the quit prompt or the cheats of the restarted level.
  p.FlushKeys();
}

}  // namespace

void CheckDeath(Engine& engine) {
  ObjectType* dying = engine.level.Player;
  if (!dying || dying->HP != 0) return;
  ObjectType& player = *dying;
  SessionState& session = engine.session;
  Platform& p = engine.platform;

  StopLevelMusic(engine);
  session.Deaths = SatAdd(session.Deaths, 1);
  player.OType = kDying;

  const ActorType* actor = player.Actor;
  const int32_t frames = actor ? actor->SpriteFrames[kSlotDie] : 0;
  const bool hasPicture = actor && actor->Pic[kSlotDie];
  p.TraceLine("Death Frames = " + std::to_string(frames));
  p.TraceLine(std::string("Death Pic = ") + (hasPicture ? "Present" : "Absent"));

  // Without its picture a death strip cannot play, however many frames the actor claims: the
  // wait for its last frame would never end.
  bool over = !hasPicture;
  const int dieStyle = actor ? actor->Die : 0;
  if (!over) {
    // A strip that ends the death (style 0) stops on its last frame; the others run round.
    AnimateObject(engine, player, kSlotDie,
                  dieStyle == kDieInPlace ? LastFrameIndex(*actor, kSlotDie) : 0);
  }
  MoveToFrontLayer(engine.level, player);
  p.TraceLine(std::string("Animover before start = ") + (over ? "1" : "0"));
  if (!over) WaitForDeathAnimation(engine, player, dieStyle, frames);

  // The reload builds a new player with full hit points and restarts the checkpoint's scripts.
  LoadLevel(engine);
  session.Score = session.CheckpointScore;
  if (ObjectType* reborn = engine.level.Player) {
    reborn->X = session.CheckpointX;
    reborn->Y = session.CheckpointY;
  }
}

}  // namespace hopwerk
