// The folders the program was designed to find on its system, placed by the XDG base-directory
// rules of a Linux desktop:
//   Startup   $XDG_CONFIG_HOME/autostart (~/.config/autostart): entries started at log-in
//   Desktop   XDG_DESKTOP_DIR of ~/.config/user-dirs.dirs, else ~/Desktop
//   Windows   $XDG_DATA_HOME/vek-windows (~/.local/share/vek-windows): settings of shared drivers
//   System    the Windows folder's "system" subfolder: shared driver files
//   Temp      $TMPDIR, else /tmp
// A folder that cannot be placed (no home folder) or, for Desktop and Startup, that does not
// exist comes back empty, and callers skip their work.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace vek {

// The largest user-dirs.dirs that is read; the list of a few folders is a few hundred bytes.
inline constexpr std::size_t kMaxUserDirsBytes = 64 * 1024;

// The Desktop folder that the text of a user-dirs.dirs names: the first XDG_DESKTOP_DIR entry,
// its quoted value "$HOME", "$HOME/..." (under home) or an absolute path. Empty for no such
// entry, any other value, or "$HOME" without a home folder.
std::filesystem::path DesktopFromUserDirs(std::string_view text, const std::filesystem::path& home);

// $HOME when it is absolute; empty otherwise.
std::filesystem::path HomeFolder();
// $XDG_CACHE_HOME when it is absolute, else ~/.cache; empty without a home folder.
std::filesystem::path XdgCacheHome();
// $XDG_DATA_HOME when it is absolute, else ~/.local/share; empty without a home folder.
std::filesystem::path XdgDataHome();
// $XDG_CONFIG_HOME when it is absolute, else ~/.config; empty without a home folder.
std::filesystem::path XdgConfigHome();

// The autostart folder, when the configuration folder it lives in exists (the autostart folder
// itself is made when the first entry is written).
std::filesystem::path GetStartupFolder();
std::filesystem::path GetDesktopFolder();
// Made when missing; empty when it cannot be made.
std::filesystem::path GetWindowsFolder();
std::filesystem::path GetSystemFolder();
// Where those two are, without making them; empty without a home folder.
std::filesystem::path WindowsFolderPath();
std::filesystem::path SystemFolderPath();
std::filesystem::path GetWindowsTempFolder();

}  // namespace vek
