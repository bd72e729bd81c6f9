#include "foundation/last_resort.h"

#include <exception>
#include <string>

namespace vek {

int RunShowingEscapedErrors(const std::function<int()>& body, UiServices& ui,
                            const std::function<Language()>& language) {
  std::string what;
  try {
    return body();
  } catch (const std::exception& e) {
    what = e.what();
  } catch (...) {
    what = "?";
  }
  try {
    const Language lang = language ? language() : Language::Arabic;
    ui.ShowMessage(
        std::string(ByLanguage(lang,
                               "The program met an error it cannot recover from and will "
                               "close:\r\n",
                               "واجه البرنامج خطأً لا يستطيع تجاوزه وسيُغلق:\r\n"))
            .append(what));
  } catch (...) {
    // Nothing more can be shown; the exit code still tells that the program failed.
  }
  return 1;
}

}  // namespace vek
