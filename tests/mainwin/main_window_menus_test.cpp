// The main window's menu bar, tray menu and their commands, driven through their items as the
// user does: options and settings file, language, dialogs, help commands, tray, balloons and
// closing.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QHelpEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QSystemTrayIcon>

#include <cerrno>
#include <cmath>
#include <fstream>
#include <functional>

#include "engine/calendar.h"
#include "foundation/file_io.h"
#include "foundation/qt/hint_window.h"
#include "foundation/qt/message_forms.h"
#include "foundation/qt/rtl_menus.h"
#include "foundation/system_report.h"
#include "mainwin/about_box.h"
#include "mainwin/alert_window.h"
#include "mainwin/clock_face_form.h"
#include "mainwin/main_window_fixture.h"
#include "program/dialogs/hijri_adjust_dialog.h"
#include "program/dialogs/month_names_dialog.h"
#include "program/dialogs/safety_times_dialog.h"
#include "program/display_texts.h"
#include "program/settings_converters.h"
#include "sounds/sound_trigger.h"
#include "support/drawn_ink.h"
#include "support/program_session_access.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::MainWindowTest;

constexpr const char* kMain = "Orvessa, by Al Tovarelin";

class MainWindowMenus : public MainWindowTest {
 protected:
  std::string Ini(const char* key, const char* section = kMain) {
    return IniFile(folder() / "VEK.INI").ReadString(section, key, "?");
  }

  std::unique_ptr<TVEK__MAIN> StartIn(const char* language) {
    WriteIni(std::string("[Orvessa, by Al Tovarelin]\r\nOpeningBasmalah=False\r\nLanguage=") +
             language + "\r\n");
    return Start({"StopClock"});
  }
  std::unique_ptr<TVEK__MAIN> StartEnglish() { return StartIn("English"); }

  // Counts the window's Closed signal.
  void CountCloses(TVEK__MAIN& w) {
    QObject::connect(&w, &TVEK__MAIN::Closed, [this] { ++closes; });
  }

  // Answers the close question with the button of the window's language.
  void AnswerCloseQuestion(int answer, bool tickDoNotAsk = false) {
    OnNextDialog<TMessageYesNo>([answer, tickDoNotAsk](TMessageYesNo& q) {
      EXPECT_TRUE(q.DoNotAskAgain_CheckBox->isVisible());
      if (tickDoNotAsk)
        q.DoNotAskAgain_CheckBox->setChecked(true);
      const bool arabic = q.AMsg_P->isVisible();
      QPushButton* button = answer == kResultYes ? (arabic ? q.a_Yes_BitBtn : q.e_Yes_BitBtn)
                            : answer == kResultNo
                                ? (arabic ? q.a_No_BitBtn : q.e_No_BitBtn)
                                : (arabic ? q.a_Cancel_BitBtn : q.e_Cancel_BitBtn);
      button->click();
    });
  }

  int closes = 0;
};

// Every menu under the bar and the tray menu, with their submenus.
std::vector<QMenu*> AllMenus(TVEK__MAIN& w) {
  std::vector<QMenu*> menus;
  std::function<void(QMenu*)> add = [&](QMenu* menu) {
    menus.push_back(menu);
    for (QAction* a : menu->actions())
      if (a->menu())
        add(a->menu());
  };
  for (QAction* a : w.menuBar()->actions())
    if (a->menu())
      add(a->menu());
  add(w.W.TrayPopupMenu);
  return menus;
}

