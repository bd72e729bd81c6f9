// The first-run wizard as the start-up and the menu open it: its form driven as the user does,
// over the main window and a real program folder.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>

#include <cstdlib>
#include <functional>

#include "foundation/ini_file.h"
#include "locations/dialogs/select_location_dialog.h"
#include "mainwin/first_run_wizard.h"
#include "mainwin/main_window_fixture.h"
#include "mainwin/splash_window.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::MainWindowTest;

constexpr const char* kMain = "Orvessa, by Al Tovarelin";

class FirstRunWizard : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // The autostart folder of this test's desktop.
    config_ = dir.path() / "config";
    fs::create_directories(config_);
    ::setenv("XDG_CONFIG_HOME", config_.c_str(), 1);
    ASSERT_EQ(0, WriteFileReplacing(folder() / "vek", "the program"));
  }
  void TearDown() override { ::unsetenv("XDG_CONFIG_HOME"); }

  static TVEK__MAIN& MainWindowOf(TSelectLanguage_Form& form) {
    return *qobject_cast<TVEK__MAIN*>(form.parentWidget());
  }

  // Picks the location in the select-location dialog that the next command opens.
  void SelectOnNextDialog(const std::string& city, const std::string& country) {
    OnNextDialog<TSelectLocation>([city, country](TSelectLocation& dialog) {
      for (int row = 0; row < dialog.Model().RowCount(); ++row) {
        const SelectLocationModel::RowTexts texts = dialog.Model().RowText(row);
        if (texts.City == city && texts.Country == country) {
          dialog.LocationsClick(row);
          dialog.SelectBtnClick();
          return;
        }
      }
      ADD_FAILURE() << city << " is not in the list";
    });
  }

  // Presses Enter where the keyboard focus is, as the user does. A dialog that the key opens
  // is a fault: only the wizard's own page may react.
  void PressEnter(TSelectLanguage_Form& form) {
    const int shown = modalsShown;
    QWidget* target = form.focusWidget() ? form.focusWidget() : &form;
    for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
      QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier);
      QApplication::sendEvent(target, &key);
    }
    QApplication::processEvents();
    EXPECT_EQ(shown, modalsShown) << "Enter opened a dialog";
  }

  fs::path config_;
};

