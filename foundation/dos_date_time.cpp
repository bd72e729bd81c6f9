#include "foundation/dos_date_time.h"

#include <chrono>

namespace vek {

namespace {

bool Valid(const DosDateTimeParts& p) {
  namespace chr = std::chrono;
  const chr::year_month_day date{chr::year{p.year}, chr::month{static_cast<unsigned>(p.month)},
                                 chr::day{static_cast<unsigned>(p.day)}};
  return date.ok() && p.year >= 1980 && p.year <= 2107 && p.hour >= 0 && p.hour <= 23 &&
         p.minute >= 0 && p.minute <= 59 && p.second >= 0 && p.second <= 59;
}

}  // namespace

std::optional<std::uint32_t> PackDosDateTime(const DosDateTimeParts& p) {
  if (!Valid(p))
    return std::nullopt;
  const std::uint32_t date =
      static_cast<std::uint32_t>(((p.year - 1980) << 9) | (p.month << 5) | p.day);
  const std::uint32_t time =
      static_cast<std::uint32_t>((p.hour << 11) | (p.minute << 5) | (p.second / 2));
  return (date << 16) | time;
}

std::optional<DosDateTimeParts> UnpackDosDateTime(std::uint32_t stamp) {
  const std::uint32_t date = stamp >> 16;
  const std::uint32_t time = stamp & 0xFFFF;
  DosDateTimeParts p;
  p.year = 1980 + static_cast<int>(date >> 9);
  p.month = static_cast<int>((date >> 5) & 0x0F);
  p.day = static_cast<int>(date & 0x1F);
  p.hour = static_cast<int>(time >> 11);
  p.minute = static_cast<int>((time >> 5) & 0x3F);
  p.second = static_cast<int>(time & 0x1F) * 2;
  if (!Valid(p))
    return std::nullopt;
  return p;
}

std::optional<std::uint32_t> DosDateTimeOfFileTime(std::time_t t) {
  std::tm local{};
  if (::localtime_r(&t, &local) == nullptr)
    return std::nullopt;
  return PackDosDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec});
}

std::optional<std::time_t> FileTimeOfDosDateTime(std::uint32_t stamp) {
  const auto p = UnpackDosDateTime(stamp);
  if (!p)
    return std::nullopt;
  std::tm local{};
  local.tm_year = p->year - 1900;
  local.tm_mon = p->month - 1;
  local.tm_mday = p->day;
  local.tm_hour = p->hour;
  local.tm_min = p->minute;
  local.tm_sec = p->second;
  local.tm_isdst = -1;  // let the zone rules say whether daylight saving time applies
  const std::time_t t = std::mktime(&local);
  if (t == static_cast<std::time_t>(-1))
    return std::nullopt;
  return t;
}

}  // namespace vek
