// The print job of a timetable: its pages on the run's printer, one document with a page break
// between pages. A PDF document is made in memory, written to a new file beside its name,
// flushed to the disk and renamed into place only when all of it was written, so that a failed
// job (a full disk) leaves no half-written file and an old file of that name stays as it was; a
// replaced file keeps its permissions, and a symbolic link is followed to the file it names. A
// printer's queue is asked before the job whether it takes jobs and whether its printer is
// stopped, and after it how it answered, since Qt's print engine reports no job the queue
// refused. The program lays out exactly the pages the user chose and clears the printer's own
// page selection, so that the print system prints every page of the job as it is. Also the run's
// printer and Qt's own dialogs of printing.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundation/qt/modal_runner.h"
#include "platform/file_system.h"
#include "platform/printer_info.h"
#include "report/page_layout.h"
#include "report/timetable.h"

class QPrinter;
class QWidget;

namespace vek {

// The run's printer, at high resolution: the system's default printer, or, with none, the PDF
// writer.
std::shared_ptr<QPrinter> MakeRunPrinter(const PrinterInfo& printers);

// The printer writes a PDF file rather than sending the pages to a printer.
bool PrintsToPdf(const QPrinter& printer);

// How a print job ended: handed over (a PDF file written, or a job taken into its queue), or not;
// and what the user is to be told, in the language: why it was not printed, or that a job
// waits in the queue of a stopped printer. Message is empty when there is nothing to tell.
struct PrintOutcome {
  bool Printed = true;
  std::string Message;
};

// The page ranges the user chose in the print dialog (a range, a list, single pages); none when
// every page is to be printed.
std::vector<PageRange> ChosenPageRanges(const QPrinter& printer);

// Clears the printer's own choice of pages: its page ranges, and the page ranges it would have
// the print system pick out of a job.
void ClearPageSelection(QPrinter& printer);

// Prints the pages (numbers of the whole report, in order) on printer, one document named by
// the report's title: into its PDF file through fs, or as a job on its queue that printers is
// asked about. The printer's own choice of pages is cleared first. When not printed, nothing
// was (no PDF file is left behind).
PrintOutcome PrintTimetable(const Timetable& report, QPrinter& printer,
                            const std::vector<int>& pages, double screenPpi, FileSystem& fs,
                            const PrinterInfo& printers, Language lang);

// A job on the queue of printer: the queue is asked whether it takes jobs, job runs (it gives
// what went wrong, or empty), and the print system is asked how it answered the job. job does
// not run when the queue refuses jobs or the print system cannot be reached; a job for a
// stopped printer runs, and the user is told that it waits.
PrintOutcome RunQueueJob(const PrinterInfo& printers, const std::string& printer,
                         const std::function<std::string()>& job, Language lang);

// What the user is told of the print system's answer about a job for printer: why it was not
// printed, or that it waits for a stopped printer; empty for a job it took.
std::string QueueRefusalText(const std::string& printer, const QueueAnswer& answer, Language lang);

// The message of a print job that could not start or failed, with its reason.
std::string PrintFailureText(const std::string& reason, Language lang);
// The reason when the PDF writer has no file name.
std::string NoPdfFileNameText(Language lang);
// The message when there is nothing to print on.
std::string NoPrinterText(Language lang);
// The reason when the pages chosen hold no page of a report of pageCount pages.
std::string NoChosenPageText(int pageCount, Language lang);

// Qt's dialogs, each opened through runModal: the print dialog over the pages 1..pageCount (from
// 1 to 1 preset), which leaves the user's choice of pages on the printer; the page set-up
// dialog; the save dialog of a PDF file.
bool RunPrintDialog(QPrinter& printer, int pageCount, Language lang, QWidget* parent,
                    const ModalRunner& runModal);
bool RunPageSetupDialog(QPrinter& printer, QWidget* parent, const ModalRunner& runModal);
std::string AskPdfFileNameDialog(const std::string& suggested, Language lang, QWidget* parent,
                                 const ModalRunner& runModal);

}  // namespace vek
