// Printed timetables: real PDF files read back with poppler's pdfinfo, pdftotext and pdffonts;
// the preview against the printer on recording paint devices; the print job's failures through
// a fake printer list and a failing file system; the preview and the page design dialog
// driven offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintEngine>
#include <QPrinter>
#include <QPushButton>
#include <QRawFont>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QToolButton>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/calendar.h"
#include "foundation/qt/font_substitutes.h"
#include "program/current_location.h"
#include "report/font_color_dialog.h"
#include "report/page_painter.h"
#include "report/print_options_dialog.h"
#include "report/print_preview.h"
#include "report/report_printing.h"
#include "report/timetable_export.h"
#include "report/timetable_view.h"
#include "support/fake_file_system.h"
#include "support/fake_printer_info.h"
#include "support/file_bytes.h"
#include "support/ini_sections.h"
#include "support/locations_fixture.h"
#include "support/pdf_reading.h"
#include "support/recording_paint_device.h"
#include "support/report_fixture.h"
#include "support/shell_quoted.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

using testing::FooterNumbers;
using testing::NamesIn;
using testing::Output;
using testing::PdfPages;
using testing::PdfText;
using testing::ReadBytes;
using testing::ShellQuoted;

class ReportPrintingTest : public testing::ReportFixture {
 protected:
  ReportContext Context(const char* city, const char* country, Language lang = Language::English) {
    ReportContext c = CityContext(city, country, lang);
    c.Printer = printer;
    c.Printers = &printers;
    c.Files = &files;
    c.Dialogs.AskPdfFileName = [this](const std::string& suggested) {
      asked.push_back(suggested);
      return pdfName;
    };
    // As Qt's dialog does: "Pages" typed as a list, or every page.
    c.Dialogs.Print = [this](QPrinter& p, int pageCount) {
      dialogPages = pageCount;
      p.setPrintRange(chosenPages.isEmpty() ? QPrinter::AllPages : QPrinter::PageRange);
      p.setPageRanges(QPageRanges::fromString(chosenPages));
      return printDialogAnswer;
    };
    c.Dialogs.PageSetup = [this](QPrinter& p) {
      ++setups;
      if (pageSetup)
        pageSetup(p);
      return true;
    };
    c.Dialogs.ChooseFont = [this](const FontSpec&) { return chosenFont; };
    c.Dialogs.RunModal = [this](QDialog& dialog) { return modal ? modal(dialog) : 0; };
    return c;
  }

  // A year 2026 (or January 2026) report of Damascus in design index, printed to a PDF.
  std::filesystem::path PrintDesign(int index) {
    const bool arabic = index >= 4;
    const bool year = index % 4 != 3;
    auto form = Open(Context("DAMASCUS", "SYRIA", arabic ? Language::Arabic : Language::English),
                     year ? ReportKind::Year : ReportKind::Month, EncodeDate(2026, 1, 1));
    EXPECT_TRUE(form->Report().SelectDesign(index));
    form->ApplyDesignToControls();
    const std::filesystem::path file = dir.path() / ("design-" + std::to_string(index) + ".pdf");
    pdfName = file.string();
    EXPECT_TRUE(form->PrintReport(false));
    return file;
  }

  testing::TempDir dir;
  testing::FakePrinterInfo printers;
  testing::FakeFileSystem files;
  std::shared_ptr<QPrinter> printer = MakeRunPrinter(printers);
  std::vector<std::string> asked;
  std::string pdfName;
  bool printDialogAnswer = true;
  int dialogPages = 0;
  QString chosenPages;  // as typed in the dialog's "Pages"; empty: every page
  int setups = 0;
  std::function<void(QPrinter&)> pageSetup;
  std::optional<FontSpec> chosenFont;
  std::function<int(QDialog&)> modal;
};

TEST_F(ReportPrintingTest, EveryDesignOfDamascusPrintsItsPagesWithItsTexts) {
  const int pages[] = {2, 12, 1, 1, 2, 4, 1, 1};
  for (int index = 0; index < kDesignCount; ++index) {
    const std::filesystem::path file = PrintDesign(index);
    EXPECT_EQ(pages[index], PdfPages(file)) << index;
  }
  EXPECT_TRUE(messages.empty());

  // The engine's Fajr of 1 January as the cells write it, the page number and the header.
  const TDayTimesRec first = ComputeDayTimesForCurrent(list, EncodeDate(2026, 1, 1), {});
  const std::string fajr = FormatCellTime(DefaultDesigns()[0], first[Fajr]);
  const QString english = PdfText(dir.path() / "design-0.pdf");
  EXPECT_TRUE(english.contains(QStringLiteral("Page (1)")));
  EXPECT_TRUE(english.contains(QString::fromStdString(fajr).trimmed())) << fajr;
  EXPECT_TRUE(english.contains(QStringLiteral("DAMASCUS, SYRIA")));
  EXPECT_TRUE(english.contains(QStringLiteral("January, 2026")));
  // The header "أوقات الصلاة لسنة كاملة": Noto Naskh Arabic's lam-alef ligature leaves no
  // letters in the PDF's text.
  const QString arabic = PdfText(dir.path() / "design-4.pdf");
  EXPECT_TRUE(arabic.contains(QString::fromUtf8("أوقات الص"))) << arabic.left(400).toStdString();
  EXPECT_TRUE(arabic.contains(QString::fromUtf8("ة لسنة كاملة")));
  EXPECT_TRUE(arabic.contains(QString::fromStdString(fajr).trimmed()));

  // The designs' faces, embedded: Courier New and Arabic Transparent through their substitutes,
  // and the Arabic of the bold Courier New header in the bold Arabic face, not whatever font
  // the system falls back to.
  const std::string fonts =
      Output("pdffonts " + ShellQuoted((dir.path() / "design-4.pdf").string()));
  std::istringstream rows(fonts);
  bool mono = false;
  bool naskh = false;
  bool naskhBold = false;
  for (std::string row; std::getline(rows, row);) {
    const bool embedded = row.find(" yes ") != std::string::npos;
    mono |= row.find("LiberationMono") != std::string::npos && embedded;
    naskh |= row.find("NotoNaskhArabic-Regular") != std::string::npos && embedded;
    naskhBold |= row.find("NotoNaskhArabic-Bold") != std::string::npos && embedded;
    EXPECT_EQ(std::string::npos, row.find("DejaVu")) << fonts;
  }
  EXPECT_TRUE(mono) << fonts;
  EXPECT_TRUE(naskh) << fonts;
  EXPECT_TRUE(naskhBold) << fonts;
}

