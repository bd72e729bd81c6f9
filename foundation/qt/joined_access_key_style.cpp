#include "foundation/qt/joined_access_key_style.h"

#include <QApplication>
#include <QGlyphRun>
#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QPointer>
#include <QRawFont>
#include <QStyleFactory>
#include <QStyleOptionMenuItem>
#include <QTextLayout>
#include <QWidget>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>
#include <vector>

namespace vek {

namespace {

// One piece of text as a style drew it: its baseline's start, its advance, its font and colour.
struct TextRun {
  QPointF origin;
  qreal width = 0;
  QFont font;
  QColor color;
};

// A paint engine that only notes the text drawn through it, in the coordinates its painter
// started with.
class TextRunEngine : public QPaintEngine {
 public:
  TextRunEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  void updateState(const QPaintEngineState&) override {}
  Type type() const override { return QPaintEngine::User; }

  void drawTextItem(const QPointF& origin, const QTextItem& item) override {
    const QPainter* p = painter();
    runs.push_back({p->transform().map(origin), item.width(), item.font(), p->pen().color()});
  }
  // Everything else leaves no trace.
  void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
  void drawImage(const QRectF&, const QImage&, const QRectF&, Qt::ImageConversionFlags) override {}
  void drawTiledPixmap(const QRectF&, const QPixmap&, const QPointF&) override {}
  void drawPath(const QPainterPath&) override {}
  void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
  void drawRects(const QRectF*, int) override {}
  void drawLines(const QLineF*, int) override {}
  void drawEllipse(const QRectF&) override {}
  void drawPoints(const QPointF*, int) override {}

  std::vector<TextRun> runs;
};

// A device of the resolution of another, whose painter notes the text drawn on it.
class TextRunDevice : public QPaintDevice {
 public:
  explicit TextRunDevice(const QPaintDevice* like) : like_(like) {}
  ~TextRunDevice() override = default;

  QPaintEngine* paintEngine() const override { return &engine_; }
  const std::vector<TextRun>& Runs() const { return engine_.runs; }

 protected:
  int metric(PaintDeviceMetric metric) const override {
    constexpr int kSize = 1 << 20;
    switch (metric) {
      case PdmWidth:
      case PdmHeight:
        return kSize;
      case PdmWidthMM:
      case PdmHeightMM:
        return kSize / 4;
      case PdmDepth:
        return 32;
      case PdmNumColors:
        return INT_MAX;
      case PdmDpiX:
        return like_->logicalDpiX();
      case PdmDpiY:
        return like_->logicalDpiY();
      case PdmPhysicalDpiX:
        return like_->physicalDpiX();
      case PdmPhysicalDpiY:
        return like_->physicalDpiY();
      case PdmDevicePixelRatio:
        return like_->devicePixelRatio();
      case PdmDevicePixelRatioScaled:
        return static_cast<int>(like_->devicePixelRatioF() * devicePixelRatioFScale());
    }
    return 0;
  }

 private:
  const QPaintDevice* like_;
  mutable TextRunEngine engine_;
};

// The text that draw puts down when it paints as painter would.
std::vector<TextRun> RecordTextRuns(const QPainter* painter,
                                    const std::function<void(QPainter*)>& draw) {
  TextRunDevice device(painter->device());
  {
    QPainter recorder(&device);
    recorder.setFont(painter->font());
    recorder.setPen(painter->pen());
    recorder.setBrush(painter->brush());
    recorder.setLayoutDirection(painter->layoutDirection());
    draw(&recorder);
  }
  return device.Runs();
}

// A caption with its access key marks taken out: "&x" marks x, "&&" is a plain "&".
struct AccessKey {
  QString plain;
  qsizetype position = -1;  // of the (first) key letter in plain; -1 without one

  // Qt's own drawing would break the caption's Arabic apart at the key: it has a key and an
  // Arabic letter.
  bool KeyInArabic() const {
    if (position < 0)
      return false;
    return std::any_of(plain.begin(), plain.end(),
                       [](QChar c) { return c.script() == QChar::Script_Arabic; });
  }
  // plain written as a caption without a key.
  QString Escaped() const {
    QString text = plain;
    return text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  }
};

AccessKey FindAccessKey(const QString& caption) {
  AccessKey key;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption.at(i) == QLatin1Char('&')) {
      if (++i == caption.size())
        break;
      if (caption.at(i) != QLatin1Char('&') && key.position < 0)
        key.position = key.plain.size();
    }
    key.plain += caption.at(i);
  }
  return key;
}

