#include "foundation/qt/bilingual_dialogs.h"

#include "foundation/qt/paragraph_label.h"
#include "foundation/qt/qt_strings.h"

#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTimer>

#include <algorithm>
#include <cstdlib>

#include "foundation/ui_services.h"

namespace vek {

const char* const kBilingualDialogCaption = "Al-Tovarelin Program    برنامج Tovarelin";

namespace {

// All three forms have a fixed width and absolutely placed parts.
constexpr int kFormWidth = 510;
// A fitted text panel shows the wrapped text with this much to spare.
constexpr int kTextSpare = 32;
// The label keeps this distance from the panel's left and right edges.
constexpr int kLabelSideMargin = 8;

// The message box: a text panel above a bottom panel with the button.
constexpr int kBoxTextPanelHeight = 109;  // as designed, before it is fitted to the message
constexpr int kBoxButtonPanelHeight = 41;
constexpr int kBoxButtonWidth = 75;
constexpr int kButtonHeight = 25;

// The countdown forms: text panel, gauge and button row, one under the other.
constexpr int kMargin = 8;
constexpr int kCountdownTextPanelHeight = 90;  // as designed; grows for a long message
constexpr int kGaugeHeight = 12;
constexpr int kGaugeToButtons = 10;
constexpr int kBottomMargin = 10;
constexpr int kCountdownButtonWidth = 76;
constexpr int kGaugeMaximum = 100;
constexpr int kTimerIntervalMs = 100;
// A mouse move this far from the last recorded position, horizontally or vertically, restarts
// the countdown.
constexpr int kMouseResetDistance = 5;

QFrame* MakePanel(QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  return panel;
}

// The label fills the client area of its panel; each of its lines reads in its own direction.
QLabel* MakeLabel(QFrame* panel, Qt::Alignment alignment) {
  auto* label = new ParagraphLabel(panel);
  label->setAlignment(alignment);
  label->setContentsMargins(kLabelSideMargin, 0, kLabelSideMargin, 0);
  return label;
}

// The height the panel needs so that the label's wrapped text fits with the spare pixels,
// given the panel's width.
int FittedPanelHeight(QFrame* panel, QLabel* label) {
  const int frame = panel->frameWidth();
  return label->heightForWidth(panel->width() - 2 * frame) + kTextSpare + 2 * frame;
}

void SetDirection(QWidget* form, int option) {
  form->setLayoutDirection(option == kArabicCaptions ? Qt::RightToLeft : Qt::LeftToRight);
}

void CenterWidgetOnScreen(QWidget* widget) {
  QScreen* screen = widget->screen() ? widget->screen() : QGuiApplication::primaryScreen();
  if (!screen)
    return;
  const QRect available = screen->availableGeometry();
  widget->move(available.center() - QPoint(widget->width() / 2, widget->height() / 2));
}

}  // namespace

// ---- message box --------------------------------------------------------------------------

TQEBox_Dlg::TQEBox_Dlg(const QString& message, int option, QWidget* parent)
    : QDialog(parent), message_(message), option_(option) {
  setWindowTitle(QString::fromUtf8(kBilingualDialogCaption));
  QFont font(QStringLiteral("MS Sans Serif"));
  font.setStyleHint(QFont::SansSerif);
  setFont(font);

  Panel2 = MakePanel(this);
  Label1 = MakeLabel(Panel2, Qt::AlignLeft | Qt::AlignVCenter);
  Panel1 = new QFrame(this);
  Yes_BitBtn = new QPushButton(QStringLiteral("Continue"), Panel1);
  Yes_BitBtn->setDefault(true);
  connect(Yes_BitBtn, &QPushButton::clicked, this, &QDialog::accept);
  PlacePanels(kBoxTextPanelHeight);
}

void TQEBox_Dlg::PlacePanels(int textPanelHeight) {
  Panel2->setGeometry(0, 0, kFormWidth, textPanelHeight);
  Label1->setGeometry(Panel2->contentsRect());
  Panel1->setGeometry(0, textPanelHeight, kFormWidth, kBoxButtonPanelHeight);
  setFixedSize(kFormWidth, textPanelHeight + kBoxButtonPanelHeight);
}

void TQEBox_Dlg::FormActivate() {
  setUpdatesEnabled(false);
  // A right-to-left form reads from the right edge, whichever language the message starts with.
  Label1->setAlignment(Qt::AlignAbsolute | Qt::AlignVCenter |
                       (option_ == kArabicCaptions ? Qt::AlignRight : Qt::AlignLeft));
  Label1->setText(FrameArabicLines(message_));
  PlacePanels(FittedPanelHeight(Panel2, Label1));
  setUpdatesEnabled(true);

  const int buttonTop = (kBoxButtonPanelHeight - kButtonHeight) / 2;
  if (option_ == kArabicCaptions) {
    Yes_BitBtn->setGeometry(1, buttonTop, kBoxButtonWidth, kButtonHeight);
    Yes_BitBtn->setText(QString::fromUtf8("تابع"));
  } else {
    Yes_BitBtn->setGeometry(Panel2->width() - kBoxButtonWidth, buttonTop, kBoxButtonWidth,
                            kButtonHeight);
    Yes_BitBtn->setText(QStringLiteral("Continue"));
  }
  SetDirection(this, option_);
  CenterWidgetOnScreen(this);
  Yes_BitBtn->setFocus();
}

void TQEBox_Dlg::showEvent(QShowEvent* event) {
  if (!event->spontaneous())
    FormActivate();
  QDialog::showEvent(event);
}

// ---- countdown forms ----------------------------------------------------------------------

TQECountdownDlg::TQECountdownDlg(const QString& message, int option, QWidget* parent)
    : QDialog(parent), message_(message), option_(option) {
  setWindowTitle(QString::fromUtf8(kBilingualDialogCaption));
  setWindowFlag(Qt::WindowStaysOnTopHint);

  Panel1 = MakePanel(this);
  Label1 = MakeLabel(Panel1, Qt::AlignCenter);
  Gauge1 = new QProgressBar(this);
  Gauge1->setRange(0, kGaugeMaximum);
  Gauge1->setTextVisible(false);
  Gauge1->setStyleSheet(
      QStringLiteral("QProgressBar { border: 1px solid gray; background: white; }"
                     "QProgressBar::chunk { background-color: red; }"));
  YesBtn = new QPushButton(this);
  connect(YesBtn, &QPushButton::clicked, this, &TQECountdownDlg::YesBtnClick);
  Timer1 = new QTimer(this);
  Timer1->setInterval(kTimerIntervalMs);
  connect(Timer1, &QTimer::timeout, this, &TQECountdownDlg::Timer1Timer);
}

void TQECountdownDlg::WatchChildren() {
  setMouseTracking(true);
  installEventFilter(this);
  for (QWidget* child : findChildren<QWidget*>()) {
    child->setMouseTracking(true);
    child->installEventFilter(this);
  }
}

void TQECountdownDlg::StartCountdown() {
  answer_ = 0;
  timedOut_ = false;
  Label1->setText(FrameArabicLines(message_));

  // The parts keep their places; only a message too long for the designed panel moves the
  // gauge and the buttons down.
  Panel1->setGeometry(kMargin, kMargin, kFormWidth - 2 * kMargin, kCountdownTextPanelHeight);
  const int panelHeight = std::max(kCountdownTextPanelHeight, FittedPanelHeight(Panel1, Label1));
  Panel1->resize(Panel1->width(), panelHeight);
  Label1->setGeometry(Panel1->contentsRect());
  const int gaugeTop = kMargin + panelHeight + kMargin;
  Gauge1->setGeometry(kMargin, gaugeTop, kFormWidth - 2 * kMargin, kGaugeHeight);
  const int buttonTop = gaugeTop + kGaugeHeight + kGaugeToButtons;
  for (QPushButton* button : findChildren<QPushButton*>(Qt::FindDirectChildrenOnly))
    button->setGeometry(button->x(), buttonTop, kCountdownButtonWidth, kButtonHeight);
  setFixedSize(kFormWidth, buttonTop + kButtonHeight + kBottomMargin);

  SetDirection(this, option_);
  Gauge1->setValue(0);
  Timer1->start();
}

void TQECountdownDlg::ResetGauge() {
  Gauge1->setValue(0);
}

void TQECountdownDlg::CenterOnScreen() {
  CenterWidgetOnScreen(this);
}

void TQECountdownDlg::Timer1Timer() {
  Gauge1->setValue(Gauge1->value() + 1);
  if (Gauge1->value() >= kGaugeMaximum) {
    Timer1->stop();
    timedOut_ = true;
    NoBtnClick();
  }
}

void TQECountdownDlg::YesBtnClick() {
  answer_ = 1;
  accept();
}

void TQECountdownDlg::NoBtnClick() {
  answer_ = 0;
  reject();
}

void TQECountdownDlg::FormMouseMove(QPoint pos) {
  if (std::abs(pos.x() - lastMousePos_.x()) >= kMouseResetDistance ||
      std::abs(pos.y() - lastMousePos_.y()) >= kMouseResetDistance)
    ResetGauge();
  lastMousePos_ = pos;
}

void TQECountdownDlg::FormClose(int result) {
  Timer1->stop();
  if (result != QDialog::Accepted)
    answer_ = 0;
}

void TQECountdownDlg::done(int result) {
  FormClose(result);
  QDialog::done(result);
}

void TQECountdownDlg::showEvent(QShowEvent* event) {
  if (!event->spontaneous())
    FormActivate();
  QDialog::showEvent(event);
}

bool TQECountdownDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseMove) {
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
      const QPoint local = static_cast<QMouseEvent*>(event)->position().toPoint();
      FormMouseMove(widget == this ? local : widget->mapTo(this, local));
    }
  } else if (event->type() == QEvent::FocusIn && qobject_cast<QPushButton*>(watched)) {
    ButtonEnter();
  }
  return QDialog::eventFilter(watched, event);
}

