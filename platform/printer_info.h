// The printers the system offers to the program. A page can always be written to a PDF file in
// place of a printer; printing and previewing need one or the other. The program asks the
// print system (CUPS); tests answer with a fake.
#pragma once

namespace vek {

class PrinterInfo {
 public:
  virtual ~PrinterInfo() = default;
  // The system lists at least one printer.
  virtual bool HasSystemPrinter() const = 0;
  // Pages can be written to a PDF file, which then stands in for the printer.
  virtual bool HasPdfWriter() const = 0;
  // Something to print on: a printer, or the PDF writer when there is none.
  bool PrinterPresent() const { return HasSystemPrinter() || HasPdfWriter(); }
};

}  // namespace vek
