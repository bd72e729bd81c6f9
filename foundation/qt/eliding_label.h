// A one-line label that never widens its window: it asks for no width of its own and shows its
// text in the width the layout gives it, so no text ever changes the window's size; a text that
// does not fit is drawn cut at its end with an ellipsis (at the left in right-to-left text).
// text() stays whole.
#pragma once

#include <QLabel>

namespace vek {

class ElidingLabel : public QLabel {
 public:
  explicit ElidingLabel(QWidget* parent = nullptr);
  explicit ElidingLabel(const QString& text, QWidget* parent = nullptr);

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;
  // The text as drawn at the current width.
  QString ShownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace vek
