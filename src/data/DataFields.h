// Which member of the General and Weapon archives' records each field of their entries fills:
// the project's settings and identity, the player's weapons, the status screen's elements and
// their conditions.
#pragma once

#include "data/DataState.h"
#include "schema/RecordFields.h"

namespace hopwerk {

const RecordFields<ProjectSettings>& ProjectSettingsFields();  // GenData
const RecordFields<ProjectSettings>& ProjectIdFields();        // ID
const RecordFields<WeaponType>& WeaponFields();
// The status entry holds both: an element's fields, and conditions of the element before them.
const RecordFields<TStatus>& StatusElementFields();
const RecordFields<TCondition>& StatusConditionFields();

}  // namespace hopwerk
