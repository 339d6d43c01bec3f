// The demo's levels in the order a walk from each episode's first level reaches them, first
// levels first; the level tests check the demo against this list, and the replay tests play
// each of them.
#pragma once

#include <array>

namespace hopwerk::test {

inline constexpr std::array<const char*, 15> kDemoLevels = {
    "Meadow1", "Caves1",  "Moon", "Meadow2", "Hollow", "Windmill", "Orchard", "Caves2",
    "Fen",     "Meadow3", "Mine", "Ridge",   "Marsh",  "Throne",   "Summit"};

}  // namespace hopwerk::test
