#include <gtest/gtest.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "codec/PngWriter.h"
#include "platform/HeadlessPlatform.h"
#include "render/Compositor.h"

namespace hopwerk {
namespace {

namespace fs = std::filesystem;

uint32_t Argb(int a, int r, int g, int b) {
  return (static_cast<uint32_t>(a) << 24) | (static_cast<uint32_t>(r) << 16) |
         (static_cast<uint32_t>(g) << 8) | static_cast<uint32_t>(b);
}

class PictureFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("hopwerk_picture_test_" +
            std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  // Writes a PNG of any colour type with libpng. `samples` holds the rows packed as libpng
  // expects them for that type and depth.
  void WriteRawPng(const std::string& path, int w, int h, int colourType, int depth,
                   const std::vector<uint8_t>& samples, const std::vector<png_color>& palette = {},
                   const std::vector<uint8_t>& trns = {}) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, f);
    png_set_IHDR(png, info, w, h, depth, colourType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (!palette.empty()) png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    if (!trns.empty()) {
      png_set_tRNS(png, info, trns.data(), static_cast<int>(trns.size()), nullptr);
    }
    png_write_info(png, info);
    const size_t rowBytes = samples.size() / h;
    for (int y = 0; y < h; ++y) {
      png_write_row(png, const_cast<png_bytep>(samples.data() + y * rowBytes));
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(f);
  }

  std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  fs::path dir_;
};

TEST_F(PictureFileTest, PureBlackBecomesTransparentButNearBlackStays) {
  const std::string path = Path("rgba.png");
  WriteRawPng(path, 4, 1, PNG_COLOR_TYPE_RGB_ALPHA, 8,
              {0, 0, 0, 255, 0, 0, 1, 255, 255, 0, 0, 128, 10, 20, 30, 0});
  PicturePtr p = LoadPictureFile(path);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->width, 4);
  EXPECT_EQ(p->height, 1);
  ASSERT_EQ(p->frames.size(), 1u);
  const auto& px = p->frames[0].pixels;
  EXPECT_EQ(px[0], 0u);
  EXPECT_EQ(px[1], Argb(255, 0, 0, 1));
  EXPECT_EQ(px[2], Argb(128, 128, 0, 0));  // premultiplied
  EXPECT_EQ(px[3] >> 24, 0u);
  EXPECT_EQ(p->handleX, 0);
  EXPECT_EQ(p->handleY, 0);
}

TEST_F(PictureFileTest, EveryColourTypeDecodes) {
  // Grey 8-bit.
  WriteRawPng(Path("g8.png"), 2, 1, PNG_COLOR_TYPE_GRAY, 8, {0, 200});
  PicturePtr g8 = LoadPictureFile(Path("g8.png"));
  ASSERT_NE(g8, nullptr);
  EXPECT_EQ(g8->frames[0].pixels[0], 0u);
  EXPECT_EQ(g8->frames[0].pixels[1], Argb(255, 200, 200, 200));
  // Grey 1-bit: 0b10 packed.
  WriteRawPng(Path("g1.png"), 2, 1, PNG_COLOR_TYPE_GRAY, 1, {0x80});
  PicturePtr g1 = LoadPictureFile(Path("g1.png"));
  ASSERT_NE(g1, nullptr);
  EXPECT_EQ(g1->frames[0].pixels[0], Argb(255, 255, 255, 255));
  EXPECT_EQ(g1->frames[0].pixels[1], 0u);
  // Grey + alpha.
  WriteRawPng(Path("ga.png"), 1, 1, PNG_COLOR_TYPE_GRAY_ALPHA, 8, {100, 255});
  PicturePtr ga = LoadPictureFile(Path("ga.png"));
  ASSERT_NE(ga, nullptr);
  EXPECT_EQ(ga->frames[0].pixels[0], Argb(255, 100, 100, 100));
  // RGB 16-bit.
  WriteRawPng(Path("rgb16.png"), 1, 1, PNG_COLOR_TYPE_RGB, 16, {0xFF, 0xFF, 0x80, 0x00, 0, 0});
  PicturePtr rgb16 = LoadPictureFile(Path("rgb16.png"));
  ASSERT_NE(rgb16, nullptr);
  EXPECT_EQ(rgb16->frames[0].pixels[0], Argb(255, 255, 128, 0));
  // Palette with a transparent entry.
  WriteRawPng(Path("pal.png"), 3, 1, PNG_COLOR_TYPE_PALETTE, 8, {0, 1, 2},
              {{255, 0, 0}, {0, 0, 1}, {0, 0, 0}}, {0});
  PicturePtr pal = LoadPictureFile(Path("pal.png"));
  ASSERT_NE(pal, nullptr);
  EXPECT_EQ(pal->frames[0].pixels[0], 0u);  // tRNS alpha 0
  EXPECT_EQ(pal->frames[0].pixels[1], Argb(255, 0, 0, 1));
  EXPECT_EQ(pal->frames[0].pixels[2], 0u);  // black
}

TEST_F(PictureFileTest, ScreenshotRoundTrips) {
  const std::vector<uint32_t> frame = {0xFF102030u, 0x00405060u, 0xFF000000u,
                                       0xFFFFFFFFu, 0xFF000001u, 0xFF800000u};
  const std::string path = Path("shot.png");
  ASSERT_TRUE(WritePng(path, frame.data(), 3, 2));
  PicturePtr p = LoadPictureFile(path);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->width, 3);
  EXPECT_EQ(p->height, 2);
  const auto& px = p->frames[0].pixels;
  EXPECT_EQ(px[0], 0xFF102030u);
  EXPECT_EQ(px[1], 0xFF405060u);  // the unused top byte is not alpha
  EXPECT_EQ(px[2], 0u);
  EXPECT_EQ(px[3], 0xFFFFFFFFu);
  EXPECT_EQ(px[4], 0xFF000001u);
  EXPECT_EQ(px[5], 0xFF800000u);
  EXPECT_FALSE(WritePng(Path("no/such/folder/x.png"), frame.data(), 3, 2));
  EXPECT_FALSE(WritePng(Path("empty.png"), frame.data(), 0, 2));
}

