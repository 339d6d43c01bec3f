// Starting the game's sounds: effects on their ring of channels, and sounds that must keep
// playing after whoever loaded them lets go.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// Starts a sound effect (a shot, a pick-up) and notes its channel in the effect ring; an
// absent sound is ignored.
void PlayEffect(Engine& engine, const SoundPtr& sound);

// Loads the effect `name` of the SFX folder: a patch's copy first, and the project's own file
// when there is no patch copy or it does not load. Null when neither loads.
SoundPtr LoadEffectSound(Engine& engine, const std::string& name);

// Starts the sound and keeps it loaded until its play is over.
Channel PlayKeptSound(Engine& engine, const SoundPtr& sound);

}  // namespace hopwerk
