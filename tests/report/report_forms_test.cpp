// The timetable window and the year graph, driven offscreen over the shipped locations.
#include <gtest/gtest.h>

#include <QAbstractItemDelegate>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionViewItem>
#include <QTableView>

#include <cerrno>
#include <fstream>
#include <sstream>

#include "calendar/session_calendar_context.h"
#include "engine/calendar.h"
#include "foundation/cp1256.h"
#include "foundation/file_io.h"
#include "report/session_report_context.h"
#include "report/timetable_export.h"
#include "report/timetable_view.h"
#include "report/year_graph_window.h"
#include "support/event_wait.h"
#include "support/fake_file_system.h"
#include "support/fake_ui.h"
#include "support/fake_wall_clock.h"
#include "support/ini_sections.h"
#include "support/locations_fixture.h"
#include "support/report_fixture.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

class ReportFormTest : public testing::ReportFixture {
 protected:
  // The report context at a shipped city.
  ReportContext Context(const char* city, const char* country, Language lang = Language::English,
                        const char* state = "") {
    ReportContext c = CityContext(city, country, lang, state);
    c.Sections = &sections;
    c.AskSaveFileName = [this] { return chosenFile; };
    return c;
  }

  QString Cell(const TKQViewForm& form, int row, int column) {
    return form.KQBox->model()->index(row, column).data().toString();
  }

  testing::IniSections sections;
  std::string chosenFile;
};

TEST_F(ReportFormTest, AMonthHasNoPeaksAndNoSavingLetterWithoutSaving) {
  sections.ini.WriteString("PrintOptionsOne Month", "POSaving", "True");
  sections.ini.WriteString("PrintOptionsOne Month", "POPeaks", "True");
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Month, EncodeDate(2026, 2, 1));
  EXPECT_EQ(28, form->KQBox->model()->rowCount());
  EXPECT_FALSE(form->PeaksCheck->isEnabled());
  EXPECT_FALSE(form->PeaksOnlyCheck->isEnabled());
  EXPECT_FALSE(form->SavingCheck->isEnabled());
  EXPECT_FALSE(form->SavingCheck->isChecked());
  EXPECT_FALSE(form->Report().Design().POSaving);
  for (int row = 0; row < 28; ++row)
    for (int k = 0; k < kReportColumns; ++k)
      EXPECT_FALSE(Cell(*form, row, k).contains('*'));
  EXPECT_EQ(1, form->DesignCombo->count());
  EXPECT_EQ("One Month", form->DesignCombo->currentText());
}

// With every column shown, each day name of the month fits its column whole, in either language
// and either order; the table keeps its width.
TEST_F(ReportFormTest, EveryDayNameFitsTheDayColumn) {
  for (Language lang : {Language::English, Language::Arabic}) {
    for (bool rightToLeft : {false, true}) {
      SCOPED_TRACE(std::to_string(static_cast<int>(lang)) + (rightToLeft ? " right" : " left"));
      auto form =
          Open(Context("DAMASCUS", "SYRIA", lang), ReportKind::Month, EncodeDate(2026, 2, 1));
      for (QCheckBox* check :
           {form->DayNameCheck, form->HijriCheck, form->GregorianCheck, form->ImsakCheck})
        if (!check->isChecked())
          check->click();
      if (form->LeftCheck->isChecked() != rightToLeft)
        form->LeftCheck->click();
      const int day = rightToLeft ? 9 : 0;
      ASSERT_FALSE(form->KQHeader->isSectionHidden(day));
      QAbstractItemDelegate* painter = form->KQBox->itemDelegate();
      QStyleOptionViewItem option;
      option.initFrom(form->KQBox);
      for (int row = 0; row < 7; ++row) {
        const QModelIndex cell = form->KQBox->model()->index(row, day);
        EXPECT_GE(form->KQHeader->sectionSize(day), painter->sizeHint(option, cell).width())
            << cell.data().toString().toStdString();
      }
      int total = 0;
      for (int k = 0; k < kReportColumns; ++k)
        total += form->KQHeader->isSectionHidden(k) ? 0 : form->KQHeader->sectionSize(k);
      EXPECT_LE(total, 600);
    }
  }
}

