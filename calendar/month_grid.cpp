#include "calendar/month_grid.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/calendar.h"

namespace vek {

namespace {

const std::array<std::string, 7> kEnglishDayNames = {"Saturday",  "Sunday",   "Monday", "Tuesday",
                                                     "Wednesday", "Thursday", "Friday"};
const std::array<std::string, 7> kArabicDayNames = {"السبت",    "الأحد",  "الاثنين", "الثلاثاء",
                                                    "الأربعاء", "الخميس", "الجمعة"};

// 1 Saturday .. 7 Friday.
int SaturdayFirstWeekDay(double date) {
  return (WeekDayFromSunday(date) + 1) % 7 + 1;
}

int FloorMod(int a, int b) {
  return ((a % b) + b) % b;
}

}  // namespace

const std::string& GridDayName(int saturdayFirstIndex, Language lang) {
  const auto& names = lang == Language::Arabic ? kArabicDayNames : kEnglishDayNames;
  return names[static_cast<std::size_t>(FloorMod(saturdayFirstIndex, 7))];
}

MonthGrid::MonthGrid(double today) : date_(std::floor(today)) {
  UpdateCalendar();
}

void MonthGrid::SetArabicFace(bool arabicFace) {
  if (arabicFace_ == arabicFace)
    return;
  arabicFace_ = arabicFace;
  UpdateCalendar();
}

void MonthGrid::SetHijri(bool hijri) {
  if (hijri_ == hijri)
    return;
  hijri_ = hijri;
  UpdateCalendar();
}

void MonthGrid::SetAdvanceHijri(int days) {
  if (advanceHijri_ == days)
    return;
  advanceHijri_ = days;
  UpdateCalendar();
}

void MonthGrid::SetStartOfWeek(int day) {
  const int value = FloorMod(day, 7);
  if (startOfWeek_ == value)
    return;
  startOfWeek_ = value;
  UpdateCalendar();
}

void MonthGrid::SetCalendarDate(double date) {
  date_ = std::floor(date);
  UpdateCalendar();
  Changed();
}

int MonthGrid::GetDateElement(int element) const {
  const auto [year, month, day] = DecodeCalendarDate(date_, hijri_, advanceHijri_);
  switch (element) {
    case 1:
      return year;
    case 2:
      return month;
    case 3:
      return day;
    default:
      return -1;
  }
}

void MonthGrid::SetDateElement(int element, int value) {
  if (value < 1 || element < 1 || element > 3)
    return;
  int year = GetDateElement(1);
  int month = GetDateElement(2);
  int day = GetDateElement(3);
  switch (element) {
    case 1:
      if (value == year)
        return;
      year = value;
      break;
    case 2:
      if (value > 12 || value == month)
        return;
      month = value;
      break;
    default:
      if (value > DaysThisMonth() || value == day)
        return;
      day = value;
      break;
  }
  // A day that the new month lacks (30 Ramadan in a year of a 29-day Ramadan, 29 February in a
  // common year) becomes that month's last day instead of spilling into the next month.
  day = std::min(day, DaysPerMonth(year, month));
  date_ = Rebuild(year, month, day);
  useCurrentDate_ = false;
  UpdateCalendar();
  Changed();
}

int MonthGrid::DaysPerMonth(int year, int month) const {
  return hijri_ ? HijriMonthLength(year, month, advanceHijri_) : DaysInGregorianMonth(year, month);
}

bool MonthGrid::IsLeapYear(int year) {
  return vek::IsLeapYear(year);
}

int MonthGrid::DaysThisMonth() const {
  return DaysPerMonth(GetDateElement(1), GetDateElement(2));
}

void MonthGrid::StepMonth(int n) {
  const int day = GetDateElement(3);
  const double first = date_ - (day - 1);
  // From the last day one day forward, or from the first day one day back.
  const double neighbour = n >= 1 ? first + DaysThisMonth() : first - 1;
  const YearMonthDay to = DecodeCalendarDate(neighbour, hijri_, advanceHijri_);
  SetCalendarDate(Rebuild(to.year, to.month, std::min(day, DaysPerMonth(to.year, to.month))));
}

void MonthGrid::StepYear(int n) {
  SetDateElement(1, GetDateElement(1) + (n >= 1 ? 1 : -1));
}

int MonthGrid::LogicalColumn(int column) const {
  return FloorMod(arabicFace_ ? 6 - column : column, 7);
}

int MonthGrid::DayAt(int row, int column) const {
  if (row < 1 || row >= kRows || column < 0 || column >= kColumns)
    return 0;
  const int day = LogicalColumn(column) + offset_ + (row - 1) * 7;
  return day >= 1 && day <= DaysThisMonth() ? day : 0;
}

std::string MonthGrid::CellText(int row, int column) const {
  if (column < 0 || column >= kColumns)
    return {};
  if (row == 0)
    return GridDayName(startOfWeek_ + LogicalColumn(column),
                       arabicFace_ ? Language::Arabic : Language::English);
  const int day = DayAt(row, column);
  return day > 0 ? std::to_string(day) : std::string();
}

bool MonthGrid::CanSelectCell(int row, int column) const {
  return !readOnly_ && DayAt(row, column) > 0;
}

void MonthGrid::ClickCell(int row, int column) {
  if (CanSelectCell(row, column))
    SetDateElement(3, DayAt(row, column));
}

void MonthGrid::MoveDays(int days) {
  useCurrentDate_ = false;
  SetCalendarDate(date_ + days);
}

void MonthGrid::PressKey(Key key) {
  const bool choosesDay = key != Key::PageUp && key != Key::PageDown;
  if (choosesDay && readOnly_)
    return;
  // The day after lies to the right of a day, and to its left on the mirrored face.
  const int rightward = arabicFace_ ? -1 : 1;
  switch (key) {
    case Key::Left:
      MoveDays(-rightward);
      break;
    case Key::Right:
      MoveDays(rightward);
      break;
    case Key::Up:
      MoveDays(-7);
      break;
    case Key::Down:
      MoveDays(7);
      break;
    case Key::PageUp:
      StepMonth(-1);
      break;
    case Key::PageDown:
      StepMonth(1);
      break;
    case Key::Home:
      SetDateElement(3, 1);
      break;
    case Key::End:
      SetDateElement(3, DaysThisMonth());
      break;
    case Key::Enter:
      ClickCell(currentRow_, currentColumn_);
      break;
  }
}

void MonthGrid::UpdateCalendar() {
  const double first = date_ - (GetDateElement(3) - 1);
  offset_ = 2 - FloorMod(SaturdayFirstWeekDay(first) - startOfWeek_, 7);
  if (offset_ == 2)
    offset_ = -5;
  const int cell = GetDateElement(3) - offset_;
  currentRow_ = cell / 7 + 1;
  const int column = cell % 7;
  currentColumn_ = arabicFace_ ? 6 - column : column;
  if (OnLayout)
    OnLayout();
}

double MonthGrid::Rebuild(int year, int month, int day) const {
  return EncodeCalendarDate(year, month, day, hijri_, advanceHijri_);
}

void MonthGrid::Changed() {
  if (OnChange)
    OnChange();
}

}  // namespace vek
