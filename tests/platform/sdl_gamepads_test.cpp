// A virtual game controller under SDL's dummy drivers: no display and no device needed.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/KeyCodes.h"
#include "platform/SdlGamepads.h"
#include "platform/SdlPlatform.h"

namespace hopwerk {
namespace {

// A virtual game controller with every button and axis; its device index, or -1.
int AttachVirtualPad() {
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  desc.name = "Virtual test pad";
  return SDL_JoystickAttachVirtualEx(&desc);
}

class SdlGamepadsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_VIDEODRIVER", "dummy", 1);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    ASSERT_EQ(SDL_Init(SDL_INIT_EVENTS), 0) << SDL_GetError();
    ASSERT_TRUE(pads_.Start("/nonexistent/gamecontrollerdb.txt")) << SDL_GetError();
  }
  void TearDown() override {
    pads_.Stop();
    SDL_Quit();
  }

  // Attaches a pad and lets the platform side see it arrive; returns its device index.
  int Attach() {
    const int index = AttachVirtualPad();
    EXPECT_GE(index, 0) << SDL_GetError();
    Pump();
    joystick_ = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
    EXPECT_NE(joystick_, nullptr);
    return index;
  }
  void Pump() {
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0) pads_.HandleEvent(event, [this] { return bound_; });
  }
  void Button(SDL_GameControllerButton button, bool down) {
    ASSERT_EQ(SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0), 0);
    Pump();
  }
  void Axis(SDL_GameControllerAxis axis, Sint16 value) {
    ASSERT_EQ(SDL_JoystickSetVirtualAxis(joystick_, axis, value), 0);
    Pump();
  }
  bool Down(int key) { return pads_.Keys().IsDown(key); }

  SdlGamepads pads_;
  BoundKeys bound_{164, 162, 32, 112};
  SDL_Joystick* joystick_ = nullptr;
};

TEST_F(SdlGamepadsTest, ButtonsAndStickPressTheirKeys) {
  Attach();
  ASSERT_EQ(pads_.ConnectedCount(), 1);
  struct Row {
    SDL_GameControllerButton button;
    int key;
  };
  const Row rows[] = {{SDL_CONTROLLER_BUTTON_A, 164},
                      {SDL_CONTROLLER_BUTTON_A, kKeyEnter},
                      {SDL_CONTROLLER_BUTTON_X, 162},
                      {SDL_CONTROLLER_BUTTON_Y, 32},
                      {SDL_CONTROLLER_BUTTON_START, 112},
                      {SDL_CONTROLLER_BUTTON_BACK, kKeyEscape},
                      {SDL_CONTROLLER_BUTTON_DPAD_UP, kKeyUp},
                      {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kKeyLeft},
                      {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kKeyDown},
                      {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kKeyRight}};
  for (const Row& row : rows) {
    Button(row.button, true);
    EXPECT_TRUE(Down(row.key)) << row.key;
    Button(row.button, false);
    EXPECT_FALSE(Down(row.key)) << row.key;
  }
  pads_.Keys().TakePresses();

  Axis(SDL_CONTROLLER_AXIS_LEFTX, 30000);
  EXPECT_TRUE(Down(kKeyRight));
  Axis(SDL_CONTROLLER_AXIS_LEFTY, -30000);
  EXPECT_TRUE(Down(kKeyUp));
  Axis(SDL_CONTROLLER_AXIS_LEFTX, 3000);  // back in the dead zone
  Axis(SDL_CONTROLLER_AXIS_LEFTY, 0);
  EXPECT_FALSE(Down(kKeyRight));
  EXPECT_FALSE(Down(kKeyUp));
  EXPECT_EQ(pads_.Keys().TakePresses(), (std::vector<int>{kKeyRight, kKeyUp}));
}

TEST_F(SdlGamepadsTest, BoundKeysAreLookedUpAtThePress) {
  Attach();
  bound_.jump = 'W';
  Button(SDL_CONTROLLER_BUTTON_A, true);
  EXPECT_TRUE(Down('W'));
  EXPECT_FALSE(Down(164));
}

TEST_F(SdlGamepadsTest, UnpluggingReleasesEveryHeldKey) {
  const int index = Attach();
  Button(SDL_CONTROLLER_BUTTON_A, true);
  Button(SDL_CONTROLLER_BUTTON_X, true);
  Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
  ASSERT_TRUE(Down(164) && Down(162) && Down(kKeyLeft));
  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  Pump();
  EXPECT_EQ(pads_.ConnectedCount(), 0);
  for (const int key : {164, 162, kKeyEnter, kKeyLeft}) EXPECT_FALSE(Down(key)) << key;

  // Plugged in again during play, it works as before.
  Attach();
  EXPECT_EQ(pads_.ConnectedCount(), 1);
  Button(SDL_CONTROLLER_BUTTON_Y, true);
  EXPECT_TRUE(Down(32));
}

// The whole way through the real platform: a pad plugged in while the window is open reaches
// the engine's key queries, the typed Enter and the any-key wait.
TEST(SdlPlatformPad, PadDrivesThePlatformKeys) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  // The dummy driver's window never gets the focus, and SDL drops pad input of an unfocused
  // game unless told otherwise.
  setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);
  SdlPlatform platform("./");
  ASSERT_TRUE(platform.OpenDisplay(320, 240, 0, 60)) << SDL_GetError();
  BoundKeys bound{164, 162, 32, 112};
  platform.SetBoundKeysSource([&bound] { return bound; });

  const int index = AttachVirtualPad();
  ASSERT_GE(index, 0) << SDL_GetError();
  platform.PresentFrame(0);
  SDL_Joystick* joystick = SDL_JoystickFromInstanceID(SDL_JoystickGetDeviceInstanceID(index));
  ASSERT_NE(joystick, nullptr);

  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_A, 1);
  platform.PresentFrame(0);
  EXPECT_TRUE(platform.IsKeyDown(164));
  EXPECT_EQ(platform.KeyHits(kKeyEnter), 1);
  EXPECT_EQ(platform.NextTypedChar(), kKeyEnter);
  platform.FlushKeys();
  EXPECT_TRUE(platform.IsKeyDown(164));  // still held: a pad sends no repeats to say so
  EXPECT_EQ(platform.KeyHits(164), 0);

  SDL_JoystickSetVirtualButton(joystick, SDL_CONTROLLER_BUTTON_BACK, 1);
  // Should the press never arrive, a closed window ends the wait instead of hanging the test.
  const SDL_TimerID guard = SDL_AddTimer(
      5000,
      [](Uint32, void*) -> Uint32 {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        return 0;
      },
      nullptr);
  EXPECT_EQ(platform.WaitAnyKey(), kKeyEscape);
  SDL_RemoveTimer(guard);

  ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0);
  platform.PresentFrame(0);
  EXPECT_FALSE(platform.IsKeyDown(164));
  EXPECT_FALSE(platform.IsKeyDown(kKeyEscape));
  platform.SetBoundKeysSource(nullptr);
}

}  // namespace
}  // namespace hopwerk
