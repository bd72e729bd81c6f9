// What the timetable window and the year graph take from the program: the current location and
// its list, the engine's settings, the language and date kind, VEK.INI with its save, and the
// program's message form. MakeReportContext (session_report_context.h) fills it from the session.
#pragma once

#include <functional>
#include <string>

#include "engine/prayer_times.h"
#include "foundation/ini_file.h"
#include "locations/location_list.h"
#include "platform/file_system.h"
#include "report/timetable.h"

namespace vek {

struct ReportContext {
  TimetableSource Source;                 // location, trackers, names, language, date kind
  const TLocations* Locations = nullptr;  // the times come from its current location
  EngineContext Engine;
  double Today = 0;
  bool ShowHint = true;
  IniFile* Settings = nullptr;         // VEK.INI: the designs are read from and written to it
  std::function<void()> SaveSettings;  // writes VEK.INI (reporting its own failure)
  FileSystem* Files = nullptr;         // the export's writes; the real file system when null
  // The program's message form with OK.
  std::function<void(const std::string&)> ShowMessage;
  // Asks for the export's file name; empty when the user cancels. A save dialog when not set.
  std::function<std::string()> AskSaveFileName;
};

}  // namespace vek
