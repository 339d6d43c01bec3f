// The walls near the screen, found by place. The wall test runs for every pixel anything
// moves, so walking every wall in view for each made a frame's cost grow with the square of a
// crowded level; looking only at the walls whose rectangles reach the cells a shape covers
// keeps each test to the walls around it.
#pragma once

#include <cstdint>
#include <vector>

#include "level/LevelRecords.h"

namespace hopwerk {

// A wall's rectangle as the wall test sees it: the open bottom edge one pixel below its last
// row, so a shape whose top meets the underside is blocked.
struct WallBox {
  int64_t left, top, right, bottom;
};
WallBox WallBoxOf(const ObjectType& wall);

class WallGrid {
 public:
  // Indexes the walls where they stand now. Until the next Build, Clear makes it unbuilt.
  void Build(const std::vector<ObjectType*>& walls);
  // In the header: level loading, below the running level, empties it with the other frame
  // lists, whose objects it drops.
  void Clear() {
    for (const int cell : used_) cells_[static_cast<size_t>(cell)].clear();
    used_.clear();
    large_.clear();
    moving_.clear();
    members_.clear();
    built_ = false;
  }
  bool Built() const { return built_; }
  // A wall about to move: looked at wherever it goes, until the next Build.
  void Moving(ObjectType& wall);

  // Whether test(wall) holds for a wall that may reach the rectangle (edges included); each
  // wall is tested at least once, some more than once.
  template <typename Test>
  bool Any(int64_t left, int64_t top, int64_t right, int64_t bottom, Test&& test) const {
    for (const ObjectType* wall : moving_) {
      if (test(*wall)) return true;
    }
    for (const ObjectType* wall : large_) {
      if (test(*wall)) return true;
    }
    const int x0 = Cell(left), x1 = Cell(right), y0 = Cell(top), y1 = Cell(bottom);
    for (int cy = y0; cy <= y1; ++cy) {
      for (int cx = x0; cx <= x1; ++cx) {
        for (const ObjectType* wall : cells_[static_cast<size_t>(cy * kCells + cx)]) {
          if (test(*wall)) return true;
        }
      }
    }
    return false;
  }

 private:
  // Cells of a tile (32 pixels) over the 5000-pixel world; what lies beyond falls in the edge
  // cells.
  static constexpr int kCellSize = 32;
  static constexpr int kCells = 5000 / kCellSize + 1;
  // A wall reaching over more cells than this is looked at by every test instead: a few huge
  // walls must not fill every cell.
  static constexpr int64_t kMaxCellsOfOneWall = 64;
  static int Cell(int64_t v);

  std::vector<std::vector<const ObjectType*>> cells_ =
      std::vector<std::vector<const ObjectType*>>(kCells * kCells);
  std::vector<int> used_;  // the cells holding walls, to empty them cheaply
  std::vector<const ObjectType*> large_;
  std::vector<const ObjectType*> moving_;
  std::vector<const ObjectType*> members_;  // the walls indexed, sorted when a wall moves
  bool membersSorted_ = false;
  bool built_ = false;
};

}  // namespace hopwerk
