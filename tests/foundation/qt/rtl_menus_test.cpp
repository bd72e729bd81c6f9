// Menus read right to left in Arabic, and the pointer goes to the control to click next.
#include "foundation/qt/rtl_menus.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "support/drawn_ink.h"

namespace vek {
namespace {

TEST(RtlMenus, EveryMenuAndSubmenuTakesTheDirection) {
  QMainWindow window;
  QMenu* file = window.menuBar()->addMenu("File");
  QMenu* sub = file->addMenu("Sub");
  QMenu* deeper = sub->addMenu("Deeper");
  QMenu tray;  // no parent to inherit from
  QMenu* traySub = tray.addMenu("Tray sub");

  SetMenuDirection(window.menuBar(), Qt::RightToLeft);
  SetMenuDirection(&tray, Qt::RightToLeft);
  for (QWidget* w :
       std::initializer_list<QWidget*>{window.menuBar(), file, sub, deeper, &tray, traySub})
    EXPECT_EQ(Qt::RightToLeft, w->layoutDirection());

  SetMenuDirection(window.menuBar(), Qt::LeftToRight);
  EXPECT_EQ(Qt::LeftToRight, deeper->layoutDirection());
  SetMenuDirection(static_cast<QMenu*>(nullptr), Qt::RightToLeft);  // nothing happens
}

// What a right-to-left menu bar and its menu draw for a caption: the bar's title and the
// menu's one item.
struct DrawnMenu {
  QImage bar;
  QImage menu;
};

DrawnMenu DrawMenu(const QString& caption) {
  QMainWindow window;
  QMenu* menu = window.menuBar()->addMenu(caption);
  menu->addAction(caption);
  SetMenuDirection(window.menuBar(), Qt::RightToLeft);
  window.resize(300, 100);
  window.show();
  menu->popup(QPoint(0, 0));
  DrawnMenu drawn{testing::Drawn(window.menuBar()), testing::Drawn(menu)};
  menu->hide();
  return drawn;
}

// An access key never breaks the joining of an Arabic word's letters: the caption is drawn as
// the word without the key, with the key's underline below one of its letters.
TEST(RtlMenus, AnAccessKeyKeepsTheArabicWordJoined) {
  const struct {
    const char* withKey;
    const char* plain;
  } cases[] = {
      {"ال&برنامج", "البرنامج"}, {"ال&موقع", "الموقع"},     {"الأ&صوات", "الأصوات"},
      {"الإن&ترنت", "الإنترنت"}, {"م&ساعدة", "مساعدة"},     {"&خيارات", "خيارات"},
      {"ت&صغير", "تصغير"},       {"إل&غاء", "إلغاء"},       {"&لا", "لا"},
      {"جدول &شهر", "جدول شهر"}, {"R&&D ب&حث", "R&&D بحث"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.withKey);
    const DrawnMenu withKey = DrawMenu(QString::fromUtf8(c.withKey));
    const DrawnMenu plain = DrawMenu(QString::fromUtf8(c.plain));
    EXPECT_TRUE(testing::OnlyAnUnderlineAdded(withKey.bar, plain.bar));
    EXPECT_TRUE(testing::OnlyAnUnderlineAdded(withKey.menu, plain.menu));
  }
}

TEST(RtlMenus, CursorGoesToTheCentreOfTheActiveControl) {
  QWidget form;
  auto* layout = new QVBoxLayout(&form);
  auto* edit = new QLineEdit;
  auto* button = new QPushButton("Next");
  layout->addWidget(edit);
  layout->addWidget(button);
  form.move(40, 30);
  form.show();
  button->setFocus();
  QCursor::setPos(0, 0);
  CursorToActiveControl(&form);
  EXPECT_EQ(button->mapToGlobal(QPoint(button->width() / 2, button->height() / 2)), QCursor::pos());

  QWidget empty;  // no active control: the pointer stays
  CursorToActiveControl(&empty);
  CursorToActiveControl(nullptr);
  EXPECT_EQ(button->mapToGlobal(QPoint(button->width() / 2, button->height() / 2)), QCursor::pos());
}

}  // namespace
}  // namespace vek
