// The weapon in the player's hand: firing it and choosing another with the digit keys.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// A slot the player can hold: it has a bullet picture and either never runs out or still has
// ammunition.
bool WeaponUsable(const WeaponType& weapon);

// While the fire key is held and the weapon in hand is charged, one bullet leaves the player.
// Spending the last round of a counted weapon puts the highest usable slot in hand.
void FireWeaponIfHeld(Engine& engine, ObjectType& player);

// Digit key i selects slot i when that slot is usable; presses for other slots stay counted.
void ChooseWeaponByDigits(Engine& engine);

}  // namespace hopwerk