TEST_F(MainWindowMenus, OptionItemsToggleTheirSettingAndWriteIt) {
  useTray = true;
  trayAvailable = true;
  for (const char* language : {"English", "Arabic"}) {
    SCOPED_TRACE(language);
    auto w = StartIn(language);
    const VekSettings& s = w->Context().Settings;
    const struct {
      QAction* item;
      std::function<bool()> value;
      const char* key;
      const char* section;
      const char* written;
    } cases[] = {
        {w->W.T24HItem, [&] { return s.Is24H; }, "Is24H", kMain, "True"},
        {w->W.HijriDateItem, [&] { return s.HijriMode; }, "Hijri", kMain, "True"},
        {w->W.HintsItem, [&] { return s.ShowHint; }, "ShowHint", kMain, "False"},
        {w->W.MinToTrayItem, [&] { return s.MinimizeToTray; }, "MinimizeToTray", kMain, "False"},
        {w->W.PromptToCloseItem, [&] { return s.PromptToClose; }, "PromptToClose", kMain, "False"},
        {w->W.ShowWarningScreenItem, [&] { return s.ShowWarningScreen; }, "ShowWarningScreen",
         kMain, "False"},
        {w->W.ShowSplashItem, [&] { return s.ShowSplashOption; }, "ShowSplash", "ShowSplash", "0"},
    };
    for (const auto& c : cases) {
      const bool before = c.value();
      c.item->trigger();
      EXPECT_NE(before, c.value()) << c.key;
      EXPECT_EQ(c.written, Ini(c.key, c.section)) << c.key;
      if (c.item->isCheckable()) {
        EXPECT_EQ(c.value(), c.item->isChecked()) << c.key;
      }
    }
    // The display follows.
    EXPECT_FALSE(w->W.STime->text().contains("M"));  // 24 hours: no AM or PM
    EXPECT_FALSE(w->W.SlotTimes[Zuhr]->text().contains("M"));
    EXPECT_EQ(QString::fromStdString(
                  DateCaption(std::floor(clock.now), true, s.Names, s.Lang, s.HijriAdjust)),
              w->W.SDate_P->text());
    EXPECT_EQ(QString::fromStdString(DateKindMenuCaption(true, s.Lang)),
              w->W.HijriDateItem->text());
    EXPECT_EQ(QString::fromStdString(FlyingHelpMenuCaption(false, s.Lang)), w->W.HintsItem->text());
    EXPECT_FALSE(w->W.TrayMinToTrayItem->isChecked());
    EXPECT_FALSE(w->W.TrayPromptToCloseItem->isChecked());
    // Toggled back from the tray's twins.
    w->W.TrayMinToTrayItem->trigger();
    w->W.TrayPromptToCloseItem->trigger();
    EXPECT_EQ("True", Ini("MinimizeToTray"));
    EXPECT_EQ("True", Ini("PromptToClose"));
    EXPECT_TRUE(w->W.MinToTrayItem->isChecked());
  }
}

TEST_F(MainWindowMenus, LanguageTwiceGivesTheStartingLayoutAndMenusReadRightToLeftInArabic) {
  auto w = StartEnglish();
  const QString englishTitle = w->W.OptionsMenu->title();
  w->W.LanguageItem->trigger();
  EXPECT_EQ("Arabic", Ini("Language"));
  EXPECT_EQ(Qt::RightToLeft, w->W.MainPanel->layoutDirection());
  EXPECT_EQ(Qt::RightToLeft, w->menuBar()->layoutDirection());
  for (QMenu* menu : AllMenus(*w))
    EXPECT_EQ(Qt::RightToLeft, menu->layoutDirection()) << menu->title().toStdString();
  EXPECT_EQ(QString::fromUtf8("&خيارات"), w->W.OptionsMenu->title());
  EXPECT_EQ(QString::fromUtf8("إظهار نافذة التنبيه"), w->W.ShowWarningScreenItem->text());
  EXPECT_EQ("English", w->W.TrayLanguageItem->text());

  w->W.TrayLanguageItem->trigger();
  EXPECT_EQ("English", Ini("Language"));
  EXPECT_EQ(englishTitle, w->W.OptionsMenu->title());
  EXPECT_EQ(Qt::LeftToRight, w->W.MainPanel->layoutDirection());
  for (QMenu* menu : AllMenus(*w))
    EXPECT_EQ(Qt::LeftToRight, menu->layoutDirection());
  EXPECT_TRUE(w->W.TimesLeft->text().contains("till"));

  // The alert window's pointer to its option names items that exist.
  EXPECT_EQ("&Options", englishTitle);
  EXPECT_EQ("Show Warning Screen", w->W.ShowWarningScreenItem->text());
  EXPECT_EQ(w->W.OptionsMenu, w->W.ShowWarningScreenItem->parent());
}

