#include "gameplay/HurtPlayer.h"

#include "data/ProjectFiles.h"
#include "gameplay/ActivityArea.h"
#include "gameplay/PlayEffect.h"
#include "render/SafeMath.h"

namespace hopwerk {

void HurtPlayer(Engine& engine, int32_t damage) {
  RunningLevel& run = engine.run;
  ObjectType* player = engine.level.Player;
  if (!player || run.HurtTime != 0 || run.GodMode != 0) return;
  const int64_t hp = static_cast<int64_t>(player->HP) - damage;
  player->HP = hp < 0 ? 0 : SatInt32(hp);
  run.HurtTime = engine.platform.ClockMillis();
  PlayPlayerSound(engine);
}

void PlayPlayerSound(Engine& engine) {
  ObjectType* player = engine.level.Player;
  if (!player || !player->Actor) return;
  ActorType& actor = *player->Actor;
  Platform& p = engine.platform;
  const bool dead = player->HP == 0;
  const std::string& file = dead ? actor.DieF : actor.OuchF;
  SoundPtr& sound = dead ? actor.DieSound : actor.Ouch;
  if (file.empty()) return;
  if (!sound) {
    // These two come from the project's own folder even when a patch is chosen.
    const std::string path = ResolveProjectFile(engine, "", "SFX/", file, PatchCopy::Never);
    if (!path.empty()) sound = p.LoadSoundFile(path, false);
  }
  if (sound) {
    // Kept past its owner: the death sound still plays while the level reloads.
    PlayKeptSound(engine, sound);
  } else if (dead) {
    p.TraceLine("Could not play: " + engine.folders.DataFolder + "SFX/" + file);
  }
}

}  // namespace hopwerk
