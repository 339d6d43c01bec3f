// A new game: the episode and skill menus, the reset of the game's counters and the weapon the
// player starts with.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

extern const char* const kSkillNames[3];

// Runs the two menus, resets the counters, arms the starting weapon and sets GameState 2.
void NewGame(Engine& engine);
// A new game without the menus, in `level` of episode 1 at `skill`: counters reset, starting
// weapon armed, GameState 2.
void NewGameInLevel(Engine& engine, const std::string& level, int skill);
// Reads the episode list and, when the project has more than one episode, lets the player
// choose; sets CurrentLevelName (and Episode when chosen).
void ChooseEpisode(Engine& engine);
// The skill menu, starting on "Medium"; sets Skill.
void ChooseSkill(Engine& engine);
// Refills every slot with its starting ammunition and puts the lowest slot that can fire in
// hand (-1 when none can).
void ChooseStartWeapon(Engine& engine);

}  // namespace hopwerk
