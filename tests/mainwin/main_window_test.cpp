// The main window once started: language layouts, the clock tick, Ramadan and the notices.
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QInputDialog>
#include <QStatusTipEvent>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <set>
#include <string>

#include "engine/calendar.h"
#include "foundation/program_temp_folder.h"
#include "locations/dialogs/change_location_dialog.h"
#include "locations/dialogs/location_operations_dialog.h"
#include "locations/dialogs/new_location_dialog.h"
#include "locations/dialogs/select_location_dialog.h"
#include "mainwin/alert_window.h"
#include "mainwin/analog_clock.h"
#include "mainwin/clock_face_form.h"
#include "mainwin/main_window_fixture.h"
#include "sounds/sound_trigger.h"

namespace vek {
namespace {

using testing::MainWindowTest;
using MainWindow = MainWindowTest;

constexpr double kMinute = 1.0 / 1440;

TEST_F(MainWindow, LanguageButtonSwitchesLayoutAndSaves) {
  auto w = Start();
  EXPECT_EQ(Qt::RightToLeft, w->W.MainPanel->layoutDirection());
  EXPECT_EQ(QString::fromUtf8("الفجر"), w->W.SlotNames[Fajr]->text());
  const QString arabicTimes = w->W.SlotTimes[Zuhr]->text();
  const QString arabicTitle = w->windowTitle();
  EXPECT_TRUE(arabicTitle.contains(QString::fromUtf8("أوقات الصلاة"))) << arabicTitle.toStdString();
  w->LanguageBtnClick();
  EXPECT_EQ("Zurivo Zazir (Al Tovarelin):   Version 6.22", w->windowTitle());
  EXPECT_EQ(Qt::LeftToRight, w->W.MainPanel->layoutDirection());
  EXPECT_EQ("Fajr", w->W.SlotNames[Fajr]->text());
  EXPECT_EQ(QString::fromUtf8("عربي"), w->W._LanguageBtn->text());
  EXPECT_EQ(arabicTimes, w->W.SlotTimes[Zuhr]->text());
  EXPECT_TRUE(w->W.TimesLeft->text().contains("till"));
  IniFile ini(folder() / "VEK.INI");
  EXPECT_EQ("English", ini.ReadString("Orvessa, by Al Tovarelin", "Language", ""));
  w->LanguageBtnClick();
  EXPECT_EQ(arabicTitle, w->windowTitle());
}

TEST_F(MainWindow, TheTickUpdatesTheCountdownEachMinuteAndTheDayAtMidnight) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start({"StopClock"});  // the test drives the tick itself
  EXPECT_FALSE(w->W.ClockTimer->isActive());
  const QString before = w->W.TimesLeft->text();
  const int minutes = w->Context().Next.MinutesToNext;
  clock.now += kMinute;
  w->OvcClock1SecondChange();
  EXPECT_EQ(minutes - 1, w->Context().Next.MinutesToNext);
  EXPECT_NE(before, w->W.TimesLeft->text());

