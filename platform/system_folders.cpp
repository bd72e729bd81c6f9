#include "platform/system_folders.h"

#include <cstdlib>
#include <fstream>
#include <string>

namespace vek {

namespace {

namespace fs = std::filesystem;

fs::path Env(const char* name) {
  const char* value = std::getenv(name);
  return value && *value ? fs::path(value) : fs::path();
}

fs::path Home() {
  const fs::path home = Env("HOME");
  return home.is_absolute() ? home : fs::path();
}

fs::path XdgBase(const char* variable, const fs::path& underHome) {
  if (fs::path p = Env(variable); p.is_absolute())
    return p;
  const fs::path home = Home();
  return home.empty() ? home : home / underHome;
}

bool IsFolder(const fs::path& p) {
  std::error_code ec;
  return !p.empty() && fs::is_directory(p, ec);
}

fs::path Made(const fs::path& p) {
  std::error_code ec;
  if (p.empty())
    return p;
  fs::create_directories(p, ec);
  return IsFolder(p) ? p : fs::path();
}

// XDG_DESKTOP_DIR="$HOME/Desktop" (or an absolute path) in user-dirs.dirs.
fs::path DesktopFromUserDirs(const fs::path& file, const fs::path& home) {
  std::ifstream in(file);
  std::string line;
  const std::string key = "XDG_DESKTOP_DIR=";
  while (std::getline(in, line)) {
    if (line.compare(0, key.size(), key) != 0)
      continue;
    std::string value = line.substr(key.size());
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
      value = value.substr(1, value.size() - 2);
    if (value.rfind("$HOME", 0) == 0)
      return home.empty() ? fs::path() : fs::path(home.string() + value.substr(5));
    return fs::path(value).is_absolute() ? fs::path(value) : fs::path();
  }
  return {};
}

}  // namespace

fs::path XdgDataHome() {
  return XdgBase("XDG_DATA_HOME", fs::path(".local") / "share");
}

fs::path XdgConfigHome() {
  return XdgBase("XDG_CONFIG_HOME", ".config");
}

fs::path GetStartupFolder() {
  const fs::path config = XdgConfigHome();
  return IsFolder(config) ? config / "autostart" : fs::path();
}

fs::path GetDesktopFolder() {
  const fs::path config = XdgConfigHome();
  fs::path desktop =
      config.empty() ? fs::path() : DesktopFromUserDirs(config / "user-dirs.dirs", Home());
  if (desktop.empty() && !Home().empty())
    desktop = Home() / "Desktop";
  return IsFolder(desktop) ? desktop : fs::path();
}

fs::path WindowsFolderPath() {
  const fs::path data = XdgDataHome();
  return data.empty() ? data : data / "vek-windows";
}

fs::path SystemFolderPath() {
  const fs::path windows = WindowsFolderPath();
  return windows.empty() ? windows : windows / "system";
}

fs::path GetWindowsFolder() {
  return Made(WindowsFolderPath());
}

fs::path GetSystemFolder() {
  return GetWindowsFolder().empty() ? fs::path() : Made(SystemFolderPath());
}

fs::path GetWindowsTempFolder() {
  std::error_code ec;
  fs::path temp = fs::temp_directory_path(ec);
  return ec ? fs::path("/tmp") : temp;
}

}  // namespace vek
