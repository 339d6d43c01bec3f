// Plain state of the front-end screens that outlives one visit of a screen.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace hopwerk {

constexpr int kMaxEpisodes = 6;
constexpr int kSkills = 3;
constexpr int kHighScoreRanks = 20;

// One place of a high-score table.
struct HiType {
  std::string Name;
  int32_t Score = 0;
  std::string Date;
};

// [episode 0..6][skill 0..2][rank 0..20]; episodes and ranks count from 1, index 0 is unused.
using HighScoreTable =
    std::array<std::array<std::array<HiType, kHighScoreRanks + 1>, kSkills>, kMaxEpisodes + 1>;

struct FrontEndState {
  // First level of episodes 1 to 6 (index 0 is stored when named, never used). Re-read at every
  // new game without being cleared, so a level only a former patch named stays until the end.
  std::array<std::string, kMaxEpisodes + 1> EpisodeStartLevels;
  // Refilled from the file (or the built-in table) before every showing or change.
  HighScoreTable HiScores;
};

}  // namespace hopwerk
