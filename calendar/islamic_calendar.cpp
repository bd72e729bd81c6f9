#include "calendar/islamic_calendar.h"

#include <QMouseEvent>
#include <QPainter>

#include "foundation/qt/qt_strings.h"

namespace vek {

TIslamicCalendar::TIslamicCalendar(double today, QWidget* parent) : QWidget(parent), grid_(today) {
  setObjectName("Calendar1");
  // The grid mirrors itself for the Arabic face; the widget never mirrors it again.
  setLayoutDirection(Qt::LeftToRight);
  setMinimumSize(280, 150);
  grid_.OnLayout = [this] { update(); };
  grid_.OnChange = [this] { emit Changed(); };
}

QRect TIslamicCalendar::CellRect(int row, int column) const {
  const int w = width() / MonthGrid::kColumns;
  const int h = height() / MonthGrid::kRows;
  return {column * w, row * h, w, h};
}

bool TIslamicCalendar::CellAt(const QPoint& point, int& row, int& column) const {
  const int w = width() / MonthGrid::kColumns;
  const int h = height() / MonthGrid::kRows;
  if (w <= 0 || h <= 0 || point.x() < 0 || point.y() < 0)
    return false;
  column = point.x() / w;
  row = point.y() / h;
  return column < MonthGrid::kColumns && row < MonthGrid::kRows;
}

void TIslamicCalendar::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QPalette& pal = palette();
  painter.fillRect(rect(), pal.color(QPalette::Base));
  for (int row = 0; row < MonthGrid::kRows; ++row) {
    for (int column = 0; column < MonthGrid::kColumns; ++column) {
      const QRect cell = CellRect(row, column);
      const bool header = row == 0;
      const bool current = row == grid_.CurrentRow() && column == grid_.CurrentColumn();
      if (header)
        painter.fillRect(cell, pal.color(QPalette::Button));
      else if (current)
        painter.fillRect(cell, pal.color(QPalette::Highlight));
      painter.setPen(pal.color(QPalette::Mid));
      painter.drawRect(cell.adjusted(0, 0, -1, -1));
      painter.setPen(current ? pal.color(QPalette::HighlightedText)
                             : pal.color(header ? QPalette::ButtonText : QPalette::Text));
      painter.drawText(cell, Qt::AlignCenter, ToQString(grid_.CellText(row, column)));
    }
  }
}

void TIslamicCalendar::mousePressEvent(QMouseEvent* event) {
  int row = 0, column = 0;
  if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), row, column))
    grid_.ClickCell(row, column);
}

}  // namespace vek
