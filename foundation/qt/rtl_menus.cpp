#include "foundation/qt/rtl_menus.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>
#include <QWidget>

#include "foundation/qt/joined_access_key_style.h"

namespace vek {

void SetMenuDirection(QMenu* menu, Qt::LayoutDirection direction) {
  if (menu == nullptr)
    return;
  menu->setLayoutDirection(direction);
  KeepAccessKeysJoined(menu);
  for (QAction* action : menu->actions())
    SetMenuDirection(action->menu(), direction);
}

void SetMenuDirection(QMenuBar* bar, Qt::LayoutDirection direction) {
  if (bar == nullptr)
    return;
  bar->setLayoutDirection(direction);
  KeepAccessKeysJoined(bar);
  for (QAction* action : bar->actions())
    SetMenuDirection(action->menu(), direction);
}

void CursorToActiveControl(QWidget* form) {
  if (form == nullptr)
    return;
  const QWidget* control = form->focusWidget();
  if (control == nullptr)
    return;
  QCursor::setPos(control->mapToGlobal(QPoint(control->width() / 2, control->height() / 2)));
}

}  // namespace vek