  const double fajrToday = w->Context().TodayTimes[Fajr];
  const QString dateToday = w->W.SDate_P->text();
  clock.now = std::floor(clock.now) + 1 + 0.5 * kMinute;  // just after midnight
  w->OvcClock1SecondChange();
  EXPECT_NE(dateToday, w->W.SDate_P->text());
  EXPECT_NE(fajrToday, w->Context().TodayTimes[Fajr]);
  EXPECT_EQ(Fajr, w->Context().Next.Kind);
}

// The countdown runs every minute: the window and the tray keep the icon they show until the
// status changes, and a status shown again takes the icon drawn the first time, never a new one.
TEST_F(MainWindow, TheStatusIconIsDrawnOnceAndSetOnlyWhenTheStatusChanges) {
  useTray = true;
  trayAvailable = true;
  auto w = Start({"StopClock"});
  ASSERT_NE(nullptr, w->W.StTrayIcon1);
  std::map<StatusIcon, qint64> drawn;
  StatusIcon shown = w->Context().Status.Icon;
  drawn[shown] = w->windowIcon().cacheKey();
  int unchanged = 0;
  int changes = 0;
  for (int minute = 0; minute < 24 * 60; ++minute) {
    const qint64 before = w->windowIcon().cacheKey();
    clock.now += kMinute;
    w->OvcClock1SecondChange();
    const StatusIcon now = w->Context().Status.Icon;
    const qint64 key = w->windowIcon().cacheKey();
    EXPECT_EQ(key, w->W.StTrayIcon1->icon().cacheKey());
    if (now == shown) {
      ++unchanged;
      ASSERT_EQ(before, key) << "minute " << minute;
    } else {
      ++changes;
      shown = now;
      if (const auto seen = drawn.find(now); seen != drawn.end()) {
        EXPECT_EQ(seen->second, key) << "minute " << minute;
      }
      drawn[now] = key;
    }
  }
  EXPECT_GT(changes, 10);  // every colour and step of a day, Normal too
  EXPECT_GT(unchanged, 1000);
  EXPECT_EQ(drawn.size(), static_cast<std::size_t>(kStatusIconCount));
}

TEST_F(MainWindow, RamadanShowsImsak) {
  double day = EncodeDate(2027, 1, 1);
  while (!IsRamadanDate(day, 0))
    ++day;
  clock.now = day + 10 + 0.5;  // noon, ten days into Ramadan
  auto w = Start();
  EXPECT_TRUE(w->Context().IsRamadan);
  EXPECT_FALSE(w->W.SlotTimes[Imsak]->isHidden());
  EXPECT_FALSE(w->W.SlotTimes[Imsak]->text().isEmpty());
  clock.now = day + 40 + 0.5;
  w->OvcClock1SecondChange();
  EXPECT_FALSE(w->Context().IsRamadan);
  EXPECT_TRUE(w->W.SlotTimes[Imsak]->isHidden());
}

TEST_F(MainWindow, HighLatitudeNoticeForACityWhereTwilightNeverEnds) {
  WriteIni(
      "[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nSelectedCity=MOSCOW\r\n"
      "SelectedCountry=RUSSIA\r\n");
  auto w = Start();
  ASSERT_TRUE(w->Context().Track.AnySet());
  EXPECT_FALSE(w->W.IshaStatus->isHidden());
  EXPECT_TRUE(w->W.IshaStatus->toolTip().startsWith(
      "The calculation method that you have chosen for your location produces:"));
}

TEST_F(MainWindow, ClockButtonsStepFacesAndColoursAndAreSaved) {
  auto w = Start();
  EXPECT_EQ(0, w->Context().Settings.ClockFaceIndex);
  w->OvcClock1MouseDown(Qt::RightButton);
  EXPECT_EQ(16, w->Context().Settings.ClockFaceIndex);
  w->OvcClock1MouseDown(Qt::LeftButton);
  EXPECT_EQ(0, w->Context().Settings.ClockFaceIndex);
  w->ColorsSpeedButtonMouseDown(Qt::LeftButton);
  EXPECT_EQ(3, w->Context().Settings.HandsColorIndex);
  w->ChangeClockSizeOnMouseDown();
  EXPECT_EQ(0, w->Context().Settings.ClockSizeIndex);
  IniFile ini(folder() / "VEK.INI");
  EXPECT_EQ("YELLOW", ini.ReadString("Orvessa, by Al Tovarelin", "HandsColor", ""));
  EXPECT_EQ("SMALL", ini.ReadString("Orvessa, by Al Tovarelin", "ClockSize", ""));
}

// The clock's buttons show while the pointer is over the clock, without changing the window's
// size, and go when it leaves, also straight out of the window.
TEST_F(MainWindow, TheClockButtonsComeAndGoWithThePointer) {
  auto w = Start({"StopClock"});
  w->show();
  QApplication::processEvents();
  const QSize size = w->size();
  const QSize hint = w->sizeHint();
  QCursor::setPos(w->W.OvcClock1->mapToGlobal(w->W.OvcClock1->rect().center()));
  QEvent enter(QEvent::Enter);
  QApplication::sendEvent(w->W.OvcClock1, &enter);
  QApplication::processEvents();
  EXPECT_TRUE(w->W.ClockFaceSpeedButton->isVisible());
  EXPECT_EQ(size, w->size());
  EXPECT_EQ(hint, w->sizeHint());

  // Onto a button: they stay.
  QCursor::setPos(w->W.ColorsSpeedButton->mapToGlobal(w->W.ColorsSpeedButton->rect().center()));
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(w->W.OvcClock1, &leave);
  EXPECT_TRUE(w->W.ColorsSpeedButton->isVisible());
  // Out of the window: they go.
  QCursor::setPos(w->mapToGlobal(QPoint(w->width() + 50, w->height() + 50)));
  QApplication::sendEvent(w->W.ColorsSpeedButton, &leave);
  for (QWidget* b : {w->W.ClockFaceSpeedButton, w->W.ClockBackGroundSpeedButton,
                     w->W.ClcockSizeSpeedButton, w->W.ColorsSpeedButton})
    EXPECT_FALSE(b->isVisible());
  QApplication::processEvents();
  EXPECT_EQ(size, w->size());
}

// The face chooser unpacks its pictures into the program's temporary folder, which it removes;
// the program folder receives only the face chosen.
TEST_F(MainWindow, TheFaceChooserLeavesOnlyTheChosenFaceInTheProgramFolder) {
  namespace fs = std::filesystem;
  const auto filesIn = [](const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.insert(entry.path().filename().string());
    return names;
  };
  auto w = Start({"StopClock"});
  std::set<std::string> expected = filesIn(folder());
  expected.insert({"ROM140.ZIP", "ROM140.BMP"});
  bool previewed = false;
  OnNextDialog<TClockFaceForm>([&](TClockFaceForm& form) {
    previewed = fs::exists(ProgramTempFolderPath() / "clock-faces" / "ECOL140.BMP");
    form.ImageClick(4);  // the Roman face
    form.accept();
  });
  w->SelectFaceClick();
  EXPECT_TRUE(previewed);
  EXPECT_EQ(3, w->Context().Settings.ClockFaceIndex);
  EXPECT_EQ(expected, filesIn(folder()));
  EXPECT_FALSE(fs::exists(ProgramTempFolderPath() / "clock-faces"));
}

}  // namespace
}  // namespace vek

