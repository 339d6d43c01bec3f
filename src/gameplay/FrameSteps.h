// The steps of one frame's update and drawing, in the order UpdateAndDrawFrame runs them. Each
// lives in its own file.
#pragma once

#include "engine/Engine.h"

namespace hopwerk {

// Empties the per-frame lists and follows the player, or glides toward a pan target.
void UpdateCamera(Engine& engine);
// The level's colour, its tiled parallax picture, or the glow effect.
void DrawLevelBackground(Engine& engine);
// Every object, layer 10 at the back to layer 0 in front: drawn, animated, and sorted into the
// lists the rest of the frame reads (walls near the view, active objects, actors).
void DrawLevelObjects(Engine& engine);
// Player bullets fly straight; enemy bullets stop at walls and hurt the player.
void MoveAndDrawBullets(Engine& engine);
void MoveAndDrawEnemyBullets(Engine& engine);
// Rising score texts, fixed to the screen.
void DrawFloatingTexts(Engine& engine);
// While left Control, left Alt and B are held: every screen pixel where the player could not
// stand, in magenta.
void DrawWallView(Engine& engine);
// The energy bar of the actor a script pointed at.
void DrawEnergyBar(Engine& engine);
// Hit points and the weapon text, then the project's status screen.
void DrawStatus(Engine& engine);
// "Level Completed" (or its picture) and the countdown to the level change.
void ShowLevelCompleted(Engine& engine);

}  // namespace hopwerk
