// Moving actors a pixel at a time and stepping their animations.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// The picture an actor collides with: its flying picture when it moves freely, else its
// standing one (never the frame it happens to show).
const Picture* CollisionShape(const ObjectType& object);

// Moves by up to dx, then dy, pixels, one pixel at a time, stopping at walls and at the edges
// of the activity area.
void MoveObject(Engine& engine, ObjectType& object, int dx, int dy);

}  // namespace hopwerk
