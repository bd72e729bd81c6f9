// The main window's timetable commands: the month and year reports (the range selector, then the
// timetable window, which prints on the run's printer), the calendar window and the year graph,
// with their menu and buttons.
#include <QMenuBar>

#include "calendar/date_picker.h"
#include "calendar/range_selector.h"
#include "calendar/session_calendar_context.h"
#include "foundation/qt/qt_printer_info.h"
#include "foundation/qt/qt_strings.h"
#include "mainwin/main_window.h"
#include "report/report_printing.h"
#include "report/session_report_context.h"
#include "report/timetable_view.h"
#include "report/year_graph_window.h"

namespace vek {

void TVEK__MAIN::BuildReportMenu() {
  W.ReportMenu = menuBar()->addMenu(QString());
  W.MonthItem =
      W.ReportMenu->addAction(QString(), this, [this] { ReportClick(ReportKind::Month); });
  W.YearItem = W.ReportMenu->addAction(QString(), this, [this] { ReportClick(ReportKind::Year); });
  W.ReportMenu->addSeparator();
  W.ShowPeaksItem = W.ReportMenu->addAction(QString(), this, [this] { ShowPeaksClick(); });
  connect(W.ReportBtn, &QPushButton::clicked, this, [this] { ReportBtnClick(); });
  connect(W.CalendarBtn, &QPushButton::clicked, this, [this] { CalendarBtnClick(); });
}

void TVEK__MAIN::CaptionReportMenu() {
  W.ReportMenu->setTitle(ToQString(Text("&Report", "&التقرير")));
  W.MonthItem->setText(ToQString(Text("&Month timetable...", "جدول &شهر...")));
  W.YearItem->setText(ToQString(Text("&Year timetable...", "جدول &سنة...")));
  W.ShowPeaksItem->setText(ToQString(Text("Year &graph...", "&مخطط السنة...")));
  // Timetables and the graph are of the current location.
  const bool any = session_->HasCurrentLocation();
  for (QAction* a : {W.MonthItem, W.YearItem, W.ShowPeaksItem})
    a->setEnabled(any);
  W.ReportBtn->setEnabled(any);
}

void TVEK__MAIN::ReportClick(ReportKind preset) {
  if (!session_->HasCurrentLocation())
    return;
  TMonthYearSelect selector(MakeRangeSelectorContext(*session_), this);
  selector.SetRangeKind(preset);
  if (ShowModal(selector) != QDialog::Accepted)
    return;
  const ReportRange range = selector.Model().Range();
  const bool hijri = Settings().HijriMode;
  if (!RangeYearAllowed(range.RangeYear, hijri))
    return;
  ReportContext context = MakeReportContext(*session_, RunPrinter());
  context.Printers = options_.printers;
  context.Dialogs.RunModal = options_.runModal;  // the report's own dialogs open the same way
  TKQViewForm report(std::move(context), range.RangeKind, this);
  report.SetStartDate(RangeStartDate(range, hijri, Settings().HijriAdjust));
  report.ComputeReportRows();
  ShowModal(report);
}

std::shared_ptr<QPrinter> TVEK__MAIN::RunPrinter() {
  if (!printer_)
    printer_ = MakeRunPrinter(options_.printers ? *options_.printers : SystemPrinters());
  return printer_;
}

void TVEK__MAIN::ReportBtnClick() {
  ReportClick(ReportKind::Year);
}

void TVEK__MAIN::CalendarBtnClick() {
  TBrDateForm form(MakeDatePickerContext(*session_), this);
  form.SetDate(session_->Today());
  ShowModal(form);
  UpdateMenuCaptions();
}

void TVEK__MAIN::ShowPeaksClick() {
  if (!session_->HasCurrentLocation())
    return;
  TVEKGraph graph(MakeReportContext(*session_), this);
  ShowModal(graph);
}

}  // namespace vek