TEST_F(ReportPrintingTest, ThePrintDialogsRangeIsPrintedAndCancelPrintsNothing) {
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Year, EncodeDate(2026, 1, 1));
  ASSERT_TRUE(form->Report().SelectDesign(1));
  const std::filesystem::path file = dir.path() / "range.pdf";
  printer->setOutputFileName(QString::fromStdString(file.string()));
  chosenPages = QStringLiteral("2-3");
  form->PrintBtn->click();
  EXPECT_EQ(12, dialogPages);
  EXPECT_EQ(2, PdfPages(file));
  const QString text = PdfText(file);
  EXPECT_TRUE(text.contains(QStringLiteral("Page (2)")));
  EXPECT_TRUE(text.contains(QStringLiteral("March, 2026")));
  EXPECT_FALSE(text.contains(QStringLiteral("Page (1)")));

  chosenPages = QStringLiteral("11-20");  // kept inside the report
  EXPECT_TRUE(form->PrintReport(true));
  EXPECT_EQ(2, PdfPages(file));
  chosenPages.clear();  // every page
  EXPECT_TRUE(form->PrintReport(true));
  EXPECT_EQ(12, PdfPages(file));

  std::filesystem::remove(file);
  printDialogAnswer = false;
  EXPECT_FALSE(form->PrintReport(true));
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(asked.empty());  // the dialog named the file
  EXPECT_TRUE(messages.empty());

  // A dialog that left the PDF writer without a file name: nothing starts, the user is told.
  printDialogAnswer = true;
  printer->setOutputFileName(QString());
  EXPECT_FALSE(form->PrintReport(true));
  ASSERT_EQ(1u, messages.size());
  EXPECT_EQ(PrintFailureText(NoPdfFileNameText(Language::English), Language::English), messages[0]);
}

// "Pages" as a list prints exactly the pages typed, each with its page number of the whole
// timetable; the printer keeps no choice for the next job.
TEST_F(ReportPrintingTest, ThePagesTypedArePrintedWithTheirOwnNumbers) {
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Year, EncodeDate(2026, 1, 1));
  ASSERT_TRUE(form->Report().SelectDesign(1));
  const std::filesystem::path file = dir.path() / "pages.pdf";
  printer->setOutputFileName(QString::fromStdString(file.string()));
  const struct {
    const char* typed;
    std::vector<int> pages;
    const char* month;
  } cases[] = {{"2,5", {2, 5}, "May, 2026"},
               {"3", {3}, "March, 2026"},
               {"1-2,12", {1, 2, 12}, "December, 2026"}};
  for (const auto& c : cases) {
    chosenPages = QString::fromLatin1(c.typed);
    ASSERT_TRUE(form->PrintReport(true)) << c.typed;
    EXPECT_EQ(static_cast<int>(c.pages.size()), PdfPages(file)) << c.typed;
    const QString text = PdfText(file);
    EXPECT_EQ(c.pages, FooterNumbers(text)) << c.typed;
    EXPECT_TRUE(text.contains(QString::fromLatin1(c.month))) << c.typed;
    EXPECT_EQ(QPrinter::AllPages, printer->printRange());
    EXPECT_TRUE(printer->pageRanges().isEmpty());
  }
  // The preview's print, without the dialog, prints every page.
  pdfName = file.string();
  ASSERT_TRUE(form->PrintReport(false));
  EXPECT_EQ(12, PdfPages(file));

  // Pages outside the timetable only: nothing is printed, and the user is told.
  std::filesystem::remove(file);
  chosenPages = QStringLiteral("13-14");
  EXPECT_FALSE(form->PrintReport(true));
  EXPECT_FALSE(std::filesystem::exists(file));
  ASSERT_EQ(1u, messages.size());
  EXPECT_EQ(PrintFailureText(NoChosenPageText(12, Language::English), Language::English),
            messages[0]);
}

// Qt's dialog also hands "Pages" to CUPS as the job's page ranges: the program, which lays out
// only those pages, takes them back so that CUPS prints every page of the job.
TEST(PrintPages, ClearingTheChoiceTakesThePageRangesBackFromCups) {
  QPrinter native(QPrinter::HighResolution);
  native.setOutputFormat(QPrinter::NativeFormat);
  if (native.outputFormat() != QPrinter::NativeFormat)
    GTEST_SKIP() << "Qt offers no CUPS print engine here (no CUPS printer)";
  const auto options = QPrintEngine::PrintEnginePropertyKey(0xfe00);
  native.printEngine()->setProperty(
      options, QStringList{"page-ranges", "2,5", "number-up", "2", "page-set", "odd"});
  native.setPrintRange(QPrinter::PageRange);
  native.setPageRanges(QPageRanges::fromString(QStringLiteral("2,5")));
  EXPECT_EQ((std::vector<PageRange>{{2, 2}, {5, 5}}), ChosenPageRanges(native));
  ClearPageSelection(native);
  EXPECT_EQ((QStringList{"number-up", "2", "page-set", "odd"}),
            native.printEngine()->property(options).toStringList());
  EXPECT_TRUE(ChosenPageRanges(native).empty());
}

// Every job and its PDF are named by the timetable's kind, place and period, in the language.
TEST_F(ReportPrintingTest, AJobIsNamedByTheTimetablesPlaceAndPeriod) {
  const struct {
    Language lang;
    ReportKind kind;
    const char* title;
  } cases[] = {
      {Language::English, ReportKind::Year, "Prayer times DAMASCUS 2026"},
      {Language::English, ReportKind::Month, "Prayer times DAMASCUS March 2026"},
      {Language::Arabic, ReportKind::Year, "أوقات الصلاة DAMASCUS 2026"},
  };
  for (const auto& c : cases) {
    auto form = Open(Context("DAMASCUS", "SYRIA", c.lang), c.kind, EncodeDate(2026, 3, 1));
    const std::filesystem::path file = dir.path() / "named.pdf";
    pdfName = file.string();
    ASSERT_TRUE(form->PrintReport(false));
    EXPECT_EQ(QString::fromUtf8(c.title), printer->docName());
    std::istringstream info(Output("pdfinfo " + ShellQuoted(file.string())));
    std::string title;
    for (std::string line; std::getline(info, line);)
      if (line.rfind("Title:", 0) == 0)
        title = QString::fromStdString(line.substr(6)).trimmed().toStdString();
    EXPECT_EQ(c.title, title);
  }
}

