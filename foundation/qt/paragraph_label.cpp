#include "foundation/qt/paragraph_label.h"

#include <QAbstractTextDocumentLayout>
#include <QPainter>
#include <QStringList>
#include <QStyle>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <cmath>
#include <optional>

namespace vek {

namespace {

// The direction of the first letter of line with a strong direction, if any.
std::optional<Qt::LayoutDirection> OwnDirection(const QString& line) {
  for (const char32_t c : line.toUcs4()) {
    switch (QChar::direction(c)) {
      case QChar::DirL:
        return Qt::LeftToRight;
      case QChar::DirR:
      case QChar::DirAL:
        return Qt::RightToLeft;
      default:
        break;
    }
  }
  return std::nullopt;
}

}  // namespace

ParagraphLabel::ParagraphLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(true);
}

void ParagraphLabel::LayOut(QTextDocument& document, qreal width) const {
  document.setDefaultFont(font());
  document.setDocumentMargin(0);
  QTextOption option;
  option.setWrapMode(wordWrap() ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  document.setDefaultTextOption(option);
  // Left and right as the label shows them, whatever each line's direction.
  const Qt::Alignment horizontal =
      QStyle::visualAlignment(layoutDirection(), alignment()) & Qt::AlignHorizontal_Mask;
  QTextCursor cursor(&document);
  const QStringList lines = text().split(QLatin1Char('\n'));
  for (qsizetype i = 0; i < lines.size(); ++i) {
    QString line = lines[i];
    if (line.endsWith(QLatin1Char('\r')))
      line.chop(1);
    if (i > 0)
      cursor.insertBlock();
    QTextBlockFormat format;
    format.setLayoutDirection(OwnDirection(line).value_or(layoutDirection()));
    format.setAlignment(horizontal | Qt::AlignAbsolute);
    cursor.setBlockFormat(format);
    cursor.insertText(line);
  }
  document.setTextWidth(width);
}

QSize ParagraphLabel::Frame() const {
  const QMargins m = contentsMargins();
  return {m.left() + m.right() + 2 * margin(), m.top() + m.bottom() + 2 * margin()};
}

bool ParagraphLabel::hasHeightForWidth() const {
  return wordWrap();
}

int ParagraphLabel::heightForWidth(int width) const {
  QTextDocument document;
  LayOut(document, wordWrap() ? std::max(0, width - Frame().width()) : -1);
  return static_cast<int>(std::ceil(document.size().height())) + Frame().height();
}

QSize ParagraphLabel::sizeHint() const {
  QTextDocument document;
  LayOut(document, -1);
  const int width = static_cast<int>(std::ceil(document.idealWidth())) + Frame().width();
  const int shown = wordWrap() ? std::min(width, QLabel::sizeHint().width()) : width;
  return {shown, heightForWidth(shown)};
}

QSize ParagraphLabel::minimumSizeHint() const {
  return wordWrap() ? QSize(0, heightForWidth(0)) : sizeHint();
}

void ParagraphLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  drawFrame(&painter);
  const int m = margin();
  const QRect area = contentsRect().adjusted(m, m, -m, -m);
  QTextDocument document;
  LayOut(document, wordWrap() ? area.width() : -1);
  const qreal height = document.size().height();
  qreal top = area.top();
  if (alignment() & Qt::AlignBottom)
    top = area.bottom() + 1 - height;
  else if (alignment() & Qt::AlignVCenter)
    top = area.top() + (area.height() - height) / 2;
  qreal left = area.left();
  if (!wordWrap()) {
    // An unwrapped text is as wide as its longest line: placed in the area by the alignment.
    const QRect placed = QStyle::alignedRect(
        layoutDirection(), alignment() & Qt::AlignHorizontal_Mask,
        QSize(static_cast<int>(std::ceil(document.idealWidth())), area.height()), area);
    left = placed.left();
  }
  painter.translate(left, std::round(top));
  QAbstractTextDocumentLayout::PaintContext context;
  context.palette = palette();
  context.palette.setColor(QPalette::Text, palette().color(foregroundRole()));
  context.clip = QRectF(0, 0, wordWrap() ? area.width() : document.idealWidth(), height);
  document.documentLayout()->draw(&painter, context);
}

}  // namespace vek
