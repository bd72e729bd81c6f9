#include "report/page_painter.h"

#include <QGuiApplication>
#include <QPaintDevice>
#include <QPainter>
#include <QScreen>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

#include "foundation/qt/color_ref.h"
#include "foundation/qt/font_substitutes.h"
#include "foundation/qt/qt_strings.h"

namespace vek {

namespace {

constexpr double kWide = 100000;  // room for a text beside its anchor, in device units
constexpr double kMetresPerInch = 0.0254;
constexpr int kTextFlags = Qt::TextSingleLine | Qt::TextDontClip;

// Texts keep the order in which they are built: Arabic words read right to left inside a line
// whose markers and numbers the cell texts have already put in place. A right-to-left line
// puts its first word at the right.
int DirectionFlag(LineDirection direction) {
  return direction == LineDirection::RightToLeft ? Qt::TextForceRightToLeft
                                                 : Qt::TextForceLeftToRight;
}

}  // namespace

QFont ReportFont(const FontSpec& style) {
  QFont font(ToQString(style.Name));
  font.setPointSize(style.Size > 0 ? std::min(style.Size, kMaxPageFontPoints) : 12);
  font.setBold(style.Bold);
  font.setItalic(style.Italic);
  font.setUnderline(style.Underline);
  font.setStrikeOut(style.StrikeOut);
  return font;
}

FontSpec FontSpecOf(const QFont& font, std::uint32_t color) {
  FontSpec style;
  style.Color = color;
  style.Name = ToUtf8(font.family());
  style.Size = font.pointSize() > 0 ? font.pointSize() : 12;
  style.Bold = font.bold();
  style.Italic = font.italic();
  style.Underline = font.underline();
  style.StrikeOut = font.strikeOut();
  return style;
}

double ScreenPixelsPerInch() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const double ppi = screen ? std::round(screen->logicalDotsPerInchY()) : 96;
  return ppi > 0 ? ppi : 96;
}

QtPageCanvas::QtPageCanvas(QPainter& painter, double scaleX, double scaleY,
                           const QPaintDevice& metrics, double metricsScaleX, double metricsScaleY)
    : painter_(painter),
      scaleX_(scaleX),
      scaleY_(scaleY),
      metrics_(metrics),
      metricsScaleX_(metricsScaleX),
      metricsScaleY_(metricsScaleY) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.setRenderHint(QPainter::TextAntialiasing, true);
  painter_.setBackground(Qt::white);
  painter_.setBackgroundMode(Qt::TransparentMode);
}

void QtPageCanvas::SetFont(const FontSpec& font, double points) {
  font_ = ReportFont(font);
  font_.setFamilies(FacesWithArabic(font_.family()));
  font_.setPointSizeF(std::clamp(points, 0.1, double(kMaxPageFontPoints)));
  painter_.setFont(font_);
  QColor color = ColorFromColorRef(font.Color);
  if (grey_) {
    const int grey = qGray(color.rgb());
    color.setRgb(grey, grey, grey);
  }
  painter_.setPen(color);
  measure_.emplace(font_, &metrics_);
}

int QtPageCanvas::LineHeight() {
  if (!measure_)
    return 0;
  return RoundHalfEven(measure_->height() / metricsScaleY_);
}

int QtPageCanvas::TextWidth(const std::string& text) {
  if (!measure_ || text.empty())
    return 0;
  return RoundHalfEven(measure_->horizontalAdvance(ToQString(text)) / metricsScaleX_);
}

int QtPageCanvas::TextBottom(const std::string& text) {
  if (!measure_)
    return 0;
  // The line as drawn: as high as the tallest of the faces its letters are drawn with.
  QTextLayout layout(ToQString(text), font_, &metrics_);
  layout.beginLayout();
  const QTextLine line = layout.createLine();
  layout.endLayout();
  const double height =
      line.isValid() ? std::max(line.height(), measure_->height()) : measure_->height();
  return RoundHalfEven(height / metricsScaleY_);
}

double QtPageCanvas::DeviceX(int x) const {
  return RoundHalfEven(x * scaleX_);
}