// Underlines the key's letter of the caption that runs hold, below the ink of the letter (an
// Arabic letter may have dots below its baseline).
void UnderlineKey(QPainter* painter, const AccessKey& key, const std::vector<TextRun>& runs) {
  if (runs.empty())
    return;
  qreal left = runs.front().origin.x();
  qreal right = left;
  for (const TextRun& run : runs) {
    left = std::min(left, run.origin.x());
    right = std::max(right, run.origin.x() + run.width);
  }
  const QFont& font = runs.front().font;
  QTextLayout layout(key.plain, font, painter->device());
  QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
  option.setTextDirection(painter->layoutDirection());
  option.setWrapMode(QTextOption::NoWrap);
  layout.setTextOption(option);
  layout.beginLayout();
  QTextLine line = layout.createLine();
  layout.endLayout();
  if (!line.isValid() || std::abs(line.horizontalAdvance() - (right - left)) > 1)
    return;  // drawn otherwise (cut short, say): better no underline than one in the wrong place
  const qreal start = line.cursorToX(key.position);
  const qreal end = line.cursorToX(key.position + 1);
  const QFontMetricsF metrics(font, painter->device());
  qreal below = metrics.underlinePos();
  for (const QGlyphRun& glyphs : line.glyphRuns(static_cast<int>(key.position), 1)) {
    for (const quint32 glyph : glyphs.glyphIndexes())
      below = std::max(below, glyphs.rawFont().boundingRect(glyph).bottom() + 1);
  }
  painter->fillRect(QRectF(left + std::min(start, end), runs.front().origin.y() + below,
                           std::abs(end - start), std::max<qreal>(1, metrics.lineWidth())),
                    runs.back().color);
}

QStyle* ApplicationStyleCopy() {
  return QApplication::style() ? QStyleFactory::create(QApplication::style()->name()) : nullptr;
}

}  // namespace

JoinedAccessKeyStyle::JoinedAccessKeyStyle() : QProxyStyle(ApplicationStyleCopy()) {}

void JoinedAccessKeyStyle::drawItemText(QPainter* painter, const QRect& rect, int flags,
                                        const QPalette& palette, bool enabled, const QString& text,
                                        QPalette::ColorRole textRole) const {
  const AccessKey key = FindAccessKey(text);
  if (!(flags & Qt::TextShowMnemonic) || (flags & Qt::TextHideMnemonic) || !key.KeyInArabic()) {
    QProxyStyle::drawItemText(painter, rect, flags, palette, enabled, text, textRole);
    return;
  }
  // Without either flag an "&" is drawn as it is.
  const int plainFlags = flags & ~(Qt::TextShowMnemonic | Qt::TextHideMnemonic);
  const auto draw = [&](QPainter* p) {
    QProxyStyle::drawItemText(p, rect, plainFlags, palette, enabled, key.plain, textRole);
  };
  const std::vector<TextRun> runs = RecordTextRuns(painter, draw);
  draw(painter);
  UnderlineKey(painter, key, runs);
}

void JoinedAccessKeyStyle::drawControl(ControlElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const {
  const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || item == nullptr) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  // A menu item's text is its caption, then a tab and the shortcut.
  const qsizetype tab = item->text.indexOf(QLatin1Char('\t'));
  const AccessKey key = FindAccessKey(tab < 0 ? item->text : item->text.left(tab));
  if (!key.KeyInArabic()) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  QStyleOptionMenuItem plain(*item);
  plain.text = key.Escaped();  // the caption alone: all the text drawn is the caption's
  const std::vector<TextRun> runs = RecordTextRuns(
      painter, [&](QPainter* p) { QProxyStyle::drawControl(element, &plain, p, widget); });
  if (tab >= 0)
    plain.text += item->text.mid(tab);
  QProxyStyle::drawControl(element, &plain, painter, widget);
  if (proxy()->styleHint(SH_UnderlineShortcut, option, widget))
    UnderlineKey(painter, key, runs);
}

void KeepAccessKeysJoinedEverywhere() {
  QApplication::setStyle(new JoinedAccessKeyStyle);
}

void KeepAccessKeysJoined(QWidget* widget) {
  static QPointer<JoinedAccessKeyStyle> style;
  if (widget == nullptr)
    return;
  if (style.isNull()) {
    style = new JoinedAccessKeyStyle;
    style->setParent(qApp);
  }
  if (widget->style() != style)
    widget->setStyle(style);
}

}  // namespace vek
