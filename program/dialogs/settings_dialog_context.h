// What the settings dialogs take from the running program: the user's language, the flying-help
// option, and where their messages go.
#pragma once

#include "foundation/language.h"
#include "foundation/ui_services.h"

namespace vek {

struct SettingsDialogContext {
  Language lang = Language::English;
  bool showHint = true;
  UiServices* ui = nullptr;  // the messages about refused input; must outlive the dialog
};

}  // namespace vek
