// The end of an episode: its closing text typed out over the victory picture, the tally, and
// the score offered to the high-score table.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Rows of closing text on the screen; later lines of the text are not shown.
constexpr int kEpisodeTextRows = 20;

// Runs the whole sequence; returns when the high-score screens are done.
void ShowEpisodeEnd(Engine& engine);

// The hand-over to the high scores: the player enters a name if the score ranks, then browses
// the table. Without that hook, play goes straight back to the menu.
void EnterEpisodeHighScore(Engine& engine);

}  // namespace hopwerk
