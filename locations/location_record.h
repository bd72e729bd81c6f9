// One location: the 92-byte record of the location file VEK.LOC and the engine's input.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace vek {

enum class TFajrIshaMethod : std::uint8_t {
  Eastern = 0,        // Fajr and Isha at 18 degrees
  MiddleEastern = 1,  // Fajr at 19.5 degrees (18 without a fixed Imsak), Isha at 18
  FixedTime = 2,      // Fajr and Isha at fixed intervals before sunrise and after sunset
  YourMethod = 3,     // the location's own Fajr and Isha angles
  Saudi = 4,          // own Fajr angle, Isha at a fixed interval after sunset
};

// Field widths of the stored names, in characters of code page 1256.
inline constexpr std::size_t kCityChars = 18;
inline constexpr std::size_t kStateChars = 2;
inline constexpr std::size_t kCountryChars = 18;
// Where the name fields' length bytes lie in a stored record.
inline constexpr std::size_t kCityAt = 0, kStateAt = 19, kCountryAt = 22;

// Angles are stored in arc-minutes above 18 degrees: D degrees M minutes is D*60 + M - 1080.
// Intervals and durations are in seconds.
struct TLocationRec {
  std::string City;     // UTF-8, at most 18 characters
  std::string State;    // US state code, empty unless Country is "USA"
  std::string Country;  // UTF-8, at most 18 characters
  std::uint8_t LongDeg = 0;
  std::uint8_t LongMin = 0;
  std::uint8_t LatDeg = 0;
  std::uint8_t LatMin = 0;
  std::uint8_t St_Longitude = 0;  // zone meridian, whole degrees (half-hour zones: coded)
  bool DST = false;
  std::uint16_t DstStart = 0;  // first day of the year of daylight saving time
  std::uint16_t DstEnd = 0;    // last day; smaller than DstStart across the new year
  bool North = false;
  bool West = false;  // west longitude and a zone west of Greenwich
  TFajrIshaMethod Method = TFajrIshaMethod::Eastern;
  std::int32_t FajrInterval = 0;
  std::int32_t IshaInterval = 0;
  std::int32_t FajrAngle = 0;
  std::int32_t IshaAngle = 0;
  bool ZuhrDelayOn = false;
  std::int32_t ZuhrDelay = 0;
  bool Hanafi = false;
  bool ImsakFixedDuration = false;
  std::int32_t ImsakDuration = 0;
  std::uint32_t Spare = 0;

  bool operator==(const TLocationRec&) const = default;
};

inline constexpr std::size_t kLocationRecSize = 92;
inline constexpr std::size_t kOldLocationRecSize = 88;

using LocationRecBytes = std::array<std::uint8_t, kLocationRecSize>;

// The record as stored: names in code page 1256 (a character without a byte there is written
// as '?'; names are checked where they are typed), unused bytes zero.
LocationRecBytes EncodeLocationRec(const TLocationRec& rec);
TLocationRec DecodeLocationRec(std::span<const std::uint8_t, kLocationRecSize> bytes);

// The previous 88-byte layout, which has no IshaInterval; the conversion gives it 5400 s.
TLocationRec DecodeOldLocationRec(std::span<const std::uint8_t, kOldLocationRecSize> bytes);

// The first record of every location file: City "2222", State "00", the rest zero.
TLocationRec LocationsVersionRecord();

// City and State of a stored record, read from its first 22 bytes (the same in both layouts).
std::string StoredCity(std::span<const std::uint8_t> bytes);
std::string StoredState(std::span<const std::uint8_t> bytes);

}  // namespace vek
