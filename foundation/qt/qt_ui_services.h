// The user-interface services of the running program: real dialogs over Qt.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "foundation/ui_services.h"

namespace vek {

class QtUiServices : public UiServices {
 public:
  QtUiServices() = default;
  QtUiServices(const QtUiServices&) = delete;
  QtUiServices& operator=(const QtUiServices&) = delete;
  // Gives back the wait cursor when it is still on.
  ~QtUiServices() override;

  // A message box with one OK button and the application's display name as its caption.
  void ShowMessage(const std::string& text) override;
  void ShowBox(const std::string& text, int option) override;
  void ShowPrompt(const std::string& text, int option) override;
  int AskNoYes(const std::string& text, int option) override;
  void Beep() override;
  // Switching on twice or off twice changes nothing: the override cursor stays balanced.
  void SetBusyCursor(bool busy) override;
  void ProcessEvents() override;
  // True once SetTerminating(true) was called or the application is closing down.
  bool Terminating() const override;
  void CloseSplash() override;

  void SetTerminating(bool terminating) { terminating_ = terminating; }
  // The main window sets what closes its splash screen; without it CloseSplash does nothing.
  void SetCloseSplash(std::function<void()> closeSplash) { closeSplash_ = std::move(closeSplash); }

 private:
  bool busy_ = false;
  bool terminating_ = false;
  std::function<void()> closeSplash_;
};

// The platform's test for CheckArabicSupport: an installed font family can show Arabic.
bool ArabicCanBeShown();

}  // namespace vek
