// The installer that Live Update downloads into the program folder ("ZUZUZ*.EXE"), handled as
// the program starts, without a window: found, then moved away or offered to run.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "foundation/language.h"
#include "foundation/system_services.h"

namespace vek {

struct FoundInstaller {
  std::string path;
  bool run = false;  // the user chose to run it
};

// Removes an older installer left as GO-VEK.EXE (any case), then takes the first regular file
// "ZUZUZ*.EXE" (any case) in name order. With moveIt (the MoveGoVekFile switch) it is moved
// into kDownloadedFilesFolder, up to five tries with a wait after each failure, and the user is
// told how that went; else the user is asked whether to run it. Nothing when there is none.
std::optional<FoundInstaller> TakeDownloadedInstaller(const std::filesystem::path& programFolder,
                                                      bool moveIt, Language lang,
                                                      SystemServices& sys);

}  // namespace vek