TEST_F(ReportPrintingTest, WithoutAPrintDialogThePdfWriterAsksForTheFileFirst) {
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Month, EncodeDate(2026, 1, 1));
  const std::filesystem::path file = dir.path() / "month.pdf";
  pdfName.clear();  // cancelled
  EXPECT_FALSE(form->PrintReport(false));
  EXPECT_EQ(1u, asked.size());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
  EXPECT_TRUE(messages.empty());

  pdfName = file.string();
  EXPECT_TRUE(form->PrintReport(false));
  EXPECT_EQ(1, PdfPages(file));
  // The next job suggests the file of the last.
  EXPECT_TRUE(form->PrintReport(false));
  ASSERT_EQ(3u, asked.size());
  EXPECT_EQ(file.string(), asked[2]);
}

// Left to the window, Qt's print, page set-up and PDF file dialogs open through its modal runner,
// the one that answers every other dialog of the window.
TEST_F(ReportPrintingTest, QtsDialogsOpenThroughTheWindowsModalRunner) {
  ReportContext c = Context("DAMASCUS", "SYRIA");
  c.Dialogs.Print = nullptr;
  c.Dialogs.PageSetup = nullptr;
  c.Dialogs.AskPdfFileName = nullptr;
  std::vector<std::string> opened;
  modal = [&opened](QDialog& dialog) {
    opened.push_back(dialog.metaObject()->className());
    return int(QDialog::Rejected);
  };
  auto form = Open(std::move(c), ReportKind::Month, EncodeDate(2026, 1, 1));
  EXPECT_FALSE(form->PrintReport(true));
  EXPECT_FALSE(form->RunPageSetup());
  EXPECT_FALSE(form->PrintReport(false));
  EXPECT_EQ((std::vector<std::string>{"QPrintDialog", "QPageSetupDialog", "QFileDialog"}), opened);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST_F(ReportPrintingTest, AJobThatCannotStartOrFailsSaysWhyAndLeavesNoFile) {
  for (Language lang : {Language::English, Language::Arabic}) {
    messages.clear();
    auto form = Open(Context("DAMASCUS", "SYRIA", lang), ReportKind::Month, EncodeDate(2026, 1, 1));
    // A folder that does not exist.
    const std::filesystem::path missing = dir.path() / "missing" / "month.pdf";
    pdfName = missing.string();
    EXPECT_FALSE(form->PrintReport(false));
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(0u, messages[0].find(ByLanguage(lang, "The timetable could not be printed.",
                                              "تعذرت طباعة جدول الأوقات.")));
    EXPECT_NE(std::string::npos, messages[0].find(missing.string()));

    // The finished file cannot take the name: an old file of that name stays as it was.
    const std::filesystem::path file = dir.path() / "old.pdf";
    std::ofstream(file) << "old";
    pdfName = file.string();
    files.failRename = [](const auto&, const auto&) { return EACCES; };
    EXPECT_FALSE(form->PrintReport(false));
    files.failRename = nullptr;
    ASSERT_EQ(2u, messages.size());
    EXPECT_NE(std::string::npos, messages[1].find(file.string()));
    EXPECT_NE(std::string::npos,
              messages[1].find(ByLanguage(lang, "File access denied",
                                          "لا يسمح بالوصول إلى الملف أو إلى مجلده (رمز الخطأ 5)")))
        << messages[1];
    EXPECT_EQ("old", ReadBytes(file));
    // No temporary file is left beside it.
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
      ++entries;
    EXPECT_EQ(1, entries);
    std::filesystem::remove(file);
  }
}

// Whether the first page of a PDF, as poppler draws it, shows any colour other than a grey.
bool ShowsColour(const std::filesystem::path& file, const std::filesystem::path& picture) {
  Output("pdftoppm -r 40 -png -singlefile " + ShellQuoted(file.string()) + " " +
         ShellQuoted(picture.string()) + " 2>/dev/null");
  const QImage image(QString::fromStdString(picture.string() + ".png"));
  EXPECT_FALSE(image.isNull()) << file;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (const QRgb p = image.pixel(x, y); qRed(p) != qGreen(p) || qGreen(p) != qBlue(p))
        return true;
  return false;
}

// Grayscale, as the print dialog offers it for a PDF file too, prints the design's colours as
// their greys.
TEST_F(ReportPrintingTest, AGreyScaleJobPrintsTheColoursAsGreys) {
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Month, EncodeDate(2026, 1, 1));
  TPrintOptions& design = form->Report().Design();
  design.POHFont.Color = design.POBFont.Color = design.POFFont.Color = 0x0000FF;  // red
  const std::filesystem::path file = dir.path() / "month.pdf";
  printer->setOutputFileName(QString::fromStdString(file.string()));
  for (QPrinter::ColorMode mode : {QPrinter::Color, QPrinter::GrayScale}) {
    printer->setColorMode(mode);
    ASSERT_TRUE(form->PrintReport(true));
    EXPECT_EQ(mode == QPrinter::Color, ShowsColour(file, dir.path() / "page")) << int(mode);
  }
  EXPECT_TRUE(messages.empty());
}

TEST_F(ReportPrintingTest, AFullDiskKeepsTheOldPdfAndSaysWhy) {
  const std::filesystem::path file = dir.path() / "year.pdf";
  for (Language lang : {Language::English, Language::Arabic}) {
    messages.clear();
    auto form = Open(Context("DAMASCUS", "SYRIA", lang), ReportKind::Year, EncodeDate(2026, 1, 1));
    std::ofstream(file) << "old";
    pdfName = file.string();
    // The disk fills up after the first 4 KiB of the file.
    files.writeLimit = 4096;
    files.writeError = ENOSPC;
    EXPECT_FALSE(form->PrintReport(false));
    files.writeError = 0;
    ASSERT_EQ(1u, messages.size());
    EXPECT_EQ(PrintFailureText(FileFailureReason(file, ENOSPC, lang), lang), messages[0]);
    EXPECT_EQ("old", ReadBytes(file));
    int entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.path()))
      ++entries;
    EXPECT_EQ(1, entries);  // no temporary file is left beside it

    // With room on the disk the same job replaces it with the whole document.
    EXPECT_TRUE(form->PrintReport(false));
    EXPECT_EQ(2, PdfPages(file));
    EXPECT_EQ(1u, messages.size());
  }
}

