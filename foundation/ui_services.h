// What core code asks of the user interface. The GUI implements it with real dialogs; tests use
// a recording fake. Core code never opens a window itself.
#pragma once

#include <string>

namespace vek {

class UiServices {
 public:
  virtual ~UiServices() = default;
  // A plain message box with one OK button; text is UTF-8, lines separated by CR LF.
  virtual void ShowMessage(const std::string& text) = 0;
  // The default system beep.
  virtual void Beep() = 0;
  // Closes the splash screen when it is showing, so that an error message is not hidden by it.
  virtual void CloseSplash() {}
};

}  // namespace vek
