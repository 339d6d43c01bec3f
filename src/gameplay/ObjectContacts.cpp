#include "gameplay/ObjectContacts.h"

#include <algorithm>
#include <vector>

#include "gameplay/HurtPlayer.h"
#include "gameplay/MoveObject.h"
#include "gameplay/TakeCollectable.h"
#include "gameplay/TileRange.h"
#include "gameplay/UseSwitch.h"

namespace hopwerk {

namespace {

struct Rect {
  int64_t left, top, right, bottom;
};

Rect PictureRect(const Picture& picture, int64_t x, int64_t y) {
  const int64_t left = x - picture.handleX;
  const int64_t top = y - picture.handleY;
  return {left, top, left + picture.width, top + picture.height};
}

// Calls touch() once for every tile of `o` that overlaps the player, across then down, the way
// a tiled object is laid out. touch() may move the player, so each tile is tested where the
// player is by then; only tiles under the player's rectangle are looked at, so a long strip of
// spikes costs what the few tiles near the player cost.
template <typename Touch>
void ForEachTouchingTile(Engine& engine, const ObjectType& o, const ObjectType& player,
                         const Picture& shape, Touch&& touch) {
  const Picture& tile = *o.Pic;
  const int64_t originX = static_cast<int64_t>(o.X) - tile.handleX;
  const int64_t originY = static_cast<int64_t>(o.Y) - tile.handleY;
  const int64_t across = static_cast<int64_t>(o.RepX) + 1;
  const int64_t down = static_cast<int64_t>(o.RepY) + 1;
  auto columns = [&] {
    const Rect r = PictureRect(shape, player.X, player.Y);
    return TilesOver(originX, tile.width, across, r.left, r.right);
  };
  auto rows = [&] {
    const Rect r = PictureRect(shape, player.X, player.Y);
    return TilesOver(originY, tile.height, down, r.top, r.bottom);
  };
  for (int64_t i = columns().first; i <= columns().last;) {
    for (int64_t j = rows().first; j <= rows().last;) {
      const int64_t x = static_cast<int64_t>(o.X) + i * tile.width;
      const int64_t y = static_cast<int64_t>(o.Y) + j * tile.height;
      if (engine.platform.PicturesOverlap(tile, static_cast<float>(x), static_cast<float>(y),
                                          o.ActiveFrame, shape, static_cast<float>(player.X),
                                          static_cast<float>(player.Y), 0)) {
        touch();
      }
      j = std::max(j + 1, rows().first);
    }
    i = std::max(i + 1, columns().first);
  }
}

// A spring starts a jump whose first step is its push; any other pusher ends a jump.
void Push(Engine& engine, const ObjectType& pusher, ObjectType& player) {
  RunningLevel& run = engine.run;
  run.Automove = 1;
  if (pusher.MoveY < 0) {
    run.Jumping = 1;
    run.JumpValue = static_cast<float>(pusher.MoveY);
  } else {
    run.Jumping = 0;
  }
  MoveObject(engine, player, pusher.MoveX, pusher.MoveY);
}

}  // namespace

void UpdateObjectContacts(Engine& engine) {
  RunningLevel& run = engine.run;
  run.Automove = 0;
  ObjectType* player = engine.level.Player;
  const Picture* shape = player ? CollisionShape(*player) : nullptr;
  if (!shape) return;
  // A refused switch keeps the world drawn while it waits, and drawing rebuilds the frame's
  // lists: the pass walks the list as the frame left it.
  const std::vector<ObjectType*> objects = run.ActiveObjects;
  for (ObjectType* object : objects) {
    ObjectType& o = *object;
    if (!o.Pic) continue;
    if (o.OType == kDecoration && o.DecoDamage != 0) {
      ForEachTouchingTile(engine, o, *player, *shape, [&] { HurtPlayer(engine, o.DecoDamage); });
    }
    if (o.OType == kDecoration && (o.MoveX != 0 || o.MoveY != 0)) {
      ForEachTouchingTile(engine, o, *player, *shape, [&] { Push(engine, o, *player); });
    }
    const bool touches = (o.OType == kCollectable || o.OType == kSwitch) &&
                         engine.platform.PicturesOverlap(
                             *o.Pic, static_cast<float>(o.X), static_cast<float>(o.Y), 0, *shape,
                             static_cast<float>(player->X), static_cast<float>(player->Y), 0);
    if (!touches) continue;
    if (o.OType == kCollectable) {
      TakeCollectable(engine, o);
    } else {
      TryToUseSwitch(engine, o);
    }
  }
}

}  // namespace hopwerk
