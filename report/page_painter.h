// The timetable's pages on a QPainter: the printer's page for the print job, a picture of it for
// the preview. Both lay the page out with the printer's font metrics, so the preview shows the
// printed layout; positions are logical units (screen pixels) turned into device units by the
// device's resolution over the screen's pixels per inch.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

#include <optional>

#include "report/page_layout.h"
#include "report/timetable.h"

class QPainter;
class QPaintDevice;

namespace vek {

// A design's font as Qt draws it, and back (the colour is not part of a QFont).
QFont ReportFont(const FontSpec& font);
FontSpec FontSpecOf(const QFont& font, std::uint32_t color);

// The screen's pixels per inch: the size of a logical unit.
double ScreenPixelsPerInch();

// Draws on a painter at scaleX x scaleY device units per logical unit, and measures texts as
// the metrics device does (at its own scale), so that every device gets the same layout.
class QtPageCanvas : public PageCanvas {
 public:
  QtPageCanvas(QPainter& painter, double scaleX, double scaleY, const QPaintDevice& metrics,
               double metricsScaleX, double metricsScaleY);

  void SetFont(const FontSpec& font, double points) override;
  int LineHeight() override;
  int TextWidth(const std::string& text) override;
  int TextBottom(const std::string& text) override;
  void TextOut(int x, int y, const std::string& text, TextBackground background,
               LineDirection direction) override;
  void ClippedText(int x, int y, TextAnchor anchor, LineDirection direction,
                   const std::string& text, const PageRect& clip) override;
  void Line(int x1, int y1, int x2, int y2) override;

  // Texts of the fonts set from now on are drawn in the grey of their colour (qGray), as a
  // printer does for a grey-scale job.
  void SetGrey(bool grey) { grey_ = grey; }

 private:
  double DeviceX(int x) const;
  double DeviceY(int y) const;
  void DrawAt(int x, int y, TextAnchor anchor, LineDirection direction, const QString& text);

  QPainter& painter_;
  double scaleX_;
  double scaleY_;
  const QPaintDevice& metrics_;
  double metricsScaleX_;
  double metricsScaleY_;
  QFont font_;
  std::optional<QFontMetricsF> measure_;
  bool grey_ = false;
};

// The logical page of a printer (its printable area at its resolution).
PageSize DevicePageSize(const QPaintDevice& printer, double screenPpi);

// Paints page of the report on painter, whose device is the printer; false for a page outside
// 1..PageCount (nothing painted). With grey, the colours are painted as their greys, for a
// grey-scale job on a device that would keep them (the PDF writer).
bool PaintPrinterPage(const Timetable& report, QPainter& painter, const QPaintDevice& printer,
                      int page, double screenPpi, bool grey = false);

// The page as the preview shows it: a white picture of the printer's page at the screen's
// resolution (page width x page height + 2), laid out with the printer's metrics. A page
// outside 1..PageCount stays white.
QImage PaintPreviewPage(const Timetable& report, const QPaintDevice& printer, int page,
                        double screenPpi);

}  // namespace vek
