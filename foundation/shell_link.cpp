#include "foundation/shell_link.h"

#include <cerrno>
#include <string_view>

#include "foundation/file_io.h"

namespace vek {

namespace {

// Runs a program with variables added to its environment; at this place on every Debian system.
constexpr const char* kEnvProgram = "/usr/bin/env";

bool HasControlCharacter(std::string_view s) {
  for (unsigned char c : s)
    if (c < 0x20 || c == 0x7F)
      return true;
  return false;
}

// The escapes of every string value of a desktop entry.
std::string EscapeValue(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (c == '\\')
      out += "\\\\";
    else
      out += c;
  }
  return out;
}

}  // namespace

std::string DesktopExecValue(const std::vector<std::string>& argv) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string line;
  for (const std::string& argument : argv) {
    std::string arg;
    bool quote = argument.empty();
    for (char c : argument) {
      if (kReserved.find(c) != std::string_view::npos)
        quote = true;
      if (c == '"' || c == '`' || c == '$' || c == '\\')
        arg += '\\';
      arg += c == '%' ? std::string("%%") : std::string(1, c);
    }
    if (quote)
      arg = '"' + arg + '"';
    if (!line.empty())
      line += ' ';
    line += arg;
  }
  return EscapeValue(line);
}

std::string DesktopExecValue(const std::string& program) {
  return DesktopExecValue(std::vector<std::string>{program});
}

int CreateShellLink(const std::filesystem::path& target, const std::filesystem::path& linkFile,
                    const std::filesystem::path& workingFolder, int /*showCommand*/,
                    const std::vector<std::string>& environment,
                    const std::vector<std::string>& arguments) {
  const std::string program = target.string();
  const std::string folder = workingFolder.string();
  const std::string name = linkFile.stem().string();
  if (program.empty() || linkFile.filename().empty() || HasControlCharacter(program) ||
      HasControlCharacter(folder) || HasControlCharacter(name))
    return EINVAL;
  // A desktop entry has no key for the environment: env sets it and then runs the program.
  std::vector<std::string> argv;
  if (!environment.empty())
    argv.emplace_back(kEnvProgram);
  for (const std::string& variable : environment) {
    const std::size_t equals = variable.find('=');
    if (equals == 0 || equals == std::string::npos || HasControlCharacter(variable))
      return EINVAL;
    argv.push_back(variable);
  }
  argv.push_back(program);
  for (const std::string& argument : arguments) {
    if (argument.empty() || HasControlCharacter(argument))
      return EINVAL;
    argv.push_back(argument);
  }
  std::string entry = "[Desktop Entry]\nType=Application\nName=" + EscapeValue(name) +
                      "\nExec=" + DesktopExecValue(argv) + "\n";
  if (!folder.empty())
    entry += "Path=" + EscapeValue(folder) + "\n";
  entry += "Terminal=false\n";
  std::error_code ec;
  if (!linkFile.parent_path().empty())
    std::filesystem::create_directories(linkFile.parent_path(), ec);
  if (ec)
    return ec.value();
  return WriteFileReplacing(linkFile, entry);
}

}  // namespace vek
