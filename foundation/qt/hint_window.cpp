#include "foundation/qt/hint_window.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QPainter>
#include <QPainterPath>
#include <QProxyStyle>
#include <QRegion>
#include <QScreen>
#include <QStyleFactory>
#include <QTimerEvent>
#include <QToolTip>

#include <algorithm>

namespace vek {

namespace {

// How far below the cursor's hot spot a hint starts: the height of the arrow cursor.
constexpr int kCursorDrop = 20;
// A hint leaves this much room between itself and the cursor when it has to move aside.
constexpr int kCursorClearance = 3;
constexpr int kHideAfterMs = 2000;
constexpr int kWakeUpMs = 1;
constexpr int kNextHintMs = 100;

// The application's hint timing.
class HintDelayStyle : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ToolTip_WakeUpDelay)
      return kWakeUpMs;
    if (hint == SH_ToolTip_FallAsleepDelay)
      return kNextHintMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

QPainterPath ShapePath(const QRect& shape, int radius) {
  QPainterPath path;
  path.addRoundedRect(QRectF(shape.adjusted(0, 0, -1, -1)), radius, radius);
  return path;
}

QScreen* ScreenAt(const QPoint& point) {
  QScreen* screen = QGuiApplication::screenAt(point);
  return screen ? screen : QGuiApplication::primaryScreen();
}

bool IsLatinLetter(QChar c) {
  const char16_t u = c.unicode();
  return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}

}  // namespace

int HintAlignmentIndex(const QString& text) {
  int counted = 0;
  for (auto it = text.cbegin(); it != text.cend() && counted < 10; ++it) {
    // A character outside the basic plane takes two UTF-16 units but counts once.
    if (it->isLowSurrogate())
      continue;
    if (IsLatinLetter(*it))
      return kHintLeft;
    ++counted;
  }
  return kHintRight;
}

HintGeometry HintGeometryFor(QSize measuredText, int alignment) {
  HintGeometry g;
  const QRect box(0, 0, measuredText.width() + 8, measuredText.height() + 4);
  g.text = box;
  if (alignment == kHintRight)
    g.text.translate(-4, 0);
  else if (alignment == kHintCentre)
    g.text.translate(-1, 0);
  g.radius = std::min(kHintMaxRadius, std::min(box.width(), box.height()) / 4);
  const int grow = g.radius / 4;
  g.shape = box.adjusted(-grow, -grow, grow, grow);
  const QPoint toOrigin = -g.shape.topLeft();
  g.shape.translate(toOrigin);
  g.text.translate(toOrigin);
  return g;
}

QPoint PlaceHint(const QRect& hint, const QRect& screen, const QPoint& cursor) {
  QRect r = hint;
  const int bottomLimit = screen.top() + screen.height() - kHintScreenMargin;
  const int rightLimit = screen.left() + screen.width() - kHintScreenMargin;
  if (r.top() + r.height() > bottomLimit) {
    r.moveTop(bottomLimit - r.height());
    if (r.contains(cursor))
      r.moveTop(cursor.y() - kCursorClearance - r.height());
  }
  if (r.left() + r.width() > rightLimit) {
    r.moveLeft(rightLimit - r.width());
    if (r.left() < screen.left())
      r.moveLeft(screen.left());
    if (r.contains(cursor))
      r.moveLeft(cursor.x() - kCursorClearance - r.width());
  }
  return QPoint(std::max(r.left(), screen.left()), std::max(r.top(), screen.top()));
}

// ---------------------------------------------------------------------------------------------
// TQuvHintWindow

TQuvHintWindow::TQuvHintWindow() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName("TQuvHintWindow");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setFont(QApplication::font("QStatusBar"));
  setPalette(QToolTip::palette());
}

int TQuvHintWindow::TextFlags() const {
  int flags = Qt::TextWordWrap | Qt::AlignTop;
  if (alignment_ == kHintRight)
    flags |= Qt::AlignRight | Qt::AlignAbsolute;
  else if (alignment_ == kHintCentre)
    flags |= Qt::AlignHCenter;
  else
    flags |= Qt::AlignLeft | Qt::AlignAbsolute;
  return flags;
}

