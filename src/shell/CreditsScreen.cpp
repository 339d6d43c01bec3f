#include "shell/CreditsScreen.h"

#include "data/EntryReader.h"
#include "platform/KeyCodes.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A two-character hexadecimal number that ends at the first character that is no digit.
int HexPair(const std::string& line, size_t at) {
  int value = 0;
  for (size_t i = at; i < at + 2 && i < line.size(); ++i) {
    const int digit = HexDigit(line[i]);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

bool IsBlank(const std::string& line) {
  for (unsigned char c : line) {
    if (c > 32) return false;
  }
  return true;
}

void AddCreditLine(Engine& engine, Credits line) {
  GameData& data = engine.data;
  if (data.CreditLines.size() >= kMaxCreditLines) return;
  line.Y = SatMul(engine.platform.FontHeight(), static_cast<int64_t>(data.CreditLines.size()));
  data.CreditsMaxScroll = line.Y;
  data.CreditLines.push_back(std::move(line));
}

}  // namespace

void LoadCredits(Engine& engine, const std::string& archive, const std::string& entryName) {
  EntryReader entry(engine, VXR_Open(engine.vxr, archive, entryName, "", 0));
  engine.data.CreditLines.clear();
  int r = 255, g = 255, b = 255;
  while (!entry.AtEnd() && engine.data.CreditLines.size() < kMaxCreditLines) {
    const std::string line = entry.Line();
    const char first = line.empty() ? '\0' : line[0];
    if (first == '#') {
      r = HexPair(line, 1);
      g = HexPair(line, 3);
      b = HexPair(line, 5);
    } else if (first == '$') {
      AddCreditLine(engine, {line.substr(1), r, g, b, 1, 0});
    } else if (first == '<') {
      AddCreditLine(engine, {line.substr(1), r, g, b, 0, 0});
    } else if (first == '>') {
      AddCreditLine(engine, {line.substr(1), r, g, b, 2, 0});
    } else {
      AddCreditLine(engine, {line, r, g, b, 0, 0});
    }
    if (IsBlank(line)) AddCreditLine(engine, {" ", 0, 0, 0, 0, 0});
  }
}

void CreditsScreen(Engine& engine, const std::string& archive, const std::string& entry) {
  Platform& p = engine.platform;
  LoadCredits(engine, archive, entry);
  const GameData& data = engine.data;
  const int width = engine.project.ScreenWidth;
  p.FlushKeys();
  int scroll = 0;
  for (;;) {
    p.ClearScreen();
    for (const Credits& c : data.CreditLines) {
      p.SetDrawColor(c.R, c.G, c.B);
      const float y = static_cast<float>(SatSub(c.Y, scroll));
      if (c.Align == 0) {
        p.DrawTextAt(c.Text, 0, y);
      } else if (c.Align == 1) {
        p.DrawTextAt(c.Text, static_cast<float>(SatSub(width / 2, p.MeasureTextWidth(c.Text) / 2)),
                     y);
      } else if (c.Align == 2) {
        p.DrawTextAt(c.Text, static_cast<float>(SatSub(width, p.MeasureTextWidth(c.Text))), y);
      }
    }
    p.SetDrawColor(255, 255, 255);
    if (p.IsKeyDown(kKeyDown) && scroll < data.CreditsMaxScroll) ++scroll;
    if (p.IsKeyDown(kKeyUp) && scroll > 0) --scroll;
    p.PresentFrame(-1);
    if (p.KeyHits(kKeyEscape) != 0) break;
  }
  p.FlushKeys();
}

}  // namespace hopwerk
