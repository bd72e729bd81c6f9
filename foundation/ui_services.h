// What core code asks of the user interface. The GUI implements it with real dialogs; tests use
// a recording fake. Core code never opens a window itself.
#pragma once

#include <string>

#include "foundation/language.h"

namespace vek {

// The option byte of the bilingual dialogs: the language of their captions.
inline constexpr int kEnglishCaptions = 0;
inline constexpr int kArabicCaptions = 1;  // also right-to-left
inline constexpr int kBothCaptions = 3;    // the no/yes question only

class UiServices {
 public:
  virtual ~UiServices() = default;
  // The standard message box with one OK button; text is UTF-8.
  virtual void ShowMessage(const std::string& text) = 0;
  // The bilingual message box; option is one of the caption constants above.
  virtual void ShowBox(const std::string& text, int option) = 0;
  // The prompt with a Continue button that closes by itself after its countdown.
  virtual void ShowPrompt(const std::string& text, int option) = 0;
  // The no/yes question: 1 for Yes, 0 for No; a countdown that runs out answers No.
  virtual int AskNoYes(const std::string& text, int option) = 0;
  // The default system beep.
  virtual void Beep() = 0;
  // The hourglass (busy) cursor on or off.
  virtual void SetBusyCursor(bool /*busy*/) {}
  // Lets the application handle its pending events, so that windows stay alive (paint, timers,
  // transfers) during a wait inside a handler. The user's input (clicks, keys, a window's close)
  // waits until the handler has returned: nothing the user does can close, free or re-enter what
  // the waiting handler runs in.
  virtual void ProcessEvents() {}
  // True once the application has begun to quit; long waits end early then.
  virtual bool Terminating() const { return false; }
  // Closes the splash screen when it is showing, so that an error message is not hidden by it.
  virtual void CloseSplash() {}
  // The user's language, for the standard message box and for the system's own dialogs (open,
  // save, print, font); the program tells it at start and at every switch.
  virtual void SetLanguage(Language /*lang*/) {}
};

// The one-line wrapper through which most of the program shows its messages.
inline void ShowProgramMessage(const std::string& text, UiServices& ui) {
  ui.ShowMessage(text);
}

}  // namespace vek
