#include "calendar/date_picker.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

#include "calendar/islamic_calendar.h"
#include "foundation/qt/eliding_label.h"
#include "foundation/qt/qt_strings.h"

namespace vek {

namespace {

// Arrows that point the way a button steps through time: forward is to the right in English and
// to the left in Arabic, which is read from the right.
constexpr const char* kRight = "\u25B6";
constexpr const char* kLeft = "\u25C0";

}  // namespace

TBrDateForm::TBrDateForm(DatePickerContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)) {
  setObjectName("TBrDateForm");
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(10, 10, 10, 10);
  outer->setSpacing(8);

  Title = new ElidingLabel;  // a long month name never widens the window
  Title->setObjectName("Title");
  Title->setAlignment(Qt::AlignCenter);
  QFont titleFont = Title->font();
  titleFont.setBold(true);
  titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
  Title->setFont(titleFont);
  outer->addWidget(Title);

  Calendar1 = new TIslamicCalendar(context_.Today);
  Calendar1->Grid().SetAdvanceHijri(context_.HijriAdjust);
  Calendar1->Grid().SetHijri(HijriMode());
  outer->addWidget(Calendar1, 1);
  connect(Calendar1, &TIslamicCalendar::Changed, this, [this] { Calendar1Change(); });

  auto* steps = new QHBoxLayout;
  const auto stepBox = [&](QGroupBox*& box, QPushButton*& back, QPushButton*& forward) {
    box = new QGroupBox;
    auto* row = new QHBoxLayout(box);
    back = new QPushButton;
    forward = new QPushButton;
    row->addWidget(back);
    row->addWidget(forward);
    steps->addWidget(box);
  };
  stepBox(MonthBox, NextMonthBtn, PrevMonthBtn);
  stepBox(YearBox, NextYearBtn, PrevYearBtn);
  outer->addLayout(steps);

  auto* buttons = new QHBoxLayout;
  ConvertBtn = new QPushButton;
  TodayBtn = new QPushButton;
  CloseBtn = new QPushButton;
  buttons->addWidget(ConvertBtn);
  buttons->addWidget(TodayBtn);
  buttons->addStretch(1);
  buttons->addWidget(CloseBtn);
  outer->addLayout(buttons);

  connect(PrevMonthBtn, &QPushButton::clicked, this, [this] { PrevMonthBtnClick(); });
  connect(NextMonthBtn, &QPushButton::clicked, this, [this] { NextMonthBtnClick(); });
  connect(PrevYearBtn, &QPushButton::clicked, this, [this] { PrevYearBtnClick(); });
  connect(NextYearBtn, &QPushButton::clicked, this, [this] { NextYearBtnClick(); });
  connect(ConvertBtn, &QPushButton::clicked, this, [this] { ConvertBtnClick(); });
  connect(TodayBtn, &QPushButton::clicked, this, [this] { TodayBtnClick(); });
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
  // Enter on the grid chooses its day; anywhere else but on a button it closes the window,
  // never steps the month.
  CloseBtn->setDefault(true);

  SetCaptions();
  Calendar1Change();
}

void TBrDateForm::SetDate(double date) {
  Calendar1->Grid().SetCalendarDate(date);
}

double TBrDateForm::CalendarDate() const {
  return Calendar1->Grid().CalendarDate();
}

void TBrDateForm::PrevMonthBtnClick() {
  Calendar1->Grid().StepMonth(1);
}

void TBrDateForm::NextMonthBtnClick() {
  Calendar1->Grid().StepMonth(-1);
}

void TBrDateForm::PrevYearBtnClick() {
  Calendar1->Grid().StepYear(1);
}

void TBrDateForm::NextYearBtnClick() {
  Calendar1->Grid().StepYear(-1);
}

void TBrDateForm::ConvertBtnClick() {
  if (context_.ToggleDateKind)
    context_.ToggleDateKind();
  Calendar1->Grid().SetHijri(HijriMode());
  SetCaptions();
  Calendar1Change();
}

void TBrDateForm::TodayBtnClick() {
  if (std::floor(CalendarDate()) != std::floor(context_.Today))
    SetDate(context_.Today);
}

void TBrDateForm::SetCaptions() {
  const Language lang = context_.Lang;
  const bool arabic = Arabic();
  setLayoutDirection(LayoutDirectionOf(context_.Lang));
  setWindowTitle(QByLanguage(lang, "Calendar", "التقويم"));
  MonthBox->setTitle(QByLanguage(lang, "Month", "الشهر"));
  YearBox->setTitle(QByLanguage(lang, "Year", "السنة"));
  CloseBtn->setText(QByLanguage(lang, "&Close", "&إغلاق"));
  ConvertBtn->setText(HijriMode() ? QByLanguage(lang, "&Gregorian", "&ميلادي")
                                  : QByLanguage(lang, "&Hijri", "&هجري"));
  TodayBtn->setText(QByLanguage(lang, "&Today", "&اليوم"));
  const QString forward = QString::fromUtf8(arabic ? kLeft : kRight);
  const QString back = QString::fromUtf8(arabic ? kRight : kLeft);
  PrevMonthBtn->setText(forward);
  NextMonthBtn->setText(back);
  PrevYearBtn->setText(forward + forward);
  NextYearBtn->setText(back + back);
  const bool hints = context_.ShowHint;
  const auto hint = [&](QWidget* w, const char* english, const char* text) {
    w->setToolTip(hints ? QByLanguage(lang, english, text) : QString());
  };
  hint(PrevMonthBtn, "Next month", "الشهر التالي");
  hint(NextMonthBtn, "Previous month", "الشهر السابق");
  hint(PrevYearBtn, "Next year", "السنة التالية");
  hint(NextYearBtn, "Previous year", "السنة السابقة");
  hint(ConvertBtn, "Show the calendar and the program's dates in this calendar",
       "عرض التقويم وتواريخ البرنامج بهذا التقويم");
  hint(TodayBtn, "Go to today", "الانتقال إلى اليوم");
  Calendar1->Grid().SetArabicFace(arabic);
}

void TBrDateForm::Calendar1Change() {
  SetTextIfChanged(
      Title, context_.DateCaption ? ToQString(context_.DateCaption(CalendarDate())) : QString());
}

}  // namespace vek
