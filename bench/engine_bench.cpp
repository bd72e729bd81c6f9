// Speed of the prayer-times engine. Targets on the development machine: a year of one city
// through the date entry point (horizon guard included) in at most 200 us and at least ten times
// faster than libitl's getPrayerTimes for the same place, timed in the same run; a year of every
// location of the shipped VEK.LOC in under 0.5 s on one thread.
#include <benchmark/benchmark.h>
#include <itl/prayer.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "engine/calendar.h"
#include "engine/prayer_times.h"
#include "locations/location_file.h"

// Every heap allocation of the process is counted, so that the benchmarks can show that the
// engine allocates nothing.
namespace {
std::atomic<long> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  gAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace vek {
namespace {

constexpr int kYear = 2026;

TLocationRec Makkah() {
  TLocationRec r;
  r.City = "MAKKAH";
  r.Country = "SAUDI ARABIA";
  r.LongDeg = 39;
  r.LongMin = 50;
  r.LatDeg = 21;
  r.LatMin = 25;
  r.North = true;
  r.St_Longitude = 45;
  r.Method = TFajrIshaMethod::Saudi;
  r.FajrAngle = 30;
  r.IshaInterval = 5400;
  r.ImsakFixedDuration = true;
  r.ImsakDuration = 600;
  return r;
}

// The same place and method for libitl: Fajr at 18.5 degrees, Isha 90 minutes after Maghrib,
// UTC+3, times to the second.
void ItlMakkah(::Location& loc, ::Method& method) {
  loc = ::Location{};
  loc.degreeLat = 21 + 25 / 60.0;
  loc.degreeLong = 39 + 50 / 60.0;
  loc.gmtDiff = 3;
  loc.pressure = 1010;
  loc.temperature = 10;
  ::getMethod(0, &method);
  method.fajrAng = 18.5;
  method.ishaaAng = 0;
  method.ishaaInv = 90;
  method.round = 0;
}

double FirstOfYear() {
  return EncodeDate(kYear, 1, 1);
}
int DaysOfYear() {
  return static_cast<int>(EncodeDate(kYear + 1, 1, 1) - FirstOfYear());
}

// Target: at most 200 us for the year.
void BM_YearThroughDateEntryPoint(benchmark::State& state) {
  const TLocationRec loc = Makkah();
  const EngineContext ctx;
  const double first = FirstOfYear();
  const int days = DaysOfYear();
  const long before = gAllocations.load();
  for (auto _ : state) {
    for (int i = 0; i < days; ++i)
      benchmark::DoNotOptimize(ComputeDateTimes(first + i, loc, ctx));
  }
  state.counters["allocations"] = benchmark::Counter(
      static_cast<double>(gAllocations.load() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_YearThroughDateEntryPoint)->Unit(benchmark::kMicrosecond);

// The same year through libitl in every iteration, interleaved with the engine's, so that both
// see the same machine. The reported time is the engine's; itl_us is libitl's year and
// itl_over_engine their ratio (target: at least 10).
void BM_YearEngineAgainstItl(benchmark::State& state) {
  using Clock = std::chrono::steady_clock;
  const TLocationRec loc = Makkah();
  const EngineContext ctx;
  ::Location itlLoc;
  ::Method itlMethod;
  ItlMakkah(itlLoc, itlMethod);
  const double first = FirstOfYear();
  const int days = DaysOfYear();
  double engineSeconds = 0, itlSeconds = 0;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    for (int i = 0; i < days; ++i)
      benchmark::DoNotOptimize(ComputeDateTimes(first + i, loc, ctx));
    const auto t1 = Clock::now();
    for (int i = 0; i < days; ++i) {
      const CivilDate c = DecodeDate(first + i);
      ::Date date{c.Day, c.Month, c.Year};
      ::Prayer times[6];
      ::getPrayerTimes(&itlLoc, &itlMethod, &date, times);
      benchmark::DoNotOptimize(times);
    }
    const auto t2 = Clock::now();
    const double engine = std::chrono::duration<double>(t1 - t0).count();
    engineSeconds += engine;
    itlSeconds += std::chrono::duration<double>(t2 - t1).count();
    state.SetIterationTime(engine);
  }
  state.counters["itl_us"] =
      benchmark::Counter(itlSeconds * 1e6, benchmark::Counter::kAvgIterations);
  state.counters["itl_over_engine"] = engineSeconds > 0 ? itlSeconds / engineSeconds : 0;
}
BENCHMARK(BM_YearEngineAgainstItl)->UseManualTime()->Unit(benchmark::kMicrosecond);

const TLocations& ShippedLocations() {
  static const TLocations list = [] {
    TLocations l;
    const LocationFileResult read =
        fnReadLocations(l, {std::string(VEK_SOURCE_DIR) + "/resources"});
    if (!read.ok)
      std::fprintf(stderr, "cannot read VEK.LOC: %s\n", read.english.c_str());
    return l;
  }();
  return list;
}

// Target: under 0.5 s for a year of all 3,510 locations.
void BM_YearOfEveryShippedLocation(benchmark::State& state) {
  const TLocations& list = ShippedLocations();
  const EngineContext ctx;
  const double first = FirstOfYear();
  const int days = DaysOfYear();
  for (auto _ : state) {
    for (int k = 0; k < list.Count(); ++k) {
      const TLocationRec& loc = list.GetItem(k).Rec;
      for (int i = 0; i < days; ++i)
        benchmark::DoNotOptimize(ComputeDateTimes(first + i, loc, ctx));
    }
  }
  state.counters["locations"] = list.Count();
}
BENCHMARK(BM_YearOfEveryShippedLocation)->Unit(benchmark::kMillisecond);

void BM_ComputeDayTimes(benchmark::State& state) {
  const TLocationRec loc = Makkah();
  int day = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeDayTimes(kYear, day, loc, {}, false));
    day = day % 366 + 1;
  }
}
BENCHMARK(BM_ComputeDayTimes);

void BM_ScanHighLatitude(benchmark::State& state) {
  TLocationRec loc = Makkah();
  loc.LatDeg = 58;
  Trackers trackers;
  for (auto _ : state) {
    ScanHighLatitude(loc, kYear, {}, trackers);
    benchmark::DoNotOptimize(trackers);
  }
}
BENCHMARK(BM_ScanHighLatitude)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vek
