// What the timetable window and the year graph take from the program: the current location and
// its list, the engine's settings, the language and date kind, VEK.INI's sections, the
// program's message form, and the run's printer with the dialogs of printing.
// MakeReportContext (session_report_context.h) fills it from the session.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "engine/prayer_times.h"
#include "locations/location_list.h"
#include "platform/file_system.h"
#include "platform/printer_info.h"
#include "program/settings_sections.h"
#include "report/page_layout.h"
#include "report/timetable.h"

class QDialog;
class QPrinter;

namespace vek {

// The dialogs that printing shows. Each one that is not set is Qt's own dialog; tests answer
// in their place.
struct ReportDialogs {
  // The print dialog over the printer for pages 1..pageCount; false when cancelled. The pages
  // the user chose are left on the printer (its print range and page ranges), as Qt's dialog
  // leaves them.
  std::function<bool(QPrinter& printer, int pageCount)> Print;
  // The printer set-up dialog (paper, orientation, margins); false when cancelled.
  std::function<bool(QPrinter& printer)> PageSetup;
  // The name of the PDF file to print into, suggested first; empty when cancelled.
  std::function<std::string(const std::string& suggested)> AskPdfFileName;
  // A font and its colour; nothing when cancelled.
  std::function<std::optional<FontSpec>(const FontSpec& font)> ChooseFont;
  // Shows a dialog of the report window modally and gives its result (QDialog::exec).
  std::function<int(QDialog& dialog)> RunModal;
};

struct ReportContext {
  TimetableSource Source;                 // location, trackers, names, language, date kind
  const TLocations* Locations = nullptr;  // the times come from its current location
  EngineContext Engine;
  double Today = 0;
  bool ShowHint = true;
  // VEK.INI's sections: the designs are read from them and written (and saved) at closing.
  SettingsSections* Sections = nullptr;
  FileSystem* Files = nullptr;  // the export's and the PDF's files; the real ones when null
  // The program's message form with OK.
  std::function<void(const std::string&)> ShowMessage;
  // Asks for the export's file name; empty when the user cancels. A save dialog when not set.
  std::function<std::string()> AskSaveFileName;
  // The run's printer, whose paper and orientation last while the program runs; the report
  // window makes one of its own when none is given.
  std::shared_ptr<QPrinter> Printer;
  const PrinterInfo* Printers = nullptr;  // the system's printers when null
  ReportDialogs Dialogs;
};

}  // namespace vek
