#include "locations/dialogs/change_location_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <memory>

#include "engine/calendar.h"
#include "foundation/qt/message_forms.h"
#include "support/fake_ui.h"
#include "support/locations_fixture.h"

namespace vek {
namespace {

using F = ChangeLocationField;

using testing::SampleLocationRec;

class ChangeLocationDialogTest : public ::testing::Test {
 protected:
  ChangeLocationDialogTest() {
    list_.Append(std::make_unique<TLocation>(SampleLocationRec()));
    TLocationRec north = SampleLocationRec();
    north.City = "TROMSO";
    north.Country = "NORWAY";
    north.LatDeg = 64;
    list_.Append(std::make_unique<TLocation>(north));
  }

  LocationDialogContext Context(Language lang, bool showHint = true) {
    LocationDialogContext c;
    c.Locations = &list_;
    c.Lang = lang;
    c.ShowHint = showHint;
    c.Today = EncodeDate(2026, 3, 1);
    c.Ui = &ui_;
    // The program's message forms, recorded; questions answered from ui_.answers (Cancel when
    // none is left, as Escape answers).
    c.ShowKQMessage = [this](const std::string& text) {
      ui_.dialogs.push_back({"message", text, 0});
    };
    c.AskYesNoMessage = [this](const std::string& text) {
      ui_.dialogs.push_back({"question", text, 0});
      if (ui_.answers.empty())
        return kResultCancel;
      const int answer = ui_.answers.front();
      ui_.answers.pop_front();
      return answer;
    };
    return c;
  }

  // The user types text over the edit's whole contents.
  static void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    if (text.isEmpty()) {
      QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
      QApplication::sendEvent(edit, &back);
    }
    for (QChar c : text) {
      QKeyEvent press(QEvent::KeyPress, c.toUpper().unicode(), Qt::NoModifier, QString(c));
      QApplication::sendEvent(edit, &press);
    }
  }

  // The focus moves on from the edit as it does on Tab.
  static void Leave(QLineEdit* edit, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent out(QEvent::FocusOut, reason);
    QApplication::sendEvent(edit, &out);
  }

