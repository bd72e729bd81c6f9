#include "foundation/qt/qt_ui_services.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFontDatabase>
#include <QMessageBox>

#include "foundation/qt/bilingual_dialogs.h"
#include "foundation/qt/qt_strings.h"

namespace vek {

QtUiServices::~QtUiServices() {
  if (busy_ && QGuiApplication::instance())
    QGuiApplication::restoreOverrideCursor();
}

void QtUiServices::ShowMessage(const std::string& text) {
  QMessageBox box(QMessageBox::NoIcon, QGuiApplication::applicationDisplayName(),
                  FrameArabicLines(ToQString(text)), QMessageBox::Ok);
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

bool ArabicCanBeShown() {
  return !QFontDatabase::families(QFontDatabase::Arabic).isEmpty();
}

}  // namespace vek
