#include "foundation/qt/eliding_label.h"

#include <QPainter>
#include <QStyle>

namespace vek {

ElidingLabel::ElidingLabel(QWidget* parent) : ElidingLabel(QString(), parent) {}

ElidingLabel::ElidingLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
}

QSize ElidingLabel::minimumSizeHint() const {
  return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidingLabel::sizeHint() const {
  return {0, QLabel::sizeHint().height()};
}

QString ElidingLabel::ShownText() const {
  // One line: line ends would make a label taller and are not part of what it shows.
  QString line = text();
  line.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
  return fontMetrics().elidedText(line, Qt::ElideRight, contentsRect().width());
}

void ElidingLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  style()->drawItemText(&painter, contentsRect(),
                        QStyle::visualAlignment(layoutDirection(), alignment()), palette(),
                        isEnabled(), ShownText(), foregroundRole());
}

}  // namespace vek
