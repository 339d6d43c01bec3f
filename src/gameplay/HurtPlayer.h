// Damage to the player, at most once per flash of the hurt player.
#pragma once

#include <cstdint>

#include "engine/Engine.h"

namespace hopwerk {

// Takes `damage` hit points (never below 0) unless the player is still flashing from the last
// hit or god mode is on, starts the flash and plays the player's hurt or death sound.
void HurtPlayer(Engine& engine, int32_t damage);

// The player actor's hurt sound, or its death sound once the hit points are gone. Both are
// loaded from the data folder on first use and kept with the actor.
void PlayPlayerSound(Engine& engine);

}  // namespace hopwerk
