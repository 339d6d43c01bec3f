// Picture bundles of the demo's creatures: every strip an actor definition names (walk or fly
// cycle, fall pose, death) is cut from one painting function per creature, so the cells of a
// bundle always agree in size and look.
#pragma once

#include <functional>
#include <string>

#include "ArtCanvas.h"

namespace hopwerk {

// Paints one cell of a creature facing right, its feet (or lowest point) on the cell's bottom
// row; ox is the cell's left edge. Poses 0, 1, ... are the frames of its cycle; kFallPose is
// the walker's fall.
using CreaturePainter = std::function<void(Canvas&, float ox, int pose)>;
constexpr int kFallPose = -1;

// A death played as an animation: squashed, then a puff of dust that blows away.
constexpr int kPuffFrames = 4;

enum class DeathPicture {
  Puff,       // kPuffFrames cells, for actors that vanish where they die
  OnItsBack,  // one cell upside down, for actors that drop or are thrown off the screen
};

struct CreatureArt {
  std::string bundle;  // folder under GFX/Level/Actors/
  int cellW = 0, cellH = 0;
  int cycleFrames = 0;  // cells of Walk.png (walkers) or Fly.png (flyers)
  bool flies = false;   // flyers get Fly.png and a one-cell Walk.png of pose 0
  bool falls = true;    // walkers that can lose their footing get Jump.png (kFallPose)
  DeathPicture death = DeathPicture::Puff;
  CreaturePainter paint;
};

// Writes the bundle into actorsFolder (ending in "/"), creating its folder.
bool WriteCreature(const std::string& actorsFolder, const CreatureArt& art);

// Die.png for any painter: kPuffFrames cells or one, by the kind of death.
bool WriteDeathStrip(const std::string& path, int cellW, int cellH, DeathPicture death,
                     const CreaturePainter& paint);

}  // namespace hopwerk
