// The version of the main program, as its reports and its About box show it.
#pragma once

#include <string_view>

namespace vek {

inline constexpr std::string_view kProgramVersion = "6.22";

}  // namespace vek