// A PDF printed over an old one keeps its permissions, and one printed onto a symbolic link
// replaces the file the link names, as an editor does; the link stays.
TEST_F(ReportPrintingTest, ReplacingAPdfKeepsItsModeAndFollowsASymbolicLink) {
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Month, EncodeDate(2026, 1, 1));
  const std::filesystem::path file = dir.path() / "private.pdf";
  std::ofstream(file) << "old";
  std::filesystem::permissions(file, std::filesystem::perms(0600));
  pdfName = file.string();
  ASSERT_TRUE(form->PrintReport(false));
  EXPECT_EQ(1, PdfPages(file));
  EXPECT_EQ(std::filesystem::perms(0600),
            std::filesystem::status(file).permissions() & std::filesystem::perms::all);

  // A relative link into another folder, and a link to that link.
  const std::filesystem::path real = dir.path() / "kept" / "year.pdf";
  std::filesystem::create_directory(real.parent_path());
  std::ofstream(real) << "old";
  std::filesystem::permissions(real, std::filesystem::perms(0640));
  const std::filesystem::path link = dir.path() / "link.pdf";
  std::filesystem::create_symlink(std::filesystem::path("kept") / "year.pdf", link);
  const std::filesystem::path second = dir.path() / "second.pdf";
  std::filesystem::create_symlink(link, second);
  for (const std::filesystem::path& name : {link, second}) {
    std::ofstream(real) << "old";
    pdfName = name.string();
    // A rename that fails leaves the file and the links as they were.
    files.failRename = [](const auto&, const auto&) { return EIO; };
    EXPECT_FALSE(form->PrintReport(false));
    files.failRename = nullptr;
    EXPECT_EQ("old", ReadBytes(real));
    ASSERT_TRUE(form->PrintReport(false)) << name;
    EXPECT_TRUE(std::filesystem::is_symlink(name)) << name;
    EXPECT_EQ(1, PdfPages(real)) << name;
    EXPECT_EQ(std::filesystem::perms(0640),
              std::filesystem::status(real).permissions() & std::filesystem::perms::all);
    EXPECT_EQ(std::vector<std::string>{"year.pdf"}, NamesIn(real.parent_path()));
  }
  EXPECT_EQ((std::vector<std::string>{"kept", "link.pdf", "private.pdf", "second.pdf"}),
            NamesIn(dir.path()));
  EXPECT_EQ(2u, messages.size());  // the failed renames only

  // A link to a file not yet there makes that file.
  std::filesystem::remove(real);
  pdfName = link.string();
  ASSERT_TRUE(form->PrintReport(false));
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_EQ(1, PdfPages(real));

  // A link that names itself is told, and stays.
  const std::filesystem::path loop = dir.path() / "loop.pdf";
  std::filesystem::create_symlink("loop.pdf", loop);
  pdfName = loop.string();
  EXPECT_FALSE(form->PrintReport(false));
  EXPECT_EQ(3u, messages.size());
  EXPECT_TRUE(std::filesystem::is_symlink(loop));
}

TEST(PrintQueue, AJobTheQueueRefusesIsReportedWithItsReasonNeverAsPrinted) {
  using Verdict = QueueAnswer::Verdict;
  testing::FakePrinterInfo printers;
  int jobs = 0;
  const auto job = [&jobs] {
    ++jobs;
    return std::string();
  };
  PrintOutcome printed = RunQueueJob(printers, "PDF/draft", job, Language::English);
  EXPECT_TRUE(printed.Printed);
  EXPECT_EQ("", printed.Message);
  EXPECT_EQ(1, jobs);
  EXPECT_EQ(std::vector<std::string>{"PDF/draft"}, printers.asked);

  // A queue that rejects jobs: the job does not start, and the user learns why.
  printers.queueAnswer = {Verdict::NotAccepting, "Out of paper"};
  EXPECT_EQ(
      "The printer \"PDF\" refused the job: it accepts no jobs now. The print system says: Out of "
      "paper.",
      RunQueueJob(printers, "PDF", job, Language::English).Message);
  EXPECT_EQ(
      "رفضت الطابعة \"PDF\" مهمة الطباعة: إنها لا تقبل أي مهمة الآن. يقول نظام الطباعة: Out of "
      "paper.",
      RunQueueJob(printers, "PDF", job, Language::Arabic).Message);
  EXPECT_FALSE(RunQueueJob(printers, "PDF", job, Language::Arabic).Printed);
  EXPECT_EQ(1, jobs);

  // A scheduler that cannot be reached: the job does not start, and no system error is shown.
  printers.queueAnswer = {Verdict::Unreachable, ""};
  for (Language lang : {Language::English, Language::Arabic}) {
    const PrintOutcome gone = RunQueueJob(printers, "PDF", job, lang);
    EXPECT_FALSE(gone.Printed);
    EXPECT_EQ(ByLanguage(lang, "The print system (CUPS) is not running or cannot be reached.",
                         "نظام الطباعة (CUPS) لا يعمل أو لا يمكن الوصول إليه."),
              gone.Message);
  }
  EXPECT_EQ(1, jobs);

  // A stopped printer: the job goes into its queue, and the user learns that it waits and why.
  printers.queueAnswer = {Verdict::Stopped, "Paused by the administrator"};
  const PrintOutcome waiting = RunQueueJob(printers, "PDF", job, Language::English);
  EXPECT_TRUE(waiting.Printed);
  EXPECT_EQ(
      "The printer \"PDF\" is stopped: the job waits in its queue until the printer is started "
      "again. The print system says: Paused by the administrator.",
      waiting.Message);
  EXPECT_EQ(
      "الطابعة \"PDF\" متوقفة: تنتظر المهمة في قائمة انتظارها حتى تعاد الطابعة إلى العمل. يقول "
      "نظام الطباعة: Paused by the administrator.",
      RunQueueJob(printers, "PDF", job, Language::Arabic).Message);
  EXPECT_EQ(3, jobs);

  // A queue that took the job's start but refused the job itself.
  printers.queueAnswer = {};
  printers.jobAnswer = {Verdict::NotAccepting, "Destination \"PDF\" is not accepting jobs."};
  for (Language lang : {Language::English, Language::Arabic})
    EXPECT_EQ(QueueRefusalText("PDF", printers.jobAnswer, lang),
              RunQueueJob(printers, "PDF", job, lang).Message);
  EXPECT_EQ(5, jobs);
  // A job that failed on its own says so.
  EXPECT_EQ("no paper",
            RunQueueJob(
                printers, "PDF", [] { return std::string("no paper"); }, Language::English)
                .Message);

  const struct {
    QueueAnswer answer;
    const char* english;
    const char* arabic;
  } texts[] = {
      {{Verdict::NotAccepting, ""},
       "The printer \"PDF\" refused the job: it accepts no jobs now.",
       "رفضت الطابعة \"PDF\" مهمة الطباعة: إنها لا تقبل أي مهمة الآن."},
      {{Verdict::NotFound, "The printer or class does not exist."},
       "The printer \"PDF\" refused the job: the print system has no such printer. The print "
       "system says: The printer or class does not exist.",
       "رفضت الطابعة \"PDF\" مهمة الطباعة: لا توجد طابعة بهذا الاسم في نظام الطباعة. يقول نظام "
       "الطباعة: The printer or class does not exist."},
      {{Verdict::Failed, "Connection refused"},
       "The print system could not take the job for the printer \"PDF\". The print system says: "
       "Connection refused.",
       "تعذر على نظام الطباعة قبول المهمة للطابعة \"PDF\". يقول نظام الطباعة: Connection "
       "refused."},
      {{Verdict::Accepted, ""}, "", ""},
  };
  for (const auto& t : texts) {
    EXPECT_EQ(t.english, QueueRefusalText("PDF", t.answer, Language::English));
    EXPECT_EQ(t.arabic, QueueRefusalText("PDF", t.answer, Language::Arabic));
  }
}

