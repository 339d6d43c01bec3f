#include "platform/KeyMap.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <set>

namespace hopwerk {
namespace {

std::set<int> AllReachableKeys() {
  std::set<int> keys;
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    if (const int key = WindowsKeyFromScancode(sc)) keys.insert(key);
  }
  return keys;
}

TEST(KeyMap, EveryEngineKeyCodeIsReachable) {
  std::set<int> wanted = {8,   9,   13,  27,  32,  33,  34,  35,  36,  37,
                          38,  39,  40,  45,  46,  160, 161, 162, 163, 164,
                          165, 186, 187, 188, 189, 190, 191, 192, 222, 226};
  for (int k = 48; k <= 57; ++k) wanted.insert(k);
  for (int k = 65; k <= 90; ++k) wanted.insert(k);
  for (int k = 96; k <= 105; ++k) wanted.insert(k);
  for (int k = 112; k <= 123; ++k) wanted.insert(k);
  const std::set<int> reachable = AllReachableKeys();
  for (const int key : wanted) EXPECT_TRUE(reachable.count(key)) << "key code " << key;
}

TEST(KeyMap, LettersDigitsAndFunctionKeys) {
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_A + i), 65 + i) << "letter " << i;
  }
  // SDL orders the digit row 1..9 then 0.
  for (int i = 0; i < 9; ++i) EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_1 + i), 49 + i);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_0), 48);
  for (int i = 0; i < 12; ++i) EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_F1 + i), 112 + i);
  for (int i = 0; i < 9; ++i) EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_KP_1 + i), 97 + i);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_KP_0), 96);
}

TEST(KeyMap, ArrowsModifiersAndEditingKeys) {
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_UP), 38);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_LSHIFT), 160);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_RSHIFT), 161);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_LCTRL), 162);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_RCTRL), 163);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_LALT), 164);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_RALT), 165);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_RETURN), 13);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_KP_ENTER), 13);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_ESCAPE), 27);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_SPACE), 32);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_BACKSPACE), 8);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_TAB), 9);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_PAGEUP), 33);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_PAGEDOWN), 34);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_END), 35);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_HOME), 36);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_INSERT), 45);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_DELETE), 46);
}

TEST(KeyMap, Punctuation) {
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_SEMICOLON), 186);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_EQUALS), 187);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_COMMA), 188);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_MINUS), 189);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_PERIOD), 190);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_SLASH), 191);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_GRAVE), 192);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_APOSTROPHE), 222);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_BACKSLASH), 226);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_NONUSBACKSLASH), 226);
}

TEST(KeyMap, UnknownAndOutOfRangeScancodesGiveZero) {
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_UNKNOWN), 0);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_SCANCODE_AUDIONEXT), 0);
  EXPECT_EQ(WindowsKeyFromScancode(-1), 0);
  EXPECT_EQ(WindowsKeyFromScancode(SDL_NUM_SCANCODES), 0);
  EXPECT_EQ(WindowsKeyFromScancode(1 << 30), 0);
}

TEST(KeyMap, EveryCodeFitsTheEngineRange) {
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    const int key = WindowsKeyFromScancode(sc);
    EXPECT_GE(key, 0);
    EXPECT_LE(key, 255);
  }
}

TEST(TypedText, AsciiAndLatin1PassThrough) {
  EXPECT_EQ(Utf8ToLatin1("aZ 9"), (std::vector<int>{'a', 'Z', ' ', '9'}));
  EXPECT_EQ(Utf8ToLatin1("\xC3\xA9\xC3\xBF"), (std::vector<int>{0xE9, 0xFF}));  // é ÿ
}

TEST(TypedText, CharactersBeyondLatin1AreDropped) {
  EXPECT_EQ(Utf8ToLatin1("a\xE2\x82\xAC"
                         "b"),
            (std::vector<int>{'a', 'b'}));                          // euro sign
  EXPECT_EQ(Utf8ToLatin1("\xF0\x9F\x98\x80"), std::vector<int>{});  // emoji
}

TEST(TypedText, MalformedBytesAreDroppedWithoutReadingPastTheEnd) {
  EXPECT_EQ(Utf8ToLatin1("\x80"
                         "a"),
            (std::vector<int>{'a'}));                         // stray continuation
  EXPECT_EQ(Utf8ToLatin1("a\xC3"), (std::vector<int>{'a'}));  // truncated at the end
  EXPECT_EQ(Utf8ToLatin1("\xC3"
                         "a"),
            (std::vector<int>{'a'}));                       // broken sequence
  EXPECT_EQ(Utf8ToLatin1("\xC0\x8D"), std::vector<int>{});  // overlong CR
  EXPECT_EQ(Utf8ToLatin1("\xFF\xFE"), std::vector<int>{});
  EXPECT_EQ(Utf8ToLatin1(""), std::vector<int>{});
}

}  // namespace
}  // namespace hopwerk
