// What the location dialogs take from the program: the one location list they read and change,
// the language and display options, the user's month names, the engine's settings for their
// previews of today's times, the date panel they share with the main window, the program's
// message forms and its modal runner. MakeLocationDialogContext (session_dialog_context.h) fills it
// from the session.
#pragma once

#include <functional>
#include <string>

#include "engine/prayer_times.h"
#include "foundation/language.h"
#include "foundation/ui_services.h"
#include "locations/location_list.h"
#include "program/settings.h"

class QDialog;

namespace vek {

struct LocationDialogContext {
  TLocations* Locations = nullptr;  // the list the dialog edits
  Language Lang = Language::English;
  bool ShowHint = true;
  bool IsRamadan = false;  // previews show Imsak too
  bool Is24H = false;
  NameLists Names = DefaultNameLists();  // the month names of the high-latitude explanations
  EngineContext Engine;                  // safety offsets, Hijri adjustment, beeps of the engine
  double Today = 0;                      // today's date (days since 1899-12-30)
  UiServices* Ui = nullptr;
  // The date panel: the main window's date caption and current time, and its date button, which
  // switches the main window between Hijri and Gregorian dates (and saves that setting).
  std::function<std::string()> DateText;
  std::function<std::string()> TimeText;
  std::function<bool()> HijriMode;
  std::function<void()> ToggleDateMode;
  // The program's message forms: a message with OK, and a question with Yes, No and Cancel
  // answering 6, 7 or 2 (Escape and the title bar answer Cancel).
  std::function<void(const std::string&)> ShowKQMessage;
  std::function<int(const std::string&)> AskYesNoMessage;
  // Shows the dialogs that a dialog opens in turn (the change dialog of Edit) and gives their
  // result; each runs its own exec() when unset (see foundation/qt/modal_runner.h).
  std::function<int(QDialog&)> RunModal;
};

}  // namespace vek
