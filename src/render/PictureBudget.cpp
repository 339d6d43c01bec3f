#include "render/PictureBudget.h"

#include <algorithm>
#include <utility>

namespace hopwerk {

int64_t PictureBytes(const Picture& picture) {
  int64_t bytes = 0;
  for (const PictureFrame& frame : picture.frames) {
    bytes += std::max<int64_t>(static_cast<int64_t>(frame.pixels.size() * sizeof(uint32_t)),
                               kMinFrameBytes);
  }
  return bytes;
}

PictureBudget::PictureBudget(int64_t limitBytes) : account_(std::make_shared<Account>()) {
  account_->limit = std::max<int64_t>(0, limitBytes);
}

PicturePtr PictureBudget::Keep(PicturePtr picture) {
  if (!picture) return nullptr;
  const int64_t bytes = PictureBytes(*picture);
  if (bytes > Remaining()) return nullptr;

  // The caller's pointer shares ownership with this holder, so the count drops exactly when
  // the last pointer to the picture goes.
  struct Held {
    PicturePtr picture;
    std::shared_ptr<Account> account;
    int64_t bytes = 0;
    Held(PicturePtr p, std::shared_ptr<Account> a, int64_t b)
        : picture(std::move(p)), account(std::move(a)), bytes(b) {
      account->used += bytes;
    }
    ~Held() { account->used -= bytes; }
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
  };
  auto held = std::make_shared<Held>(std::move(picture), account_, bytes);
  Picture* raw = held->picture.get();
  return PicturePtr(std::move(held), raw);
}

}  // namespace hopwerk
