// Menus that read right to left in Arabic, and the pointer put on the control to click next.
//
// A menu bar passes its direction to the menus it owns only while they have no direction of
// their own, and a menu without a parent (a tray menu) has none to inherit; so every menu and
// submenu is given its direction explicitly. Their captions' access keys leave Arabic words
// joined (joined_access_key_style.h).
#pragma once

#include <Qt>

class QMenu;
class QMenuBar;
class QWidget;

namespace vek {

// Gives the menu and every submenu under it the direction and access keys that keep Arabic words
// joined.
void SetMenuDirection(QMenu* menu, Qt::LayoutDirection direction);
// The same for the menu bar and every menu it shows.
void SetMenuDirection(QMenuBar* bar, Qt::LayoutDirection direction);

// Puts the mouse pointer on the centre of the form's active control (the widget with the
// focus). Nothing happens for a missing form or a form without an active control.
void CursorToActiveControl(QWidget* form);

}  // namespace vek
