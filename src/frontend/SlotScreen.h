// The ten saved-game slots: saving from play (F5) and continuing from the main menu.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

constexpr int kSlotsSaving = 1;
constexpr int kSlotsLoading = 2;

// kSlotsSaving: Enter saves into the slot under the cursor and the screen stays open; Escape
// goes back to play. kSlotsLoading: Enter on a saved game loads it and sets GameState 3 (the
// level starts at its checkpoint); Escape sets GameState 0 (the main menu).
void SlotScreen(Engine& engine, int mode);

}  // namespace hopwerk
