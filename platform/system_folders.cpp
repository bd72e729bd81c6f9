#include "platform/system_folders.h"

#include <cstdlib>
#include <string>

#include "platform/regular_file.h"

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

// A file that is no small regular file (a FIFO, a device, a huge file) counts as missing.
fs::path ReadDesktopFromUserDirs(const fs::path& file, const fs::path& home) {
  std::string text;
  if (!ReadRegularFile(file, kMaxUserDirsBytes, text).ok())
    return {};
  return DesktopFromUserDirs(text, home);
}

}  // namespace

fs::path DesktopFromUserDirs(std::string_view text, const fs::path& home) {
  constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!line.starts_with(kKey))
      continue;
    line.remove_prefix(kKey.size());
    if (line.ends_with('\r'))
      line.remove_suffix(1);
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
      line = line.substr(1, line.size() - 2);
    if (line == "$HOME" || line.starts_with("$HOME/"))
      return home.empty() ? fs::path() : fs::path(home.string() + std::string(line.substr(5)));
    return line.starts_with('/') ? fs::path(line) : fs::path();
  }
  return {};
}

fs::path HomeFolder() {
  return Home();
}

fs::path XdgCacheHome() {
  return XdgBase("XDG_CACHE_HOME", ".cache");
}

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
      config.empty() ? fs::path() : ReadDesktopFromUserDirs(config / "user-dirs.dirs", Home());
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
