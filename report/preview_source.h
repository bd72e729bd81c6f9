// What the print preview shows and does, as the timetable window provides it: the report's pages
// as the printer will print them, the language and whether hints show, the printer with its
// set-up dialog, and the print job. The preview knows only this, never the window.
#pragma once

#include <QImage>

#include "foundation/language.h"

class QPrinter;

namespace vek {

class PreviewSource {
 public:
  virtual ~PreviewSource() = default;

  virtual Language Lang() const = 0;
  virtual bool ShowHint() const = 0;
  // The pages of the report (at least one when there is anything to print).
  virtual int PageCount() const = 0;
  // Page 1..PageCount as the preview shows it.
  virtual QImage PreviewPage(int page) = 0;
  // The run's printer.
  virtual QPrinter& Printer() = 0;
  // The printer set-up dialog; true when confirmed.
  virtual bool RunPageSetup() = 0;
  // The print job: with askForPages the user chooses the pages, else every page is printed; a
  // failure is reported to the user. True when it printed.
  virtual bool PrintReport(bool askForPages) = 0;
};

}  // namespace vek
