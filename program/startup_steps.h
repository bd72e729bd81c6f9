// What the window does at the points of the program's start-up. ProgramSession::Start runs the
// start-up in its one order and calls these where the window has its part; a step that is not
// set does nothing, so that a test or a tool starts a session in the same order without a window.
#pragma once

#include <functional>

namespace vek {

struct StartupSteps {
  // The start language is read, the settings are not: the downloaded installer, the debug log.
  std::function<void()> BeforeSettings;
  // Whether the platform can show Arabic; Arabic is taken as shown when not set.
  std::function<bool()> CanShowArabic;
  // The settings are read: the splash screen.
  std::function<void()> AfterSettings;
  // The sound files are put in place and scanned, the clock's face loaded.
  std::function<void()> LoadSoundsAndClock;
  // The location file cannot be used: the program closes, and the start-up stops here.
  std::function<void()> LocationsUnusable;
  // Whether the system has a tray; without one the window only minimises to the task bar, and
  // the settings say so. A tray is taken as there when not set.
  std::function<bool()> TrayUsable;
  // The saved location is selected: the window takes the language's layout and its clock runs.
  std::function<void()> LocationSelected;
  // The first-run wizard is asked for by the command line ("INSTALL"); a first run opens it
  // anyway. RunWizard runs it, before any day is computed.
  bool WizardAsked = false;
  std::function<void()> RunWizard;
  // Today's times are about to be computed: the opening Basmalah is queued.
  std::function<void()> BeforeDay;
  // Today's times and the next event are computed: the window shows the day.
  std::function<void()> ShowDay;
  // The start-up has finished and the settings are written: the window goes to the tray.
  std::function<void()> Finished;
};

}  // namespace vek
