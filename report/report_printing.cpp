#include "report/report_printing.h"

#include <QBuffer>
#include <QFile>
#include <QFileDialog>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintEngine>
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

// Qt's CUPS print engine keeps the job options it hands to CUPS under this key, as pairs of a
// name and a value; the print dialog puts the page ranges typed as "Pages" there.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);
constexpr auto kCupsPageRanges = "page-ranges";

// Paints the pages on the device (the printer, or the PDF writer) as one document, the colours
// as greys when grey is set; empty or what went wrong.
std::string PaintPages(const Timetable& report, QPagedPaintDevice& device,
                       const std::vector<int>& pages, double screenPpi, bool grey, Language lang) {
  QPainter painter;
  if (!painter.begin(&device))
    return JobRefused(lang);
  bool ok = true;
  for (std::size_t i = 0; i < pages.size() && ok; ++i) {
    if (i > 0)
      ok = device.newPage();
    if (ok)
      PaintPrinterPage(report, painter, device, pages[i], screenPpi, grey);
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
std::string PrintPdf(const Timetable& report, const QPrinter& printer,
                     const std::vector<int>& pages, double screenPpi, FileSystem& fs,
                     Language lang) {
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

std::vector<PageRange> ChosenPageRanges(const QPrinter& printer) {
  std::vector<PageRange> ranges;
  if (printer.printRange() != QPrinter::PageRange)
    return ranges;
  for (const QPageRanges::Range& range : printer.pageRanges().toRangeList())
    ranges.push_back({range.from, range.to});
  return ranges;
}

void ClearPageSelection(QPrinter& printer) {
  printer.setPrintRange(QPrinter::AllPages);
  printer.setPageRanges(QPageRanges());
  QPrintEngine* engine = printer.printEngine();
  if (engine == nullptr)
    return;
  const QStringList options = engine->property(kCupsOptions).toStringList();
  QStringList kept;
  for (qsizetype i = 0; i + 1 < options.size(); i += 2)
    if (options[i] != QLatin1String(kCupsPageRanges))
      kept << options[i] << options[i + 1];
  if (kept.size() != options.size())
    engine->setProperty(kCupsOptions, kept);
}

PrintOutcome PrintTimetable(const Timetable& report, QPrinter& printer,
                            const std::vector<int>& pages, double screenPpi, FileSystem& fs,
                            const PrinterInfo& printers, Language lang) {
  ClearPageSelection(printer);
  printer.setDocName(ToQString(PrintJobTitle(report)));
  if (PrintsToPdf(printer)) {
    std::string failure = PrintPdf(report, printer, pages, screenPpi, fs, lang);
    return {failure.empty(), std::move(failure)};
  }
  return RunQueueJob(
      printers, ToUtf8(printer.printerName()),
      [&] { return PaintPages(report, printer, pages, screenPpi, false, lang); }, lang);
}

PrintOutcome RunQueueJob(const PrinterInfo& printers, const std::string& printer,
                         const std::function<std::string()>& job, Language lang) {
  const QueueAnswer before = printers.QueueState(printer);
  if (!before.TakesJobs())
    return {false, QueueRefusalText(printer, before, lang)};
  if (std::string failure = job(); !failure.empty())
    return {false, std::move(failure)};
  if (const QueueAnswer after = printers.LastJobAnswer(); !after.Accepted())
    return {false, QueueRefusalText(printer, after, lang)};
  // The job waits in the queue of a stopped printer.
  return {true, QueueRefusalText(printer, before, lang)};
}

std::string QueueRefusalText(const std::string& printer, const QueueAnswer& answer, Language lang) {
  const std::string quoted = "\"" + printer + "\"";
  std::string text;
  switch (answer.verdict) {
    case QueueAnswer::Verdict::Accepted:
      return {};
    case QueueAnswer::Verdict::Stopped:
      text = ByLanguage(lang,
                        "The printer " + quoted +
                            " is stopped: the job waits in its queue until the printer is "
                            "started again.",
                        "الطابعة " + quoted +
                            " متوقفة: تنتظر المهمة في قائمة انتظارها حتى تعاد الطابعة إلى العمل.");
      break;
    case QueueAnswer::Verdict::Unreachable:
      // libcups's text of a missing scheduler is the system's error of a socket.
      return ByLanguage(lang, "The print system (CUPS) is not running or cannot be reached.",
                        "نظام الطباعة (CUPS) لا يعمل أو لا يمكن الوصول إليه.");
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

std::string NoChosenPageText(int pageCount, Language lang) {
  const std::string last = std::to_string(std::max(1, pageCount));
  return ByLanguage(
      lang, "None of the chosen pages is in the timetable, whose pages are 1 to " + last + ".",
      "لا تقع أي من الصفحات المختارة في جدول الأوقات، وصفحاته من 1 إلى " + last + ".");
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

bool RunPrintDialog(QPrinter& printer, int pageCount, Language lang, QWidget* parent,
                    const ModalRunner& runModal) {
  QPrintDialog dialog(&printer, parent);
  dialog.setWindowTitle(QByLanguage(lang, "Print", "طباعة"));
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
  dialog.setMinMax(1, std::max(1, pageCount));
  dialog.setFromTo(1, 1);
  dialog.setPrintRange(QAbstractPrintDialog::AllPages);
  return RunModal(runModal, dialog) == QDialog::Accepted;
}

bool RunPageSetupDialog(QPrinter& printer, QWidget* parent, const ModalRunner& runModal) {
  QPageSetupDialog dialog(&printer, parent);
  return RunModal(runModal, dialog) == QDialog::Accepted;
}

std::string AskPdfFileNameDialog(const std::string& suggested, Language lang, QWidget* parent,
                                 const ModalRunner& runModal) {
  QFileDialog dialog(parent, QByLanguage(lang, "Print to a PDF file", "الطباعة إلى ملف PDF"),
                     ToQString(suggested), QStringLiteral("PDF (*.pdf)"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QStringLiteral("pdf"));
  if (RunModal(runModal, dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return {};
  return ToUtf8(dialog.selectedFiles().constFirst());
}

}  // namespace vek
