#include <gtest/gtest.h>

#include <vector>

#include "platform/KeyCodes.h"
#include "platform/PadMap.h"

namespace hopwerk {
namespace {

constexpr BoundKeys kBound{164, 162, 32, 112};

TEST(PadMap, EachInputPressesItsKeys) {
  struct Row {
    PadInput input;
    std::vector<int> keys;
  };
  const Row rows[] = {
      {PadInput::South, {164, kKeyEnter}},
      {PadInput::West, {162}},
      {PadInput::North, {32}},
      {PadInput::Start, {112}},
      {PadInput::Back, {kKeyEscape}},
      {PadInput::DpadUp, {kKeyUp}},
      {PadInput::DpadDown, {kKeyDown}},
      {PadInput::DpadLeft, {kKeyLeft}},
      {PadInput::DpadRight, {kKeyRight}},
      {PadInput::StickUp, {kKeyUp}},
      {PadInput::StickDown, {kKeyDown}},
      {PadInput::StickLeft, {kKeyLeft}},
      {PadInput::StickRight, {kKeyRight}},
  };
  for (const Row& row : rows) {
    PadKeyboard pad;
    pad.SetInput(0, row.input, true, kBound);
    EXPECT_EQ(pad.TakePresses(), row.keys) << static_cast<int>(row.input);
    for (const int key : row.keys) EXPECT_TRUE(pad.IsDown(key));
    pad.SetInput(0, row.input, false, kBound);
    for (const int key : row.keys) EXPECT_FALSE(pad.IsDown(key));
    EXPECT_TRUE(pad.TakePresses().empty());
  }
}

TEST(PadMap, StickHasDeadZoneAndHysteresis) {
  struct Row {
    bool wasHeld;
    int towards;
    bool held;
  };
  const Row rows[] = {
      {false, 0, false},
      {false, kStickReleaseAt, false},
      {false, kStickPressAt, false},
      {false, kStickPressAt + 1, true},
      {false, 32767, true},
      {true, kStickPressAt, true},
      {true, kStickReleaseAt, true},
      {true, kStickReleaseAt - 1, false},
      {true, -32768, false},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(StickDirectionHeld(row.wasHeld, row.towards), row.held)
        << row.wasHeld << " " << row.towards;
  }
}

TEST(PadMap, StickMovesBetweenDirectionsWithoutStickingOrRepeating) {
  PadKeyboard pad;
  pad.SetStickX(0, 20000, kBound);
  pad.SetStickX(0, 12000, kBound);  // inside the press point, still held: no second press
  EXPECT_TRUE(pad.IsDown(kKeyRight));
  pad.SetStickX(0, -20000, kBound);  // flicked across
  EXPECT_FALSE(pad.IsDown(kKeyRight));
  EXPECT_TRUE(pad.IsDown(kKeyLeft));
  pad.SetStickY(0, -32768, kBound);  // diagonal up-left; the extreme value must not overflow
  EXPECT_TRUE(pad.IsDown(kKeyUp));
  pad.SetStickX(0, -2147483647 - 1, kBound);
  EXPECT_TRUE(pad.IsDown(kKeyLeft));
  pad.SetStickX(0, 0, kBound);
  pad.SetStickY(0, 0, kBound);
  EXPECT_EQ(pad.TakePresses(), (std::vector<int>{kKeyRight, kKeyLeft, kKeyUp}));
  for (const int key : {kKeyLeft, kKeyRight, kKeyUp, kKeyDown}) EXPECT_FALSE(pad.IsDown(key));
}

TEST(PadMap, ReleaseLetsGoOfTheKeyPressedEvenAfterRebinding) {
  PadKeyboard pad;
  pad.SetInput(0, PadInput::West, true, kBound);
  pad.SetInput(0, PadInput::West, false, BoundKeys{164, 65, 32, 112});
  EXPECT_FALSE(pad.IsDown(162));
  pad.SetInput(0, PadInput::West, true, BoundKeys{164, 65, 32, 112});
  EXPECT_TRUE(pad.IsDown(65));
}

TEST(PadMap, SharedKeysAreCountedAndRemovingAPadReleasesOnlyItsKeys) {
  PadKeyboard pad;
  pad.SetInput(0, PadInput::DpadLeft, true, kBound);
  pad.SetStickX(0, -30000, kBound);
  pad.SetInput(1, PadInput::South, true, kBound);
  pad.SetInput(0, PadInput::DpadLeft, false, kBound);
  EXPECT_TRUE(pad.IsDown(kKeyLeft));  // the stick still holds it
  pad.RemovePad(0);
  EXPECT_FALSE(pad.IsDown(kKeyLeft));
  EXPECT_TRUE(pad.IsDown(164));
  pad.RemovePad(1);
  pad.RemovePad(7);  // never seen
  EXPECT_FALSE(pad.IsDown(164));
  EXPECT_FALSE(pad.IsDown(kKeyEnter));
}

TEST(PadMap, KeysOutsideTheEngineRangeOrDoubledArePressedOnce) {
  PadKeyboard pad;
  pad.SetInput(0, PadInput::South, true, BoundKeys{kKeyEnter, 0, -5, 4000});
  pad.SetInput(0, PadInput::West, true, BoundKeys{kKeyEnter, 0, -5, 4000});
  pad.SetInput(0, PadInput::North, true, BoundKeys{kKeyEnter, 0, -5, 4000});
  pad.SetInput(0, PadInput::Start, true, BoundKeys{kKeyEnter, 0, -5, 4000});
  EXPECT_EQ(pad.TakePresses(), (std::vector<int>{kKeyEnter}));
  EXPECT_FALSE(pad.IsDown(0));
  EXPECT_FALSE(pad.IsDown(256));
  pad.SetInput(0, PadInput::South, false, BoundKeys{});
  EXPECT_FALSE(pad.IsDown(kKeyEnter));
}

TEST(PadMap, UnreadPressesAreBounded) {
  PadKeyboard pad;
  for (int i = 0; i < 10000; ++i) {
    pad.SetInput(0, PadInput::Back, true, kBound);
    pad.SetInput(0, PadInput::Back, false, kBound);
  }
  EXPECT_LE(pad.TakePresses().size(), 256u);
}

}  // namespace
}  // namespace hopwerk
