// The map objects of a level: everything placed in it, read from the level's objects entry,
// given their pictures and definitions, and sorted into the drawing layers.
#pragma once

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// Rebuilds AllObjects, the shared picture list and the layer lists of the current level; says
// what is wrong with the objects entry or a definition it names. The objects before go:
// whatever points into them (play's frame lists) is cleared by the caller.
LoadFault LoadMapObjects(Engine& engine);

// Gives every decoration, wall and switch its picture, one load per matching picture entry.
void LinkPictures(Engine& engine);

}  // namespace hopwerk
