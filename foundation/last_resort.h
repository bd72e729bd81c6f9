// The program entry's last line of defence: an exception that nothing below caught ends the
// program with a message the user can read, instead of an abort without a window.
#pragma once

#include <functional>

#include "foundation/language.h"
#include "foundation/ui_services.h"

namespace vek {

// Runs body and returns its result. When an exception escapes it, shows what it says in a
// message in the language that language() gives at that moment, and returns 1.
int RunShowingEscapedErrors(const std::function<int()>& body, UiServices& ui,
                            const std::function<Language()>& language);

}  // namespace vek
