// What the report range selector decides, without widgets: one month or one whole year, which
// one (Gregorian or Hijri as the user's date kind says), the captions of its month and year
// panels, and the remembered first day of the chosen month in VEK.INI.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/language.h"
#include "program/report_range.h"
#include "program/settings.h"
#include "program/settings_sections.h"

namespace vek {

inline constexpr std::string_view kRangeSection = "MonthYearSelection";
inline constexpr std::string_view kRangeKey = "MonthAndYear";

// What the selector takes from the program.
struct RangeSelectorContext {
  Language Lang = Language::English;
  bool ShowHint = true;
  bool HijriMode = false;
  int HijriAdjust = 0;
  double Today = 0;                      // whole days since 1899-12-30
  NameLists Names = DefaultNameLists();  // the user's month names
  // VEK.INI's sections: the remembered day is read from them and written (and saved) there.
  SettingsSections* Sections = nullptr;
};

class RangeSelectorModel {
 public:
  // Starts on the remembered month, or the current one when none was saved. A remembered day
  // outside the years the up-downs offer opens on the nearest month inside them. The kind is
  // one month until the caller says otherwise.
  explicit RangeSelectorModel(RangeSelectorContext context);

  const RangeSelectorContext& Context() const { return context_; }
  ReportKind RangeKind() const { return range_.RangeKind; }
  int RangeYear() const { return range_.RangeYear; }
  int RangeMonth() const { return range_.RangeMonth; }
  ReportRange Range() const { return range_; }
  // The day read from VEK.INI at creation, then the one written at closing; -1 for none.
  int SavedDay() const { return savedDay_; }
  RangeYears YearLimits() const { return RangeYearLimits(context_.HijriMode); }

  void SetRangeKind(ReportKind kind) { range_.RangeKind = kind; }
  // The up-downs: values outside their ranges are taken to the nearest end.
  void SetRangeMonth(int month);
  void SetRangeYear(int year);
  // The month up-down is enabled for a one-month range only.
  bool MonthEnabled() const { return range_.RangeKind == ReportKind::Month; }

  // The caption of the month panel: the chosen month's name in the user's language and date
  // kind (in year mode the first month's); of the year panel: the year.
  std::string MonthCaption() const;
  std::string YearCaption() const;

  // Closing, by any button: the first day of the chosen month is remembered in VEK.INI and the
  // file is saved.
  void Close();

 private:
  RangeSelectorContext context_;
  ReportRange range_;
  int savedDay_ = -1;
};

}  // namespace vek
