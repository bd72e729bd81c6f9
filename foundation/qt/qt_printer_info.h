// The printers of the system as Qt's print support lists them (CUPS queues), and Qt's PDF
// writer, which is always there. The state of a queue and the answer to a job come from CUPS
// itself (platform/cups_queue.h), since Qt's print engine does not report a job the queue
// refused.
#pragma once

#include "platform/printer_info.h"

namespace vek {

class QtPrinterInfo : public PrinterInfo {
 public:
  bool HasSystemPrinter() const override;
  bool HasPdfWriter() const override { return true; }
  QueueAnswer QueueState(const std::string& printer) const override;
  QueueAnswer LastJobAnswer() const override;
};

// The program's printer list.
const PrinterInfo& SystemPrinters();

}  // namespace vek
