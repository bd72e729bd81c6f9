#include "foundation/qt/message_forms.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include <utility>

#include "foundation/qt/joined_access_key_style.h"
#include "foundation/qt/paragraph_label.h"
#include "foundation/qt/qt_strings.h"

namespace vek {

namespace {

constexpr int kMargin = 8;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 8;

// The message form.
constexpr int kMessageWidth = 464;
constexpr int kMessageHeight = 391;

// The question form: the panels above the check box.
constexpr int kQuestionWidth = 348;
constexpr int kQuestionHeight = 162;
constexpr int kQuestionPanelHeight = 134;
constexpr int kQuestionButtonTop = 100;

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

// The panel of one language. The Arabic panel reads right to left, whatever the form's direction.
QFrame* MakePanel(QWidget* parent, Language lang, int height) {
  auto* panel = new QFrame(parent);
  panel->setGeometry(0, 0, parent->width(), height);
  panel->setLayoutDirection(LayoutDirectionOf(lang));
  return panel;
}

// The word-wrapped label above the panel's buttons; the Arabic one is right-aligned. Each line
// of a message reads in its own direction.
QLabel* MakeLabel(QFrame* panel, Language lang, int height) {
  auto* label = new ParagraphLabel(panel);
  label->setAlignment(lang == Language::Arabic
                          ? Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter
                          : Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
  label->setGeometry(kMargin, kMargin, panel->width() - 2 * kMargin, height);
  return label;
}

// A button whose access key leaves an Arabic caption joined.
QPushButton* MakeButton(QFrame* panel, const QString& caption, int left, int top) {
  auto* button = new QPushButton(caption, panel);
  button->setGeometry(left, top, kButtonWidth, kButtonHeight);
  KeepAccessKeysJoined(button);
  return button;
}

// Shows the panel of the language and the text on its label, captions the form.
void ShowLanguagePanel(QDialog* form, Language lang, const QString& text, QFrame* arabicPanel,
                       QLabel* arabicLabel, QFrame* englishPanel, QLabel* englishLabel) {
  const bool arabic = lang == Language::Arabic;
  (arabic ? arabicLabel : englishLabel)->setText(text);
  form->setWindowTitle(ProgramCaption(lang));
  form->setLayoutDirection(LayoutDirectionOf(lang));
  arabicPanel->setVisible(arabic);
  englishPanel->setVisible(!arabic);
  englishPanel->move(englishPanel->x(), arabicPanel->y());
}

}  // namespace

QString ProgramCaption(Language lang) {
  return QByLanguage(lang, "Zurivo Zazir", "أوقات الصلاة");
}

// ---- message ------------------------------------------------------------------------------

TKQMessage::TKQMessage(const QString& text, MessageFormContext context, QWidget* parent)
    : QDialog(parent), text_(text), context_(std::move(context)) {
  setFixedSize(kMessageWidth, kMessageHeight);
  const int buttonTop = kMessageHeight - kButtonHeight - 2 * kMargin;
  const int labelHeight = buttonTop - 2 * kMargin;
  const int buttonLeft = (kMessageWidth - kButtonWidth) / 2;

  AMsg_P = MakePanel(this, Language::Arabic, kMessageHeight);
  AMsg = MakeLabel(AMsg_P, Language::Arabic, labelHeight);
  BitBtn1 = MakeButton(AMsg_P, Utf8("موافق"), buttonLeft, buttonTop);
  EMsg_P = MakePanel(this, Language::English, kMessageHeight);
  EMsg = MakeLabel(EMsg_P, Language::English, labelHeight);
  BitBtn2 = MakeButton(EMsg_P, QStringLiteral("&OK"), buttonLeft, buttonTop);
  for (QPushButton* button : {BitBtn1, BitBtn2}) {
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, &QDialog::accept);
  }
}

void TKQMessage::FormActivate() {
  ShowLanguagePanel(this, context_.lang, text_, AMsg_P, AMsg, EMsg_P, EMsg);
  (context_.lang == Language::Arabic ? BitBtn1 : BitBtn2)->setFocus();
}

void TKQMessage::showEvent(QShowEvent* event) {
  if (!event->spontaneous())
    FormActivate();
  QDialog::showEvent(event);
}

// ---- question -----------------------------------------------------------------------------

TMessageYesNo::TMessageYesNo(const QString& text, MessageFormContext context, QWidget* parent)
    : QDialog(parent), text_(text), context_(std::move(context)) {
  setFixedSize(kQuestionWidth, kQuestionHeight);
  const int labelHeight = kQuestionButtonTop - 2 * kMargin;
  // Yes, No, Cancel from left to right in English, from right to left in Arabic.
  const int first = (kQuestionWidth - 3 * kButtonWidth - 2 * kButtonGap) / 2;
  const int second = first + kButtonWidth + kButtonGap;
  const int third = second + kButtonWidth + kButtonGap;
  const int top = kQuestionButtonTop;

  AMsg_P = MakePanel(this, Language::Arabic, kQuestionPanelHeight);
  AMsg = MakeLabel(AMsg_P, Language::Arabic, labelHeight);
  a_Yes_BitBtn = MakeButton(AMsg_P, Utf8("ن&عم"), third, top);
  a_No_BitBtn = MakeButton(AMsg_P, Utf8("&لا"), second, top);
  a_Cancel_BitBtn = MakeButton(AMsg_P, Utf8("إل&غاء"), first, top);
  EMsg_P = MakePanel(this, Language::English, kQuestionPanelHeight);
  EMsg = MakeLabel(EMsg_P, Language::English, labelHeight);
  e_Yes_BitBtn = MakeButton(EMsg_P, QStringLiteral("&Yes"), first, top);
  e_No_BitBtn = MakeButton(EMsg_P, QStringLiteral("&No"), second, top);
  e_Cancel_BitBtn = MakeButton(EMsg_P, QStringLiteral("&Cancel"), third, top);

  DoNotAskAgain_CheckBox = new QCheckBox(this);
  DoNotAskAgain_CheckBox->setGeometry(kMargin, kQuestionPanelHeight + 2,
                                      kQuestionWidth - 2 * kMargin,
                                      kQuestionHeight - kQuestionPanelHeight - 4);

  for (QPushButton* button : {a_Yes_BitBtn, e_Yes_BitBtn}) {
    button->setDefault(true);
    connect(button, &QPushButton::clicked, this, [this] { done(kResultYes); });
  }
  for (QPushButton* button : {a_No_BitBtn, e_No_BitBtn})
    connect(button, &QPushButton::clicked, this, [this] { done(kResultNo); });
  for (QPushButton* button : {a_Cancel_BitBtn, e_Cancel_BitBtn})
    connect(button, &QPushButton::clicked, this, [this] { done(kResultCancel); });
  connect(DoNotAskAgain_CheckBox, &QCheckBox::toggled, this,
          &TMessageYesNo::DoNotAskAgain_CheckBoxClick);
}

void TMessageYesNo::FormActivate() {
  const bool arabic = context_.lang == Language::Arabic;
  ShowLanguagePanel(this, context_.lang, text_, AMsg_P, AMsg, EMsg_P, EMsg);
  DoNotAskAgain_CheckBox->setVisible(context_.inCloseQuery);
  DoNotAskAgain_CheckBox->setText(arabic ? Utf8("لا تطرح هذا السؤال في المستقبل")
                                         : QStringLiteral("DO NOT ASK ME THIS QUESTION AGAIN"));
  (arabic ? a_Yes_BitBtn : e_Yes_BitBtn)->setFocus();
}

void TMessageYesNo::DoNotAskAgain_CheckBoxClick() {
  if (!context_.inCloseQuery || !context_.promptToClose)
    return;
  const bool prompt = !DoNotAskAgain_CheckBox->isChecked();
  if (prompt == *context_.promptToClose)
    return;
  *context_.promptToClose = prompt;
  if (context_.saveSettings)
    context_.saveSettings();
}

void TMessageYesNo::reject() {
  done(kResultCancel);
}

void TMessageYesNo::showEvent(QShowEvent* event) {
  if (!event->spontaneous())
    FormActivate();
  QDialog::showEvent(event);
}

// ---- entry points -------------------------------------------------------------------------

void ShowKQMessage(const QString& text, const MessageFormContext& context) {
  TKQMessage form(text, context);
  RunModal(context.runModal, form);
}

int AskYesNoMessage(const QString& text, const MessageFormContext& context) {
  TMessageYesNo form(text, context);
  const int result = RunModal(context.runModal, form);
  return result == kResultYes || result == kResultNo ? result : kResultCancel;
}

}  // namespace vek
