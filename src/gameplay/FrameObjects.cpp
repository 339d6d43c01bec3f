#include <algorithm>
#include <cmath>
#include <numbers>

#include "gameplay/ActivityArea.h"
#include "gameplay/AnimateObject.h"
#include "gameplay/DrawScope.h"
#include "gameplay/FrameSteps.h"
#include "gameplay/TileRange.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

constexpr int64_t kWallMargin = 100;  // walls this close to the drawing area take part
constexpr int64_t kHurtFlashMillis = 3000;

// A screen rectangle, right and bottom edges excluded.
struct ScreenRect {
  int64_t left = 0, top = 0, right = 0, bottom = 0;
  bool Meets(const ScreenRect& o) const {
    return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
  }
};

// What every object of one frame's walk shares.
struct ObjectPass {
  Engine& engine;
  Platform& platform;
  RunningLevel& run;
  WorldArea view;  // the drawing area
  int32_t now;
  int64_t surfaceWidth;
  int64_t surfaceHeight;
  // Where the player's bullets are, on screen, all together: walls away from it cannot stop
  // any, however many bullets fly.
  ScreenRect bullets;
  bool anyBullets = false;
};

ScreenRect BulletRect(const RunningLevel& run, const BulletType& bullet) {
  const Picture& image = *bullet.Weapon->Image;
  const int64_t left = static_cast<int64_t>(bullet.X) - run.CameraX - image.handleX;
  const int64_t top = static_cast<int64_t>(bullet.Y) - run.CameraY - image.handleY;
  return {left, top, left + image.width, top + image.height};
}

void FindBullets(ObjectPass& pass) {
  pass.run.Bullets.Walk([&](const BulletType& bullet) {
    if (!bullet.Weapon || !bullet.Weapon->Image) return false;
    const ScreenRect r = BulletRect(pass.run, bullet);
    if (!pass.anyBullets) {
      pass.bullets = r;
      pass.anyBullets = true;
    } else {
      pass.bullets = {std::min(pass.bullets.left, r.left), std::min(pass.bullets.top, r.top),
                      std::max(pass.bullets.right, r.right),
                      std::max(pass.bullets.bottom, r.bottom)};
    }
    return false;
  });
}

bool NearView(const ObjectPass& pass, const ObjectType& o) {
  const int64_t w = o.Pic->width;
  const int64_t h = o.Pic->height;
  return o.X + w * (static_cast<int64_t>(o.RepX) + 1) > pass.view.left - kWallMargin &&
         o.Y + h * (static_cast<int64_t>(o.RepY) + 1) > pass.view.top - kWallMargin &&
         o.X < pass.view.right + kWallMargin && o.Y < pass.view.bottom + kWallMargin;
}

bool InView(const ObjectPass& pass, const ObjectType& o) {
  return pass.view.left < o.X && pass.view.top < o.Y && o.X < pass.view.right &&
         o.Y < pass.view.bottom;
}

// Plain decorations that neither hurt nor push take part in nothing.
bool TakesPart(const ObjectType& o) {
  if (o.OType == kDying) return false;
  return !(o.OType == kDecoration && o.DecoDamage == 0 && o.MoveX == 0 && o.MoveY == 0);
}

// Player bullets end on any tile of a wall they overlap. Only the tiles under a bullet's own
// rectangle can touch it, so a wide wall costs no more than a small one.
void StopBulletsAt(ObjectPass& pass, const ObjectType& wall, int64_t sx, int64_t sy) {
  const Picture& tile = *wall.Pic;
  const int64_t across = static_cast<int64_t>(wall.RepX) + 1;
  const int64_t down = static_cast<int64_t>(wall.RepY) + 1;
  const ScreenRect area{sx - tile.handleX, sy - tile.handleY,
                        sx - tile.handleX + across * tile.width,
                        sy - tile.handleY + down * tile.height};
  if (!area.Meets(pass.bullets)) return;
  pass.run.Bullets.RemoveIf([&](const BulletType& bullet) {
    if (!bullet.Weapon || !bullet.Weapon->Image) return false;
    const ScreenRect r = BulletRect(pass.run, bullet);
    if (!area.Meets(r)) return false;
    const TileRange cols = TilesOver(area.left, tile.width, across, r.left, r.right);
    const TileRange rows = TilesOver(area.top, tile.height, down, r.top, r.bottom);
    const float bx = static_cast<float>(bullet.X - static_cast<int64_t>(pass.run.CameraX));
    const float by = static_cast<float>(bullet.Y - static_cast<int64_t>(pass.run.CameraY));
    for (int64_t i = cols.first; i <= cols.last; ++i) {
      for (int64_t j = rows.first; j <= rows.last; ++j) {
        if (pass.platform.PicturesOverlap(
                *bullet.Weapon->Image, bx, by, 0, tile, static_cast<float>(sx + i * tile.width),
                static_cast<float>(sy + j * tile.height), wall.ActiveFrame)) {
          return true;
        }
      }
    }
    return false;
  });
}

