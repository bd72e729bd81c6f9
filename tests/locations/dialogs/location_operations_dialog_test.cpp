#include "locations/dialogs/location_operations_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <memory>
#include <string>

#include "engine/calendar.h"
#include "support/location_dialog_fixture.h"

namespace vek {
namespace {

TLocationRec Named(const std::string& city, const std::string& country,
                   const std::string& state = "") {
  TLocationRec r = testing::NamedLocation(city, country, state);
  r.LatDeg = 30;
  r.North = true;
  return r;
}

class LocationOperationDialogTest : public testing::LocationDialogTest {
 protected:
  LocationOperationDialogTest() {
    Append({Named("PARIS", "FRANCE"), Named("Albany", "USA", "NY"), Named("CAIRO", "EGYPT"),
            Named("Boston", "USA", "MA"), Named("ALEXANDRIA", "EGYPT")});
    list.SortByCity();
    context.Today = EncodeDate(2026, 12, 10);
    UseDatePanel("Thursday 10 December 2026", "04:15  PM");
  }

  // Chooses text in the list as the user does.
  static void Choose(QComboBox* list, const QString& text) {
    const int index = list->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    list->setCurrentIndex(index);
    emit list->activated(index);
  }
};

TEST_F(LocationOperationDialogTest, OpensOnTheCurrentLocationInEitherLanguage) {
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    const bool arabic = lang == Language::Arabic;
    context.Lang = lang;
    list.CurrentIndex = IndexOf("Albany");
    TLocationOperation dialog(context);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(arabic ? "اختيار موقع" : "Select Location"));
    EXPECT_EQ(dialog.layoutDirection(), arabic ? Qt::RightToLeft : Qt::LeftToRight);
    EXPECT_EQ(dialog.Country->currentText(), "USA");
    EXPECT_TRUE(dialog.State->isEnabled());
    EXPECT_EQ(dialog.State->currentText(), "New York");
    EXPECT_EQ(dialog.City->currentText(), "Albany");
    EXPECT_EQ(dialog.CCity->text(), "Albany  (USA)");
    EXPECT_TRUE(dialog.KQ_P->Times()[Imsak]->isHidden());
    EXPECT_TRUE(dialog.KQ_P->Times()[Imsak]->text().isEmpty());
    EXPECT_FALSE(dialog.KQ_P->Times()[Isha]->text().isEmpty());
    EXPECT_EQ(dialog.Date->text(), "Thursday 10 December 2026");
    EXPECT_EQ(dialog.Time->text(), "04:15  PM");
    EXPECT_EQ(dialog.DateBtn->text(), QString::fromUtf8(arabic ? "هجري" : "Hijri"));
    EXPECT_EQ(dialog.CloseBtn->toolTip().isEmpty(), !arabic);  // hints in Arabic only
  }
}

TEST_F(LocationOperationDialogTest, TheChosenNamesNeverChangeTheDialogsWidth) {
  Append({Named("TORONTO", "CANADA"), Named("LONDON", "UNITED KINGDOM"),
          Named("NEWCASTLE UPON TYNE", "UNITED KINGDOM")});
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    context.Lang = lang;
    list.CurrentIndex = IndexOf("TORONTO");
    TLocationOperation dialog(context);
    dialog.show();
    QApplication::processEvents();
    const int width = dialog.width();
    Choose(dialog.Country, "UNITED KINGDOM");
    Choose(dialog.City, "NEWCASTLE UPON TYNE");
    QApplication::processEvents();
    EXPECT_EQ(dialog.CCity->text(), "NEWCASTLE UPON TYNE  (UNITED KINGDOM)");
    EXPECT_EQ(width, dialog.width());
  }
}

TEST_F(LocationOperationDialogTest, UserChoicesRunTheCascade) {
  list.CurrentIndex = IndexOf("CAIRO");
  TLocationOperation dialog(context);
  dialog.show();
  EXPECT_FALSE(dialog.State->isEnabled());
  EXPECT_FALSE(dialog.State_L->isEnabled());
  EXPECT_EQ(dialog.State->currentIndex(), -1);
  EXPECT_EQ(dialog.State->count(), 51);

  Choose(dialog.Country, "USA");
  EXPECT_TRUE(dialog.State->isEnabled());
  EXPECT_EQ(dialog.State->currentText(), "Massachusetts");
  EXPECT_EQ(dialog.City->count(), 1);
  EXPECT_EQ(dialog.CCity->text(), "Boston  (USA)");

  Choose(dialog.State, "New York");
  EXPECT_EQ(dialog.CCity->text(), "Albany  (USA)");

  Choose(dialog.Country, "FRANCE");
  EXPECT_FALSE(dialog.State->isEnabled());
  EXPECT_EQ(dialog.State->currentIndex(), -1);
  EXPECT_EQ(dialog.City->currentText(), "PARIS");
  EXPECT_EQ(dialog.CCity->text(), "PARIS  (FRANCE)");

  Choose(dialog.Country, "EGYPT");
  Choose(dialog.City, "CAIRO");
  EXPECT_EQ(dialog.CCity->text(), "CAIRO  (EGYPT)");
  EXPECT_EQ(dialog.City->currentText(), "CAIRO");
}

TEST_F(LocationOperationDialogTest, SelectAndDeleteKeepTheDialogOpen) {
  list.CurrentIndex = IndexOf("CAIRO");
  TLocationOperation dialog(context);
  dialog.show();
  Choose(dialog.Country, "FRANCE");
  dialog.SelectBtn->click();
  EXPECT_EQ(list.CurrentIndex, IndexOf("PARIS"));
  EXPECT_TRUE(dialog.isVisible());

  ui.answers = {1};
  Choose(dialog.Country, "EGYPT");  // ALEXANDRIA
  dialog.DeleteBtn->click();
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(IndexOf("ALEXANDRIA"), -1);
  EXPECT_EQ(dialog.City->count(), 1);
  EXPECT_EQ(dialog.CCity->text(), "CAIRO  (EGYPT)");
  EXPECT_EQ(list.CurrentIndex, IndexOf("PARIS"));
  EXPECT_TRUE(dialog.isVisible());
}

TEST_F(LocationOperationDialogTest, RamadanAndTheDatePanel) {
  context.IsRamadan = true;
  list.CurrentIndex = IndexOf("CAIRO");
  TLocationOperation dialog(context);
  dialog.show();
  EXPECT_FALSE(dialog.KQ_P->Times()[Imsak]->isHidden());
  for (QLabel* time : dialog.KQ_P->Times())
    EXPECT_FALSE(time->text().isEmpty());

  dialog.UpdateDateDisplay("another day");
  EXPECT_EQ(dialog.Date->text(), "another day");
  dialog.DateBtn->click();
  EXPECT_TRUE(hijri);
  EXPECT_EQ(dialog.DateBtn->text(), "Gregorian");
}

TEST_F(LocationOperationDialogTest, ALongMonthNameInTheDateNeverWidensItBeyondTheScreen) {
  const std::string longDate = "Thursday 10 " + std::string(204, 'M') + " 2026";
  UseDatePanel(longDate, "04:15  PM");
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    context.Lang = lang;
    TLocationOperation dialog(context);
    dialog.show();
    QApplication::processEvents();
    EXPECT_LE(dialog.frameGeometry().width(), 1280);
    EXPECT_EQ(dialog.Date->text().toStdString(), longDate);  // kept whole, drawn cut
    dialog.UpdateDateDisplay(QString::fromStdString(longDate + longDate));
    QApplication::processEvents();
    EXPECT_LE(dialog.frameGeometry().width(), 1280);
  }
}

}  // namespace
}  // namespace vek
