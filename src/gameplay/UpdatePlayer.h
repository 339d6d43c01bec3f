// The player's step of each frame: moving from the keyboard, firing and choosing weapons.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Jump curve: a jump starts at this vertical step, gains kJumpGain per frame and ends once the
// step reaches kJumpEnd (single precision, as the curve's frame count depends on it).
constexpr float kJumpStart = -9.0f;
constexpr float kJumpGain = 0.3f;
constexpr float kJumpEnd = 4.0f;
constexpr int kWalkSpeed = 5;
constexpr int kFallSpeed = 5;

void UpdatePlayer(Engine& engine);

}  // namespace hopwerk
