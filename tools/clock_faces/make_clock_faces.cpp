// Draws the analogue clock's face pictures, run by the build:
//   vek_make_clock_faces <output folder>
// writes one 140 x 140 BMP per face of the face table (its base name + ".BMP") and NONE140.BMP,
// the bare clock as the face chooser shows it. Faces whose marks the clock draws itself get none
// in the picture and keep the mark ring free; the others carry their own hour marks and minute
// ticks. Every face is drawn at four times its size and scaled down, for smooth edges and text.
#include <QBrush>
#include <QColor>
#include <QConicalGradient>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QRadialGradient>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <string>

#include "resources/clock_face.h"

namespace {

constexpr int kScale = 4;
constexpr int kSide = vek::kFacePicturePixels * kScale;
constexpr double kR = kSide / 2.0;  // the dial's radius in drawing pixels
// The colour outside the dial, where the clock shows its own background instead.
const QColor kCorner(0xF0, 0xF0, 0xF0);

// Lengths are given in fractions of the radius, line widths in pixels of the finished picture.
double Px(double finishedPixels) {
  return finishedPixels * kScale;
}

QPointF Polar(double r, double degreesFromTwelve) {
  const double a = degreesFromTwelve * std::numbers::pi / 180.0;
  return {r * kR * std::sin(a), -r * kR * std::cos(a)};
}

QRectF Square(double r) {
  return {-r * kR, -r * kR, 2 * r * kR, 2 * r * kR};
}

void Disc(QPainter& p, double r, const QBrush& brush) {
  p.setPen(Qt::NoPen);
  p.setBrush(brush);
  p.drawEllipse(Square(r));
}

void Circle(QPainter& p, double r, const QColor& color, double width) {
  p.setPen(QPen(color, Px(width)));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(Square(r));
}

void Ring(QPainter& p, double outer, double inner, const QBrush& brush) {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  path.addEllipse(Square(outer));
  path.addEllipse(Square(inner));
  p.fillPath(path, brush);
}

// Light from the top left: light, mid and dark along the diagonal.
QBrush Diagonal(const QColor& light, const QColor& mid, const QColor& dark, bool reversed = false) {
  QLinearGradient g(-kR, -kR, kR, kR);
  g.setColorAt(reversed ? 1 : 0, light);
  g.setColorAt(0.5, mid);
  g.setColorAt(reversed ? 0 : 1, dark);
  return g;
}

QBrush Radial(const QColor& centre, const QColor& edge, double radius, QPointF focus = {}) {
  QRadialGradient g(QPointF(), radius * kR, focus * kR);
  g.setColorAt(0, centre);
  g.setColorAt(1, edge);
  return g;
}

// A bevelled bezel from the picture's edge to the dial at kBezelInner: an outer band lit from
// the top left and a narrow inner chamfer lit from the bottom right.
void Bezel(QPainter& p, const QColor& light, const QColor& mid, const QColor& dark) {
  p.fillRect(QRectF(-kR, -kR, kSide, kSide), kCorner);
  // A little past the edge, so that the clock's round cut never meets the corner colour.
  Disc(p, 1.03, Diagonal(light, mid, dark));
  Ring(p, 0.965, vek::kBezelInner, Diagonal(light, mid, dark, true));
  Circle(p, 0.965, QColor(0, 0, 0, 40), 0.6);
  Circle(p, 0.99, QColor(255, 255, 255, 70), 0.5);
}

// A soft shadow on the dial just inside the bezel.
void InnerShadow(QPainter& p, int alpha) {
  QRadialGradient g(QPointF(), vek::kBezelInner * kR);
  g.setColorAt(0.0, QColor(0, 0, 0, 0));
  g.setColorAt(0.88, QColor(0, 0, 0, 0));
  g.setColorAt(1.0, QColor(0, 0, 0, alpha));
  Disc(p, vek::kBezelInner, g);
}

// Text centred on a point by its drawn outline, so that every numeral sits on its circle.
void CentredText(QPainter& p, const QString& text, const QFont& font, QPointF centre,
                 const QBrush& brush) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  path.translate(centre - path.boundingRect().center());
  p.fillPath(path, brush);
}

QString ArabicIndic(int n) {
  QString text = QString::number(n);
  for (QChar& c : text)
    c = QChar(static_cast<char16_t>(0x0660 + (c.unicode() - u'0')));
  return text;
}

