#include "mainwin/program_icons.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>
#include <QRadialGradient>
#include <QString>
#include <QStringList>
#include <QTransform>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>

#include "foundation/qt/qt_strings.h"

namespace vek {

namespace {

// The sizes every icon is drawn at; the tray asks for 16 to 24, the window for about 32.
constexpr int kIconSizes[] = {16, 20, 22, 24, 32, 40, 48, 64, 128, 256};

// The program's colours: a night blue and a warm gold.
const QColor kNight(0x1b, 0x4a, 0x7a);
const QColor kNightDeep(0x0a, 0x22, 0x3f);
const QColor kGoldLight(0xf7, 0xdc, 0x8a);
const QColor kGold(0xe0, 0xb2, 0x4c);
const QColor kGoldDeep(0xa8, 0x7a, 0x22);
const QColor kInk(0x16, 0x34, 0x58);

// The kinds of drawn icons; a status icon is told apart by its status too.
enum class IconKind { Program, AzanOn, AzanOff, AlarmOn, AlarmOff, Close, Fix, Move, Status };

// The icons drawn so far. The window, the tray and the buttons set their icons again every
// minute or every day: each icon is drawn once and shared after, so that nothing is drawn or
// kept twice however long the program runs. The pixmaps must not outlive the application: the
// store is emptied when it ends (and never destroyed itself, so that an exit that skips the
// application's end destroys no pixmap after it).
std::map<int, QIcon>& DrawnIcons() {
  static auto* icons = new std::map<int, QIcon>;
  return *icons;
}

void ForgetDrawnIcons() {
  DrawnIcons().clear();
}

// The icon of kind (status tells the status icons apart), drawn the first time by
// paint(painter, size) into a transparent square of every size.
template <class Paint>
QIcon DrawnIcon(IconKind kind, Paint paint, int status = 0) {
  std::map<int, QIcon>& icons = DrawnIcons();
  const int key = static_cast<int>(kind) * 256 + status;
  if (const auto found = icons.find(key); found != icons.end())
    return found->second;
  if (icons.empty())
    qAddPostRoutine(ForgetDrawnIcons);
  QIcon& icon = icons[key];
  for (int size : kIconSizes) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter, static_cast<qreal>(size));
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

QPainterPath Circle(QPointF centre, qreal radius) {
  QPainterPath path;
  path.addEllipse(centre, radius, radius);
  return path;
}

// A crescent whose horns open to the upper right.
QPainterPath Crescent(QPointF centre, qreal radius) {
  const QPointF bite = centre + QPointF(radius * 0.40, -radius * 0.24);
  return Circle(centre, radius).subtracted(Circle(bite, radius * 0.80));
}

// A five-pointed star with its first point up.
QPainterPath Star(QPointF centre, qreal radius) {
  QPolygonF points;
  for (int i = 0; i < 10; ++i) {
    const qreal r = i % 2 == 0 ? radius : radius * 0.42;
    const qreal angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    points << centre + QPointF(r * std::cos(angle), r * std::sin(angle));
  }
  QPainterPath path;
  path.addPolygon(points);
  path.closeSubpath();
  return path;
}

// A mosque: a hall with an onion dome, two small domes and two minarets, in a box whose bottom
// edge is the ground. With doors, the arches of the door and windows are cut out.
QPainterPath Mosque(const QRectF& box, bool withDoors) {
  const auto at = [&box](qreal x, qreal y) {
    return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
  };
  const auto rect = [&at](qreal x1, qreal y1, qreal x2, qreal y2) {
    QPainterPath path;
    path.addRect(QRectF(at(x1, y1), at(x2, y2)));
    return path;
  };
  // A dome from x1 to x2 standing on y, its top at apexY; pointed when pointed is set.
  const auto dome = [&at](qreal x1, qreal x2, qreal y, qreal apexY, bool pointed) {
    const qreal mid = (x1 + x2) / 2;
    const qreal half = (x2 - x1) / 2;
    QPainterPath path(at(x1, y));
    if (pointed) {
      path.cubicTo(at(x1 - half * 0.25, y - (y - apexY) * 0.55),
                   at(mid - half * 0.35, apexY + (y - apexY) * 0.25), at(mid, apexY));
      path.cubicTo(at(mid + half * 0.35, apexY + (y - apexY) * 0.25),
                   at(x2 + half * 0.25, y - (y - apexY) * 0.55), at(x2, y));
    } else {
      path.cubicTo(at(x1, apexY), at(x2, apexY), at(x2, y));
    }
    path.closeSubpath();
    return path;
  };
  const auto minaret = [&](qreal x1, qreal x2) {
    const qreal mid = (x1 + x2) / 2;
    const qreal wide = (x2 - x1) * 0.35;
    QPainterPath path = rect(x1, 0.30, x2, 1.0);
    path = path.united(rect(x1 - wide, 0.42, x2 + wide, 0.46));
    path = path.united(rect(x1 + (x2 - x1) * 0.12, 0.24, x2 - (x2 - x1) * 0.12, 0.31));
    QPainterPath cone(at(x1 - wide * 0.3, 0.25));
    cone.lineTo(at(mid, 0.06));
    cone.lineTo(at(x2 + wide * 0.3, 0.25));
    cone.closeSubpath();
    return path.united(cone);
  };

  QPainterPath path = rect(0.17, 0.64, 0.83, 1.0);
  path = path.united(rect(0.33, 0.52, 0.67, 0.65));
  path = path.united(dome(0.31, 0.69, 0.53, 0.20, true));
  path = path.united(rect(0.494, 0.09, 0.506, 0.21));
  path = path.united(Circle(at(0.5, 0.135), box.width() * 0.018));
  path = path.united(dome(0.19, 0.33, 0.65, 0.52, false));
  path = path.united(dome(0.67, 0.81, 0.65, 0.52, false));
  path = path.united(minaret(0.045, 0.105));
  path = path.united(minaret(0.895, 0.955));

  if (withDoors) {
    const auto arch = [&](qreal x1, qreal x2, qreal top, qreal bottom) {
      QPainterPath cut = rect(x1, top + (x2 - x1) * 0.5, x2, bottom);
      return cut.united(dome(x1, x2, top + (x2 - x1) * 0.5 + 0.001, top, true));
    };
    path = path.subtracted(arch(0.455, 0.545, 0.78, 1.0));
    for (qreal x : {0.23, 0.33, 0.62, 0.72})
      path = path.subtracted(arch(x, x + 0.05, 0.74, 0.88));
  }
  return path;
}

// The emblem: a gold crescent and star on a night-blue disc; from 32 pixels on, a mosque stands
// at the bottom of the disc.
void PaintEmblem(QPainter& painter, const QRectF& square) {
  const qreal size = square.width();
  const QPointF centre = square.center();
  const qreal ring = std::max(1.0, size * 0.045);
  const qreal radius = size / 2 - std::max(0.5, size * 0.02);

  QRadialGradient sky(centre + QPointF(-radius * 0.3, -radius * 0.35), radius * 1.4);
  sky.setColorAt(0.0, kNight.lighter(125));
  sky.setColorAt(1.0, kNightDeep);
  painter.setPen(Qt::NoPen);
  painter.setBrush(sky);
  painter.drawEllipse(centre, radius, radius);

  QLinearGradient gold(square.topLeft(), square.bottomRight());
  gold.setColorAt(0.0, kGoldLight);
  gold.setColorAt(0.6, kGold);
  gold.setColorAt(1.0, kGoldDeep);

  const bool withMosque = size >= 32;
  const qreal unit = radius;
  QPointF moonCentre = centre + QPointF(-unit * 0.10, unit * 0.02);
  qreal moonRadius = unit * 0.60;
  QPointF starCentre = centre + QPointF(unit * 0.33, -unit * 0.22);
  qreal starRadius = unit * 0.24;
  if (withMosque) {
    moonCentre = centre + QPointF(-unit * 0.08, -unit * 0.30);
    moonRadius = unit * 0.40;
    starCentre = centre + QPointF(unit * 0.27, -unit * 0.44);
    starRadius = unit * 0.15;
  }
  painter.setBrush(gold);
  painter.drawPath(Crescent(moonCentre, moonRadius));
  painter.drawPath(Star(starCentre, starRadius));

  if (withMosque) {
    painter.save();
    painter.setClipPath(Circle(centre, radius - ring * 0.5));
    const QRectF box(centre.x() - unit * 0.78, centre.y() + unit * 0.02, unit * 1.56, unit * 0.84);
    painter.setBrush(gold);
    painter.drawPath(Mosque(box, size >= 64));
    painter.restore();
  }

  QPen pen(QBrush(gold), ring);
  painter.setPen(pen);
  painter.setBrush(Qt::NoBrush);
  painter.drawEllipse(centre, radius - ring / 2, radius - ring / 2);
}

struct StatusColours {
  QColor strong;
  QColor track;
  QColor edge;
};

StatusColours ColoursOf(StatusIcon icon) {
  switch (icon) {
    case StatusIcon::Green1:
    case StatusIcon::Green2:
    case StatusIcon::Green3:
      return {QColor(0x2f, 0xa8, 0x4f), QColor(0xd6, 0xf2, 0xdc), QColor(0x1b, 0x66, 0x30)};
    case StatusIcon::Yellow1:
    case StatusIcon::Yellow2:
    case StatusIcon::Yellow3:
      return {QColor(0xf2, 0xb7, 0x05), QColor(0xff, 0xf3, 0xc8), QColor(0x9a, 0x6a, 0x00)};
    case StatusIcon::Purple1:
    case StatusIcon::Purple2:
    case StatusIcon::Purple3:
      return {QColor(0x86, 0x4f, 0xc4), QColor(0xea, 0xde, 0xf7), QColor(0x4e, 0x27, 0x7e)};
    default:
      return {QColor(0xe0, 0x34, 0x34), QColor(0xfb, 0xd5, 0xd5), QColor(0x8c, 0x15, 0x15)};
  }
}

// 1, 2 or 3 for the coloured icons.
int StepOf(StatusIcon icon) {
  return (static_cast<int>(icon) - 1) % 3 + 1;
}

// The dial of a coloured status icon: a pale disc whose strong part grows clockwise from twelve
// o'clock by a third at each step.
void PaintDial(QPainter& painter, qreal size, StatusIcon icon) {
  const StatusColours colours = ColoursOf(icon);
  const int step = StepOf(icon);
  const QPointF centre(size / 2, size / 2);
  const qreal edge = std::max(1.0, size / 16);
  const qreal radius = size / 2 - 0.5;
  const qreal inner = radius - edge;
  const QRectF innerBox(centre.x() - inner, centre.y() - inner, 2 * inner, 2 * inner);

  painter.setPen(Qt::NoPen);
  painter.setBrush(colours.edge);
  painter.drawEllipse(centre, radius, radius);
  painter.setBrush(colours.track);
  painter.drawEllipse(centre, inner, inner);

  QLinearGradient strong(0, 0, 0, size);
  strong.setColorAt(0.0, colours.strong.lighter(118));
  strong.setColorAt(1.0, colours.strong.darker(108));
  painter.setBrush(strong);
  if (step == 3) {
    painter.drawEllipse(centre, inner, inner);
  } else {
    QPainterPath wedge(centre);
    wedge.arcTo(innerBox, 90, -120.0 * step);
    wedge.closeSubpath();
    painter.drawPath(wedge);
  }
  // A small hub where the wedge turns, as on a clock.
  if (size >= 20) {
    painter.setBrush(colours.edge);
    painter.drawEllipse(centre, size * 0.07, size * 0.07);
  }
}

// A speaker facing right in the unit square of the given size.
QPainterPath Speaker(qreal size) {
  const auto at = [size](qreal x, qreal y) { return QPointF(x * size, y * size); };
  QPainterPath path;
  path.moveTo(at(0.08, 0.37));
  path.lineTo(at(0.27, 0.37));
  path.lineTo(at(0.50, 0.15));
  path.lineTo(at(0.50, 0.85));
  path.lineTo(at(0.27, 0.63));
  path.lineTo(at(0.08, 0.63));
  path.closeSubpath();
  return path;
}

void PaintSpeaker(QPainter& painter, qreal size, const QColor& colour) {
  QLinearGradient body(0, 0, 0, size);
  body.setColorAt(0.0, colour.lighter(130));
  body.setColorAt(1.0, colour);
  QPen outline(colour.darker(130), std::max(1.0, size * 0.05));
  outline.setJoinStyle(Qt::RoundJoin);
  painter.setPen(outline);
  painter.setBrush(body);
  painter.drawPath(Speaker(size));
}

// The colour of the night sky at a height of the picture, 0 at the top, 1 at the horizon.
QLinearGradient EveningSky(qreal top, qreal horizon) {
  QLinearGradient sky(0, top, 0, horizon);
  sky.setColorAt(0.00, QColor(0x0b, 0x16, 0x33));
  sky.setColorAt(0.45, QColor(0x24, 0x35, 0x6e));
  sky.setColorAt(0.75, QColor(0x8a, 0x4f, 0x7d));
  sky.setColorAt(0.92, QColor(0xe5, 0x8d, 0x5a));
  sky.setColorAt(1.00, QColor(0xf6, 0xc7, 0x7d));
  return sky;
}

// A small deterministic random sequence, so that the stars stay where they are.
class StarField {
 public:
  qreal Next() {
    state_ = state_ * 1664525u + 1013904223u;
    return static_cast<qreal>(state_ >> 8) / static_cast<qreal>(1u << 24);
  }

