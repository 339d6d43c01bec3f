// The headless platform as hopwerk-replay and the engine tests rely on it: virtual time,
// scripted keys, output lines, the display, sounds and the driver dialog.
#include <gtest/gtest.h>

#include <climits>
#include <filesystem>

#include "platform/HeadlessPlatform.h"
#include "platform/ScratchFolder.h"
#include "platform/Sound.h"
#include "render/Compositor.h"

namespace hopwerk {
namespace {

using test::ReadBytes;
using test::ScratchFolder;
using test::WriteBytes;

struct Fixture {
  ScratchFolder dir;
  std::vector<std::string> lines;
  HeadlessOptions options;

  Fixture() {
    options.programFolder = dir.Path() + "/game/";
    options.homeFolder = dir / "home";
    std::filesystem::create_directories(dir / "game");
    options.output = [this](const std::string& line) { lines.push_back(line); };
  }
  void Script(const std::string& text) {
    std::string error;
    ASSERT_TRUE(ParseReplayScript(text, options.events, error)) << error;
  }
};

std::string Le32(uint32_t v) {
  std::string s;
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  return s;
}

// A WAV with an extra chunk before "fmt " and `dataBytes` of samples at `byteRate`.
std::string MakeWav(uint32_t byteRate, uint32_t dataBytes) {
  std::string fmt = std::string("\x01\x00\x01\x00", 4) + Le32(byteRate) + Le32(byteRate) +
                    std::string("\x01\x00\x08\x00", 4);
  std::string body = "WAVE" + std::string("LIST") + Le32(3) + "abc" + std::string(1, '\0') +
                     "fmt " + Le32(16) + fmt + "data" + Le32(dataBytes) +
                     std::string(dataBytes, '\x80');
  return "RIFF" + Le32(static_cast<uint32_t>(body.size())) + body;
}

std::string OggPage(uint64_t granule, const std::string& packet) {
  std::string page = "OggS";
  page.push_back('\0');  // version
  page.push_back('\x02');
  page += Le32(static_cast<uint32_t>(granule)) + Le32(static_cast<uint32_t>(granule >> 32));
  page += Le32(1) + Le32(0) + Le32(0);  // serial, sequence, checksum (not checked)
  page.push_back('\x01');
  page.push_back(static_cast<char>(packet.size()));
  return page + packet;
}

// First page: the Vorbis identification header with `rate`; last page: granule `samples`.
std::string MakeOgg(uint32_t rate, uint64_t samples) {
  std::string id = std::string("\x01vorbis", 7) + Le32(0) + std::string(1, '\x01') + Le32(rate) +
                   Le32(0) + Le32(0) + Le32(0) + std::string("\xb8\x01", 2);
  return OggPage(0, id) + OggPage(100, "xx") + OggPage(samples, "yy");
}

TEST(HeadlessClock, FollowsFramesAndSleeps) {
  Fixture f;
  HeadlessPlatform p(f.options);
  EXPECT_EQ(p.ClockMillis(), 1000);
  p.PresentFrame(1);
  EXPECT_EQ(p.ClockMillis(), 1016);  // floor(1000 / 60)
  p.PresentFrame(-1);
  EXPECT_EQ(p.ClockMillis(), 1033);
  p.PresentFrame(0);
  EXPECT_EQ(p.ClockMillis(), 1050);
  for (int i = 0; i < 57; ++i) p.PresentFrame(1);
  EXPECT_EQ(p.PresentedFrames(), 60);
  EXPECT_EQ(p.ClockMillis(), 2000);
  p.SleepMillis(250);
  EXPECT_EQ(p.ClockMillis(), 2250);
  p.SleepMillis(-100);
  p.SleepMillis(0);
  EXPECT_EQ(p.ClockMillis(), 2250);
  p.PresentFrame(1);
  EXPECT_EQ(p.ClockMillis(), 2266);
}

TEST(HeadlessClock, WrapsAsA32BitSignedInteger) {
  Fixture f;
  HeadlessPlatform p(f.options);
  p.SleepMillis(INT_MAX);  // 1000 + 2147483647 is past INT_MAX
  EXPECT_EQ(p.ClockMillis(), INT_MIN + 999);
  p.SleepMillis(INT_MAX);
  p.SleepMillis(1);
  EXPECT_EQ(p.ClockMillis(), 999);  // 1000 + 2^32 - 1
  // Differences still measure elapsed time across the wrap.
  const int32_t before = p.ClockMillis();
  p.SleepMillis(5);
  EXPECT_EQ(
      static_cast<int32_t>(static_cast<uint32_t>(p.ClockMillis()) - static_cast<uint32_t>(before)),
      5);
}

TEST(HeadlessClock, DateAndTimeStartAtTheFixedMomentAndMoveWithTheClock) {
  Fixture f;
  HeadlessPlatform p(f.options);
  EXPECT_EQ(p.CurrentDate(), "07 Dec 2026");
  EXPECT_EQ(p.CurrentTime(), "12:00:00");
  p.SleepMillis(999);
  EXPECT_EQ(p.CurrentTime(), "12:00:00");
  p.SleepMillis(1);
  EXPECT_EQ(p.CurrentTime(), "12:00:01");
  for (int i = 0; i < 60; ++i) p.PresentFrame(1);
  EXPECT_EQ(p.CurrentTime(), "12:00:02");
  p.SleepMillis((11 * 3600 + 59 * 60 + 58) * 1000);
  EXPECT_EQ(p.CurrentDate(), "08 Dec 2026");
  EXPECT_EQ(p.CurrentTime(), "00:00:00");
  for (int day = 0; day < 24; ++day) p.SleepMillis(86400 * 1000);
  EXPECT_EQ(p.CurrentDate(), "01 Jan 2027");
}

TEST(HeadlessInput, KeyHitsCountsPressesAndResetsOnReading) {
  Fixture f;
  f.Script("0 down SPACE\n1 up SPACE\n1 down SPACE\n2 down SPACE\n");
  HeadlessPlatform p(f.options);
  // Frame-0 events are there before the first frame.
  EXPECT_TRUE(p.IsKeyDown(32));
  EXPECT_EQ(p.KeyHits(32), 1);
  EXPECT_EQ(p.KeyHits(32), 0);  // the second read after a single press
  p.PresentFrame(1);
  p.PresentFrame(1);
  EXPECT_EQ(p.KeyHits(32), 2);
  EXPECT_EQ(p.KeyHits(32), 0);
  EXPECT_TRUE(p.IsKeyDown(32));
  EXPECT_EQ(p.KeyHits(0), 0);
  EXPECT_EQ(p.KeyHits(-1), 0);
  EXPECT_EQ(p.KeyHits(256), 0);
  EXPECT_FALSE(p.IsKeyDown(1000));
}

TEST(HeadlessInput, TapIsHeldForExactlyOneFrame) {
  Fixture f;
  f.Script("2 tap LEFT\n");
  HeadlessPlatform p(f.options);
  p.PresentFrame(1);
  EXPECT_FALSE(p.IsKeyDown(37));
  EXPECT_EQ(p.KeyHits(37), 0);
  p.PresentFrame(1);
  EXPECT_TRUE(p.IsKeyDown(37));
  p.PresentFrame(1);
  EXPECT_FALSE(p.IsKeyDown(37));
  EXPECT_EQ(p.KeyHits(37), 1);
}

TEST(HeadlessInput, PressesOfTypingKeysQueueTheirCharacters) {
  Fixture f;
  f.Script(
      "0 tap A\n0 tap 7\n0 tap SPACE\n0 tap ENTER\n0 tap BACKSPACE\n0 tap LEFT\n0 tap F1\n"
      "0 tap LSHIFT\n0 type Hi!\n");
  HeadlessPlatform p(f.options);
  std::vector<int> typed;
  while (const int c = p.NextTypedChar()) typed.push_back(c);
  EXPECT_EQ(typed, (std::vector<int>{'a', '7', 32, 13, 8, 'H', 'i', '!'}));
  EXPECT_EQ(p.NextTypedChar(), 0);
  // "type" presses no keys.
  EXPECT_EQ(p.KeyHits('H'), 0);
  EXPECT_EQ(p.KeyHits('A'), 1);
}

TEST(HeadlessInput, FlushKeysClearsCountsHeldKeysAndTyping) {
  Fixture f;
  f.Script("0 down A\n0 type xyz\n");
  HeadlessPlatform p(f.options);
  EXPECT_TRUE(p.IsKeyDown('A'));
  p.FlushKeys();
  EXPECT_FALSE(p.IsKeyDown('A'));
  EXPECT_EQ(p.KeyHits('A'), 0);
  EXPECT_EQ(p.NextTypedChar(), 0);
}

TEST(HeadlessInput, WaitAnyKeyTakesAPendingPressFirst) {
  Fixture f;
  f.Script("0 tap ESC\n0 tap ENTER\n50 tap SPACE\n");
  HeadlessPlatform p(f.options);
  EXPECT_EQ(p.WaitAnyKey(), 13);  // lowest key code first
  EXPECT_EQ(p.WaitAnyKey(), 27);
  EXPECT_EQ(p.KeyHits(27), 0);  // consumed
  EXPECT_EQ(p.PresentedFrames(), 0);
  // Nothing pending: time jumps to the next press.
  EXPECT_EQ(p.WaitAnyKey(), 32);
  EXPECT_EQ(p.PresentedFrames(), 50);
  EXPECT_EQ(p.ClockMillis(), 1000 + 50 * 1000 / 60);
  EXPECT_TRUE(p.IsKeyDown(32));
  EXPECT_EQ(p.KeyHits(32), 0);
  p.PresentFrame(1);
  EXPECT_FALSE(p.IsKeyDown(32));
  // The script has no more presses: the run ends for want of input.
  try {
    p.WaitAnyKey();
    FAIL() << "WaitAnyKey returned without input";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.reason, "input");
    EXPECT_EQ(end.status, 0);
  }
}

// A fatal error's wait ends the run as its key would, whether the script has a press left or
// not; an ordinary wait with none left still ends for want of input.
TEST(HeadlessInput, AFatalWaitEndsWithItsStatusEvenWithoutAPress) {
  const struct {
    const char* script;
    int64_t frame;
  } cases[] = {{"", 0}, {"7 tap Q\n", 7}, {"3 up Q\n4 type x\n", 0}};
  for (const auto& c : cases) {
    Fixture f;
    f.Script(c.script);
    HeadlessPlatform p(f.options);
    try {
      p.WaitAnyKeyThenEnd(1);
      ADD_FAILURE() << "the fatal wait returned";
    } catch (const ProgramEnd& end) {
      EXPECT_EQ(end.reason, "exit") << c.script;
      EXPECT_EQ(end.status, 1) << c.script;
    }
    EXPECT_EQ(p.PresentedFrames(), c.frame) << c.script;
  }
}

TEST(HeadlessInput, WaitAnyKeySkipsReleasesAndTyping) {
  Fixture f;
  f.Script("5 up A\n6 type q\n9 down Q\n");
  HeadlessPlatform p(f.options);
  EXPECT_EQ(p.WaitAnyKey(), 'Q');
  EXPECT_EQ(p.PresentedFrames(), 9);
  EXPECT_EQ(p.NextTypedChar(), 'q');  // from "type"
  EXPECT_EQ(p.NextTypedChar(), 'q');  // from the press of Q
}

TEST(HeadlessEnd, FrameLimitEndsAfterThatManyFrames) {
  Fixture f;
  f.options.frameLimit = 3;
  HeadlessPlatform p(f.options);
  p.PresentFrame(1);
  p.PresentFrame(1);
  try {
    p.PresentFrame(1);
    FAIL() << "the third frame should end the run";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.reason, "frames");
    EXPECT_EQ(end.status, 0);
  }
  EXPECT_EQ(p.PresentedFrames(), 3);
}