namespace vek {
namespace {

// A start 10 minutes before Asr: the alert window counts down and the alarm recitation follows
// the opening Basmalah; at Asr itself the adhan plays.
TEST_F(MainWindow, AnnouncesTheNextPrayerFromTheStart) {
  namespace fs = std::filesystem;
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  fs::create_directories(folder() / "SOUNDS" / "SURAS");
  ASSERT_EQ(0, WriteFileReplacing(folder() / "SOUNDS" / "AZHAN_M1.WAV", "adhan"));
  ASSERT_EQ(0, WriteFileReplacing(folder() / "SOUNDS" / "SURAS" / "S0.WAV", "taawuz"));
  double asr = 0;
  {
    auto probe = Start({"StopClock"});
    asr = std::floor(clock.now) + probe->Context().TodayTimes[Asr];
  }
  player.events.clear();
  clock.now = asr - 10 * kMinute;
  auto w = Start({"StopClock"});
  ASSERT_TRUE(w->AlertWindow().Exists());
  EXPECT_FALSE(w->AlertWindow().AtPrayerTime());
  EXPECT_EQ(Asr, w->AlertWindow().PrayerIndex());
  while (w->Trigger().HasTask())
    w->Trigger().RunNextTask();
  ASSERT_GE(player.events.size(), 2u);
  EXPECT_EQ("resource BASMALAH", player.events.front());
  EXPECT_NE(player.events.end(),
            std::find(player.events.begin(), player.events.end(), "play S0.WAV"));

  clock.now = asr + 0.1 * kMinute;
  w->OvcClock1SecondChange();
  EXPECT_TRUE(w->AlertWindow().AtPrayerTime());
  EXPECT_EQ("AZHAN_M1.WAV", player.played.back());
}

// The long high-latitude explanation of London goes to the status line when the mouse passes
// over a marker; no text may widen the window, in either language.
TEST_F(MainWindow, TheStatusLineNeverWidensTheWindow) {
  for (const char* lang : {"Arabic", "English"}) {
    SCOPED_TRACE(lang);
    WriteIni(std::string("[Orvessa, by Al Tovarelin]\r\nLanguage=") + lang +
             "\r\nSelectedCity=LONDON\r\nSelectedCountry=UNITED KINGDOM\r\n");
    clock.now = EncodeDate(2026, 6, 21) + 0.5;
    auto w = Start({"StopClock"});
    w->show();
    QApplication::processEvents();
    const int width = w->width();
    ASSERT_TRUE(w->W.FajrStatus->isVisible());
    for (QLabel* marker : {w->W.FajrStatus, w->W.IshaStatus}) {
      QStatusTipEvent hover(marker->statusTip());
      QApplication::sendEvent(marker, &hover);
      QApplication::processEvents();
      EXPECT_GT(w->W._SHelp->text().size(), 200);
      EXPECT_EQ(width, w->width());
      EXPECT_LE(w->minimumSizeHint().width(), width);
      // The status line holds the whole text, drawn cut to its width; the marker's hint keeps
      // it too.
      EXPECT_EQ(marker->statusTip(), w->W._SHelp->text());
      EXPECT_FALSE(marker->toolTip().isEmpty());
    }
  }
}

TEST_F(MainWindow, NextAndStopReadingFollowTheRecitation) {
  namespace fs = std::filesystem;
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nOpeningBasmalah=False\r\n");
  fs::create_directories(folder() / "SOUNDS" / "SURAS");
  ASSERT_EQ(0, WriteFileReplacing(folder() / "SOUNDS" / "SURAS" / "S1.WAV", "fatiha"));
  ASSERT_EQ(0, WriteFileReplacing(folder() / "SOUNDS" / "SURAS" / "S2.WAV", "baqara"));
  auto w = Start({"StopClock"});
  w->W.SoundsMenu->aboutToShow();
  EXPECT_TRUE(w->W.ReadAvailableSurasItem->isEnabled());
  EXPECT_FALSE(w->W.NextSuraItem->isEnabled());
  EXPECT_FALSE(w->W.StopReadingItem->isEnabled());

  w->ReadAvailableSurasClick();
  while (w->Trigger().HasTask())
    w->Trigger().RunNextTask();
  w->W.SoundsMenu->aboutToShow();
  EXPECT_TRUE(w->W.StopReadingItem->isEnabled());

  w->StopReadingClick();
  EXPECT_FALSE(w->W.NextSuraItem->isEnabled());
  EXPECT_FALSE(w->W.StopReadingItem->isEnabled());
}

}  // namespace
}  // namespace vek

