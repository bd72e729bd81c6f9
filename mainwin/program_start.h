// The first steps of a run, before any window: the program folder is found (and seeded), must
// hold the location file, and must be writable. Each refusal has been shown when they answer
// nothing.
#pragma once

#include <filesystem>
#include <optional>

#include "foundation/program_folder.h"
#include "foundation/ui_services.h"

namespace vek {

std::optional<std::filesystem::path> PrepareProgramFolder(const ProgramFolderInputs& inputs,
                                                          UiServices& ui);

}  // namespace vek
