#include "gameplay/WallGrid.h"

#include <algorithm>

namespace hopwerk {

WallBox WallBoxOf(const ObjectType& wall) {
  const int64_t pw = wall.Pic ? wall.Pic->width : 0;
  const int64_t ph = wall.Pic ? wall.Pic->height : 0;
  return {wall.X, wall.Y, wall.X + (static_cast<int64_t>(wall.RepX) + 1) * pw,
          wall.Y + (static_cast<int64_t>(wall.RepY) + 1) * ph + 1};
}

int WallGrid::Cell(int64_t v) {
  return v < 0 ? 0 : static_cast<int>(std::min<int64_t>(v / kCellSize, kCells - 1));
}

void WallGrid::Build(const std::vector<ObjectType*>& walls) {
  Clear();
  for (const ObjectType* wall : walls) {
    const WallBox box = WallBoxOf(*wall);
    const int x0 = Cell(box.left), x1 = Cell(box.right), y0 = Cell(box.top), y1 = Cell(box.bottom);
    if (int64_t{x1 - x0 + 1} * (y1 - y0 + 1) > kMaxCellsOfOneWall) {
      large_.push_back(wall);
      continue;
    }
    for (int cy = y0; cy <= y1; ++cy) {
      for (int cx = x0; cx <= x1; ++cx) {
        auto& cell = cells_[static_cast<size_t>(cy * kCells + cx)];
        if (cell.empty()) used_.push_back(cy * kCells + cx);
        cell.push_back(wall);
      }
    }
  }
  members_.assign(walls.begin(), walls.end());
  membersSorted_ = false;
  built_ = true;
}

void WallGrid::Moving(ObjectType& wall) {
  // Only the walls the frame listed count; another wall moving is no wall near the screen.
  if (!built_) return;
  if (!membersSorted_) {
    std::sort(members_.begin(), members_.end());
    membersSorted_ = true;
  }
  const ObjectType* moving = &wall;
  if (!std::binary_search(members_.begin(), members_.end(), moving)) return;
  if (std::find(moving_.begin(), moving_.end(), moving) == moving_.end()) moving_.push_back(moving);
}

}  // namespace hopwerk
