#include "platform/ChoiceDialog.h"

#include <algorithm>

#include "platform/KeyCodes.h"

namespace hopwerk {

namespace {

constexpr int kLabelMargin = 4;
constexpr int kRadioDiameter = 13;
constexpr int kRadioTextGap = 6;

struct Rgb {
  int r, g, b;
};
constexpr Rgb kFace{240, 240, 240};
constexpr Rgb kText{0, 0, 0};
constexpr Rgb kRadioRing{51, 51, 51};
constexpr Rgb kRadioFill{255, 255, 255};
constexpr Rgb kButtonFace{225, 225, 225};
constexpr Rgb kButtonFaceHeld{204, 228, 247};
constexpr Rgb kDefaultBorder{0, 120, 215};
constexpr Rgb kDefaultBorderHeld{0, 84, 153};

bool Inside(const DialogRect& r, int x, int y) {
  return x >= r.x && y >= r.y && x < r.x + r.w && y < r.y + r.h;
}

int ChoiceCount(const ChoiceDialogSpec& spec) {
  return static_cast<int>(std::min(spec.choices.size(), spec.choiceRects.size()));
}

void Colour(Compositor& c, Rgb rgb) {
  c.SetDrawColor(rgb.r, rgb.g, rgb.b);
}

void Rect(Compositor& c, int x, int y, int w, int h) {
  c.DrawFilledRect(static_cast<float>(x), static_cast<float>(y), static_cast<float>(w),
                   static_cast<float>(h));
}

void Frame(Compositor& c, int x, int y, int w, int h, int thickness) {
  Rect(c, x, y, w, thickness);
  Rect(c, x, y + h - thickness, w, thickness);
  Rect(c, x, y, thickness, h);
  Rect(c, x + w - thickness, y, thickness, h);
}

void Text(Compositor& c, const std::string& text, int x, int y) {
  c.DrawTextAt(text, static_cast<float>(x), static_cast<float>(y));
}

// The keyboard focus mark of a native dialog: a dotted outline.
void FocusOutline(Compositor& c, int x, int y, int w, int h) {
  for (int i = 0; i < w; i += 2) {
    c.PlotPixel(static_cast<float>(x + i), static_cast<float>(y));
    c.PlotPixel(static_cast<float>(x + i), static_cast<float>(y + h - 1));
  }
  for (int i = 0; i < h; i += 2) {
    c.PlotPixel(static_cast<float>(x), static_cast<float>(y + i));
    c.PlotPixel(static_cast<float>(x + w - 1), static_cast<float>(y + i));
  }
}

void DrawLabel(Compositor& c, const ChoiceDialogSpec& spec) {
  const DialogRect& r = spec.labelRect;
  if (r.w <= 0 || r.h <= 0) return;
  const std::vector<std::string> lines = WrapText(spec.label, r.w - 2 * kLabelMargin);
  if (lines.empty()) return;
  const int count = static_cast<int>(lines.size());
  // Tighten the lines when they would not fit at full height: the font's cells carry blank rows
  // above and below the letters, so a pitch of 12 still reads cleanly.
  int pitch = kFontHeight;
  if (count > 1 && count * kFontHeight > r.h) {
    pitch = std::max(12, (r.h - kFontHeight) / (count - 1));
  }
  const int used = (count - 1) * pitch + kFontHeight;
  const int top = r.y + std::max(0, (r.h - used) / 2);
  c.SetDrawViewport(r.x, r.y, r.w, r.h);
  Colour(c, kText);
  for (int i = 0; i < count; ++i)
    Text(c, lines[static_cast<size_t>(i)], r.x + kLabelMargin, top + i * pitch);
  c.SetDrawViewport(0, 0, c.Width(), c.Height());
}

void DrawChoice(Compositor& c, const std::string& text, const DialogRect& r, bool selected) {
  const int cx = r.x + 2;
  const int cy = r.y + (r.h - kRadioDiameter) / 2;
  Colour(c, kRadioRing);
  c.DrawOval(static_cast<float>(cx), static_cast<float>(cy), kRadioDiameter, kRadioDiameter);
  Colour(c, kRadioFill);
  c.DrawOval(static_cast<float>(cx + 1), static_cast<float>(cy + 1), kRadioDiameter - 2,
             kRadioDiameter - 2);
  if (selected) {
    Colour(c, kText);
    c.DrawOval(static_cast<float>(cx + 3), static_cast<float>(cy + 3), kRadioDiameter - 6,
               kRadioDiameter - 6);
  }
  const int tx = cx + kRadioDiameter + kRadioTextGap;
  const int ty = r.y + (r.h - kFontHeight) / 2;
  Colour(c, kText);
  Text(c, text, tx, ty);
  if (selected) {
    const int width = std::min(MeasureTextWidth(text) + 4, r.x + r.w - (tx - 2));
    FocusOutline(c, tx - 2, ty - 1, width, kFontHeight + 2);
  }
}

void DrawButton(Compositor& c, const ChoiceDialogSpec& spec, bool held) {
  const DialogRect& r = spec.buttonRect;
  if (r.w <= 0 || r.h <= 0) return;
  Colour(c, held ? kButtonFaceHeld : kButtonFace);
  Rect(c, r.x, r.y, r.w, r.h);
  // The default button's heavier border tells the player that Enter presses it.
  Colour(c, held ? kDefaultBorderHeld : kDefaultBorder);
  Frame(c, r.x, r.y, r.w, r.h, 2);
  Colour(c, kText);
  const int tx = r.x + (r.w - MeasureTextWidth(spec.buttonText)) / 2;
  const int ty = r.y + (r.h - kFontHeight) / 2;
  c.SetDrawViewport(r.x, r.y, r.w, r.h);
  Text(c, spec.buttonText, tx, ty);
  c.SetDrawViewport(0, 0, c.Width(), c.Height());
}

void AppendWrapped(const std::string& paragraph, int maxChars, std::vector<std::string>& out) {
  std::string line;
  int lineWidth = 0;  // in glyph cells
  size_t i = 0;
  bool any = false;
  while (i < paragraph.size()) {
    if (paragraph[i] == ' ') {
      ++i;
      continue;
    }
    size_t end = paragraph.find(' ', i);
    if (end == std::string::npos) end = paragraph.size();
    std::string word = paragraph.substr(i, end - i);
    i = end;
    int wordWidth = MeasureTextWidth(word) / kFontCellWidth;
    if (lineWidth > 0 && lineWidth + 1 + wordWidth <= maxChars) {
      line += ' ';
      line += word;
      lineWidth += 1 + wordWidth;
      continue;
    }
    if (lineWidth > 0) {
      out.push_back(line);
      any = true;
    }
    line.clear();
    lineWidth = 0;
    // A word longer than a whole line is cut where the line is full.
    while (wordWidth > maxChars) {
      size_t cut = 0;
      int cells = 0;
      while (cut < word.size()) {
        const int cell = MeasureTextWidth(word.substr(cut, 1)) / kFontCellWidth;
        if (cells + cell > maxChars) break;
        cells += cell;
        ++cut;
      }
      if (cut == 0) cut = 1;
      out.push_back(word.substr(0, cut));
      any = true;
      word.erase(0, cut);
      wordWidth = MeasureTextWidth(word) / kFontCellWidth;
    }
    line = word;
    lineWidth = wordWidth;
  }
  if (lineWidth > 0 || !line.empty() || !any) out.push_back(line);
}

}  // namespace

ChoiceDialogState StartChoiceDialog(const ChoiceDialogSpec& spec) {
  ChoiceDialogState state;
  const int count = ChoiceCount(spec);
  state.selected = (spec.selected >= 0 && spec.selected < count) ? spec.selected : 0;
  return state;
}

DialogHit HitTestChoiceDialog(const ChoiceDialogSpec& spec, int x, int y) {
  if (Inside(spec.buttonRect, x, y)) return {DialogPart::Button, -1};
  const int count = ChoiceCount(spec);
  for (int i = 0; i < count; ++i) {
    if (Inside(spec.choiceRects[static_cast<size_t>(i)], x, y)) return {DialogPart::Choice, i};
  }
  return {};
}

void ChoiceDialogKey(const ChoiceDialogSpec& spec, ChoiceDialogState& state, int key) {
  const int count = ChoiceCount(spec);
  switch (key) {
    case kKeyUp:
    case kKeyLeft:
      if (count > 0) state.selected = (state.selected + count - 1) % count;
      break;
    case kKeyDown:
    case kKeyRight:
      if (count > 0) state.selected = (state.selected + 1) % count;
      break;
    case kKeyEnter:
    case kKeySpace:
      state.confirmed = true;
      break;
    case kKeyEscape:
      state.closed = true;
      break;
    default:
      break;
  }
}

void ChoiceDialogMouseDown(const ChoiceDialogSpec& spec, ChoiceDialogState& state, int x, int y) {
  const DialogHit hit = HitTestChoiceDialog(spec, x, y);
  if (hit.part == DialogPart::Choice) state.selected = hit.index;
  state.buttonHeld = hit.part == DialogPart::Button;
}

void ChoiceDialogMouseUp(const ChoiceDialogSpec& spec, ChoiceDialogState& state, int x, int y) {
  if (state.buttonHeld && HitTestChoiceDialog(spec, x, y).part == DialogPart::Button) {
    state.confirmed = true;
  }
  state.buttonHeld = false;
}

std::vector<std::string> WrapText(const std::string& text, int maxWidth) {
  const int maxChars = std::max(1, maxWidth / kFontCellWidth);
  std::vector<std::string> lines;
  size_t start = 0;
  while (true) {
    const size_t end = text.find('\n', start);
    std::string paragraph = text.substr(start, end == std::string::npos ? end : end - start);
    if (!paragraph.empty() && paragraph.back() == '\r') paragraph.pop_back();
    AppendWrapped(paragraph, maxChars, lines);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

void DrawChoiceDialog(Compositor& compositor, const ChoiceDialogSpec& spec,
                      const ChoiceDialogState& state) {
  Compositor& c = compositor;
  if (c.Width() != spec.clientWidth || c.Height() != spec.clientHeight) {
    c.Resize(spec.clientWidth, spec.clientHeight);
  }
  c.SetDrawViewport(0, 0, c.Width(), c.Height());
  c.SetDrawOrigin(0, 0);
  c.SetDrawAlpha(1.0f);
  c.SetDrawRotation(0.0f);
  c.SetDrawScale(1.0f, 1.0f);
  // Everything here is opaque: plain writes, crisp edges.
  c.SetDrawBlend(kBlendMask);
  c.SetClearColor(kFace.r, kFace.g, kFace.b);
  c.ClearScreen();
  DrawLabel(c, spec);
  const int count = ChoiceCount(spec);
  for (int i = 0; i < count; ++i) {
    DrawChoice(c, spec.choices[static_cast<size_t>(i)], spec.choiceRects[static_cast<size_t>(i)],
               i == state.selected);
  }
  DrawButton(c, spec, state.buttonHeld);
}

}  // namespace hopwerk
