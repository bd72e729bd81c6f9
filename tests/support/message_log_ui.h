// A UiServices that shows nothing, answers every question No and keeps the messages as one
// text, a line each, for a benchmark to report when a run went wrong.
#pragma once

#include <string>

#include "foundation/ui_services.h"

namespace vek::testing {

class MessageLogUi : public UiServices {
 public:
  void ShowMessage(const std::string& text) override { messages += text + "\n"; }
  void ShowBox(const std::string& text, int) override { ShowMessage(text); }
  void ShowPrompt(const std::string& text, int) override { ShowMessage(text); }
  int AskNoYes(const std::string&, int) override { return 0; }
  void Beep() override {}

  std::string messages;
};

}  // namespace vek::testing
