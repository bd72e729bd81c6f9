#include "foundation/qt/qt_strings.h"

#include <QByteArray>
#include <QStringList>

namespace vek {

QString ToQString(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FrameArabicLines(const QString& text) {
  constexpr QChar kRlm(0x200F);
  QStringList lines = text.split(QLatin1Char('\n'));
  for (QString& line : lines) {
    // A line ending of CR LF keeps its CR outside the frame.
    const bool cr = line.endsWith(QLatin1Char('\r'));
    QString body = cr ? line.chopped(1) : line;
    if (!body.isRightToLeft() || body.startsWith(kRlm))
      continue;
    line = kRlm + body + kRlm + (cr ? QStringLiteral("\r") : QString());
  }
  return lines.join(QLatin1Char('\n'));
}

QString QByLanguage(Language lang, const char* english, const char* arabic) {
  return QString::fromUtf8(ByLanguage(lang, english, arabic));
}

}  // namespace vek
