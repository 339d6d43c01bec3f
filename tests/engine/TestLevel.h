// Levels built straight into a headless engine's state, for driving the frame, the player and
// the loop without the level loader.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "TestProject.h"

namespace hopwerk::test {

// Opaque pictures of one colour (premultiplied a8r8g8b8), `frames` frames.
PicturePtr SolidPicture(int width, int height, uint32_t argb = 0xFFFFFFFFu, int frames = 1);
// The same with the handle at the bottom centre, as actor pictures have it.
PicturePtr ActorPicture(int width, int height, uint32_t argb = 0xFFFFFFFFu, int frames = 1);

// A headless engine with an open 640x480 display and an empty level (margins 5000).
struct LevelRun {
  explicit LevelRun(std::vector<ReplayEvent> events = {}, int64_t frameLimit = -1,
                    std::map<int64_t, std::string> shots = {});
  Engine& engine() { return *run.engine; }
  HeadlessPlatform& platform() { return *run.platform; }

  // Adds an object to the level's store, AllObjects and the layer of its Level.
  ObjectType& Add(ObjectType object);
  ObjectType& AddWall(int x, int y, const PicturePtr& picture, int repX = 0, int repY = 0);
  // A definition kept by the level; slot pictures get their frame counts from the pictures.
  ActorType& AddActor(ActorType actor);
  // The player: an actor of Control 1, standing on (x, y), tinted white.
  ObjectType& AddPlayer(int x, int y, ActorType& actor);
  // Runs n passes of the level loop.
  void Passes(int n);
  uint32_t PixelAt(int x, int y) const;

  EngineRun run;
};

ReplayEvent KeyDown(int64_t frame, int key);
ReplayEvent KeyUp(int64_t frame, int key);

}  // namespace hopwerk::test
