#include <gtest/gtest.h>

#include "platform/ChoiceDialog.h"

namespace hopwerk {
namespace {

constexpr int kEnter = 13, kEscape = 27, kSpace = 32, kLeft = 37, kUp = 38, kRight = 39, kDown = 40;

ChoiceDialogSpec DriverSpec() {
  ChoiceDialogSpec spec;
  spec.title = "Please select your library";
  spec.label =
      "Please select which driver you want to use to play.\nIf you are not sure if your computer "
      "supports OpenGL, you can best select DirectX";
  spec.labelRect = {0, 0, 300, 75};
  spec.choices = {"OpenGL", "DirectX"};
  spec.choiceRects = {{50, 75, 200, 25}, {50, 100, 200, 25}};
  spec.selected = 1;
  spec.buttonText = "Go!";
  spec.buttonRect = {200, 175, 100, 25};
  return spec;
}

TEST(ChoiceDialog, StartsWithThePreselectedChoice) {
  ChoiceDialogSpec spec = DriverSpec();
  EXPECT_EQ(StartChoiceDialog(spec).selected, 1);
  spec.selected = 0;
  EXPECT_EQ(StartChoiceDialog(spec).selected, 0);
  spec.selected = 7;  // out of range falls back to the first
  EXPECT_EQ(StartChoiceDialog(spec).selected, 0);
  spec.selected = -1;
  EXPECT_EQ(StartChoiceDialog(spec).selected, 0);
}

TEST(ChoiceDialog, ArrowsMoveRoundTheGroup) {
  const ChoiceDialogSpec spec = DriverSpec();
  ChoiceDialogState s = StartChoiceDialog(spec);
  ChoiceDialogKey(spec, s, kDown);
  EXPECT_EQ(s.selected, 0);
  ChoiceDialogKey(spec, s, kUp);
  EXPECT_EQ(s.selected, 1);
  ChoiceDialogKey(spec, s, kLeft);
  EXPECT_EQ(s.selected, 0);
  ChoiceDialogKey(spec, s, kRight);
  EXPECT_EQ(s.selected, 1);
  EXPECT_FALSE(s.confirmed);
  EXPECT_FALSE(s.closed);
}

TEST(ChoiceDialog, EnterAndSpaceConfirmEscapeCloses) {
  const ChoiceDialogSpec spec = DriverSpec();
  for (const int key : {kEnter, kSpace}) {
    ChoiceDialogState s = StartChoiceDialog(spec);
    ChoiceDialogKey(spec, s, key);
    EXPECT_TRUE(s.confirmed);
    EXPECT_FALSE(s.closed);
    EXPECT_EQ(s.selected, 1);
  }
  ChoiceDialogState s = StartChoiceDialog(spec);
  ChoiceDialogKey(spec, s, kEscape);
  EXPECT_TRUE(s.closed);
  EXPECT_FALSE(s.confirmed);
  ChoiceDialogState other = StartChoiceDialog(spec);
  ChoiceDialogKey(spec, other, 65);
  ChoiceDialogKey(spec, other, 0);
  EXPECT_FALSE(other.confirmed || other.closed);
}

TEST(ChoiceDialog, ClicksSelectAndConfirm) {
  const ChoiceDialogSpec spec = DriverSpec();
  ChoiceDialogState s = StartChoiceDialog(spec);
  ChoiceDialogMouseDown(spec, s, 60, 80);  // on "OpenGL"
  ChoiceDialogMouseUp(spec, s, 60, 80);
  EXPECT_EQ(s.selected, 0);
  EXPECT_FALSE(s.confirmed);
  ChoiceDialogMouseDown(spec, s, 250, 190);  // on "Go!"
  EXPECT_TRUE(s.buttonHeld);
  EXPECT_FALSE(s.confirmed);
  ChoiceDialogMouseUp(spec, s, 251, 191);
  EXPECT_TRUE(s.confirmed);
  EXPECT_EQ(s.selected, 0);
}

TEST(ChoiceDialog, ButtonPressTakenBackByMovingOff) {
  const ChoiceDialogSpec spec = DriverSpec();
  ChoiceDialogState s = StartChoiceDialog(spec);
  ChoiceDialogMouseDown(spec, s, 250, 190);
  ChoiceDialogMouseUp(spec, s, 10, 10);
  EXPECT_FALSE(s.confirmed);
  EXPECT_FALSE(s.buttonHeld);
  // A release over the button without a press on it does nothing either.
  ChoiceDialogMouseDown(spec, s, 10, 10);
  ChoiceDialogMouseUp(spec, s, 250, 190);
  EXPECT_FALSE(s.confirmed);
}

TEST(ChoiceDialog, HitTestEdges) {
  const ChoiceDialogSpec spec = DriverSpec();
  EXPECT_EQ(HitTestChoiceDialog(spec, 50, 75).part, DialogPart::Choice);
  EXPECT_EQ(HitTestChoiceDialog(spec, 50, 75).index, 0);
  EXPECT_EQ(HitTestChoiceDialog(spec, 249, 99).index, 0);
  EXPECT_EQ(HitTestChoiceDialog(spec, 50, 100).index, 1);
  EXPECT_EQ(HitTestChoiceDialog(spec, 250, 100).part, DialogPart::None);
  EXPECT_EQ(HitTestChoiceDialog(spec, 49, 80).part, DialogPart::None);
  EXPECT_EQ(HitTestChoiceDialog(spec, 200, 175).part, DialogPart::Button);
  EXPECT_EQ(HitTestChoiceDialog(spec, 299, 199).part, DialogPart::Button);
  EXPECT_EQ(HitTestChoiceDialog(spec, 300, 199).part, DialogPart::None);
  EXPECT_EQ(HitTestChoiceDialog(spec, -1, -1).part, DialogPart::None);
}

TEST(ChoiceDialog, MismatchedChoiceListsAreSafe) {
  ChoiceDialogSpec spec = DriverSpec();
  spec.choiceRects.resize(1);
  ChoiceDialogState s = StartChoiceDialog(spec);
  EXPECT_EQ(s.selected, 0);
  ChoiceDialogKey(spec, s, kDown);
  EXPECT_EQ(s.selected, 0);
  spec.choices.clear();
  ChoiceDialogState empty = StartChoiceDialog(spec);
  ChoiceDialogKey(spec, empty, kDown);
  ChoiceDialogKey(spec, empty, kUp);
  EXPECT_EQ(empty.selected, 0);
  EXPECT_EQ(HitTestChoiceDialog(spec, 60, 80).part, DialogPart::None);
}

TEST(WrapText, DriverLabelFitsItsRectangle) {
  const std::vector<std::string> lines = WrapText(DriverSpec().label, 292);
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[0], "Please select which driver you want");
  EXPECT_EQ(lines[1], "to use to play.");
  EXPECT_EQ(lines[2], "If you are not sure if your computer");
  EXPECT_EQ(lines[3], "supports OpenGL, you can best select");
  EXPECT_EQ(lines[4], "DirectX");
  for (const std::string& line : lines) EXPECT_LE(MeasureTextWidth(line), 292);
}

TEST(WrapText, LineBreaksEmptyLinesAndLongWords) {
  EXPECT_EQ(WrapText("a\n\nb", 100), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(WrapText("", 100), (std::vector<std::string>{""}));
  EXPECT_EQ(WrapText("abcdefghij", 32), (std::vector<std::string>{"abcd", "efgh", "ij"}));
  EXPECT_EQ(WrapText("ab abcdefgh", 32), (std::vector<std::string>{"ab", "abcd", "efgh"}));
  EXPECT_EQ(WrapText("a  b", 800), (std::vector<std::string>{"a b"}));
  EXPECT_EQ(WrapText("x\r\ny", 800), (std::vector<std::string>{"x", "y"}));
  // Narrower than one glyph still makes progress.
  EXPECT_EQ(WrapText("abc", 0), (std::vector<std::string>{"a", "b", "c"}));
}

uint32_t PixelAt(const Compositor& c, int x, int y) {
  return c.Pixels()[static_cast<size_t>(y) * static_cast<size_t>(c.Width()) +
                    static_cast<size_t>(x)] &
         0xFFFFFFu;
}

bool AnyPixelIn(const Compositor& c, int x, int y, int w, int h, uint32_t rgb) {
  for (int yy = y; yy < y + h; ++yy) {
    for (int xx = x; xx < x + w; ++xx) {
      if (PixelAt(c, xx, yy) == rgb) return true;
    }
  }
  return false;
}

TEST(ChoiceDialogLook, GreyFaceBlackTextRadioDotAndDefaultButton) {
  const ChoiceDialogSpec spec = DriverSpec();
  Compositor canvas;
  DrawChoiceDialog(canvas, spec, StartChoiceDialog(spec));
  ASSERT_EQ(canvas.Width(), 300);
  ASSERT_EQ(canvas.Height(), 200);
  const uint32_t face = 0xF0F0F0u, black = 0u, white = 0xFFFFFFu, blue = 0x0078D7u;
  EXPECT_EQ(PixelAt(canvas, 5, 190), face);
  EXPECT_EQ(PixelAt(canvas, 150, 150), face);
  EXPECT_TRUE(AnyPixelIn(canvas, 0, 0, 300, 75, black));    // the label
  EXPECT_TRUE(AnyPixelIn(canvas, 70, 75, 180, 25, black));  // "OpenGL"
  // Radio circles centred at (58, 87) and (58, 112): only the selected one has a dot.
  EXPECT_EQ(PixelAt(canvas, 58, 87), white);
  EXPECT_EQ(PixelAt(canvas, 58, 112), black);
  EXPECT_EQ(PixelAt(canvas, 200, 187), blue);  // default-button border
  EXPECT_EQ(PixelAt(canvas, 299, 199), blue);
  EXPECT_TRUE(AnyPixelIn(canvas, 210, 180, 80, 15, black));  // "Go!"
  // Nothing of the label spills onto the choices' row above their text.
  for (int x = 0; x < 50; ++x) EXPECT_EQ(PixelAt(canvas, x, 80), face) << x;
}

TEST(ChoiceDialogLook, SelectionMovesTheDot) {
  const ChoiceDialogSpec spec = DriverSpec();
  Compositor canvas;
  ChoiceDialogState s = StartChoiceDialog(spec);
  ChoiceDialogKey(spec, s, kUp);
  DrawChoiceDialog(canvas, spec, s);
  EXPECT_EQ(PixelAt(canvas, 58, 87), 0u);
  EXPECT_EQ(PixelAt(canvas, 58, 112), 0xFFFFFFu);
}

}  // namespace
}  // namespace hopwerk
