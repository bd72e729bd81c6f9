#include "foundation/arabic_support.h"

namespace vek {

const char* const kNoArabicWarning =
    "*** WARNING ***\n"
    "Your Operating System DOES NOT support Arabic\n"
    "\n"
    "No font that can show Arabic letters was found on this system. The Arabic texts of this\n"
    "program will appear as unusual characters beside the English text.\n"
    "A system with Arabic support (a font with Arabic letters installed) is recommended.\n"
    "\n"
    "If you can read the following Arabic line, your system files may be damaged:\n"
    "هذا السطر مكتوب باللغة العربية\n"
    "\n"
    "DO YOU WANT TO PREVENT THIS MESSAGE IN FUTURE RUNS ?";

ArabicSupportState& ArabicSupport() {
  static ArabicSupportState state;
  return state;
}

bool CheckArabicSupport(CommandLineSwitches& switches, const std::function<bool()>& canShowArabic,
                        UiServices& ui, ArabicSupportState& state) {
  if (switches.forceArabic) {
    state.ArabicKeyboardPresent = true;
    return true;
  }
  const bool present = canShowArabic && canShowArabic();
  if (!present && !state.WarningShown) {
    state.WarningShown = true;
    ui.Beep();
    switches.forceArabic = ui.AskNoYes(kNoArabicWarning, kEnglishCaptions) == 1;
  }
  state.ArabicKeyboardPresent = present;
  return present;
}

}  // namespace vek
