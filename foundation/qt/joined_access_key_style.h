// Access keys that leave Arabic words joined. Qt underlines an access key by giving its letter a
// text format of its own, and a letter shaped apart from its neighbours loses its joining:
// "ال&برنامج" comes out as "الـ" + "ب" + "رنامج". This style draws a caption that has an access
// key and Arabic letters as plain text, and then underlines the key's letter itself, below the
// letter's dots. Every other caption is drawn as the style below it draws it.
//
// It covers what goes through QStyle::drawItemText (menu bar titles, buttons, labels) and the
// items of menus.
#pragma once

#include <QProxyStyle>

namespace vek {

class JoinedAccessKeyStyle : public QProxyStyle {
  Q_OBJECT

 public:
  // Over a fresh instance of the application's style.
  JoinedAccessKeyStyle();

  void drawItemText(QPainter* painter, const QRect& rect, int flags, const QPalette& palette,
                    bool enabled, const QString& text,
                    QPalette::ColorRole textRole = QPalette::NoRole) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget = nullptr) const override;
};

// Makes a JoinedAccessKeyStyle the application's style, so that every window's captions keep
// their Arabic words joined. Called once, after the QApplication is made.
void KeepAccessKeysJoinedEverywhere();

// Gives the widget the application's one JoinedAccessKeyStyle (made on first use, owned by the
// application). Its children keep their own style.
void KeepAccessKeysJoined(QWidget* widget);

}  // namespace vek