TEST_F(ReportPrintingTest, WithNothingToPrintOnPrintAndPreviewOnlySaySo) {
  printers.pdfWriter = false;
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Month, EncodeDate(2026, 1, 1));
  int shown = 0;
  modal = [&](QDialog&) { return ++shown, 0; };
  form->PrintBtn->click();
  form->PrintPreviewBtn->click();
  EXPECT_EQ(0, dialogPages);
  EXPECT_EQ(0, shown);
  ASSERT_EQ(2u, messages.size());
  EXPECT_EQ(NoPrinterText(Language::English), messages[0]);
  EXPECT_EQ(messages[0], messages[1]);

  // A system printer without the PDF writer is something to print on too.
  printers.systemPrinter = true;
  form->PrintPreviewBtn->click();
  EXPECT_EQ(1, shown);
  EXPECT_EQ(2u, messages.size());
}

TEST_F(ReportPrintingTest, ThePreviewShowsThePrintedLayout) {
  // An Arabic month: the Arabic font measures differently on the screen and on the printer; and
  // the first page of an English year of two pages, whose blocks are drawn smaller to fit.
  const ReportContext arabic = Context("DAMASCUS", "SYRIA", Language::Arabic);
  Timetable month(ReportKind::Month, arabic.Source);
  month.ComputeReportRows(EncodeDate(2026, 1, 1), list, arabic.Engine);
  const ReportContext english = Context("DAMASCUS", "SYRIA");
  Timetable year(ReportKind::Year, english.Source);
  year.ComputeReportRows(EncodeDate(2026, 1, 1), list, english.Engine);
  constexpr double kPpi = 96;
  constexpr double kScale = 1200 / kPpi;
  for (const Timetable* report : {&month, &year}) {
    testing::RecordingPaintDevice paper(9583, 13699, 1200);
    {
      QPainter painter(&paper);
      ASSERT_TRUE(PaintPrinterPage(*report, painter, paper, 1, kPpi));
    }
    testing::RecordingPaintDevice screen(767, 1096, 96);
    {
      QPainter painter(&screen);
      QtPageCanvas canvas(painter, 1, 1, paper, kScale, kScale);
      ASSERT_TRUE(PaintReportPage(*report, canvas, 1, DevicePageSize(paper, kPpi)));
    }
    ASSERT_EQ(paper.lines.size(), screen.lines.size());
    ASSERT_FALSE(paper.lines.empty());
    for (std::size_t i = 0; i < paper.lines.size(); ++i) {
      EXPECT_EQ(RoundHalfEven(paper.lines[i].x1() / kScale), screen.lines[i].x1()) << i;
      EXPECT_EQ(RoundHalfEven(paper.lines[i].y1() / kScale), screen.lines[i].y1()) << i;
      EXPECT_EQ(RoundHalfEven(paper.lines[i].x2() / kScale), screen.lines[i].x2()) << i;
      EXPECT_EQ(RoundHalfEven(paper.lines[i].y2() / kScale), screen.lines[i].y2()) << i;
    }
    // Every text where the printer puts it, at its size; the tops may differ by the rounding of
    // the baseline.
    QStringList paperTexts;
    QStringList screenTexts;
    for (const auto& t : paper.texts)
      paperTexts << t.Value;
    for (const auto& t : screen.texts)
      screenTexts << t.Value;
    ASSERT_EQ(paperTexts, screenTexts);
    for (std::size_t i = 0; i < paper.texts.size(); ++i) {
      EXPECT_NEAR(paper.texts[i].TopLeft.y() / kScale, screen.texts[i].TopLeft.y(), 1.0) << i;
      EXPECT_EQ(paper.texts[i].Points, screen.texts[i].Points) << i;
    }
  }

  // The preview's picture: the printer's page at the screen's resolution.
  testing::RecordingPaintDevice paper(9583, 13699, 1200);
  const QImage picture = PaintPreviewPage(month, paper, 1, kPpi);
  EXPECT_EQ(QSize(767, 1096), picture.size());
  EXPECT_EQ(QColor(Qt::white), picture.pixelColor(3, 3));
  EXPECT_EQ(QColor(Qt::white), PaintPreviewPage(month, paper, 2, kPpi).pixelColor(100, 100));
}

