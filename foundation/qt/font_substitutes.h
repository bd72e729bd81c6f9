// The font faces that stored settings and report designs name ("Courier New", "Arial",
// "Aria", "Arabic Transparent") are not installed on this system: Qt draws them with installed
// faces of the same metrics or script (fonts-liberation2, fonts-noto-core). Without those, a
// text falls back to whatever font has its glyphs.
#pragma once

#include <QStringList>

namespace vek {

// Installs the substitutes; called once at start, before any of these fonts is used.
void InstallFontSubstitutes();

// The faces a font named face is drawn with: the installed face Qt draws it with, then the
// Arabic face of "Arabic Transparent" (Noto Naskh Arabic) for the Arabic letters the first one
// lacks, so that Arabic text in a Latin face gets the Arabic face of the same weight and style
// rather than whatever font the system falls back to.
QStringList FacesWithArabic(const QString& face);

}  // namespace vek
