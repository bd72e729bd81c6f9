#include "mainwin/splash_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPalette>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <utility>

#include "foundation/qt/qt_strings.h"
#include "mainwin/program_icons.h"

namespace vek {

namespace {

// The window: a picture panel on the reading side's start, the texts beside it.
constexpr int kWidth = 504;
constexpr int kHeight = 284;
constexpr int kBorder = 2;
constexpr int kPictureWidth = 200;
constexpr int kSideLeft = kBorder + kPictureWidth + 12;
constexpr int kSideWidth = kWidth - kSideLeft - kBorder - 12;
constexpr int kShadowOffset = 2;
constexpr int kClosingDelayMs = 500;

const QColor kPaper(0xfb, 0xf7, 0xee);
const QColor kFrame(0xc9, 0x9a, 0x3a);
const QColor kInk(0x16, 0x34, 0x58);
const QColor kGoldInk(0x9a, 0x6e, 0x1c);
const QColor kShadow(0x16, 0x34, 0x58, 45);

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

// Places a widget given in left-to-right coordinates, mirrored for Arabic.
void Place(QWidget* widget, Language lang, int left, int top, int width, int height) {
  if (lang == Language::Arabic)
    left = kWidth - left - width;
  widget->setGeometry(left, top, width, height);
}

QLabel* MakeTextLabel(QWidget* parent, const QColor& colour, const QFont& font) {
  auto* label = new QLabel(parent);
  label->setAlignment(Qt::AlignCenter);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, colour);
  label->setPalette(palette);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  return label;
}

QFont TextFont(Language lang, int pointSize, bool bold, bool italic) {
  QFont font;
  if (lang == Language::Arabic)
    font.setFamilies({QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Sans Arabic"),
                      QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
  else
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
  font.setPointSize(pointSize);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

}  // namespace

TSplashWnd::TSplashWnd(QWidget* owner, Language lang, bool showHint, bool showSplashOption,
                       std::function<void(bool)> showSplashChosen)
    : QWidget(owner, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      lang_(lang),
      showHint_(showHint),
      showSplashChosen_(std::move(showSplashChosen)) {
  setFixedSize(kWidth, kHeight);
  setAttribute(Qt::WA_DeleteOnClose);
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, kPaper);
  setPalette(palette);
  setAutoFillBackground(true);

  Panel1 = new QFrame(this);
  SplashData = MakeTextLabel(Panel1, kInk, TextFont(lang, 13, true, false));
  SplashShadow = MakeTextLabel(Panel1, kShadow, TextFont(lang, 13, true, false));
  SplashShadow->stackUnder(SplashData);

  ALogo = new QLabel(this);
  ELogo = new QLabel(this);

  SplashTimer = new QTimer(this);
  SplashTimer->setInterval(kClosingDelayMs);
  SplashTimer->setSingleShot(true);
  connect(SplashTimer, &QTimer::timeout, this, &TSplashWnd::SplashTimerTimer);

  A_TovarelinShadow = MakeTextLabel(this, kShadow, TextFont(Language::Arabic, 12, false, false));
  A_TovarelinLabel = MakeTextLabel(this, kGoldInk, TextFont(Language::Arabic, 12, false, false));
  A_TovarelinLabel->setLayoutDirection(Qt::RightToLeft);
  A_TovarelinShadow->setLayoutDirection(Qt::RightToLeft);
  A_TovarelinLabel->setText(Utf8("(برنامج Tovarelin)"));
  A_TovarelinShadow->setText(A_TovarelinLabel->text());
  E_TovarelinShadow = MakeTextLabel(this, kShadow, TextFont(Language::English, 12, false, true));
  E_TovarelinLabel = MakeTextLabel(this, kGoldInk, TextFont(Language::English, 12, false, true));
  E_TovarelinLabel->setText(QStringLiteral("(Al Tovarelin Program)"));
  E_TovarelinShadow->setText(E_TovarelinLabel->text());

  Panel2 = new QFrame(this);
  Image1 = new QLabel(Panel2);
  Image1->setGeometry(0, 0, kPictureWidth, kHeight - 2 * kBorder);
  Image1->setPixmap(SplashPicture(Image1->size()));

  ShowSplash_CB = new QCheckBox(this);
  ShowSplash_CB->setChecked(!showSplashOption);
  connect(ShowSplash_CB, &QCheckBox::toggled, this, &TSplashWnd::ShowSplash_CBClick);

  FormCreate();

  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (screen)
    move(screen->availableGeometry().center() - rect().center());
}

void TSplashWnd::SetSplashText(const QString& text) {
  SplashData->setText(text);
  SplashShadow->setText(text);
}

void TSplashWnd::FormCreate() {
  const bool arabic = lang_ == Language::Arabic;
  setLayoutDirection(LayoutDirectionOf(lang_));
  SetSplashText(arabic ? Utf8("جارٍ تهيئة البرنامج") : QStringLiteral("Initializing program"));
  ShowSplash_CB->setFont(arabic ? TextFont(lang_, 10, false, false) : font());
  ShowSplash_CB->setText(arabic ? Utf8("لا تعرض هذه الشاشة بعد الآن")
                                : QStringLiteral("Stop showing this screen"));
  ALogo->setVisible(arabic);
  ELogo->setVisible(!arabic);
  A_TovarelinShadow->setVisible(arabic);
  A_TovarelinLabel->setVisible(arabic);
  E_TovarelinShadow->setVisible(!arabic);
  E_TovarelinLabel->setVisible(!arabic);

  Place(Panel2, lang_, kBorder, kBorder, kPictureWidth, kHeight - 2 * kBorder);
  QLabel* logo = arabic ? ALogo : ELogo;
  Place(logo, lang_, kSideLeft, 28, kSideWidth, 72);
  logo->setPixmap(ProgramLogo(lang_, logo->size()));
  for (auto [label, shadow] : {std::pair{A_TovarelinLabel, A_TovarelinShadow},
                               std::pair{E_TovarelinLabel, E_TovarelinShadow}}) {
    Place(label, lang_, kSideLeft, 104, kSideWidth, 26);
    Place(shadow, lang_, kSideLeft + (arabic ? -1 : 1), 105, kSideWidth, 26);
  }
  Place(Panel1, lang_, kSideLeft, 160, kSideWidth, 40);
  SplashData->setGeometry(0, 0, kSideWidth - kShadowOffset, 40 - kShadowOffset);
  SplashShadow->setGeometry(kShadowOffset, kShadowOffset, kSideWidth - kShadowOffset,
                            40 - kShadowOffset);
  Place(ShowSplash_CB, lang_, kSideLeft, kHeight - kBorder - 36, kSideWidth, 24);
}

void TSplashWnd::FormActivate() {
  repaint();
  // A window just shown is painted only once the window system has exposed it.
  const QWindow* window = windowHandle();
  if (window && !window->isExposed())
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TSplashWnd::SplashTimerTimer() {
  close();
}

void TSplashWnd::FormClose(QCloseEvent* event) {
  setAttribute(Qt::WA_DeleteOnClose);
  event->accept();
}

void TSplashWnd::ShowSplash_CBClick() {
  if (showSplashChosen_)
    showSplashChosen_(!ShowSplash_CB->isChecked());
}

void TSplashWnd::setVisible(bool visible) {
  QWidget::setVisible(visible);
  if (visible)
    FormActivate();
}

void TSplashWnd::closeEvent(QCloseEvent* event) {
  FormClose(event);
}

void TSplashWnd::paintEvent(QPaintEvent* event) {
  QWidget::paintEvent(event);
  QPainter painter(this);
  painter.setPen(QPen(kFrame, kBorder));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(
      QRectF(rect()).adjusted(kBorder / 2.0, kBorder / 2.0, -kBorder / 2.0, -kBorder / 2.0));
}

void StartSplashClosing(TSplashWnd* splash) {
  if (!splash)
    return;
  splash->hide();
  splash->SplashTimer->start();
}

}  // namespace vek
