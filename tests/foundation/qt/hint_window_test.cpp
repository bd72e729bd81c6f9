// The balloon hints: the alignment rule, the shape and placement of a hint, the window itself,
// and the hints of the application's widgets.
#include "foundation/qt/hint_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolTip>

namespace vek {
namespace {

QString U(const char* utf8) {
  return QString::fromUtf8(utf8);
}

TEST(HintWindow, ALatinLetterAmongTheFirstTenCharactersMakesTheHintLeftAligned) {
  const struct {
    const char* text;
    int alignment;
  } cases[] = {
      {"Stop execution & exit", kHintLeft},
      {"إيقاف البرنامج والخروج", kHintRight},
      {"", kHintRight},
      {"12:30 - 13:45", kHintRight},  // no letter at all
      {"12:30    PM", kHintLeft},     // the letter is the tenth character
      // Ten Arabic characters, then English words: Arabic.
      {"الإيقافات Exit", kHintRight},
      // Six Arabic characters (twelve UTF-8 bytes) before the letter: characters are counted.
      {"أوقات A", kHintLeft},
      // Nine characters outside the basic plane (two UTF-16 units each) before the letter.
      {"😀😀😀😀😀😀😀😀😀A", kHintLeft},
      {"😀😀😀😀😀😀😀😀😀😀A", kHintRight},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.alignment, HintAlignmentIndex(U(c.text))) << c.text;
}

// The text's ink in a painted hint: the left and right columns and the lowest row that hold a
// dark pixel, away from the frame and its rounded corners.
struct Ink {
  int left = 1 << 20;
  int right = -1;
  int bottom = -1;
};
Ink InkOf(const QImage& image) {
  constexpr int kCorner = 8;
  Ink ink;
  for (int y = 2; y < image.height() - 2; ++y) {
    for (int x = 2; x < image.width() - 2; ++x) {
      if (image.pixelColor(x, y).lightness() >= 120)
        continue;
      const bool nearCorner = y < kCorner || y >= image.height() - kCorner;
      if (!nearCorner) {
        ink.left = std::min(ink.left, x);
        ink.right = std::max(ink.right, x);
      }
      if (x >= kCorner && x < image.width() - kCorner)
        ink.bottom = std::max(ink.bottom, y);
    }
  }
  return ink;
}

// Every line of a hint, Arabic or English, is drawn whole inside the frame, and a hint whose
// lines end in CR LF has no empty line at its bottom.
TEST(HintWindow, LinesAreDrawnWholeInsideTheFrame) {
  for (const char* text : {"تغيير لون العقارب\r\nالزر الأيسر: التالي\r\nالزر الأيمن: السابق",
                           "Change hands color\r\nLeft Mouse: Next\r\nRight Mouse: Previous"}) {
    SCOPED_TRACE(text);
    TQuvHintWindow hint;
    hint.ActivateHint(QPoint(40, 60), U(text), QPoint(40, 40));
    const QImage image = hint.grab().toImage();
    const Ink ink = InkOf(image);
    const int lineHeight = QFontMetrics(hint.font()).height();
    EXPECT_GE(ink.left, 3);
    EXPECT_LE(ink.right, image.width() - 4);
    EXPECT_GT(ink.bottom, image.height() - lineHeight) << "an empty last line";
    hint.hide();
  }
}

TEST(HintWindow, ShapeAroundTheMeasuredText) {
  const HintGeometry left = HintGeometryFor(QSize(100, 20), kHintLeft);
  EXPECT_EQ(6, left.radius);  // a quarter of the 24-pixel height
  EXPECT_EQ(QRect(0, 0, 110, 26), left.shape);
  EXPECT_EQ(QRect(1, 1, 108, 24), left.text);
  const HintGeometry right = HintGeometryFor(QSize(100, 20), kHintRight);
  EXPECT_EQ(QRect(-3, 1, 108, 24), right.text);
  EXPECT_EQ(QRect(0, 0, 110, 26), right.shape);
  const HintGeometry big = HintGeometryFor(QSize(300, 200), kHintLeft);
  EXPECT_EQ(kHintMaxRadius, big.radius);
  EXPECT_EQ(QRect(0, 0, 308 + 6, 204 + 6), big.shape);
}

TEST(HintWindow, PlacementStaysInsideTheScreenAndOffTheCursor) {
  const QRect screen(0, 0, 1000, 800);
  // Room enough: where it was asked.
  EXPECT_EQ(QPoint(100, 120), PlaceHint(QRect(100, 120, 200, 50), screen, QPoint(100, 100)));
  // Near the bottom-right corner: 15 pixels inside, above and left of the cursor.
  for (const QPoint cursor : {QPoint(990, 790), QPoint(900, 780), QPoint(500, 790)}) {
    const QRect hint(cursor + QPoint(0, 20), QSize(200, 50));
    const QRect placed(PlaceHint(hint, screen, cursor), hint.size());
    EXPECT_LE(placed.left() + placed.width(), 1000 - kHintScreenMargin) << cursor.x();
    EXPECT_LE(placed.top() + placed.height(), 800 - kHintScreenMargin);
    EXPECT_FALSE(placed.contains(cursor)) << cursor.x() << "," << cursor.y();
    EXPECT_GE(placed.left(), 0);
  }
  // Wider than the screen: it starts at the screen's left edge.
  EXPECT_EQ(0, PlaceHint(QRect(50, 10, 1200, 40), screen, QPoint(50, 500)).x());
  // A second screen to the right: the limits are its own.
  const QRect second(1000, 0, 800, 600);
  const QPoint at = PlaceHint(QRect(1750, 580, 100, 40), second, QPoint(1750, 560));
  EXPECT_LE(at.x() + 100, 1800 - kHintScreenMargin);
  EXPECT_GE(at.x(), 1000);
}

TEST(HintWindow, ShownRoundedWithoutActivationAndByLanguage) {
  TQuvHintWindow window;
  window.ActivateHint(QPoint(20, 40), U("اقترب وقت أذان الظهر\r\nالسطر الثاني"), QPoint(20, 20));
  EXPECT_TRUE(window.isVisible());
  EXPECT_FALSE(window.isActiveWindow());
  EXPECT_TRUE(window.testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_EQ(kHintRight, window.Alignment());
  EXPECT_TRUE(window.TextFlags() & Qt::AlignRight);
  EXPECT_EQ(Qt::RightToLeft, window.layoutDirection());
  EXPECT_FALSE(window.Text().contains('\r'));  // CR LF is one line break
  // The corners outside the rounded box are not part of the window: what is beneath shows.
  const QRegion mask = window.mask();
  EXPECT_FALSE(mask.contains(QPoint(0, 0)));
  EXPECT_FALSE(mask.contains(QPoint(window.width() - 1, window.height() - 1)));
  EXPECT_TRUE(mask.contains(QPoint(window.width() / 2, window.height() / 2)));
  EXPECT_TRUE(mask.contains(QPoint(window.width() / 2, 0)));

  window.ActivateHint(QPoint(20, 40), U("Time is nearing Zuhr Azhan"), QPoint(20, 20));
  EXPECT_EQ(kHintLeft, window.Alignment());
  EXPECT_TRUE(window.TextFlags() & Qt::AlignLeft);
  EXPECT_EQ(Qt::LeftToRight, window.layoutDirection());
  EXPECT_GT(window.Radius(), 0);
}

// A tool-tip event as the application sends it when the mouse rests on a widget.
bool SendToolTip(QWidget& widget) {
  QHelpEvent event(QEvent::ToolTip, QPoint(5, 5), widget.mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(&widget, &event);
  return event.isAccepted();
}

TEST(HintWindow, ToolTipsArriveAsBalloonsUnlessTheFlyingHelpIsOff) {
  bool flyingHelp = true;
  std::unique_ptr<BalloonHints> hints = InstallQuvHintWindow([&] { return flyingHelp; });
  EXPECT_EQ(1, QApplication::style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay));
  EXPECT_EQ(100, QApplication::style()->styleHint(QStyle::SH_ToolTip_FallAsleepDelay));

  QWidget form;
  auto* button = new QPushButton("Exit", &form);
  button->setToolTip("Stop execution & exit to windows");
  auto* plain = new QLabel("no tip", &form);
  plain->move(0, 40);
  form.setToolTip(U("تلميح النافذة"));
  form.show();

  EXPECT_TRUE(SendToolTip(*button));
  EXPECT_TRUE(hints->Window().isVisible());
  EXPECT_EQ("Stop execution & exit to windows", hints->Window().Text());
  EXPECT_FALSE(QToolTip::isVisible());

  // A widget without a tip of its own shows its parent's.
  SendToolTip(*plain);
  EXPECT_EQ(U("تلميح النافذة"), hints->Window().Text());
  EXPECT_EQ(kHintRight, hints->Window().Alignment());

  // A press hides the balloon.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(button, &press);
  EXPECT_FALSE(hints->Window().isVisible());

  flyingHelp = false;
  SendToolTip(*button);
  EXPECT_FALSE(hints->Window().isVisible());
  EXPECT_FALSE(QToolTip::isVisible());
  hints->ShowHint("shown on request", QPoint(10, 10));
  EXPECT_FALSE(hints->Window().isVisible());

  flyingHelp = true;
  hints->ShowHint("shown on request", QPoint(10, 10));
  EXPECT_TRUE(hints->Window().isVisible());
  hints.reset();  // the application's own tool tips again
  SendToolTip(*button);
  EXPECT_TRUE(QToolTip::isVisible());
  QToolTip::hideText();
}

}  // namespace
}  // namespace vek
