#include "platform/system_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "support/special_files.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

class SystemFolders : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("HOME", home.path().c_str(), 1);
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CACHE_HOME");
  }
  TempDir home;
};

TEST_F(SystemFolders, MissingDesktopAndStartupAreEmptyNeverTheRoot) {
  EXPECT_EQ(fs::path(), GetStartupFolder());  // no ~/.config yet
  EXPECT_EQ(fs::path(), GetDesktopFolder());
  fs::create_directories(home.path() / ".config");
  fs::create_directories(home.path() / "Desktop");
  EXPECT_EQ(home.path() / ".config" / "autostart", GetStartupFolder());
  EXPECT_EQ(home.path() / "Desktop", GetDesktopFolder());
  ::setenv("HOME", "relative", 1);
  EXPECT_EQ(fs::path(), GetStartupFolder());
  EXPECT_EQ(fs::path(), GetDesktopFolder());
  EXPECT_EQ(fs::path(), GetSystemFolder());
}

TEST_F(SystemFolders, FollowTheXdgSettings) {
  const fs::path config = home.path() / "cfg";
  fs::create_directories(config);
  fs::create_directories(home.path() / "Schreibtisch");
  ::setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  ::setenv("XDG_DATA_HOME", (home.path() / "data").c_str(), 1);
  std::ofstream(config / "user-dirs.dirs") << "# comment\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n";
  EXPECT_EQ(config / "autostart", GetStartupFolder());
  EXPECT_EQ(home.path() / "Schreibtisch", GetDesktopFolder());
  EXPECT_EQ(home.path() / "data" / "vek-windows", WindowsFolderPath());
  EXPECT_EQ(home.path() / "data" / "vek-windows" / "system", SystemFolderPath());
  EXPECT_FALSE(fs::exists(SystemFolderPath()));  // placed, not made
  EXPECT_EQ(home.path() / "data" / "vek-windows" / "system", GetSystemFolder());
  EXPECT_TRUE(fs::is_directory(GetSystemFolder()));
  ::setenv("XDG_DATA_HOME", "not/absolute", 1);
  EXPECT_EQ(home.path() / ".local" / "share", XdgDataHome());
  EXPECT_EQ(home.path() / ".cache", XdgCacheHome());
  ::setenv("XDG_CACHE_HOME", (home.path() / "cache").c_str(), 1);
  EXPECT_EQ(home.path() / "cache", XdgCacheHome());
  EXPECT_EQ(home.path(), HomeFolder());
}

// user-dirs.dirs is the user's file and may be anything: a FIFO (read without waiting for a
// writer), a link to a device, a file far larger than any such list. Each is not read, and the
// Desktop folder is then ~/Desktop.
TEST_F(SystemFolders, AUserDirsFileThatIsNoSmallRegularFileCountsAsMissing) {
  const fs::path config = home.path() / ".config";
  const fs::path dirs = config / "user-dirs.dirs";
  fs::create_directories(config);
  fs::create_directories(home.path() / "Desktop");
  fs::create_directories(home.path() / "Elsewhere");
  const std::string elsewhere = "XDG_DESKTOP_DIR=\"$HOME/Elsewhere\"\n";

  ASSERT_TRUE(testing::MakeFifo(dirs));
  fs::path desktop;
  EXPECT_TRUE(testing::ReturnsWithoutWaiting(dirs, [&] { desktop = GetDesktopFolder(); }));
  EXPECT_EQ(home.path() / "Desktop", desktop);
  fs::remove(dirs);
  fs::create_symlink("/dev/zero", dirs);
  EXPECT_EQ(home.path() / "Desktop", GetDesktopFolder());
  fs::remove(dirs);
  std::ofstream(dirs) << elsewhere << std::string(kMaxUserDirsBytes, '#') << "\n";
  EXPECT_EQ(home.path() / "Desktop", GetDesktopFolder());
  fs::remove(dirs);
  std::ofstream(dirs) << elsewhere;
  EXPECT_EQ(home.path() / "Elsewhere", GetDesktopFolder());
}

// The Desktop entry of the file's text: "$HOME" or "$HOME/..." and absolute paths, quoted, the
// first entry counting; anything else is no Desktop folder.
TEST(DesktopFromUserDirs, ReadsTheDesktopEntryOfTheText) {
  const fs::path home = "/home/user";
  const struct {
    const char* text;
    const char* desktop;
  } cases[] = {
      {"# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Schreibtisch\"\n",
       "/home/user/Schreibtisch"},
      {"XDG_DESKTOP_DIR=\"/srv/desk\"\nXDG_DESKTOP_DIR=\"$HOME/second\"\n", "/srv/desk"},
      {"XDG_DESKTOP_DIR=\"$HOME\"", "/home/user"},
      {"XDG_DESKTOP_DIR=\"$HOME/Desk\"\r\n", "/home/user/Desk"},
      {"XDG_DESKTOP_DIR=\"$HOMEWORK\"\n", ""},
      {"XDG_DESKTOP_DIR=\"relative\"\n", ""},
      {"XDG_DOWNLOAD_DIR=\"$HOME/Downloads\"\n", ""},
      {"", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(fs::path(c.desktop), DesktopFromUserDirs(c.text, home)) << c.text;
  EXPECT_EQ(fs::path(), DesktopFromUserDirs("XDG_DESKTOP_DIR=\"$HOME/Desk\"", fs::path()));
}

}  // namespace
}  // namespace vek
