#include "shell/TitleView.h"

#include "platform/KeyCodes.h"

namespace hopwerk {

namespace {

void DrawTitleFrame(Engine& engine, const PicturePtr& picture, int brightness) {
  Platform& p = engine.platform;
  p.ClearScreen();
  p.SetDrawColor(brightness, brightness, brightness);
  if (picture) {
    p.DrawPicture(*picture, static_cast<float>(engine.project.ScreenWidth / 2),
                  static_cast<float>(engine.project.ScreenHeight / 2), 0);
  }
  p.PresentFrame(1);
}

}  // namespace

void ShowTitlePicture(Engine& engine, const PicturePtr& picture) {
  Platform& p = engine.platform;
  p.FlushKeys();
  for (int v = 0; v <= 254; ++v) {
    DrawTitleFrame(engine, picture, v);
    if (p.KeyHits(kKeyEscape) != 0) return;
  }
  DrawTitleFrame(engine, picture, 255);
  p.SleepMillis(1500);
  // The fade out starts far above full brightness: the picture holds, then fades, then the
  // screen stays black for a while, all by clamping.
  for (int v = 510; v >= -254; --v) {
    DrawTitleFrame(engine, picture, v);
    if (p.KeyHits(kKeyEscape) != 0) return;
  }
  p.SleepMillis(100);
}

void TitleView(Engine& engine) {
  FrontEndPictures& pics = engine.pictures;
  if (pics.TitlePic) CentrePictureHandle(*pics.TitlePic);
  if (pics.LogoPic) CentrePictureHandle(*pics.LogoPic);
  ShowTitlePicture(engine, pics.LogoPic);
  ShowTitlePicture(engine, pics.TitlePic);
}

}  // namespace hopwerk
