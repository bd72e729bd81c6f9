#include "foundation/qt/qt_ui_services.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTranslator>

#include "foundation/qt/bilingual_dialogs.h"
#include "foundation/qt/message_forms.h"
#include "foundation/qt/qt_strings.h"

namespace vek {

QtUiServices::~QtUiServices() {
  if (busy_ && QGuiApplication::instance())
    QGuiApplication::restoreOverrideCursor();
}

void QtUiServices::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, ProgramCaption(lang_), FrameArabicLines(ToQString(text)),
                  QMessageBox::Ok);
  box.setLayoutDirection(LayoutDirectionOf(lang_));
  // Named here, so that the button speaks the language even where Qt's translations are missing.
  box.button(QMessageBox::Ok)->setText(QByLanguage(lang_, "OK", "موافق"));
  box.exec();
}

void QtUiServices::ShowBox(const std::string& text, int option) {
  ShowBoxDialog(ToQString(text), option);
}

void QtUiServices::ShowPrompt(const std::string& text, int option) {
  ShowPromptDialog(ToQString(text), option);
}

int QtUiServices::AskNoYes(const std::string& text, int option) {
  return AskNoYesDialog(ToQString(text), option);
}

void QtUiServices::Beep() {
  QApplication::beep();
}

void QtUiServices::SetBusyCursor(bool busy) {
  if (busy == busy_)
    return;
  busy_ = busy;
  if (busy)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

void QtUiServices::ProcessEvents() {
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  // The input held back stays queued. The event loop is woken, so that its next pass after the
  // wait delivers it: otherwise the glib dispatcher leaves it until the desktop sends more.
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
    dispatcher->wakeUp();
}

bool QtUiServices::Terminating() const {
  return terminating_ || QCoreApplication::closingDown();
}

void QtUiServices::CloseSplash() {
  if (closeSplash_)
    closeSplash_();
}

void QtUiServices::SetLanguage(Language lang) {
  lang_ = lang;
  UseQtTranslations(lang);
}

void UseQtTranslations(Language lang) {
  // One translator for the run, owned by the application.
  static QPointer<QTranslator> arabic;
  QGuiApplication::setLayoutDirection(LayoutDirectionOf(lang));
  if (lang != Language::Arabic) {
    if (arabic)
      QCoreApplication::removeTranslator(arabic);
    return;
  }
  if (!arabic) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_ar"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      delete translator;
      return;
    }
    arabic = translator;
  }
  QCoreApplication::installTranslator(arabic);
}

bool ArabicCanBeShown() {
  return !QFontDatabase::families(QFontDatabase::Arabic).isEmpty();
}

}  // namespace vek