TEST_F(PictureFileTest, StripCutsCellsInReadingOrderFromFirstCell) {
  // A 3 x 2 sheet of 2 x 2 cells; cell n is red n*10, plus 1 unused pixel column at the right.
  const int w = 7, h = 4;
  std::vector<uint8_t> rgb(static_cast<size_t>(w) * h * 3, 0);
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      const int cell = x < 6 ? (y / 2) * 3 + x / 2 : 99;
      rgb[(y * w + x) * 3] = static_cast<uint8_t>(cell * 10 + 5);
      rgb[(y * w + x) * 3 + 1] = static_cast<uint8_t>(x % 2 + 2 * (y % 2));  // position in cell
    }
  }
  WriteRawPng(Path("sheet.png"), w, h, PNG_COLOR_TYPE_RGB, 8, rgb);
  PicturePtr strip = LoadPictureStripFile(Path("sheet.png"), 2, 2, 1, 6);
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->width, 2);
  EXPECT_EQ(strip->height, 2);
  ASSERT_EQ(strip->frames.size(), 6u);
  for (int f = 0; f < 5; ++f) {
    const auto& px = strip->frames[f].pixels;
    ASSERT_EQ(px.size(), 4u);
    for (int i = 0; i < 4; ++i) {
      EXPECT_EQ((px[i] >> 16) & 255, static_cast<uint32_t>((f + 1) * 10 + 5)) << f;
      EXPECT_EQ((px[i] >> 8) & 255, static_cast<uint32_t>(i)) << f;
    }
  }
  // Cell 6 does not exist in the sheet: a transparent frame.
  for (uint32_t p : strip->frames[5].pixels) EXPECT_EQ(p, 0u);
  EXPECT_EQ(LoadPictureStripFile(Path("sheet.png"), 8, 2, 0, 1), nullptr);  // no whole cell
  EXPECT_EQ(LoadPictureStripFile(Path("sheet.png"), 0, 2, 0, 1), nullptr);
  EXPECT_EQ(LoadPictureStripFile(Path("sheet.png"), 2, 2, -1, 1), nullptr);
  EXPECT_EQ(LoadPictureStripFile(Path("sheet.png"), 2, 2, 0, 0), nullptr);
  EXPECT_EQ(LoadPictureStripFile(Path("missing.png"), 2, 2, 0, 1), nullptr);
  PicturePtr far = LoadPictureStripFile(Path("sheet.png"), 2, 2, 2147483000, 2);
  ASSERT_NE(far, nullptr);
  EXPECT_EQ(far->frames[1].pixels[0], 0u);
}