// A canvas over another that keeps the text and clip of every cell it draws.
class CellRecorder : public PageCanvas {
 public:
  struct Cell {
    QString Text;
    PageRect Clip;
  };
  explicit CellRecorder(PageCanvas& canvas) : canvas_(canvas) {}
  void SetFont(const FontSpec& font, double points) override { canvas_.SetFont(font, points); }
  int LineHeight() override { return canvas_.LineHeight(); }
  int TextWidth(const std::string& text) override { return canvas_.TextWidth(text); }
  int TextBottom(const std::string& text) override { return canvas_.TextBottom(text); }
  void TextOut(int x, int y, const std::string& text, TextBackground background,
               LineDirection direction) override {
    canvas_.TextOut(x, y, text, background, direction);
  }
  void ClippedText(int x, int y, TextAnchor anchor, LineDirection direction,
                   const std::string& text, const PageRect& clip) override {
    canvas_.ClippedText(x, y, anchor, direction, text, clip);
    cells.push_back({QString::fromStdString(text).normalized(QString::NormalizationForm_KC), clip});
  }
  void Line(int x1, int y1, int x2, int y2) override { canvas_.Line(x1, y1, x2, y2); }

  std::vector<Cell> cells;

 private:
  PageCanvas& canvas_;
};

// A word of a PDF's text, with its box in points from the page's top left.
struct PdfWord {
  int Page = 0;
  QRectF Box;
  QString Text;
};

