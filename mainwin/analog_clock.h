// The main window's analogue clock (OvcClock1): a face picture, the clock's own hour marks and
// minute ticks when the face asks for them, and three hands. The clock has no timer: its owner
// sets the time to show, once a second. An inactive clock shows its face and hands but ignores
// new times. A press of any mouse button is passed on as MouseDown.
#pragma once

#include <QColor>
#include <QImage>
#include <QPixmap>
#include <QTime>
#include <QWidget>

#include "resources/clock_face.h"

namespace vek {

class AnalogClock : public QWidget {
  Q_OBJECT

 public:
  // A large clock (140 x 140) with no picture, marks drawn, long hands, hand colour set 2 and
  // the time 00:00:00, active.
  explicit AnalogClock(QWidget* parent = nullptr);

  // The face picture, drawn round and scaled to the clock's size (it is made for 140 x 140). A
  // null image removes it and shows the bare clock.
  void SetFacePicture(const QImage& picture);
  const QImage& FacePicture() const { return picture_; }

  // Whether the clock draws hour marks and minute ticks over the picture.
  void SetMarksDrawn(bool drawn);
  bool MarksDrawn() const { return marksDrawn_; }

  // Lengths in percent of the dial's radius.
  void SetHandLengths(const HandLengths& lengths);
  const HandLengths& GetHandLengths() const { return lengths_; }

  void SetHandColors(const QColor& hour, const QColor& minute, const QColor& second);
  QColor HourHandColor() const { return hourColor_; }
  QColor MinuteHandColor() const { return minuteColor_; }
  QColor SecondHandColor() const { return secondColor_; }

  // A white background behind the dial; otherwise the parent's colour shows through.
  void SetWhiteBackground(bool white);
  bool WhiteBackground() const { return white_; }

  // ClockSize 0, 1 or 2: a fixed size of 100, 124 or 140 pixels square (others count as 0).
  void SetClockSize(int size);
  int ClockSize() const { return size_; }

  // The time the hands show; ignored while the clock is inactive.
  void SetTime(const QTime& time);
  void SetTime(int hour, int minute, int second) { SetTime(QTime(hour, minute, second)); }
  QTime Time() const { return time_; }

  // STOPCLOCK leaves the clock inactive.
  void SetActive(bool active) { active_ = active; }
  bool Active() const { return active_; }

 signals:
  void MouseDown(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QColor MarkColor() const;

  QImage picture_;
  QPixmap scaled_;  // the picture at the clock's size, made when first painted
  bool pictureIsDark_ = false;
  bool marksDrawn_ = true;
  HandLengths lengths_ = kLongHands;
  QColor hourColor_;
  QColor minuteColor_;
  QColor secondColor_;
  bool white_ = false;
  int size_ = 2;
  QTime time_{0, 0, 0};
  bool active_ = true;
};

// Applies hand-colour set index (0..10, as HandColorsOf) to the clock.
void ApplyHandColorSet(AnalogClock& clock, int index);

// The picture as the clock shows it: round, scaled to pixels square, over background (for the
// face chooser).
QImage RoundFacePicture(const QImage& picture, int pixels, const QColor& background);

}  // namespace vek
