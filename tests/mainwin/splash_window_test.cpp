#include "mainwin/splash_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace vek {
namespace {

TEST(SplashWindowTest, CaptionsFollowTheLanguage) {
  struct Case {
    Language lang;
    const char* text;
    const char* checkBox;
  };
  const Case cases[] = {
      {Language::English, "Initializing program", "Stop showing this screen"},
      {Language::Arabic, "جارٍ تهيئة البرنامج", "لا تعرض هذه الشاشة بعد الآن"},
  };
  for (const Case& c : cases) {
    const bool arabic = c.lang == Language::Arabic;
    SCOPED_TRACE(arabic ? "Arabic" : "English");
    QWidget owner;
    bool option = true;
    TSplashWnd splash(&owner, c.lang, false, option);
    splash.show();

    EXPECT_EQ(splash.SplashData->text(), QString::fromUtf8(c.text));
    EXPECT_EQ(splash.SplashShadow->text(), splash.SplashData->text());
    EXPECT_EQ(splash.ShowSplash_CB->text(), QString::fromUtf8(c.checkBox));
    EXPECT_FALSE(splash.ShowSplash_CB->isChecked());
    EXPECT_EQ(splash.ALogo->isVisible(), arabic);
    EXPECT_EQ(splash.ELogo->isVisible(), !arabic);
    EXPECT_EQ(splash.A_TovarelinLabel->isVisible(), arabic);
    EXPECT_EQ(splash.A_TovarelinShadow->isVisible(), arabic);
    EXPECT_EQ(splash.E_TovarelinLabel->isVisible(), !arabic);
    EXPECT_EQ(splash.E_TovarelinShadow->isVisible(), !arabic);
    EXPECT_EQ(splash.A_TovarelinLabel->text(), QString::fromUtf8("(برنامج Tovarelin)"));
    EXPECT_EQ(splash.E_TovarelinLabel->text(), "(Al Tovarelin Program)");
    EXPECT_FALSE((arabic ? splash.ALogo : splash.ELogo)->pixmap().isNull());

    EXPECT_TRUE(splash.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_FALSE(splash.SplashTimer->isActive());
    EXPECT_EQ(splash.SplashTimer->interval(), 500);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((splash.frameGeometry().center() - screen.center()).manhattanLength(), 2);
  }
}

TEST(SplashWindowTest, TheCheckBoxSwitchesTheSplashOff) {
  QWidget owner;
  bool option = true;
  TSplashWnd splash(&owner, Language::English, true, option, [&option](bool on) { option = on; });
  splash.show();
  splash.ShowSplash_CB->click();
  EXPECT_FALSE(option);
  splash.ShowSplash_CB->click();
  EXPECT_TRUE(option);

  TSplashWnd withoutOption(&owner, Language::Arabic, true, true);
  withoutOption.ShowSplash_CB->click();
}

TEST(SplashWindowTest, ClosingHidesAtOnceAndFreesTheSplashHalfASecondLater) {
  QWidget owner;
  bool option = true;
  QPointer<TSplashWnd> splash = new TSplashWnd(&owner, Language::English, true, option);
  splash->show();
  ASSERT_TRUE(splash->isVisible());

  StartSplashClosing(splash);
  ASSERT_TRUE(splash);
  EXPECT_FALSE(splash->isVisible());
  EXPECT_TRUE(splash->SplashTimer->isActive());

  QEventLoop loop;
  QObject::connect(splash, &QObject::destroyed, &loop, &QEventLoop::quit);
  QTimer::singleShot(3000, &loop, &QEventLoop::quit);
  loop.exec();
  EXPECT_TRUE(splash.isNull());
  // A closing started again finds nothing to do.
  StartSplashClosing(splash);
}

}  // namespace
}  // namespace vek