// The Arabic menu bar keeps every title's access key, and each title is drawn as its plain word
// with the key's underline: the key splits no word's joining. So are the items of its menus.
TEST_F(MainWindowMenus, TheArabicMenusKeepTheirWordsJoinedAtTheirAccessKeys) {
  auto w = StartIn("Arabic");
  w->show();
  QMenuBar* bar = w->menuBar();
  std::vector<QAction*> titles;
  for (QAction* title : bar->actions())
    if (title->isVisible() && !bar->actionGeometry(title).isEmpty())
      titles.push_back(title);
  ASSERT_GE(titles.size(), 7u);
  const QImage withKeys = testing::Drawn(bar);
  for (QAction* title : titles) {
    EXPECT_FALSE(QKeySequence::mnemonic(title->text()).isEmpty()) << title->text().toStdString();
    title->menu()->setTitle(QString(title->text()).remove(QLatin1Char('&')));
  }
  const QImage plain = testing::Drawn(bar);
  for (QAction* title : titles) {
    SCOPED_TRACE(title->text().toStdString());
    const QRect place = bar->actionGeometry(title);
    EXPECT_TRUE(testing::OnlyAnUnderlineAdded(withKeys.copy(place), plain.copy(place)));
  }

  QMenu* program = w->W.ProgramMenu;
  program->popup(QPoint(0, 0));
  const QImage items = testing::Drawn(program);
  std::vector<QAction*> keyed;
  for (QAction* item : program->actions()) {
    if (!QKeySequence::mnemonic(item->text()).isEmpty())
      keyed.push_back(item);
    item->setText(QString(item->text()).remove(QLatin1Char('&')));
  }
  ASSERT_GE(keyed.size(), 2u);
  const QImage plainItems = testing::Drawn(program);
  for (QAction* item : keyed) {
    SCOPED_TRACE(item->text().toStdString());
    const QRect place = program->actionGeometry(item);
    EXPECT_TRUE(testing::OnlyAnUnderlineAdded(items.copy(place), plainItems.copy(place)));
  }
  program->hide();
}

TEST_F(MainWindowMenus, CursorToActiveControlPutsThePointerOnAButtonsCentre) {
  auto w = Start({"StopClock"});
  w->show();
  w->W.ExitBtn->setFocus();
  CursorToActiveControl(w.get());
  EXPECT_EQ(
      w->W.ExitBtn->mapToGlobal(QPoint(w->W.ExitBtn->width() / 2, w->W.ExitBtn->height() / 2)),
      QCursor::pos());
}

TEST_F(MainWindowMenus, MinimiseRestoreAndQuitWithoutThePrompt) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nPromptToClose=False\r\n");
  auto w = Start({"StopClock"});
  CountCloses(*w);
  w->show();
  w->W.MinimizeItem->trigger();
  EXPECT_TRUE(w->isMinimized());
  w->W.TrayRestoreItem->trigger();
  EXPECT_FALSE(w->isMinimized());
  EXPECT_TRUE(w->isVisible());
  w->W.QuitItem->trigger();  // closes at once
  EXPECT_FALSE(w->isVisible());
  EXPECT_EQ(1, closes);
}

// An adhan chosen from the Sounds menu is in VEK.INI at once: a run that ends without closing
// (killed, logged out) starts again with it.
TEST_F(MainWindowMenus, TheAdhanChosenFromTheSoundsMenuIsSavedAtOnce) {
  fs::create_directories(folder() / "SOUNDS");
  for (std::string_view file : AzhanFiles)
    ASSERT_EQ(0, WriteFileReplacing(folder() / "SOUNDS" / std::string(file), "adhan"));
  {
    auto w = StartEnglish();
    w->W.AzhanItems[2]->trigger();
    EXPECT_EQ(2, w->Context().Settings.AzhanIndex);
    EXPECT_EQ(SoundIndexToName(2).value(), Ini("Azhan"));
    w->W.AllAzhansItem->trigger();
    EXPECT_EQ("ALL", Ini("Azhan"));
    w->W.AzhanItems[4]->trigger();
  }  // no close: the window is destroyed as a killed process leaves it
  auto again = Start({"StopClock"});
  EXPECT_EQ(4, again->Context().Settings.AzhanIndex);
}