TEST(HeadlessEnd, ZeroFramesEndsBeforeAnythingIsShown) {
  Fixture f;
  f.options.frameLimit = 0;
  HeadlessPlatform p(f.options);
  try {
    p.PresentFrame(1);
    FAIL() << "no frame should be presented";
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.reason, "frames");
  }
  EXPECT_EQ(p.PresentedFrames(), 0);
  EXPECT_TRUE(p.LastFrame().empty());
}

TEST(HeadlessEnd, WaitingPastTheFrameLimitEndsAtTheLimit) {
  Fixture f;
  f.options.frameLimit = 10;
  f.Script("40 tap ENTER\n");
  HeadlessPlatform p(f.options);
  p.PresentFrame(1);
  try {
    p.WaitAnyKey();
    FAIL();
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.reason, "frames");
  }
  EXPECT_EQ(p.PresentedFrames(), 10);
}

TEST(HeadlessEnd, EndProgramUnwindsWithItsStatus) {
  Fixture f;
  HeadlessPlatform p(f.options);
  try {
    p.EndProgram(1);
  } catch (const ProgramEnd& end) {
    EXPECT_EQ(end.status, 1);
    EXPECT_EQ(end.reason, "exit");
  }
}

TEST(HeadlessOutput, LinesAreTaggedAndNoticeLineFeedsEscaped) {
  Fixture f;
  HeadlessPlatform p(f.options);
  p.TraceLine("plain trace");
  p.ShowNotice("Warning. Line one\nLine two\n", false);
  p.NoteConsoleLine("Loading...");
  EXPECT_EQ(f.lines,
            (std::vector<std::string>{"plain trace", "notice| Warning. Line one\\nLine two\\n",
                                      "console| Loading..."}));
}

