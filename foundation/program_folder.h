// The program folder ("ThisPath"): the one folder that holds VEK.INI, VEK.LOC, the sound folders,
// the Live Update files and the debug log.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace vek {

struct ProgramFolderInputs {
  std::optional<std::filesystem::path> vekHome;      // $VEK_HOME, when set and not empty
  std::filesystem::path executableFolder;            // the folder of the running program
  std::optional<std::filesystem::path> xdgDataHome;  // $XDG_DATA_HOME, when set and absolute
  std::filesystem::path home;                        // $HOME
  std::vector<std::filesystem::path> dataFolders;    // installed data, searched in order
};

// Resolution, in order: $VEK_HOME; the executable's folder when it holds VEK.LOC and is
// writable; $XDG_DATA_HOME/vek (default ~/.local/share/vek). A chosen folder without VEK.LOC is
// created if need be and seeded with the files of the first data folder that holds VEK.LOC, or,
// when none does, with the VEK.LOC of the executable's folder (files already there are kept);
// with nothing to seed from nothing is created, and the start-up reports the missing location
// file. Nothing and a message in error when the folder cannot be made or seeded.
std::optional<std::filesystem::path> ResolveProgramFolder(const ProgramFolderInputs& in,
                                                          std::string* error);

// The inputs of this process: environment, /proc/self/exe and the installed data folders.
ProgramFolderInputs CurrentProgramFolderInputs();

// The entry of folder whose name equals name ignoring ASCII case (the exact name first); when
// there is none, folder / name. Every lookup of a program file goes through it.
std::filesystem::path FindFileIgnoringCase(const std::filesystem::path& folder,
                                           const std::string& name);

}  // namespace vek