std::vector<PdfWord> PdfWords(const std::filesystem::path& file) {
  const QString html =
      QString::fromStdString(Output("pdftotext -bbox " + ShellQuoted(file.string()) + " -"));
  static const QRegularExpression kWord(QStringLiteral(
      R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
  std::vector<PdfWord> words;
  int page = 0;
  for (auto match = kWord.globalMatch(html); match.hasNext();) {
    const QRegularExpressionMatch m = match.next();
    if (m.captured(0).startsWith(QStringLiteral("<page"))) {
      ++page;
      continue;
    }
    const QPointF min(m.captured(1).toDouble(), m.captured(2).toDouble());
    const QPointF max(m.captured(3).toDouble(), m.captured(4).toDouble());
    QString text = m.captured(5);
    text.replace(QStringLiteral("&amp;"), QStringLiteral("&"))
        .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
        .replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    words.push_back({page, QRectF(min, max), text.normalized(QString::NormalizationForm_KC)});
  }
  return words;
}

bool HasArabic(const QString& text) {
  return std::any_of(text.begin(), text.end(),
                     [](QChar c) { return c.script() == QChar::Script_Arabic; });
}

TEST_F(ReportPrintingTest, EveryGlyphOfAPrintedCellLiesInsideItsCell) {
  constexpr double kPointsPerUnit = 72.0 / 96;
  for (Language lang : {Language::English, Language::Arabic}) {
    for (bool allColumns : {false, true}) {
      const ReportContext context = Context("DAMASCUS", "SYRIA", lang);
      Timetable report(ReportKind::Year, context.Source);
      report.ComputeReportRows(EncodeDate(2026, 1, 1), list, context.Engine);
      ASSERT_TRUE(report.SelectDesign(lang == Language::Arabic ? 4 : 0));  // two pages
      TPrintOptions& d = report.Design();
      if (allColumns) {
        d.PODayName = d.POHijri = d.POImsak = d.POAMPM = true;
        report.DesignChanged();
      }
      // The pages as the print job paints them into a PDF file, keeping every cell.
      const std::filesystem::path file = dir.path() / "cells.pdf";
      std::vector<std::vector<CellRecorder::Cell>> pages;
      QPageLayout layout = printer->pageLayout();
      {
        QPdfWriter writer(QString::fromStdString(file.string()));
        writer.setResolution(printer->resolution());
        writer.setPageLayout(layout);
        QPainter painter(&writer);
        const double scale = writer.logicalDpiX() / 96.0;
        for (int page = 1; page <= report.PageCount(); ++page) {
          if (page > 1)
            writer.newPage();
          QtPageCanvas canvas(painter, scale, scale, writer, scale, scale);
          CellRecorder recorder(canvas);
          ASSERT_TRUE(PaintReportPage(report, recorder, page, DevicePageSize(writer, 96)));
          pages.push_back(std::move(recorder.cells));
        }
      }
      const QPointF origin = layout.paintRect(QPageLayout::Point).topLeft();
      const auto box = [&](const PageRect& clip) {
        return QRectF(
            origin.x() + clip.Left * kPointsPerUnit, origin.y() + clip.Top * kPointsPerUnit,
            (clip.Right - clip.Left) * kPointsPerUnit, (clip.Bottom - clip.Top) * kPointsPerUnit);
      };
      int checked = 0;
      bool starOf8January = false;
      for (const PdfWord& word : PdfWords(file)) {
        ASSERT_LE(word.Page, int(pages.size()));
        const QPointF middle = word.Box.center();
        // The cell the word was drawn in: one of this row's whose text holds it (the most
        // overlapped one), else the one it lies in.
        const CellRecorder::Cell* owner = nullptr;
        double overlap = 0;
        bool inSome = false;
        for (const auto& cell : pages[std::size_t(word.Page - 1)]) {
          const QRectF clip = box(cell.Clip);
          if (middle.y() < clip.top() - 2 || middle.y() > clip.bottom() + 2)
            continue;
          const bool inside = clip.left() <= middle.x() && middle.x() <= clip.right();
          inSome |= inside;
          const double shared =
              clip.intersected(QRectF(word.Box.left(), clip.top(), word.Box.width(), clip.height()))
                  .width();
          const bool holds = cell.Text.contains(word.Text) || (inside && HasArabic(word.Text));
          if (holds && shared > overlap) {
            owner = &cell;
            overlap = shared;
          }
        }
        if (!inSome && owner == nullptr)
          continue;  // a line of the header or the footer
        ASSERT_NE(nullptr, owner) << word.Text.toStdString() << " on page " << word.Page
                                  << " lies in a cell it is not part of";
        const QRectF clip = box(owner->Clip);
        EXPECT_LE(clip.left() - 0.1, word.Box.left())
            << word.Text.toStdString() << " of " << owner->Text.toStdString();
        EXPECT_LE(word.Box.right(), clip.right() + 0.1)
            << word.Text.toStdString() << " of " << owner->Text.toStdString();
        ++checked;
        starOf8January |=
            word.Page == 1 && word.Text.contains('*') && owner->Text.contains("07:39");
      }
      EXPECT_GT(checked, 2000) << int(lang) << allColumns;
      // Shuruq's turning point on 8 January: "07:39 *" ("*07:39 " right to left).
      EXPECT_TRUE(starOf8January) << int(lang) << allColumns;
    }
  }
}

TEST_F(ReportPrintingTest, TheArabicDesignsOfSevenColumnsKeepTheirSizes) {
  // Their cells fit at the design's size: nothing is drawn smaller than the body's 6 points.
  for (int index : {4, 5, 6, 7}) {
    const ReportContext context = Context("DAMASCUS", "SYRIA", Language::Arabic);
    Timetable report(index == 7 ? ReportKind::Month : ReportKind::Year, context.Source);
    report.ComputeReportRows(EncodeDate(2026, 1, 1), list, context.Engine);
    ASSERT_TRUE(report.SelectDesign(index));
    for (int page = 1; page <= report.PageCount(); ++page) {
      testing::RecordingPaintDevice paper(9583, 13699, 1200);
      QPainter painter(&paper);
      ASSERT_TRUE(PaintPrinterPage(report, painter, paper, page, 96));
      for (const auto& t : paper.texts)
        EXPECT_TRUE(t.Points == 6 || t.Points == 7 || t.Points == 8)
            << index << " " << t.Value.toStdString() << " " << t.Points;
    }
  }
}

TEST(QtPageCanvasTest, ArabicInALatinFaceIsDrawnWithTheArabicFaceAndReachesDeeper) {
  testing::RecordingPaintDevice paper(9583, 13699, 1200);
  QPainter painter(&paper);
  QtPageCanvas canvas(painter, 12.5, 12.5, paper, 12.5, 12.5);
  canvas.SetFont(StrToFont("Black;Courier New;8;[fsBold];"), 8);
  const std::string arabic = "أوقات الصلاة لسنة كاملة";
  EXPECT_EQ(canvas.LineHeight(), canvas.TextBottom("DAMASCUS, SYRIA"));
  EXPECT_GT(canvas.TextBottom(arabic), canvas.LineHeight());
  canvas.TextOut(25, 25, arabic, TextBackground::Transparent, LineDirection::AsBuilt);
  painter.end();
  ASSERT_FALSE(paper.texts.empty());
  // The Arabic letters in the bold Arabic face, the Latin ones in the face's substitute.
  QFont font = ReportFont(StrToFont("Black;Courier New;8;[fsBold];"));
  font.setFamilies(FacesWithArabic(font.family()));
  EXPECT_EQ((QStringList{"Liberation Mono", "Noto Naskh Arabic"}), font.families());
  QRawFont drawn = QRawFont::fromFont(font, QFontDatabase::Arabic);
  EXPECT_EQ("Noto Naskh Arabic", drawn.familyName());
  EXPECT_EQ(QFont::Bold, drawn.weight());
}

TEST_F(ReportPrintingTest, ThePreviewPagesZoomsAndFollowsThePrinterSetup) {
  auto year = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Year, EncodeDate(2026, 1, 1));
  TVEKPreView preview(*year);
  preview.SetPageCount(year->Report().PageCount());
  EXPECT_EQ(2, preview.PageCount);
  EXPECT_FALSE(preview.PrevBtn->isEnabled());
  EXPECT_TRUE(preview.NextBtn->isEnabled());
  const QImage first = preview.Bitmap();
  preview.NextBtn->click();
  EXPECT_EQ(2, preview.CurrentPage);
  EXPECT_FALSE(preview.NextBtn->isEnabled());
  EXPECT_TRUE(preview.PrevBtn->isEnabled());
  EXPECT_NE(first, preview.Bitmap());
  preview.NextBtnClick();  // no page after the last
  EXPECT_EQ(2, preview.CurrentPage);
  preview.SetPageCount(1);
  EXPECT_EQ(1, preview.CurrentPage);
  EXPECT_FALSE(preview.NextBtn->isEnabled());
  EXPECT_EQ(first, preview.Bitmap());

  // A4 portrait at 96 pixels per inch, shrunk into the window with its proportions.
  EXPECT_EQ(767, preview.BitmapWidth);
  EXPECT_EQ(1096, preview.BitmapHeight);
  preview.resize(700, 600);
  preview.show();
  QCoreApplication::processEvents();
  EXPECT_EQ(1, preview.FitToWindow);
  EXPECT_TRUE(preview.ZoomBtn->isChecked());
  EXPECT_LE(preview.Image->height(), preview.ImgPanel->height() - 20);
  EXPECT_NEAR(767.0 / 1096, double(preview.Image->width()) / preview.Image->height(), 0.01);
  EXPECT_FALSE(preview.ImgPanel->verticalScrollBar()->isVisible());
  preview.ActualBtn->click();
  QCoreApplication::processEvents();
  EXPECT_EQ(0, preview.FitToWindow);
  EXPECT_EQ(QSize(767, 1096), preview.Image->size());
  EXPECT_TRUE(preview.ImgPanel->verticalScrollBar()->isVisible());

  // A smaller landscape paper from the set-up: the picture changes size and shape at once, and
  // at actual size a page smaller than the window needs no scroll bars.
  pageSetup = [](QPrinter& p) {
    p.setPageSize(QPageSize(QPageSize::A6));
    p.setPageOrientation(QPageLayout::Landscape);
  };
  preview.SetupBtn->click();
  EXPECT_EQ(1, setups);
  QCoreApplication::processEvents();
  EXPECT_GT(preview.BitmapWidth, preview.BitmapHeight);
  EXPECT_LT(preview.BitmapWidth, 767);
  EXPECT_EQ(QSize(preview.BitmapWidth, preview.BitmapHeight), preview.Bitmap().size());
  EXPECT_FALSE(preview.ImgPanel->verticalScrollBar()->isVisible());
  EXPECT_FALSE(preview.ImgPanel->horizontalScrollBar()->isVisible());
  preview.hide();

  // A one-page report offers no other page.
  auto month = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Month, EncodeDate(2026, 1, 1));
  TVEKPreView single(*month);
  EXPECT_FALSE(single.PrevBtn->isEnabled());
  EXPECT_FALSE(single.NextBtn->isEnabled());
}

