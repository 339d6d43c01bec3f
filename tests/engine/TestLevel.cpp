#include "TestLevel.h"

#include "gameplay/LevelLoop.h"

namespace hopwerk::test {

PicturePtr SolidPicture(int width, int height, uint32_t argb, int frames) {
  PicturePtr picture = CreateBlankPicture(width, height, frames);
  for (PictureFrame& frame : picture->frames) frame.pixels.assign(frame.pixels.size(), argb);
  return picture;
}

PicturePtr ActorPicture(int width, int height, uint32_t argb, int frames) {
  PicturePtr picture = SolidPicture(width, height, argb, frames);
  SetPictureHandle(*picture, width / 2, height);
  return picture;
}

LevelRun::LevelRun(std::vector<ReplayEvent> events, int64_t frameLimit,
                   std::map<int64_t, std::string> shots) {
  run.options.events = std::move(events);
  run.options.frameLimit = frameLimit;
  run.options.shots = std::move(shots);
  Engine& e = run.Start();
  run.platform->OpenDisplay(640, 480, 0, 60);
  e.project.ScreenWidth = 640;
  e.project.ScreenHeight = 480;
  e.project.PDD = {480, 640};
}

ObjectType& LevelRun::Add(ObjectType object) {
  LevelState& level = engine().level;
  ObjectType& stored = level.ObjectStore.emplace_back(std::move(object));
  level.AllObjects.Append(stored);
  level.LayerLists[static_cast<size_t>(stored.Level)].Append(stored);
  return stored;
}

ObjectType& LevelRun::AddWall(int x, int y, const PicturePtr& picture, int repX, int repY) {
  ObjectType wall;
  wall.OType = 1;
  wall.X = x;
  wall.Y = y;
  wall.RepX = repX;
  wall.RepY = repY;
  wall.Pic = picture;
  wall.R = wall.G = wall.B = 255;
  return Add(std::move(wall));
}

ActorType& LevelRun::AddActor(ActorType actor) {
  for (int slot = 0; slot < kSpriteSlots; ++slot) {
    if (actor.Pic[slot] && actor.SpriteFrames[slot] == 0) {
      actor.SpriteFrames[slot] = static_cast<int32_t>(actor.Pic[slot]->frames.size());
    }
  }
  engine().level.ActorDefs.push_back(std::make_unique<ActorType>(std::move(actor)));
  return *engine().level.ActorDefs.back();
}

ObjectType& LevelRun::AddPlayer(int x, int y, ActorType& actor) {
  actor.Control = 1;
  ObjectType player;
  player.OType = 2;
  player.X = x;
  player.Y = y;
  player.Actor = &actor;
  player.Pic = actor.Pic[0];
  player.HP = actor.HP;
  player.R = player.G = player.B = 255;
  ObjectType& stored = Add(std::move(player));
  engine().level.Player = &stored;
  return stored;
}

void LevelRun::Passes(int n) {
  for (int i = 0; i < n; ++i) RunLevelLoopPass(engine());
}

uint32_t LevelRun::PixelAt(int x, int y) const {
  const Compositor& c = run.platform->GetCompositor();
  return c.Pixels()[static_cast<size_t>(y) * c.Width() + x] & 0xFFFFFFu;
}

ReplayEvent KeyDown(int64_t frame, int key) {
  return {frame, ReplayEvent::Kind::Down, key, ""};
}
ReplayEvent KeyUp(int64_t frame, int key) {
  return {frame, ReplayEvent::Kind::Up, key, ""};
}

}  // namespace hopwerk::test
