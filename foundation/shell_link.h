// Shortcuts to a program, written as XDG desktop entries: the autostart folder's entries are
// started at log-in, the Desktop's are shown as launchers.
#pragma once

#include <filesystem>
#include <string>

namespace vek {

// The show command of a minimised window that does not take the focus. Desktop entries have no
// show state, so the value is accepted and not written.
inline constexpr int kShowMinimizedNoActivate = 7;

// Writes (or overwrites) the desktop entry linkFile that starts target in workingFolder; the
// entry's name is linkFile's name without extension. The folder of linkFile is made when
// missing. 0 on success, else an errno (EINVAL for a path that a desktop entry cannot hold).
int CreateShellLink(const std::filesystem::path& target, const std::filesystem::path& linkFile,
                    const std::filesystem::path& workingFolder, int showCommand);

// The Exec value that starts program with no arguments: quoted when it holds a reserved
// character, with the escapes of the desktop entry format.
std::string DesktopExecValue(const std::string& program);

}  // namespace vek
