#include "foundation/qt/qt_printer_info.h"

#include <QPrinterInfo>

namespace vek {

bool QtPrinterInfo::HasSystemPrinter() const {
  return !QPrinterInfo::availablePrinterNames().isEmpty();
}

const PrinterInfo& SystemPrinters() {
  static const QtPrinterInfo printers;
  return printers;
}

}  // namespace vek
