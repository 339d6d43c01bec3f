// The high-score table of the chosen patch (or of the game itself) and its file.
#pragma once

#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// The table's file name within SaveFolder: the patch folder flattened into one name, so each
// patch keeps its own table ("__HiScores" without a patch).
std::string HighScoreFileName(const std::string& patchFolder);
std::string HighScoreFilePath(const Engine& engine);

// Every place of the table as a fresh game has it: falling scores, the title on top and the
// author on the third row.
void FillBuiltInHighScores(Engine& engine);

// Fills the table from the file; without a file, from the built-in table.
void LoadHighScores(Engine& engine);

// Writes all 360 used places. False when the file could not be written; the old file is then
// left as it was.
bool WriteHighScoreFile(Engine& engine);

}  // namespace hopwerk
