#include <gtest/gtest.h>

#include "platform/XdgFolders.h"

namespace hopwerk {
namespace {

TEST(XdgFolders, DataFolderFromEnvironmentOrHome) {
  EXPECT_EQ(XdgDataFolder(nullptr, "/home/ann"), "/home/ann/.local/share");
  EXPECT_EQ(XdgDataFolder("", "/home/ann/"), "/home/ann/.local/share");
  EXPECT_EQ(XdgDataFolder("/data/ann/", "/home/ann"), "/data/ann");
  // Relative values are invalid by the convention and ignored.
  EXPECT_EQ(XdgDataFolder("data", "/home/ann"), "/home/ann/.local/share");
  EXPECT_EQ(XdgDataFolder(nullptr, "/"), "/.local/share");
}

TEST(XdgFolders, ConfigFolder) {
  EXPECT_EQ(XdgConfigFolder(nullptr, "/home/ann"), "/home/ann/.config");
  EXPECT_EQ(XdgConfigFolder("/etc/ann", "/home/ann"), "/etc/ann");
  EXPECT_EQ(XdgConfigFolder("rel", "/home/ann"), "/home/ann/.config");
}

TEST(XdgFolders, DocumentsFromHomeRelativeEntry) {
  const std::string text =
      "# This file is written by xdg-user-dirs-update\n"
      "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n"
      "XDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
  EXPECT_EQ(ParseXdgDocumentsDir(text, "/home/ann"), "/home/ann/Dokumente");
  EXPECT_EQ(XdgDocumentsFolder(text, "/home/ann"), "/home/ann/Dokumente");
  EXPECT_EQ(XdgPicturesFolder(text, "/home/ann"), "/home/ann/Bilder");
}

TEST(XdgFolders, DocumentsAbsoluteEntryAndEscapes) {
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"/srv/docs/\"\n", "/home/ann"), "/srv/docs");
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"\n", "/home/ann"),
            "/home/ann/My \"Docs\"");
  EXPECT_EQ(ParseXdgDocumentsDir("  XDG_DOCUMENTS_DIR = \"$HOME/D\"  # note\r\n", "/h"), "/h/D");
}

TEST(XdgFolders, DocumentsSetToHomeItself) {
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOME\"\n", "/home/ann"), "/home/ann");
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOME/\"\n", "/"), "/");
}

TEST(XdgFolders, LastAssignmentWins) {
  const std::string text =
      "XDG_DOCUMENTS_DIR=\"$HOME/One\"\n"
      "XDG_DOCUMENTS_DIR=\"$HOME/Two\"\n";
  EXPECT_EQ(ParseXdgDocumentsDir(text, "/h"), "/h/Two");
}

TEST(XdgFolders, MalformedEntriesAreIgnored) {
  const std::string home = "/home/ann";
  EXPECT_EQ(ParseXdgDocumentsDir("", home), "");
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=$HOME/Docs\n", home), "");    // unquoted
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOME/Docs\n", home), "");  // open quote
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"Docs\"\n", home), "");      // relative
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOMEDocs\"\n", home), "");
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIRX=\"$HOME/D\"\n", home), "");
  EXPECT_EQ(ParseXdgDocumentsDir("#XDG_DOCUMENTS_DIR=\"$HOME/D\"\n", home), "");
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOME/D\" trailing\n", home), "");
  EXPECT_EQ(ParseXdgDocumentsDir("XDG_DOCUMENTS_DIR=\"$HOME/D\\", home), "");
  EXPECT_EQ(ParseXdgDocumentsDir(std::string("XDG_DOCUMENTS_DIR=\"\0\"", 21), home), "");
}

TEST(XdgFolders, DocumentsFallBackToHomeDocuments) {
  EXPECT_EQ(XdgDocumentsFolder("", "/home/ann"), "/home/ann/Documents");
  EXPECT_EQ(XdgDocumentsFolder("garbage\n=\"\n", "/home/ann/"), "/home/ann/Documents");
  EXPECT_EQ(XdgPicturesFolder("", "/home/ann"), "/home/ann/Pictures");
}

}  // namespace
}  // namespace hopwerk
