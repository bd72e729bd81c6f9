// The printers of the system as Qt's print support lists them (CUPS queues), and Qt's PDF
// writer, which is always there.
#pragma once

#include "platform/printer_info.h"

namespace vek {

class QtPrinterInfo : public PrinterInfo {
 public:
  bool HasSystemPrinter() const override;
  bool HasPdfWriter() const override { return true; }
};

// The program's printer list.
const PrinterInfo& SystemPrinters();

}  // namespace vek
