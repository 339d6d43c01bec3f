// Sprites facing left: forty mirrored 64 x 64 masked sprites a frame, through the compositor and,
// for comparison, the same pixels composited straight through pixman from pictures mirrored and
// masked beforehand.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <vector>

#include "render/Compositor.h"

namespace hopwerk {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kSprites = 40;
constexpr int kSide = 64;

// A round sprite with a soft rim, so the mask has clear, faint and solid pixels.
PicturePtr MakeSprite() {
  PicturePtr sprite = CreateBlankPicture(kSide, kSide, 1);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const int dx = 2 * x - kSide + 1, dy = 2 * y - kSide + 1;
      const int d = dx * dx + dy * dy;
      const uint32_t a = d < 3600 ? 255u : d < 4096 ? 100u : 0u;
      const uint32_t r = (static_cast<uint32_t>(x) * 4 * a) / 255,
                     g = (static_cast<uint32_t>(y) * 4 * a) / 255;
      sprite->frames[0].pixels[static_cast<size_t>(y) * kSide + x] =
          a << 24 | r << 16 | g << 8 | a / 2;
    }
  }
  return sprite;
}

int SpriteX(int i) {
  return (i % 8) * 75 + 20;
}
int SpriteY(int i) {
  return (i / 8) * 90 + 10;
}

void BM_FortyMirroredSprites(benchmark::State& state) {
  Compositor c;
  c.Resize(kWidth, kHeight);
  PicturePtr sprite = MakeSprite();
  c.SetDrawBlend(kBlendMask);
  c.SetDrawScale(-1, 1);
  for (auto _ : state) {
    for (int i = 0; i < kSprites; ++i) {
      c.DrawPicture(*sprite, static_cast<float>(SpriteX(i) + kSide), static_cast<float>(SpriteY(i)),
                    0);
    }
    benchmark::DoNotOptimize(c.Pixels().data());
  }
}
BENCHMARK(BM_FortyMirroredSprites)->Unit(benchmark::kMicrosecond);

void BM_FortyMirroredSpritesPixman(benchmark::State& state) {
  std::vector<uint32_t> fb(static_cast<size_t>(kWidth) * kHeight, 0xFF000000u);
  pixman_image_t* target =
      pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, fb.data(), kWidth * 4);
  // Mirrored and masked once: opaque un-premultiplied colour where alpha >= 128, clear elsewhere.
  PicturePtr sprite = MakeSprite();
  std::vector<uint32_t> ready(static_cast<size_t>(kSide) * kSide);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const uint32_t p = sprite->frames[0].pixels[static_cast<size_t>(y) * kSide + kSide - 1 - x];
      const uint32_t a = p >> 24;
      uint32_t out = 0;
      if (a >= 128) {
        auto un = [a](uint32_t v) { return std::min<uint32_t>(255, (v * 255 + a / 2) / a); };
        out = 0xFF000000u | un((p >> 16) & 255) << 16 | un((p >> 8) & 255) << 8 | un(p & 255);
      }
      ready[static_cast<size_t>(y) * kSide + x] = out;
    }
  }
  pixman_image_t* source =
      pixman_image_create_bits(PIXMAN_a8r8g8b8, kSide, kSide, ready.data(), kSide * 4);
  for (auto _ : state) {
    for (int i = 0; i < kSprites; ++i) {
      pixman_image_composite32(PIXMAN_OP_OVER, source, nullptr, target, 0, 0, 0, 0, SpriteX(i),
                               SpriteY(i), kSide, kSide);
    }
    benchmark::DoNotOptimize(fb.data());
  }
  pixman_image_unref(source);
  pixman_image_unref(target);
}
BENCHMARK(BM_FortyMirroredSpritesPixman)->Unit(benchmark::kMicrosecond);

// The same sprites unmirrored through the compositor: what a mirrored draw should cost.
void BM_FortyPlainSprites(benchmark::State& state) {
  Compositor c;
  c.Resize(kWidth, kHeight);
  PicturePtr sprite = MakeSprite();
  c.SetDrawBlend(kBlendMask);
  for (auto _ : state) {
    for (int i = 0; i < kSprites; ++i) {
      c.DrawPicture(*sprite, static_cast<float>(SpriteX(i)), static_cast<float>(SpriteY(i)), 0);
    }
    benchmark::DoNotOptimize(c.Pixels().data());
  }
}
BENCHMARK(BM_FortyPlainSprites)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hopwerk
