#include "platform/Screenshot.h"

#include <cstdio>

#include "codec/PngWriter.h"
#include "platform/PlatformCommon.h"

namespace hopwerk {

namespace {

constexpr size_t kMaxFolderNameBytes = 100;
// Far more shots than anyone takes in a second; past it the last name is overwritten instead
// of the search running on.
constexpr int kMaxCopiesPerSecond = 1000;

bool TrimmedAtEnds(char c) {
  return c == ' ' || c == '.' || c == '\t';
}

}  // namespace

std::string ScreenshotFolderName(const std::string& title) {
  std::string name;
  for (const char c : title) {
    const auto byte = static_cast<unsigned char>(c);
    name += (c == '/' || c == '\\' || byte < 0x20 || byte == 0x7f) ? '_' : c;
  }
  if (name.size() > kMaxFolderNameBytes) {
    name.resize(kMaxFolderNameBytes);
    // Cut at a character boundary: a Latin-1 or UTF-8 title must not end in half a letter.
    while (!name.empty() && (static_cast<unsigned char>(name.back()) & 0xC0) == 0x80) {
      name.pop_back();
    }
    if (!name.empty() && static_cast<unsigned char>(name.back()) >= 0xC0) name.pop_back();
  }
  size_t first = 0;
  while (first < name.size() && TrimmedAtEnds(name[first])) ++first;
  size_t last = name.size();
  while (last > first && TrimmedAtEnds(name[last - 1])) --last;
  name = name.substr(first, last - first);
  return name.empty() ? "Untitled" : name;
}

std::string ScreenshotFileName(const std::tm& when, int copy) {
  char stamp[64];
  std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", when.tm_year + 1900,
                when.tm_mon + 1, when.tm_mday, when.tm_hour, when.tm_min, when.tm_sec);
  std::string name = stamp;
  if (copy > 1) name += " (" + std::to_string(copy) + ")";
  return name + ".png";
}

void PlatformCommon::NoteKeyPressed(int key) {
  if (key != kKeyScreenshot) return;
  // A player who bound F12 to an action presses it to play, not to photograph.
  if (boundKeys_ && boundKeys_().Holds(key)) return;
  SaveScreenshot();
}

void PlatformCommon::SaveScreenshot() {
  const std::vector<uint32_t>& shown = compositor_.PresentedPixels();
  if (shown.empty()) return;  // nothing shown yet
  const std::string folder =
      UserPicturesFolder() + "/Hopwerk/" + ScreenshotFolderName(windowTitle_);
  MakeFolder(folder, true);
  const std::tm now = LocalNow();
  std::string path;
  for (int copy = 1; copy <= kMaxCopiesPerSecond; ++copy) {
    path = folder + "/" + ScreenshotFileName(now, copy);
    if (FileKind(path) == 0) break;
  }
  if (WritePng(path, shown.data(), compositor_.PresentedWidth(), compositor_.PresentedHeight())) {
    TraceLine("Screenshot saved to " + path);
  } else {
    TraceLine("Screenshot could not be saved to " + path);
  }
}

bool PlatformCommon::TakeFocusLoss() {
  const bool lost = focusLost_;
  focusLost_ = false;
  return lost;
}

}  // namespace hopwerk
