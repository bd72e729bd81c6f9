#include "foundation/shell_link.h"

#include <cerrno>
#include <string_view>

#include "foundation/file_io.h"

namespace vek {

namespace {

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

std::string DesktopExecValue(const std::string& program) {
  constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  std::string arg;
  bool quote = false;
  for (char c : program) {
    if (kReserved.find(c) != std::string_view::npos)
      quote = true;
    if (c == '"' || c == '`' || c == '$' || c == '\\')
      arg += '\\';
    arg += c == '%' ? std::string("%%") : std::string(1, c);
  }
  if (quote)
    arg = '"' + arg + '"';
  return EscapeValue(arg);
}

int CreateShellLink(const std::filesystem::path& target, const std::filesystem::path& linkFile,
                    const std::filesystem::path& workingFolder, int /*showCommand*/) {
  const std::string program = target.string();
  const std::string folder = workingFolder.string();
  const std::string name = linkFile.stem().string();
  if (program.empty() || linkFile.filename().empty() || HasControlCharacter(program) ||
      HasControlCharacter(folder) || HasControlCharacter(name))
    return EINVAL;
  std::string entry = "[Desktop Entry]\nType=Application\nName=" + EscapeValue(name) +
                      "\nExec=" + DesktopExecValue(program) + "\n";
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
