// The settings dialogs as the user drives them: month and day names, the Hijri adjustment and
// the safety times.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include "engine/calendar.h"
#include "foundation/qt/qt_strings.h"
#include "program/dialogs/hijri_adjust_dialog.h"
#include "program/dialogs/month_names_dialog.h"
#include "program/dialogs/safety_times_dialog.h"
#include "program/display_texts.h"
#include "support/drawn_ink.h"
#include "support/fake_ui.h"

namespace vek {
namespace {

using testing::FakeUi;

TEST(MonthNamesDialog, AnEditWithoutSteppingIsKeptByOk) {
  FakeUi ui;
  const NameLists before = DefaultNameLists();
  TMonthsDlg dialog({Language::English, true, &ui}, before);
  EXPECT_EQ("Change Months Names", dialog.windowTitle());
  EXPECT_EQ(ToQString(before.EHMonths[0]), dialog.CurrentText[kHijriRow]->text());
  dialog.Edit[kHijriRow]->setText("  Muharram  ");
  dialog.OKBtn->click();
  EXPECT_EQ(QDialog::Accepted, dialog.result());
  EXPECT_EQ("Muharram", dialog.Names().EHMonths[0]);
  EXPECT_EQ(before.AHMonths, dialog.Names().AHMonths);  // the other language stays
  EXPECT_TRUE(ui.messages.empty());
}

TEST(MonthNamesDialog, CancelDiscardsEveryEditAlsoThoseKeptWhileStepping) {
  FakeUi ui;
  const NameLists before = DefaultNameLists();
  TMonthsDlg dialog({Language::Arabic, true, &ui}, before);
  EXPECT_EQ(Qt::RightToLeft, dialog.layoutDirection());
  dialog.Edit[kGregorianRow]->setText(QString::fromUtf8("كانون الثاني"));
  dialog.UpDown[kGregorianRow]->setValue(4);
  EXPECT_EQ("5", dialog.UpDown[kGregorianRow]->text());
  EXPECT_EQ(ToQString(before.AMonths[4]), dialog.Edit[kGregorianRow]->text());
  EXPECT_EQ("كانون الثاني", dialog.Model().NameAt(kGregorianRow, 0));
  dialog.CancelBtn->click();
  EXPECT_EQ(before.AMonths, dialog.Names().AMonths);
}

TEST(MonthNamesDialog, ANameTheFileCannotHoldIsRefusedWhereItIsTyped) {
  FakeUi ui;
  TMonthsDlg dialog({Language::English, true, &ui}, DefaultNameLists());
  dialog.show();
  dialog.Edit[kDayRow]->setText(QString::fromUtf8("日曜日"));
  dialog.UpDown[kDayRow]->setValue(2);
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_NE(std::string::npos, ui.messages[0].find("cannot store"));
  EXPECT_EQ(0, dialog.UpDown[kDayRow]->value());
  EXPECT_EQ(QString::fromUtf8("日曜日"), dialog.Edit[kDayRow]->text());  // left for correction
  EXPECT_EQ(dialog.Edit[kDayRow], dialog.focusWidget());

  dialog.OKBtn->click();
  EXPECT_EQ(2u, ui.messages.size());
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(DefaultNameLists().EDays, dialog.Names().EDays);
  dialog.Edit[kDayRow]->setText("");
  dialog.OKBtn->click();
  EXPECT_NE(std::string::npos, ui.messages.back().find("type a name"));
  EXPECT_TRUE(dialog.isVisible());
}

TEST(MonthNamesDialog, ALongStoredNameFitsTheScreenAndALongTypedOneIsRefused) {
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    FakeUi ui;
    NameLists names = DefaultNameLists();
    names.AHMonths[0] = names.EHMonths[0] = std::string(204, 'M');  // as a hand-edited VEK.INI
    TMonthsDlg dialog({lang, true, &ui}, names);
    dialog.show();
    EXPECT_LE(dialog.frameGeometry().width(), 1280);
    EXPECT_EQ(QString(204, 'M'), dialog.CurrentText[kHijriRow]->text());
    dialog.OKBtn->click();  // the stored name is too long to keep: it must be shortened
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_NE(std::string::npos, ui.messages[0].find("20"));
    EXPECT_TRUE(dialog.isVisible());
    dialog.Edit[kHijriRow]->setText(QString(20, 'M'));
    dialog.OKBtn->click();
    EXPECT_EQ(QDialog::Accepted, dialog.result());
  }
}

TEST(HijriAdjustDialog, SevenDatesAndTheChosenAdjustment) {
  const double today = EncodeDate(2026, 12, 10);
  const NameLists names = DefaultNameLists();
  THijriAdjust dialog({Language::English, true, nullptr}, today, names, 1);
  EXPECT_EQ("Adjust Hijri Date", dialog.windowTitle());
  ASSERT_EQ(7, dialog.HijriDates->count());
  EXPECT_EQ(4, dialog.HijriDates->currentIndex());
  EXPECT_EQ(ToQString(HijriDateCaption(today, names, Language::English, 1)),
            dialog.HijriDates->currentText());
  EXPECT_EQ(1, dialog.Adjust());
  dialog.HijriDates->setCurrentIndex(0);
  EXPECT_EQ(-3, dialog.Adjust());
  dialog.HijriDates->setCurrentIndex(6);
  EXPECT_EQ(3, dialog.Adjust());

  THijriAdjust arabic({Language::Arabic, true, nullptr}, today, names, -7);  // hand-edited
  EXPECT_EQ(0, arabic.HijriDates->currentIndex());
  EXPECT_EQ(Qt::RightToLeft, arabic.layoutDirection());
}

TEST(SafetyTimesDialog, NoDelayEverywhereAndBeforeFiveMinutesForFajr) {
  SafetyOffsets offsets;
  {
    TSaftyTimesDlg dialog({Language::English, true, nullptr}, SafetyOffsets{});
    EXPECT_EQ("Define Safty Times", dialog.windowTitle());
    for (QComboBox* combo : dialog.Combos)
      EXPECT_EQ("No delay", combo->currentText());
    dialog.OKBtn->click();
    offsets = dialog.Offsets();
  }
  for (SafetyList list :
       {kFajrSafety, kShuruqSafety, kZuhrSafety, kAsrSafety, kMaghribSafety, kIshaSafety})
    EXPECT_EQ(0, SafetyOffsetField(offsets, list));

  TSaftyTimesDlg dialog({Language::English, true, nullptr}, offsets);
  dialog.Combos[kFajrSafety]->setCurrentIndex(0);
  EXPECT_EQ("Before five minutes", dialog.Combos[kFajrSafety]->currentText());
  dialog.Combos[kMaghribSafety]->setCurrentIndex(2);
  dialog.CancelBtn->click();
  EXPECT_EQ(0, dialog.Offsets().Fajr);  // Cancel changes nothing
  TSaftyTimesDlg again({Language::Arabic, true, nullptr}, offsets);
  again.Combos[kFajrSafety]->setCurrentIndex(0);
  again.Combos[kMaghribSafety]->setCurrentIndex(2);
  again.OKBtn->click();
  EXPECT_DOUBLE_EQ(-5.0 / 60, static_cast<double>(again.Offsets().Fajr));
  EXPECT_DOUBLE_EQ(2.0 / 60, static_cast<double>(again.Offsets().Maghrib));
}

// The explanation reads from the side of its language: its last (short) line ends at the right
// edge in Arabic and starts at the left edge in English.
TEST(SafetyTimesDialog, TheExplanationIsAlignedToTheSideOfItsLanguage) {
  for (Language lang : {Language::Arabic, Language::English}) {
    SCOPED_TRACE(static_cast<int>(lang));
    TSaftyTimesDlg dialog({lang, true, nullptr}, SafetyOffsets{});
    dialog.show();
    const QImage image = testing::Drawn(dialog.Explanation->viewport());
    // The ink of the last line: the rows below the last blank row that has ink above it.
    const QRect ink = testing::InkRect(image);
    ASSERT_FALSE(ink.isEmpty());
    const QRgb background = image.pixel(0, 0);
    int top = ink.top();
    for (int y = ink.top(); y <= ink.bottom(); ++y) {
      bool blank = true;
      for (int x = 0; x < image.width() && blank; ++x)
        blank = image.pixel(x, y) == background;
      if (blank)
        top = y + 1;
    }
    const QRect last = testing::InkRect(image.copy(0, top, image.width(), ink.bottom() - top + 1));
    const int leftGap = last.left();
    const int rightGap = image.width() - 1 - last.right();
    if (lang == Language::Arabic)
      EXPECT_LT(rightGap, leftGap) << leftGap << " " << rightGap;
    else
      EXPECT_LT(leftGap, rightGap) << leftGap << " " << rightGap;
  }
}

TEST(SafetyTimesDialog, AnOffsetOutsideItsListShowsTheNearestEntry) {
  SafetyOffsets offsets;
  offsets.Maghrib = -2.0L / 60;
  offsets.Asr = 20.0L / 60;
  TSaftyTimesDlg dialog({Language::English, true, nullptr}, offsets);
  EXPECT_EQ("No delay", dialog.Combos[kMaghribSafety]->currentText());
  EXPECT_EQ("After five minutes", dialog.Combos[kAsrSafety]->currentText());
  dialog.OKBtn->click();
  EXPECT_EQ(0, dialog.Offsets().Maghrib);  // never advanced
  EXPECT_DOUBLE_EQ(5.0 / 60, static_cast<double>(dialog.Offsets().Asr));
}

}  // namespace
}  // namespace vek
