// Keyboard input in the engine's numbering: Windows virtual-key codes, whatever the machine.
#pragma once

#include <string>
#include <vector>

namespace hopwerk {

// The virtual-key code of an SDL scancode (SDL_Scancode value); 0 for keys the engine has no
// code for.
int WindowsKeyFromScancode(int sdlScancode);

// Characters of UTF-8 text as the engine's 8-bit characters (Latin-1). Characters beyond
// Latin-1 and malformed bytes are dropped: the engine could neither draw nor store them.
std::vector<int> Utf8ToLatin1(const std::string& text);

}  // namespace hopwerk