TEST_F(ReportFormTest, ColumnsFollowTheChecksAndTheHeaderCyclesAlignment) {
  auto form = Open(Context("DAMASCUS", "SYRIA"), ReportKind::Month, EncodeDate(2026, 2, 1));
  EXPECT_TRUE(form->KQHeader->isSectionHidden(0));
  EXPECT_EQ(85, form->KQHeader->sectionSize(2));  // 600 div 7
  form->GregorianCheck->click();
  EXPECT_TRUE(form->KQHeader->isSectionHidden(2));
  EXPECT_EQ(100, form->KQHeader->sectionSize(4));
  form->ImsakCheck->click();
  EXPECT_FALSE(form->KQHeader->isSectionHidden(3));
  EXPECT_EQ("Imsak", form->KQBox->model()->headerData(3, Qt::Horizontal).toString());

  const auto alignment = [&] {
    return form->KQBox->model()->index(0, 4).data(Qt::TextAlignmentRole).value<Qt::Alignment>() &
           Qt::AlignHorizontal_Mask;
  };
  EXPECT_EQ(Qt::AlignLeft | Qt::AlignAbsolute, alignment());
  form->KQHeaderSectionClick(4);
  EXPECT_EQ(Qt::AlignHCenter, alignment());
  EXPECT_EQ(AlignCenter, form->Report().Design().AlignmentField[4]);
  form->KQHeaderSectionClick(4);
  EXPECT_EQ(AlignRight, form->Report().Design().AlignmentField[4]);
  form->KQHeaderSectionClick(4);
  EXPECT_EQ(AlignLeft, form->Report().Design().AlignmentField[4]);

  form->C24H->click();
  EXPECT_FALSE(form->AMPM->isEnabled());
  EXPECT_TRUE(Cell(*form, 0, 8).startsWith(QStringLiteral("1")));  // Maghrib in 24 hours
  form->UseDef->click();
  EXPECT_FALSE(form->C24H->isChecked());
  EXPECT_TRUE(form->AMPM->isEnabled());
  EXPECT_TRUE(form->KQHeader->isSectionHidden(3));

  // Closing writes the designs and the language's current design.
  form->CloseBtn->click();
  EXPECT_EQ(1, sections.saves);
  EXPECT_EQ(3, sections.ini.ReadInteger(kPrintOptionsSection, "CurrentEnglishDesign", -1));
  EXPECT_FALSE(sections.ini.ValueExists(kPrintOptionsSection, "CurrentArabicDesign"));
  EXPECT_EQ("Left", sections.ini.ReadString("PrintOptionsOne Month", "AlignmentField4", ""));
}

// Enter never throws the design away: it closes the window as "Close" does, which keeps the
// change in VEK.INI. The built-in design comes back only by a click or by its accelerator.
TEST_F(ReportFormTest, EnterAfterAChangeKeepsIt) {
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(lang == Language::Arabic ? "Arabic" : "English");
    auto form = Open(Context("DAMASCUS", "SYRIA", lang), ReportKind::Month, EncodeDate(2026, 2, 1));
    form->show();
    form->activateWindow();
    testing::Spin([&] { return QApplication::activeWindow() == form.get(); },
                  std::chrono::seconds(5));
    ASSERT_EQ(form.get(), QApplication::activeWindow());
    EXPECT_EQ(form->KQBox, QApplication::focusWidget());
    EXPECT_FALSE(form->UseDef->isDefault());
    EXPECT_FALSE(QKeySequence::mnemonic(form->UseDef->text()).isEmpty());

    ASSERT_FALSE(form->Report().Design().POImsak);
    form->ImsakCheck->setFocus();
    form->ImsakCheck->click();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(form->ImsakCheck, &enter);
    EXPECT_TRUE(form->Report().Design().POImsak);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ("True",
              sections.ini.ReadString(DesignSection(form->Report().Design()), "POImsak", ""));
  }
}