TEST(HeadlessDisplay, WindowAlwaysFullScreenOnlyListedModes) {
  Fixture f;
  f.options.modes = {{800, 600, 32, 60}, {640, 480, 32, 60}, {320, 240, 16, 60}};
  HeadlessPlatform p(f.options);
  EXPECT_EQ(p.ListDisplayModes().size(), 3u);
  EXPECT_EQ(p.ListDisplayModes()[1].width, 640);
  EXPECT_FALSE(p.DisplayOpen());
  EXPECT_FALSE(p.OpenDisplay(1024, 768, 32, 60));
  EXPECT_FALSE(p.OpenDisplay(320, 240, 32, 60));  // offered only at depth 16
  EXPECT_FALSE(p.OpenDisplay(640, 480, 16, 60));
  EXPECT_FALSE(p.OpenDisplay(0, 480, 0, 60));
  EXPECT_FALSE(p.OpenDisplay(INT_MAX, INT_MAX, 0, 60));
  EXPECT_FALSE(p.DisplayOpen());
  ASSERT_TRUE(p.OpenDisplay(640, 480, 32, 60));
  EXPECT_EQ(p.DisplayWidth(), 640);
  ASSERT_TRUE(p.OpenDisplay(123, 45, 0, 60));
  EXPECT_TRUE(p.DisplayOpen());
  EXPECT_EQ(p.DisplayWidth(), 123);
  EXPECT_EQ(p.DisplayHeight(), 45);
  EXPECT_TRUE(p.LastFrame().empty());
  p.SetClearColor(10, 20, 30);
  p.ClearScreen();
  p.PresentFrame(1);
  ASSERT_EQ(p.LastFrame().size(), 123u * 45u);
  EXPECT_EQ(p.LastFrameWidth(), 123);
  EXPECT_EQ(p.LastFrame()[0] & 0xFFFFFF, 0x0A141Eu);
  p.CloseDisplay();
  EXPECT_FALSE(p.DisplayOpen());
  p.SetWindowTitle("Game");
  EXPECT_EQ(p.WindowTitle(), "Game");
}

