// The end of an episode: its closing text typed out over the victory picture, the tally, and
// the score offered to the high-score table.
#pragma once

#include <cstddef>

#include "engine/Engine.h"

namespace hopwerk {

// Rows of closing text on the screen; later lines of the text are not shown.
constexpr int kEpisodeTextRows = 20;
// Characters typed on one row: far wider than any screen, yet a text line of many kilobytes
// would otherwise keep the player waiting for hours on letters nobody can see.
constexpr size_t kEpisodeTextColumns = 256;

// Runs the whole sequence; returns when the high-score screens are done.
void ShowEpisodeEnd(Engine& engine);

// The hand-over to the high scores: the player enters a name if the score ranks, then browses
// the table. Without that hook, play goes straight back to the menu.
void EnterEpisodeHighScore(Engine& engine);

}  // namespace hopwerk
