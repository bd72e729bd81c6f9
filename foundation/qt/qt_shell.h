// The Shell over the desktop's URL handlers (QDesktopServices).
#pragma once

#include "platform/shell.h"

namespace vek {

class QtShell : public Shell {
 public:
  // kShellAccepted when the desktop took the link, else kShellNoAssociation: Qt tells only
  // whether some handler accepted it.
  int Open(const std::string& url) override;
};

// The program's shell.
Shell& DesktopShell();

}  // namespace vek
