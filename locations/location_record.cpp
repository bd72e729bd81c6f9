#include "locations/location_record.h"

#include <algorithm>
#include <cstring>

#include "foundation/cp1256.h"

namespace vek {

namespace {

// Byte offsets shared by both layouts.
constexpr std::size_t kLongDegAt = 41;
constexpr std::size_t kDstStartAt = 48, kDstEndAt = 50, kNorthAt = 52, kWestAt = 53;
constexpr std::size_t kMethodAt = 54, kFajrIntervalAt = 56;

// A short string: a length byte, then the characters; a length beyond the field is cut.
std::string ReadShortString(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t max) {
  const std::size_t len = std::min<std::size_t>(bytes[at], max);
  return Cp1256ToUtf8(std::string_view(reinterpret_cast<const char*>(bytes.data() + at + 1), len));
}

void WriteShortString(std::span<std::uint8_t> bytes, std::size_t at, std::size_t max,
                      const std::string& utf8) {
  // Names are checked where they are typed; a character that still has no byte is kept
  // visible as '?' rather than dropping the whole name.
  std::string stored = Utf8ToCp1256Lossy(utf8);
  stored.resize(std::min(stored.size(), max));
  bytes[at] = static_cast<std::uint8_t>(stored.size());
  std::memcpy(bytes.data() + at + 1, stored.data(), stored.size());
}

template <typename T>
T ReadLE(std::span<const std::uint8_t> bytes, std::size_t at) {
  std::make_unsigned_t<T> v = 0;
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    v |= static_cast<std::make_unsigned_t<T>>(bytes[at + i]) << (8 * i);
  }
  return static_cast<T>(v);
}

template <typename T>
void WriteLE(std::span<std::uint8_t> bytes, std::size_t at, T value) {
  auto v = static_cast<std::make_unsigned_t<T>>(value);
  for (std::size_t i = 0; i < sizeof(T); ++i) {
    bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }
}

// City to Method: the first 55 bytes, identical in both layouts.
void ReadCommonHead(std::span<const std::uint8_t> b, TLocationRec& r) {
  r.City = ReadShortString(b, kCityAt, kCityChars);
  r.State = ReadShortString(b, kStateAt, kStateChars);
  r.Country = ReadShortString(b, kCountryAt, kCountryChars);
  r.LongDeg = b[kLongDegAt];
  r.LongMin = b[kLongDegAt + 1];
  r.LatDeg = b[kLongDegAt + 2];
  r.LatMin = b[kLongDegAt + 3];
  r.St_Longitude = b[kLongDegAt + 4];
  r.DST = b[kLongDegAt + 5] != 0;
  r.DstStart = ReadLE<std::uint16_t>(b, kDstStartAt);
  r.DstEnd = ReadLE<std::uint16_t>(b, kDstEndAt);
  r.North = b[kNorthAt] != 0;
  r.West = b[kWestAt] != 0;
  r.Method = static_cast<TFajrIshaMethod>(b[kMethodAt]);
  r.FajrInterval = ReadLE<std::int32_t>(b, kFajrIntervalAt);
}

// The fields behind FajrInterval; the old layout lacks IshaInterval and so starts 4 bytes
// earlier.
void ReadTail(std::span<const std::uint8_t> b, std::size_t at, TLocationRec& r) {
  r.FajrAngle = ReadLE<std::int32_t>(b, at);
  r.IshaAngle = ReadLE<std::int32_t>(b, at + 4);
  r.ZuhrDelayOn = b[at + 8] != 0;
  r.ZuhrDelay = ReadLE<std::int32_t>(b, at + 12);
  r.Hanafi = b[at + 16] != 0;
  r.ImsakFixedDuration = b[at + 17] != 0;
  r.ImsakDuration = ReadLE<std::int32_t>(b, at + 20);
  r.Spare = ReadLE<std::uint32_t>(b, at + 24);
}

}  // namespace

LocationRecBytes EncodeLocationRec(const TLocationRec& r) {
  LocationRecBytes out{};
  std::span<std::uint8_t> b(out);
  WriteShortString(b, kCityAt, kCityChars, r.City);
  WriteShortString(b, kStateAt, kStateChars, r.State);
  WriteShortString(b, kCountryAt, kCountryChars, r.Country);
  b[kLongDegAt] = r.LongDeg;
  b[kLongDegAt + 1] = r.LongMin;
  b[kLongDegAt + 2] = r.LatDeg;
  b[kLongDegAt + 3] = r.LatMin;
  b[kLongDegAt + 4] = r.St_Longitude;
  b[kLongDegAt + 5] = r.DST ? 1 : 0;
  WriteLE(b, kDstStartAt, r.DstStart);
  WriteLE(b, kDstEndAt, r.DstEnd);
  b[kNorthAt] = r.North ? 1 : 0;
  b[kWestAt] = r.West ? 1 : 0;
  b[kMethodAt] = static_cast<std::uint8_t>(r.Method);
  WriteLE(b, 56, r.FajrInterval);
  WriteLE(b, 60, r.IshaInterval);
  WriteLE(b, 64, r.FajrAngle);
  WriteLE(b, 68, r.IshaAngle);
  b[72] = r.ZuhrDelayOn ? 1 : 0;
  WriteLE(b, 76, r.ZuhrDelay);
  b[80] = r.Hanafi ? 1 : 0;
  b[81] = r.ImsakFixedDuration ? 1 : 0;
  WriteLE(b, 84, r.ImsakDuration);
  WriteLE(b, 88, r.Spare);
  return out;
}

TLocationRec DecodeLocationRec(std::span<const std::uint8_t, kLocationRecSize> bytes) {
  TLocationRec r;
  ReadCommonHead(bytes, r);
  r.IshaInterval = ReadLE<std::int32_t>(bytes, 60);
  ReadTail(bytes, 64, r);
  return r;
}

TLocationRec DecodeOldLocationRec(std::span<const std::uint8_t, kOldLocationRecSize> bytes) {
  TLocationRec r;
  ReadCommonHead(bytes, r);
  r.IshaInterval = 5400;  // 1 h 30 min, the interval every converted location starts with
  ReadTail(bytes, 60, r);
  return r;
}

TLocationRec LocationsVersionRecord() {
  TLocationRec r;
  r.City = "2222";
  r.State = "00";
  return r;
}

std::string StoredCity(std::span<const std::uint8_t> bytes) {
  return ReadShortString(bytes, kCityAt, kCityChars);
}

std::string StoredState(std::span<const std::uint8_t> bytes) {
  return ReadShortString(bytes, kStateAt, kStateChars);
}

}  // namespace vek