TEST_F(ReportPrintingTest, ThePreviewsPrintAsksForThePdfAndTheReportOpensIt) {
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Year, EncodeDate(2026, 1, 1));
  const std::filesystem::path file = dir.path() / "preview.pdf";
  int pages = 0;
  modal = [&](QDialog& dialog) {
    auto* preview = qobject_cast<TVEKPreView*>(&dialog);
    EXPECT_NE(nullptr, preview);
    if (preview == nullptr)
      return 0;
    pages = preview->PageCount;
    pdfName.clear();
    preview->PrintBtn->click();  // cancelled at the file name
    pdfName = file.string();
    preview->PrintBtn->click();
    return 0;
  };
  form->PrintPreviewBtn->click();
  EXPECT_EQ(2, pages);
  EXPECT_EQ(2u, asked.size());
  EXPECT_EQ(0, dialogPages);  // no print dialog
  EXPECT_EQ(2, PdfPages(file));
}

TEST_F(ReportPrintingTest, TheDesignDialogStoresOnlyItsChoicesAndOnlyOnOk) {
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Year, EncodeDate(2026, 1, 1));
  Timetable& report = form->Report();
  ASSERT_EQ(6, report.Design().POBNOMonths);
  {
    TPrintOptionsDlg dialog(report, form->Context(), *printer);
    EXPECT_EQ("Design Page", dialog.windowTitle());
    EXPECT_EQ("Six Months", dialog.POBNOMonthsCombo->currentText());
    dialog.POBNOMonthsCombo->setCurrentIndex(dialog.POBNOMonthsCombo->findText("Four Months"));
    dialog.POHOtherInfoEdit->setText("Times of 2026");
    dialog.POBDrawGridCheck->setChecked(false);
    chosenFont = StrToFont("Maroon;Courier New;9;[fsItalic];");
    dialog.HeaderBtn->click();
    EXPECT_EQ(*chosenFont, dialog.HeaderFont());
    dialog.PrinterSetup->click();
    EXPECT_EQ(1, setups);
    EXPECT_EQ(6, report.Design().POBNOMonths);  // not before OK
    dialog.OkBtn->click();
  }
  EXPECT_EQ(4, report.Design().POBNOMonths);
  EXPECT_EQ("Times of 2026", report.Design().POHOtherInfo);
  EXPECT_FALSE(report.Design().POBDrawGrid);
  EXPECT_EQ(*chosenFont, report.Design().POHFont);
  {
    TPrintOptionsDlg dialog(report, form->Context(), *printer);
    dialog.POBNOMonthsCombo->setCurrentIndex(dialog.POBNOMonthsCombo->findText("Six Months"));
    chosenFont = StrToFont("Red;Arial;12;[];");
    dialog.BodyBtn->click();
    dialog.CancelBtn->click();
  }
  EXPECT_EQ(4, report.Design().POBNOMonths);
  EXPECT_EQ(StrToFont("Black;Courier New;6;[];"), report.Design().POBFont);

  // A value the dialog does not offer shows the design's built-in choice, and OK never
  // stores it.
  report.Design().POBNOMonths = 5;
  {
    TPrintOptionsDlg dialog(report, form->Context(), *printer);
    EXPECT_EQ("Six Months", dialog.POBNOMonthsCombo->currentText());
    dialog.OkBtn->click();
  }
  EXPECT_EQ(6, report.Design().POBNOMonths);

  // The report window's Design button: the page count follows.
  modal = [](QDialog& dialog) {
    auto* design = qobject_cast<TPrintOptionsDlg*>(&dialog);
    EXPECT_NE(nullptr, design);
    if (design) {
      design->POBNOMonthsCombo->setCurrentIndex(2);  // three months
      design->accept();
    }
    return 1;
  };
  form->PrintOptionsBtn->click();
  EXPECT_EQ(3, report.Design().POBNOMonths);
  EXPECT_EQ(4, report.PageCount());
}

TEST_F(ReportPrintingTest, TheArabicWindowsAndTheDesignsOrientation) {
  testing::IniSections sections;
  sections.ini.WriteString(std::string("PrintOptions") + "سنة على صفحتين", "POPortraitOrientation",
                           "False");
  ReportContext context = Context("MAKKAH", "SAUDI ARABIA", Language::Arabic);
  context.Sections = &sections;
  auto form = Open(context, ReportKind::Year, EncodeDate(2026, 1, 1));
  EXPECT_EQ(4, form->Report().CurrentDesign());
  EXPECT_EQ(QPageLayout::Landscape, printer->pageLayout().orientation());
  EXPECT_EQ(QString::fromUtf8("طباعة"), form->PrintBtn->text());
  EXPECT_EQ(QString::fromUtf8("عرض"), form->PrintPreviewBtn->text());
  EXPECT_EQ(QString::fromUtf8("تصميم"), form->PrintOptionsBtn->text());

  TPrintOptionsDlg dialog(form->Report(), form->Context(), *printer);
  EXPECT_EQ(Qt::RightToLeft, dialog.layoutDirection());
  EXPECT_EQ(QString::fromUtf8("تصميم الصفحة"), dialog.windowTitle());
  EXPECT_EQ(QString::fromUtf8("ستة أشهر"), dialog.POBNOMonthsCombo->currentText());
  TVEKPreView preview(*form);
  EXPECT_EQ(QString::fromUtf8("معاينة الطباعة"), preview.windowTitle());
  EXPECT_GT(preview.BitmapWidth, preview.BitmapHeight);  // landscape

  form->Report().SelectDesign(5);
  form->ApplyDesignToControls();
  EXPECT_EQ(QPageLayout::Portrait, printer->pageLayout().orientation());
}

TEST_F(ReportPrintingTest, TheFontDialogKeepsTheDesignsFaceAndOffersItsColours) {
  const FontSpec font = StrToFont("Maroon;Courier New;8;[fsBold];");
  TFontColorDlg dialog(font, Language::English);
  EXPECT_EQ(16, dialog.ColorCombo->count());
  EXPECT_EQ("Maroon", dialog.ColorCombo->currentText());
  EXPECT_EQ(font, dialog.Chosen());
  dialog.ColorCombo->setCurrentIndex(dialog.ColorCombo->findText("Red"));
  EXPECT_EQ(0x0000FFu, dialog.Chosen().Color);
  EXPECT_EQ("Courier New", dialog.Chosen().Name);
}

}  // namespace
}  // namespace vek
