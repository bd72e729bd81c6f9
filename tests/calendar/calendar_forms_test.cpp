// The calendar window and the report range selector, driven offscreen.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBackingStore>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include <functional>

#include "calendar/date_picker.h"
#include "calendar/islamic_calendar.h"
#include "calendar/range_selector.h"
#include "engine/calendar.h"
#include "support/drawn_ink.h"
#include "support/event_wait.h"
#include "support/ini_sections.h"

namespace vek {
namespace {

using testing::Spin;

void Press(QWidget* widget, Qt::Key key) {
  QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

// What the window of a shown widget last put on the screen, in the widget's area: the window's
// backing store, which holds only what was painted.
QImage OnScreen(QWidget* widget) {
  auto* image = dynamic_cast<QImage*>(widget->window()->backingStore()->paintDevice());
  if (!image)
    return {};
  const qreal ratio = image->devicePixelRatio();
  const QRect area(widget->mapTo(widget->window(), QPoint(0, 0)), widget->size());
  return image->copy(QRect((area.topLeft() * ratio), area.size() * ratio));
}

// The grid as it would be drawn now.
using testing::Drawn;

class DatePickerTest : public ::testing::Test {
 protected:
  DatePickerContext Context(Language lang = Language::English) {
    DatePickerContext c;
    c.Lang = lang;
    c.Today = today;
    c.HijriMode = [this] { return hijri; };
    c.ToggleDateKind = [this] {
      hijri = !hijri;
      ++toggles;
    };
    c.DateCaption = [this](double date) {
      return (hijri ? "H " : "G ") + std::to_string(static_cast<int>(date));
    };
    return c;
  }

  double today = EncodeDate(2026, 12, 10);
  bool hijri = false;
  int toggles = 0;
};

TEST_F(DatePickerTest, ConvertingTwiceReturnsToTheStartingCalendar) {
  TBrDateForm form(Context());
  form.SetDate(today);
  EXPECT_EQ("&Hijri", form.ConvertBtn->text());
  EXPECT_EQ(QString("G %1").arg(static_cast<int>(today)), form.Title->text());
  form.ConvertBtn->click();
  EXPECT_TRUE(hijri);
  EXPECT_TRUE(form.Calendar1->Grid().Hijri());
  EXPECT_EQ("&Gregorian", form.ConvertBtn->text());
  EXPECT_EQ(QString("H %1").arg(static_cast<int>(today)), form.Title->text());
  EXPECT_EQ(DateToHijri(today, 0).Day, form.Calendar1->Grid().GetDateElement(3));
  form.ConvertBtn->click();
  EXPECT_FALSE(hijri);
  EXPECT_FALSE(form.Calendar1->Grid().Hijri());
  EXPECT_EQ(2, toggles);
  EXPECT_EQ(today, form.CalendarDate());
}

TEST_F(DatePickerTest, TodayChangesNothingOnTodayAndReturnsFromElsewhere) {
  TBrDateForm form(Context());
  form.SetDate(today);
  int changes = 0;
  QObject::connect(form.Calendar1, &TIslamicCalendar::Changed, [&] { ++changes; });
  form.TodayBtn->click();
  EXPECT_EQ(0, changes);
  form.PrevYearBtn->click();
  EXPECT_EQ(EncodeDate(2027, 12, 10), form.CalendarDate());
  form.TodayBtn->click();
  EXPECT_EQ(today, form.CalendarDate());
  EXPECT_EQ(2, changes);
}

// The button named Prev steps forward; its arrow points forward in the reading direction, and it
// stands on the forward side.
TEST_F(DatePickerTest, StepButtonsPointTheWayTheyStep) {
  for (Language lang : {Language::English, Language::Arabic}) {
    const bool arabic = lang == Language::Arabic;
    TBrDateForm form(Context(lang));
    form.SetDate(today);
    form.show();
    QCoreApplication::processEvents();
    form.PrevMonthBtn->click();
    EXPECT_EQ(EncodeDate(2027, 1, 10), form.CalendarDate());
    form.NextMonthBtn->click();
    form.NextMonthBtn->click();
    EXPECT_EQ(EncodeDate(2026, 11, 10), form.CalendarDate());
    EXPECT_EQ(QString::fromUtf8(arabic ? "\u25C0" : "\u25B6"), form.PrevMonthBtn->text());
    EXPECT_EQ(arabic, form.PrevMonthBtn->x() < form.NextMonthBtn->x());
    EXPECT_EQ(arabic, form.Calendar1->Grid().ArabicFace());
    EXPECT_EQ(arabic ? Qt::RightToLeft : Qt::LeftToRight, form.layoutDirection());
  }
}

// The grid on the screen is the grid of the date, the calendar and the adjustment it holds,
// after every change of them, without waiting for a click.
TEST_F(DatePickerTest, TheScreenShowsEveryNewLayoutOfTheGridAtOnce) {
  TBrDateForm form(Context());
  form.SetDate(today);
  form.show();
  TIslamicCalendar* grid = form.Calendar1;
  const auto shown = [grid] { return OnScreen(grid) == Drawn(grid); };
  ASSERT_TRUE(Spin([&] { return !OnScreen(grid).isNull() && shown(); }, std::chrono::seconds(5)));
  const struct {
    const char* what;
    std::function<void()> change;
  } changes[] = {
      {"to Hijri", [&] { form.ConvertBtn->click(); }},
      {"the Hijri adjustment", [&] { grid->Grid().SetAdvanceHijri(2); }},
      {"back to Gregorian", [&] { form.ConvertBtn->click(); }},
      {"a month on", [&] { form.PrevMonthBtn->click(); }},
      {"a year back", [&] { form.NextYearBtn->click(); }},
      {"the first day of the week", [&] { grid->Grid().SetStartOfWeek(2); }},
      {"the Arabic face", [&] { grid->Grid().SetArabicFace(true); }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.what);
    const QImage before = OnScreen(grid);
    c.change();
    EXPECT_NE(before, Drawn(grid));
    EXPECT_TRUE(Spin(shown, std::chrono::milliseconds(1000)));
  }
  EXPECT_TRUE(grid->Grid().ArabicFace());
}

// Tab stops on the grid, which frames the shown day while it has the focus; the arrows move the
// day the way they point, and Enter stays in the grid.
TEST_F(DatePickerTest, TabStopsOnTheGridWhichFramesTheShownDay) {
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(lang == Language::Arabic ? "Arabic" : "English");
    TBrDateForm form(Context(lang));
    form.SetDate(today);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(
        Spin([&] { return QApplication::activeWindow() == &form; }, std::chrono::seconds(5)));
    TIslamicCalendar* grid = form.Calendar1;
    form.CloseBtn->setFocus();
    for (int i = 0; i < 12 && !grid->hasFocus(); ++i)
      Press(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(grid->hasFocus());
    const QRect day = grid->CellRect(grid->Grid().CurrentRow(), grid->Grid().CurrentColumn());
    const QImage framed = Drawn(grid).copy(day);
    form.CloseBtn->setFocus();
    EXPECT_NE(framed, Drawn(grid).copy(day));

    grid->setFocus();
    Press(grid, Qt::Key_Return);
    EXPECT_EQ(today, form.CalendarDate());
    EXPECT_TRUE(form.isVisible());
    Press(grid, Qt::Key_Left);
    EXPECT_EQ(lang == Language::Arabic ? today + 1 : today - 1, form.CalendarDate());
    EXPECT_EQ(QString("G %1").arg(static_cast<int>(form.CalendarDate())), form.Title->text());
  }
}

TEST(MonthGridControl, TheKeysOfACalendarMoveTheDay) {
  const struct {
    bool arabic;
    Qt::Key key;
    int month, day;
    int toMonth, toDay;
  } cases[] = {
      {false, Qt::Key_Right, 8, 20, 8, 21},  {false, Qt::Key_Left, 8, 20, 8, 19},
      {true, Qt::Key_Right, 8, 20, 8, 19},   {true, Qt::Key_Left, 8, 20, 8, 21},
      {false, Qt::Key_Up, 8, 20, 8, 13},     {true, Qt::Key_Down, 8, 20, 8, 27},
      {false, Qt::Key_PageUp, 8, 20, 7, 20}, {false, Qt::Key_PageDown, 8, 20, 9, 20},
      {false, Qt::Key_PageUp, 3, 31, 2, 28}, {false, Qt::Key_Home, 8, 20, 8, 1},
      {true, Qt::Key_End, 8, 20, 8, 31},     {false, Qt::Key_Right, 8, 31, 9, 1},
      {true, Qt::Key_Left, 8, 31, 9, 1},     {false, Qt::Key_Up, 8, 1, 7, 25},
      {false, Qt::Key_Return, 8, 20, 8, 20}, {false, Qt::Key_Enter, 8, 20, 8, 20},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.arabic << " key " << std::hex << c.key << std::dec
                                      << " on " << c.month << "/" << c.day);
    TIslamicCalendar calendar(EncodeDate(2026, c.month, c.day));
    calendar.Grid().SetArabicFace(c.arabic);
    Press(&calendar, c.key);
    EXPECT_EQ(EncodeDate(2026, c.toMonth, c.toDay), calendar.Grid().CalendarDate());
  }

  // The last day of a Hijri month of 29 days; a read-only grid only steps months.
  TIslamicCalendar hijri(HijriToDate(1447, 9, 5, 0));
  hijri.Grid().SetHijri(true);
  Press(&hijri, Qt::Key_End);
  EXPECT_EQ(HijriToDate(1447, 9, 29, 0), hijri.Grid().CalendarDate());
  hijri.Grid().SetReadOnly(true);
  for (Qt::Key key : {Qt::Key_Left, Qt::Key_Up, Qt::Key_Home, Qt::Key_Return})
    Press(&hijri, key);
  EXPECT_EQ(HijriToDate(1447, 9, 29, 0), hijri.Grid().CalendarDate());
  Press(&hijri, Qt::Key_PageDown);
  EXPECT_EQ(HijriToDate(1447, 10, 29, 0), hijri.Grid().CalendarDate());
}

TEST(MonthGridControl, AClickOnADayChoosesIt) {
  TIslamicCalendar calendar(EncodeDate(2026, 8, 20));
  calendar.resize(700, 210);
  int row = 0, column = 0;
  ASSERT_TRUE(calendar.CellAt(calendar.CellRect(2, 2).center(), row, column));
  EXPECT_EQ(2, row);
  EXPECT_EQ(2, column);
  calendar.Grid().ClickCell(row, column);
  EXPECT_EQ(EncodeDate(2026, 8, 10), calendar.Grid().CalendarDate());
}

class RangeSelectorTest : public ::testing::Test {
 protected:
  RangeSelectorContext Context(Language lang = Language::English) {
    RangeSelectorContext c;
    c.Lang = lang;
    c.Today = EncodeDate(2026, 12, 10);
    c.Sections = &sections;
    return c;
  }
  testing::IniSections sections;
};

TEST_F(RangeSelectorTest, TheYearKindDisablesTheMonthAndCancelStillRemembers) {
  TMonthYearSelect selector(Context(Language::Arabic));
  ASSERT_NE(nullptr, selector.CancelBtn);
  EXPECT_EQ(Qt::RightToLeft, selector.layoutDirection());
  selector.SetRangeKind(ReportKind::Year);
  EXPECT_TRUE(selector.YearRadio->isChecked());
  EXPECT_FALSE(selector.MonthUpDown->isEnabled());
  EXPECT_EQ(QString::fromStdString(DefaultNameLists().AMonths[0]), selector.MonthUpDown->text());
  selector.YearUpDown->stepBy(1);
  EXPECT_EQ(2027, selector.Model().RangeYear());
  EXPECT_EQ("2027", selector.YearUpDown->text());
  selector.MonthRadio->setChecked(true);
  EXPECT_EQ(ReportKind::Month, selector.Model().RangeKind());
  EXPECT_TRUE(selector.MonthUpDown->isEnabled());
  selector.MonthUpDown->stepBy(-1);
  EXPECT_EQ(11, selector.Model().RangeMonth());
  EXPECT_EQ(QString::fromStdString(DefaultNameLists().AMonths[10]), selector.MonthUpDown->text());
  selector.CancelBtn->click();
  EXPECT_EQ(QDialog::Rejected, selector.result());
  EXPECT_EQ(1, sections.saves);
  EXPECT_EQ(EncodeDate(2027, 11, 1), sections.ini.ReadInteger(kRangeSection, kRangeKey, -1));
}

TEST_F(RangeSelectorTest, TheEnglishFaceHasOkOnly) {
  TMonthYearSelect selector(Context());
  EXPECT_EQ(nullptr, selector.CancelBtn);
  EXPECT_TRUE(selector.MonthRadio->isChecked());
  EXPECT_EQ("December", selector.MonthUpDown->text());
  EXPECT_EQ("Calculate Zurivo Zazir for", selector.Panel->title());
  selector.OkBtn->click();
  EXPECT_EQ(QDialog::Accepted, selector.result());
  EXPECT_EQ(EncodeDate(2026, 12, 1), sections.ini.ReadInteger(kRangeSection, kRangeKey, -1));
}

}  // namespace
}  // namespace vek
