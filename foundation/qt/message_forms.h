// The program's own message forms, in the user's language: a message with OK (TKQMessage) and a
// question with Yes, No and Cancel (TMessageYesNo) that, while the main window asks whether to
// close, also offers never to ask that again.
#pragma once

#include <QDialog>
#include <QString>

#include <functional>

#include "foundation/language.h"
#include "foundation/qt/modal_runner.h"

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace vek {

// The results of the question form; the title bar's close and Escape count as Cancel.
inline constexpr int kResultOk = 1;
inline constexpr int kResultCancel = 2;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

// The program's name as the caption of its messages: "Zurivo Zazir", in Arabic "أوقات الصلاة".
QString ProgramCaption(Language lang);

// What the forms read from the main window.
struct MessageFormContext {
  Language lang = Language::English;
  bool showHint = true;
  // Set while the main window asks its close question; shows the "do not ask again" check box.
  bool inCloseQuery = false;
  // The PromptToClose setting, which the check box changes; may be null outside the close query.
  bool* promptToClose = nullptr;
  // Saves the settings after the check box changed PromptToClose.
  std::function<void()> saveSettings;
  // Shows the form modally; its exec() when unset.
  ModalRunner runModal;
};

// The message with an OK button. Client area 464 x 391.
class TKQMessage : public QDialog {
  Q_OBJECT

 public:
  TKQMessage(const QString& text, MessageFormContext context, QWidget* parent = nullptr);

  // Shows the text on the panel of the user's language; runs whenever the form is shown.
  void FormActivate();
  bool ShowHint() const { return context_.showHint; }

  QFrame* AMsg_P;
  QLabel* AMsg;
  QPushButton* BitBtn1;
  QFrame* EMsg_P;
  QLabel* EMsg;
  QPushButton* BitBtn2;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString text_;
  MessageFormContext context_;
};

// The question with Yes, No and Cancel. Client area 348 x 162. Its result is kResultYes,
// kResultNo or kResultCancel.
class TMessageYesNo : public QDialog {
  Q_OBJECT

 public:
  TMessageYesNo(const QString& text, MessageFormContext context, QWidget* parent = nullptr);

  // Shows the text on the panel of the user's language, shows the check box only during the
  // close query and gives the visible Yes button the focus; runs whenever the form is shown.
  void FormActivate();
  // During the close query PromptToClose follows the box (checked: never ask again); a change
  // is saved at once. The form stays open.
  void DoNotAskAgain_CheckBoxClick();
  bool ShowHint() const { return context_.showHint; }

  // Escape and the title bar's close answer Cancel.
  void reject() override;

  QFrame* AMsg_P;
  QLabel* AMsg;
  QPushButton* a_Yes_BitBtn;
  QPushButton* a_No_BitBtn;
  QPushButton* a_Cancel_BitBtn;
  QFrame* EMsg_P;
  QLabel* EMsg;
  QPushButton* e_Yes_BitBtn;
  QPushButton* e_No_BitBtn;
  QPushButton* e_Cancel_BitBtn;
  QCheckBox* DoNotAskAgain_CheckBox;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QString text_;
  MessageFormContext context_;
};

// Each creates its form, shows it modally and frees it.
void ShowKQMessage(const QString& text, const MessageFormContext& context);
// kResultYes (6), kResultNo (7) or kResultCancel (2).
int AskYesNoMessage(const QString& text, const MessageFormContext& context);

}  // namespace vek
