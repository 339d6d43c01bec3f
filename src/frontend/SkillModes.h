// How the screens name the three skills: the high-score pages and saved-game descriptions.
#pragma once

namespace hopwerk {

inline constexpr const char* kSkillModes[3] = {"Easy Mode", "Medium Mode", "Hard Mode"};

}  // namespace hopwerk
