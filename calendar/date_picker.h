// The calendar window: a month of the Gregorian or the Hijri calendar with the date caption of
// the shown day above it, month and year stepping, a button that switches the whole program
// between Gregorian and Hijri dates, and Today. Arabic or English, right to left in Arabic.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <string>

#include "foundation/language.h"

class QGroupBox;
class QLabel;
class QPushButton;

namespace vek {

class TIslamicCalendar;

// What the calendar window takes from the program.
struct DatePickerContext {
  Language Lang = Language::English;
  bool ShowHint = true;
  int HijriAdjust = 0;  // the user's Hijri adjustment
  double Today = 0;
  std::function<bool()> HijriMode;  // the program shows Hijri dates
  // Switches the program between Hijri and Gregorian dates (the main window follows and the
  // setting is saved).
  std::function<void()> ToggleDateKind;
  // The main window's caption of a date: Hijri or Gregorian as the program shows dates.
  std::function<std::string(double)> DateCaption;
};

class TBrDateForm : public QDialog {
  Q_OBJECT

 public:
  explicit TBrDateForm(DatePickerContext context, QWidget* parent = nullptr);

  void SetDate(double date);
  double CalendarDate() const;

  // Handlers of the buttons: the one named Prev steps forward, the one named Next back.
  void PrevMonthBtnClick();
  void NextMonthBtnClick();
  void PrevYearBtnClick();
  void NextYearBtnClick();
  void ConvertBtnClick();
  void TodayBtnClick();
  // The captions of the language and of the calendar shown.
  void SetCaptions();
  // The title: the date caption of the grid's date.
  void Calendar1Change();

  TIslamicCalendar* Calendar1 = nullptr;
  QLabel* Title = nullptr;
  QGroupBox* MonthBox = nullptr;
  QGroupBox* YearBox = nullptr;
  QPushButton* PrevMonthBtn = nullptr;
  QPushButton* NextMonthBtn = nullptr;
  QPushButton* PrevYearBtn = nullptr;
  QPushButton* NextYearBtn = nullptr;
  QPushButton* ConvertBtn = nullptr;
  QPushButton* TodayBtn = nullptr;
  QPushButton* CloseBtn = nullptr;

 private:
  bool Arabic() const { return context_.Lang == Language::Arabic; }
  bool HijriMode() const { return context_.HijriMode && context_.HijriMode(); }

  DatePickerContext context_;
};

}  // namespace vek