namespace vek {
namespace {

// After a location dialog the window shows the location the dialog chose, and its high-latitude
// marks describe that location.
TEST_F(MainWindow, LocationDialogsRefreshTheWindowAndTheMarks) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start({"StopClock"});
  EXPECT_FALSE(w->Context().Track.AnySet());
  OnNextDialog<TSelectLocation>([](TSelectLocation& dialog) {
    for (int row = 0; row < dialog.Model().RowCount(); ++row)
      if (dialog.Model().RowText(row).City == "MOSCOW")
        dialog.LocationsClick(row);
    dialog.SelectBtnClick();
  });
  w->SelectClick();
  EXPECT_EQ(1, modalsShown);
  EXPECT_TRUE(w->W.City->text().startsWith("MOSCOW"));
  EXPECT_TRUE(w->Context().Track.AnySet());
  EXPECT_FALSE(w->W.IshaStatus->isHidden());
  IniFile ini(folder() / "VEK.INI");
  EXPECT_EQ("MOSCOW", ini.ReadString("Orvessa, by Al Tovarelin", "SelectedCity", ""));

  OnNextDialog<TLocationOperation>([&w](TLocationOperation& dialog) {
    const LocationCascade& cascade = dialog.Model().Cascade();
    const auto indexOf = [](const std::vector<std::string>& items, const char* name) {
      return static_cast<int>(std::find(items.begin(), items.end(), name) - items.begin());
    };
    dialog.CountryChange(indexOf(cascade.Countries(), "SYRIA"));
    dialog.CityChange(indexOf(cascade.Cities(), "DAMASCUS"));
    dialog.SelectBtnClick();
    // The window keeps the location it shows until the dialog closes.
    EXPECT_EQ("MOSCOW", w->Context().Locations.Current().Rec.City);
  });
  w->OperationsClick();
  EXPECT_EQ(2, modalsShown);
  EXPECT_TRUE(w->W.City->text().startsWith("DAMASCUS"));
  EXPECT_FALSE(w->Context().Track.AnySet());
  EXPECT_TRUE(w->W.IshaStatus->isHidden());
}

// The dialogs that the location dialogs open in turn (Edit's change dialog, New's new-location
// dialog and its new-name prompt) come through the window's modal runner too: none waits in a
// nested exec() of its own.
TEST_F(MainWindow, TheLocationDialogsOpenTheirOwnDialogsThroughTheRunner) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start({"StopClock"});
  OnNextDialog<TSelectLocation>([](TSelectLocation& dialog) { dialog.EditBtnClick(); });
  OnNextDialog<TChangeLocation>([](TChangeLocation&) {});
  w->SelectClick();
  EXPECT_EQ(2, modalsShown);
  OnNextDialog<TLocationOperation>([](TLocationOperation& dialog) {
    dialog.EditBtnClick();
    dialog.NewBtnClick();
  });
  OnNextDialog<TChangeLocation>([](TChangeLocation&) {});
  OnNextDialog<TNewLocation>([](TNewLocation& dialog) { dialog.NewCountryBtnClick(); });
  OnNextDialog<TNewName>([](TNewName&) {});
  w->OperationsClick();
  EXPECT_EQ(6, modalsShown);
  EXPECT_TRUE(modalAnswers.empty());
}

}  // namespace
}  // namespace vek

namespace vek {
namespace {

// A new adhan description that code page 1256 cannot hold is refused, not stored as "?".
TEST_F(MainWindow, AnAdhanDescriptionMustFitTheSettingsFile) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\n");
  auto w = Start({"StopClock"});
  const auto answer = [this](const char* text) {
    OnNextDialog<QInputDialog>([text](QInputDialog& input) {
      input.setTextValue(QString::fromUtf8(text));
      input.accept();
    });
  };
  answer("東京");
  w->ChAzNameClick(2);
  EXPECT_EQ("Aleppo", w->Context().Settings.AzhanDescriptions.English[1]);
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_NE(std::string::npos, ui.messages.back().find("cannot store"));
  answer("Halab");
  w->ChAzNameClick(2);
  EXPECT_EQ("Halab", w->Context().Settings.AzhanDescriptions.English[1]);
}

}  // namespace
}  // namespace vek
