// The splash screen: a small borderless window in the middle of the screen that shows the
// program's picture and an "Initializing program" text while the main window sets itself up,
// with a check box that switches the splash off for later starts.
//
// Usage: the main window creates the splash owned by itself and holds it only in a
// QPointer<TSplashWnd>. StartSplashClosing hides it at once; half a second later the splash
// closes and frees itself, and the QPointer becomes null. Nothing may keep a plain pointer to
// the splash beyond that moment.
#pragma once

#include <QString>
#include <QWidget>

#include <functional>

#include "foundation/language.h"

class QCheckBox;
class QCloseEvent;
class QFrame;
class QLabel;
class QTimer;

namespace vek {

class TSplashWnd : public QWidget {
  Q_OBJECT

 public:
  // showHint follows the main window's setting; showSplashOption is the ShowSplash setting that
  // the check box shows, and showSplashChosen (may be unset) takes what the check box chooses.
  TSplashWnd(QWidget* owner, Language lang, bool showHint, bool showSplashOption,
             std::function<void(bool)> showSplashChosen = {});

  // Puts the text into the label and its shadow.
  void SetSplashText(const QString& text);

  // Captions the form in its language and shows the logo and name labels of that language.
  void FormCreate();
  // Paints the window at once, so that it shows while the start-up keeps the event loop busy;
  // runs whenever the splash is shown.
  void FormActivate();
  // The closing timer: closes the form, which frees it.
  void SplashTimerTimer();
  // Whatever closes the splash, it is freed.
  void FormClose(QCloseEvent* event);
  // The ShowSplash setting chosen: not checked.
  void ShowSplash_CBClick();

  bool ShowHint() const { return showHint_; }
  Language Lang() const { return lang_; }

  void setVisible(bool visible) override;

  QFrame* Panel1;
  QLabel* SplashData;
  QLabel* SplashShadow;
  QLabel* ALogo;
  QLabel* ELogo;
  QTimer* SplashTimer;
  QLabel* A_TovarelinShadow;
  QLabel* A_TovarelinLabel;
  QLabel* E_TovarelinShadow;
  QLabel* E_TovarelinLabel;
  QFrame* Panel2;
  QLabel* Image1;
  QCheckBox* ShowSplash_CB;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  Language lang_;
  bool showHint_;
  std::function<void(bool)> showSplashChosen_;
};

// Hides the splash at once and starts its closing timer; does nothing for null.
void StartSplashClosing(TSplashWnd* splash);

}  // namespace vek
