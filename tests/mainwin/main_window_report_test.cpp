// The main window's timetable commands: the range selector and the report, the calendar window
// and the year graph, each opened modally and closed by the test.
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include "calendar/date_picker.h"
#include "calendar/range_selector.h"
#include "mainwin/main_window_fixture.h"
#include "report/timetable_view.h"
#include "report/year_graph_window.h"
#include "support/program_session_access.h"

namespace vek::testing {
namespace {

TEST_F(MainWindowTest, TheReportButtonOpensTheSelectorOnAYearAndTheReportInTheChosenKind) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start({"StopClock"});
  ASSERT_TRUE(w->W.ReportBtn->isEnabled());
  ASSERT_TRUE(w->W.CalendarBtn->isEnabled());
  bool openedOnYear = false;
  int rows = 0;
  ReportKind kind = ReportKind::Month;
  const QPrinter* reportPrinter = nullptr;
  OnNextDialog<TMonthYearSelect>([&](TMonthYearSelect& selector) {
    openedOnYear = selector.YearRadio->isChecked();
    selector.MonthRadio->setChecked(true);  // the user chooses one month instead
    selector.OkBtn->click();
  });
  OnNextDialog<TKQViewForm>([&](TKQViewForm& report) {
    rows = report.Report().DisplayedCount();
    kind = report.Report().ReportMode();
    reportPrinter = report.Context().Printer.get();
    report.CloseBtn->click();
  });
  w->W.ReportBtn->click();
  EXPECT_EQ(2, modalsShown);
  EXPECT_TRUE(openedOnYear);
  EXPECT_EQ(ReportKind::Month, kind);
  EXPECT_EQ(31, rows);  // December 2026
  // The report prints on the run's one printer.
  ASSERT_NE(nullptr, reportPrinter);
  EXPECT_EQ(w->RunPrinter().get(), reportPrinter);
  IniFile ini(folder() / "VEK.INI");
  EXPECT_EQ(EncodeDate(2026, 12, 1), ini.ReadInteger("MonthYearSelection", "MonthAndYear", -1));
  EXPECT_TRUE(ini.SectionExists("PrintOptionsOne Month"));
}

TEST_F(MainWindowTest, ACancelledSelectorOpensNoReport) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start({"StopClock"});
  bool openedOnMonth = false;
  OnNextDialog<TMonthYearSelect>([&](TMonthYearSelect& selector) {
    openedOnMonth = selector.MonthRadio->isChecked();
    selector.reject();
  });
  w->W.MonthItem->trigger();
  EXPECT_EQ(1, modalsShown);
  EXPECT_TRUE(openedOnMonth);
  IniFile ini(folder() / "VEK.INI");
  EXPECT_EQ(EncodeDate(2026, 12, 1), ini.ReadInteger("MonthYearSelection", "MonthAndYear", -1));
  EXPECT_FALSE(ini.SectionExists("PrintOptionsOne Month"));
}

TEST_F(MainWindowTest, TheCalendarSwitchesTheProgramsDatesAndTheGraphShowsTheYear) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start({"StopClock"});
  const QString gregorian = w->W.SDate_P->text();
  double shown = 0;
  OnNextDialog<TBrDateForm>([&](TBrDateForm& form) {
    shown = form.CalendarDate();
    form.ConvertBtn->click();
    form.CloseBtn->click();
  });
  OnNextDialog<TVEKGraph>([&](TVEKGraph& graph) {
    EXPECT_EQ(DaysInCalendarYear(DateToHijri(clock.now, 0).Year, true, 0), graph.Image().width());
    graph.reject();
  });
  w->W.CalendarBtn->click();
  EXPECT_EQ(EncodeDate(2026, 12, 10), shown);
  EXPECT_TRUE(w->Context().Settings.HijriMode);
  EXPECT_NE(gregorian, w->W.SDate_P->text());
  w->W.ShowPeaksItem->trigger();
  EXPECT_EQ(2, modalsShown);
}

TEST_F(MainWindowTest, WithoutACurrentLocationThereIsNoReportOrGraph) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start({"StopClock"});
  ProgramSessionTestAccess::State(w->Session()).Locations.CurrentIndex = -1;
  w->UpdateMenuCaptions();
  EXPECT_FALSE(w->W.ReportBtn->isEnabled());
  EXPECT_FALSE(w->W.YearItem->isEnabled());
  EXPECT_FALSE(w->W.ShowPeaksItem->isEnabled());
  EXPECT_TRUE(w->W.CalendarBtn->isEnabled());
  w->ReportClick(ReportKind::Year);
  w->ShowPeaksClick();
  EXPECT_EQ(0, modalsShown);
}

}  // namespace
}  // namespace vek::testing
