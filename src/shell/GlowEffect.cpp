#include "shell/GlowEffect.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace hopwerk {

namespace {

constexpr int kGlowSize = 512;

// The light is built as 2550 nested filled circles, each smaller and brighter than the one
// before; the steps of the float sequence decide which grey each ring gets.
std::vector<float> GlowRingSteps() {
  std::vector<float> steps;
  for (float t = 1.0f; t <= 511.0f; t += 0.2f) steps.push_back(t);
  return steps;
}

}  // namespace

PicturePtr MakeGlowPicture(Platform& platform) {
  PicturePtr picture = platform.CreatePicture(kGlowSize, kGlowSize, 1);
  if (!picture || picture->frames.empty()) return picture;
  const std::vector<float> steps = GlowRingSteps();
  std::vector<uint32_t>& pixels = picture->frames[0].pixels;
  pixels.assign(static_cast<size_t>(kGlowSize) * kGlowSize, 0xFF000000u);
  for (int y = 0; y < kGlowSize; ++y) {
    for (int x = 0; x < kGlowSize; ++x) {
      // The circle drawn at step t has radius (512 - t) / 2 around the centre; the pixel shows
      // the last (smallest) circle that still covers its centre.
      const double dx = x + 0.5 - 256.0;
      const double dy = y + 0.5 - 256.0;
      const double limit = 512.0 - 2.0 * std::sqrt(dx * dx + dy * dy);
      auto it = std::upper_bound(steps.begin(), steps.end(), limit,
                                 [](double v, float t) { return v < static_cast<double>(t); });
      if (it == steps.begin()) continue;
      const float t = *(it - 1);
      const uint32_t c = static_cast<uint32_t>(t * t / 1024.0f);
      pixels[static_cast<size_t>(y) * kGlowSize + x] = 0xFF000000u | c << 16 | c << 8 | c;
    }
  }
  return picture;
}

void PrepareGlowEffect(Engine& engine) {
  Platform& p = engine.platform;
  GlowState& glow = engine.glow;
  p.ClearScreen();
  glow.GlowPicture = MakeGlowPicture(p);
  // The bounds in force before this call are used, whatever the display size.
  for (int i = 0; i < kGlowBlobs; ++i) {
    glow.BlobX[i] = p.RandomInt(0, glow.BlobAreaWidth);
    glow.BlobY[i] = p.RandomInt(0, glow.BlobAreaHeight);
    glow.BlobDX[i] = p.RandomInt(0, 4) - 2;
    glow.BlobSpeedX[i] = std::abs(glow.BlobDX[i]);
    glow.BlobDY[i] = p.RandomInt(0, 4) - 2;
    glow.BlobSpeedY[i] = std::abs(glow.BlobDY[i]);
    glow.BlobAngle[i] = static_cast<float>(glow.BlobX[i]);
  }
  glow.BlobAreaWidth = p.DisplayWidth();
  glow.BlobAreaHeight = p.DisplayHeight();
}

void MoveGlowBlob(GlowState& glow, int i) {
  glow.BlobX[i] += glow.BlobDX[i];
  glow.BlobY[i] += glow.BlobDY[i];
  if (glow.BlobX[i] >= glow.BlobAreaWidth) glow.BlobDX[i] = -glow.BlobSpeedX[i];
  if (glow.BlobY[i] >= glow.BlobAreaHeight) glow.BlobDY[i] = -glow.BlobSpeedY[i];
  if (glow.BlobX[i] <= 0) glow.BlobDX[i] = glow.BlobSpeedX[i];
  if (glow.BlobY[i] <= 0) glow.BlobDY[i] = glow.BlobSpeedY[i];
}

void DrawGlowEffect(Engine& engine, int manyBlobs) {
  Platform& p = engine.platform;
  GlowState& glow = engine.glow;
  const int oldBlend = p.CurrentDrawBlend();
  p.ClearScreen();
  p.SetDrawBlend(4);
  // Blobs are placed as if turned, so they must be drawn unturned whatever the caller left set.
  p.SetDrawRotation(0);
  const int count = manyBlobs != 0 ? kGlowBlobs : 8;
  const float half = kGlowSize / 2.0f;
  for (int i = 0; i < count; ++i) {
    MoveGlowBlob(glow, i);
    glow.BlobAngle[i] += 0.2f;
    p.SetDrawColor(static_cast<int>(static_cast<float>(glow.BlobAreaWidth) - glow.BlobAngle[i]),
                   512 - glow.BlobX[i], 512 - glow.BlobY[i]);
    if (!glow.GlowPicture) continue;
    // The light is symmetric about its centre, so turning it about its top-left corner is the
    // same as drawing it unturned where that corner carries its centre: far cheaper.
    const double radians = static_cast<double>(glow.BlobAngle[i]) * std::numbers::pi / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    const double centreX = half * c - half * s;
    const double centreY = half * s + half * c;
    p.DrawPicture(*glow.GlowPicture, static_cast<float>(glow.BlobX[i] + centreX - half),
                  static_cast<float>(glow.BlobY[i] + centreY - half), 0);
  }
  p.SetDrawRotation(0);
  p.SetDrawColor(255, 255, 255);
  p.SetDrawBlend(oldBlend);
}

}  // namespace hopwerk