  TLocations list_;
  testing::FakeUi ui_;
};

TEST_F(ChangeLocationDialogTest, CaptionsDirectionAndHintsFollowTheLanguage) {
  TChangeLocation english(Context(Language::English), 0);
  EXPECT_EQ(english.windowTitle(), "Adjust Location");
  EXPECT_EQ(english.layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(english.DaySaving->text(), "Daylight Saving");
  EXPECT_EQ(english.Reconcile->text(), "Reconcile \"Eastern\" and \"Middle-Eastern\" Methods");
  EXPECT_EQ(english.YourFajr_P->title(), "FAJR Sun Inclination");
  EXPECT_EQ(english.Western->itemText(0), "Eeastern");
  EXPECT_TRUE(english.EasternRadio->toolTip().isEmpty());
  EXPECT_TRUE(english.Edit(F::LatDeg)->toolTip().isEmpty());
  EXPECT_TRUE(english.AcceptBtn->isDefault());
  EXPECT_FALSE(english.windowFlags() & Qt::WindowCloseButtonHint);

  TChangeLocation arabic(Context(Language::Arabic), 0);
  EXPECT_EQ(arabic.windowTitle(), QString::fromUtf8("تعديل موقع"));
  EXPECT_EQ(arabic.layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(arabic.GMT->count(), 49);
  EXPECT_EQ(arabic.GMT->itemText(0), "-12   GMT");
  EXPECT_EQ(arabic.GMT->layoutDirection(), Qt::LeftToRight);
  for (QWidget* w : std::initializer_list<QWidget*>{
           arabic.EasternRadio, arabic.MiddleEasternRadio, arabic.FixedRadio, arabic.YourRadio,
           arabic.SaudiRadio, arabic.FixedDuration, arabic.Reconcile, arabic.AcceptBtn,
           arabic.RestoreBtn, arabic.CancelBtn, arabic.Edit(F::LatDeg),
           arabic.Edit(F::ImsakDurationS)})
    EXPECT_FALSE(w->toolTip().isEmpty()) << w->metaObject()->className();

  TChangeLocation quiet(Context(Language::Arabic, false), 0);
  EXPECT_TRUE(quiet.EasternRadio->toolTip().isEmpty());
}

TEST_F(ChangeLocationDialogTest, LoadingFillsTheControlsWithoutMarkingModified) {
  TChangeLocation dialog(Context(Language::English), 0);
  EXPECT_EQ(dialog.City->text(), "DAMASCUS  (SYRIA)");
  EXPECT_EQ(dialog.LongDeg->text(), "36");
  EXPECT_EQ(dialog.LatMin->text(), "30");
  EXPECT_EQ(dialog.GMT->currentIndex(), 28);  // "+2    GMT"
  EXPECT_EQ(dialog.Northern->currentIndex(), 0);
  EXPECT_TRUE(dialog.YourRadio->isChecked());
  EXPECT_EQ(dialog.FajrInclinationD->text(), "19");
  EXPECT_EQ(dialog.IshaInclinationM->text(), "0");
  EXPECT_TRUE(dialog.FajrInclinationD->isEnabled());
  EXPECT_TRUE(dialog.FixedDuration->isChecked());
  EXPECT_FALSE(dialog.Reconcile->isEnabled());
  EXPECT_FALSE(dialog.DaySaving_P->isVisibleTo(&dialog));
  EXPECT_TRUE(dialog.Imsak_P->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.St_LongDeg->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.Modified());
  EXPECT_FALSE(dialog.RestoreBtn->isEnabled());

  // A change by the user marks it; loading again (Restore) does not count as a change.
  dialog.HanafiMethod->click();
  EXPECT_TRUE(dialog.Modified());
  EXPECT_TRUE(dialog.RestoreBtn->isEnabled());
  ui_.answers = {kResultYes};
  dialog.RestoreBtn->click();
  EXPECT_FALSE(dialog.Modified());
  EXPECT_FALSE(dialog.HanafiMethod->isChecked());
  EXPECT_FALSE(dialog.RestoreBtn->isEnabled());
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  EXPECT_EQ(ui_.dialogs[0].text, "Restore the information for to this location?");
}

TEST_F(ChangeLocationDialogTest, TypingAndLeavingEdits) {
  TChangeLocation dialog(Context(Language::English), 0);
  dialog.show();

  Type(dialog.LatDeg, "7x");
  EXPECT_EQ(dialog.LatDeg->text(), "");
  EXPECT_TRUE(dialog.Modified());
  Leave(dialog.LatDeg);
  EXPECT_EQ(dialog.LatDeg->text(), "0");
  EXPECT_TRUE(ui_.dialogs.empty());

  // Out of range: the message, the text left as typed, and the focus back in the edit.
  dialog.LatMin->setFocus();
  Type(dialog.LongDeg, "200");
  Leave(dialog.LongDeg);
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  EXPECT_EQ(ui_.dialogs[0].kind, "message");
  EXPECT_EQ(ui_.dialogs[0].text, "Enter value between 0 and 180 degree please.");
  EXPECT_EQ(dialog.LongDeg->text(), "200");
  QApplication::processEvents();
  EXPECT_EQ(dialog.focusWidget(), dialog.LongDeg);

  // A window that loses the focus (a message box opening) leaves no edit.
  Leave(dialog.LongDeg, Qt::ActiveWindowFocusReason);
  EXPECT_EQ(ui_.dialogs.size(), 1u);

  // The companion rule writes the minutes.
  Type(dialog.FajrInclinationD, "20");
  Leave(dialog.FajrInclinationD);
  EXPECT_EQ(dialog.FajrInclinationM->text(), "0");
  Type(dialog.FajrInclinationM, "45");
  Leave(dialog.FajrInclinationM);
  EXPECT_EQ(dialog.FajrInclinationM->text(), "0");
}

TEST_F(ChangeLocationDialogTest, MethodRadiosAndTimeZone) {
  TChangeLocation dialog(Context(Language::English), 0);
  dialog.EasternRadio->click();
  EXPECT_EQ(dialog.FajrInclinationD->text(), "18");
  EXPECT_EQ(dialog.IshaInclinationD->text(), "19");
  EXPECT_EQ(dialog.IshaInclinationM->text(), "30");
  EXPECT_FALSE(dialog.FajrInclinationD->isEnabled());
  EXPECT_TRUE(dialog.Reconcile->isEnabled());
  dialog.Reconcile->click();
  EXPECT_FALSE(dialog.Imsak_P->isVisibleTo(&dialog));

  dialog.FixedRadio->click();
  EXPECT_TRUE(dialog.FajrFixedOp_P->isVisibleTo(&dialog));
  EXPECT_TRUE(dialog.IshaFixedOp_P->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.YourFajr_P->isVisibleTo(&dialog));
  EXPECT_TRUE(dialog.FixedDuration->isChecked());
  EXPECT_FALSE(dialog.Reconcile->isEnabled());
  EXPECT_TRUE(dialog.Imsak_P->isVisibleTo(&dialog));

  dialog.SaudiRadio->click();
  EXPECT_TRUE(dialog.YourFajr_P->isVisibleTo(&dialog));
  EXPECT_FALSE(dialog.YourIsha_P->isVisibleTo(&dialog));
  EXPECT_TRUE(dialog.IshaFixedOp_P->isVisibleTo(&dialog));
  EXPECT_EQ(dialog.FajrInclinationD->text(), "19");

  dialog.DaySaving->click();
  EXPECT_TRUE(dialog.DaySaving_P->isVisibleTo(&dialog));
  dialog.AfricanZuhr->click();
  EXPECT_TRUE(dialog.African_P->isVisibleTo(&dialog));

  dialog.GMT->setCurrentIndex(35);
  emit dialog.GMT->activated(35);
  EXPECT_EQ(dialog.St_LongDeg->text(), "82");
  EXPECT_EQ(dialog.Western->currentIndex(), 0);
  dialog.GMT->setCurrentIndex(17);
  emit dialog.GMT->activated(17);
  EXPECT_EQ(dialog.St_LongDeg->text(), "52");
  EXPECT_EQ(dialog.Western->currentIndex(), 1);

  // The hemisphere alone leaves the zone.
  dialog.Northern->setCurrentIndex(1);
  emit dialog.Northern->activated(1);
  EXPECT_EQ(dialog.GMT->currentIndex(), 17);
}

TEST_F(ChangeLocationDialogTest, AcceptStoresOnlyChanges) {
  {
    TChangeLocation dialog(Context(Language::English), 0);
    dialog.show();
    dialog.AcceptBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(list_.Modified);
    EXPECT_TRUE(ui_.dialogs.empty());
  }
  {
    TChangeLocation dialog(Context(Language::English), 0);
    dialog.show();
    Type(dialog.LatDeg, "34");
    dialog.HanafiMethod->click();
    dialog.AcceptBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(list_.Modified);
    EXPECT_EQ(list_.GetItem(0).Rec.LatDeg, 34);
    EXPECT_TRUE(list_.GetItem(0).Rec.Hanafi);
    EXPECT_FALSE(dialog.Modified());
  }
}

TEST_F(ChangeLocationDialogTest, AcceptRefusesAValueThatNeverLeftItsEdit) {
  // Enter in the edit presses the default button before the edit is left.
  TChangeLocation dialog(Context(Language::Arabic), 0);
  dialog.show();
  Type(dialog.LongDeg, "300");
  dialog.AcceptBtn->click();
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), 0);
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  EXPECT_EQ(ui_.dialogs[0].kind, "message");
  EXPECT_EQ(ui_.dialogs[0].text, "يرجى إدخال قيمة بين الصفر و 180 درجة");
  EXPECT_EQ(list_.GetItem(0).Rec.LongDeg, 36);
  EXPECT_FALSE(list_.Modified);
  QApplication::processEvents();
  EXPECT_EQ(dialog.focusWidget(), dialog.LongDeg);
}

TEST_F(ChangeLocationDialogTest, AcceptReportsTheConflictsOfTheEditedRecord) {
  TChangeLocation dialog(Context(Language::English), 1);
  dialog.show();
  Type(dialog.LatDeg, "63");
  dialog.AcceptBtn->click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  ASSERT_EQ(ui_.dialogs.size(), 1u);  // information only: stored all the same
  EXPECT_EQ(ui_.dialogs[0].kind, "message");
  EXPECT_FALSE(ui_.dialogs[0].text.empty());
  EXPECT_TRUE(dialog.Track().AnySet());
  EXPECT_EQ(list_.GetItem(1).Rec.LatDeg, 63);
}

TEST_F(ChangeLocationDialogTest, TheConflictTextNamesTheUsersMonths) {
  LocationDialogContext context = Context(Language::English);
  for (std::string& month : context.Names.EMonths)
    month = "Moon" + std::to_string(&month - context.Names.EMonths.data() + 1);
  TChangeLocation dialog(context, 1);
  dialog.show();
  Type(dialog.LatDeg, "63");
  dialog.AcceptBtn->click();
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  // The summer days of the scan fall in May to August.
  EXPECT_NE(ui_.dialogs[0].text.find("Moon"), std::string::npos) << ui_.dialogs[0].text;
  EXPECT_EQ(ui_.dialogs[0].text.find("June"), std::string::npos) << ui_.dialogs[0].text;
}

TEST_F(ChangeLocationDialogTest, CancelAsksOnlyAfterChanges) {
  {
    TChangeLocation dialog(Context(Language::English), 0);
    dialog.show();
    dialog.CancelBtn->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(ui_.dialogs.empty());
  }
  TChangeLocation dialog(Context(Language::Arabic), 0);
  dialog.show();
  Type(dialog.LatDeg, "40");
  ui_.answers = {kResultNo, kResultCancel, kResultYes};
  dialog.CancelBtn->click();  // No: the dialog stays with the change
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.LatDeg->text(), "40");
  ASSERT_EQ(ui_.dialogs.size(), 1u);
  EXPECT_EQ(ui_.dialogs[0].kind, "question");
  EXPECT_EQ(ui_.dialogs[0].text, "هل تريد بالتأكيد إلغاء التعديلات  المتعلقة بهذا الموقع؟");
  dialog.CancelBtn->click();  // Cancel: stays too
  EXPECT_TRUE(dialog.isVisible());
  dialog.reject();  // Escape, answered Yes
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
  EXPECT_EQ(list_.GetItem(0).Rec.LatDeg, 33);
  EXPECT_FALSE(list_.Modified);
}

}  // namespace
}  // namespace vek
