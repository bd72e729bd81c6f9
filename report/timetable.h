// One timetable report without widgets: the prayer times of one month or one year of the
// current location (Gregorian or Hijri), its rows with their turning points, the peaks-only
// list, the eight designs and the current one, and the texts of every cell. The report window
// shows it, the export writes it and the printed pages paint it, all through CellText and
// ColumnTitle.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "engine/day_record.h"
#include "engine/prayer_times.h"
#include "engine/trackers.h"
#include "foundation/ini_file.h"
#include "foundation/language.h"
#include "locations/location_list.h"
#include "locations/location_record.h"
#include "program/report_range.h"
#include "program/settings.h"
#include "report/cell_texts.h"
#include "report/report_design.h"

namespace vek {

// What a report takes from the program when it opens.
struct TimetableSource {
  TLocationRec Location;  // the current location
  Trackers Track;         // its high-latitude days ("#" and "^")
  NameLists Names = DefaultNameLists();
  Language Lang = Language::English;
  bool HijriMode = false;
  int HijriAdjust = 0;
};

class Timetable {
 public:
  // A report of the kind with the built-in designs, the first fitting one current.
  Timetable(ReportKind mode, TimetableSource source);

  ReportKind ReportMode() const { return mode_; }
  bool IsYear() const { return mode_ == ReportKind::Year; }
  const TimetableSource& Source() const { return source_; }
  double StartDate() const { return startDate_; }
  int ReportYear() const { return reportYear_; }
  int ReportMonth() const { return reportMonth_; }

  // Designs.
  const ReportDesigns& Designs() const { return designs_; }
  int CurrentDesign() const { return currentDesign_; }
  TPrintOptions& Design() { return designs_[static_cast<std::size_t>(currentDesign_)]; }
  const TPrintOptions& Design() const { return designs_[static_cast<std::size_t>(currentDesign_)]; }
  // Reads the designs and the language's current design from VEK.INI (a stored design that is
  // not offered for this language and kind gives the first that is).
  void LoadDesigns(const IniFile& ini);
  // Writes them back, with the current design of the language.
  void SaveDesigns(IniFile& ini) const;
  // The designs offered: those of the language that fit the kind, in index order.
  std::vector<int> DesignChoices() const;
  // Makes an offered design current (DesignComboChange by index); false for one not offered.
  bool SelectDesign(int index);
  // The offered design of that name (DesignComboChange); false when there is none.
  bool SelectDesignByName(const std::string& name);
  // Refills the current design with its built-in values (UseDefClick).
  void UseDefaults();
  // After any change of the current design or of the choice of design: the peaks-only list
  // follows the Imsak option and the page count the design.
  void DesignChanged();

  // Computes the rows from startDate (day 1 of a month, or of month 1 for a year) with
  // dayTimes, one date at a time; in a year the turning points and the peaks-only list.
  void ComputeReportRows(double startDate, const std::function<TDayTimesRec(double)>& dayTimes);
  // The same with the times of the list's current location.
  void ComputeReportRows(double startDate, const TLocations& list, const EngineContext& engine);

  const std::vector<KQItem>& Rows() const { return rows_; }
  const std::vector<KQItem>& PeakRows() const { return peakRows_; }
  // The rows shown, exported and printed: the peaks-only list in a year report whose design
  // asks for it, else every row.
  bool ShowsPeaksOnly() const { return IsYear() && Design().POPeaksOnly; }
  const std::vector<KQItem>& Displayed() const { return ShowsPeaksOnly() ? peakRows_ : rows_; }
  int DisplayedCount() const { return static_cast<int>(Displayed().size()); }
  int PageCount() const { return pageCount_; }

  // Texts of display column k (0..9 from the left) and of a displayed row.
  std::string CellText(int k, int row) const;
  std::string ColumnTitle(int k) const;
  std::string SectionTitle(int k) const;
  // The header sections' widths; the day-name column fits dayNameWidth (see ColumnWidths of the
  // design).
  std::array<int, kReportColumns> ColumnWidths(int dayNameWidth) const;
  // The location keeps daylight saving: the S/N choice is offered.
  bool SavingAvailable() const { return source_.Location.DST; }

 private:
  CellTextSource TextSource() const;

  ReportKind mode_;
  TimetableSource source_;
  ReportDesigns designs_;
  int currentDesign_ = 0;
  double startDate_ = 0;
  int reportYear_ = 0;
  int reportMonth_ = 1;
  std::vector<KQItem> rows_;
  std::vector<KQItem> peakRows_;
  int pageCount_ = 1;
};

}  // namespace vek
