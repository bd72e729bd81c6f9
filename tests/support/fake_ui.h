// A UiServices that records what core code asked of the user interface and answers questions
// from a queue.
#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "foundation/ui_services.h"

namespace vek::testing {

class FakeUi : public UiServices {
 public:
  struct Dialog {
    std::string kind;  // "box", "prompt" or "question"
    std::string text;
    int option;
  };

  void ShowMessage(const std::string& text) override {
    messages.push_back(text);
    if (onMessage)
      onMessage(text);
  }
  void ShowBox(const std::string& text, int option) override {
    dialogs.push_back({"box", text, option});
  }
  void ShowPrompt(const std::string& text, int option) override {
    dialogs.push_back({"prompt", text, option});
    if (onMessage)
      onMessage(text);
  }
  int AskNoYes(const std::string& text, int option) override {
    dialogs.push_back({"question", text, option});
    if (answers.empty())
      return 0;  // as if the countdown ran out
    const int answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void Beep() override { ++beeps; }
  void SetBusyCursor(bool busy) override {
    busyCursor = busy;
    ++cursorChanges;
  }
  void ProcessEvents() override {
    ++eventPumps;
    if (onProcessEvents)
      onProcessEvents();
  }
  bool Terminating() const override { return terminating; }
  void CloseSplash() override { ++splashCloses; }
  void SetLanguage(Language lang) override { language = lang; }

  std::vector<std::string> messages;
  std::vector<Dialog> dialogs;
  std::deque<int> answers;                            // answers of AskNoYes, in order
  std::function<void(const std::string&)> onMessage;  // runs while a message is "shown"
  std::function<void()> onProcessEvents;              // runs as pending events are handled
  int beeps = 0;
  bool busyCursor = false;
  int cursorChanges = 0;
  int eventPumps = 0;
  bool terminating = false;
  int splashCloses = 0;
  std::optional<Language> language;  // the last language the program told, if any
};

}  // namespace vek::testing
