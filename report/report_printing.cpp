#include "report/report_printing.h"

#include <QFile>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <fcntl.h>
#include <unistd.h>

#include <system_error>

#include "foundation/file_io.h"
#include "foundation/qt/qt_strings.h"
#include "report/page_painter.h"
#include "report/timetable_export.h"

namespace vek {

namespace {

std::filesystem::path PathOf(const QString& name) {
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

QString NameOf(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::string JobRefused(Language lang) {
  return ByLanguage(lang, "The printer did not accept the job.", "لم تقبل الطابعة مهمة الطباعة.");
}

std::string JobFailed(Language lang) {
  return ByLanguage(lang, "The printer reported an error while printing.",
                    "أبلغت الطابعة عن خطأ أثناء الطباعة.");
}

// Paints the pages on the printer as one document; empty or what went wrong.
std::string PaintPages(const Timetable& report, QPrinter& printer, PageRange pages,
                       double screenPpi, Language lang) {
  QPainter painter;
  if (!painter.begin(&printer))
    return JobRefused(lang);
  bool ok = true;
  for (int page = pages.From; page <= pages.To && ok; ++page) {
    if (page > pages.From)
      ok = printer.newPage();
    if (ok)
      PaintPrinterPage(report, painter, printer, page, screenPpi);
  }
  if (!painter.end())
    ok = false;
  return ok ? std::string() : JobFailed(lang);
}

// Flushes a finished file to the disk; 0 or the errno.
int SyncFile(const std::filesystem::path& file) {
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0)
    return errno;
  if (::fsync(fd.get()) != 0)
    return errno;
  return fd.Close();
}

}  // namespace

std::shared_ptr<QPrinter> MakeRunPrinter(const PrinterInfo& printers) {
  auto printer = std::make_shared<QPrinter>(QPrinter::HighResolution);
  if (!printers.HasSystemPrinter())
    printer->setOutputFormat(QPrinter::PdfFormat);
  return printer;
}

bool PrintsToPdf(const QPrinter& printer) {
  return printer.outputFormat() == QPrinter::PdfFormat;
}

std::string PrintTimetable(const Timetable& report, QPrinter& printer, PageRange pages,
                           double screenPpi, FileSystem& fs, Language lang) {
  pages = PagesToPrint(report.PageCount(), true, pages.From, pages.To);
  if (!PrintsToPdf(printer))
    return PaintPages(report, printer, pages, screenPpi, lang);

  // Qt's PDF writer starts no job without a file name.
  const QString name = printer.outputFileName();
  if (name.isEmpty())
    return NoPdfFileNameText(lang);
  const std::filesystem::path target = PathOf(name);
  UniqueFile temp = CreateTemporaryBeside(target);
  if (temp.error != 0)
    return FileFailureReason(target, temp.error, lang);
  temp.fd.Close();
  printer.setOutputFileName(NameOf(temp.path));
  std::string failure = PaintPages(report, printer, pages, screenPpi, lang);
  printer.setOutputFileName(name);
  int error = 0;
  if (failure.empty()) {
    std::error_code size;
    if (std::filesystem::file_size(temp.path, size) == 0 || size)
      failure = JobFailed(lang);
    else if ((error = SyncFile(temp.path)) != 0 || (error = fs.Rename(temp.path, target)) != 0)
      failure = FileFailureReason(target, error, lang);
  }
  if (!failure.empty()) {
    std::error_code ignored;
    std::filesystem::remove(temp.path, ignored);
    return failure;
  }
  SyncFolderOf(target);
  return {};
}

std::string PrintFailureText(const std::string& reason, Language lang) {
  std::string text =
      ByLanguage(lang, "The timetable could not be printed.\r\n", "تعذرت طباعة جدول الأوقات.\r\n");
  return text.append(reason);
}

std::string NoPdfFileNameText(Language lang) {
  return ByLanguage(lang, "No name was given for the PDF file.", "لم يحدد اسم لملف PDF.");
}

std::string NoPrinterText(Language lang) {
  return ByLanguage(lang,
                    "You can't print now, because there is no selected printer in the system, "
                    "select one please then try again.",
                    "لا يمكنك الطباعة الآن لعدم وجود طابعة محددة في النظام، يرجى تحديد طابعة ثم "
                    "المحاولة مرة أخرى.");
}

bool RunPrintDialog(QPrinter& printer, int pageCount, std::optional<PageRange>& range,
                    Language lang, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QByLanguage(lang, "Print", "طباعة"));
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setMinMax(1, std::max(1, pageCount));
  dialog.setFromTo(1, 1);
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  if (dialog.exec() != QDialog::Accepted)
    return false;
  range.reset();
  if (dialog.printRange() == QAbstractPrintDialog::PageRange)
    range = PageRange{dialog.fromPage(), dialog.toPage()};
  return true;
}

bool RunPageSetupDialog(QPrinter& printer, QWidget* parent) {
  QPageSetupDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

std::string AskPdfFileNameDialog(const std::string& suggested, Language lang, QWidget* parent) {
  QFileDialog dialog(parent, QByLanguage(lang, "Print to a PDF file", "الطباعة إلى ملف PDF"),
                     ToQString(suggested), QStringLiteral("PDF (*.pdf)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return ToUtf8(dialog.selectedFiles().constFirst());
}

}  // namespace vek
