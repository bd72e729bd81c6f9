// The three small bilingual dialogs any part of the program can open with one call: a message
// box with one button, a prompt whose Continue button answers by itself after a countdown, and a
// no/yes question that answers No by itself after a countdown. The countdown keeps an unattended
// program (one started at log-on, say) from being held up by a question.
//
// The option byte chooses the captions: kArabicCaptions (1) Arabic and right-to-left,
// kBothCaptions (3) both languages (the question only), anything else English.
#pragma once

#include <QDialog>
#include <QPoint>
#include <QString>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

namespace vek {

// The caption of all three dialogs.
extern const char* const kBilingualDialogCaption;

// The message box: the word-wrapped message above a bottom panel with one button. On activation
// the form's height is fitted to the message.
class TQEBox_Dlg : public QDialog {
  Q_OBJECT

 public:
  TQEBox_Dlg(const QString& message, int option, QWidget* parent = nullptr);

  // Fits the form to the message, captions and places the button by the option, and centres the
  // form on the screen. Runs whenever the form is shown.
  void FormActivate();

  QFrame* Panel1;  // the bottom panel with the button
  QFrame* Panel2;  // the text panel
  QLabel* Label1;
  QPushButton* Yes_BitBtn;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void PlacePanels(int textPanelHeight);

  QString message_;
  int option_;
};

// What the prompt and the question share: the message on a panel, a red gauge that a 100 ms timer
// fills from 0 to 100 (ten seconds), and a reset of the gauge whenever the user moves the mouse
// over the form by 5 pixels or more or a button gets the keyboard focus. A full gauge answers No
// and closes the form; so does every way of closing other than Yes.
class TQECountdownDlg : public QDialog {
  Q_OBJECT

 public:
  // 1 after Yes, 0 otherwise (No, a countdown that ran out, Escape, the title bar's close).
  int Answer() const { return answer_; }
  // Set when the countdown ran out; cleared whenever the form activates.
  bool TimedOut() const { return timedOut_; }

  void Timer1Timer();
  void YesBtnClick();
  void NoBtnClick();
  // A mouse move to pos, in the form's coordinates, from whichever part of the form saw it.
  void FormMouseMove(QPoint pos);
  // Every way the form closes ends here: stops the countdown and, unless Yes closed it, answers
  // No.
  void done(int result) override;

  QFrame* Panel1;  // the text panel
  QLabel* Label1;
  QPushButton* YesBtn;
  QProgressBar* Gauge1;
  QTimer* Timer1;

 protected:
  TQECountdownDlg(const QString& message, int option, QWidget* parent);

  // The start every activation shares: clears the answer and the timed-out flag, shows the
  // message (the text panel grows when the message needs more than its designed height) and
  // starts the countdown from 0.
  void StartCountdown();
  void ResetGauge();
  // Puts the form at the centre of its screen.
  void CenterOnScreen();
  // Installs the mouse and focus watch on the form and everything on it; called by the
  // subclass once its components exist.
  void WatchChildren();

  void FormClose(int result);
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

  virtual void FormActivate() = 0;
  // The handler that runs when a button gets the keyboard focus.
  virtual void ButtonEnter() = 0;

  QString message_;
  int option_;

 private:
  int answer_ = 0;
  bool timedOut_ = false;
  QPoint lastMousePos_;
};

// The prompt: the message and a Continue button, closed by the button or by the countdown.
class TQEPromptDlg : public TQECountdownDlg {
  Q_OBJECT

 public:
  TQEPromptDlg(const QString& message, int option, QWidget* parent = nullptr);

  void FormActivate() override;
  void YesBtnEnter();

 private:
  void ButtonEnter() override { YesBtnEnter(); }
};

// The no/yes question. No is the default and the cancel button and has the focus.
class TQENYDialog : public TQECountdownDlg {
  Q_OBJECT

 public:
  TQENYDialog(const QString& message, int option, QWidget* parent = nullptr);

  void FormActivate() override;
  void AnyBtnEnter();

  QPushButton* NoBtn;

 private:
  void ButtonEnter() override { AnyBtnEnter(); }
};

// Each entry routine creates its form, shows it modally and frees it.
void ShowBoxDialog(const QString& message, int option);
void ShowPromptDialog(const QString& message, int option);
// 1 for Yes, 0 for No (also when the countdown ran out or the form was closed otherwise).
int AskNoYesDialog(const QString& message, int option);

}  // namespace vek