TEST(HeadlessDisplay, ShotsAreWrittenForTheirFrames) {
  Fixture f;
  f.options.shots[2] = f.dir / "two.png";
  f.options.shots[20] = f.dir / "twenty.png";  // reached while waiting for a key
  f.options.shots[99] = f.dir / "never.png";
  f.Script("30 tap ENTER\n");
  HeadlessPlatform p(f.options);
  ASSERT_TRUE(p.OpenDisplay(16, 8, 0, 60));
  p.SetClearColor(10, 20, 30);
  p.ClearScreen();
  p.PresentFrame(1);
  EXPECT_FALSE(std::filesystem::exists(f.dir / "two.png"));
  p.PresentFrame(1);
  EXPECT_EQ(ReadBytes(f.dir / "two.png").substr(0, 8), "\x89PNG\r\n\x1a\n");
  // Drawn but never presented: the screen, and the shots taken while waiting, show frame 2.
  p.SetDrawBlend(0);
  p.SetDrawColor(0, 0, 255);
  p.DrawFilledRect(0, 0, 16, 8);
  EXPECT_EQ(p.LastFrame()[0] & 0xFFFFFF, 0x0A141Eu);
  EXPECT_EQ(p.WaitAnyKey(), 13);
  PicturePtr twenty = LoadPictureFile(f.dir / "twenty.png");
  ASSERT_TRUE(twenty);
  EXPECT_EQ(twenty->frames[0].pixels[0] & 0xFFFFFF, 0x0A141Eu);
  EXPECT_FALSE(std::filesystem::exists(f.dir / "never.png"));
}

