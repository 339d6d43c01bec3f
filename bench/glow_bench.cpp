// Frame costs of the compositor's heaviest everyday work at 640 x 480: the glow effect (60
// additive, coloured 512 x 512 blobs) and a screen of masked 32 x 32 tiles.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <numbers>
#include <random>

#include "render/Compositor.h"

namespace hopwerk {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr int kBlobs = 60;

// The glow picture as the engine makes it: concentric ovals, grabbed from the screen.
PicturePtr MakeGlowPicture(Compositor& c) {
  c.Resize(512, 512);
  c.ClearScreen();
  for (float t = 1.0f; t <= 511.0f; t += 0.2f) {
    const int v = static_cast<int>(t * t / 1024);
    c.SetDrawColor(v, v, v);
    c.DrawOval(t / 2, t / 2, 512 - t, 512 - t);
  }
  PicturePtr glow = CreateBlankPicture(512, 512, 1);
  c.GrabPicture(*glow, 0, 0, 0);
  c.Resize(kWidth, kHeight);
  return glow;
}

struct Blob {
  int x, y, r, g, b;
  float angle;
};

std::vector<Blob> Scatter() {
  std::mt19937 rng(7);
  std::vector<Blob> blobs;
  for (int i = 0; i < kBlobs; ++i) {
    const int x = static_cast<int>(rng() % kWidth), y = static_cast<int>(rng() % kHeight);
    blobs.push_back({x, y, static_cast<int>(rng() % 256), static_cast<int>(rng() % 256),
                     static_cast<int>(rng() % 256), static_cast<float>(rng() % 360)});
  }
  return blobs;
}

// The glow picture is symmetric about its centre, so a blob turned about its top-left handle
// is the same picture drawn unturned where its centre is carried to.
void BM_GlowSixtyBlobsUnturned(benchmark::State& state) {
  Compositor c;
  PicturePtr glow = MakeGlowPicture(c);
  const std::vector<Blob> blobs = Scatter();
  for (auto _ : state) {
    c.ClearScreen();
    c.SetDrawBlend(kBlendLight);
    for (const Blob& b : blobs) {
      const double a = b.angle * std::numbers::pi / 180.0;
      const double cx = b.x + 256 * std::cos(a) - 256 * std::sin(a);
      const double cy = b.y + 256 * std::sin(a) + 256 * std::cos(a);
      c.SetDrawColor(b.r, b.g, b.b);
      c.DrawPicture(*glow, static_cast<float>(std::floor(cx)) - 256,
                    static_cast<float>(std::floor(cy)) - 256, 0);
    }
    benchmark::DoNotOptimize(c.Pixels().data());
  }
}
BENCHMARK(BM_GlowSixtyBlobsUnturned)->Unit(benchmark::kMillisecond);

void BM_GlowSixtyBlobsTurned(benchmark::State& state) {
  Compositor c;
  PicturePtr glow = MakeGlowPicture(c);
  const std::vector<Blob> blobs = Scatter();
  for (auto _ : state) {
    c.ClearScreen();
    c.SetDrawBlend(kBlendLight);
    for (const Blob& b : blobs) {
      c.SetDrawColor(b.r, b.g, b.b);
      c.SetDrawRotation(b.angle);
      c.DrawPicture(*glow, static_cast<float>(b.x), static_cast<float>(b.y), 0);
    }
    c.SetDrawRotation(0);
    benchmark::DoNotOptimize(c.Pixels().data());
  }
}
BENCHMARK(BM_GlowSixtyBlobsTurned)->Unit(benchmark::kMillisecond);

// The same sixty blobs straight through pixman, each the tint as source and the blob as mask
// added into a framebuffer of `target` format: as component alpha from the a8r8g8b8 picture, or
// (the blob being grey) as one 8-bit coverage per pixel.
void GlowPixman(benchmark::State& state, pixman_format_code_t target, bool greyMask) {
  Compositor c;
  PicturePtr glow = MakeGlowPicture(c);
  const std::vector<Blob> blobs = Scatter();
  std::vector<uint32_t> fb(static_cast<size_t>(kWidth) * kHeight, 0xFF000000u);
  pixman_image_t* dst = pixman_image_create_bits(target, kWidth, kHeight, fb.data(), kWidth * 4);
  std::vector<uint8_t> grey(512 * 512);
  for (size_t i = 0; i < grey.size(); ++i) grey[i] = glow->frames[0].pixels[i] & 255;
  pixman_image_t* mask =
      greyMask ? pixman_image_create_bits(PIXMAN_a8, 512, 512,
                                          reinterpret_cast<uint32_t*>(grey.data()), 512)
               : pixman_image_create_bits(PIXMAN_a8r8g8b8, 512, 512, glow->frames[0].pixels.data(),
                                          512 * 4);
  if (!greyMask) pixman_image_set_component_alpha(mask, 1);
  for (auto _ : state) {
    pixman_fill(fb.data(), kWidth, 32, 0, 0, kWidth, kHeight, 0xFF000000u);
    for (const Blob& b : blobs) {
      const double a = b.angle * std::numbers::pi / 180.0;
      const int x = static_cast<int>(std::floor(b.x + 256 * std::cos(a) - 256 * std::sin(a))) - 256;
      const int y = static_cast<int>(std::floor(b.y + 256 * std::sin(a) + 256 * std::cos(a))) - 256;
      const pixman_color_t colour{static_cast<uint16_t>(b.r * 257),
                                  static_cast<uint16_t>(b.g * 257),
                                  static_cast<uint16_t>(b.b * 257), 0xFFFF};
      pixman_image_t* tint = pixman_image_create_solid_fill(&colour);
      pixman_image_composite32(PIXMAN_OP_ADD, tint, mask, dst, 0, 0, 0, 0, x, y, 512, 512);
      pixman_image_unref(tint);
    }
    benchmark::DoNotOptimize(fb.data());
  }
  pixman_image_unref(mask);
  pixman_image_unref(dst);
}

void BM_GlowSixtyBlobsPixmanX888(benchmark::State& state) {
  GlowPixman(state, PIXMAN_x8r8g8b8, false);
}
BENCHMARK(BM_GlowSixtyBlobsPixmanX888)->Unit(benchmark::kMillisecond);

void BM_GlowSixtyBlobsPixmanA888(benchmark::State& state) {
  GlowPixman(state, PIXMAN_a8r8g8b8, false);
}
BENCHMARK(BM_GlowSixtyBlobsPixmanA888)->Unit(benchmark::kMillisecond);

void BM_GlowSixtyBlobsPixmanGreyX888(benchmark::State& state) {
  GlowPixman(state, PIXMAN_x8r8g8b8, true);
}
BENCHMARK(BM_GlowSixtyBlobsPixmanGreyX888)->Unit(benchmark::kMillisecond);

void BM_GlowSixtyBlobsPixmanGreyA888(benchmark::State& state) {
  GlowPixman(state, PIXMAN_a8r8g8b8, true);
}
BENCHMARK(BM_GlowSixtyBlobsPixmanGreyA888)->Unit(benchmark::kMillisecond);

void MaskedTiles(benchmark::State& state, bool tinted) {
  Compositor c;
  c.Resize(kWidth, kHeight);
  PicturePtr tile = CreateBlankPicture(32, 32, 1);
  for (size_t i = 0; i < tile->frames[0].pixels.size(); ++i) {
    tile->frames[0].pixels[i] = (i % 7 == 0) ? 0u : 0xFF000000u | static_cast<uint32_t>(i * 977);
  }
  c.SetDrawBlend(kBlendMask);
  if (tinted) c.SetDrawColor(200, 150, 255);
  for (auto _ : state) {
    for (int i = 0; i < 600; ++i) {
      c.DrawPicture(*tile, static_cast<float>((i % 25) * 26), static_cast<float>((i / 25) * 20), 0);
    }
    benchmark::DoNotOptimize(c.Pixels().data());
  }
}

void BM_SixHundredMaskedTiles(benchmark::State& state) {
  MaskedTiles(state, false);
}
BENCHMARK(BM_SixHundredMaskedTiles)->Unit(benchmark::kMicrosecond);

void BM_SixHundredMaskedTilesTinted(benchmark::State& state) {
  MaskedTiles(state, true);
}
BENCHMARK(BM_SixHundredMaskedTilesTinted)->Unit(benchmark::kMicrosecond);

void BM_ScreenOfText(benchmark::State& state) {
  Compositor c;
  c.Resize(kWidth, kHeight);
  c.SetDrawBlend(kBlendAlpha);
  const std::string line(80, 'W');
  for (auto _ : state) {
    for (int row = 0; row < 30; ++row) c.DrawTextAt(line, 0, static_cast<float>(row * 16));
    benchmark::DoNotOptimize(c.Pixels().data());
  }
}
BENCHMARK(BM_ScreenOfText)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hopwerk
