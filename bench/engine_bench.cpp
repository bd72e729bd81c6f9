// Speed of the prayer-times engine: one day, one year of days for one location (a year
// timetable), and the high-latitude scan.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/prayer_times.h"

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

void BM_ComputeDayTimes(benchmark::State& state) {
  const TLocationRec loc = Makkah();
  int day = 1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(ComputeDayTimes(day, loc, {}, false));
    day = day % 366 + 1;
  }
}
BENCHMARK(BM_ComputeDayTimes);

// Target: at most 0.5 ms for the 366 days.
void BM_YearOfDays(benchmark::State& state) {
  const TLocationRec loc = Makkah();
  const SafetyOffsets safety;
  const long before = gAllocations.load();
  for (auto _ : state) {
    for (int day = 1; day <= 366; ++day) {
      benchmark::DoNotOptimize(ComputeDayTimes(day, loc, safety, false));
    }
  }
  state.counters["allocations"] = benchmark::Counter(
      static_cast<double>(gAllocations.load() - before), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_YearOfDays)->Unit(benchmark::kMicrosecond);

void BM_ScanHighLatitude(benchmark::State& state) {
  TLocationRec loc = Makkah();
  loc.LatDeg = 58;
  Trackers trackers;
  for (auto _ : state) {
    ScanHighLatitude(loc, 2026, {}, trackers);
    benchmark::DoNotOptimize(trackers);
  }
}
BENCHMARK(BM_ScanHighLatitude)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace vek
