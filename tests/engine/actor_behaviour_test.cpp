// Computer-controlled actors: walking, turning, chasing, flying, shooting, dying and touching.
#include <gtest/gtest.h>

#include <algorithm>

#include "TestLevel.h"

namespace hopwerk {
namespace {

using test::ActorPicture;
using test::LevelRun;
using test::SolidPicture;

constexpr int kFloor = 400;

// A floor across the screen at y 400, a player far to the right (unless moved) and actors.
struct ActorLevel {
  ActorLevel() {
    level.AddWall(0, kFloor, SolidPicture(640, 32));
    level.engine().pictures.DotPic = SolidPicture(1, 1);
    ActorType frog;
    frog.HP = 10;
    frog.Pic[0] = ActorPicture(20, 40);
    player = &level.AddPlayer(600, kFloor, level.AddActor(std::move(frog)));
  }
  Engine& engine() { return level.engine(); }
  SessionState& session() { return level.engine().session; }
  RunningLevel& run() { return level.engine().run; }

  // A 20 x 20 actor of kind `moves` (Move codes) standing at (x, y).
  ObjectType& AddEnemy(int x, int y, std::initializer_list<int> moves, int hp = 3) {
    ActorType kind;
    kind.HP = hp;
    kind.Pic[0] = ActorPicture(20, 20);
    kind.Pic[2] = ActorPicture(20, 20);
    kind.Pic[4] = ActorPicture(20, 20);
    for (int code : moves) kind.Move[static_cast<size_t>(code)] = 1;
    ObjectType o;
    o.OType = 2;
    o.X = x;
    o.Y = y;
    o.HP = hp;
    o.Level = 3;
    o.Actor = &level.AddActor(std::move(kind));
    o.Pic = o.Actor->Pic[0];
    return level.Add(std::move(o));
  }
  void Shoot(int x, int y, int count) {
    WeaponType& w = engine().data.Weapons[0];
    w.Image = SolidPicture(4, 4);
    for (int i = 0; i < count; ++i) run().Bullets.Append({x, y, 1, &w});
  }

