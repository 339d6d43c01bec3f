#include "ActorStrips.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "Scenery.h"

namespace hopwerk {

namespace {

Layer PaintCell(int w, int h, const CreaturePainter& paint, int pose) {
  Canvas cell(w, h);
  paint(cell, 0, pose);
  return cell.Grab();
}

// Flattened toward the bottom row and a little wider, as if stepped on.
Layer Squash(const Layer& src, float height) {
  Layer out(src.width, src.height);
  const float cx = static_cast<float>(src.width) / 2.0f;
  const float widen = 1.0f + (1.0f - height) * 0.35f;
  for (int y = 0; y < src.height; ++y) {
    const float fromBottom = static_cast<float>(src.height - 1 - y) / height;
    const int sy = src.height - 1 - static_cast<int>(fromBottom);
    if (sy < 0) continue;
    for (int x = 0; x < src.width; ++x) {
      const int sx = static_cast<int>(cx + (static_cast<float>(x) + 0.5f - cx) / widen);
      if (src.Inside(sx, sy)) out.pixels[static_cast<size_t>(y) * src.width + x] = src.At(sx, sy);
    }
  }
  return out;
}

Layer UpsideDown(const Layer& src) {
  Layer out(src.width, src.height);
  for (int y = 0; y < src.height; ++y) {
    for (int x = 0; x < src.width; ++x) {
      out.pixels[static_cast<size_t>(y) * src.width + x] = src.At(x, src.height - 1 - y);
    }
  }
  return out;
}

// A dust cloud centred on (cx, cy) in a cell of w x h: stage 0 a burst, 1 the full cloud with
// stars, 2 a few shreds drifting up.
void DrawPuff(Canvas& c, float cx, float cy, float w, float h, int stage) {
  const Rgb dust{250, 246, 232}, shade{206, 200, 214};
  const float r = std::min(w, h) * (stage == 0 ? 0.16f : stage == 1 ? 0.21f : 0.12f);
  const float spread = stage == 2 ? 1.7f : 1.0f;
  const float offsets[][2] = {{0, 0}, {-1.1f, 0.3f}, {1.1f, 0.35f}, {-0.5f, -0.8f}, {0.6f, -0.7f}};
  const int count = stage == 2 ? 3 : 5;
  for (int i = 0; i < count; ++i) {
    const float x = cx + offsets[i][0] * r * spread, y = cy + offsets[i][1] * r * spread;
    c.Disc(x, y + r * 0.2f, r, r * 0.85f, shade);
  }
  for (int i = 0; i < count; ++i) {
    const float x = cx + offsets[i][0] * r * spread, y = cy + offsets[i][1] * r * spread;
    c.Disc(x, y, r * 0.85f, r * 0.7f, dust);
  }
  if (stage == 1) {
    DrawSparkle(c, cx - r * 1.4f, cy - r * 0.9f, r * 0.5f, {255, 230, 120});
    DrawSparkle(c, cx + r * 1.5f, cy - r * 0.4f, r * 0.4f, {255, 230, 120});
  }
}

// Each frame is painted on a canvas of its own, so nothing spills into the next cell.
bool SaveStrip(const std::string& path, int cellW, int cellH, int frames,
               const std::function<void(Canvas&, int frame)>& paintFrame) {
  Canvas strip(cellW * frames, cellH);
  for (int f = 0; f < frames; ++f) {
    Canvas cell(cellW, cellH);
    paintFrame(cell, f);
    strip.Paste(cell.Grab(), f * cellW, 0);
  }
  return strip.Save(path, false);
}

}  // namespace

bool WriteDeathStrip(const std::string& path, int cellW, int cellH, DeathPicture death,
                     const CreaturePainter& paint) {
  const Layer standing = PaintCell(cellW, cellH, paint, 0);
  if (death == DeathPicture::OnItsBack) {
    return SaveStrip(path, cellW, cellH, 1,
                     [&](Canvas& c, int) { c.Paste(UpsideDown(standing), 0, 0); });
  }
  const float w = static_cast<float>(cellW), h = static_cast<float>(cellH);
  return SaveStrip(path, cellW, cellH, kPuffFrames, [&](Canvas& c, int f) {
    const float cx = w / 2;
    switch (f) {
      case 0:
        c.Paste(Squash(standing, 0.7f), 0, 0);
        break;
      case 1:
        c.Paste(Squash(standing, 0.35f), 0, 0);
        DrawPuff(c, cx, h * 0.7f, w, h, 0);
        break;
      case 2:
        DrawPuff(c, cx, h * 0.62f, w, h, 1);
        break;
      default:
        DrawPuff(c, cx, h * 0.5f, w, h, 2);
    }
  });
}

bool WriteCreature(const std::string& actorsFolder, const CreatureArt& art) {
  const std::string folder = actorsFolder + art.bundle + "/";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return false;
  auto cycle = [&](const std::string& file, int frames, int firstPose) {
    return SaveStrip(folder + file, art.cellW, art.cellH, frames,
                     [&](Canvas& c, int f) { art.paint(c, 0, firstPose + f); });
  };
  bool ok = true;
  if (art.flies) {
    ok = cycle("Fly.png", art.cycleFrames, 0) && ok;
    ok = cycle("Walk.png", 1, 0) && ok;
  } else {
    ok = cycle("Walk.png", art.cycleFrames, 0) && ok;
    if (art.falls) ok = cycle("Jump.png", 1, kFallPose) && ok;
  }
  ok = WriteDeathStrip(folder + "Die.png", art.cellW, art.cellH, art.death, art.paint) && ok;
  return ok;
}

}  // namespace hopwerk
