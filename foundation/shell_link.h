// Shortcuts to a program, written as XDG desktop entries: the autostart folder's entries are
// started at log-in, the Desktop's are shown as launchers.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace vek {

// The show command of a minimised window that does not take the focus. Desktop entries have no
// show state, so the value is accepted and not written.
inline constexpr int kShowMinimizedNoActivate = 7;

// Writes (or overwrites) the desktop entry linkFile that starts target with arguments in
// workingFolder, with the variables of environment ("NAME=value" each) set for it; the entry's
// name is linkFile's name without extension. The folder of linkFile is made when missing. 0 on
// success, else an errno (EINVAL for a path, argument or variable that a desktop entry cannot
// hold).
int CreateShellLink(const std::filesystem::path& target, const std::filesystem::path& linkFile,
                    const std::filesystem::path& workingFolder, int showCommand,
                    const std::vector<std::string>& environment = {},
                    const std::vector<std::string>& arguments = {});

// The Exec value that runs the command line argv: each argument quoted when it holds a reserved
// character, with the escapes of the desktop entry format.
std::string DesktopExecValue(const std::vector<std::string>& argv);
// The same for program with no arguments.
std::string DesktopExecValue(const std::string& program);

}  // namespace vek