TEST_F(MainWindowMenus, TheCloseQuestionYesMinimisesNoClosesCancelStays) {
  auto w = StartIn("Arabic");
  CountCloses(*w);
  w->show();
  AnswerCloseQuestion(kResultYes);
  w->W.ExitBtn->click();
  EXPECT_TRUE(w->isMinimized());
  EXPECT_EQ(0, closes);
  EXPECT_FALSE(w->InCloseQuery());

  w->W.TrayRestoreItem->trigger();
  AnswerCloseQuestion(kResultCancel);
  w->close();  // the title bar's close
  EXPECT_FALSE(w->isMinimized());
  EXPECT_TRUE(w->isVisible());
  EXPECT_EQ(0, closes);

  // From the tray menu: Yes keeps the program running minimised.
  AnswerCloseQuestion(kResultYes);
  w->W.TrayQuitItem->trigger();
  EXPECT_TRUE(w->isMinimized());
  EXPECT_EQ(0, closes);
  EXPECT_EQ("True", Ini("PromptToClose"));

  AnswerCloseQuestion(kResultNo);
  w->W.QuitItem->trigger();
  EXPECT_EQ(1, closes);
  EXPECT_FALSE(w->isVisible());
}

// The box that stops the question takes effect with Yes or No; Cancel changes nothing.
TEST_F(MainWindowMenus, AskingNoMoreIsWrittenWithAnAnswerAndASecondCloseWhileAskingIsIgnored) {
  auto w = StartEnglish();
  CountCloses(*w);
  w->show();
  OnNextDialog<TMessageYesNo>([&](TMessageYesNo& q) {
    EXPECT_TRUE(w->InCloseQuery());
    // A second close request while the question is open: no second question.
    w->close();
    EXPECT_FALSE(w->FormCloseQuery());
    EXPECT_TRUE(w->isVisible());
    q.DoNotAskAgain_CheckBox->setChecked(true);
    q.e_Cancel_BitBtn->click();
  });
  w->close();
  EXPECT_EQ(1, modalsShown);
  EXPECT_FALSE(w->InCloseQuery());
  EXPECT_EQ(0, closes);
  EXPECT_TRUE(w->Context().Settings.PromptToClose);
  EXPECT_EQ("True", Ini("PromptToClose"));
  EXPECT_TRUE(w->W.PromptToCloseItem->isChecked());

  AnswerCloseQuestion(kResultYes, true);
  w->close();
  EXPECT_TRUE(w->isMinimized());
  EXPECT_EQ("False", Ini("PromptToClose"));
  EXPECT_FALSE(w->W.PromptToCloseItem->isChecked());
  w->close();  // no question any more
  EXPECT_EQ(1, closes);
}

TEST_F(MainWindowMenus, ABrokenLocationFileClosesWithoutAQuestion) {
  ASSERT_EQ(0, WriteFileReplacing(folder() / "VEK.LOC", "not a location file"));
  ui.onMessage = [](const std::string&) {};
  auto w = Start({"StopClock"});
  ASSERT_TRUE(w->ClosingAtStart());
  CountCloses(*w);
  QApplication::processEvents();
  QApplication::processEvents();
  EXPECT_EQ(0, modalsShown);  // no close question
  EXPECT_EQ(1, closes);
}

TEST_F(MainWindowMenus, TheTrayIconHidesTheMinimisedWindowWhileItsOptionIsOn) {
  useTray = true;
  trayAvailable = true;
  auto w = StartEnglish();
  ASSERT_NE(nullptr, w->W.StTrayIcon1);
  EXPECT_EQ(w->W.TrayPopupMenu, w->W.StTrayIcon1->contextMenu());
  EXPECT_TRUE(w->W.StTrayIcon1->isVisible());
  w->show();
  w->W.MinimizeItem->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(w->isHidden());
  w->W.TrayRestoreItem->trigger();
  EXPECT_TRUE(w->isVisible());

  w->W.MinToTrayItem->trigger();  // off: no icon, minimising keeps the window
  EXPECT_FALSE(w->W.StTrayIcon1->isVisible());
  w->W.MinimizeItem->trigger();
  QApplication::processEvents();
  EXPECT_FALSE(w->isHidden());
  w->FormActivate();  // applies the option again: still off
  EXPECT_FALSE(w->W.StTrayIcon1->isVisible());
}