TEST(HeadlessFolders, UserFoldersLiveUnderHomeAndExist) {
  Fixture f;
  HeadlessPlatform p(f.options);
  EXPECT_EQ(p.UserAppDataFolder(), f.dir / "home/AppData");
  EXPECT_EQ(p.UserDocumentsFolder(), f.dir / "home/Documents");
  EXPECT_EQ(p.FileKind(p.UserAppDataFolder()), 2);
  EXPECT_EQ(p.FileKind(p.UserDocumentsFolder()), 2);
  EXPECT_EQ(p.ProgramFolder(), f.dir / "game/");
  EXPECT_EQ(p.WorkingFolder(), f.dir / "game");
}

TEST(HeadlessDialog, DriverAnswers) {
  Fixture f;
  ChoiceDialogSpec spec;
  spec.choices = {"OpenGL", "DirectX"};
  spec.selected = 1;
  f.options.driverAnswer = "GL";
  EXPECT_EQ(HeadlessPlatform(f.options).RunChoiceDialog(spec).selected, 0);
  f.options.driverAnswer = "DX";
  auto dx = HeadlessPlatform(f.options).RunChoiceDialog(spec);
  EXPECT_EQ(dx.selected, 1);
  EXPECT_FALSE(dx.closed);
  f.options.driverAnswer = "close";
  EXPECT_TRUE(HeadlessPlatform(f.options).RunChoiceDialog(spec).closed);
}

TEST(HeadlessSound, OnlyReadableWavAndOggFilesLoad) {
  Fixture f;
  HeadlessPlatform p(f.options);
  WriteBytes(f.dir / "game/text.wav", "not a sound at all");
  WriteBytes(f.dir / "game/short.wav", "RIFF");
  WriteBytes(f.dir / "game/s.wav", MakeWav(1000, 500));
  WriteBytes(f.dir / "game/m.ogg", MakeOgg(1000, 250));
  WriteBytes(f.dir / "game/long.ogg", MakeOgg(1000, 1'300'000));  // past 20 minutes
  EXPECT_FALSE(p.LoadSoundFile(f.dir / "game/missing.wav", false));
  EXPECT_FALSE(p.LoadSoundFile(f.dir / "game/long.ogg", false));
  EXPECT_FALSE(p.LoadSoundFile(f.dir / "game/text.wav", false));
  EXPECT_FALSE(p.LoadSoundFile(f.dir / "game/short.wav", false));
  EXPECT_FALSE(p.LoadSoundFile(f.dir / "game", false));
  EXPECT_FALSE(p.LoadSoundFile("", false));
  SoundPtr wav = p.LoadSoundFile(f.dir / "game/s.wav", false);
  ASSERT_TRUE(wav);
  EXPECT_EQ(wav->durationMillis, 500);
  EXPECT_FALSE(wav->loop);
  SoundPtr ogg = p.LoadSoundFile(f.dir / "game/m.ogg", true);
  ASSERT_TRUE(ogg);
  EXPECT_EQ(ogg->durationMillis, 250);
  EXPECT_TRUE(ogg->loop);
}