// Decorations, walls and switches repeat their picture RepX + 1 times across and RepY + 1 down.
// Copies that fall wholly off the surface would draw nothing and are skipped.
void DrawTiled(ObjectPass& pass, const ObjectType& o, int64_t sx, int64_t sy) {
  if (!o.Pic) return;
  const Picture& tile = *o.Pic;
  if (o.OType == kWall && pass.anyBullets) StopBulletsAt(pass, o, sx, sy);
  if (o.RepX == 0 && o.RepY == 0) {
    // One copy: the surface's own clipping is all it needs.
    pass.platform.DrawPicture(tile, static_cast<float>(sx), static_cast<float>(sy), o.ActiveFrame);
    return;
  }
  const TileRange cols = TilesOver(sx - tile.handleX, tile.width, static_cast<int64_t>(o.RepX) + 1,
                                   0, pass.surfaceWidth);
  const TileRange rows = TilesOver(sy - tile.handleY, tile.height, static_cast<int64_t>(o.RepY) + 1,
                                   0, pass.surfaceHeight);
  for (int64_t i = cols.first; i <= cols.last; ++i) {
    for (int64_t j = rows.first; j <= rows.last; ++j) {
      pass.platform.DrawPicture(tile, static_cast<float>(sx + i * tile.width),
                                static_cast<float>(sy + j * tile.height), o.ActiveFrame);
    }
  }
}

// The player blinks in changing shades while it cannot be hurt again.
void SetHurtFlashColour(ObjectPass& pass, const ObjectType& o) {
  const int32_t t = pass.now;
  auto wave = [](int component, int32_t degrees) {
    const double s = std::sin(static_cast<double>(degrees) * std::numbers::pi / 180.0);
    return static_cast<int>(std::fabs(component * s));
  };
  pass.platform.SetDrawColor(wave(o.R, t / 50), wave(o.G, t / 5), wave(o.B, t / 5));
  if (MillisBetween(pass.now, pass.run.HurtTime) > kHurtFlashMillis) pass.run.HurtTime = 0;
}

void DrawActor(ObjectPass& pass, ObjectType& o, int64_t sx, int64_t sy) {
  if (o.Actor && o.Actor->Control == 0) pass.run.ActiveActors.push_back(&o);
  if (o.Hurt != 0) {
    // One dark frame for a hit.
    pass.platform.SetDrawColor(0, 0, 0);
    o.Hurt = 0;
  }
  if (&o == pass.engine.level.Player && pass.run.HurtTime != 0) SetHurtFlashColour(pass, o);
  if (!o.Pic) return;
  const ScaleScope mirror(pass.platform, o.Mirror == 1 ? -1.0f : 1.0f, 1.0f);
  pass.platform.DrawPicture(*o.Pic, static_cast<float>(sx), static_cast<float>(sy), o.ActiveFrame);
}

void DrawTextLabel(ObjectPass& pass, const ObjectType& o, int64_t sx, int64_t sy) {
  Platform& p = pass.platform;
  p.SetDrawColor(0, 0, 0);
  for (int dx = -1; dx <= 1; ++dx) {
    for (int dy = -1; dy <= 1; ++dy) {
      p.DrawTextAt(o.PicName, static_cast<float>(sx + dx), static_cast<float>(sy + dy));
    }
  }
  p.SetDrawColor(o.R, o.G, o.B);
  p.DrawTextAt(o.PicName, static_cast<float>(sx), static_cast<float>(sy));
}