QStringList HourNumerals(bool arabic) {
  QStringList list;
  for (int hour = 1; hour <= 12; ++hour)
    list << (arabic ? ArabicIndic(hour) : QString::number(hour));
  return list;
}

QFont Font(const char* family, double pixelFraction, bool bold) {
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(std::max(1, static_cast<int>(pixelFraction * kR)));
  font.setBold(bold);
  font.setStyleStrategy(QFont::PreferAntialias);
  font.setHintingPreference(QFont::PreferNoHinting);
  return font;
}

// A font whose digits are drawn heightFraction of the radius tall, measured on "2" or its
// Arabic-Indic twin, so that the Arabic and English twins of a face match in size.
QFont DigitFont(const char* family, double heightFraction, bool bold, bool arabic) {
  QFont probe = Font(family, 1.0, bold);
  QPainterPath path;
  path.addText(0, 0, probe, arabic ? ArabicIndic(2) : QStringLiteral("2"));
  const double drawn = path.boundingRect().height() / kR;
  return Font(family, heightFraction / drawn, bold);
}

// The hours' numerals upright on a circle; which: the hours to draw (1..12), all by default.
void Numerals(QPainter& p, const QStringList& numerals, const QFont& font, double r,
              const QBrush& brush, const QList<int>& which = {}) {
  for (int hour = 1; hour <= 12; ++hour) {
    if (!which.isEmpty() && !which.contains(hour))
      continue;
    CentredText(p, numerals[hour - 1], font, Polar(r, hour * 30.0), brush);
  }
}

// Ticks between two radii, one per minute (every 6 degrees) or per hour; hours: whether the
// ticks at the hours are drawn too.
void Ticks(QPainter& p, double inner, double outer, int step, double width, const QColor& color,
           bool hours = true, Qt::PenCapStyle cap = Qt::FlatCap) {
  p.setPen(QPen(color, Px(width), Qt::SolidLine, cap));
  for (int minute = 0; minute < 60; minute += step) {
    if (!hours && minute % 5 == 0)
      continue;
    p.drawLine(Polar(inner, minute * 6.0), Polar(outer, minute * 6.0));
  }
}

// The two rails and the minute ticks of a railway track.
void RailwayTrack(QPainter& p, double inner, double outer, const QColor& color) {
  Circle(p, inner, color, 0.55);
  Circle(p, outer, color, 0.7);
  Ticks(p, inner, outer, 1, 0.5, color);
}

// Shapes ---------------------------------------------------------------------------------------

// A polygon of points given in (radius fraction, degrees) around the hour's angle.
void FillAtAngle(QPainter& p, double degrees, const QPainterPath& upright, const QBrush& brush,
                 const QPen& pen = Qt::NoPen) {
  p.save();
  p.rotate(degrees);
  p.setPen(pen);
  p.setBrush(brush);
  p.drawPath(upright);
  p.restore();
}

QPainterPath Baton(double inner, double outer, double width) {
  QPainterPath path;
  path.addRoundedRect(QRectF(-Px(width) / 2, -outer * kR, Px(width), (outer - inner) * kR), Px(0.4),
                      Px(0.4));
  return path;
}

QPainterPath Triangle(double inner, double outer, double width) {
  QPainterPath path;
  path.moveTo(-Px(width) / 2, -outer * kR);
  path.lineTo(Px(width) / 2, -outer * kR);
  path.lineTo(0, -inner * kR);
  path.closeSubpath();
  return path;
}

QPainterPath Diamond(double r, double length, double width) {
  QPainterPath path;
  path.moveTo(0, -(r + length / 2) * kR);
  path.lineTo(Px(width) / 2, -r * kR);
  path.lineTo(0, -(r - length / 2) * kR);
  path.lineTo(-Px(width) / 2, -r * kR);
  path.closeSubpath();
  return path;
}

// The same marks as the clock draws itself, for the bare clock's picture.
void ClockMarks(QPainter& p, const QColor& color) {
  Ticks(p, vek::kMinuteTickInner, vek::kMarkOuter, 1, 0.8, color, false);
  Ticks(p, vek::kHourMarkInner, vek::kMarkOuter, 5, 2.4, color);
}

