// The month calendar's layout and stepping, without widgets: one header row of day names over
// six rows of day numbers in seven columns, for a Gregorian or a Hijri month (the Hijri one by
// the engine's calendar with the grid's own adjustment), Saturday first, and mirrored (the
// first column on the right) for the Arabic face.
#pragma once

#include <functional>
#include <string>

#include "foundation/language.h"

namespace vek {

class MonthGrid {
 public:
  static constexpr int kColumns = 7;
  static constexpr int kRows = 7;  // the header row and six rows of days

  // The grid on today's date, which it keeps following until a day is chosen.
  explicit MonthGrid(double today);

  bool ArabicFace() const { return arabicFace_; }
  bool Hijri() const { return hijri_; }
  int AdvanceHijri() const { return advanceHijri_; }
  int StartOfWeek() const { return startOfWeek_; }
  bool ReadOnly() const { return readOnly_; }
  bool UseCurrentDate() const { return useCurrentDate_; }
  double CalendarDate() const { return date_; }
  // The column position of day 1 (1 when it falls in the first column, down to -5).
  int Offset() const { return offset_; }
  // The cell of the shown day (row 1..6, column 0..6 from the left).
  int CurrentRow() const { return currentRow_; }
  int CurrentColumn() const { return currentColumn_; }

  // Each setter that changes its value lays the month out again.
  void SetArabicFace(bool arabicFace);
  void SetHijri(bool hijri);
  void SetAdvanceHijri(int days);
  void SetStartOfWeek(int day);  // 0..6, 0 = Saturday
  void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
  // Stores the date, lays the month out and tells OnChange.
  void SetCalendarDate(double date);

  // 1 year, 2 month, 3 day of the shown date in the grid's calendar; -1 for anything else.
  int GetDateElement(int element) const;
  // Sets one element: ignored when value is below 1, a month above 12, a day above the shown
  // month's length, or unchanged. A new year or month keeps the day, cut to that month's
  // length. The grid then stops following today's date and tells OnChange.
  void SetDateElement(int element, int value);

  // Month lengths in the grid's calendar (Hijri: 29 or 30), the Gregorian leap-year rule, and
  // the length of the shown month.
  int DaysPerMonth(int year, int month) const;
  static bool IsLeapYear(int year);
  int DaysThisMonth() const;

  // Steps one month (n = 1) or back (n = -1): the neighbouring month, on the same day number
  // unless that month is shorter (then its last day).
  void StepMonth(int n);
  // Steps one year up or down, keeping the month; the day is cut to that month's length.
  void StepYear(int n);

  // The day of a day cell (row 1..6), or 0 for a cell outside the month or the header.
  int DayAt(int row, int column) const;
  // The text of a cell: a day name in the header row (English or, with the Arabic face,
  // Arabic), the day number in a day cell of the month, else empty.
  std::string CellText(int row, int column) const;
  // A cell can be chosen when it shows a day and the grid is not read-only.
  bool CanSelectCell(int row, int column) const;
  // A click on a cell that can be chosen sets that day.
  void ClickCell(int row, int column);

  // The keys of the grid, as the reader sees them: Left and Right are the cells on that side
  // (the day before and after, swapped for the Arabic face), Up and Down the week before and
  // after, PageUp and PageDown the month before and after, Home and End the first and last day
  // of the month, Enter chooses the shown day as a click on it does. The days may run into the
  // neighbouring month. The keys that choose a day do nothing while the grid is read-only.
  enum class Key { Left, Right, Up, Down, PageUp, PageDown, Home, End, Enter };
  void PressKey(Key key);

  // Told after every change of the date.
  std::function<void()> OnChange;
  // Told after every new layout of the month (a new date, calendar, adjustment, face or first
  // day of the week), so that a view of the grid shows it.
  std::function<void()> OnLayout;

 private:
  // The day-name index (0 = Saturday) and the mirrored column of a grid column.
  int LogicalColumn(int column) const;
  void UpdateCalendar();
  // Chooses the day days away from the shown one, in this month or a neighbouring one.
  void MoveDays(int days);
  double Rebuild(int year, int month, int day) const;
  void Changed();

  bool arabicFace_ = false;
  bool hijri_ = false;
  int advanceHijri_ = 0;
  double date_ = 0;
  int offset_ = 1;
  bool readOnly_ = false;
  int startOfWeek_ = 0;
  bool useCurrentDate_ = true;
  int currentRow_ = 1;
  int currentColumn_ = 0;
};

// The day names of the grid's header, Saturday first.
const std::string& GridDayName(int saturdayFirstIndex, Language lang);

}  // namespace vek
