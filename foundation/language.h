// The user's language: one byte, 1 Arabic, 0 English.
#pragma once

#include <cstdint>

namespace vek {

enum class Language : std::uint8_t { English = 0, Arabic = 1 };

}  // namespace vek