// Without a tray the menus and VEK.INI say that minimising goes to the task bar, which it does.
TEST_F(MainWindowMenus, WithoutATrayTheWindowIsNeverHidden) {
  useTray = true;
  trayAvailable = false;
  auto w = StartEnglish();  // MinimizeToTray as the defaults have it: True
  EXPECT_EQ(nullptr, w->W.StTrayIcon1);
  EXPECT_FALSE(w->Context().Settings.MinimizeToTray);
  EXPECT_EQ("False", Ini("MinimizeToTray"));
  for (QAction* item : {w->W.MinToTrayItem, w->W.TrayMinToTrayItem}) {
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(item->isEnabled());
  }
  w->ae_MinToTrayClick();
  EXPECT_FALSE(w->Context().Settings.MinimizeToTray);
  EXPECT_FALSE(w->W.MinToTrayItem->isChecked());
  EXPECT_EQ("False", Ini("MinimizeToTray"));
  w->show();
  w->W.MinimizeItem->trigger();
  QApplication::processEvents();
  EXPECT_TRUE(w->isMinimized());
  EXPECT_FALSE(w->isHidden());
}

// A tool-tip event as the application sends it when the mouse rests on a widget.
void SendToolTip(QWidget* widget) {
  QHelpEvent event(QEvent::ToolTip, QPoint(3, 3), widget->mapToGlobal(QPoint(3, 3)));
  QApplication::sendEvent(widget, &event);
}

TEST_F(MainWindowMenus, HintsAreBalloonsAndAStatusShapeExplainsItselfWhenPressed) {
  WriteIni(
      "[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nSelectedCity=MOSCOW\r\n"
      "SelectedCountry=RUSSIA\r\n");
  auto w = Start({"StopClock"});
  w->show();
  TQuvHintWindow& balloon = w->Hints().Window();
  SendToolTip(w->W.ExitBtn);
  EXPECT_TRUE(balloon.isVisible());
  EXPECT_EQ("Stop execution & exit to windows", balloon.Text());

  ASSERT_FALSE(w->W.IshaStatus->isHidden());
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w->W.IshaStatus, &press);
  EXPECT_TRUE(balloon.isVisible());
  EXPECT_EQ(QString::fromStdString(w->Session().ConflictText()).replace("\r\n", "\n"),
            balloon.Text());
  EXPECT_TRUE(balloon.Text().startsWith("The calculation method"));

  w->W.HintsItem->trigger();  // flying help off: no balloon at all
  EXPECT_FALSE(balloon.isVisible());
  SendToolTip(w->W.ExitBtn);
  QApplication::sendEvent(w->W.IshaStatus, &press);
  EXPECT_FALSE(balloon.isVisible());
}

// The day before the first of Ramadan (without adjustment).
double DayBeforeRamadan() {
  double day = EncodeDate(2027, 1, 1);
  while (!IsRamadanDate(day + 1, 0))
    ++day;
  return day;
}

TEST_F(MainWindowMenus, TheHijriDialogChangesNothingUntilOkAndOkEntersRamadanAtOnce) {
  clock.now = DayBeforeRamadan() + 0.5;
  auto w = StartIn("Arabic");
  ASSERT_FALSE(w->Context().IsRamadan);
  OnNextDialog<THijriAdjust>([&](THijriAdjust& d) {
    EXPECT_EQ(3, d.HijriDates->currentIndex());
    d.HijriDates->setCurrentIndex(4);
    EXPECT_FALSE(w->Context().IsRamadan);  // the seven dates left the run's state alone
    EXPECT_EQ(0, w->Context().Settings.HijriAdjust);
    d.CancelBtn->click();
  });
  w->W.AdvanceHijriItem->trigger();
  EXPECT_FALSE(w->Context().IsRamadan);
  EXPECT_EQ(0, w->Context().Settings.HijriAdjust);
  EXPECT_TRUE(w->W.SlotTimes[Imsak]->isHidden());

  ProgramSessionTestAccess::State(w->Session()).Track.IshaFajrConflict.Flag =
      true;  // stale: OK scans again
  OnNextDialog<THijriAdjust>([](THijriAdjust& d) {
    d.HijriDates->setCurrentIndex(4);  // +1 day: today is the first of Ramadan
    d.OKBtn->click();
  });
  w->W.AdvanceHijriItem->trigger();
  EXPECT_EQ(1, w->Context().Settings.HijriAdjust);
  EXPECT_EQ("1", Ini("AdvanceHijri"));
  EXPECT_TRUE(w->Context().IsRamadan);
  EXPECT_FALSE(w->W.SlotTimes[Imsak]->isHidden());
  EXPECT_FALSE(w->Context().Track.AnySet());
}

