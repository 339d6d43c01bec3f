// Starting a sound effect of the game (weapon shots).
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Starts the sound on a channel of its own; an absent sound is ignored.
void PlayEffect(Engine& engine, const SoundPtr& sound);

}  // namespace hopwerk