TEST_F(PictureFileTest, BrokenFilesGiveNoPicture) {
  EXPECT_EQ(LoadPictureFile(Path("missing.png")), nullptr);
  EXPECT_EQ(LoadPictureFile(dir_.string()), nullptr);  // a folder
  { std::ofstream(Path("empty.png"), std::ios::binary); }
  EXPECT_EQ(LoadPictureFile(Path("empty.png")), nullptr);
  {
    std::ofstream out(Path("text.png"), std::ios::binary);
    out << "this is not a picture at all, only some text pretending to be one";
  }
  EXPECT_EQ(LoadPictureFile(Path("text.png")), nullptr);
  EXPECT_EQ(DecodePng(nullptr, 0), nullptr);

  std::vector<uint8_t> rgb(16 * 16 * 3);
  for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<uint8_t>(i * 7);
  WriteRawPng(Path("good.png"), 16, 16, PNG_COLOR_TYPE_RGB, 8, rgb);
  const std::vector<uint8_t> good = ReadBytes(Path("good.png"));
  ASSERT_NE(DecodePng(good.data(), good.size()), nullptr);
  // Every truncation fails cleanly.
  for (size_t n = 0; n < good.size(); ++n) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + static_cast<ptrdiff_t>(n));
    EXPECT_EQ(DecodePng(cut.data(), cut.size()), nullptr) << "cut at " << n;
  }
  // Damaged bytes anywhere after the signature: no crash, and a damaged header is refused.
  for (size_t i = 8; i < good.size(); ++i) {
    std::vector<uint8_t> bad = good;
    bad[i] ^= 0x5A;
    (void)DecodePng(bad.data(), bad.size());
  }
  std::vector<uint8_t> badHeader = good;
  badHeader[17] ^= 0xFF;  // inside IHDR: its CRC no longer matches
  EXPECT_EQ(DecodePng(badHeader.data(), badHeader.size()), nullptr);
}

TEST_F(PictureFileTest, AbsurdDimensionsAreRefused) {
  // A valid-looking header claiming 1,000,000 x 1,000,000 pixels.
  std::FILE* f = std::fopen(Path("huge.png").c_str(), "wb");
  ASSERT_NE(f, nullptr);
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, f);
  png_set_IHDR(png, info, 1000000, 1000000, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(f);
  EXPECT_EQ(LoadPictureFile(Path("huge.png")), nullptr);
}

TEST_F(PictureFileTest, DeclaredSizeIsCheckedAgainstTheLimitBeforeDecoding) {
  std::vector<uint32_t> pixels(64 * 64, 0xFF00FF00u);
  ASSERT_TRUE(WritePng(Path("p.png"), pixels.data(), 64, 64));
  const std::vector<uint8_t> png = ReadBytes(Path("p.png"));
  EXPECT_EQ(DecodePng(png.data(), png.size(), 64 * 64 * 4 - 1), nullptr);
  EXPECT_NE(DecodePng(png.data(), png.size(), 64 * 64 * 4), nullptr);
  EXPECT_EQ(LoadPictureFile("incbin::IncBin/GFX/Dot.png", 15), nullptr);  // 2x2
  EXPECT_EQ(CreateBlankPicture(8, 8, 2, 511), nullptr);
}

// Decoded pixels of every live picture a platform made count against one budget: beyond it a
// picture is not loaded, and a picture given up gives its share back.
TEST_F(PictureFileTest, LivePicturesShareOneBudget) {
  std::vector<uint32_t> pixels(64 * 64, 0xFF00FF00u);
  ASSERT_TRUE(WritePng(Path("p.png"), pixels.data(), 64, 64));
  constexpr int64_t kOne = 64 * 64 * 4;
  HeadlessOptions options;
  options.programFolder = dir_.string() + "/";
  options.output = [](const std::string&) {};
  options.pictureBudgetBytes = 4 * kOne;
  HeadlessPlatform p(options);

  PicturePtr a = p.LoadPicture(Path("p.png"));
  PicturePtr b = p.CreatePicture(64, 32, 2);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(p.GetPictureBudget().Used(), 2 * kOne);
  // The sheet is decoded while the strip is cut: both count, and 2 + 1 + 1 still fits.
  PicturePtr strip = p.LoadPictureStrip(Path("p.png"), 32, 32, 0, 4);
  ASSERT_TRUE(strip);
  EXPECT_EQ(p.GetPictureBudget().Used(), 3 * kOne);
  PicturePtr d = p.LoadPicture(Path("p.png"));
  ASSERT_TRUE(d);
  EXPECT_FALSE(p.LoadPicture(Path("p.png")));
  EXPECT_FALSE(p.CreatePicture(1, 1, 1));
  EXPECT_FALSE(p.LoadPicture("incbin::IncBin/GFX/Dot.png"));
  EXPECT_FALSE(p.LoadPictureStrip(Path("p.png"), 32, 32, 0, 1));

  PicturePtr copy = a;
  a.reset();
  EXPECT_EQ(p.GetPictureBudget().Used(), 4 * kOne);  // still held through its copy
  copy.reset();
  strip.reset();
  EXPECT_EQ(p.GetPictureBudget().Used(), 2 * kOne);
  EXPECT_TRUE(p.LoadPictureStrip(Path("p.png"), 32, 32, 0, 4));  // needs 2, has 2
  // Pictures may outlive their platform.
  options.pictureBudgetBytes = kOne;
  auto q = std::make_unique<HeadlessPlatform>(options);
  PicturePtr kept = q->LoadPicture(Path("p.png"));
  q.reset();
  ASSERT_TRUE(kept);
  EXPECT_EQ(kept->width, 64);
}

