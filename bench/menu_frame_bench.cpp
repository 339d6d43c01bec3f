// One whole frame of the demo's main menu on the headless platform (clear, background, six
// items, cursor, present), beside the same pixels composited straight through pixman. Replays
// and tests spend most of their time in frames like this one.
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <string>
#include <vector>

#include "platform/HeadlessPlatform.h"
#include "render/Compositor.h"

namespace hopwerk {
namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

struct MenuPictures {
  PicturePtr back, cursor, items[6];
  bool Loaded() const {
    for (const PicturePtr& item : items) {
      if (!item) return false;
    }
    return back && cursor;
  }
};

// The demo's own pictures, with the handles the engine gives them.
MenuPictures LoadMenuPictures() {
  const std::string gfx = std::string(HOPWERK_BIN_DIR) + "/Data/GFX/General/";
  MenuPictures pics;
  pics.back = LoadPictureFile(gfx + "Menu.png");
  pics.cursor = LoadPictureFile(gfx + "Cursor.png");
  if (pics.cursor) SetPictureHandle(*pics.cursor, 0, pics.cursor->height / 2);
  for (int i = 0; i < 6; ++i) {
    pics.items[i] = LoadPictureFile(gfx + "Menu" + std::to_string(i) + ".png");
    if (pics.items[i]) SetPictureHandle(*pics.items[i], 0, pics.items[i]->height / 2);
  }
  return pics;
}

void BM_MainMenuFrame(benchmark::State& state) {
  const MenuPictures pics = LoadMenuPictures();
  if (!pics.Loaded()) {
    state.SkipWithError("the demo's pictures are not built");
    return;
  }
  HeadlessOptions options;
  options.output = [](const std::string&) {};
  HeadlessPlatform p(options);
  p.OpenDisplay(kWidth, kHeight, 0, 60);
  for (auto _ : state) {
    p.ClearScreen();
    p.SetDrawColor(255, 255, 255);
    p.DrawPicture(*pics.back, 0, 0, 0);
    for (int i = 0; i < 6; ++i)
      p.DrawPicture(*pics.items[i], 100, static_cast<float>(i * 50 + 150), 0);
    p.DrawPicture(*pics.cursor, 2, 150, 0);
    p.PresentFrame(-1);
  }
}
BENCHMARK(BM_MainMenuFrame)->Unit(benchmark::kMicrosecond);

// A picture as the mask blend writes it: opaque un-premultiplied colour or nothing.
pixman_image_t* MaskReady(const Picture& picture, std::vector<uint32_t>& pixels) {
  const std::vector<uint32_t>& src = picture.frames[0].pixels;
  pixels.resize(src.size());
  for (size_t i = 0; i < src.size(); ++i) {
    const uint32_t a = src[i] >> 24;
    uint32_t out = 0;
    if (a >= 128) {
      auto un = [a](uint32_t v) { return std::min<uint32_t>(255, (v * 255 + a / 2) / a); };
      out = 0xFF000000u | un((src[i] >> 16) & 255) << 16 | un((src[i] >> 8) & 255) << 8 |
            un(src[i] & 255);
    }
    pixels[i] = out;
  }
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, picture.width, picture.height, pixels.data(),
                                  picture.width * 4);
}

void BM_MainMenuFramePixman(benchmark::State& state) {
  const MenuPictures pics = LoadMenuPictures();
  if (!pics.Loaded()) {
    state.SkipWithError("the demo's pictures are not built");
    return;
  }
  std::vector<uint32_t> fb(static_cast<size_t>(kWidth) * kHeight, 0xFF000000u);
  pixman_image_t* target =
      pixman_image_create_bits(PIXMAN_x8r8g8b8, kWidth, kHeight, fb.data(), kWidth * 4);
  std::vector<uint32_t> pixels[8];
  struct Placed {
    pixman_image_t* image;
    int x, y, w, h;
  };
  std::vector<Placed> placed;
  placed.push_back({MaskReady(*pics.back, pixels[0]), 0, 0, pics.back->width, pics.back->height});
  for (int i = 0; i < 6; ++i) {
    const Picture& item = *pics.items[i];
    placed.push_back({MaskReady(item, pixels[i + 1]), 100, i * 50 + 150 - item.handleY, item.width,
                      item.height});
  }
  placed.push_back({MaskReady(*pics.cursor, pixels[7]), 2, 150 - pics.cursor->handleY,
                    pics.cursor->width, pics.cursor->height});
  for (auto _ : state) {
    pixman_fill(fb.data(), kWidth, 32, 0, 0, kWidth, kHeight, 0xFF000000u);
    for (const Placed& p : placed) {
      pixman_image_composite32(PIXMAN_OP_OVER, p.image, nullptr, target, 0, 0, 0, 0, p.x, p.y, p.w,
                               p.h);
    }
    benchmark::DoNotOptimize(fb.data());
  }
  for (const Placed& p : placed) pixman_image_unref(p.image);
  pixman_image_unref(target);
}
BENCHMARK(BM_MainMenuFramePixman)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace hopwerk
