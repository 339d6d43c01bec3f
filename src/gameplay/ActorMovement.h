// How computer-controlled actors move: walkers keep to their ground, flyers to the air.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// One frame of a walking actor: it falls while nothing holds it, else walks, turning at walls
// and (unless told to walk off them) at ledges, and at random if its kind says so.
void MoveWalker(Engine& engine, ObjectType& actor, const ObjectType& player);

// One frame of a flying actor: across and, if its kind says so, up and down, turning at walls,
// floors and ceilings.
void MoveFlyer(Engine& engine, ObjectType& actor, const ObjectType& player);

}  // namespace hopwerk