TEST_F(MainWindowMenus, SafetyTimesMoveTheTimesAndRescanTheTrackers) {
  auto w = StartEnglish();
  const double fajr = w->Context().TodayTimes[Fajr];
  const double imsak = w->Context().TodayTimes[Imsak];
  const QString fajrText = w->W.SlotTimes[Fajr]->text();
  ProgramSessionTestAccess::State(w->Session()).Track.IshaFajrConflict.Flag = true;
  OnNextDialog<TSaftyTimesDlg>([](TSaftyTimesDlg& d) {
    d.Combos[kFajrSafety]->setCurrentIndex(0);  // "Before five minutes"
    d.OKBtn->click();
  });
  w->W.SafetyItem->trigger();
  EXPECT_NEAR(fajr - 5.0 / 1440, w->Context().TodayTimes[Fajr], 1e-9);
  EXPECT_NEAR(imsak - 5.0 / 1440, w->Context().TodayTimes[Imsak], 1e-9);
  EXPECT_NE(fajrText, w->W.SlotTimes[Fajr]->text());
  EXPECT_FALSE(w->Context().Track.AnySet());
  EXPECT_NEAR(-5.0 / 60, std::stod(Ini("FajrSafety")), 1e-12);

  OnNextDialog<TSaftyTimesDlg>([](TSaftyTimesDlg& d) {
    d.Combos[kFajrSafety]->setCurrentIndex(10);
    d.CancelBtn->click();
  });
  w->W.SafetyItem->trigger();
  EXPECT_NEAR(fajr - 5.0 / 1440, w->Context().TodayTimes[Fajr], 1e-9);
}

TEST_F(MainWindowMenus, NewMonthNamesShowAtOnceInTheDateAndTheStatusTexts) {
  WriteIni(
      "[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nSelectedCity=MOSCOW\r\n"
      "SelectedCountry=RUSSIA\r\n");
  auto w = Start({"StopClock"});
  ASSERT_TRUE(w->W.SDate_P->text().contains("December"));
  OnNextDialog<TMonthsDlg>([](TMonthsDlg& d) {
    for (int month = 0; month < 12; ++month) {
      d.UpDown[kGregorianRow]->setValue(month);
      d.Edit[kGregorianRow]->setText(QStringLiteral(" Month%1 ").arg(month + 1));
    }
    d.OKBtn->click();
  });
  w->W.MonthNamesItem->trigger();
  EXPECT_TRUE(w->W.SDate_P->text().contains("Month12"));
  EXPECT_TRUE(w->W.IshaStatus->toolTip().contains(QRegularExpression("Month[5-8] ")));
  EXPECT_EQ("Month12", Ini("Month12", "EnglishGregorianNames"));
  EXPECT_EQ("Month1", Ini("Month1", "EnglishGregorianNames"));
}

TEST_F(MainWindowMenus, TheClockFaceChooserAndTheAboutBoxHaveTheirItems) {
  auto w = StartIn("Arabic");
  OnNextDialog<TClockFaceForm>([](TClockFaceForm& d) { d.reject(); });
  w->W.ClockFaceItem->trigger();
  OnNextDialog<TAboutVEK_Form>([](TAboutVEK_Form& d) {
    EXPECT_EQ(Qt::RightToLeft, d.layoutDirection());
    EXPECT_EQ("http://www.vek.invalid", d.TovarelinURL->text());
    d.TovarelinURLClick();
    d.CloseBtn->click();
  });
  w->W.AboutItem->trigger();
  ASSERT_EQ(1u, shell.opened.size());
  EXPECT_EQ("http://www.vek.invalid/a_updates.html", shell.opened[0]);
  EXPECT_TRUE(w->Context().WebLinkVisited);
}