TEST(BuiltinPictureTest, SizesAndContent) {
  PicturePtr cursor = LoadPictureFile("incbin::IncBin/GFX/Cursor.png");
  ASSERT_NE(cursor, nullptr);
  EXPECT_EQ(cursor->width, 40);
  EXPECT_EQ(cursor->height, 40);
  ASSERT_EQ(cursor->frames.size(), 1u);
  ASSERT_EQ(cursor->frames[0].pixels.size(), 1600u);
  EXPECT_EQ(cursor->frames[0].pixels[0], 0u);  // transparent background
  int white = 0;
  for (uint32_t p : cursor->frames[0].pixels) white += p == 0xFFFFFFFFu;
  EXPECT_GT(white, 300);

  PicturePtr dot = LoadPictureFile("incbin::IncBin/GFX/Dot.png");
  ASSERT_NE(dot, nullptr);
  EXPECT_EQ(dot->width, 2);
  EXPECT_EQ(dot->height, 2);
  for (uint32_t p : dot->frames[0].pixels) EXPECT_EQ(p, 0xFFFFFFFFu);

  PicturePtr egg = LoadPictureFile("incbin::IncBin/GFX/Egg.png");
  ASSERT_NE(egg, nullptr);
  EXPECT_EQ(egg->width, 62);
  EXPECT_EQ(egg->height, 107);
  ASSERT_EQ(egg->frames[0].pixels.size(), 62u * 107u);
  EXPECT_EQ(egg->frames[0].pixels[0], 0u);
  EXPECT_EQ(egg->frames[0].pixels[53 * 62 + 31] >> 24, 255u);

  EXPECT_EQ(LoadPictureFile("incbin::IncBin/GFX/Missing.png"), nullptr);
  EXPECT_EQ(LoadPictureFile("incbin::IncBin/GFX/cursor.png"), nullptr);
  EXPECT_EQ(LoadPictureFile("incbin::"), nullptr);
  // Each load is a picture of its own.
  PicturePtr again = LoadPictureFile("incbin::IncBin/GFX/Cursor.png");
  SetPictureHandle(*again, 0, 20);
  EXPECT_EQ(cursor->handleY, 0);
  PicturePtr dots = LoadPictureStripFile("incbin::IncBin/GFX/Dot.png", 1, 1, 0, 4);
  ASSERT_NE(dots, nullptr);
  EXPECT_EQ(dots->frames.size(), 4u);
}

TEST(BlankPictureTest, CreatesTransparentFrames) {
  PicturePtr p = CreateBlankPicture(512, 256, 3);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->width, 512);
  EXPECT_EQ(p->height, 256);
  ASSERT_EQ(p->frames.size(), 3u);
  for (const auto& f : p->frames) {
    ASSERT_EQ(f.pixels.size(), 512u * 256u);
    EXPECT_EQ(f.pixels[1000], 0u);
  }
  EXPECT_EQ(CreateBlankPicture(0, 5, 1), nullptr);
  EXPECT_EQ(CreateBlankPicture(5, -1, 1), nullptr);
  EXPECT_EQ(CreateBlankPicture(5, 5, 0), nullptr);
  EXPECT_EQ(CreateBlankPicture(100000, 100000, 1), nullptr);
}

TEST(GlowPictureTest, OvalsGrabbedFromTheScreen) {
  // How the glow picture is made: concentric ovals, grabbed. The grab is opaque and bright in
  // the middle, black at the rim.
  Compositor c;
  c.Resize(512, 512);
  c.ClearScreen();
  for (float t = 1.0f; t <= 511.0f; t += 0.2f) {
    const int v = static_cast<int>(t * t / 1024);
    c.SetDrawColor(v, v, v);
    c.DrawOval(t / 2, t / 2, 512 - t, 512 - t);
  }
  PicturePtr glow = CreateBlankPicture(512, 512, 1);
  c.GrabPicture(*glow, 0, 0, 0);
  const auto& px = glow->frames[0].pixels;
  EXPECT_GE(px[256 * 512 + 256] & 255, 250u);
  EXPECT_EQ(px[0], 0xFF000000u);
  const uint32_t mid = px[256 * 512 + 128] & 255;  // r = 128: about (256-128)^2/256 = 64
  EXPECT_NEAR(static_cast<int>(mid), 64, 3);
}

}  // namespace
}  // namespace hopwerk
