#include "foundation/qt/bilingual_dialogs.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "foundation/qt/qt_strings.h"
#include "foundation/qt/qt_ui_services.h"
#include "foundation/ui_services.h"
#include "support/drawn_ink.h"

namespace vek {
namespace {

// The countdown is driven by hand: a shown dialog's timer never fires, since the tests run no
// event loop.
void Tick(TQECountdownDlg& dialog, int ticks) {
  for (int i = 0; i < ticks; ++i)
    dialog.Timer1Timer();
}

// A mouse move to pos, in the coordinates of widget, delivered as Qt delivers it.
void MoveMouse(QWidget* widget, QPoint pos) {
  QMouseEvent event(QEvent::MouseMove, QPointF(pos), widget->mapToGlobal(QPointF(pos)),
                    Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(widget, &event);
}

void GiveFocus(QWidget* widget) {
  QFocusEvent event(QEvent::FocusIn, Qt::TabFocusReason);
  QCoreApplication::sendEvent(widget, &event);
}

TEST(NoYesDialogTest, CountdownRunsOutToNo) {
  TQENYDialog dialog("Go on?", kEnglishCaptions);
  dialog.show();
  Tick(dialog, 99);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.Gauge1->value(), 99);
  Tick(dialog, 1);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.Timer1->isActive());
  EXPECT_TRUE(dialog.TimedOut());
  EXPECT_EQ(dialog.Answer(), 0);

  // Showing it again clears the flag and restarts the countdown.
  dialog.show();
  EXPECT_FALSE(dialog.TimedOut());
  EXPECT_EQ(dialog.Gauge1->value(), 0);
  EXPECT_TRUE(dialog.Timer1->isActive());
}

TEST(NoYesDialogTest, OnlyYesAnswersYes) {
  TQENYDialog dialog("Go on?", kEnglishCaptions);
  dialog.show();
  dialog.YesBtn->click();
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.Timer1->isActive());
  EXPECT_EQ(dialog.Answer(), 1);

