#include "frontend/HighScoreScreens.h"

#include <algorithm>

#include "frontend/HighScoreFile.h"
#include "frontend/OutlinedText.h"
#include "frontend/SkillModes.h"
#include "platform/KeyCodes.h"
#include "shell/GlowEffect.h"

namespace hopwerk {

namespace {

constexpr int kNameWidthLimit = 100;

int ClampEpisode(int episode) {
  return std::clamp(episode, 1, kMaxEpisodes);
}

int ClampSkill(int skill) {
  return std::clamp(skill, 0, kSkills - 1);
}

}  // namespace

void DrawHighScores(Engine& engine, int episode, int skill, int editRank) {
  Platform& p = engine.platform;
  episode = ClampEpisode(episode);
  skill = ClampSkill(skill);
  p.ClearScreen();
  DrawGlowEffect(engine, engine.settings.Performance);
  const std::string& title = engine.project.ProjectTitle;
  DrawOutlinedText(p, title, engine.project.ScreenWidth / 2 - p.MeasureTextWidth(title) / 2, 4,
                   {255, 255, 0});
  DrawOutlinedText(p, "HiScores - Episode " + std::to_string(episode) + ", " + kSkillModes[skill],
                   0, 30, {0, 255, 0});
  const auto& ranks = engine.frontend.HiScores[episode][skill];
  for (int i = 1; i <= kHighScoreRanks; ++i) {
    const HiType& entry = ranks[i];
    const int y = i * 20 + 35;
    DrawOutlinedText(p, std::to_string(i) + ".", 3, y, {255, 255 - 10 * i, 0});
    DrawOutlinedText(p, i == editRank ? entry.Name + "_" : entry.Name, 40, y, {0, 255, 255});
    DrawOutlinedText(p, std::to_string(entry.Score), 340, y, {255, 0, 255});
    DrawOutlinedText(p, entry.Date, 500, y, {100, 100, 255});
  }
}

void ShowHighScores(Engine& engine, int episode, int skill, int reload) {
  Platform& p = engine.platform;
  if (reload == 1) LoadHighScores(engine);
  p.FlushKeys();
  // A loaded game may carry an episode or skill the table has no page for.
  episode = ClampEpisode(episode);
  skill = ClampSkill(skill);
  for (;;) {
    DrawHighScores(engine, episode, skill, -1);
    DrawOutlinedText(p, "Hit ENTER to continue", 2, engine.project.ScreenHeight - p.FontHeight(),
                     {255, 255, 255});
    p.PresentFrame(-1);
    if (p.KeyHits(kKeyPageUp) != 0 && episode > 1) --episode;
    if (p.KeyHits(kKeyPageDown) != 0 && episode < kMaxEpisodes) ++episode;
    if (p.KeyHits(kKeyLeft) != 0 && skill > 0) --skill;
    if (p.KeyHits(kKeyRight) != 0 && skill < kSkills - 1) ++skill;
    if (p.KeyHits(kKeyEnter) != 0) break;
  }
  p.FlushKeys();
}

int HighScorePlace(const HighScoreTable& table, int episode, int skill, int32_t score) {
  const auto& ranks = table[episode][skill];
  for (int i = 1; i <= kHighScoreRanks; ++i) {
    if (ranks[i].Score < score) return i;
  }
  return 0;
}

bool TypeHighScoreName(const Platform& platform, std::string& name, int c) {
  if (c == kKeyEnter) return !name.empty();
  if (c == kKeyBackspace) {
    if (!name.empty()) name.pop_back();
    return false;
  }
  // Characters without a glyph take no width, so the width alone would let them pile up
  // without end; the length cap keeps the name within what its file record can hold.
  if (c >= 32 && c <= 255 && platform.MeasureTextWidth(name) < kNameWidthLimit &&
      name.size() < kMaxHighScoreName) {
    name.push_back(static_cast<char>(c));
  }
  return false;
}

void EnterHighScore(Engine& engine) {
  Platform& p = engine.platform;
  LoadHighScores(engine);
  const SessionState& session = engine.session;
  // A loaded game may carry an episode or skill the table has no place for.
  if (session.Episode < 1 || session.Episode > kMaxEpisodes || session.Skill < 0 ||
      session.Skill >= kSkills) {
    return;
  }
  const int place =
      HighScorePlace(engine.frontend.HiScores, session.Episode, session.Skill, session.Score);
  if (place == 0) return;
  auto& ranks = engine.frontend.HiScores[session.Episode][session.Skill];
  for (int i = kHighScoreRanks; i > place; --i) ranks[i] = ranks[i - 1];
  ranks[place] = HiType{"", session.Score, p.CurrentDate()};
  // The key that closed the tally is still queued as typed; it must not start the name.
  p.FlushKeys();
  for (;;) {
    DrawHighScores(engine, session.Episode, session.Skill, place);
    const int c = p.NextTypedChar();
    const bool done = TypeHighScoreName(p, ranks[place].Name, c);
    p.PresentFrame(-1);
    if (done) break;
  }
  SaveHighScores(engine);
}

void SaveHighScores(Engine& engine) {
  if (WriteHighScoreFile(engine)) return;
  Platform& p = engine.platform;
  p.FlushKeys();
  p.ClearScreen();
  p.DrawTextAt("Couldn't write \"" + HighScoreFilePath(engine) + "\"", 0, 0);
  p.DrawTextAt("You can Continue but the hiscores are Not saved!", 0, 30);
  p.DrawTextAt("Hit any key...", 0, 60);
  p.PresentFrame(-1);
  p.WaitAnyKey();
  p.FlushKeys();
}

}  // namespace hopwerk
