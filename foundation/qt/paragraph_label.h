// A word-wrapped label for messages that mix Arabic and English lines: each line is a paragraph
// of its own, read in the direction of its own text (its first letter's), so that an English
// line after Arabic ones keeps its question mark at its end and an Arabic line after English
// ones reads from the right. A line without letters reads in the label's direction. All lines
// take the label's alignment. text() stays the plain text it was given.
#pragma once

#include <QLabel>

class QTextDocument;

namespace vek {

class ParagraphLabel : public QLabel {
 public:
  explicit ParagraphLabel(QWidget* parent = nullptr);

  bool hasHeightForWidth() const override;
  int heightForWidth(int width) const override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The text laid out as one paragraph per line in width (unbounded when negative).
  void LayOut(QTextDocument& document, qreal width) const;
  // What the contents margins and the margin take from the label's width and height.
  QSize Frame() const;
};

}  // namespace vek
