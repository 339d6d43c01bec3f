// The wall test every moving thing uses.
#pragma once

#include <cstdint>

#include "engine/Engine.h"

namespace hopwerk {

// Whether a shape the size of `picture`, standing with its bottom centre at world (x, y), would
// leave the world or the activity area, or touch a nearby wall. Walls are solid rectangles of
// their tiles' size; pixels are never looked at. No picture: a shape of no size.
bool IsBlocked(const Engine& engine, const Picture* picture, int64_t x, int64_t y);

}  // namespace hopwerk
