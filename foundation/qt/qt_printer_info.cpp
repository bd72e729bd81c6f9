#include "foundation/qt/qt_printer_info.h"

#include <QPrinterInfo>

#include "platform/cups_queue.h"

namespace vek {

bool QtPrinterInfo::HasSystemPrinter() const {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

QueueAnswer QtPrinterInfo::QueueState(const std::string& printer) const {
  return CupsQueueState(printer);
}

QueueAnswer QtPrinterInfo::LastJobAnswer() const {
  // Qt's print engine hands the finished job to CUPS through libcups on this thread, and
  // leaves CUPS's answer where cupsLastError finds it.
  return CupsLastAnswer();
}

const PrinterInfo& SystemPrinters() {
  static const QtPrinterInfo printers;
  return printers;
}

}  // namespace vek
