// Colours are stored as Windows colour values (COLORREF, 0x00BBGGRR); Qt wants QColor.
#pragma once

#include <QColor>

#include <cstdint>

namespace vek {

// The opaque colour of a COLORREF value; the top byte is ignored.
inline QColor ColorFromColorRef(std::uint32_t colorRef) {
  return QColor(static_cast<int>(colorRef & 0xFF), static_cast<int>((colorRef >> 8) & 0xFF),
                static_cast<int>((colorRef >> 16) & 0xFF));
}

}  // namespace vek
