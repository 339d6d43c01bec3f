#include "gameplay/ActivityArea.h"
#include "gameplay/DrawScope.h"
#include "gameplay/FrameSteps.h"
#include "gameplay/HurtPlayer.h"
#include "gameplay/IsBlocked.h"
#include "render/SafeMath.h"

namespace hopwerk {

namespace {

bool Outside(const WorldArea& area, int64_t x, int64_t y) {
  return x < area.left || y < area.top || x > area.right || y > area.bottom;
}

}  // namespace

void MoveAndDrawBullets(Engine& engine) {
  Platform& p = engine.platform;
  const RunningLevel& run = engine.run;
  const WorldArea area = ActivityArea(engine);
  engine.run.Bullets.Walk([&](BulletType& bullet) {
    if (!bullet.Weapon) return true;
    const WeaponType& weapon = *bullet.Weapon;
    bullet.X = SatInt32(bullet.X + static_cast<int64_t>(weapon.BulletSpeed) * bullet.Dir);
    if (weapon.Image) {
      p.SetDrawColor(255, 255, 255);
      const ScaleScope facing(p, static_cast<float>(bullet.Dir), 1.0f);
      p.DrawPicture(*weapon.Image, static_cast<float>(static_cast<int64_t>(bullet.X) - run.CameraX),
                    static_cast<float>(static_cast<int64_t>(bullet.Y) - run.CameraY), 0);
    }
    return Outside(area, bullet.X, bullet.Y);
  });
}

void MoveAndDrawEnemyBullets(Engine& engine) {
  Platform& p = engine.platform;
  const RunningLevel& run = engine.run;
  const WorldArea area = ActivityArea(engine);
  engine.run.EnemyBullets.Walk([&](EnemyBullet& bullet) {
    if (!bullet.Weapon) return true;
    const EnemyWeapon& weapon = *bullet.Weapon;
    bullet.X = SatInt32(bullet.X + static_cast<int64_t>(weapon.HSpeed) * bullet.Dir);
    bullet.Y = SatAdd(bullet.Y, weapon.VSpeed);
    if (weapon.Image) {
      p.SetDrawColor(weapon.R, weapon.G, weapon.B);
      const ScaleScope facing(p, static_cast<float>(bullet.Dir), 1.0f);
      p.DrawPicture(*weapon.Image, static_cast<float>(static_cast<int64_t>(bullet.X) - run.CameraX),
                    static_cast<float>(static_cast<int64_t>(bullet.Y) - run.CameraY), 0);
    }
    if (IsBlocked(engine, weapon.Image.get(), bullet.X, bullet.Y) ||
        Outside(area, bullet.X, bullet.Y)) {
      return true;
    }
    const ObjectType* player = engine.level.Player;
    if (player && player->Pic && weapon.Image &&
        p.PicturesOverlap(*weapon.Image, static_cast<float>(bullet.X), static_cast<float>(bullet.Y),
                          0, *player->Pic, static_cast<float>(player->X),
                          static_cast<float>(player->Y), player->ActiveFrame)) {
      HurtPlayer(engine, 1);
      return true;
    }
    return false;
  });
}

}  // namespace hopwerk