  // An earlier Yes never answers a later question that was closed otherwise.
  dialog.show();
  QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
  QCoreApplication::sendEvent(&dialog, &escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(dialog.Answer(), 0);

  dialog.show();
  dialog.YesBtn->click();
  dialog.show();
  dialog.close();  // the title bar's close
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_FALSE(dialog.Timer1->isActive());
  EXPECT_EQ(dialog.Answer(), 0);

  dialog.show();
  dialog.NoBtn->click();
  EXPECT_EQ(dialog.Answer(), 0);
}

TEST(NoYesDialogTest, MouseMovesOfFivePixelsResetTheCountdown) {
  TQENYDialog dialog("Go on?", kEnglishCaptions);
  dialog.show();
  MoveMouse(&dialog, {200, 20});
  Tick(dialog, 10);

  // Steps of 4 pixels across the label, the panel and a button: each under 5 from the last.
  QPoint pos{200, 20};
  for (QWidget* widget : {static_cast<QWidget*>(dialog.Label1), static_cast<QWidget*>(&dialog),
                          static_cast<QWidget*>(dialog.NoBtn)}) {
    for (int i = 0; i < 5; ++i) {
      pos += QPoint(4, i % 2 == 0 ? 4 : -4);
      MoveMouse(widget, widget->mapFrom(&dialog, pos));
    }
  }
  EXPECT_EQ(dialog.Gauge1->value(), 10);

  MoveMouse(dialog.Label1, dialog.Label1->mapFrom(&dialog, pos + QPoint(0, 5)));
  EXPECT_EQ(dialog.Gauge1->value(), 0);
  Tick(dialog, 3);
  MoveMouse(dialog.YesBtn, dialog.YesBtn->mapFrom(&dialog, pos + QPoint(-5, 5)));
  EXPECT_EQ(dialog.Gauge1->value(), 0);
}

TEST(CountdownDialogsTest, ButtonFocusResetsTheCountdown) {
  TQENYDialog question("Go on?", kEnglishCaptions);
  question.show();
  for (QPushButton* button : {question.YesBtn, question.NoBtn, question.YesBtn}) {
    Tick(question, 20);
    GiveFocus(button);
    EXPECT_EQ(question.Gauge1->value(), 0);
  }

  TQEPromptDlg prompt("Wait", kEnglishCaptions);
  prompt.show();
  Tick(prompt, 20);
  GiveFocus(prompt.YesBtn);
  EXPECT_EQ(prompt.Gauge1->value(), 0);
}

TEST(CountdownDialogsTest, PromptEndsByItselfOrByContinue) {
  TQEPromptDlg prompt("Wait", kArabicCaptions);
  prompt.show();
  EXPECT_EQ(prompt.YesBtn->text(), QString::fromUtf8("تابع"));
  Tick(prompt, 100);
  EXPECT_FALSE(prompt.isVisible());
  EXPECT_TRUE(prompt.TimedOut());

  prompt.show();
  EXPECT_FALSE(prompt.TimedOut());
  prompt.YesBtn->click();
  EXPECT_FALSE(prompt.isVisible());
  EXPECT_FALSE(prompt.Timer1->isActive());
  EXPECT_FALSE(prompt.TimedOut());
}

TEST(NoYesDialogTest, CaptionsAndPlacesButtonsByOption) {
  struct Case {
    int option;
    const char* no;
    const char* yes;
    int noLeft;
    int yesLeft;
    Qt::LayoutDirection direction;
  };
  const Case cases[] = {
      {kEnglishCaptions, "NO", "YES", 57, 377, Qt::LeftToRight},
      {kArabicCaptions, "لا", "نعم", 377, 58, Qt::RightToLeft},
      {kBothCaptions, "NO  كلا", "YES  نعم", 57, 377, Qt::LeftToRight},
      {2, "NO", "YES", 57, 377, Qt::LeftToRight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.option);
    TQENYDialog dialog("Go on?", c.option);
    dialog.show();
    EXPECT_EQ(dialog.NoBtn->text(), QString::fromUtf8(c.no));
    EXPECT_EQ(dialog.YesBtn->text(), QString::fromUtf8(c.yes));
    EXPECT_EQ(dialog.NoBtn->x(), c.noLeft);
    EXPECT_EQ(dialog.YesBtn->x(), c.yesLeft);
    EXPECT_EQ(dialog.YesBtn->width(), dialog.NoBtn->width());
    EXPECT_EQ(dialog.YesBtn->y(), dialog.NoBtn->y());
    EXPECT_EQ(dialog.layoutDirection(), c.direction);
    EXPECT_TRUE(dialog.NoBtn->isDefault());
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(kBilingualDialogCaption));
  }
}

const char* const kLongMessage =
    "This message is long enough to need many lines in the box. It goes on and on, because the "
    "box must grow to show all of it with some room to spare below the last line, however many "
    "lines that takes.\nA second paragraph adds more.\nAnd a third one.\nAnd a fourth.\nAnd a "
    "fifth line, so that the text needs more room than the box was designed with.";

TEST(MessageBoxDialogTest, FitsItsHeightToTheMessage) {
  TQEBox_Dlg shortBox("One line.", kEnglishCaptions);
  const int designedHeight = shortBox.height();
  shortBox.show();
  EXPECT_LT(shortBox.height(), designedHeight);

  TQEBox_Dlg longBox(kLongMessage, kEnglishCaptions);
  longBox.show();
  EXPECT_GT(longBox.height(), designedHeight);
  // The text panel holds the whole wrapped text with room to spare.
  EXPECT_GE(longBox.Label1->height(), longBox.Label1->heightForWidth(longBox.Label1->width()) + 30);
  EXPECT_EQ(longBox.Panel1->geometry().bottom(), longBox.height() - 1);
}

TEST(MessageBoxDialogTest, PlacesTheButtonByOption) {
  TQEBox_Dlg english("Hello", kEnglishCaptions);
  english.show();
  EXPECT_EQ(english.Yes_BitBtn->text(), "Continue");
  EXPECT_EQ(english.Yes_BitBtn->geometry().right(), english.Panel2->width() - 1);
  EXPECT_EQ(english.layoutDirection(), Qt::LeftToRight);

  TQEBox_Dlg arabic("Hello", kArabicCaptions);
  arabic.show();
  EXPECT_EQ(arabic.Yes_BitBtn->text(), QString::fromUtf8("تابع"));
  EXPECT_EQ(arabic.Yes_BitBtn->x(), 1);
  EXPECT_EQ(arabic.layoutDirection(), Qt::RightToLeft);
  EXPECT_TRUE(arabic.Label1->alignment() & Qt::AlignRight);

  arabic.Yes_BitBtn->click();
  EXPECT_EQ(arabic.result(), QDialog::Accepted);
}

