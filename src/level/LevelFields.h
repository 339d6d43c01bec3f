// Which member of a level's records each field of their entries fills: map objects, actor,
// collectable and enemy-weapon definitions, script commands.
#pragma once

#include "level/LevelRecords.h"
#include "level/LevelState.h"
#include "schema/RecordFields.h"

namespace hopwerk {

const RecordFields<ObjectType>& ObjectFields();
const RecordFields<ActorType>& ActorFields();
const RecordFields<CollectableType>& CollectableFields();
const RecordFields<EnemyWeapon>& EnemyWeaponFields();
const RecordFields<ScriptType>& ScriptFields();
// The level's general entry and its activity margins, kept in the level's own state.
const RecordFields<LevelState>& LevelGeneralFields();
const RecordFields<LevelState>& LevelMarginFields();

}  // namespace hopwerk