// A deterministic scatter of faint spots, for an aged dial.
void Foxing(QPainter& p, double radius, const QColor& color, int count, std::uint32_t seed) {
  std::uint32_t state = seed;
  const auto next = [&state] {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / static_cast<double>(1u << 24);
  };
  p.setPen(Qt::NoPen);
  for (int i = 0; i < count; ++i) {
    const double r = radius * std::sqrt(next());
    const double a = 360.0 * next();
    const double size = Px(0.3 + 1.6 * next() * next());
    QColor c = color;
    c.setAlpha(static_cast<int>(10 + 30 * next()));
    p.setBrush(c);
    p.drawEllipse(Polar(r, a), size, size);
  }
}

// Faces ----------------------------------------------------------------------------------------

struct FaceStyle {
  bool arabic;      // Arabic-Indic numerals
  bool marksDrawn;  // the clock draws the marks, so the picture has none
};

// Tovarelin: a quiet modern dial with four numerals and a fine inner ring.
void Tovarelin(QPainter& p, bool dark) {
  if (dark)
    Bezel(p, QColor(0x7A, 0x80, 0x8A), QColor(0x3D, 0x42, 0x4A), QColor(0x17, 0x1A, 0x1F));
  else
    Bezel(p, QColor(0xFB, 0xFC, 0xFD), QColor(0xC9, 0xCD, 0xD3), QColor(0x8E, 0x94, 0x9C));
  const QColor centre = dark ? QColor(0x3B, 0x45, 0x55) : QColor(0xFF, 0xFF, 0xFF);
  const QColor edge = dark ? QColor(0x19, 0x1E, 0x27) : QColor(0xE2, 0xE6, 0xEC);
  Disc(p, vek::kBezelInner, Radial(centre, edge, vek::kBezelInner, {-0.15, -0.2}));
  InnerShadow(p, dark ? 110 : 55);
  const QColor accent = dark ? QColor(0x6F, 0xC2, 0xB8) : QColor(0x3E, 0x8E, 0x86);
  Circle(p, 0.70, accent, 0.7);
  Circle(p, 0.16, dark ? QColor(255, 255, 255, 40) : QColor(0, 0, 0, 30), 0.5);
  const QColor ink = dark ? QColor(0xE4, 0xE9, 0xF0) : QColor(0x46, 0x4F, 0x5B);
  const QFont font = Font("Noto Sans", 0.22, false);
  for (int hour : {12, 3, 6, 9})
    CentredText(p, QString::number(hour), font, Polar(0.55, hour * 30.0), ink);
}

// Roman: ivory enamel, black Roman numerals turned towards the centre, a railway minute track
// and a black bezel with a gold edge.
void Roman(QPainter& p) {
  Bezel(p, QColor(0x5A, 0x5A, 0x5E), QColor(0x24, 0x24, 0x27), QColor(0x08, 0x08, 0x0A));
  Circle(p, 0.945, QColor(0xD9, 0xB8, 0x6A), 0.8);
  Disc(p, vek::kBezelInner - 0.02,
       Radial(QColor(0xFF, 0xFB, 0xF0), QColor(0xEC, 0xE2, 0xCB), 0.91, {-0.1, -0.15}));
  InnerShadow(p, 45);
  const QColor ink(0x1C, 0x1A, 0x18);
  RailwayTrack(p, 0.83, 0.89, ink);
  Circle(p, 0.47, QColor(0x1C, 0x1A, 0x18, 120), 0.5);
  static const char* const kRoman[] = {"I",   "II",   "III", "IV", "V",  "VI",
                                       "VII", "VIII", "IX",  "X",  "XI", "XII"};
  const QFont font = Font("Liberation Serif", 0.21, false);
  for (int hour = 1; hour <= 12; ++hour) {
    p.save();
    p.rotate(hour * 30.0);
    QFont f = font;
    // The long numerals are narrowed a little, so that VIII does not crowd its neighbours.
    const QString text = QString::fromLatin1(kRoman[hour - 1]);
    if (text.size() >= 4)
      f.setStretch(80);
    else if (text.size() == 3)
      f.setStretch(90);
    CentredText(p, text, f, QPointF(0, -0.68 * kR), ink);
    p.restore();
  }
}

