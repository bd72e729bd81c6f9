// The benchmarks' program folders: temporary folders with a copy of the shipped VEK.LOC and,
// for the main program's benchmarks, the settings file as the program writes it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "foundation/command_line.h"
#include "foundation/file_io.h"
#include "foundation/ini_file.h"
#include "program/settings.h"

namespace vek::bench {

// A new temporary folder holding a copy of the shipped VEK.LOC; empty when it cannot be made.
inline std::filesystem::path FolderWithShippedLocations() {
  namespace fs = std::filesystem;
  std::string pattern = (fs::temp_directory_path() / "vek-bench-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr)
    return {};
  const fs::path folder = pattern;
  fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", folder / "VEK.LOC");
  return folder;
}

// The settings file as the program writes settings: that of a program folder used before (a
// first start would open the first-run wizard). Closing does not ask whether to minimise instead.
inline std::string WrittenSettingsFile(VekSettings settings = {}) {
  settings.PromptToClose = false;
  IniFile ini;
  WriteSettings(ini, settings, CommandLineSwitches{}, nullptr);
  return ini.Image();
}

// A program folder with the shipped VEK.LOC and settingsFile as VEK.INI; empty when it cannot
// be made.
inline std::filesystem::path MakeProgramFolder(const std::string& settingsFile) {
  const std::filesystem::path folder = FolderWithShippedLocations();
  if (folder.empty() || WriteFileReplacing(folder / "VEK.INI", settingsFile) == 0)
    return folder;
  std::filesystem::remove_all(folder);
  return {};
}

}  // namespace vek::bench
