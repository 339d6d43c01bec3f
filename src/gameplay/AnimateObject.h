// The timed animation step of actors.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Shows the actor's picture of `slot` and moves on a frame once its wait has passed. Past the
// last frame it goes to restartFrame (0 loops the strip, the last index holds the end).
void AnimateObject(Engine& engine, ObjectType& object, int slot, int restartFrame);

// The index of the last frame of an actor's slot (frame counts come from project data).
int LastFrameIndex(const ActorType& actor, int slot);

}  // namespace hopwerk
