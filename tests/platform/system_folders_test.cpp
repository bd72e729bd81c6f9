#include "platform/system_folders.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

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
}

}  // namespace
}  // namespace vek
