#include "gameplay/AnimateObject.h"

#include "gameplay/ActivityArea.h"
#include "render/SafeMath.h"

namespace hopwerk {

void AnimateObject(Engine& engine, ObjectType& object, int slot, int restartFrame) {
  if (!object.Actor || slot < 0 || slot >= kSpriteSlots) return;
  const ActorType& actor = *object.Actor;
  const PicturePtr& picture = actor.Pic[static_cast<size_t>(slot)];
  if (!picture) return;
  if (object.Pic != picture) {
    object.Pic = picture;
    object.ActiveFrame = 0;
  }
  const int32_t now = engine.platform.ClockMillis();
  if (MillisBetween(now, object.AnimOldTime) <= actor.SpriteWait[static_cast<size_t>(slot)]) {
    return;
  }
  object.AnimOldTime = now;
  const int last = LastFrameIndex(actor, slot);
  ++object.ActiveFrame;
  if (object.ActiveFrame > last) object.ActiveFrame = restartFrame;
  if (object.ActiveFrame > last) object.ActiveFrame = 0;
}

int LastFrameIndex(const ActorType& actor, int slot) {
  return SatInt32(static_cast<int64_t>(actor.SpriteFrames[static_cast<size_t>(slot)]) - 1);
}

}  // namespace hopwerk
