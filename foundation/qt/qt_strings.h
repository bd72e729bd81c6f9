// Conversions between the core's UTF-8 strings and Qt's strings.
#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace vek {

QString ToQString(std::string_view utf8);
std::string ToUtf8(const QString& text);

}  // namespace vek