// No VEK.INI: no splash, nothing computed before the wizard, which opens once; the times of
// the city chosen there show after it, and VEK.INI holds every key with the wizard's choices.
TEST_F(FirstRunWizard, AFirstStartWalksThroughTheWizardBeforeAnyTimeIsShown) {
  useTray = true;
  trayAvailable = true;
  desktopArabic = false;
  onWizard = [&](TSelectLanguage_Form& form) {
    TVEK__MAIN& w = MainWindowOf(form);
    const VekContext& c = w.Context();
    EXPECT_FALSE(c.FormCreated);
    EXPECT_FALSE(w.W.SplashWnd);
    for (double t : c.TodayTimes)
      EXPECT_EQ(0.0, t);
    EXPECT_TRUE(w.W.SlotTimes[Fajr]->text().isEmpty());
    EXPECT_FALSE(fs::exists(folder() / "VEK.INI"));

    // Language: the desktop is not Arabic, so the wizard and the main window start in English.
    form.FormActivate();
    EXPECT_EQ(Language::English, c.Settings.Lang);
    EXPECT_TRUE(form.En_RadioButton->isChecked());
    EXPECT_EQ(Qt::LeftToRight, w.W.MainPanel->layoutDirection());
    EXPECT_EQ("Continue", form.Continue_Btn->text());
    EXPECT_FALSE(form.Back_BitBtn->isEnabled());

    // City: London, whose high-latitude trackers the choice scans.
    form.Continue_BtnClick();
    EXPECT_EQ(form.MainCity_Panel, form.Pages->currentWidget());
    EXPECT_EQ("DAMASCUS  (SYRIA)", form.CityNameLabel->text());
    EXPECT_FALSE(c.Track.FajrSaturation.Flag || c.Track.IshaSaturation.Flag ||
                 c.Track.IshaFajrConflict.Flag);
    SelectOnNextDialog("LONDON", "UNITED KINGDOM");
    form.ChangeCityButtonClick();
    EXPECT_EQ("LONDON  (UNITED KINGDOM)", form.CityNameLabel->text());
    EXPECT_TRUE(c.Track.FajrSaturation.Flag || c.Track.IshaSaturation.Flag ||
                c.Track.IshaFajrConflict.Flag);

    // The sound test plays the carried tone through the player; the user hears it.
    form.Continue_BtnClick();
    EXPECT_EQ(form.Mp3_Panel, form.Pages->currentWidget());
    EXPECT_FALSE(form.Continue_Btn->isEnabled());
    EXPECT_TRUE(form.TopInfo_Label->isVisibleTo(&form));
    form.YesButtonClick();

    // The tray: the task bar.
    form.Continue_BtnClick();
    EXPECT_TRUE(form.MinToTray_Yes->isChecked());  // the first run's default where there is one
    form.MinToTray_No->click();
    EXPECT_TRUE(form.MinToTray_No->isChecked());
    EXPECT_FALSE(c.Settings.MinimizeToTray);

    // Auto-start, written as the wizard finishes.
    form.Continue_BtnClick();
    EXPECT_EQ("Finish", form.Continue_Btn->text());
    form.Continue_BtnClick();
    EXPECT_EQ(QDialog::Accepted, form.result());
  };
  auto w = Start();
  EXPECT_EQ(1, wizardRuns);
  const VekContext& c = w->Context();
  EXPECT_TRUE(c.FormCreated);
  EXPECT_EQ("LONDON", c.Locations.Current().Rec.City);
  EXPECT_TRUE(w->W.City->text().startsWith("LONDON  (UNITED KINGDOM)"));
  EXPECT_FALSE(w->W.SlotTimes[Fajr]->text().isEmpty());
  EXPECT_FALSE(w->W.TimesLeft->text().isEmpty());
  EXPECT_TRUE(w->W.FajrStatus->isVisibleTo(w.get()));
  EXPECT_FALSE(w->W.StTrayIcon1->isVisible());
  IniFile ini(folder() / "VEK.INI");
  EXPECT_EQ(47u, ini.ReadSection(kMain).size());
  EXPECT_EQ("English", ini.ReadString(kMain, "Language", ""));
  EXPECT_EQ("LONDON", ini.ReadString(kMain, "SelectedCity", ""));
  EXPECT_EQ("False", ini.ReadString(kMain, "MinimizeToTray", ""));
  EXPECT_TRUE(fs::is_regular_file(config_ / "autostart" / "Prayer.desktop"));
}

// With VEK.INI the wizard opens only for "INSTALL", and then keeps the saved choices; the menu
// opens it at any time, keeping them too.
TEST_F(FirstRunWizard, InstallAndTheMenuOpenItOverTheSavedSettings) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=Arabic\r\nMinimizeToTray=False\r\n");
  desktopArabic = false;
  {
    auto w = Start();
    EXPECT_EQ(0, wizardRuns);
  }
  onWizard = [&](TSelectLanguage_Form& form) {
    form.FormActivate();
    const VekContext& c = MainWindowOf(form).Context();
    EXPECT_EQ(Language::Arabic, c.Settings.Lang);
    EXPECT_FALSE(c.Settings.MinimizeToTray);
    EXPECT_TRUE(form.Ar_RadioButton->isChecked());
    EXPECT_EQ(Qt::RightToLeft, form.layoutDirection());
    EXPECT_EQ("استمرار", form.Continue_Btn->text());
    form.reject();
  };
  auto w = Start({"INSTALL"});
  EXPECT_EQ(1, wizardRuns);
  EXPECT_FALSE(w->W.SlotTimes[Fajr]->text().isEmpty());
  EXPECT_FALSE(fs::exists(config_ / "autostart" / "Prayer.desktop"));  // closed before page 4

  w->W.InstallationExpertItem->trigger();
  EXPECT_EQ(2, wizardRuns);
  EXPECT_EQ("خبير التثبيت...", w->W.InstallationExpertItem->text());
}

