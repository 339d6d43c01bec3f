// Fitting a freshly loaded level to the chosen skill, the shots of the actor kinds that shoot,
// and the choice of the player object.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// Scales the hit points of computer actor kinds by skill, loads the enemy weapons of the kinds
// that shoot, gives each actor object its hit points and drops the objects absent at the skill.
LoadFault ScanActors(Engine& engine);

// Full hit points of a computer actor kind at a skill (0 easy, 1 medium, 2 hard).
int32_t SkillHitPoints(int32_t hp, int32_t skill);

// The enemy weapon "Enemy/" + name of the weapon archive, with its bullet picture; null only
// when the archive layer lets a missing entry through.
Loaded<std::shared_ptr<EnemyWeapon>> LoadEnemyWeapon(Engine& engine, const std::string& name);

// Makes the last object of the player's kind the player; a level without one is damaged.
LoadFault FindPlayer(Engine& engine);

}  // namespace hopwerk
