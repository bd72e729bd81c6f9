// The packed DOS date-time of the installation listings: the date in the high 16 bits (year
// since 1980, month, day) and the time in the low 16 bits (hour, minute, seconds / 2), both in
// local time. Converting a file time to a stamp and the stamp back gives the same stamp.
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>

namespace vek {

struct DosDateTimeParts {
  int year = 1980;  // 1980..2107
  int month = 1;    // 1..12
  int day = 1;      // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;  // even: the stamp keeps two-second steps
};

// Packs the parts (seconds rounded down to even); nothing for parts that do not fit a stamp.
std::optional<std::uint32_t> PackDosDateTime(const DosDateTimeParts& parts);
// Unpacks a stamp; nothing when a field is out of range (month 13, hour 25, day 31 of April...).
std::optional<DosDateTimeParts> UnpackDosDateTime(std::uint32_t stamp);

// The stamp of a file time, in local time; nothing before 1980 or after 2107.
std::optional<std::uint32_t> DosDateTimeOfFileTime(std::time_t t);
// The file time of a stamp taken as local time; nothing for a stamp that is not a date.
std::optional<std::time_t> FileTimeOfDosDateTime(std::uint32_t stamp);

}  // namespace vek