TEST_F(FirstRunWizard, EnterContinuesOnEveryPageAndFinishesOnTheLast) {
  for (bool arabic : {false, true}) {
    SCOPED_TRACE(arabic ? "Arabic" : "English");
    fs::remove_all(config_ / "autostart");
    fs::remove(folder() / "VEK.INI");
    desktopArabic = arabic;
    wizardRuns = 0;
    onWizard = [&](TSelectLanguage_Form& form) {
      form.show();
      form.FormActivate();
      const FirstRunWizardModel& m = form.Model();
      for (int page = FirstRunWizardModel::kLanguagePage;
           page < FirstRunWizardModel::kAutoStartPage; ++page) {
        SCOPED_TRACE(page);
        ASSERT_EQ(page, m.Page());
        if (page == FirstRunWizardModel::kSoundPage) {
          EXPECT_EQ(form.YesButton, form.focusWidget());
          PressEnter(form);  // "Yes, I hear it"
          ASSERT_EQ(page, m.Page());
        }
        PressEnter(form);
      }
      ASSERT_EQ(FirstRunWizardModel::kAutoStartPage, m.Page());
      PressEnter(form);
      EXPECT_TRUE(m.CloseRequested());
      EXPECT_EQ(QDialog::Accepted, form.result());
      EXPECT_FALSE(form.isVisible());
    };
    auto w = Start();
    EXPECT_EQ(1, wizardRuns);
    EXPECT_EQ(arabic ? Language::Arabic : Language::English, w->Context().Settings.Lang);
    EXPECT_TRUE(fs::is_regular_file(config_ / "autostart" / "Prayer.desktop"));
  }
}

// A program started with VEK_HOME sets up its autostart entry with that program folder; the
// entry starts it minimised, as the wizard promises.
TEST_F(FirstRunWizard, TheAutostartEntryKeepsTheProgramFolderOfVekHome) {
  ::setenv("VEK_HOME", folder().c_str(), 1);
  onWizard = [&](TSelectLanguage_Form& form) {
    while (form.Model().Page() < FirstRunWizardModel::kAutoStartPage) {
      form.Continue_BtnClick();
      if (!form.Continue_Btn->isEnabled())
        form.YesButtonClick();
    }
    form.StartupButtonClick();
    form.reject();
  };
  auto w = Start();
  ::unsetenv("VEK_HOME");
  std::string entry;
  ASSERT_EQ(0, ReadWholeFile(config_ / "autostart" / "Prayer.desktop", entry));
  const std::string exec =
      "Exec=/usr/bin/env VEK_HOME=" + folder().string() + " " + (folder() / "vek").string() + " ";
  const std::size_t at = entry.find(exec);
  ASSERT_NE(std::string::npos, at) << entry;
  const std::string argument =
      entry.substr(at + exec.size(), entry.find('\n', at) - at - exec.size());
  EXPECT_EQ("Minimized", argument);

  w.reset();
  for (const bool minimized : {true, false}) {
    w = Start(minimized ? std::vector<std::string>{argument} : std::vector<std::string>{});
    w->ShowAtStart();
    EXPECT_EQ(minimized, w->isMinimized());
    EXPECT_FALSE(w->isHidden());
  }
}

// The main window's location button opens the select-location dialog; the window and the
// trackers follow the chosen city.
TEST_F(FirstRunWizard, TheLocationButtonFollowsTheChosenCity) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start();
  EXPECT_TRUE(w->W.SelLocationBtn->isEnabled());
  EXPECT_FALSE(w->W.FajrStatus->isVisibleTo(w.get()));
  SelectOnNextDialog("LONDON", "UNITED KINGDOM");
  w->W.SelLocationBtn->click();
  EXPECT_TRUE(w->W.City->text().startsWith("LONDON  (UNITED KINGDOM)"));
  EXPECT_TRUE(w->W.FajrStatus->isVisibleTo(w.get()));
}

// The location dialog that the first start's wizard opens shows the clock's time, and follows
// it, although the main window shows no day yet.
TEST_F(FirstRunWizard, TheWizardsLocationDialogShowsTheClocksTime) {
  QString opened;
  QString followed;
  onWizard = [&](TSelectLanguage_Form& form) {
    TVEK__MAIN& w = MainWindowOf(form);
    form.FormActivate();
    form.Continue_BtnClick();
    OnNextDialog<TSelectLocation>([&](TSelectLocation& dialog) {
      opened = dialog.Time->text();
      clock.now += 2.0 / 1440;
      w.OvcClock1SecondChange();
      followed = dialog.Time->text();
      dialog.reject();
    });
    form.ChangeCityButtonClick();
  };
  auto w = Start();
  ASSERT_EQ(1, wizardRuns);
  EXPECT_EQ("04:00  PM", opened);
  EXPECT_EQ("04:02  PM", followed);
  EXPECT_EQ("04:02  PM", w->W.STime->text());
}

}  // namespace
}  // namespace vek
