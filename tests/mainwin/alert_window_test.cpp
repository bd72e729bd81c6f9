#include "mainwin/alert_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QTimer>
#include <QToolButton>

#include <string>
#include <vector>

namespace vek {
namespace {

const QString kRlmText = QString::fromUtf8("\u200F");

class AlertWindowTest : public ::testing::Test {
 protected:
  AlertWindowContext Context(Language lang = Language::English, int availableAzhans = 3) {
    AlertWindowContext context;
    context.lang = lang;
    context.azhanCaption = "Aleppo\r\nAzhan";
    context.availableAzhanCount = availableAzhans;
    context.settings = &settings;
    context.mute = [this] { ++mutes; };
    // As the main window does: the setting is stored, the menu follows, VEK.INI is saved.
    context.setShowWarningScreen = [this](bool show) {
      settings.ShowWarningScreen = show;
      ++menuUpdates;
      ++saves;
    };
    context.setMoveScreenSaver = [this](bool move) {
      settings.MoveScreenSaverOption = move;
      ++saves;
    };
    context.liveUpdate = [this] { ++liveUpdates; };
    context.openManualUpdatePage = [this](const std::string& path) { pages.push_back(path); };
    context.screenArea = QRect(0, 0, 800, 600);
    return context;
  }

  // A window freed at the end of the test, unless it freed itself.
  TKQTimeWindow* Make(AlertWindowContext context) {
    auto* window = new TKQTimeWindow(std::move(context), &owner);
    windows.emplace_back(window);
    return window;
  }

  void TearDown() override {
    for (const QPointer<TKQTimeWindow>& window : windows)
      delete window.data();
  }

