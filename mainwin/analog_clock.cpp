#include "mainwin/analog_clock.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "foundation/qt/color_ref.h"

namespace vek {

namespace {

double Luminance(const QColor& c) {
  return 0.299 * c.redF() + 0.587 * c.greenF() + 0.114 * c.blueF();
}

// True when the ring where the clock draws its marks is dark on the picture, so that the marks
// are drawn light.
bool RingIsDark(const QImage& picture) {
  const QImage image = picture.convertToFormat(QImage::Format_RGB32);
  const double cx = image.width() / 2.0;
  const double cy = image.height() / 2.0;
  double sum = 0;
  int count = 0;
  for (int step = 0; step < 120; ++step) {
    const double a = step * 2 * std::numbers::pi / 120;
    for (double f : {kHourMarkInner, (kHourMarkInner + kMarkOuter) / 2, kMarkOuter}) {
      const int x = static_cast<int>(cx + f * cx * std::sin(a));
      const int y = static_cast<int>(cy - f * cy * std::cos(a));
      if (image.valid(x, y)) {
        sum += Luminance(QColor(image.pixel(x, y)));
        ++count;
      }
    }
  }
  return count > 0 && sum / count < 0.5;
}

// A hand pointing up from the centre: a taper from a short tail to a point.
QPainterPath HandPath(double length, double width, double tail) {
  QPainterPath path;
  path.moveTo(-width / 2, tail);
  path.lineTo(-width * 0.32, -length * 0.93);
  path.lineTo(0, -length);
  path.lineTo(width * 0.32, -length * 0.93);
  path.lineTo(width / 2, tail);
  path.closeSubpath();
  return path;
}

// An edge that sets the hand off from a face of its own colour.
QColor OutlineOf(const QColor& hand) {
  return Luminance(hand) < 0.2 ? QColor(255, 255, 255, 120) : hand.darker(190);
}

void DrawHand(QPainter& p, double degrees, const QPainterPath& hand, const QColor& color,
              double r) {
  p.save();
  p.translate(0.02 * r, 0.03 * r);
  p.rotate(degrees);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawPath(hand);
  p.restore();

  p.save();
  p.rotate(degrees);
  p.setPen(
      QPen(OutlineOf(color), std::max(0.6, r / 80), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(color);
  p.drawPath(hand);
  p.restore();
}

void PaintRoundPicture(QPainter& p, const QPixmap& scaled, const QRectF& rect) {
  p.save();
  p.setPen(Qt::NoPen);
  QBrush brush(scaled);
  brush.setTransform(QTransform::fromTranslate(rect.left(), rect.top()));
  p.setBrush(brush);
  p.drawEllipse(rect);
  p.restore();
}

QPixmap ScaledPicture(const QImage& picture, int pixels) {
  return QPixmap::fromImage(
      picture.scaled(pixels, pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

AnalogClock::AnalogClock(QWidget* parent) : QWidget(parent) {
  ApplyHandColorSet(*this, 2);
  SetClockSize(2);
}

void AnalogClock::SetFacePicture(const QImage& picture) {
  picture_ = picture;
  scaled_ = QPixmap();
  pictureIsDark_ = !picture_.isNull() && RingIsDark(picture_);
  update();
}

void AnalogClock::SetMarksDrawn(bool drawn) {
  marksDrawn_ = drawn;
  update();
}

void AnalogClock::SetHandLengths(const HandLengths& lengths) {
  lengths_ = lengths;
  update();
}

void AnalogClock::SetHandColors(const QColor& hour, const QColor& minute, const QColor& second) {
  hourColor_ = hour;
  minuteColor_ = minute;
  secondColor_ = second;
  update();
}

void AnalogClock::SetWhiteBackground(bool white) {
  white_ = white;
  update();
}

void AnalogClock::SetClockSize(int size) {
  size_ = size >= 0 && size < static_cast<int>(kClockPixels.size()) ? size : 0;
  const int pixels = ClockPixels(size_);
  setFixedSize(pixels, pixels);
  scaled_ = QPixmap();
  update();
}

void AnalogClock::SetTime(const QTime& time) {
  if (!active_ || !time.isValid() || time == time_)
    return;
  time_ = time;
  update();
}

QColor AnalogClock::MarkColor() const {
  bool dark = pictureIsDark_;
  if (picture_.isNull())
    dark = !white_ && Luminance(palette().color(QPalette::Window)) < 0.5;
  return dark ? QColor(0xE6, 0xEA, 0xF0) : QColor(0x30, 0x36, 0x40);
}

void AnalogClock::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const int side = std::min(width(), height());
  const QRectF dial((width() - side) / 2.0, (height() - side) / 2.0, side, side);
  if (white_)
    p.fillRect(rect(), Qt::white);
  if (!picture_.isNull()) {
    if (scaled_.isNull() || scaled_.width() != side)
      scaled_ = ScaledPicture(picture_, side);
    PaintRoundPicture(p, scaled_, dial);
  }

  const double r = side / 2.0;
  p.translate(dial.center());
  if (marksDrawn_) {
    const QColor mark = MarkColor();
    for (int minute = 0; minute < 60; ++minute) {
      const bool hour = minute % 5 == 0;
      p.setPen(QPen(mark, hour ? std::max(1.5, 0.034 * r) : std::max(0.7, 0.011 * r), Qt::SolidLine,
                    Qt::FlatCap));
      const double inner = hour ? kHourMarkInner : kMinuteTickInner;
      const double a = minute * 6 * std::numbers::pi / 180;
      p.drawLine(QPointF(inner * r * std::sin(a), -inner * r * std::cos(a)),
                 QPointF(kMarkOuter * r * std::sin(a), -kMarkOuter * r * std::cos(a)));
    }
  }

  const double hours = time_.hour() % 12 + time_.minute() / 60.0 + time_.second() / 3600.0;
  const double minutes = time_.minute() + time_.second() / 60.0;
  DrawHand(p, hours * 30, HandPath(lengths_.hour / 100.0 * r, std::max(3.0, 0.085 * r), 0.14 * r),
           hourColor_, r);
  DrawHand(p, minutes * 6,
           HandPath(lengths_.minute / 100.0 * r, std::max(2.5, 0.062 * r), 0.16 * r), minuteColor_,
           r);

  // The second hand: a fine line with a tail, over a cap that holds all three.
  const double seconds = time_.second() * 6.0;
  const double width = std::max(1.0, 0.022 * r);
  QPainterPath second;
  second.addRect(QRectF(-width / 2, -lengths_.second / 100.0 * r, width,
                        (lengths_.second / 100.0 + 0.22) * r));
  second.addEllipse(QPointF(0, 0.17 * r), 0.045 * r, 0.045 * r);
  second.setFillRule(Qt::WindingFill);
  p.save();
  p.translate(0.015 * r, 0.025 * r);
  p.rotate(seconds);
  p.fillPath(second, QColor(0, 0, 0, 55));
  p.restore();
  p.save();
  p.rotate(seconds);
  p.fillPath(second, secondColor_);
  p.restore();
  p.setPen(QPen(OutlineOf(secondColor_), std::max(0.6, r / 80)));
  p.setBrush(secondColor_);
  p.drawEllipse(QPointF(), 0.06 * r, 0.06 * r);
  p.setPen(Qt::NoPen);
  p.setBrush(OutlineOf(secondColor_));
  p.drawEllipse(QPointF(), 0.022 * r, 0.022 * r);
}

void AnalogClock::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button());
  event->accept();
}

void ApplyHandColorSet(AnalogClock& clock, int index) {
  const HandColors colors = HandColorsOf(index);
  clock.SetHandColors(ColorFromColorRef(colors.hour), ColorFromColorRef(colors.minute),
                      ColorFromColorRef(colors.second));
}

QImage RoundFacePicture(const QImage& picture, int pixels, const QColor& background) {
  QImage image(pixels, pixels, QImage::Format_RGB32);
  image.fill(background);
  if (picture.isNull())
    return image;
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  PaintRoundPicture(p, ScaledPicture(picture, pixels), QRectF(0, 0, pixels, pixels));
  return image;
}

}  // namespace vek