double QtPageCanvas::DeviceY(int y) const {
  return RoundHalfEven(y * scaleY_);
}

void QtPageCanvas::DrawAt(int x, int y, TextAnchor anchor, LineDirection direction,
                          const QString& text) {
  const double dx = DeviceX(x);
  const double dy = DeviceY(y);
  const int flags = Qt::AlignTop | kTextFlags | DirectionFlag(direction);
  // Absolute alignments: a right-to-left line keeps the side it is anchored by.
  switch (anchor) {
    case TextAnchor::Left:
      painter_.drawText(QRectF(dx, dy, kWide, kWide), Qt::AlignLeft | Qt::AlignAbsolute | flags,
                        text);
      break;
    case TextAnchor::Right:
      painter_.drawText(QRectF(dx - kWide, dy, kWide, kWide),
                        Qt::AlignRight | Qt::AlignAbsolute | flags, text);
      break;
    case TextAnchor::Center:
      painter_.drawText(QRectF(dx - kWide, dy, 2 * kWide, kWide), Qt::AlignHCenter | flags, text);
      break;
  }
}

void QtPageCanvas::TextOut(int x, int y, const std::string& text, TextBackground background,
                           LineDirection direction) {
  if (text.empty())
    return;
  if (background == TextBackground::Page)
    painter_.setBackgroundMode(Qt::OpaqueMode);
  DrawAt(x, y, TextAnchor::Left, direction, ToQString(text));
  painter_.setBackgroundMode(Qt::TransparentMode);
}

void QtPageCanvas::ClippedText(int x, int y, TextAnchor anchor, LineDirection direction,
                               const std::string& text, const PageRect& clip) {
  if (text.empty() || clip.Right <= clip.Left || clip.Bottom <= clip.Top)
    return;
  const double left = DeviceX(clip.Left);
  const double top = DeviceY(clip.Top);
  painter_.save();
  painter_.setClipRect(QRectF(left, top, DeviceX(clip.Right) - left, DeviceY(clip.Bottom) - top));
  DrawAt(x, y, anchor, direction, ToQString(text));
  painter_.restore();
}

void QtPageCanvas::Line(int x1, int y1, int x2, int y2) {
  painter_.save();
  painter_.setPen(QPen(Qt::black, 0));
  painter_.drawLine(QPointF(DeviceX(x1), DeviceY(y1)), QPointF(DeviceX(x2), DeviceY(y2)));
  painter_.restore();
}

PageSize DevicePageSize(const QPaintDevice& printer, double screenPpi) {
  return LogicalPageSize(printer.width(), printer.height(), printer.logicalDpiX(),
                         printer.logicalDpiY(), screenPpi);
}

bool PaintPrinterPage(const Timetable& report, QPainter& painter, const QPaintDevice& printer,
                      int page, double screenPpi, bool grey) {
  const double scaleX = printer.logicalDpiX() / screenPpi;
  const double scaleY = printer.logicalDpiY() / screenPpi;
  QtPageCanvas canvas(painter, scaleX, scaleY, printer, scaleX, scaleY);
  canvas.SetGrey(grey);
  return PaintReportPage(report, canvas, page, DevicePageSize(printer, screenPpi));
}

QImage PaintPreviewPage(const Timetable& report, const QPaintDevice& printer, int page,
                        double screenPpi) {
  const PageSize size = DevicePageSize(printer, screenPpi);
  QImage image(std::max(1, size.Width), std::max(1, size.Height + 2), QImage::Format_RGB32);
  // The picture has the screen's resolution, so that point sizes give logical units.
  const int dotsPerMetre = static_cast<int>(std::lround(screenPpi / kMetresPerInch));
  image.setDotsPerMeterX(dotsPerMetre);
  image.setDotsPerMeterY(dotsPerMetre);
  image.fill(Qt::white);
  QPainter painter(&image);
  QtPageCanvas canvas(painter, 1, 1, printer, printer.logicalDpiX() / screenPpi,
                      printer.logicalDpiY() / screenPpi);
  PaintReportPage(report, canvas, page, size);
  return image;
}

}  // namespace vek
