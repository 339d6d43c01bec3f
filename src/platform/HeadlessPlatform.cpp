// The platform without a machine. Everything that would make two runs differ (time, input,
// sound devices, the display, the user's folders and drives) is replaced by something the
// options fix, so one replay gives the same trace and the same pixels on every machine.
#include "platform/HeadlessPlatform.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "codec/PngWriter.h"
#include "codec/SoundProbe.h"
#include "files/ByteStream.h"
#include "files/FileWriter.h"
#include "platform/Paths.h"
#include "platform/Sound.h"

namespace hopwerk {

namespace {

constexpr int64_t kLoopsForever = -1;
constexpr int64_t kStopped = -2;

void WriteToStdout(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
int64_t DaysFromCivil(int64_t y, int m, int d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int64_t& y, int& m, int& d) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = yoe + era * 400 + (m <= 2);
}

// The key that types a character when pressed, and that character; 0 for keys that do not type.
int TypedCharOfKey(int key) {
  if (key >= 'A' && key <= 'Z') return key - 'A' + 'a';
  if (key >= '0' && key <= '9') return key;
  if (key == 32 || key == 13 || key == 8) return key;
  return 0;
}

}  // namespace

HeadlessPlatform::HeadlessPlatform(HeadlessOptions options)
    : PlatformCommon(options.seed, options.pictureBudgetBytes), options_(std::move(options)) {
  if (!options_.output) options_.output = WriteToStdout;

  options_.programFolder = ToSlashes(options_.programFolder);
  if (!options_.programFolder.empty() && options_.programFolder.back() != '/') {
    options_.programFolder += '/';
  }
  options_.homeFolder = ToSlashes(options_.homeFolder);
  while (options_.homeFolder.size() > 1 && options_.homeFolder.back() == '/') {
    options_.homeFolder.pop_back();
  }

  // chdir would move every engine in the process at once; this platform keeps its own.
  const std::string processFolder = WorkingFolder();
  if (!options_.programFolder.empty()) {
    programAbsolute_ = NormalisePathText(JoinPath(processFolder, options_.programFolder));
  }
  std::string start =
      options_.workingFolder.empty() ? options_.programFolder : ToSlashes(options_.workingFolder);
  if (start.empty()) start = processFolder;
  virtualWorkingFolder_ = NormalisePathText(JoinPath(processFolder, start));
  // Screenshot names come from the command line: relative to where the runner was started.
  for (auto& shot : options_.shots) {
    shot.second = NormalisePathText(JoinPath(processFolder, ToSlashes(shot.second)));
  }

  if (!options_.homeFolder.empty()) {
    MakeFolder(UserAppDataFolder(), true);
    MakeFolder(UserDocumentsFolder(), true);
  }

  std::stable_sort(options_.events.begin(), options_.events.end(),
                   [](const ReplayEvent& a, const ReplayEvent& b) { return a.frame < b.frame; });
  ApplyEventsUpTo(0);
}

HeadlessPlatform::~HeadlessPlatform() = default;

bool HeadlessPlatform::OpenDisplay(int width, int height, int depth, int hertz) {
  (void)hertz;
  if (!DisplaySizeAllowed(width, height)) return false;
  if (depth == 32) {
    const bool offered =
        std::any_of(options_.modes.begin(), options_.modes.end(), [&](const DisplayMode& mode) {
          return mode.width == width && mode.height == height && mode.depth == 32;
        });
    if (!offered) return false;
  } else if (depth != 0) {
    return false;
  }
  compositor_.Resize(width, height);
  displayOpen_ = true;
  return true;
}

void HeadlessPlatform::CloseDisplay() {
  displayOpen_ = false;
}

void HeadlessPlatform::WriteShot(int64_t frame) {
  const auto shot = options_.shots.find(frame);
  if (shot == options_.shots.end()) return;
  const std::string path = ResolvePath(shot->second);
  const std::vector<uint32_t>& shown = LastFrame();
  if (shown.empty() || !WritePng(path, shown.data(), LastFrameWidth(), LastFrameHeight())) {
    // stdout belongs to the trace; a lost screenshot is reported beside it.
    std::fprintf(stderr, "hopwerk-replay: could not write frame %lld to %s\n",
                 static_cast<long long>(frame), path.c_str());
  }
}

void HeadlessPlatform::PresentFrame(int sync) {
  (void)sync;  // no display to wait for: virtual time moves by exactly one frame
  // A limit of no frames at all ends the run before anything is shown.
  if (options_.frameLimit >= 0 && frames_ >= options_.frameLimit) {
    throw ProgramEnd{0, "frames"};
  }
  ++frames_;
  // No copy: the compositor keeps the frame aside only if the next one draws over it.
  compositor_.MarkPresented();
  WriteShot(frames_);
  ApplyEventsUpTo(frames_);
  if (options_.frameLimit >= 0 && frames_ >= options_.frameLimit) {
    throw ProgramEnd{0, "frames"};
  }
}

void HeadlessPlatform::ApplyEventsUpTo(int64_t frame) {
  while (nextEvent_ < options_.events.size() && options_.events[nextEvent_].frame <= frame) {
    const ReplayEvent& event = options_.events[nextEvent_++];
    switch (event.kind) {
      case ReplayEvent::Kind::Down:
        PressKey(event.key);
        break;
      case ReplayEvent::Kind::Up:
        if (event.key >= 1 && event.key <= 255) keyDown_[event.key] = false;
        break;
      case ReplayEvent::Kind::Type:
        for (const char c : event.text) typed_.push_back(static_cast<unsigned char>(c));
        break;
      case ReplayEvent::Kind::FocusLost:
        NoteFocusLost();
        Emit("sound| mute");
        break;
      case ReplayEvent::Kind::FocusGained:
        NoteFocusGained();
        Emit("sound| unmute");
        break;
      case ReplayEvent::Kind::Copy:
        CopyFile(event);
        break;
    }
  }
}

void HeadlessPlatform::CopyFile(const ReplayEvent& event) {
  // Paths are the script's, not the game's, made absolute when it was read.
  std::error_code ec;
  const bool readable =
      std::filesystem::is_regular_file(event.text, ec) &&
      std::filesystem::file_size(event.text, ec) <= static_cast<uintmax_t>(kMaxReadFileBytes) &&
      !ec;
  std::ifstream in(event.text, std::ios::binary);
  std::stringstream bytes;
  if (readable) bytes << in.rdbuf();
  const std::string data = bytes.str();
  if (!readable || !in || !WriteFileAtomically(event.target, data.data(), data.size())) {
    // stdout belongs to the trace; a copy that failed is reported beside it.
    std::fprintf(stderr, "hopwerk-replay: could not copy %s to %s\n", event.text.c_str(),
                 event.target.c_str());
  }
}

void HeadlessPlatform::PressKey(int key) {
  if (key < 1 || key > 255) return;
  if (keyHits_[key] < INT_MAX) ++keyHits_[key];
  keyDown_[key] = true;
  if (const int c = TypedCharOfKey(key)) typed_.push_back(c);
  NoteKeyPressed(key);
}

int HeadlessPlatform::KeyHits(int key) {
  if (key < 1 || key > 255) return 0;
  const int hits = keyHits_[key];
  keyHits_[key] = 0;
  return hits;
}

bool HeadlessPlatform::IsKeyDown(int key) {
  return key >= 1 && key <= 255 && keyDown_[key];
}

void HeadlessPlatform::FlushKeys() {
  std::fill(std::begin(keyHits_), std::end(keyHits_), 0);
  std::fill(std::begin(keyDown_), std::end(keyDown_), false);
  // Typing that happened before a flush belongs to the screen that was left.
  typed_.clear();
  typedRead_ = 0;
}

int HeadlessPlatform::NextTypedChar() {
  if (typedRead_ >= typed_.size()) {
    typed_.clear();
    typedRead_ = 0;
    return 0;
  }
  return typed_[typedRead_++];
}

int HeadlessPlatform::WaitAnyKey() {
  return WaitForPress(ProgramEnd{0, "input"});
}

void HeadlessPlatform::WaitAnyKeyThenEnd(int status) {
  // With no press left the run ends as the press would have ended it.
  WaitForPress(ProgramEnd{status, "exit"});
  EndProgramNow(*this, status);
}

int HeadlessPlatform::WaitForPress(const ProgramEnd& dry) {
  // A press already waiting answers at once (lowest key code first).
  for (int key = 1; key <= 255; ++key) {
    if (keyHits_[key] > 0) {
      --keyHits_[key];
      return key;
    }
  }
  size_t next = nextEvent_;
  const auto isPress = [](const ReplayEvent& e) {
    return e.kind == ReplayEvent::Kind::Down && e.key >= 1 && e.key <= 255;
  };
  while (next < options_.events.size() && !isPress(options_.events[next])) ++next;
  if (next == options_.events.size()) throw dry;

  // Waiting lets time pass: the clock and the frame count jump to the press. A run limited to
  // fewer frames ends at its limit instead, as it would have while presenting them.
  int64_t target = std::max(options_.events[next].frame, frames_);
  const bool limited = options_.frameLimit >= 0 && target >= options_.frameLimit;
  if (limited) target = std::max(options_.frameLimit, frames_);
  // The screen shows the last presented frame all along; shots due meanwhile record it.
  for (auto shot = options_.shots.upper_bound(frames_);
       shot != options_.shots.end() && shot->first <= target; ++shot) {
    WriteShot(shot->first);
  }
  frames_ = target;
  ApplyEventsUpTo(frames_);
  if (limited) throw ProgramEnd{0, "frames"};

  const int key = options_.events[next].key;
  if (keyHits_[key] > 0) --keyHits_[key];
  return key;
}

std::vector<Volume> HeadlessPlatform::ListVolumes() {
  return {Volume{"/", "Root"}};
}

SoundPtr HeadlessPlatform::LoadSoundFile(const std::string& path, bool loop) {
  if (path.empty()) return nullptr;
  int64_t duration = -1;
  if (ProbeSoundFile(ResolvePath(path), &duration) == SoundFormat::None) return nullptr;
  auto sound = std::make_shared<Sound>();
  sound->path = ToSlashes(path);
  sound->loop = loop;
  sound->durationMillis = duration;
  return sound;
}

Channel HeadlessPlatform::PlaySoundOn(const SoundPtr& sound) {
  if (!sound || channelEnds_.size() >= static_cast<size_t>(INT_MAX)) return kNoChannel;
  // Name the sound by its place in the project, so traces do not depend on where it lies.
  std::string name = sound->path;
  const std::string absolute = NormalisePathText(ResolvePath(sound->path));
  if (!programAbsolute_.empty()) {
    const std::string prefix = programAbsolute_ == "/" ? "/" : programAbsolute_ + "/";
    if (absolute.size() > prefix.size() && absolute.compare(0, prefix.size(), prefix) == 0) {
      name = absolute.substr(prefix.size());
    }
  }
  Emit("sound| play " + name);
  // Channels are never reused, so a stale channel number cannot stop somebody else's sound.
  int64_t end = kLoopsForever;
  if (!sound->loop && sound->durationMillis >= 0) end = NowMillis() + sound->durationMillis;
  channelEnds_.push_back(end);
  return static_cast<Channel>(channelEnds_.size() - 1);
}

void HeadlessPlatform::StopChannel(Channel channel) {
  if (channel >= 0 && static_cast<size_t>(channel) < channelEnds_.size()) {
    channelEnds_[static_cast<size_t>(channel)] = kStopped;
  }
}

bool HeadlessPlatform::ChannelPlaying(Channel channel) {
  if (channel < 0 || static_cast<size_t>(channel) >= channelEnds_.size()) return false;
  const int64_t end = channelEnds_[static_cast<size_t>(channel)];
  if (end == kStopped) return false;
  return end == kLoopsForever || NowMillis() < end;
}

void HeadlessPlatform::SetChannelVolume(Channel channel, float volume) {
  (void)channel;
  (void)volume;  // nothing is heard
}

int64_t HeadlessPlatform::NowMillis() const {
  return 1000 + frames_ * 1000 / 60 + sleptMillis_;
}

int32_t HeadlessPlatform::ClockMillis() {
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(NowMillis())));
}