// ---- prompt -------------------------------------------------------------------------------

TQEPromptDlg::TQEPromptDlg(const QString& message, int option, QWidget* parent)
    : TQECountdownDlg(message, option, parent) {
  YesBtn->setDefault(true);
  YesBtn->move((kFormWidth - kCountdownButtonWidth) / 2, 0);
  WatchChildren();
}

void TQEPromptDlg::FormActivate() {
  StartCountdown();
  YesBtn->setText(option_ == kArabicCaptions ? QString::fromUtf8("تابع")
                                             : QStringLiteral("Continue"));
  CenterOnScreen();
  YesBtn->setFocus();
}

void TQEPromptDlg::YesBtnEnter() {
  ResetGauge();
}

// ---- no/yes question ----------------------------------------------------------------------

TQENYDialog::TQENYDialog(const QString& message, int option, QWidget* parent)
    : TQECountdownDlg(message, option, parent) {
  NoBtn = new QPushButton(this);
  NoBtn->setDefault(true);
  connect(NoBtn, &QPushButton::clicked, this, &TQENYDialog::NoBtnClick);
  NoBtn->resize(kCountdownButtonWidth, kButtonHeight);
  WatchChildren();
}

void TQENYDialog::FormActivate() {
  StartCountdown();
  YesBtn->resize(NoBtn->width(), YesBtn->height());

  struct Row {
    const char* no;
    const char* yes;
    int noLeft;
    int yesLeft;
  };
  static constexpr Row kArabic{"لا", "نعم", 377, 58};
  static constexpr Row kBoth{"NO  كلا", "YES  نعم", 57, 377};
  static constexpr Row kEnglish{"NO", "YES", 57, 377};
  const Row& row = option_ == kArabicCaptions ? kArabic
                   : option_ == kBothCaptions ? kBoth
                                              : kEnglish;
  NoBtn->setText(QString::fromUtf8(row.no));
  YesBtn->setText(QString::fromUtf8(row.yes));
  NoBtn->move(row.noLeft, NoBtn->y());
  YesBtn->move(row.yesLeft, YesBtn->y());

  CenterOnScreen();
  NoBtn->setFocus();
}

void TQENYDialog::AnyBtnEnter() {
  ResetGauge();
}

// ---- entry routines -----------------------------------------------------------------------

void ShowBoxDialog(const QString& message, int option) {
  TQEBox_Dlg dialog(message, option);
  dialog.exec();
}

void ShowPromptDialog(const QString& message, int option) {
  TQEPromptDlg dialog(message, option);
  dialog.exec();
}

int AskNoYesDialog(const QString& message, int option) {
  TQENYDialog dialog(message, option);
  dialog.exec();
  return dialog.Answer();
}

}  // namespace vek
