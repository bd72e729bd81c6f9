// The state of a run, in one object that the program session owns (program_session.h) and that
// windows read through it: the settings and their file, the location list, today's times and the
// high-latitude trackers, the clock tick and the countdown, and the start-up's flags. Fields keep
// the names of the program's data model.
#pragma once

#include <filesystem>
#include <string>

#include "engine/day_times.h"
#include "engine/trackers.h"
#include "foundation/ini_file.h"
#include "locations/location_list.h"
#include "program/clock_tick.h"
#include "program/countdown.h"
#include "program/settings.h"

namespace vek {

struct VekContext {
  std::filesystem::path ThisPath;  // the program folder
  IniFile SettingsFile;            // VEK.INI, open for the whole run
  VekSettings Settings;
  TLocations Locations;
  Trackers Track;                 // of the current location's year
  TDayTimesRec TodayTimes{};      // fractions of a day, slot order
  TDayTimesRec YesterdayTimes{};  // for an Isha of the evening before that falls past midnight
  bool IsRamadan = false;         // today's Hijri month is 9
  bool ArabicSupported = false;   // the system can show Arabic

  // The start-up's flags.
  bool FormCreated = false;           // settings are written only once the start-up has finished
  bool FirstRun = false;              // VEK.INI was missing at start
  bool RunInstaller = false;          // the user agreed to run the downloaded installer
  std::string FoundInstallerPath;     // the downloaded installer found in the program folder
  bool ClosingWithoutPrompt = false;  // the program closes without asking (restart, installer)

  // The links of the About box and the alert window: opened in this run (never stored).
  bool WebLinkVisited = false;     // the maker's web page
  bool UpdateLinkVisited = false;  // Live Update

  // The clock tick and the countdown.
  ClockTick Tick;
  StatusState Status;
  NextEvent Next;
};

}  // namespace vek
