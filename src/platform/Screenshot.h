// Screenshots the player takes with F12: where they go and what they are called. The names are
// pure text so the rules can be tested without a desktop.
#pragma once

#include <ctime>
#include <string>

namespace hopwerk {

constexpr int kKeyScreenshot = 123;  // F12

// A game title as one folder name: no "/" or control characters, no leading or trailing blanks
// or dots (which would hide the folder or leave a name the desktop trims), at most 100 bytes.
// An empty result becomes "Untitled".
std::string ScreenshotFolderName(const std::string& title);

// "2026-12-09 14-05-33.png"; a second shot in the same second gets " (2)" and so on.
std::string ScreenshotFileName(const std::tm& when, int copy);

}  // namespace hopwerk
