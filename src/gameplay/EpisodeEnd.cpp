#include "gameplay/EpisodeEnd.h"

#include <array>
#include <string>

#include "data/ProjectFiles.h"

namespace hopwerk {

namespace {

constexpr int kHoldMillis = 5000;

void DrawVictoryPicture(Engine& engine) {
  if (const PicturePtr& picture = engine.pictures.YouWinPic) {
    engine.platform.DrawPicture(*picture, 0, 0, 0);
  }
}

// The patch's own text first, else the project's. Null when neither opens.
std::unique_ptr<ByteStream> OpenEpisodeText(Engine& engine) {
  const std::string name = "Episode" + std::to_string(engine.session.Episode) + ".txt";
  const std::string path = ResolveProjectFile(engine, "Data/Text/", "Text/", name, PatchCopy::File);
  if (path.empty()) return nullptr;
  return engine.platform.OpenReadFile(path);
}

// One character at a time, each after a short random pause, so the text reads as typed.
void TypeEpisodeText(Engine& engine) {
  std::unique_ptr<ByteStream> text = OpenEpisodeText(engine);
  if (!text) return;
  Platform& p = engine.platform;
  std::array<std::string, kEpisodeTextRows> rows;
  for (std::string& row : rows) {
    if (text->Eof()) break;
    std::string line = text->ReadLine();
    if (line.size() > kEpisodeTextColumns) line.resize(kEpisodeTextColumns);
    for (const char c : line) {
      p.ClearScreen();
      DrawVictoryPicture(engine);
      row.push_back(c);
      for (size_t k = 0; k < rows.size(); ++k) {
        if (!rows[k].empty()) {
          p.DrawTextAt(rows[k], 5, static_cast<float>(static_cast<int>(k) * p.FontHeight()));
        }
      }
      p.PresentFrame(-1);
      p.SleepMillis(p.RandomInt(50, 100));
    }
  }
  p.SleepMillis(kHoldMillis);
}

void ShowTally(Engine& engine) {
  Platform& p = engine.platform;
  const SessionState& session = engine.session;
  // Keys hit while the text was typed must not end the tally before it is seen.
  p.FlushKeys();
  p.ClearScreen();
  DrawVictoryPicture(engine);
  const struct {
    const char* label;
    int32_t value;
  } lines[] = {{"Kills:", session.Kills},
               {"Deaths:", session.Deaths},
               {"Items:", session.Items},
               {"Score:", session.Score}};
  float y = 200;
  for (const auto& line : lines) {
    p.DrawTextAt(line.label, 10, y);
    p.DrawTextAt(std::to_string(line.value), 300, y);
    y += 50;
  }
  p.DrawTextAt("Jam any key to continue...", 10, y);
  p.PresentFrame(-1);
  p.WaitAnyKey();
}

}  // namespace

void ShowEpisodeEnd(Engine& engine) {
  engine.platform.SetDrawColor(255, 255, 255);
  TypeEpisodeText(engine);
  ShowTally(engine);
  EnterEpisodeHighScore(engine);
}

void EnterEpisodeHighScore(Engine& engine) {
  if (engine.hooks.episodeScore) engine.hooks.episodeScore(engine);
}

}  // namespace hopwerk
