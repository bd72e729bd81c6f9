// The status icons of the main window and the tray: where the current moment stands in the
// current prayer period. Green, yellow and violet are its thirds (each in three steps, 1 the
// earliest), red the last 15 minutes (1 from 15 down to 11 minutes, 2 from 10 to 6, 3 the last 5).
#pragma once

namespace vek {

enum class StatusIcon {
  Normal,
  Green1,
  Green2,
  Green3,
  Yellow1,
  Yellow2,
  Yellow3,
  Purple1,
  Purple2,
  Purple3,
  Red1,
  Red2,
  Red3,
};

inline constexpr int kStatusIconCount = 13;

}  // namespace vek
