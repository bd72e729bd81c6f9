// The program's balloon hints. Every tool tip of the application is shown in TQuvHintWindow, a
// rounded box with a 1-pixel frame whose corners let what lies beneath show through; Arabic
// hints are right-aligned and read right to left, English ones left-aligned, and each hint
// stays inside the screen under the cursor without covering the cursor.
//
// Usage: the main window keeps one BalloonHints for its lifetime (InstallQuvHintWindow); it
// takes every tool-tip event of the application, and shows nothing while the flying help is off.
// A handler may also show a text as a balloon at once (ShowHint).
#pragma once

#include <QBasicTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QString>
#include <QWidget>

#include <functional>
#include <memory>

namespace vek {

// The alignment index of a hint: left (0) when a Latin letter, A to Z or a to z, is among its
// first ten characters; otherwise right, read right to left (1), the rule for Arabic. 2 is the
// centre, which no hint chooses. Characters are counted, not UTF-8 bytes.
inline constexpr int kHintLeft = 0;
inline constexpr int kHintRight = 1;
inline constexpr int kHintCentre = 2;
int HintAlignmentIndex(const QString& text);

// Upper bound of the corner radius, and the distance a hint keeps from the screen's right and
// bottom edges.
inline constexpr int kHintMaxRadius = 15;
inline constexpr int kHintScreenMargin = 15;

// The shape of a hint around text of the measured size: the box is 8 wider and 4 taller than
// the text; the text rectangle sits 4 pixels further left for right alignment (1 for the
// centre); the radius is the smaller of 15 and a quarter of the box's smaller side, and the
// round shape grows by a quarter of the radius on every side. Both rectangles are moved so that
// the shape starts at (0, 0).
struct HintGeometry {
  QRect shape;
  QRect text;
  int radius = 0;
};
HintGeometry HintGeometryFor(QSize measuredText, int alignment);

// Where a hint of the given rectangle (at its wanted position) is shown on screen with the
// cursor at cursor: it ends at least 15 pixels inside the screen's right and bottom edges; one
// that would then cover the cursor goes above it (or left of it), 3 pixels clear; no
// coordinate falls before the screen's left or top.
QPoint PlaceHint(const QRect& hint, const QRect& screen, const QPoint& cursor);

class TQuvHintWindow : public QWidget {
  Q_OBJECT

 public:
  TQuvHintWindow();

  // Measures text in the hint font with word wrapping at maxWidth and returns the shape (from
  // (0, 0)); keeps the text rectangle and radius for painting.
  QRect CalcHintRect(int maxWidth, const QString& text);
  // Sets the alignment from the text, sizes the window, places it near pos (the cursor at
  // cursor) inside the screen under the cursor, and shows it in front without activating it.
  void ActivateHint(const QPoint& pos, const QString& text, const QPoint& cursor);

  const QString& Text() const { return text_; }
  int Alignment() const { return alignment_; }
  int Radius() const { return geometry_.radius; }
  QRect TextRect() const { return geometry_.text; }
  // The flags the text is drawn with.
  int TextFlags() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  int alignment_ = kHintLeft;
  HintGeometry geometry_;
};

// Takes every tool-tip event of the application and shows it in one TQuvHintWindow: at once
// (the application's hints wake after 1 ms, and within 100 ms of the last one the next follows),
// hidden after 2000 ms, when the mouse leaves the hinted widget or on a press or key. While
// enabled() answers false no hint shows at all.
class BalloonHints : public QObject {
  Q_OBJECT

 public:
  explicit BalloonHints(std::function<bool()> enabled);
  ~BalloonHints() override;

  // Shows text as a balloon at the cursor position cursor (when the hints are enabled).
  void ShowHint(const QString& text, const QPoint& cursor);
  void HideHint();
  TQuvHintWindow& Window() { return *window_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  std::function<bool()> enabled_;
  std::unique_ptr<TQuvHintWindow> window_;
  QPointer<QWidget> hinted_;
  QBasicTimer hideTimer_;
};

// Installs the balloon hints for the application: its style wakes hints after 1 ms and lets the
// next follow within 100 ms, and the returned object shows them until it is destroyed.
std::unique_ptr<BalloonHints> InstallQuvHintWindow(std::function<bool()> enabled);

}  // namespace vek
