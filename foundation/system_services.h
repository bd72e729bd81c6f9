// The services that the foundation's routines reach the outside world through: the user
// interface, the clock of their waits, the file system and the program starter. The program
// passes the real ones; tests pass fakes.
#pragma once

#include "foundation/ui_services.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/launcher.h"

namespace vek {

struct SystemServices {
  UiServices& ui;
  Clock& clock = SystemClock();
  FileSystem& fs = RealFileSystem();
  Launcher& launcher = SystemLauncher();
};

}  // namespace vek
