// The print job of a timetable: its pages on the run's printer, one document with a page break
// between pages. A PDF document is made in memory, written to a new file beside its name,
// flushed to the disk and renamed into place only when all of it was written, so that a failed
// job (a full disk) leaves no half-written file and an old file of that name stays as it was; a
// replaced file keeps its permissions, and a symbolic link is followed to the file it names. A
// printer's queue is asked before the job whether it takes jobs, and after it how it answered,
// since Qt's print engine reports no job the queue refused. Also the run's printer and Qt's
// own dialogs of printing.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <optional>
#include <string>

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

// Prints pages of the report on printer: into its PDF file through fs, or as a job on its queue
// that printers is asked about. Empty on success; else what went wrong, in the language, and
// nothing was printed (no PDF file is left behind).
std::string PrintTimetable(const Timetable& report, QPrinter& printer, PageRange pages,
                           double screenPpi, FileSystem& fs, const PrinterInfo& printers,
                           Language lang);

// A job on the queue of printer: the queue is asked whether it takes jobs, job runs (it gives
// what went wrong, or empty), and the print system is asked how it answered the job. Empty on
// success, else why the job was not printed; job does not run when the queue refuses jobs.
std::string RunQueueJob(const PrinterInfo& printers, const std::string& printer,
                        const std::function<std::string()>& job, Language lang);

// Why the print system did not print a job for printer, from its answer.
std::string QueueRefusalText(const std::string& printer, const QueueAnswer& answer, Language lang);

// The message of a print job that could not start or failed, with its reason.
std::string PrintFailureText(const std::string& reason, Language lang);
// The reason when the PDF writer has no file name.
std::string NoPdfFileNameText(Language lang);
// The message when there is nothing to print on.
std::string NoPrinterText(Language lang);

// Qt's dialogs: the print dialog over the pages 1..pageCount (from 1 to 1 preset), the page
// set-up dialog, the save dialog of a PDF file.
bool RunPrintDialog(QPrinter& printer, int pageCount, std::optional<PageRange>& range,
                    Language lang, QWidget* parent);
bool RunPageSetupDialog(QPrinter& printer, QWidget* parent);
std::string AskPdfFileNameDialog(const std::string& suggested, Language lang, QWidget* parent);

}  // namespace vek
