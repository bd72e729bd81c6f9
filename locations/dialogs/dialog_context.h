// What the location dialogs take from the main window: the one location list they read and
// change, the language and display options, the engine's settings for their previews of today's
// times, and the date panel they share with the main window.
#pragma once

#include <functional>
#include <string>

#include "engine/prayer_times.h"
#include "foundation/language.h"
#include "foundation/ui_services.h"
#include "locations/location_list.h"

namespace vek {

struct LocationDialogContext {
  TLocations* Locations = nullptr;  // the main window's list
  Language Lang = Language::English;
  bool ShowHint = true;
  bool IsRamadan = false;  // previews show Imsak too
  bool Is24H = false;
  EngineContext Engine;  // safety offsets, Hijri adjustment, beeps of the engine
  double Today = 0;      // today's date (days since 1899-12-30)
  UiServices* Ui = nullptr;
  // The date panel: the main window's date caption and current time, and its date button, which
  // switches the main window between Hijri and Gregorian dates (and saves that setting).
  std::function<std::string()> DateText;
  std::function<std::string()> TimeText;
  std::function<bool()> HijriMode;
  std::function<void()> ToggleDateMode;
};

}  // namespace vek
