// The list of episodes: the first level of each, from the General archive's "Episode" entry
// and a chosen patch's "Episode.PPF".
#pragma once

#include <string>

#include "engine/Engine.h"
#include "engine/LoadError.h"

namespace hopwerk {

// Reads the "Episode" entry into EpisodeStartLevels; says what is wrong with a damaged one.
LoadFault ReadEpisodeEntry(Engine& engine);
// Applies one line of a patch's episode file; lines that name no episode 1 to 6 change nothing.
void ApplyEpisodePatchLine(Engine& engine, const std::string& line);
// Applies PatchFolder + "/Episode.PPF" when a patch is chosen and the file opens.
void ApplyEpisodePatchFile(Engine& engine);
// How many episodes the menu offers: the non-empty entries from 1 up to the first gap.
int CountOfferedEpisodes(const Engine& engine);

}  // namespace hopwerk
