// A printer list that says what the test wants: system printers or none, a PDF writer or none,
// and the print system's answers about a queue (before a job) and a job (after it).
#pragma once

#include <string>
#include <vector>

#include "platform/printer_info.h"

namespace vek::testing {

class FakePrinterInfo : public PrinterInfo {
 public:
  bool HasSystemPrinter() const override { return systemPrinter; }
  bool HasPdfWriter() const override { return pdfWriter; }
  QueueAnswer QueueState(const std::string& printer) const override {
    asked.push_back(printer);
    return queueAnswer;
  }
  QueueAnswer LastJobAnswer() const override { return jobAnswer; }

  bool systemPrinter = false;
  bool pdfWriter = true;
  QueueAnswer queueAnswer;
  QueueAnswer jobAnswer;
  mutable std::vector<std::string> asked;  // the printers whose queue was asked about
};

}  // namespace vek::testing
