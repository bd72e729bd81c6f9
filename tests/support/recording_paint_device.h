// A paint device of a chosen resolution that records the lines and texts a QPainter draws on
// it, in device units: a printer's page without a printer. Texts are recorded by their top
// (the baseline less the font's ascent on this device), their left edge and their font's size.
#pragma once

#include <QFontMetricsF>
#include <QLineF>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QString>
#include <QTextItem>

#include <vector>

namespace vek::testing {

class RecordingPaintDevice : public QPaintDevice {
 public:
  struct Text {
    QPointF TopLeft;
    QString Value;
    double Points = 0;
  };

  // A page of width x height device units at dpi dots per inch.
  RecordingPaintDevice(int width, int height, int dpi)
      : engine_(*this), width_(width), height_(height), dpi_(dpi) {}
  ~RecordingPaintDevice() override = default;

  QPaintEngine* paintEngine() const override { return &engine_; }

  std::vector<QLineF> lines;
  std::vector<Text> texts;

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmWidth:
        return width_;
      case PdmHeight:
        return height_;
      case PdmWidthMM:
        return width_ * 254 / (10 * dpi_);
      case PdmHeightMM:
        return height_ * 254 / (10 * dpi_);
      case PdmDpiX:
      case PdmDpiY:
      case PdmPhysicalDpiX:
      case PdmPhysicalDpiY:
        return dpi_;
      case PdmDepth:
        return 32;
      case PdmNumColors:
        return 1 << 24;
      case PdmDevicePixelRatio:
        return 1;
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(devicePixelRatioFScale());
      default:
        return QPaintDevice::metric(m);
    }
  }

 private:
  class Engine : public QPaintEngine {
   public:
    explicit Engine(RecordingPaintDevice& device)
        : QPaintEngine(QPaintEngine::AllFeatures), device_(device) {}
    bool begin(QPaintDevice*) override { return true; }
    bool end() override { return true; }
    void updateState(const QPaintEngineState&) override {}
    Type type() const override { return QPaintEngine::User; }
    void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
    void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
    void drawPath(const QPainterPath&) override {}
    void drawRects(const QRectF*, int) override {}
    void drawRects(const QRect*, int) override {}
    void drawLines(const QLineF* lines, int count) override {
      for (int i = 0; i < count; ++i)
        device_.lines.push_back(lines[i]);
    }
    void drawLines(const QLine* lines, int count) override {
      for (int i = 0; i < count; ++i)
        device_.lines.push_back(QLineF(lines[i]));
    }
    void drawTextItem(const QPointF& p, const QTextItem& item) override {
      const double ascent = QFontMetricsF(item.font(), &device_).ascent();
      device_.texts.push_back(
          {QPointF(p.x(), p.y() - ascent), item.text(), item.font().pointSizeF()});
    }

   private:
    RecordingPaintDevice& device_;
  };

  mutable Engine engine_;
  int width_;
  int height_;
  int dpi_;
};

}  // namespace vek::testing
