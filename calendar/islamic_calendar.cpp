#include "calendar/islamic_calendar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

#include "foundation/qt/qt_strings.h"

namespace vek {

TIslamicCalendar::TIslamicCalendar(double today, QWidget* parent) : QWidget(parent), grid_(today) {
  setObjectName("Calendar1");
  // The grid mirrors itself for the Arabic face; the widget never mirrors it again.
  setLayoutDirection(Qt::LeftToRight);
  setMinimumSize(280, 150);
  // Tab and a click give it the focus, and the keys move the day.
  setFocusPolicy(Qt::StrongFocus);
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
      if (current && hasFocus()) {
        painter.setPen(QPen(pal.color(QPalette::HighlightedText), 1, Qt::DashLine));
        painter.drawRect(cell.adjusted(3, 3, -4, -4));
      }
    }
  }
}

void TIslamicCalendar::mousePressEvent(QMouseEvent* event) {
  int row = 0, column = 0;
  if (event->button() == Qt::LeftButton && CellAt(event->position().toPoint(), row, column))
    grid_.ClickCell(row, column);
}

void TIslamicCalendar::keyPressEvent(QKeyEvent* event) {
  using Key = MonthGrid::Key;
  // Enter is taken here too, so that it never reaches the window's default button.
  static constexpr std::pair<int, Key> kKeys[] = {
      {Qt::Key_Left, Key::Left},   {Qt::Key_Right, Key::Right},   {Qt::Key_Up, Key::Up},
      {Qt::Key_Down, Key::Down},   {Qt::Key_PageUp, Key::PageUp}, {Qt::Key_PageDown, Key::PageDown},
      {Qt::Key_Home, Key::Home},   {Qt::Key_End, Key::End},       {Qt::Key_Return, Key::Enter},
      {Qt::Key_Enter, Key::Enter}, {Qt::Key_Select, Key::Enter},
  };
  for (const auto& [qtKey, key] : kKeys) {
    if (event->key() == qtKey) {
      grid_.PressKey(key);
      event->accept();
      return;
    }
  }
  QWidget::keyPressEvent(event);
}

}  // namespace vek