void HeadlessPlatform::SleepMillis(int ms) {
  if (ms > 0) sleptMillis_ += ms;
}

std::tm HeadlessPlatform::LocalNow() {
  // 07 Dec 2026 12:00:00 when the clock reads 1000, moving with it.
  const int64_t seconds = 12 * 3600 + (NowMillis() - 1000) / 1000;
  const int64_t days = DaysFromCivil(2026, 12, 7) + seconds / 86400;
  const int64_t secondOfDay = seconds % 86400;
  int64_t year = 0;
  int month = 0, day = 0;
  CivilFromDays(days, year, month, day);
  std::tm t{};
  t.tm_year = static_cast<int>(year - 1900);
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = static_cast<int>(secondOfDay / 3600);
  t.tm_min = static_cast<int>(secondOfDay / 60 % 60);
  t.tm_sec = static_cast<int>(secondOfDay % 60);
  t.tm_wday = static_cast<int>(((days % 7) + 11) % 7);  // 1970-01-01 was a Thursday
  t.tm_yday = static_cast<int>(days - DaysFromCivil(year, 1, 1));
  t.tm_isdst = 0;
  return t;
}

std::string HeadlessPlatform::UserAppDataFolder() {
  return options_.homeFolder + "/AppData";
}

std::string HeadlessPlatform::UserDocumentsFolder() {
  return options_.homeFolder + "/Documents";
}

std::string HeadlessPlatform::UserPicturesFolder() {
  return options_.homeFolder + "/Pictures";
}

void HeadlessPlatform::Emit(const std::string& line) {
  options_.output(line);
}

void HeadlessPlatform::TraceLine(const std::string& text) {
  Emit(text);
}

void HeadlessPlatform::ShowNotice(const std::string& text, bool serious) {
  (void)serious;
  std::string line = "notice| ";
  for (const char c : text) {
    if (c == '\n') {
      line += "\\n";
    } else {
      line += c;
    }
  }
  Emit(line);
}

void HeadlessPlatform::NoteConsoleLine(const std::string& text) {
  Emit("console| " + text);
}

ChoiceDialogResult HeadlessPlatform::RunChoiceDialog(const ChoiceDialogSpec& spec) {
  ChoiceDialogResult result;
  result.selected = spec.selected;
  if (options_.driverAnswer == "GL") {
    result.selected = 0;
  } else if (options_.driverAnswer == "DX") {
    result.selected = 1;
  } else if (options_.driverAnswer == "close") {
    result.closed = true;
  }
  return result;
}

void HeadlessPlatform::EndProgram(int status) {
  throw ProgramEnd{status, "exit"};
}

}  // namespace hopwerk