// Silver: a sunray-brushed silver dial with applied polished batons and fine minute ticks.
void Silver(QPainter& p) {
  Bezel(p, QColor(0xF7, 0xF8, 0xFA), QColor(0xAE, 0xB4, 0xBC), QColor(0x5E, 0x64, 0x6C));
  // Sun rays: a fine, uneven play of light round the centre under two broad reflections.
  QConicalGradient rays(QPointF(), 90);
  std::uint32_t state = 5;
  for (int i = 0; i <= 180; ++i) {
    state = state * 1664525u + 1013904223u;
    const double broad = 0.5 + 0.5 * std::cos(4 * std::numbers::pi * i / 180.0);
    const int shade = static_cast<int>(0xC6 + 0x26 * broad + ((state >> 24) % 12)) - 6;
    rays.setColorAt(i / 180.0, QColor(shade, shade + 2, std::min(255, shade + 5)));
  }
  Disc(p, vek::kBezelInner, rays);
  Disc(p, vek::kBezelInner,
       Radial(QColor(255, 255, 255, 120), QColor(255, 255, 255, 0), 0.9, {-0.25, -0.3}));
  InnerShadow(p, 70);
  Ticks(p, 0.86, 0.90, 1, 0.55, QColor(0x3A, 0x40, 0x48), false);
  QLinearGradient polish(-Px(1.6), 0, Px(1.6), 0);
  polish.setColorAt(0, QColor(0xFF, 0xFF, 0xFF));
  polish.setColorAt(0.5, QColor(0xB8, 0xBE, 0xC6));
  polish.setColorAt(1, QColor(0x80, 0x87, 0x90));
  const QPen edge(QColor(0x40, 0x46, 0x4E), Px(0.35));
  for (int hour = 1; hour <= 12; ++hour) {
    const double degrees = hour * 30.0;
    if (hour == 12) {
      for (double offset : {-1.9, 1.9}) {
        QPainterPath baton = Baton(0.66, 0.89, 2.6);
        baton.translate(Px(offset), 0);
        FillAtAngle(p, degrees, baton, polish, edge);
      }
    } else {
      const double inner = hour % 3 == 0 ? 0.66 : 0.72;
      FillAtAngle(p, degrees, Baton(inner, 0.89, 3.0), polish, edge);
    }
  }
  Circle(p, 0.10, QColor(0x70, 0x77, 0x80, 90), 0.5);
}

// Normal: the plain office clock, white dial and graphite bezel, twelve numerals.
void Normal(QPainter& p, const FaceStyle& style) {
  Bezel(p, QColor(0x8C, 0x91, 0x99), QColor(0x4A, 0x4E, 0x55), QColor(0x22, 0x24, 0x28));
  Disc(p, vek::kBezelInner,
       Radial(QColor(0xFF, 0xFF, 0xFF), QColor(0xEE, 0xEF, 0xF1), vek::kBezelInner));
  InnerShadow(p, 60);
  const QFont font = style.arabic ? DigitFont("Noto Sans Arabic", 0.155, true, true)
                                  : DigitFont("Liberation Sans", 0.145, true, false);
  Numerals(p, HourNumerals(style.arabic), font, 0.585, QColor(0x1E, 0x1F, 0x22));
}

// Brass: a polished brass bezel, a champagne dial and brown serif numerals.
void Brass(QPainter& p, const FaceStyle& style) {
  Bezel(p, QColor(0xFB, 0xEC, 0xAE), QColor(0xC9, 0x9E, 0x45), QColor(0x7A, 0x56, 0x14));
  Disc(p, vek::kBezelInner,
       Radial(QColor(0xFF, 0xF9, 0xE8), QColor(0xEA, 0xD9, 0xAE), vek::kBezelInner, {-0.1, -0.2}));
  InnerShadow(p, 70);
  const QColor ink(0x4F, 0x36, 0x0E);
  if (!style.marksDrawn) {
    Circle(p, 0.895, ink, 0.5);
    Ticks(p, 0.855, 0.895, 1, 0.6, ink, false);
    for (int hour = 1; hour <= 12; ++hour)
      FillAtAngle(p, hour * 30.0, Triangle(0.80, 0.895, 3.6), QColor(0xA6, 0x7A, 0x22),
                  QPen(ink, Px(0.4)));
  }
  const QFont font = style.arabic ? DigitFont("Noto Naskh Arabic", 0.18, true, true)
                                  : DigitFont("Liberation Serif", 0.165, true, false);
  // Engraved: a light edge below each numeral.
  const QStringList numerals = HourNumerals(style.arabic);
  p.save();
  p.translate(0, Px(0.5));
  Numerals(p, numerals, font, 0.64, QColor(255, 255, 255, 150));
  p.restore();
  Numerals(p, numerals, font, 0.64, ink);
}

