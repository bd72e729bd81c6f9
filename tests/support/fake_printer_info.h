// A printer list that says what the test wants: system printers or none, a PDF writer or none.
#pragma once

#include "platform/printer_info.h"

namespace vek::testing {

class FakePrinterInfo : public PrinterInfo {
 public:
  bool HasSystemPrinter() const override { return systemPrinter; }
  bool HasPdfWriter() const override { return pdfWriter; }

  bool systemPrinter = false;
  bool pdfWriter = true;
};

}  // namespace vek::testing
