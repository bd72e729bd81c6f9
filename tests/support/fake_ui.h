// A UiServices that records what core code asked of the user interface.
#pragma once

#include <string>
#include <vector>

#include "foundation/ui_services.h"

namespace vek::testing {

class FakeUi : public UiServices {
 public:
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void Beep() override { ++beeps; }
  void CloseSplash() override { ++splashCloses; }

  std::vector<std::string> messages;
  int beeps = 0;
  int splashCloses = 0;
};

}  // namespace vek::testing
