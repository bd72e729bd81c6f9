// The font faces that stored settings and report designs name ("Courier New", "Arial",
// "Aria", "Arabic Transparent") are not installed on this system: Qt draws them with installed
// faces of the same metrics or script (fonts-liberation2, fonts-noto-core). Without those, a
// text falls back to whatever font has its glyphs.
#pragma once

namespace vek {

// Installs the substitutes; called once at start, before any of these fonts is used.
void InstallFontSubstitutes();

}  // namespace vek
