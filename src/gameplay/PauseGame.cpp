#include "gameplay/PauseGame.h"

#include <string>

#include "gameplay/DrawScope.h"
#include "shell/GlowEffect.h"

namespace hopwerk {

namespace {

// The moving frame keeps its direction on an axis when only the other axis bounced.
int NewSpeedSameWay(Platform& p, int speed) {
  return speed < 0 ? p.RandomInt(-5, -1) : p.RandomInt(1, 5);
}

struct Bouncer {
  int x = 0;
  int y = 0;
  int vx = 0;
  int vy = 0;
};

// Each test sees what the ones before it left.
void Bounce(Platform& p, Bouncer& b, int width, int height) {
  if (b.x < 1 && b.vx < 0) {
    b.vx = p.RandomInt(1, 5);
    b.vy = NewSpeedSameWay(p, b.vy);
  }
  if (b.y < 1 && b.vy < 0) {
    b.vy = p.RandomInt(1, 5);
    b.vx = NewSpeedSameWay(p, b.vx);
  }
  if (b.x > width && b.vx > 0) {
    b.vx = p.RandomInt(-5, -1);
    b.vy = NewSpeedSameWay(p, b.vy);
  }
  if (b.y > height && b.vy > 0) {
    b.vy = p.RandomInt(-5, -1);
    b.vx = NewSpeedSameWay(p, b.vx);
  }
}

void DrawPausedText(Platform& p, int width, int height) {
  const std::string text = "Game Paused";
  const int x = width / 2 - p.MeasureTextWidth(text) / 2;
  const int y = height / 2 - p.FontHeight() / 2;
  p.SetDrawColor(0, 0, 0);
  p.DrawTextAt(text, static_cast<float>(x + 2), static_cast<float>(y + 2));
  p.SetDrawColor(255, 255, 255);
  p.DrawTextAt(text, static_cast<float>(x), static_cast<float>(y));
}

}  // namespace

void PauseGame(Engine& engine) {
  Platform& p = engine.platform;
  const DrawStateScope drawing(p);
  const int width = engine.project.ScreenWidth;
  const int height = engine.project.ScreenHeight;

  // The frame that was drawn and not yet shown.
  PicturePtr shot = p.CreatePicture(width, height, 1);
  if (shot) {
    CentrePictureHandle(*shot);
    p.GrabPicture(*shot, 0, 0, 0);
  }

  Bouncer b;
  do {
    b.vx = p.RandomInt(-5, 5);
    b.vy = p.RandomInt(-5, 5);
  } while (b.vx == 0 || b.vy == 0);
  b.x = width / 2;
  b.y = height / 2;
  float angle = 0;
  p.FlushKeys();

  for (;;) {
    p.ClearScreen();
    DrawGlowEffect(engine, engine.settings.Performance);
    if (shot) {
      const ScaleScope shrunk(p, 0.25f, 0.25f);
      p.SetDrawRotation(angle);
      p.SetDrawColor(255, 255, 255);
      p.DrawPicture(*shot, static_cast<float>(b.x), static_cast<float>(b.y), 0);
      p.SetDrawRotation(0);
    }
    angle -= 1;
    if (angle < -360) angle += 360;
    b.x += b.vx;
    b.y += b.vy;
    Bounce(p, b, width, height);
    DrawPausedText(p, width, height);
    p.PresentFrame(-1);
    if (p.KeyHits(engine.settings.KeyPause) != 0) break;
  }
  p.FlushKeys();
}

}  // namespace hopwerk
