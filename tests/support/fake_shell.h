// A Shell that records the links it was given and answers with a chosen shell code.
#pragma once

#include <string>
#include <vector>

#include "platform/shell.h"

namespace vek::testing {

class FakeShell : public Shell {
 public:
  int Open(const std::string& url) override {
    opened.push_back(url);
    return answer;
  }

  std::vector<std::string> opened;
  int answer = kShellAccepted;
};

}  // namespace vek::testing
