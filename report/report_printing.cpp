#include "report/report_printing.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

#include <string_view>

#include "foundation/file_io.h"
#include "foundation/qt/qt_strings.h"
#include "report/page_painter.h"
#include "report/timetable_export.h"

namespace vek {

namespace {

std::filesystem::path PathOf(const QString& name) {
  return std::filesystem::path(QFile::encodeName(name).toStdString());
}

std::string JobRefused(Language lang) {
  return ByLanguage(lang, "The printer did not accept the job.", "لم تقبل الطابعة مهمة الطباعة.");
}

std::string JobFailed(Language lang) {
  return ByLanguage(lang, "The printer reported an error while printing.",
                    "أبلغت الطابعة عن خطأ أثناء الطباعة.");
}

// Paints the pages on the device (the printer, or the PDF writer) as one document, the colours
// as greys when grey is set; empty or what went wrong.
std::string PaintPages(const Timetable& report, QPagedPaintDevice& device, PageRange pages,
                       double screenPpi, bool grey, Language lang) {
  QPainter painter;
  if (!painter.begin(&device))
    return JobRefused(lang);
  bool ok = true;
  for (int page = pages.From; page <= pages.To && ok; ++page) {
    if (page > pages.From)
      ok = device.newPage();
    if (ok)
      PaintPrinterPage(report, painter, device, page, screenPpi, grey);
  }
  if (!painter.end())
    ok = false;
  return ok ? std::string() : JobFailed(lang);
}

// A whole PDF document ends with its trailer (and an end of line).
bool EndsWithTrailer(const QByteArray& pdf) {
  return pdf.trimmed().endsWith("%%EOF");
}

// The pages as the PDF file the printer names: made in memory with the printer's paper,
// margins, resolution, document name and colour mode, then written beside the file and renamed
// over it.
std::string PrintPdf(const Timetable& report, const QPrinter& printer, PageRange pages,
                     double screenPpi, FileSystem& fs, Language lang) {
  // Qt's PDF writer starts no job without a file name.
  const QString name = printer.outputFileName();
  if (name.isEmpty())
    return NoPdfFileNameText(lang);
  const std::filesystem::path target = PathOf(name);
  QByteArray pdf;
  std::string failure;
  {
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPdfVersion(printer.pdfVersion());
    writer.setResolution(printer.resolution());
    writer.setPageLayout(printer.pageLayout());
    writer.setTitle(printer.docName());
    writer.setCreator(printer.creator());
    // The PDF writer has no grey-scale mode of its own: the pages are painted in greys.
    failure = PaintPages(report, writer, pages, screenPpi,
                         printer.colorMode() == QPrinter::GrayScale, lang);
  }
  if (!failure.empty())
    return failure;
  if (!EndsWithTrailer(pdf))
    return JobFailed(lang);
  // Every byte written, flushed to the disk and closed without an error before the rename; an
  // old file keeps its permissions, and a symbolic link the file it names.
  if (const int e = WriteUserFileReplacing(
          target, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size())), fs);
      e != 0)
    return FileFailureReason(target, e, lang);
  return {};
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
                           double screenPpi, FileSystem& fs, const PrinterInfo& printers,
                           Language lang) {
  pages = PagesToPrint(report.PageCount(), true, pages.From, pages.To);
  if (PrintsToPdf(printer))
    return PrintPdf(report, printer, pages, screenPpi, fs, lang);
  return RunQueueJob(
      printers, ToUtf8(printer.printerName()),
      [&] { return PaintPages(report, printer, pages, screenPpi, false, lang); }, lang);
}

std::string RunQueueJob(const PrinterInfo& printers, const std::string& printer,
                        const std::function<std::string()>& job, Language lang) {
  if (const QueueAnswer before = printers.QueueState(printer); !before.Accepted())
    return QueueRefusalText(printer, before, lang);
  if (std::string failure = job(); !failure.empty())
    return failure;
  if (const QueueAnswer after = printers.LastJobAnswer(); !after.Accepted())
    return QueueRefusalText(printer, after, lang);
  return {};
}

std::string QueueRefusalText(const std::string& printer, const QueueAnswer& answer, Language lang) {
  const std::string quoted = "\"" + printer + "\"";
  std::string text;
  switch (answer.verdict) {
    case QueueAnswer::Verdict::Accepted:
      return {};
    case QueueAnswer::Verdict::NotAccepting:
      text = ByLanguage(lang, "The printer " + quoted + " refused the job: it accepts no jobs now.",
                        "رفضت الطابعة " + quoted + " مهمة الطباعة: إنها لا تقبل أي مهمة الآن.");
      break;
    case QueueAnswer::Verdict::NotFound:
      text = ByLanguage(
          lang, "The printer " + quoted + " refused the job: the print system has no such printer.",
          "رفضت الطابعة " + quoted + " مهمة الطباعة: لا توجد طابعة بهذا الاسم في نظام الطباعة.");
      break;
    case QueueAnswer::Verdict::Failed:
      text = ByLanguage(lang,
                        "The print system could not take the job for the printer " + quoted + ".",
                        "تعذر على نظام الطباعة قبول المهمة للطابعة " + quoted + ".");
      break;
  }
  if (!answer.message.empty()) {
    text.append(ByLanguage(lang, " The print system says: ", " يقول نظام الطباعة: "))
        .append(answer.message);
    if (const char last = answer.message.back(); last != '.' && last != '!' && last != '?')
      text.append(".");
  }
  return text;
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