  QWidget owner;
  VekSettings settings;
  int mutes = 0;
  int saves = 0;
  int menuUpdates = 0;
  int liveUpdates = 0;
  std::vector<std::string> pages;
  std::vector<QPointer<TKQTimeWindow>> windows;
};

TEST_F(AlertWindowTest, MainTextsAndFontSizes) {
  struct Case {
    Language lang;
    TPrayerSlot prayer;
    bool atTime;
    int minutes;
    const char* text;  // Arabic without its right-to-left marks
    int pointSize;
  };
  const Language en = Language::English;
  const Language ar = Language::Arabic;
  const Case cases[] = {
      {en, Asr, false, 12, "12 Minutes till Asr", 20},
      {en, Imsak, false, 7, "7 Minutes till Imsak", 20},
      {en, Shuruq, false, 5, "5 Minutes till Shuruq (sun rise)", 14},
      {en, Shuruq, true, 0, "Shuruq (sun rise) time now", 14},
      {en, Fajr, true, 0, "Fajr Azhan Time", 20},
      {en, Zuhr, true, 0, "Zuhr Azhan Time", 20},
      {en, Zuhr, false, 10, "", 20},
      {ar, Asr, false, 12, "12 دقيقة  حتى أذان العصر", 20},
      {ar, Imsak, false, 7, "7 دقيقة  حتى وقت الإمساك", 20},
      {ar, Shuruq, false, 5, "5 دقيقة  حتى شروق الشمس", 20},
      {ar, Shuruq, true, 0, "حان موعد شروق الشمس", 20},
      {ar, Maghrib, true, 0, "حان موعد أذان المغرب", 20},
      {ar, Isha, false, 1, "1 دقيقة  حتى أذان العشاء", 20},
      {ar, Zuhr, false, 10, "", 20},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TKQTimeWindow* window = Make(Context(c.lang));
    window->ShowPrayerTimeAlert(Isha);  // an earlier text that an empty one must replace
    window->_NextTimesLeft->setText("x");
    if (c.atTime)
      window->ShowPrayerTimeAlert(c.prayer);
    else
      window->ShowMinutesBefore(c.prayer, c.minutes);

    QString expected = QString::fromUtf8(c.text);
    if (c.lang == ar && !expected.isEmpty())
      expected = kRlmText + expected + kRlmText;
    EXPECT_EQ(window->_AZanL2->text(), expected);
    EXPECT_EQ(window->_AzanL1->text(), expected);
    EXPECT_EQ(window->_AZanL2->font().pointSize(), c.pointSize);
    EXPECT_EQ(window->_AzanL1->font().pointSize(), c.pointSize);
    EXPECT_EQ(window->PrayerIndex, c.prayer);
    EXPECT_EQ(window->AtPrayerTime, c.atTime);
    EXPECT_EQ(window->_NextTimesLeft->text().isEmpty(), !c.atTime);
  }

  // A prayer outside the day's seven leaves the text as it was.
  TKQTimeWindow* window = Make(Context());
  window->ShowPrayerTimeAlert(Asr);
  window->SetAlertText(static_cast<TPrayerSlot>(7), true, 0);
  EXPECT_EQ(window->_AZanL2->text(), "Asr Azhan Time");
}

TEST_F(AlertWindowTest, TheFormFollowsTheLanguage) {
  for (Language lang : {Language::English, Language::Arabic}) {
    const bool arabic = lang == Language::Arabic;
    SCOPED_TRACE(arabic ? "Arabic" : "English");
    TKQTimeWindow* window = Make(Context(lang));
    window->show();
    EXPECT_EQ(window->ABtns->isVisible(), arabic);
    EXPECT_EQ(window->ALogo->isVisible(), arabic);
    EXPECT_EQ(window->EBtns->isVisible(), !arabic);
    EXPECT_EQ(window->ELogo->isVisible(), !arabic);
    EXPECT_EQ(window->AzName_Label->text(), "Aleppo  Azhan");
    EXPECT_EQ(window->DoNotShowThisWindow_CheckBox->text(),
              QString::fromUtf8(arabic ? "لا تُظهـِر هذه النافذة مستقبلا"
                                       : "Do not show this window again"));
    EXPECT_EQ(window->DoNotShowThisWindow_CheckBox->layoutDirection(),
              arabic ? Qt::RightToLeft : Qt::LeftToRight);
    // The caption-less tool window: no title bar, no border icons, on top, not in the task bar.
    EXPECT_EQ(window->windowType(), Qt::Tool);
    EXPECT_TRUE(window->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowTitleHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMinMaxButtonsHint);
    EXPECT_TRUE(window->testAttribute(Qt::WA_DeleteOnClose));
    EXPECT_EQ(window->width(), 412);
  }
}

TEST_F(AlertWindowTest, AFixedWindowNeverMoves) {
  settings.MoveScreenSaverOption = false;
  TKQTimeWindow* window = Make(Context());
  EXPECT_FALSE(window->Master->isActive());
  EXPECT_FALSE(window->Slave->isActive());
  EXPECT_EQ(window->EHaltBtn->text(), "Move");
  EXPECT_EQ(window->AHaltBtn->text(), QString::fromUtf8("تحريك"));
  EXPECT_EQ(window->EHaltBtn->toolTip(), "Press to allow movement of this window");
}

TEST_F(AlertWindowTest, AMovingWindowWaitsThenDriftsAndBouncesAtTheEdges) {
  settings.MoveScreenSaverOption = true;
  TKQTimeWindow* window = Make(Context());
  EXPECT_EQ(window->EHaltBtn->text(), "Fix");
  EXPECT_EQ(window->AHaltBtn->text(), QString::fromUtf8("تثبيت"));
  EXPECT_EQ(window->EHaltBtn->toolTip(), "Press to prevent movement of this window");
  EXPECT_TRUE(window->Master->isActive());
  EXPECT_EQ(window->Master->interval(), 30000);
  EXPECT_FALSE(window->Slave->isActive());
  // Centred in the screen area.
  EXPECT_EQ(window->geometry().center(), QRect(0, 0, 800, 600).center());

  window->MasterTimer();
  EXPECT_FALSE(window->Master->isActive());
  EXPECT_TRUE(window->Slave->isActive());
  EXPECT_EQ(window->Slave->interval(), 75);

  const QSize size = window->frameGeometry().size();
  const int maxLeft = 800 - size.width();
  const int maxTop = 600 - size.height();
  struct Case {
    QPoint start;
    int stepX, stepY;
    std::vector<QPoint> ticks;  // the positions after each tick
  };
  const Case cases[] = {
      {{100, 50}, 1, 1, {{101, 51}, {102, 52}, {103, 53}}},
      // The right edge, then the bottom edge turn the direction.
      {{maxLeft - 1, 50}, 1, 1, {{maxLeft, 51}, {maxLeft, 52}, {maxLeft - 1, 53}}},
      {{100, maxTop}, 1, 1, {{101, maxTop}, {102, maxTop - 1}}},
      // The left and top edges.
      {{1, 1}, -1, -1, {{0, 0}, {0, 0}, {1, 1}}},
      // A window partly off the screen is put back on the first tick.
      {{-30, 700}, 1, 1, {{0, maxTop}}},
      {{900, -40}, 1, 1, {{maxLeft, 0}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start.x() << "," << c.start.y());
    window->move(c.start);
    window->StepX = c.stepX;
    window->StepY = c.stepY;
    for (const QPoint& expected : c.ticks) {
      window->SlaveTimer();
      EXPECT_EQ(window->pos(), expected);
    }
  }
}

TEST_F(AlertWindowTest, FixMoveTogglesTheSettingAndSavesIt) {
  settings.MoveScreenSaverOption = true;
  TKQTimeWindow* window = Make(Context());
  window->MasterTimer();
  window->StepX = -1;

  window->EHaltBtn->click();
  EXPECT_FALSE(settings.MoveScreenSaverOption);
  EXPECT_FALSE(window->Master->isActive());
  EXPECT_FALSE(window->Slave->isActive());
  EXPECT_EQ(window->StepX, 1);
  EXPECT_EQ(window->EHaltBtn->text(), "Move");
  EXPECT_EQ(saves, 1);

  window->AHaltBtn->click();
  EXPECT_TRUE(settings.MoveScreenSaverOption);
  EXPECT_TRUE(window->Master->isActive());
  EXPECT_FALSE(window->Slave->isActive());
  EXPECT_EQ(window->EHaltBtn->text(), "Fix");
  EXPECT_EQ(saves, 2);
}

TEST_F(AlertWindowTest, TheUpdateOfferShowsOnlyWithoutAdhanFilesWhileTheAdhanSoundIsOn) {
  struct Case {
    const char* name;
    int availableAzhans;
    bool azanSoundOn;
    bool offer;
    int noticePointSize;
  };
  const Case cases[] = {
      {"with adhan files", 2, true, false, 18},
      {"none, sound on", 0, true, true, 8},
      {"none, sound off", 0, false, false, 8},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    settings.AzanSoundOn = c.azanSoundOn;
    TKQTimeWindow* window = Make(Context(Language::English, c.availableAzhans));
    window->ShowPrayerTimeAlert(Asr);
    EXPECT_EQ(window->CurAzName_Label->font().pointSize(), c.noticePointSize);
    EXPECT_EQ(window->NoticeIsRed(), c.offer);
    EXPECT_EQ(window->Updates_Panel->isHidden(), !c.offer);
    EXPECT_EQ(window->UpdatesPanelHidden, !c.offer);
    EXPECT_EQ(window->height(), c.offer ? 318 : 318 - 76);
    EXPECT_EQ(window->CurAzName_Label->text(),
              c.offer ? "Azhan files can be downloaded from our internet site" : "");
    EXPECT_EQ(window->Updates_Label->text(), c.offer ? "FREE UPDATES THROUGH THE INTERNET" : "");
    if (c.offer) {
      EXPECT_EQ(window->CurAzName_Label->palette().color(QPalette::Window), QColor(Qt::red));
      EXPECT_EQ(window->CurAzName_Label->palette().color(QPalette::WindowText), QColor(Qt::white));
    }
    // The panel is removed once per window.
    window->ShowMinutesBefore(Asr, 5);
    window->FormActivate();
    EXPECT_EQ(window->height(), c.offer ? 318 : 318 - 76);
  }

  settings.AzanSoundOn = true;
  TKQTimeWindow* arabic = Make(Context(Language::Arabic, 0));
  arabic->ShowMinutesBefore(Fajr, 9);
  EXPECT_EQ(arabic->CurAzName_Label->text(),
            QString::fromUtf8("يمكن تنزيل ملفات الأذان من موقعنا على الإنترنت"));
  EXPECT_EQ(arabic->TovarelinURL_Title->text(),
            QString::fromUtf8("انقر هنا لإجراء الترقية يدويا:"));
}

TEST_F(AlertWindowTest, MuteButtonsFollowTheSoundSwitchesAndMuteOnce) {
  settings.AzanSoundOn = false;
  settings.AlarmSoundOn = true;
  TKQTimeWindow* window = Make(Context());
  window->ShowPrayerTimeAlert(Maghrib);
  EXPECT_FALSE(window->AAzanBtn->isEnabled());
  EXPECT_FALSE(window->EAzanBtn->isEnabled());
  window->SetSoundLine("Azhan sound disabled");
  window->ShowMinutesBefore(Maghrib, 14);
  EXPECT_TRUE(window->EAzanBtn->isEnabled());
  EXPECT_EQ(window->CurAzName_Label->text(), "");  // emptied before a prayer

  window->EAzanBtn->click();
  EXPECT_EQ(mutes, 1);
  EXPECT_FALSE(window->AAzanBtn->isEnabled());
  EXPECT_FALSE(window->EAzanBtn->isEnabled());
  EXPECT_FALSE(window->AAzanBtn->isHidden());
  EXPECT_FALSE(window->EAzanBtn->isHidden());
}

TEST_F(AlertWindowTest, TheCheckBoxSwitchesLaterWindowsOffAndSaves) {
  settings.ShowWarningScreen = true;
  TKQTimeWindow* window = Make(Context());
  window->show();
  window->ShowPrayerTimeAlert(Isha);
  EXPECT_FALSE(window->DoNotShowThisWindow_CheckBox->isChecked());

  window->DoNotShowThisWindow_CheckBox->click();
  EXPECT_FALSE(settings.ShowWarningScreen);
  EXPECT_EQ(menuUpdates, 1);
  EXPECT_EQ(saves, 1);
  EXPECT_TRUE(window->isVisible());
  // The activation step shows the setting and is no change of it.
  window->FormActivate();
  EXPECT_TRUE(window->DoNotShowThisWindow_CheckBox->isChecked());
  EXPECT_EQ(saves, 1);

  window->DoNotShowThisWindow_CheckBox->click();
  EXPECT_TRUE(settings.ShowWarningScreen);
  EXPECT_EQ(saves, 2);
}

void ClickLabel(QLabel* label) {
  const QPointF at(label->width() / 2.0, label->height() / 2.0);
  QMouseEvent press(QEvent::MouseButtonPress, at, label->mapToGlobal(at), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QMouseEvent release(QEvent::MouseButtonRelease, at, label->mapToGlobal(at), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(label, &press);
  QCoreApplication::sendEvent(label, &release);
}

TEST_F(AlertWindowTest, TheUpdateLinks) {
  settings.AzanSoundOn = true;
  for (Language lang : {Language::English, Language::Arabic}) {
    TKQTimeWindow* window = Make(Context(lang, 0));
    window->show();
    window->ShowPrayerTimeAlert(Fajr);
    ClickLabel(window->TovarelinURL_Title);
    EXPECT_TRUE(window->isVisible());
    ClickLabel(window->LiveUpdate_Label1);
    EXPECT_FALSE(window->isVisible());
  }
  EXPECT_EQ(pages,
            (std::vector<std::string>{"/sounds.html#SOUND_FILES", "/a_sounds.html#Sound-files"}));
  EXPECT_EQ(liveUpdates, 2);
}

TEST_F(AlertWindowTest, ThePortForgetsTheWindowAsSoonAsItStartsToClose) {
  settings.MoveScreenSaverOption = false;
  AlertWindowPort port(&owner, [this] { return Context(); });
  EXPECT_FALSE(port.Exists());
  EXPECT_FALSE(port.AtPrayerTime());

  port.Create();
  ASSERT_TRUE(port.Exists());
  QPointer<TKQTimeWindow> window = port.Window();
  port.ShowPrayerTimeAlert(Asr);
  port.Show();
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(port.AtPrayerTime());
  EXPECT_EQ(port.PrayerIndex(), Asr);
  port.SetSoundLine("Makkah Azhan");
  EXPECT_EQ(window->CurAzName_Label->text(), "Makkah Azhan");
  port.EnableMuteButtons(false);
  EXPECT_FALSE(window->EAzanBtn->isEnabled());
  port.ShowMinutesBefore(Isha, 11);
  EXPECT_FALSE(port.AtPrayerTime());
  EXPECT_EQ(port.PrayerIndex(), Isha);

  // Whatever else hears the window close finds it already forgotten.
  bool existedWhileClosing = true;
  QObject::connect(window, &TKQTimeWindow::closing, [&] { existedWhileClosing = port.Exists(); });
  window->ECloseBtn->click();
  EXPECT_FALSE(existedWhileClosing);
  EXPECT_FALSE(port.Exists());
  EXPECT_EQ(port.Window(), nullptr);
  EXPECT_TRUE(window);  // not yet freed
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(window);

  // The next alert gets a new window.
  port.Create();
  EXPECT_TRUE(port.Exists());
  EXPECT_NE(port.Window(), nullptr);
}

TEST_F(AlertWindowTest, AWindowMayOutliveItsPort) {
  QPointer<TKQTimeWindow> window;
  {
    AlertWindowPort port(&owner, [this] { return Context(); });
    port.Create();
    window = port.Window();
  }
  ASSERT_TRUE(window);
  window->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(window);
}

}  // namespace
}  // namespace vek
