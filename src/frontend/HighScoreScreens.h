// The high-score screens: the table, browsed by episode and skill, and the name entry of a score
// that reaches it at the end of an episode.
#pragma once

#include <cstdint>
#include <string>

#include "engine/Engine.h"

namespace hopwerk {

// The longest name the table keeps: what one length byte of its file can count.
constexpr size_t kMaxHighScoreName = 255;

// One frame of the table of `episode` and `skill`; `editRank` (or -1) is the row being typed.
void DrawHighScores(Engine& engine, int episode, int skill, int editRank);

// Shows the table until Enter; Page Up/Down choose the episode, Left/Right the skill. reload 1
// reads the file first.
void ShowHighScores(Engine& engine, int episode, int skill, int reload);

// The rank `score` takes in the table of `episode` and `skill`: below every entry it does not
// beat, so an equal score goes below the older one. 0 when it beats none.
int HighScorePlace(const HighScoreTable& table, int episode, int skill, int32_t score);

// Applies one typed character to a name being entered; true when it ends the entry (Enter on a
// name that is not empty).
bool TypeHighScoreName(const Platform& platform, std::string& name, int c);

// At the end of an episode: puts the session's score into the table if it ranks, lets the
// player type a name and saves the table.
void EnterHighScore(Engine& engine);

// Writes the table; when that fails, says so and waits for a key. Play goes on either way.
void SaveHighScores(Engine& engine);

}  // namespace hopwerk
