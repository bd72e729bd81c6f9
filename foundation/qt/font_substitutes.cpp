#include "foundation/qt/font_substitutes.h"

#include <QFont>
#include <QString>
#include <QStringList>

namespace vek {

void InstallFontSubstitutes() {
  const struct {
    const char* Face;
    const char* Substitute;
  } substitutes[] = {
      {"Courier New", "Liberation Mono"},
      {"Arial", "Liberation Sans"},
      {"Aria", "Liberation Sans"},
      {"Arabic Transparent", "Noto Naskh Arabic"},
  };
  for (const auto& s : substitutes) {
    const QString face = QString::fromLatin1(s.Face);
    const QString substitute = QString::fromLatin1(s.Substitute);
    if (!QFont::substitutes(face).contains(substitute))
      QFont::insertSubstitution(face, substitute);
  }
}

}  // namespace vek
