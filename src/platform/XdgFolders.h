// Per-user folders by the freedesktop.org conventions, as pure text functions so the rules can be
// tested without touching the real home folder.
#pragma once

#include <string>

namespace hopwerk {

// The application-data folder: $XDG_DATA_HOME when it is an absolute path, else
// home + "/.local/share". No trailing "/". xdgDataHome may be null.
std::string XdgDataFolder(const char* xdgDataHome, const std::string& home);

// The folder of user-dirs.dirs: $XDG_CONFIG_HOME when absolute, else home + "/.config".
std::string XdgConfigFolder(const char* xdgConfigHome, const std::string& home);

// A user folder entry (`key` such as "XDG_PICTURES_DIR") from the text of a user-dirs.dirs file,
// with "$HOME" expanded; empty when the file does not set it in one of the two forms the format
// allows ("$HOME/..." or an absolute path). The last assignment wins, as the shell that reads
// the file would have it.
std::string ParseXdgUserDir(const std::string& userDirsText, const std::string& key,
                            const std::string& home);
inline std::string ParseXdgDocumentsDir(const std::string& userDirsText, const std::string& home) {
  return ParseXdgUserDir(userDirsText, "XDG_DOCUMENTS_DIR", home);
}

// The documents folder: XDG_DOCUMENTS_DIR from userDirsText, else home + "/Documents".
std::string XdgDocumentsFolder(const std::string& userDirsText, const std::string& home);
// The pictures folder: XDG_PICTURES_DIR from userDirsText, else home + "/Pictures".
std::string XdgPicturesFolder(const std::string& userDirsText, const std::string& home);

// Removes trailing "/" except for the root itself.
std::string WithoutTrailingSlash(std::string path);

}  // namespace hopwerk
