// Conversions between the core's UTF-8 strings and Qt's strings, the text and the layout
// direction of the language, and setting a control's text.
#pragma once

#include <QString>

#include <string>
#include <string_view>

#include "foundation/language.h"

namespace vek {

QString ToQString(std::string_view utf8);
std::string ToUtf8(const QString& text);

// A message of Arabic and English lines shown in one label keeps each line's own direction:
// every line that starts in Arabic is framed by right-to-left marks, so that its full stop and
// other neutral characters stay at its Arabic end whatever the label's direction. Lines already
// framed are left as they are.
QString FrameArabicLines(const QString& text);

// ByLanguage as a Qt string: the UTF-8 text of the language.
QString QByLanguage(Language lang, const char* english, const char* arabic);

// The layout direction of a form in the language: right to left in Arabic.
constexpr Qt::LayoutDirection LayoutDirectionOf(Language lang) {
  return lang == Language::Arabic ? Qt::RightToLeft : Qt::LeftToRight;
}

// Sets a control's text only when it differs, so that an unchanged text causes no repaint.
template <class Control>
void SetTextIfChanged(Control* control, const QString& text) {
  if (control->text() != text)
    control->setText(text);
}

}  // namespace vek
