#include "foundation/qt/font_substitutes.h"

#include <QFont>
#include <QFontInfo>
#include <QHash>
#include <QString>

namespace vek {

namespace {

constexpr const char* kArabicFace = "Arabic Transparent";

// The installed face of each name asked for (matching a face loads it, which takes time).
QHash<QString, QString>& InstalledFaces() {
  static QHash<QString, QString> faces;
  return faces;
}

}  // namespace

void InstallFontSubstitutes() {
  const struct {
    const char* Face;
    const char* Substitute;
  } substitutes[] = {
      {"Courier New", "Liberation Mono"},
      {"Arial", "Liberation Sans"},
      {"Aria", "Liberation Sans"},
      {kArabicFace, "Noto Naskh Arabic"},
  };
  for (const auto& s : substitutes) {
    const QString face = QString::fromLatin1(s.Face);
    const QString substitute = QString::fromLatin1(s.Substitute);
    if (!QFont::substitutes(face).contains(substitute))
      QFont::insertSubstitution(face, substitute);
  }
  InstalledFaces().clear();
}

QStringList FacesWithArabic(const QString& face) {
  // A list of faces is tried in order for every letter, and a face that is not installed is
  // skipped rather than substituted: each is named by the installed face Qt matches it with.
  QHash<QString, QString>& installed = InstalledFaces();
  const auto matched = [&installed](const QString& name) {
    auto found = installed.constFind(name);
    if (found == installed.constEnd())
      found = installed.insert(name, QFontInfo(QFont(name)).family());
    return *found;
  };
  return {matched(face), matched(QString::fromLatin1(kArabicFace))};
}

}  // namespace vek
