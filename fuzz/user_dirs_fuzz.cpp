// user-dirs.dirs: any bytes as the user's list of folders. The Desktop folder read from it is
// nothing or an absolute path, with or without a home folder; read through the file, it is an
// existing folder (the list's or ~/Desktop) or nothing.
#include <stdlib.h>

#include "fuzz/fuzz_support.h"
#include "platform/system_folders.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  const std::string_view input = AsText(data, size);
  const std::filesystem::path home = ScratchFolder();

  for (const std::filesystem::path& base : {home, std::filesystem::path()}) {
    const std::filesystem::path desktop = DesktopFromUserDirs(input, base);
    Check(desktop.empty() || desktop.is_absolute(), "the Desktop folder is an absolute path");
  }

  ::setenv("HOME", home.c_str(), 1);
  ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
  WriteInput(home / "user-dirs.dirs", input);
  const std::filesystem::path found = GetDesktopFolder();
  std::error_code ec;
  Check(found.empty() || std::filesystem::is_directory(found, ec),
        "the Desktop folder found is a folder");
  return 0;
}
