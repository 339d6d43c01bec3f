// Plain state of the front-end screens that outlives one visit of a screen.
#pragma once

#include <array>
#include <string>

namespace hopwerk {

constexpr int kMaxEpisodes = 6;

struct FrontEndState {
  // First level of episodes 1 to 6 (index 0 is stored when named, never used). Re-read at every
  // new game without being cleared, so a level only a former patch named stays until the end.
  std::array<std::string, kMaxEpisodes + 1> EpisodeStartLevels;
};

}  // namespace hopwerk
