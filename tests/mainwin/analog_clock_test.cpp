#include "mainwin/analog_clock.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QMouseEvent>

#include <vector>

#include "foundation/qt/color_ref.h"

namespace vek {
namespace {

QImage Grab(AnalogClock& clock) {
  return clock.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QImage SolidPicture(const QColor& color) {
  QImage picture(kFacePicturePixels, kFacePicturePixels, QImage::Format_RGB32);
  picture.fill(color);
  return picture;
}

TEST(ColorRef, ConvertsBgrAndIgnoresTheTopByte) {
  EXPECT_EQ(QColor(255, 0, 0), ColorFromColorRef(0x0000FF));
  EXPECT_EQ(QColor(0, 0, 255), ColorFromColorRef(0xFF0000));
  EXPECT_EQ(QColor(0x12, 0x34, 0x56), ColorFromColorRef(0x7F563412));
}

TEST(AnalogClock, HasTheFixedSizeOfEachClockSize) {
  AnalogClock clock;
  EXPECT_EQ(QSize(140, 140), clock.size());
  for (int size : {0, 1, 2}) {
    clock.SetClockSize(size);
    EXPECT_EQ(QSize(ClockPixels(size), ClockPixels(size)), clock.size());
    EXPECT_EQ(clock.size(), Grab(clock).size());
  }
}

TEST(AnalogClock, HandsFollowTheTimeOnlyWhileActive) {
  AnalogClock clock;
  clock.SetFacePicture(SolidPicture(Qt::white));
  clock.SetTime(10, 10, 30);
  const QImage tenPast = Grab(clock);
  EXPECT_EQ(tenPast, Grab(clock));  // the same time draws the same

  // Each hand on its own moves the picture.
  for (const QTime& other : {QTime(10, 10, 45), QTime(10, 25, 30), QTime(4, 10, 30)}) {
    clock.SetTime(other);
    EXPECT_NE(tenPast, Grab(clock)) << other.toString().toStdString();
  }

  clock.SetTime(10, 10, 30);
  clock.SetActive(false);
  clock.SetTime(3, 45, 0);
  EXPECT_EQ(QTime(10, 10, 30), clock.Time());
  EXPECT_EQ(tenPast, Grab(clock));
}

TEST(AnalogClock, DrawsMarksOnlyWhenTheFaceAsksForThem) {
  AnalogClock clock;
  clock.SetWhiteBackground(true);
  clock.SetMarksDrawn(true);
  const QImage marked = Grab(clock);
  clock.SetMarksDrawn(false);
  const QImage bare = Grab(clock);
  EXPECT_NE(marked, bare);
  // The hour mark at 3 o'clock, clear of the hands at 00:00:00.
  EXPECT_LT(qGray(marked.pixel(70 + 58, 70)), 128);
  EXPECT_EQ(qRgb(255, 255, 255), bare.pixel(70 + 58, 70));
}

TEST(AnalogClock, ShowsThePictureRoundOverItsBackground) {
  AnalogClock clock;
  clock.SetWhiteBackground(true);
  clock.SetMarksDrawn(false);
  clock.SetFacePicture(SolidPicture(QColor(0, 128, 0)));
  QImage image = Grab(clock);
  EXPECT_EQ(qRgb(0, 128, 0), image.pixel(40, 90));    // inside the dial, away from the hands
  EXPECT_EQ(qRgb(255, 255, 255), image.pixel(2, 2));  // a corner

  clock.SetClockSize(0);  // the picture is scaled to the smaller clock
  image = Grab(clock);
  EXPECT_EQ(qRgb(0, 128, 0), image.pixel(25, 65));

  clock.SetFacePicture(QImage());
  EXPECT_TRUE(clock.FacePicture().isNull());
  EXPECT_EQ(qRgb(255, 255, 255), Grab(clock).pixel(25, 65));
}

TEST(AnalogClock, HandColoursComeFromTheColourSet) {
  AnalogClock clock;
  ApplyHandColorSet(clock, 7);
  EXPECT_EQ(QColor(0, 128, 0), clock.HourHandColor());
  EXPECT_EQ(QColor(0, 128, 0), clock.MinuteHandColor());
  EXPECT_EQ(QColor(0, 255, 0), clock.SecondHandColor());
}

TEST(AnalogClock, PassesOnTheMouseButton) {
  AnalogClock clock;
  std::vector<Qt::MouseButton> buttons;
  QObject::connect(&clock, &AnalogClock::MouseDown,
                   [&buttons](Qt::MouseButton button) { buttons.push_back(button); });
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton}) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(30, 30), QPointF(30, 30), button, button,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&clock, &press);
  }
  EXPECT_EQ((std::vector<Qt::MouseButton>{Qt::LeftButton, Qt::RightButton}), buttons);
}

}  // namespace
}  // namespace vek