// Old: aged parchment with foxing, sepia serif numerals, a railway track with diamonds at the
// hours and a dark bronze bezel.
void Old(QPainter& p, const FaceStyle& style) {
  Bezel(p, QColor(0xB0, 0x7C, 0x45), QColor(0x6E, 0x42, 0x1C), QColor(0x33, 0x1B, 0x08));
  QRadialGradient paper(QPointF(-0.1 * kR, -0.12 * kR), vek::kBezelInner * kR);
  paper.setColorAt(0.0, QColor(0xF6, 0xE8, 0xC4));
  paper.setColorAt(0.7, QColor(0xEA, 0xD4, 0xA0));
  paper.setColorAt(1.0, QColor(0xC9, 0xA8, 0x6A));
  Disc(p, vek::kBezelInner, paper);
  Foxing(p, vek::kBezelInner - 0.03, QColor(0x7A, 0x50, 0x20), 320, style.arabic ? 7u : 11u);
  InnerShadow(p, 90);
  const QColor ink(0x3A, 0x22, 0x10);
  if (!style.marksDrawn) {
    RailwayTrack(p, 0.835, 0.895, ink);
    for (int hour = 1; hour <= 12; ++hour)
      FillAtAngle(p, hour * 30.0, Diamond(0.865, 0.10, 2.8), ink);
  }
  Circle(p, 0.40, QColor(0x3A, 0x22, 0x10, 110), 0.5);
  Circle(p, 0.37, QColor(0x3A, 0x22, 0x10, 70), 0.4);
  const QFont font = style.arabic ? DigitFont("Noto Naskh Arabic", 0.17, false, true)
                                  : DigitFont("Noto Serif", 0.16, false, false);
  Numerals(p, HourNumerals(style.arabic), font, 0.65, ink);
}

// White: white on white, a soft pearl bezel, bold black numerals and fine grey ticks.
void White(QPainter& p, const FaceStyle& style) {
  Bezel(p, QColor(0xFF, 0xFF, 0xFF), QColor(0xEC, 0xEE, 0xF1), QColor(0xC4, 0xC8, 0xCE));
  Disc(p, vek::kBezelInner,
       Radial(QColor(0xFF, 0xFF, 0xFF), QColor(0xF5, 0xF6, 0xF8), vek::kBezelInner));
  InnerShadow(p, 40);
  if (!style.marksDrawn) {
    Ticks(p, 0.86, 0.90, 1, 0.6, QColor(0x9A, 0xA0, 0xA8), false);
    Ticks(p, 0.81, 0.90, 5, 2.2, QColor(0x1A, 0x1A, 0x1A));
  }
  const QFont font = style.arabic ? DigitFont("Noto Sans Arabic", 0.18, true, true)
                                  : DigitFont("Liberation Sans", 0.17, true, false);
  Numerals(p, HourNumerals(style.arabic), font, 0.63, QColor(0x14, 0x14, 0x14));
}

// Black: a deep black dial, glossy black bezel, white numerals and marks.
void Black(QPainter& p, const FaceStyle& style) {
  Bezel(p, QColor(0x70, 0x70, 0x74), QColor(0x24, 0x24, 0x26), QColor(0x05, 0x05, 0x06));
  Disc(p, vek::kBezelInner,
       Radial(QColor(0x2E, 0x30, 0x33), QColor(0x0B, 0x0B, 0x0C), vek::kBezelInner, {-0.1, -0.2}));
  InnerShadow(p, 140);
  if (!style.marksDrawn) {
    Ticks(p, 0.86, 0.90, 1, 0.6, QColor(0x8C, 0x8F, 0x94), false);
    Ticks(p, 0.81, 0.90, 5, 2.2, QColor(0xF4, 0xF4, 0xF4));
  }
  const QFont font = style.arabic ? DigitFont("Noto Sans Arabic", 0.18, true, true)
                                  : DigitFont("Liberation Sans", 0.17, true, false);
  Numerals(p, HourNumerals(style.arabic), font, 0.63, QColor(0xF4, 0xF4, 0xF4));
}

