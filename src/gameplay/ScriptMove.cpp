// Objects that scripts move: lifts, doors, moving platforms.
#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "gameplay/MoveObject.h"
#include "gameplay/ScriptTargets.h"
#include "gameplay/TileRange.h"
#include "gameplay/UpdateScripts.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

char UpperAscii(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return UpperAscii(x) == UpperAscii(y);
         });
}

// Actors standing on a rising wall go up with it: those whose left edge lies over the wall's
// row of tiles and whose feet are at most one step above its top.
void LiftRiders(Engine& engine, const ObjectType& wall, int64_t step) {
  if (wall.OType != kWall) return;
  const int64_t tileWidth = wall.Pic ? PictureWidth(*wall.Pic) : 0;
  const int64_t spanEnd =
      static_cast<int64_t>(wall.X) + (static_cast<int64_t>(wall.RepX) + 1) * tileWidth;
  const int lift = static_cast<int>(-std::min<int64_t>(step, kInt32Max));
  for (ObjectType* k : engine.run.AllActors) {
    const int64_t left = static_cast<int64_t>(k->X) - (k->Pic ? PictureWidth(*k->Pic) : 0) / 2;
    if (left < wall.X || left >= spanEnd) continue;
    if (k->Y < static_cast<int64_t>(wall.Y) - step || k->Y > wall.Y) continue;
    MoveObject(engine, *k, 0, lift);
  }
}

// A player caught in the rising object's row, as its jump picture, is set onto the top the
// object rises to this frame: set onto the old top, it would be left a step deep inside the
// wall, and a wall holds whatever is inside it, so the rider could neither walk nor jump off.
// Only the tiles under that picture can meet it.
void SetPlayerOnTop(Engine& engine, const ObjectType& o, int64_t step) {
  ObjectType* player = engine.level.Player;
  if (!player || !player->Actor || !o.Pic) return;
  const Picture* jump = player->Actor->Pic[1].get();
  if (!jump) return;
  const Picture& tile = *o.Pic;
  const int64_t left = static_cast<int64_t>(player->X) - jump->handleX;
  const TileRange tiles = TilesOver(static_cast<int64_t>(o.X) - tile.handleX, tile.width,
                                    static_cast<int64_t>(o.RepX) + 1, left, left + jump->width);
  for (int64_t i = tiles.first; i <= tiles.last; ++i) {
    const int64_t x = static_cast<int64_t>(o.X) + i * tile.width;
    if (engine.platform.PicturesOverlap(tile, static_cast<float>(x), static_cast<float>(o.Y),
                                        o.ActiveFrame, *jump, static_cast<float>(player->X),
                                        static_cast<float>(player->Y), 0)) {
      // Every further hit would set the same place.
      player->Y = SatSub(o.Y, step);
      return;
    }
  }
}

}  // namespace

bool MoveScriptObjects(Engine& engine, ScriptType& s) {
  bool done = true;
  const int64_t stepX = std::llabs(static_cast<int64_t>(s.StepX));
  const int64_t stepY = std::llabs(static_cast<int64_t>(s.StepY));
  const auto named = [&](const ObjectType& o) { return SameIgnoringCase(o.ID, s.ObjID); };
  ForEachTarget(engine.level, s, named, [&](ObjectType& o) {
    engine.run.ActiveWallGrid.Moving(o);
    // Horizontal steps may pass the target; the move only ends there.
    if (stepX != 0) {
      if (s.ToX < o.X) {
        o.X = SatSub(o.X, stepX);
        done = done && o.X <= s.ToX;
      } else {
        o.X = SatAdd(o.X, stepX);
        done = done && o.X >= s.ToX;
      }
    }
    if (stepY != 0 && s.ToY < o.Y) {
      LiftRiders(engine, o, stepY);
      SetPlayerOnTop(engine, o, stepY);
      o.Y = SatSub(o.Y, stepY);
      done = done && o.Y <= s.ToY;
    } else if (stepY != 0) {
      o.Y = SatAdd(o.Y, stepY);
      done = done && o.Y >= s.ToY;
      o.Y = std::min(o.Y, s.ToY);
    }
  });
  return done;
}

}  // namespace hopwerk