  LevelRun level;
  ObjectType* player;
};

TEST(ActorBehaviour, WalkerTurnsAtBothLedgesOfAThreeTilePlatformOrWalksOff) {
  for (const bool walksOff : {false, true}) {
    ActorLevel t;
    t.level.AddWall(200, 300, SolidPicture(32, 16), 2);  // x 200 to 296
    ObjectType& a = t.AddEnemy(
        248, 300, walksOff ? std::initializer_list<int>{3, 5} : std::initializer_list<int>{3});
    int lowest = a.X;
    int highest = a.X;
    for (int frame = 0; frame < 100 && a.Y == 300; ++frame) {
      t.level.Passes(1);
      lowest = std::min(lowest, a.X);
      highest = std::max(highest, a.X);
    }
    if (!walksOff) {
      // It walks to both ends in steps of 4 from 248; its 20 pixels never leave the platform.
      EXPECT_EQ(a.Y, 300);
      EXPECT_EQ(lowest, 212);
      EXPECT_EQ(highest, 284);
      continue;
    }
    ASSERT_GT(a.Y, 300);
    const int y = a.Y;
    t.level.Passes(1);
    EXPECT_EQ(a.Y - y, 5) << "falls 5 pixels a frame";
  }
}

TEST(ActorBehaviour, ChaserRuns12TowardThePlayerAnd4Away) {
  for (const int mirror : {0, 1}) {
    ActorLevel t;
    ObjectType& a = t.AddEnemy(300, kFloor, {0, 3});
    a.Mirror = mirror;
    t.level.Passes(1);
    EXPECT_EQ(a.X, mirror == 0 ? 312 : 296);
  }
}

TEST(ActorBehaviour, WalkerStopsAtTheWallAndTurnsInTheSameFrame) {
  ActorLevel t;
  t.level.AddWall(312, 300, SolidPicture(32, 100));
  ObjectType& a = t.AddEnemy(300, kFloor, {3});
  t.level.Passes(1);
  EXPECT_EQ(a.X, 301);  // one more pixel would put its right side (x + 10) on the wall
  EXPECT_EQ(a.Mirror, 1);
}

TEST(ActorBehaviour, VerticalFlyerStartsDownAndTurnsAtFloorAndCeiling) {
  ActorLevel t;
  t.level.AddWall(0, 200, SolidPicture(640, 32));  // ceiling, underside at 232
  ObjectType& a = t.AddEnemy(300, 300, {4, 10});
  std::vector<int> turns;
  int vmove = a.VMove;
  for (int frame = 0; frame < 80; ++frame) {
    t.level.Passes(1);
    if (a.VMove != vmove) turns.push_back(a.Y);
    vmove = a.VMove;
  }
  ASSERT_GE(turns.size(), 2u);
  EXPECT_EQ(turns[0], kFloor);
  EXPECT_EQ(turns[1], 253);  // its top a pixel below the ceiling's underside
}

TEST(ActorBehaviour, BulletsKillOnceScoreAtTheBulletAndLeaveTheBodyHarmless) {
  struct Case {
    int hp;
    int bullets;  // all arriving in one frame
    int hpAfter;
    bool killed;
  };
  for (const Case c : {Case{3, 2, 1, false}, Case{3, 3, 0, true}, Case{1, 3, -2, true}}) {
    ActorLevel t;
    ObjectType& a = t.AddEnemy(300, kFloor, {});
    a.HP = c.hp;
    a.Actor->KillScore = 100;
    a.Actor->Touch[1] = 1;
    t.player->X = 305;  // standing in the actor: its corpse must not kill
    t.run().BossObject = &a;
    t.Shoot(300, kFloor - 10, c.bullets);
    t.run().HurtTime = 1;  // the player is flashing: the touch cannot hurt anyway
    t.level.Passes(1);
    EXPECT_EQ(a.HP, c.hpAfter);
    EXPECT_TRUE(t.run().Bullets.Empty());
    EXPECT_EQ(t.session().Kills, c.killed ? 1 : 0);
    EXPECT_EQ(t.session().Score, c.killed ? 100 : 0);
    EXPECT_EQ(a.OType, c.killed ? -1 : 2);
    EXPECT_EQ(t.engine().level.LayerLists[0].Contains(a), c.killed);
    EXPECT_EQ(t.run().BossObject, c.killed ? nullptr : &a);
    EXPECT_EQ(t.player->HP, c.killed ? 10 : 0) << "a live touching killer kills";
  }
}

TEST(ActorBehaviour, TouchHurtsKillsOrVanishes) {
  struct Case {
    int touch;
    bool god;
    int hpAfter;
    bool vanished;
    int passes;  // a killed player would be restarted by the next pass
  };
  for (const Case c : {Case{0, false, 8, false, 2}, Case{1, false, 0, false, 1},
                       Case{1, true, 10, false, 2}, Case{2, false, 10, true, 2}}) {
    ActorLevel t;
    ObjectType& a = t.AddEnemy(300, kFloor, {});
    a.Actor->Touch[static_cast<size_t>(c.touch)] = 1;
    a.Actor->HurtPlayer = 2;
    a.Actor->KillScore = 100;
    t.player->X = 305;
    t.run().GodMode = c.god ? 1 : 0;
    t.level.Passes(c.passes);  // a hurt lands once: the player flashes for 3 s
    EXPECT_EQ(t.player->HP, c.hpAfter) << c.touch;
    EXPECT_EQ(t.engine().level.AllObjects.Contains(a), !c.vanished);
    EXPECT_EQ(t.session().Score, 0);
    EXPECT_EQ(t.session().Kills, 0);
  }
}

TEST(ActorBehaviour, ShooterFiresFromItsMiddleTheWayItFaces) {
  ActorLevel t;
  ObjectType& a = t.AddEnemy(300, kFloor, {6});
  auto weapon = std::make_shared<EnemyWeapon>();
  weapon->Chance = 1;
  weapon->Image = SolidPicture(4, 4);
  weapon->HSpeed = 3;
  a.Actor->ShootWeapon = weapon;
  a.Mirror = 1;
  t.level.Passes(1);
  ASSERT_EQ(t.run().EnemyBullets.Count(), 1u);
  t.run().EnemyBullets.Walk([&](EnemyBullet& b) {
    EXPECT_EQ(b.X, 300);
    EXPECT_EQ(b.Y, kFloor - 10);
    EXPECT_EQ(b.Dir, -1);
    return false;
  });
}

}  // namespace
}  // namespace hopwerk
