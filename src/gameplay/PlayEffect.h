// Starting the game's sounds: effects on their ring of channels, and sounds that must keep
// playing after whoever loaded them lets go.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Starts a sound effect (a shot, a pick-up) and notes its channel in the effect ring; an
// absent sound is ignored.
void PlayEffect(Engine& engine, const SoundPtr& sound);

// Starts the sound and keeps it loaded until its play is over.
Channel PlayKeptSound(Engine& engine, const SoundPtr& sound);

}  // namespace hopwerk
