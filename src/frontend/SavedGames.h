// Saved games: ten slot files per project, each holding the checkpoint, the ammunition, the
// weapon in hand, the skill, the counters, the patch and the episode of a game in progress.
#pragma once

#include <array>
#include <string>

#include "engine/Engine.h"
#include "frontend/ShortString.h"

namespace hopwerk {

constexpr int kSaveSlots = 10;
extern const char* const kEmptySlotText;

struct SlotEntry {
  std::string Text;
  bool Valid = false;
};
using SlotTable = std::array<SlotEntry, kSaveSlots>;

// SaveFolder + "SaveGame." + the identity character + "0" + the slot digit. A character that
// cannot stand in a file name (NUL, "/", "\") becomes "_": the identity inside the file still
// tells projects apart.
std::string SlotFilePath(const Engine& engine, int slot);

// "07 Dec 2026, 12:00:00 > Sunny Meadow (Medium Mode)", at most 255 characters.
std::string SlotDescription(Engine& engine);

// Each slot's description, valid only for a whole header with this project's identity.
SlotTable ReadSlotTable(Engine& engine);
// Writes the game into `slot`. A slot file that cannot be written is reported on the console
// (the game goes on, the previous file stays as it was); returns whether it was written.
bool SaveGame(Engine& engine, int slot);
// Puts the saved game of `slot` into the session (and its patch into the player's settings),
// ready for the level to start at its checkpoint. A missing, foreign, cut or unknown file ends the
// program with its message.
void LoadGame(Engine& engine, int slot);

}  // namespace hopwerk
