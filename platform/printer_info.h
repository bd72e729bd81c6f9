// The printers the system offers to the program. A page can always be written to a PDF file in
// place of a printer; printing and previewing need one or the other. The program asks the
// print system (CUPS): which printers there are, whether a printer's queue takes jobs, and how
// it answered the last job; tests answer with a fake.
#pragma once

#include <string>

namespace vek {

// What the print system says of a printer's queue or of a job sent to it.
struct QueueAnswer {
  enum class Verdict {
    Accepted,      // the queue takes jobs, or took the job (also when it holds it for later)
    Stopped,       // the queue takes jobs, but its printer is stopped: a job waits in the queue
    NotAccepting,  // the queue refuses jobs (rejecting)
    NotFound,      // the print system has no such printer
    Unreachable,   // the print system (its scheduler) is not running or cannot be reached
    Failed,        // the print system failed the request or the job otherwise
  };
  Verdict verdict = Verdict::Accepted;
  // The print system's own words: the queue's state message (the reason it was told to reject
  // jobs or was stopped) or its error text; may be empty.
  std::string message;
  bool Accepted() const { return verdict == Verdict::Accepted; }
  // A job sent now is taken into the queue (printed at once, or when the printer is started).
  bool TakesJobs() const { return verdict == Verdict::Accepted || verdict == Verdict::Stopped; }
};

class PrinterInfo {
 public:
  virtual ~PrinterInfo() = default;
  // The system lists at least one printer.
  virtual bool HasSystemPrinter() const = 0;
  // Pages can be written to a PDF file, which then stands in for the printer.
  virtual bool HasPdfWriter() const = 0;
  // Something to print on: a printer, or the PDF writer when there is none.
  bool PrinterPresent() const { return HasSystemPrinter() || HasPdfWriter(); }
  // Asked before a job: whether the queue of printer (a name as the print dialog gives it,
  // "queue" or "queue/instance") takes jobs now, and whether its printer is stopped.
  virtual QueueAnswer QueueState(const std::string& printer) const = 0;
  // Asked after a job was handed over on this thread: how the print system answered it.
  virtual QueueAnswer LastJobAnswer() const = 0;
};

}  // namespace vek
