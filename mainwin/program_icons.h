// The pictures of the main window, the tray, the alert window and the splash screen, all drawn
// by code: the thirteen status icons, the program icon, the program's logo in each language, the
// adhan on/off glyphs, the alert window's button glyphs and the splash screen's picture. Icons
// hold crisp renderings at the sizes the tray and the window ask for (16 to 256 pixels); each
// icon is drawn once, at its first use, and the same icon is handed out after.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

#include "foundation/language.h"
#include "program/status_icon.h"

namespace vek {

// The status icon: the program icon for Normal; for the others a dial in the status colour
// (green, yellow, violet, red) whose filled part grows with the step: a third, two thirds, full.
QIcon StatusIconImage(StatusIcon icon);

// The application icon: a crescent and star on a night-blue disc (the Normal status icon).
QIcon ProgramIcon();

// The program's logo (ALogo, ELogo): the emblem and the program's name in the language,
// "Zurivo Zazir" or "أوقات الصلاة", centred in a transparent pixmap of the size; the emblem
// stands before the name in reading order.
QPixmap ProgramLogo(Language lang, QSize size);

// The adhan glyphs: a speaker sending sound waves, and a muted speaker crossed out.
QIcon AzanOnImage();
QIcon AzanOffImage();
// The alarm button: a bell, crossed out when the alarms are off.
QIcon AlarmOnImage();
QIcon AlarmOffImage();

// The glyphs of the alert window's buttons: a white cross on a red disc (Close), a pin (the
// window stays where it is) and four arrows (the window moves).
QIcon CloseImage();
QIcon FixImage();
QIcon MoveImage();

// The splash screen's picture: a mosque against the evening sky under a crescent moon.
QPixmap SplashPicture(QSize size);

}  // namespace vek