// In the running program the timetable's designs and the report range go into VEK.INI through
// the session: one chosen before the start-up has finished waits in memory for its first save,
// each close after it writes the file, and saves that fail are told once.
TEST_F(ReportFormTest, TheSessionSavesTheDesignsAndTheRangeInVekIni) {
  testing::TempDir dir;
  std::filesystem::copy_file(std::filesystem::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC",
                             dir.path() / "VEK.LOC");
  const std::filesystem::path file = dir.path() / "VEK.INI";
  const std::string before = "[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n";
  ASSERT_EQ(0, WriteFileReplacing(file, before));
  testing::FakeUi ui;
  testing::FakeWallClock clock(EncodeDate(2026, 12, 10) + 0.5);
  ProgramSession session(dir.path(), ui, clock);
  session.OpenSettings();
  ASSERT_TRUE(session.LoadLocations());
  session.SelectSavedLocation();
  session.ComputeToday();

  RangeSelectorModel early(MakeRangeSelectorContext(session));
  early.SetRangeYear(2027);
  early.Close();
  std::string onDisk;
  ASSERT_EQ(0, ReadWholeFile(file, onDisk));
  EXPECT_EQ(before, onDisk);
  session.StartupFinished();
  EXPECT_EQ(EncodeDate(2027, 12, 1), IniFile(file).ReadInteger(kRangeSection, kRangeKey, -1));

  auto form = Open(MakeReportContext(session), ReportKind::Month, EncodeDate(2026, 12, 1));
  form->KQHeaderSectionClick(4);
  const std::string section = DesignSection(form->Report().Design());
  form->CloseBtn->click();
  const IniFile saved(file);
  EXPECT_EQ("Center", saved.ReadString(section, "AlignmentField4", ""));
  EXPECT_EQ(form->Report().CurrentDesign(),
            saved.ReadInteger(kPrintOptionsSection, "CurrentEnglishDesign", -1));
  EXPECT_EQ(EncodeDate(2027, 12, 1), saved.ReadInteger(kRangeSection, kRangeKey, -1));
  EXPECT_TRUE(ui.messages.empty());

  std::filesystem::remove_all(dir.path());  // every save fails from now on
  RangeSelectorModel(MakeRangeSelectorContext(session)).Close();
  Open(MakeReportContext(session), ReportKind::Year, EncodeDate(2026, 1, 1))->CloseBtn->click();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("The settings could not be saved to the file:\r\n"))
      << ui.messages[0];
}

TEST_F(ReportFormTest, AYearShowsPeaksOnlyRowsWhenTheDesignAsks) {
  auto form = Open(Context("SYDNEY", "AUSTRALIA"), ReportKind::Year, EncodeDate(2026, 1, 1));
  EXPECT_EQ(365, form->KQBox->model()->rowCount());
  EXPECT_TRUE(form->SavingCheck->isEnabled());
  EXPECT_EQ(3, form->DesignCombo->count());
  form->PeaksOnlyCheck->click();
  const int peaks = static_cast<int>(form->Report().PeakRows().size());
  EXPECT_EQ(peaks, form->KQBox->model()->rowCount());
  form->PeaksOnlyCheck->click();
  EXPECT_EQ(365, form->KQBox->model()->rowCount());
  form->DesignCombo->setCurrentIndex(form->DesignCombo->findText("Summary Only"));
  EXPECT_EQ(2, form->Report().CurrentDesign());
  EXPECT_TRUE(form->PeaksOnlyCheck->isChecked());
  EXPECT_EQ(peaks, form->KQBox->model()->rowCount());
  EXPECT_EQ(1, form->Report().PageCount());
  form->SavingCheck->click();
  EXPECT_TRUE(Cell(*form, 0, 2).startsWith("N "));  // 1 January: summer in Sydney
}

