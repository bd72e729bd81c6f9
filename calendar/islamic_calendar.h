// The month calendar control: the grid of MonthGrid drawn in seven equal columns and rows (day
// names over six rows of days), the shown day highlighted, and framed while the control has the
// focus; a click on a day chooses it, and so do the keys of MonthGrid::PressKey. Every new
// layout of the grid is painted at once.
#pragma once

#include <QWidget>

#include "calendar/month_grid.h"

namespace vek {

class TIslamicCalendar : public QWidget {
  Q_OBJECT

 public:
  explicit TIslamicCalendar(double today, QWidget* parent = nullptr);

  MonthGrid& Grid() { return grid_; }
  const MonthGrid& Grid() const { return grid_; }

  // The cell at a point of the widget (row 0..6, column 0..6 from the left).
  bool CellAt(const QPoint& point, int& row, int& column) const;
  QRect CellRect(int row, int column) const;

  QSize sizeHint() const override { return {560, 210}; }

 signals:
  // The date changed (OnChange of the grid).
  void Changed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  MonthGrid grid_;
};

}  // namespace vek
