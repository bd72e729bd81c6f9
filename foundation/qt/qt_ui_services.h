// The user-interface services of the running program: real dialogs over Qt.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "foundation/language.h"
#include "foundation/ui_services.h"

namespace vek {

class QtUiServices : public UiServices {
 public:
  QtUiServices() = default;
  QtUiServices(const QtUiServices&) = delete;
  QtUiServices& operator=(const QtUiServices&) = delete;
  // Gives back the wait cursor when it is still on.
  ~QtUiServices() override;

  // A message box with one OK button, captioned with the program's name, in the user's language.
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
  // Also puts Qt's own dialogs into the language (see UseQtTranslations).
  void SetLanguage(Language lang) override;

  void SetTerminating(bool terminating) { terminating_ = terminating; }
  // The main window sets what closes its splash screen; without it CloseSplash does nothing.
  void SetCloseSplash(std::function<void()> closeSplash) { closeSplash_ = std::move(closeSplash); }

 private:
  Language lang_ = Language::English;
  bool busy_ = false;
  bool terminating_ = false;
  std::function<void()> closeSplash_;
};

// Qt's own texts (the open, save, print and font dialogs, the standard buttons) and the direction
// of windows that set none in the language: in Arabic Qt's Arabic translations are installed and
// windows read right to left, in English the translations are removed again. Without Qt's Arabic
// translations on the system Qt's texts stay English.
void UseQtTranslations(Language lang);

// The platform's test for CheckArabicSupport: an installed font family can show Arabic.
bool ArabicCanBeShown();

}  // namespace vek
