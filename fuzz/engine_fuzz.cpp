// The engine over any location record (92 bytes as VEK.LOC holds them) and any safety offsets
// (any bit pattern: NaN, infinities, huge values), for one day of the year, one date and the
// high-latitude scan of one year. Sanitizers report any undefined behaviour.
#include <algorithm>
#include <cstring>

#include "engine/calendar.h"
#include "engine/prayer_times.h"
#include "fuzz/fuzz_support.h"
#include "locations/location_record.h"

namespace {

// Takes the next n bytes (zeros past the end of the input).
template <typename T>
T Take(const std::uint8_t*& data, std::size_t& size) {
  T value{};
  const std::size_t n = std::min(sizeof value, size);
  std::memcpy(&value, data, n);
  data += n;
  size -= n;
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  LocationRecBytes bytes{};
  const std::size_t recordBytes = std::min(size, bytes.size());
  std::memcpy(bytes.data(), data, recordBytes);
  data += recordBytes;
  size -= recordBytes;
  const TLocationRec rec = DecodeLocationRec(bytes);

  EngineContext ctx;
  for (double* offset : {&ctx.Safety.Fajr, &ctx.Safety.Isha, &ctx.Safety.Asr, &ctx.Safety.Shuruq,
                         &ctx.Safety.Maghrib, &ctx.Safety.Zuhr})
    *offset = Take<double>(data, size);
  ctx.HijriAdjust = static_cast<int>(Take<std::uint8_t>(data, size) % 7) - 3;
  const int dayOfYear = 1 + Take<std::uint16_t>(data, size) % 366;
  const bool ramadan = (Take<std::uint8_t>(data, size) & 1) != 0;
  // A calendar date of the years 1..9999, as the program's dates are.
  const int year = 1 + Take<std::uint16_t>(data, size) % 9999;
  const int dayOfThatYear = Take<std::uint16_t>(data, size) % 365;
  const double date = EncodeDate(year, 1, 1) + dayOfThatYear;

  Trackers track;
  const TDayTimesRec day = ComputeDayTimes(year, dayOfYear, rec, ctx.Safety, ramadan, &track);
  const TDayTimesRec onDate = ComputeDateTimes(date, rec, ctx);
  ScanHighLatitude(rec, year, ctx, track);
  // The results are used, so that nothing is optimised away.
  volatile double sink = 0;
  for (int i = 0; i < kPrayerSlots; ++i)
    sink = sink + day[i] + onDate[i];
  (void)sink;
  return 0;
}
