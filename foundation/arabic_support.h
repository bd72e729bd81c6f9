// The check that Arabic text can be shown, made once at start. Without Arabic support the user
// is warned once per run and may choose never to be warned again (the FORCEARABIC flag, which
// the settings file keeps).
#pragma once

#include <functional>

#include "foundation/command_line.h"
#include "foundation/ui_services.h"

namespace vek {

struct ArabicSupportState {
  bool ArabicKeyboardPresent = false;  // the last result of CheckArabicSupport
  bool WarningShown = false;           // the warning is shown at most once per run
};

// The state of this process.
ArabicSupportState& ArabicSupport();

// The warning asked when Arabic cannot be shown.
extern const char* const kNoArabicWarning;

// True at once when the FORCEARABIC flag is set. Otherwise asks canShowArabic (the platform's
// test: an Arabic-capable font is installed); when it says no and the warning was not shown in
// this run, beeps and asks the warning, and a Yes sets the FORCEARABIC flag.
bool CheckArabicSupport(CommandLineSwitches& switches, const std::function<bool()>& canShowArabic,
                        UiServices& ui, ArabicSupportState& state = ArabicSupport());

}  // namespace vek