 private:
  std::uint32_t state_ = 0x5eed1234u;
};

QFont NameFont(Language lang) {
  QFont font;
  if (lang == Language::Arabic)
    font.setFamilies({QStringLiteral("Noto Naskh Arabic"), QStringLiteral("Noto Sans Arabic"),
                      QStringLiteral("DejaVu Sans")});
  else
    font.setFamilies({QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif"),
                      QStringLiteral("Serif")});
  font.setBold(true);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

}  // namespace

QIcon StatusIconImage(StatusIcon icon) {
  if (icon == StatusIcon::Normal)
    return ProgramIcon();
  return DrawnIcon(
      IconKind::Status, [icon](QPainter& painter, qreal size) { PaintDial(painter, size, icon); },
      static_cast<int>(icon));
}

QIcon ProgramIcon() {
  return DrawnIcon(IconKind::Program, [](QPainter& painter, qreal size) {
    PaintEmblem(painter, QRectF(0, 0, size, size));
  });
}

QPixmap ProgramLogo(Language lang, QSize size) {
  QPixmap pixmap(size.expandedTo(QSize(1, 1)));
  pixmap.fill(Qt::transparent);
  const qreal width = pixmap.width();
  const qreal height = pixmap.height();
  const bool arabic = lang == Language::Arabic;
  const QString name = QString::fromUtf8(arabic ? "أوقات الصلاة" : "Zurivo Zazir");

  const qreal emblem = std::min(height, width * 0.3);
  const qreal gap = emblem * 0.22;
  const qreal room = std::max(1.0, width - emblem - gap);
  QFont font = NameFont(lang);
  qreal pixelSize = height * (arabic ? 0.50 : 0.52);
  font.setPixelSize(std::max(1, static_cast<int>(pixelSize)));
  QFontMetricsF metrics(font);
  while (metrics.horizontalAdvance(name) > room && font.pixelSize() > 6) {
    font.setPixelSize(font.pixelSize() - 1);
    metrics = QFontMetricsF(font);
  }
  const qreal textWidth = metrics.horizontalAdvance(name);
  const qreal total = emblem + gap + textWidth;
  const qreal left = (width - total) / 2;
  const qreal emblemLeft = arabic ? left + textWidth + gap : left;
  const qreal textLeft = arabic ? left : left + emblem + gap;

  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  PaintEmblem(painter, QRectF(emblemLeft, (height - emblem) / 2, emblem, emblem));

  // The name sits on the middle line, with a gold rule under it.
  const qreal baseline = height / 2 + (metrics.ascent() - metrics.descent()) / 2 - height * 0.04;
  painter.setFont(font);
  painter.setPen(kInk);
  painter.setLayoutDirection(LayoutDirectionOf(lang));
  const QRectF textBox(textLeft, baseline - metrics.ascent(), textWidth + 1,
                       metrics.ascent() + metrics.descent());
  painter.drawText(textBox, Qt::AlignCenter | Qt::TextSingleLine, name);

  const qreal ruleY = std::min(height - 1.5, baseline + metrics.descent() * 0.6 + height * 0.05);
  QLinearGradient rule(textLeft, 0, textLeft + textWidth, 0);
  QColor clear = kGold;
  clear.setAlpha(0);
  rule.setColorAt(0.0, arabic ? clear : kGold);
  rule.setColorAt(1.0, arabic ? kGold : clear);
  painter.setPen(QPen(QBrush(rule), std::max(1.0, height * 0.035), Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(textLeft, ruleY), QPointF(textLeft + textWidth, ruleY));
  return pixmap;
}

QIcon AzanOnImage() {
  return DrawnIcon(IconKind::AzanOn, [](QPainter& painter, qreal size) {
    PaintSpeaker(painter, size, kNight);
    QPen wave(QColor(0x2f, 0xa8, 0x4f), std::max(1.2, size * 0.075), Qt::SolidLine, Qt::RoundCap);
    painter.setPen(wave);
    painter.setBrush(Qt::NoBrush);
    const QPointF centre(size * 0.50, size * 0.50);
    for (qreal r : {0.17, 0.31}) {
      const qreal radius = r * size;
      painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius),
                      -45 * 16, 90 * 16);
    }
  });
}

QIcon AzanOffImage() {
  return DrawnIcon(IconKind::AzanOff, [](QPainter& painter, qreal size) {
    PaintSpeaker(painter, size, QColor(0x6b, 0x74, 0x80));
    QPen cross(QColor(0xd6, 0x2c, 0x2c), std::max(1.4, size * 0.085), Qt::SolidLine, Qt::RoundCap);
    painter.setPen(cross);
    const qreal x1 = size * 0.60, x2 = size * 0.94, y1 = size * 0.33, y2 = size * 0.67;
    painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    painter.drawLine(QPointF(x1, y2), QPointF(x2, y1));
  });
}

namespace {

// A bell in the given colour: the glyph of the alarm button.
void PaintBell(QPainter& painter, qreal size, const QColor& color) {
  const auto at = [size](qreal x, qreal y) { return QPointF(x * size, y * size); };
  QPainterPath bell;
  bell.moveTo(at(0.50, 0.14));
  bell.cubicTo(at(0.72, 0.14), at(0.74, 0.36), at(0.74, 0.52));
  bell.lineTo(at(0.84, 0.72));
  bell.lineTo(at(0.16, 0.72));
  bell.lineTo(at(0.26, 0.52));
  bell.cubicTo(at(0.26, 0.36), at(0.28, 0.14), at(0.50, 0.14));
  painter.setPen(QPen(color.darker(140), std::max(1.0, size * 0.04)));
  painter.setBrush(color);
  painter.drawPath(bell);
  painter.drawEllipse(at(0.50, 0.80), size * 0.07, size * 0.07);
}

}  // namespace

QIcon AlarmOnImage() {
  return DrawnIcon(IconKind::AlarmOn, [](QPainter& painter, qreal size) {
    PaintBell(painter, size, QColor(0xd9, 0xa4, 0x1e));
  });
}

QIcon AlarmOffImage() {
  return DrawnIcon(IconKind::AlarmOff, [](QPainter& painter, qreal size) {
    PaintBell(painter, size, QColor(0x8a, 0x91, 0x9a));
    painter.setPen(
        QPen(QColor(0xd6, 0x2c, 0x2c), std::max(1.4, size * 0.085), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(size * 0.14, size * 0.16), QPointF(size * 0.86, size * 0.84));
  });
}

QIcon CloseImage() {
  return DrawnIcon(IconKind::Close, [](QPainter& painter, qreal size) {
    const QPointF centre(size / 2, size / 2);
    const qreal radius = size / 2 - std::max(0.5, size * 0.04);
    QRadialGradient disc(centre + QPointF(-radius * 0.3, -radius * 0.35), radius * 1.4);
    disc.setColorAt(0.0, QColor(0xf0, 0x6a, 0x5a));
    disc.setColorAt(1.0, QColor(0xa8, 0x1c, 0x1c));
    painter.setPen(QPen(QColor(0x7a, 0x12, 0x12), std::max(1.0, size * 0.04)));
    painter.setBrush(disc);
    painter.drawEllipse(centre, radius, radius);
    painter.setPen(QPen(Qt::white, std::max(1.5, size * 0.11), Qt::SolidLine, Qt::RoundCap));
    const qreal arm = radius * 0.42;
    painter.drawLine(centre + QPointF(-arm, -arm), centre + QPointF(arm, arm));
    painter.drawLine(centre + QPointF(-arm, arm), centre + QPointF(arm, -arm));
  });
}

QIcon FixImage() {
  return DrawnIcon(IconKind::Fix, [](QPainter& painter, qreal size) {
    const auto at = [size](qreal x, qreal y) { return QPointF(x * size, y * size); };
    // The needle, then the head of the pin above it, leaning a little to the right.
    painter.setPen(
        QPen(QColor(0x55, 0x5c, 0x66), std::max(1.0, size * 0.07), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(at(0.46, 0.58), at(0.30, 0.94));
    QLinearGradient head(at(0.3, 0.05), at(0.8, 0.6));
    head.setColorAt(0.0, QColor(0xf0, 0x6a, 0x5a));
    head.setColorAt(1.0, QColor(0xa8, 0x1c, 0x1c));
    painter.setPen(QPen(QColor(0x7a, 0x12, 0x12), std::max(1.0, size * 0.04)));
    painter.setBrush(head);
    QPainterPath pin;
    pin.addEllipse(QRectF(at(0.36, 0.06), at(0.80, 0.40)));
    QPainterPath body(at(0.44, 0.30));
    body.lineTo(at(0.70, 0.36));
    body.lineTo(at(0.62, 0.58));
    body.lineTo(at(0.32, 0.52));
    body.closeSubpath();
    painter.drawPath(pin.united(body));
  });
}

QIcon MoveImage() {
  return DrawnIcon(IconKind::Move, [](QPainter& painter, qreal size) {
    const QPointF centre(size / 2, size / 2);
    // One arrow pointing up from the centre, turned to the four directions.
    QPainterPath arrow;
    arrow.moveTo(-0.07 * size, 0);
    arrow.lineTo(-0.07 * size, -0.26 * size);
    arrow.lineTo(-0.18 * size, -0.26 * size);
    arrow.lineTo(0, -0.47 * size);
    arrow.lineTo(0.18 * size, -0.26 * size);
    arrow.lineTo(0.07 * size, -0.26 * size);
    arrow.lineTo(0.07 * size, 0);
    arrow.closeSubpath();
    QPainterPath cross;
    for (int quarter = 0; quarter < 4; ++quarter) {
      QTransform turn;
      turn.rotate(90.0 * quarter);
      cross = cross.united(turn.map(arrow));
    }
    QLinearGradient body(0, -size / 2, 0, size / 2);
    body.setColorAt(0.0, kNight.lighter(140));
    body.setColorAt(1.0, kNight);
    painter.translate(centre);
    painter.setPen(
        QPen(kNightDeep, std::max(1.0, size * 0.04), Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.setBrush(body);
    painter.drawPath(cross);
  });
}

QPixmap SplashPicture(QSize size) {
  QPixmap pixmap(size.expandedTo(QSize(1, 1)));
  const qreal width = pixmap.width();
  const qreal height = pixmap.height();
  const qreal horizon = height * 0.80;
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);

  painter.fillRect(QRectF(0, 0, width, height), EveningSky(0, horizon));

  StarField stars;
  for (int i = 0; i < 70; ++i) {
    const qreal x = stars.Next() * width;
    const qreal y = stars.Next() * stars.Next() * horizon * 0.75;
    const qreal r = 0.4 + stars.Next() * 0.9;
    QColor light(255, 250, 235);
    light.setAlphaF(0.35 + 0.6 * (1 - y / horizon));
    painter.setBrush(light);
    painter.drawEllipse(QPointF(x, y), r, r);
  }

  // The crescent moon with its glow.
  const qreal moonRadius = std::min(width, height) * 0.11;
  const QPointF moon(width * 0.74, height * 0.20);
  QRadialGradient glow(moon, moonRadius * 3.2);
  glow.setColorAt(0.0, QColor(255, 240, 190, 90));
  glow.setColorAt(1.0, QColor(255, 240, 190, 0));
  painter.setBrush(glow);
  painter.drawEllipse(moon, moonRadius * 3.2, moonRadius * 3.2);
  painter.setBrush(QColor(0xff, 0xf1, 0xc1));
  painter.drawPath(Crescent(moon, moonRadius));

  // Far hills, then the mosque and the ground before them.
  QPainterPath hills(QPointF(0, horizon));
  hills.cubicTo(QPointF(width * 0.2, horizon - height * 0.10),
                QPointF(width * 0.35, horizon - height * 0.02),
                QPointF(width * 0.55, horizon - height * 0.07));
  hills.cubicTo(QPointF(width * 0.75, horizon - height * 0.12),
                QPointF(width * 0.9, horizon - height * 0.03),
                QPointF(width, horizon - height * 0.06));
  hills.lineTo(width, height);
  hills.lineTo(0, height);
  hills.closeSubpath();
  painter.setBrush(QColor(0x3a, 0x2c, 0x55));
  painter.drawPath(hills);

  const qreal mosqueWidth = width * 0.78;
  const QRectF mosqueBox((width - mosqueWidth) / 2, horizon - height * 0.56, mosqueWidth,
                         height * 0.56 + 1);
  const QColor silhouette(0x12, 0x14, 0x2c);
  painter.setBrush(silhouette);
  painter.drawPath(Mosque(mosqueBox, false));

  // Lamplight in the door and windows.
  QPainterPath lit = Mosque(mosqueBox, false).subtracted(Mosque(mosqueBox, true));
  QLinearGradient lamp(0, mosqueBox.top() + mosqueBox.height() * 0.74, 0, mosqueBox.bottom());
  lamp.setColorAt(0.0, QColor(0xff, 0xd8, 0x7a));
  lamp.setColorAt(1.0, QColor(0xe8, 0x9a, 0x3a));
  painter.setBrush(lamp);
  painter.drawPath(lit);

  QLinearGradient ground(0, horizon, 0, height);
  ground.setColorAt(0.0, QColor(0x1c, 0x1a, 0x35));
  ground.setColorAt(1.0, QColor(0x0c, 0x0c, 0x1c));
  painter.setBrush(ground);
  painter.drawRect(QRectF(0, horizon, width, height - horizon));
  return pixmap;
}

}  // namespace vek
