#include "data/Console.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <string>
#include <vector>

namespace hopwerk {

int ConsoleBackgroundGrey(int row) {
  const double degrees = static_cast<double>(row / 5);
  return static_cast<int>(std::fabs(std::sin(degrees * std::numbers::pi / 180.0) * 90.0));
}

namespace {

void AppendConsoleLine(Engine& engine, const QCLine& line) {
  Platform& p = engine.platform;
  ConsoleState& console = engine.console;
  p.NoteConsoleLine(line.Text);
  console.ConsoleLines.push_back(line);
  const int limit = console.ConsoleHeight != 0 ? console.ConsoleHeight : p.DisplayHeight();
  // One line at most leaves per call: the console scrolls by one line, as the player sees it.
  if (static_cast<long>(p.FontHeight()) * static_cast<long>(console.ConsoleLines.size()) > limit) {
    console.ConsoleLines.erase(console.ConsoleLines.begin());
  }
}

// The clock wraps, so the difference is taken wide.
int64_t MillisSince(int32_t now, int32_t then) {
  const int64_t d = static_cast<int64_t>(now) - static_cast<int64_t>(then);
  return d < 0 ? -d : d;
}

}  // namespace

void ConsolePrint(Engine& engine, const std::string& text, int r, int g, int b) {
  Platform& p = engine.platform;
  ConsoleState& console = engine.console;
  p.ClearScreen();
  AppendConsoleLine(engine, QCLine{text, r, g, b});

  const int width = p.DisplayWidth();
  for (int row = 0; row <= p.DisplayHeight(); ++row) {
    const int grey = ConsoleBackgroundGrey(row);
    p.SetDrawColor(grey, grey, grey);
    p.DrawLineSegment(0, static_cast<float>(row), static_cast<float>(width),
                      static_cast<float>(row));
  }

  const int lineHeight = p.FontHeight();
  int y = 0;
  for (const QCLine& line : console.ConsoleLines) {
    p.SetDrawColor(line.R, line.G, line.B);
    p.DrawTextAt(line.Text, 0, static_cast<float>(y));
    y += lineHeight;
  }
  p.PresentFrame(-1);
}

void ConsolePrintDuringPlay(Engine& engine, const std::string& text, int r, int g, int b) {
  ConsoleState& console = engine.console;
  const QCLine line{text, r, g, b};
  AppendConsoleLine(engine, line);
  const int32_t now = engine.platform.ClockMillis();
  if (MillisSince(now, console.PlayLinesClock) >= kPlayConsoleMillis) console.PlayLines.clear();
  console.PlayLines.push_back(line);
  console.PlayLinesClock = now;
}

namespace {

// The rows a line takes on a screen `width` pixels wide: broken after the last blank that fits,
// or anywhere in a word longer than the screen.
std::vector<std::string> WrappedRows(Platform& p, const std::string& text, int width) {
  std::vector<std::string> rows;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = start;
    size_t after = std::string::npos;  // just past the last blank that fits
    int used = 0;
    while (end < text.size()) {
      const int w = p.MeasureTextWidth(std::string(1, text[end]));
      if (end > start && used + w > width) break;
      used += w;
      if (text[end] == ' ') after = end + 1;
      ++end;
    }
    if (end < text.size() && after != std::string::npos) end = after;
    rows.push_back(text.substr(start, end - start));
    start = end;
  }
  if (rows.empty()) rows.emplace_back();
  return rows;
}

}  // namespace

void DrawPlayConsole(Engine& engine) {
  Platform& p = engine.platform;
  ConsoleState& console = engine.console;
  if (console.PlayLines.empty()) return;
  if (MillisSince(p.ClockMillis(), console.PlayLinesClock) >= kPlayConsoleMillis) {
    console.PlayLines.clear();
    return;
  }
  const int width = engine.project.ScreenWidth > 0 ? engine.project.ScreenWidth : p.DisplayWidth();
  const int height =
      engine.project.ScreenHeight > 0 ? engine.project.ScreenHeight : p.DisplayHeight();
  std::vector<QCLine> rows;
  for (const QCLine& line : console.PlayLines) {
    for (std::string& row : WrappedRows(p, line.Text, width - 4)) {
      rows.push_back(QCLine{std::move(row), line.R, line.G, line.B});
    }
  }
  // The newest rows at the bottom of the screen, at most a third of it, over a darkened band so
  // that they read on any level.
  const int lineHeight = std::max(p.FontHeight(), 1);
  const size_t room = static_cast<size_t>(std::max(height / 3 / lineHeight, 1));
  const size_t shown = std::min(room, rows.size());
  int y = height - static_cast<int>(shown) * lineHeight;
  p.SetDrawColor(0, 0, 0);
  p.SetDrawAlpha(0.6f);
  p.DrawFilledRect(0, static_cast<float>(y), static_cast<float>(width),
                   static_cast<float>(height - y));
  p.SetDrawAlpha(1.0f);
  for (size_t i = rows.size() - shown; i < rows.size(); ++i) {
    p.SetDrawColor(0, 0, 0);
    p.DrawTextAt(rows[i].Text, 3, static_cast<float>(y + 1));
    p.SetDrawColor(rows[i].R, rows[i].G, rows[i].B);
    p.DrawTextAt(rows[i].Text, 2, static_cast<float>(y));
    y += lineHeight;
  }
  p.SetDrawColor(255, 255, 255);
}

void FatalError(Engine& engine, const std::string& message) {
  ConsolePrint(engine, "", 255, 255, 255);
  ConsolePrint(engine, "ERROR", 255, 0, 0);
  ConsolePrint(engine, message, 255, 255, 255);
  if (!message.empty() && message[0] == '*') {
    ConsolePrint(engine, "This is an internal error in this engine.", 255, 255, 255);
    ConsolePrint(engine, "Please notify Quillon!", 255, 255, 255);
  } else {
    ConsolePrint(engine, "This game is not correct.", 255, 255, 255);
    ConsolePrint(engine, "Please notify its creator!", 255, 255, 255);
  }
  // A failure must never look like success to whatever started the game.
  engine.platform.WaitAnyKeyThenEnd(1);
  std::abort();  // not reached; the compiler cannot see through the virtual call
}

}  // namespace hopwerk
