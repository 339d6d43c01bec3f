#include "gameplay/FloatingText.h"

#include "render/SafeMath.h"

namespace hopwerk {

void AddFloatingText(Engine& engine, const std::string& text, int64_t worldX, int64_t worldY) {
  FT ft;
  ft.Txt = text;
  ft.X = SatInt32(worldX - engine.run.CameraX);
  ft.Y = SatInt32(worldY - engine.run.CameraY);
  ft.Deactivate = 500;
  engine.run.FloatingTexts.Append(std::move(ft));
}

}  // namespace hopwerk