// Coloured: each hour on a disc of its own colour round the wheel, under a rainbow bezel.
void Coloured(QPainter& p, const FaceStyle& style) {
  p.fillRect(QRectF(-kR, -kR, kSide, kSide), kCorner);
  QConicalGradient wheel(QPointF(), 90);
  for (int i = 0; i <= 12; ++i)
    wheel.setColorAt(i / 12.0, QColor::fromHsvF((i % 12) / 12.0, 0.55, 0.92));
  Disc(p, 1.03, wheel);
  Disc(p, 1.03,
       Diagonal(QColor(255, 255, 255, 110), QColor(255, 255, 255, 0), QColor(0, 0, 0, 60)));
  Ring(p, 0.965, vek::kBezelInner, QColor(255, 255, 255, 200));
  Disc(p, vek::kBezelInner,
       Radial(QColor(0xFF, 0xFE, 0xFA), QColor(0xF3, 0xF0, 0xE8), vek::kBezelInner));
  InnerShadow(p, 40);
  if (!style.marksDrawn)
    Ticks(p, 0.885, 0.915, 1, 0.6, QColor(0x8A, 0x86, 0x80), false, Qt::RoundCap);
  const QFont font = style.arabic ? DigitFont("Noto Sans Arabic", 0.125, true, true)
                                  : DigitFont("Liberation Sans", 0.12, true, false);
  const QStringList numerals = HourNumerals(style.arabic);
  for (int hour = 1; hour <= 12; ++hour) {
    // Clockwise from 12 round the colour wheel, the disc's colour under the bezel's.
    const QColor colour = QColor::fromHsvF(hour % 12 / 12.0, 0.70, 0.86);
    const QPointF centre = Polar(0.735, hour * 30.0);
    p.setPen(QPen(colour.darker(130), Px(0.4)));
    QRadialGradient g(centre + QPointF(-Px(2), -Px(2)), 0.16 * kR);
    g.setColorAt(0, colour.lighter(125));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.drawEllipse(centre, 0.125 * kR, 0.125 * kR);
    CentredText(p, numerals[hour - 1], font, centre, Qt::white);
  }
}

// The bare clock: the window's colour with the clock's own marks.
void Bare(QPainter& p) {
  p.fillRect(QRectF(-kR, -kR, kSide, kSide), kCorner);
  ClockMarks(p, QColor(0x30, 0x36, 0x40));
}

QImage DrawFace(const QString& baseName, const FaceStyle& style) {
  QImage big(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
  big.fill(kCorner);
  QPainter p(&big);
  p.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                   QPainter::SmoothPixmapTransform);
  p.translate(kR, kR);
  if (baseName.startsWith(QLatin1String("WENQ")))
    Tovarelin(p, baseName == QLatin1String("WENQ140"));
  else if (baseName == QLatin1String("ROM140"))
    Roman(p);
  else if (baseName == QLatin1String("SILVR140"))
    Silver(p);
  else if (baseName.mid(1).startsWith(QLatin1String("NRM")))
    Normal(p, style);
  else if (baseName.mid(1).startsWith(QLatin1String("BRS")))
    Brass(p, style);
  else if (baseName.mid(1).startsWith(QLatin1String("OLD")))
    Old(p, style);
  else if (baseName.mid(1).startsWith(QLatin1String("WHIT")))
    White(p, style);
  else if (baseName.mid(1).startsWith(QLatin1String("BLK")))
    Black(p, style);
  else if (baseName.mid(1).startsWith(QLatin1String("COL")))
    Coloured(p, style);
  else
    Bare(p);
  p.end();
  return big
      .scaled(vek::kFacePicturePixels, vek::kFacePicturePixels, Qt::IgnoreAspectRatio,
              Qt::SmoothTransformation)
      .convertToFormat(QImage::Format_RGB32);
}

bool Save(const QImage& image, const QDir& dir, const QString& baseName) {
  const QString path = dir.filePath(baseName + QLatin1String(".BMP"));
  if (!image.save(path, "BMP")) {
    std::fprintf(stderr, "vek_make_clock_faces: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "vek_make_clock_faces: cannot create %s\n", argv[1]);
    return 1;
  }
  bool ok = true;
  for (const vek::ClockFaceRow& face : vek::kClockFaces) {
    if (face.baseName.empty())
      continue;
    const QString name =
        QString::fromLatin1(face.baseName.data(), static_cast<qsizetype>(face.baseName.size()));
    const FaceStyle style{name.startsWith(QLatin1Char('A')), face.marksDrawn};
    ok = Save(DrawFace(name, style), dir, name) && ok;
  }
  const QString bare = QString::fromLatin1(vek::kNoFacePictureName.data(),
                                           static_cast<qsizetype>(vek::kNoFacePictureName.size()));
  ok = Save(DrawFace(bare, {false, true}), dir, bare) && ok;
  return ok ? 0 : 1;
}
