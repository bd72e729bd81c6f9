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