QRect TQuvHintWindow::CalcHintRect(int maxWidth, const QString& text) {
  const QFontMetrics metrics(font());
  const QRect measured = metrics.boundingRect(QRect(0, 0, maxWidth, 0), TextFlags(), text);
  geometry_ = HintGeometryFor(measured.size(), alignment_);
  return geometry_.shape;
}

void TQuvHintWindow::ActivateHint(const QPoint& pos, const QString& text, const QPoint& cursor) {
  const QRect screen = ScreenAt(cursor)->geometry();
  // The program's texts break their lines with CR LF; a line break is one break here.
  text_ = QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"));
  alignment_ = HintAlignmentIndex(text_);
  setLayoutDirection(alignment_ == kHintRight ? Qt::RightToLeft : Qt::LeftToRight);
  const QRect shape = CalcHintRect(std::max(300, screen.width() / 2), text_);
  const QPoint at = PlaceHint(QRect(pos, shape.size()), screen, cursor);
  setGeometry(QRect(at, shape.size()));
  // Outside the rounded shape the window has no pixels: what lies beneath shows there.
  setMask(QRegion(ShapePath(shape, geometry_.radius).toFillPolygon().toPolygon()));
  show();
  raise();
  update();
}

void TQuvHintWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPainterPath path = ShapePath(geometry_.shape, geometry_.radius);
  painter.fillPath(path, palette().color(QPalette::ToolTipBase));
  const QColor ink = palette().color(QPalette::ToolTipText);
  painter.setPen(QPen(ink, 1));
  painter.drawPath(path);
  QRect textRect = geometry_.text;
  if (alignment_ == kHintLeft)
    textRect.adjust(2, 0, 2, 0);
  painter.setLayoutDirection(alignment_ == kHintRight ? Qt::RightToLeft : Qt::LeftToRight);
  painter.drawText(textRect, TextFlags(), text_);
}

// ---------------------------------------------------------------------------------------------
// BalloonHints

BalloonHints::BalloonHints(std::function<bool()> enabled)
    : enabled_(std::move(enabled)), window_(std::make_unique<TQuvHintWindow>()) {
  qApp->installEventFilter(this);
}

BalloonHints::~BalloonHints() {
  if (qApp)
    qApp->removeEventFilter(this);
}

void BalloonHints::ShowHint(const QString& text, const QPoint& cursor) {
  if (text.isEmpty() || (enabled_ && !enabled_())) {
    HideHint();
    return;
  }
  window_->ActivateHint(cursor + QPoint(0, kCursorDrop), text, cursor);
  hideTimer_.start(kHideAfterMs, this);
}

void BalloonHints::HideHint() {
  hideTimer_.stop();
  hinted_ = nullptr;
  window_->hide();
}

void BalloonHints::timerEvent(QTimerEvent* event) {
  if (event->timerId() == hideTimer_.timerId())
    HideHint();
  else
    QObject::timerEvent(event);
}

bool BalloonHints::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::ToolTip: {
      auto* widget = qobject_cast<QWidget*>(watched);
      if (widget == nullptr)
        break;
      if (enabled_ && !enabled_()) {
        HideHint();
        event->ignore();
        return true;  // flying help is off: no hint of any kind
      }
      const QString tip = widget->toolTip();
      if (tip.isEmpty())
        break;  // the widget's own tips (menus, item views), or its parent's
      ShowHint(tip, static_cast<QHelpEvent*>(event)->globalPos());
      hinted_ = widget;
      event->accept();
      return true;
    }
    case QEvent::Leave:
      if (hinted_ && watched == hinted_)
        HideHint();
      break;
    case QEvent::MouseButtonPress:
    case QEvent::KeyPress:
    case QEvent::Wheel:
      if (window_->isVisible())
        HideHint();
      break;
    default:
      break;
  }
  return QObject::eventFilter(watched, event);
}

std::unique_ptr<BalloonHints> InstallQuvHintWindow(std::function<bool()> enabled) {
  if (dynamic_cast<HintDelayStyle*>(QApplication::style()) == nullptr)
    QApplication::setStyle(
        new HintDelayStyle(QStyleFactory::create(QApplication::style()->name())));
  return std::make_unique<BalloonHints>(std::move(enabled));
}

}  // namespace vek
