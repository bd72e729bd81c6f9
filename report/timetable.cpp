#include "report/timetable.h"

#include <cmath>

#include "engine/calendar.h"
#include "program/current_location.h"
#include "report/turning_points.h"

namespace vek {

Timetable::Timetable(ReportKind mode, TimetableSource source)
    : mode_(mode), source_(std::move(source)), designs_(DefaultDesigns()) {
  currentDesign_ = std::max(0, FirstFittingDesign(designs_, source_.Lang, mode_));
  pageCount_ = ReportPageCount(mode_, Design());
}

void Timetable::LoadDesigns(const IniFile& ini) {
  vek::LoadDesigns(ini, designs_);
  currentDesign_ = std::max(0, ReadCurrentDesign(ini, designs_, source_.Lang, mode_));
  DesignChanged();
}

void Timetable::SaveDesigns(IniFile& ini) const {
  vek::SaveDesigns(ini, designs_, currentDesign_, source_.Lang);
}

std::vector<int> Timetable::DesignChoices() const {
  std::vector<int> choices;
  for (int i = 0; i < kDesignCount; ++i)
    if (DesignFits(designs_[static_cast<std::size_t>(i)], source_.Lang, mode_))
      choices.push_back(i);
  return choices;
}

bool Timetable::SelectDesign(int index) {
  if (index < 0 || index >= kDesignCount ||
      !DesignFits(designs_[static_cast<std::size_t>(index)], source_.Lang, mode_))
    return false;
  currentDesign_ = index;
  DesignChanged();
  return true;
}

bool Timetable::SelectDesignByName(const std::string& name) {
  for (int i : DesignChoices())
    if (designs_[static_cast<std::size_t>(i)].Name == name)
      return SelectDesign(i);
  return false;
}

void Timetable::UseDefaults() {
  FillDefaultDesign(currentDesign_, Design());
  DesignChanged();
}

void Timetable::DesignChanged() {
  if (IsYear())
    peakRows_ = BuildPeaksList(rows_, source_.Location, Design().POImsak, source_.HijriMode,
                               source_.HijriAdjust);
  pageCount_ = ReportPageCount(mode_, Design());
}

void Timetable::ComputeReportRows(double startDate,
                                  const std::function<TDayTimesRec(double)>& dayTimes) {
  startDate_ = std::floor(startDate);
  const bool hijri = source_.HijriMode;
  const int adjust = source_.HijriAdjust;
  const YearMonthDay start = DecodeCalendarDate(startDate_, hijri, adjust);
  reportYear_ = start.year;
  reportMonth_ = start.month;
  const int count = IsYear() ? DaysInCalendarYear(reportYear_, hijri, adjust)
                             : DaysInCalendarMonth(reportYear_, reportMonth_, hijri, adjust);
  rows_.clear();
  rows_.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const double date = startDate_ + i;
    rows_.emplace_back(i + 1, date, dayTimes(date));
  }
  peakRows_.clear();
  if (IsYear())
    MarkAllTurningPoints(rows_, source_.Location, adjust);
  DesignChanged();
}

void Timetable::ComputeReportRows(double startDate, const TLocations& list,
                                  const EngineContext& engine) {
  ComputeReportRows(startDate,
                    [&](double date) { return ComputeDayTimesForCurrent(list, date, engine); });
}

CellTextSource Timetable::TextSource() const {
  return CellTextSource{mode_,          source_.Lang,  source_.HijriAdjust, &source_.Location,
                        &source_.Track, &source_.Names};
}

std::string Timetable::CellText(int k, int row) const {
  const std::vector<KQItem>& shown = Displayed();
  if (row < 0 || row >= static_cast<int>(shown.size()))
    return {};
  return vek::CellText(Design(), TextSource(), k, shown[static_cast<std::size_t>(row)]);
}

std::string Timetable::ColumnTitle(int k) const {
  return vek::ColumnTitle(Design(), source_.Lang, k);
}

std::string Timetable::SectionTitle(int k) const {
  return vek::SectionTitle(Design(), source_.Lang, k);
}

std::array<int, kReportColumns> Timetable::ColumnWidths(int dayNameWidth) const {
  return vek::ColumnWidths(Design(), dayNameWidth);
}

}  // namespace vek
