// What a widget draws, for tests that compare two renderings: the widget's picture, and the part
// of a picture that holds ink (every pixel other than the background of its top-left corner).
#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <QRect>
#include <QWidget>

#include <set>

namespace vek::testing {

inline QImage Drawn(QWidget* widget) {
  return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The smallest rectangle of image that holds every pixel unlike its top-left one; empty when
// there is none.
inline QRect InkRect(const QImage& image) {
  const QRgb background = image.pixel(0, 0);
  QRect ink;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background)
        ink |= QRect(x, y, 1, 1);
  return ink;
}

// The inked part of what the widget draws: two texts laid out alike give equal pictures,
// wherever their alignment puts them.
inline QImage DrawnInk(QWidget* widget) {
  const QImage image = Drawn(widget);
  return image.copy(InkRect(image));
}

// The inked part of the last line that the widget draws: the ink below the last row without
// any ink, itself below some ink.
inline QImage DrawnLastLineInk(QWidget* widget) {
  const QImage image = Drawn(widget);
  const QRgb background = image.pixel(0, 0);
  const auto blank = [&](int y) {
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != background)
        return false;
    return true;
  };
  int top = 0;
  bool inkAbove = false;
  for (int y = 0; y < image.height(); ++y) {
    if (!blank(y))
      inkAbove = true;
    else if (inkAbove && y + 1 < image.height() && !blank(y + 1))
      top = y + 1;
  }
  const QImage last = image.copy(0, top, image.width(), image.height() - top);
  return last.copy(InkRect(last));
}

// withKey is plain with an access key's underline added and nothing else changed: the two
// pictures differ, and only in a line at most two pixels high.
inline ::testing::AssertionResult OnlyAnUnderlineAdded(const QImage& withKey, const QImage& plain) {
  if (withKey.size() != plain.size())
    return ::testing::AssertionFailure() << "the pictures differ in size";
  std::set<int> rows;
  for (int y = 0; y < plain.height(); ++y)
    for (int x = 0; x < plain.width(); ++x)
      if (withKey.pixel(x, y) != plain.pixel(x, y))
        rows.insert(y);
  if (rows.empty())
    return ::testing::AssertionFailure() << "no underline is drawn";
  if (*rows.rbegin() - *rows.begin() > 1)
    return ::testing::AssertionFailure()
           << "the pictures differ in rows " << *rows.begin() << " to " << *rows.rbegin();
  return ::testing::AssertionSuccess();
}

}  // namespace vek::testing
