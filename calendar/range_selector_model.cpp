#include "calendar/range_selector_model.h"

#include <algorithm>
#include <cmath>

#include "engine/calendar.h"

namespace vek {

namespace {

// The year and month of a date in the calendar that hijriMode selects.
ReportRange MonthOf(double date, bool hijriMode, int hijriAdjust) {
  const YearMonthDay d = DecodeCalendarDate(date, hijriMode, hijriAdjust);
  ReportRange r;
  r.RangeYear = static_cast<std::uint16_t>(d.year);
  r.RangeMonth = static_cast<std::uint16_t>(d.month);
  return r;
}

}  // namespace

RangeSelectorModel::RangeSelectorModel(RangeSelectorContext context)
    : context_(std::move(context)) {
  if (context_.Sections)
    savedDay_ = static_cast<int>(
        std::clamp<long>(context_.Sections->File().ReadInteger(kRangeSection, kRangeKey, -1),
                         -100'000'000L, 100'000'000L));
  const bool hijri = context_.HijriMode;
  const int adjust = context_.HijriAdjust;
  const double start = savedDay_ != -1 ? savedDay_ : std::floor(context_.Today);
  const RangeYears limits = YearLimits();
  if (start < FirstAllowedDate(hijri, adjust)) {
    range_.RangeYear = static_cast<std::uint16_t>(limits.First);
    range_.RangeMonth = 1;
  } else if (start > LastAllowedDate(hijri, adjust)) {
    range_.RangeYear = static_cast<std::uint16_t>(limits.Last);
    range_.RangeMonth = 12;
  } else {
    range_ = MonthOf(start, hijri, adjust);
  }
  range_.RangeKind = ReportKind::Month;
}

void RangeSelectorModel::SetRangeMonth(int month) {
  range_.RangeMonth = static_cast<std::uint16_t>(std::clamp(month, 1, 12));
}

void RangeSelectorModel::SetRangeYear(int year) {
  const RangeYears limits = YearLimits();
  range_.RangeYear = static_cast<std::uint16_t>(std::clamp(year, limits.First, limits.Last));
}

std::string RangeSelectorModel::MonthCaption() const {
  const NameLists& n = context_.Names;
  const bool arabic = context_.Lang == Language::Arabic;
  const auto& months =
      context_.HijriMode ? (arabic ? n.AHMonths : n.EHMonths) : (arabic ? n.AMonths : n.EMonths);
  const int month = range_.RangeKind == ReportKind::Year ? 1 : range_.RangeMonth;
  return months[static_cast<std::size_t>(month - 1)];
}

std::string RangeSelectorModel::YearCaption() const {
  return std::to_string(range_.RangeYear);
}

void RangeSelectorModel::Close() {
  savedDay_ = static_cast<int>(MonthStartDate(range_.RangeYear, range_.RangeMonth,
                                              context_.HijriMode, context_.HijriAdjust));
  if (context_.Sections)
    context_.Sections->Write(
        [this](IniFile& ini) { ini.WriteInteger(kRangeSection, kRangeKey, savedDay_); });
}

}  // namespace vek