TEST(CountdownDialogsTest, LongMessageIsNotClipped) {
  TQENYDialog dialog(kLongMessage, kEnglishCaptions);
  dialog.show();
  EXPECT_GE(dialog.Label1->height(), dialog.Label1->heightForWidth(dialog.Label1->width()));
  EXPECT_GT(dialog.Gauge1->y(), dialog.Panel1->geometry().bottom());
  EXPECT_GT(dialog.NoBtn->y(), dialog.Gauge1->geometry().bottom());
  EXPECT_LE(dialog.NoBtn->geometry().bottom(), dialog.height());
}

// Each line of a message reads in the direction of its own text, not in that of the message's
// first line: an English line after Arabic ones is drawn as it is alone, and so is an Arabic
// line after English ones, in the dialogs of every option.
TEST(BilingualDialogsTest, EveryLineTakesTheDirectionOfItsOwnText) {
  struct Case {
    const char* first;
    const char* last;
  };
  const Case cases[] = {
      {"هل تريدون المباشرة", "Do you want to start?"},
      {"ملف مفقود", "/home/user/build/default/dravolen"},
      {"File Missing", "ملف مفقود: F-MADINA.WAV"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.last);
    const QString last = QString::fromUtf8(c.last);
    const QString text = QString::fromUtf8(c.first) + "\n\n" + last;
    for (int option : {kArabicCaptions, kEnglishCaptions, kBothCaptions}) {
      SCOPED_TRACE(option);
      TQEBox_Dlg box(text, option);
      TQEBox_Dlg lastAlone(last, option);
      TQENYDialog question(text, option);
      TQENYDialog lastAloneAsked(last, option);
      for (QDialog* dialog :
           std::initializer_list<QDialog*>{&box, &lastAlone, &question, &lastAloneAsked})
        dialog->show();
      EXPECT_EQ(testing::DrawnInk(lastAlone.Label1), testing::DrawnLastLineInk(box.Label1));
      EXPECT_EQ(testing::DrawnInk(lastAloneAsked.Label1),
                testing::DrawnLastLineInk(question.Label1));
    }
  }
}

TEST(QtUiServicesTest, BusyCursorStaysBalanced) {
  {
    QtUiServices ui;
    ui.SetBusyCursor(true);
    ui.SetBusyCursor(true);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    ui.SetBusyCursor(false);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ui.SetBusyCursor(false);
    ui.SetBusyCursor(true);
  }  // still busy when it goes away
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtStringsTest, RoundTripsArabic) {
  const std::string text = "برنامج Tovarelin";
  EXPECT_EQ(ToQString(text).size(), 16);
  EXPECT_EQ(ToUtf8(ToQString(text)), text);
}

}  // namespace
}  // namespace vek

namespace vek {
namespace {

TEST(FrameArabicLines, EachArabicLineKeepsItsOwnDirection) {
  const QString rlm(QChar(0x200F));
  const QString arabic = QString::fromUtf8("تعذرت قراءة الملف.");
  const struct {
    QString text;
    QString expected;
  } cases[] = {
      {"English only.\nSecond line.", "English only.\nSecond line."},
      {"Read error.\r\n" + arabic + "\r\nGo on?",
       "Read error.\r\n" + rlm + arabic + rlm + "\r\nGo on?"},
      {arabic + "\n" + arabic, rlm + arabic + rlm + "\n" + rlm + arabic + rlm},
      {rlm + arabic + rlm, rlm + arabic + rlm},  // already framed
      {"\n" + QString::fromUtf8("12 ساعة"), "\n" + rlm + QString::fromUtf8("12 ساعة") + rlm},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.expected, FrameArabicLines(c.text)) << c.text.toStdString();
}

}  // namespace
}  // namespace vek