TEST_F(MainWindowMenus, TheWebSiteStaysVisitedAndTheMailingListUsesTheMailProgram) {
  auto w = StartEnglish();
  w->W.WebSiteItem->trigger();
  EXPECT_EQ("http://www.vek.invalid/updates.html", shell.opened.back());
  EXPECT_TRUE(w->Context().WebLinkVisited);
  shell.answer = kShellNoAssociation;
  w->W.WebSiteItem->trigger();
  EXPECT_EQ("Internet Browser Not Found", ui.messages.back());
  EXPECT_TRUE(w->Context().WebLinkVisited);  // a later failure does not clear it

  // The alert window's manual-update page goes the same way.
  shell.answer = kShellAccepted;
  w->AlertWindow().Create();
  ASSERT_NE(nullptr, w->AlertWindow().Window());
  w->AlertWindow().Window()->TovarelinURL_TitleClick();
  EXPECT_EQ("http://www.vek.invalid/sounds.html#SOUND_FILES", shell.opened.back());

  w->W.MailingListItem->trigger();
  EXPECT_EQ("mailto:list@vek.invalid", shell.opened.back());
}

TEST_F(MainWindowMenus, SupportMailWithoutThePlugInExplainsOnceThenUsesTheMailProgram) {
  auto w = StartEnglish();
  ui.messages.clear();
  w->W.EMailItem->trigger();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("Error: File Missing\n"));
  EXPECT_TRUE(ui.dialogs.empty());
  EXPECT_EQ("mailto:support@vek.invalid", shell.opened.back());
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(MainWindowMenus, SupportMailWithThePlugInWritesTheMailFileAndStartsIt) {
  auto w = StartEnglish();
  ASSERT_EQ(0, WriteFileReplacing(folder() / "pelsunk.exe", "plug-in"));
  ui.answers = {0};  // declined: nothing written, nothing started
  w->W.EMailItem->trigger();
  EXPECT_FALSE(fs::exists(folder() / "$$MAIL.txt"));
  EXPECT_TRUE(launcher.started.empty());

  ui.answers = {1};
  w->W.EMailItem->trigger();
  ASSERT_EQ(1u, launcher.started.size());
  EXPECT_EQ(folder() / "pelsunk.exe", launcher.started[0]);
  EXPECT_EQ(folder(), launcher.lastOptions.workingFolder);
  EXPECT_EQ(1, launcher.detached);
  std::ifstream in(folder() / "$$MAIL.txt", std::ios::binary);
  const std::string mail((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string head =
      std::string("To: support@vek.invalid\r\nSubject: Customer Support about Zurivo Zazir\r\n")
          .append("Attachments: ")
          .append((folder() / "VEK_DIRS.TXT").string())
          .append("\r\n\r\nD/M/Y: 10/12/2026\r\n");
  EXPECT_EQ(0u, mail.find(head));
  EXPECT_NE(std::string::npos, mail.find("\r\nV:6.22\r\n"));
  EXPECT_TRUE(mail.ends_with("*** Detailed problem description here ***\r\n"));
  EXPECT_TRUE(fs::exists(folder() / "VEK_DIRS.TXT"));
}

TEST_F(MainWindowMenus, ADownloadedInstallerClosesTheProgramOnlyOnceItHasStarted) {
  ASSERT_EQ(0, WriteFileReplacing(folder() / "ZUZUZ622.EXE", "installer"));
  ui.answers = {1};  // run it
  auto w = StartEnglish();
  CountCloses(*w);
  ASSERT_TRUE(w->Context().RunInstaller);
  launcher.startError = ENOEXEC;
  ui.messages.clear();
  w->FormActivate();
  EXPECT_FALSE(w->Context().RunInstaller);
  ASSERT_EQ(1u, launcher.started.size());
  EXPECT_EQ(1u, ui.messages.size());  // the failed start, once
  EXPECT_FALSE(w->Trigger().HasTask());
  w->FormActivate();  // no second try
  EXPECT_EQ(1u, launcher.started.size());
  EXPECT_EQ(0, closes);

  ui.answers = {1};
  launcher.startError = 0;
  auto second = StartEnglish();
  CountCloses(*second);
  second->FormActivate();
  EXPECT_EQ(2u, launcher.started.size());
  ASSERT_TRUE(second->Trigger().HasTask());
  while (second->Trigger().HasTask())
    second->Trigger().RunNextTask();
  EXPECT_EQ(1, closes);  // closed without the question (which would have blocked here)
}

}  // namespace
}  // namespace vek