TEST_F(ReportFormTest, TheArabicFormRunsRightToLeftOverTheDesignsColumns) {
  ReportContext context = Context("MAKKAH", "SAUDI ARABIA", Language::Arabic);
  context.Source.HijriMode = true;
  auto form = Open(context, ReportKind::Month, HijriToDate(1448, 9, 1, 0));
  EXPECT_EQ(Qt::RightToLeft, form->layoutDirection());
  EXPECT_EQ(Qt::LeftToRight, form->KQBox->layoutDirection());
  EXPECT_EQ(QString::fromUtf8("عشاء"), form->KQBox->model()->headerData(0, Qt::Horizontal));
  EXPECT_EQ(QString::fromUtf8("شهر واحد"), form->DesignCombo->currentText());
  EXPECT_EQ(30, form->KQBox->model()->rowCount());  // Ramadan 1448
  EXPECT_EQ(1448, form->Report().ReportYear());
  EXPECT_EQ(9, form->Report().ReportMonth());
}

TEST_F(ReportFormTest, SavingToAFileAndAFailedSave) {
  testing::TempDir dir;
  ReportContext context = Context("NEW YORK", "USA", Language::English, "NY");
  testing::FakeFileSystem files;
  context.Files = &files;
  auto form = Open(context, ReportKind::Month, EncodeDate(2026, 3, 1));
  chosenFile = (dir.path() / "march.txt)").string();
  form->SaveToFileBtn->click();
  std::ifstream in(dir.path() / "march.txt", std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  EXPECT_EQ(Utf8ToCp1256Lossy(TimetableExportText(form->Report())), bytes.str());
  EXPECT_EQ(0u, bytes.str().find("Location: NEW YORK, NY, USA\r\n"));
  EXPECT_TRUE(messages.empty());

  files.failRename = [](const auto&, const auto&) { return EACCES; };
  form->SaveToFileBtn->click();
  ASSERT_EQ(1u, messages.size());
  EXPECT_NE(std::string::npos, messages[0].find("could not be saved"));
  EXPECT_NE(std::string::npos, messages[0].find("File access denied"));

  // A folder that is not there.
  chosenFile = (dir.path() / "gone" / "march.txt").string();
  form->SaveToFileBtn->click();
  ASSERT_EQ(2u, messages.size());
  EXPECT_NE(std::string::npos, messages[1].find("DOS error code 3: Path not found")) << messages[1];

  chosenFile.clear();  // cancelled
  form->SaveToFileBtn->click();
  EXPECT_EQ(2u, messages.size());
}

TEST_F(ReportFormTest, TheYearGraphHasADayAColumnAndFuchsiaInRamadan) {
  ReportContext context = Context("MAKKAH", "SAUDI ARABIA");
  context.Source.HijriMode = true;
  TVEKGraph graph(context);
  const int days = DaysInCalendarYear(DateToHijri(context.Today, 0).Year, true, 0);
  EXPECT_EQ(days, graph.Image().width());
  EXPECT_EQ(TVEKGraph::kGraphHeight, graph.Image().height());
  EXPECT_FALSE(graph.ConflictShown());
  // 1 Ramadan is column 236 or so of a Hijri year: the rows of Ramadan have fuchsia pixels.
  int ramadanColumns = 0;
  for (int x = 0; x < graph.Image().width(); ++x) {
    bool fuchsia = false;
    for (int y = 0; y < graph.Image().height() && !fuchsia; ++y)
      fuchsia = graph.Image().pixelColor(x, y) == QColor(0xFF, 0x00, 0xFF);
    EXPECT_EQ(IsRamadanDate(graph.Rows()[static_cast<std::size_t>(x)].Date, 0), fuchsia) << x;
    ramadanColumns += fuchsia;
  }
  EXPECT_EQ(HijriMonthLength(DateToHijri(context.Today, 0).Year, 9, 0), ramadanColumns);
}

}  // namespace
}  // namespace vek