// A dying actor plays its death strip and then vanishes, drops off the screen or is thrown
// off it. Returns true when the object has left the level.
bool DrawDyingActor(ObjectPass& pass, LayerList& layer, ObjectType& o, int64_t sx, int64_t sy) {
  Engine& engine = pass.engine;
  auto leave = [&] {
    layer.Remove(o);
    engine.level.AllObjects.Remove(o);
    return true;
  };
  const ScaleScope mirror(pass.platform, o.Mirror == 1 ? -1.0f : 1.0f, 1.0f);
  const int32_t frames = (o.Pic && o.Actor) ? o.Actor->SpriteFrames[kSlotDie] : 0;
  if (frames != 0) {
    pass.platform.DrawPicture(*o.Pic, static_cast<float>(sx), static_cast<float>(sy),
                              o.ActiveFrame);
    const int last = LastFrameIndex(*o.Actor, kSlotDie);
    AnimateObject(engine, o, kSlotDie, o.Actor->Die == kDieInPlace ? 0 : last);
    switch (o.Actor->Die) {
      case kDieInPlace:
        if (o.ActiveFrame >= last) return leave();
        break;
      case kDieFalls:
        o.Y = SatAdd(o.Y, 5);
        break;
      case kDieThrown:
        o.Y = SatAdd(o.Y, o.ThrowerValue);
        if (o.ThrowerValue < 5) ++o.ThrowerValue;
        if (o.X > engine.project.ScreenWidth / 2) {
          o.X = SatAdd(o.X, 3);
        } else {
          o.X = SatSub(o.X, 1);
        }
        break;
      default:
        break;
    }
  }
  const WorldArea& v = pass.view;
  if (!o.Pic || frames == 0 || o.X <= v.left || o.Y <= v.top || o.X >= v.right || o.Y >= v.bottom) {
    return leave();
  }
  return false;
}

// Tile animations step on their own clock: every frame when AnimSlow is 0.
void AnimateTiles(ObjectPass& pass, ObjectType& o) {
  if (o.Anim == 0 || (o.OType != kDecoration && o.OType != kWall && o.OType != kCollectable))
    return;
  if (o.AnimSlow != 0 &&
      MillisBetween(pass.now, o.AnimOldTime) <= static_cast<int64_t>(o.AnimSlow) * 5) {
    return;
  }
  ++o.ActiveFrame;
  if (o.ActiveFrame >= o.ANF || o.ActiveFrame < 0) o.ActiveFrame = 0;
  o.AnimOldTime = pass.now;
}

void VisitObject(ObjectPass& pass, LayerList& layer, ObjectType& o) {
  RunningLevel& run = pass.run;
  if (o.Pic && o.OType == kWall && NearView(pass, o)) run.ActiveWalls.push_back(&o);
  if (o.OType == kActor) run.AllActors.push_back(&o);
  if (!InView(pass, o)) return;
  // The list is wanted front-first; it is built back to front and turned round at the end.
  if (TakesPart(o)) run.ActiveObjects.push_back(&o);

  const int64_t sx = static_cast<int64_t>(o.X) - run.CameraX;
  const int64_t sy = static_cast<int64_t>(o.Y) - run.CameraY;
  pass.platform.SetDrawColor(o.R, o.G, o.B);
  switch (o.OType) {
    case kDecoration:
    case kWall:
    case kSwitch:
      DrawTiled(pass, o, sx, sy);
      break;
    case kActor:
      DrawActor(pass, o, sx, sy);
      break;
    case kCollectable:
      if (o.Pic) {
        pass.platform.DrawPicture(*o.Pic, static_cast<float>(sx), static_cast<float>(sy),
                                  o.ActiveFrame);
      }
      break;
    case kTextLabel:
      DrawTextLabel(pass, o, sx, sy);
      break;
    case kDying:
      if (DrawDyingActor(pass, layer, o, sx, sy)) return;
      break;
    default:
      break;
  }
  AnimateTiles(pass, o);
}

}  // namespace

void DrawLevelObjects(Engine& engine) {
  Platform& p = engine.platform;
  ObjectPass pass{engine,
                  p,
                  engine.run,
                  DrawingArea(engine),
                  p.ClockMillis(),
                  p.DisplayWidth(),
                  p.DisplayHeight(),
                  ScreenRect{},
                  false};
  FindBullets(pass);
  for (int layer = kLayers - 1; layer >= 0; --layer) {
    LayerList& list = engine.level.LayerLists[static_cast<size_t>(layer)];
    list.Walk([&](ObjectType& o) { VisitObject(pass, list, o); });
  }
  std::reverse(engine.run.ActiveObjects.begin(), engine.run.ActiveObjects.end());
  std::reverse(engine.run.ActiveActors.begin(), engine.run.ActiveActors.end());
  engine.run.ActiveWallGrid.Build(engine.run.ActiveWalls);
}

}  // namespace hopwerk
