#include "mainwin/program_start.h"

#include <string>

#include "foundation/drive_tests.h"
#include "foundation/ini_file.h"
#include "locations/location_file.h"
#include "program/settings.h"

namespace vek {

std::optional<std::filesystem::path> PrepareProgramFolder(const ProgramFolderInputs& inputs,
                                                          UiServices& ui) {
  std::string error;
  const std::optional<std::filesystem::path> folder = ResolveProgramFolder(inputs, &error);
  if (!folder) {
    ui.ShowMessage(error);
    return std::nullopt;
  }
  // Without its location file, or with one that is no regular file, the program cannot run:
  // that is said, with the cause, in the user's language, before anything is created in the
  // folder.
  if (!LocationFilePresent(*folder)) {
    const Language lang = ReadSettingsLanguage(
        IniFile(FindFileIgnoringCase(*folder, std::string(kSettingsFileName))));
    ui.ShowMessage(LocationFileUnusableText(LocationFilePath(*folder), lang));
    return std::nullopt;
  }
  if (const std::string readOnly = ReadOnlyStartDriveText(*folder); !readOnly.empty()) {
    ui.ShowMessage(readOnly);
    return std::nullopt;
  }
  return folder;
}

}  // namespace vek