TEST(HeadlessSound, ChannelsPlayForTheSoundsLengthOnTheVirtualClock) {
  Fixture f;
  HeadlessPlatform p(f.options);
  WriteBytes(f.dir / "game/s.wav", MakeWav(8000, 4000));  // 500 ms
  WriteBytes(f.dir / "outside.wav", MakeWav(8000, 0));
  SoundPtr effect = p.LoadSoundFile(f.dir / "game/../game/s.wav", false);
  SoundPtr music = p.LoadSoundFile(f.dir / "game/s.wav", true);
  SoundPtr outside = p.LoadSoundFile(f.dir / "outside.wav", false);
  ASSERT_TRUE(effect && music && outside);
  const Channel a = p.PlaySoundOn(effect);
  const Channel b = p.PlaySoundOn(music);
  const Channel c = p.PlaySoundOn(effect);
  EXPECT_NE(a, b);
  EXPECT_NE(a, c);
  EXPECT_TRUE(p.ChannelPlaying(a));
  p.SleepMillis(499);
  EXPECT_TRUE(p.ChannelPlaying(a));
  p.SleepMillis(1);
  EXPECT_FALSE(p.ChannelPlaying(a));
  EXPECT_TRUE(p.ChannelPlaying(b));  // music loops until stopped
  p.SleepMillis(100000);
  EXPECT_TRUE(p.ChannelPlaying(b));
  p.StopChannel(b);
  EXPECT_FALSE(p.ChannelPlaying(b));
  const Channel d = p.PlaySoundOn(effect);
  p.StopChannel(d);
  EXPECT_FALSE(p.ChannelPlaying(d));
  p.SetChannelVolume(d, 0.5f);
  EXPECT_EQ(p.PlaySoundOn(nullptr), kNoChannel);
  EXPECT_FALSE(p.ChannelPlaying(kNoChannel));
  EXPECT_FALSE(p.ChannelPlaying(12345));
  p.StopChannel(-7);
  const Channel e = p.PlaySoundOn(outside);
  EXPECT_FALSE(p.ChannelPlaying(e));  // no samples at all
  ASSERT_EQ(f.lines.size(), 5u);
  EXPECT_EQ(f.lines[0], "sound| play s.wav");
  EXPECT_EQ(f.lines[1], "sound| play s.wav");
  EXPECT_EQ(f.lines[4], "sound| play " + (f.dir / "outside.wav"));
}

TEST(HeadlessSound, HostileHeadersGiveNoDurationButNoCrash) {
  Fixture f;
  HeadlessPlatform p(f.options);
  // A byte rate of zero, a data chunk longer than the file, a chunk size that wraps.
  std::string zeroRate = MakeWav(0, 10);
  WriteBytes(f.dir / "z.wav", zeroRate);
  std::string longData = MakeWav(1000, 100);
  longData.resize(longData.size() - 50);
  WriteBytes(f.dir / "l.wav", longData);
  WriteBytes(f.dir / "w.wav", "RIFF" + Le32(0) + "WAVE" + "junk" + Le32(0xFFFFFFF0u) + "x");
  WriteBytes(f.dir / "o.ogg", "OggS");
  WriteBytes(f.dir / "v.ogg", MakeOgg(0, 100));
  SoundPtr z = p.LoadSoundFile(f.dir / "z.wav", false);
  ASSERT_TRUE(z);
  EXPECT_EQ(z->durationMillis, -1);
  SoundPtr l = p.LoadSoundFile(f.dir / "l.wav", false);
  ASSERT_TRUE(l);
  EXPECT_EQ(l->durationMillis, 50);  // what the file really holds
  SoundPtr w = p.LoadSoundFile(f.dir / "w.wav", false);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->durationMillis, -1);
  SoundPtr o = p.LoadSoundFile(f.dir / "o.ogg", false);
  ASSERT_TRUE(o);
  EXPECT_EQ(o->durationMillis, -1);
  SoundPtr v = p.LoadSoundFile(f.dir / "v.ogg", false);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->durationMillis, -1);
  // Unknown length: plays until stopped.
  const Channel ch = p.PlaySoundOn(o);
  p.SleepMillis(1000000);
  EXPECT_TRUE(p.ChannelPlaying(ch));
}

TEST(HeadlessPlatforms, ManyInOneProcessDoNotShareState) {
  Fixture f;
  f.Script("0 down A\n");
  HeadlessPlatform a(f.options);
  f.options.events.clear();
  HeadlessPlatform b(f.options);
  a.PresentFrame(1);
  a.SleepMillis(10);
  EXPECT_EQ(b.ClockMillis(), 1000);
  EXPECT_FALSE(b.IsKeyDown('A'));
  EXPECT_TRUE(a.IsKeyDown('A'));
}

}  // namespace
}  // namespace hopwerk
