#include "foundation/qt/qt_ui_services.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace vek {
namespace {

// The texts of the buttons of a dialog's button box.
QStringList ButtonTexts(QWidget* dialog) {
  QStringList texts;
  for (auto* box : dialog->findChildren<QDialogButtonBox*>())
    for (auto* button : box->buttons())
      texts << button->text();
  return texts;
}

bool HasArabicLetter(const QString& text) {
  for (QChar c : text)
    if (c.unicode() >= 0x0600 && c.unicode() <= 0x06FF)
      return true;
  return false;
}

// Qt's own save dialog speaks Arabic and reads right to left while the program does, and English
// again after the switch back.
TEST(QtUiServicesTest, QtsOwnDialogsFollowTheLanguage) {
  QtUiServices ui;
  for (Language lang : {Language::Arabic, Language::English, Language::Arabic}) {
    SCOPED_TRACE(static_cast<int>(lang));
    const bool arabic = lang == Language::Arabic;
    ui.SetLanguage(lang);
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList buttons = ButtonTexts(&dialog);
    ASSERT_FALSE(buttons.isEmpty());
    for (const QString& text : buttons)
      EXPECT_EQ(arabic, HasArabicLetter(text)) << text.toStdString();
    EXPECT_EQ(arabic, dialog.isRightToLeft());
  }
  ui.SetLanguage(Language::English);
}

// The standard message box is captioned with the program's name and has its button in the
// user's language.
TEST(QtUiServicesTest, TheMessageBoxSpeaksTheUsersLanguage) {
  QtUiServices ui;
  const std::pair<Language, std::pair<const char*, const char*>> cases[] = {
      {Language::English, {"Zurivo Zazir", "OK"}},
      {Language::Arabic, {"أوقات الصلاة", "موافق"}},
  };
  for (const auto& [lang, expected] : cases) {
    SCOPED_TRACE(static_cast<int>(lang));
    ui.SetLanguage(lang);
    QString title;
    QStringList buttons;
    bool rightToLeft = false;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      ASSERT_NE(nullptr, box);
      title = box->windowTitle();
      buttons = ButtonTexts(box);
      rightToLeft = box->isRightToLeft();
      box->accept();
    });
    ui.ShowMessage("text");
    EXPECT_EQ(QString::fromUtf8(expected.first), title);
    EXPECT_EQ(QStringList{QString::fromUtf8(expected.second)}, buttons);
    EXPECT_EQ(lang == Language::Arabic, rightToLeft);
  }
  ui.SetLanguage(Language::English);
}

}  // namespace
}  // namespace vek
