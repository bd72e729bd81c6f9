#include "locations/dialogs/select_location_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <string>

#include "engine/calendar.h"
#include "support/drawn_ink.h"
#include "support/location_dialog_fixture.h"

namespace vek {
namespace {

TLocationRec Named(const std::string& city, const std::string& country,
                   const std::string& state = "") {
  TLocationRec r = testing::NamedLocation(city, country, state);
  r.LatDeg = 33;
  r.LongDeg = 36;
  r.North = true;
  r.St_Longitude = 30;
  return r;
}

// Sorted by city: ALBANY, CAIRO, DAMASCUS, NEW YORK.
class SelectLocationDialogTest : public testing::LocationDialogTest {
 protected:
  SelectLocationDialogTest() {
    Append({Named("CAIRO", "EGYPT"), Named("DAMASCUS", "SYRIA"), Named("NEW YORK", "USA", "NY"),
            Named("ALBANY", "USA", "NY")});
    list.CurrentIndex = 1;  // DAMASCUS
    context.Today = EncodeDate(2026, 3, 1);
    UseDatePanel("Sunday 1 March 2026", "10:15  AM");
  }

  static void Key(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
  }
  static void Type(QWidget* target, const QString& text) {
    for (QChar c : text)
      Key(target, c.toUpper().unicode(), QString(c));
  }
  static int ViewRow(const TSelectLocation& dialog) {
    return dialog.Locations->currentIndex().row();
  }
};

// A name wider than its column is cut at its end with an ellipsis, in either language: it is
// never drawn over the column's edge, so that in Arabic its first letters stay.
TEST_F(SelectLocationDialogTest, ANameWiderThanItsColumnIsElidedAtItsEnd) {
  Append({Named("MWWWWWWWWWWWWWWWWM", "EQUATORIAL GUINEAS")});
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    context.Lang = lang;
    TSelectLocation dialog(context);
    dialog.show();
    QAbstractItemModel* rows = dialog.Locations->model();
    int row = 0;
    while (row < rows->rowCount() && rows->index(row, 1).data().toString() != "MWWWWWWWWWWWWWWWWM")
      ++row;
    ASSERT_LT(row, rows->rowCount());
    dialog.Locations->scrollTo(rows->index(row, 1));
    const QImage list = dialog.Locations->viewport()->grab().toImage();
    for (int column : {1, 2}) {
      SCOPED_TRACE(column);
      const QRect cell = dialog.Locations->visualRect(rows->index(row, column));
      const QImage image = list.copy(cell).convertToFormat(QImage::Format_RGB32);
      const QRect ink = testing::InkRect(image);
      ASSERT_FALSE(ink.isEmpty());
      // The edge where a cut name would run out of its column stays clear.
      if (lang == Language::Arabic)
        EXPECT_GT(ink.left(), 1);
      else
        EXPECT_LT(ink.right(), image.width() - 2);
    }
  }
}

TEST_F(SelectLocationDialogTest, CaptionsAndDirectionFollowTheLanguage) {
  struct Case {
    Language lang;
    const char* caption;
    Qt::LayoutDirection direction;
    const char* cityHeading;
    const char* stateHeading;
    const char* dateButton;
    const char* search;
  };
  const Case cases[] = {
      {Language::English, "Select Location", Qt::LeftToRight, "City", "State", "Hijri",
       "Search for: "},
      {Language::Arabic, "اختيار موقع", Qt::RightToLeft, "المدينة", "الولاية", "هجري", " :بحث عن"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.caption);
    context.Lang = c.lang;
    TSelectLocation dialog(context);
    EXPECT_EQ(QString::fromUtf8(c.caption), dialog.windowTitle());
    EXPECT_EQ(c.direction, dialog.layoutDirection());
    QAbstractItemModel* rows = dialog.Locations->model();
    EXPECT_EQ(QString(), rows->headerData(0, Qt::Horizontal).toString());
    EXPECT_EQ(QString::fromUtf8(c.cityHeading), rows->headerData(1, Qt::Horizontal).toString());
    EXPECT_EQ(QString::fromUtf8(c.stateHeading), rows->headerData(3, Qt::Horizontal).toString());
    EXPECT_EQ(QString::fromUtf8(c.dateButton), dialog.DateBtn->text());
    EXPECT_EQ(QString::fromUtf8(c.search), dialog.CityLabel->text());
    EXPECT_TRUE(dialog.SelectBtn->isDefault());
    EXPECT_FALSE(dialog.LocationsHeader->sectionsMovable());
    EXPECT_EQ(QHeaderView::Fixed, dialog.LocationsHeader->sectionResizeMode(1));
  }
}

TEST_F(SelectLocationDialogTest, OpensOnTheCurrentLocationWithDateAndTime) {
  for (bool ramadan : {false, true}) {
    SCOPED_TRACE(ramadan);
    context.IsRamadan = ramadan;
    TSelectLocation dialog(context);
    dialog.show();
    EXPECT_EQ(2, list.CurrentIndex);  // sorted by city
    EXPECT_EQ(2, ViewRow(dialog));
    EXPECT_EQ("DAMASCUS  (SYRIA)", dialog.City->text());
    EXPECT_TRUE(dialog.CityLabel->isVisible());
    EXPECT_FALSE(dialog.CountryLabel->isVisible());
    EXPECT_FALSE(dialog.StateLabel->isVisible());
    EXPECT_EQ("Sunday 1 March 2026", dialog.Date->text());
    EXPECT_EQ("10:15  AM", dialog.Time->text());
    EXPECT_EQ(ramadan, dialog.SlotTimes[Imsak]->isVisible());
    EXPECT_TRUE(dialog.SlotTimes[Isha]->isVisible());
    EXPECT_FALSE(dialog.SlotTimes[Fajr]->text().isEmpty());
    EXPECT_EQ(ramadan, !dialog.SlotTimes[Imsak]->text().isEmpty());
  }
}

TEST_F(SelectLocationDialogTest, TypingSearchesAndEnterSelectsTheLocationShown) {
  TSelectLocation dialog(context);
  dialog.show();
  Type(dialog.Locations, "w y");
  EXPECT_EQ("Search for: W Y", dialog.CityLabel->text());
  EXPECT_EQ(3, ViewRow(dialog));
  EXPECT_EQ("NEW YORK  (USA)", dialog.City->text());
  Key(dialog.Locations, Qt::Key_Return);
  EXPECT_EQ(QDialog::Accepted, dialog.result());
  EXPECT_EQ("NEW YORK", list.Current().Rec.City);
}

TEST_F(SelectLocationDialogTest, ArrowMovesThePreviewAndEscapeLeavesTheCurrentLocation) {
  TSelectLocation dialog(context);
  dialog.show();
  dialog.Locations->setFocus();
  Key(dialog.Locations, Qt::Key_Up);
  EXPECT_EQ(1, ViewRow(dialog));
  EXPECT_EQ("CAIRO  (EGYPT)", dialog.City->text());
  Key(dialog.Locations, Qt::Key_Escape);
  EXPECT_EQ(QDialog::Rejected, dialog.result());
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ("DAMASCUS", list.Current().Rec.City);
}

TEST_F(SelectLocationDialogTest, HeaderClickSortsAndShowsStateNames) {
  TSelectLocation dialog(context);
  dialog.show();
  Type(dialog.Locations, "cai");
  ASSERT_EQ(1, ViewRow(dialog));
  emit dialog.LocationsHeader->sectionClicked(3);
  // US locations first by state: ALBANY, NEW YORK, then CAIRO, DAMASCUS by country.
  QAbstractItemModel* rows = dialog.Locations->model();
  EXPECT_EQ("ALBANY", rows->index(0, 1).data().toString());
  EXPECT_EQ("New York", rows->index(0, 3).data().toString());
  EXPECT_EQ("1", rows->index(0, 0).data().toString());
  EXPECT_EQ(QColor(Qt::red), rows->index(0, 3).data(Qt::ForegroundRole).value<QColor>());
  EXPECT_NE(QColor(Qt::red), rows->index(0, 1).data(Qt::ForegroundRole).value<QColor>());
  // The highlight and the preview are back on the current location.
  EXPECT_EQ(3, list.CurrentIndex);
  EXPECT_EQ(3, ViewRow(dialog));
  EXPECT_EQ("DAMASCUS  (SYRIA)", dialog.City->text());
  EXPECT_TRUE(dialog.StateLabel->isVisible());
  EXPECT_FALSE(dialog.CityLabel->isVisible());
  Type(dialog.Locations, "ny");
  EXPECT_EQ(0, ViewRow(dialog));
  EXPECT_EQ("Search for: NY", dialog.StateLabel->text());
}

TEST_F(SelectLocationDialogTest, DoubleClickSelectsAndDateButtonSwitchesCalendar) {
  TSelectLocation dialog(context);
  dialog.show();
  dialog.DateBtn->click();
  EXPECT_TRUE(hijri);
  EXPECT_EQ("Gregorian", dialog.DateBtn->text());
  dialog.LocationsDblClick(0);
  EXPECT_EQ(QDialog::Accepted, dialog.result());
  EXPECT_EQ("ALBANY", list.Current().Rec.City);
}

}  // namespace
}  // namespace vek
