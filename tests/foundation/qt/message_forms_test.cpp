#include "foundation/qt/message_forms.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>

#include <utility>

#include "support/drawn_ink.h"

namespace vek {
namespace {

MessageFormContext Context(Language lang) {
  MessageFormContext context;
  context.lang = lang;
  return context;
}

TEST(MessageFormsTest, ShowThePanelAndCaptionOfTheLanguage) {
  for (Language lang : {Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    const bool arabic = lang == Language::Arabic;
    const QString caption = QString::fromUtf8(arabic ? "أوقات الصلاة" : "Zurivo Zazir");

    TKQMessage message("The text", Context(lang));
    message.show();
    EXPECT_EQ(message.windowTitle(), caption);
    EXPECT_EQ(message.AMsg_P->isVisible(), arabic);
    EXPECT_EQ(message.EMsg_P->isVisible(), !arabic);
    EXPECT_EQ((arabic ? message.AMsg : message.EMsg)->text(), "The text");
    EXPECT_EQ(message.EMsg_P->y(), message.AMsg_P->y());
    EXPECT_EQ(message.size(), QSize(464, 391));

    TMessageYesNo question("The question", Context(lang));
    question.show();
    EXPECT_EQ(question.windowTitle(), caption);
    EXPECT_EQ(question.AMsg_P->isVisible(), arabic);
    EXPECT_EQ(question.EMsg_P->isVisible(), !arabic);
    EXPECT_EQ((arabic ? question.AMsg : question.EMsg)->text(), "The question");
    EXPECT_EQ(question.size(), QSize(348, 162));
    EXPECT_EQ(question.DoNotAskAgain_CheckBox->text(),
              QString::fromUtf8(arabic ? "لا تطرح هذا السؤال في المستقبل"
                                       : "DO NOT ASK ME THIS QUESTION AGAIN"));
  }
}

// Each line of a message reads in the direction of its own text, not in that of the message's
// first line, on either language's panel.
TEST(MessageFormsTest, EveryLineTakesTheDirectionOfItsOwnText) {
  const QString english = "Could not read /home/user/VEK.INI.";
  const QString arabic = QString::fromUtf8("تعذرت قراءة VEK.INI.");
  for (Language lang : {Language::Arabic, Language::English}) {
    SCOPED_TRACE(static_cast<int>(lang));
    for (const auto& [first, last] : {std::pair{arabic, english}, std::pair{english, arabic}}) {
      TKQMessage message(first + "\r\n\r\n" + last, Context(lang));
      TKQMessage lastAlone(last, Context(lang));
      TMessageYesNo question(first + "\r\n\r\n" + last, Context(lang));
      TMessageYesNo lastAloneAsked(last, Context(lang));
      for (QDialog* form :
           std::initializer_list<QDialog*>{&message, &lastAlone, &question, &lastAloneAsked})
        form->show();
      const bool a = lang == Language::Arabic;
      EXPECT_EQ(testing::DrawnInk(a ? lastAlone.AMsg : lastAlone.EMsg),
                testing::DrawnLastLineInk(a ? message.AMsg : message.EMsg));
      EXPECT_EQ(testing::DrawnInk(a ? lastAloneAsked.AMsg : lastAloneAsked.EMsg),
                testing::DrawnLastLineInk(a ? question.AMsg : question.EMsg));
    }
  }
}

TEST(MessageFormsTest, ButtonCaptions) {
  TKQMessage message("", Context(Language::English));
  EXPECT_EQ(message.BitBtn1->text(), QString::fromUtf8("موافق"));
  EXPECT_EQ(message.BitBtn2->text(), "&OK");
  message.show();
  message.BitBtn2->click();
  EXPECT_EQ(message.result(), kResultOk);

  TMessageYesNo question("", Context(Language::English));
  EXPECT_EQ(question.a_Yes_BitBtn->text(), QString::fromUtf8("ن&عم"));
  EXPECT_EQ(question.a_No_BitBtn->text(), QString::fromUtf8("&لا"));
  EXPECT_EQ(question.a_Cancel_BitBtn->text(), QString::fromUtf8("إل&غاء"));
  EXPECT_EQ(question.e_No_BitBtn->text(), "&No");
  EXPECT_EQ(question.e_Cancel_BitBtn->text(), "&Cancel");
}

// The access keys of the Arabic buttons leave their words joined.
TEST(MessageYesNoTest, TheArabicAccessKeysKeepTheirWordsJoined) {
  TMessageYesNo question("", Context(Language::Arabic));
  question.show();
  for (QPushButton* button :
       {question.a_Yes_BitBtn, question.a_No_BitBtn, question.a_Cancel_BitBtn}) {
    SCOPED_TRACE(button->text().toStdString());
    const QImage withKey = testing::Drawn(button);
    button->setText(QString(button->text()).remove(QLatin1Char('&')));
    EXPECT_TRUE(testing::OnlyAnUnderlineAdded(withKey, testing::Drawn(button)));
  }
}

TEST(MessageYesNoTest, ButtonsAndClosingGiveTheResultCodes) {
  struct Case {
    Language lang;
    QPushButton* TMessageYesNo::*button;  // null: the title bar's close
    int result;
  };
  const Case cases[] = {
      {Language::English, &TMessageYesNo::e_Yes_BitBtn, 6},
      {Language::English, &TMessageYesNo::e_No_BitBtn, 7},
      {Language::English, &TMessageYesNo::e_Cancel_BitBtn, 2},
      {Language::Arabic, &TMessageYesNo::a_Yes_BitBtn, 6},
      {Language::Arabic, &TMessageYesNo::a_No_BitBtn, 7},
      {Language::Arabic, &TMessageYesNo::a_Cancel_BitBtn, 2},
      {Language::English, nullptr, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    TMessageYesNo question("Sure?", Context(c.lang));
    question.show();
    if (c.button)
      (question.*c.button)->click();
    else
      question.close();
    EXPECT_FALSE(question.isVisible());
    EXPECT_EQ(question.result(), c.result);
  }
}

TEST(MessageYesNoTest, CheckBoxOnlyInTheCloseQuery) {
  bool promptToClose = true;
  int saves = 0;
  MessageFormContext context = Context(Language::English);
  context.promptToClose = &promptToClose;
  context.saveSettings = [&saves] { ++saves; };

  TMessageYesNo outside("Sure?", context);
  outside.show();
  EXPECT_FALSE(outside.DoNotAskAgain_CheckBox->isVisible());
  outside.DoNotAskAgain_CheckBox->setChecked(true);
  EXPECT_TRUE(promptToClose);
  EXPECT_EQ(saves, 0);

  context.inCloseQuery = true;
  TMessageYesNo closing("Close the program?", context);
  closing.show();
  EXPECT_TRUE(closing.DoNotAskAgain_CheckBox->isVisible());

  closing.DoNotAskAgain_CheckBox->click();
  EXPECT_FALSE(promptToClose);
  EXPECT_EQ(saves, 1);
  EXPECT_TRUE(closing.isVisible());  // the form waits for the answer
  closing.DoNotAskAgain_CheckBox->click();
  EXPECT_TRUE(promptToClose);
  EXPECT_EQ(saves, 2);

  closing.e_No_BitBtn->click();
  EXPECT_EQ(closing.result(), kResultNo);

  // A box that agrees with the setting changes nothing and saves nothing.
  promptToClose = false;
  TMessageYesNo again("Close the program?", context);
  again.show();
  again.DoNotAskAgain_CheckBox->setChecked(true);
  EXPECT_FALSE(promptToClose);
  EXPECT_EQ(saves, 2);
}

}  // namespace
}  // namespace vek
