// Decoded pictures are by far the engine's largest use of memory, and their sizes come from
// project data. Each platform keeps one total for the pictures it made that are still alive.
#pragma once

#include <cstdint>
#include <memory>

#include "render/Picture.h"

namespace hopwerk {

// 1 GiB of decoded pixels: many times what a real game holds at once.
constexpr int64_t kPictureBudgetBytes = int64_t{1} << 30;

// Bytes of pixels in all of a picture's frames, each frame counted as at least kMinFrameBytes.
int64_t PictureBytes(const Picture& picture);

class PictureBudget {
 public:
  explicit PictureBudget(int64_t limitBytes = kPictureBudgetBytes);

  int64_t Used() const { return account_->used; }
  int64_t Remaining() const { return account_->limit - account_->used; }
  // Counts `picture` until the last copy of the returned pointer is gone. Null (and nothing
  // counted) when the picture is null or does not fit in what remains.
  PicturePtr Keep(PicturePtr picture);

 private:
  struct Account {
    int64_t limit = 0;
    int64_t used = 0;
  };
  // Shared with every kept picture, which may outlive the platform.
  std::shared_ptr<Account> account_;
};

}  // namespace hopwerk
