// A year's timetable: the rows of 365 days from the engine, the turning points of the seven
// columns and the peaks-only list, as the report window computes them when it opens.
// Target: at most 2 ms.
#include <benchmark/benchmark.h>

#include "bench/shipped_city.h"
#include "engine/calendar.h"
#include "report/timetable.h"

namespace {

using vek::bench::LoadCity;

void YearReport(benchmark::State& state, const char* city, const char* country, bool hijri) {
  vek::TLocations list;
  if (!LoadCity(list, city, country)) {
    state.SkipWithError("the shipped location file could not be read");
    return;
  }
  vek::TimetableSource source;
  source.Location = list.Current().Rec;
  source.HijriMode = hijri;
  const vek::EngineContext engine;
  const double start = hijri ? vek::HijriToDate(1447, 1, 1, 0) : vek::EncodeDate(2026, 1, 1);
  for (auto _ : state) {
    vek::Timetable report(vek::ReportKind::Year, source);
    report.ComputeReportRows(start, list, engine);
    benchmark::DoNotOptimize(report.PeakRows().size());
  }
}

void BM_YearReportSydney(benchmark::State& state) {
  YearReport(state, "SYDNEY", "AUSTRALIA", false);
}
void BM_YearReportMakkahHijri(benchmark::State& state) {
  YearReport(state, "MAKKAH", "SAUDI ARABIA", true);
}
BENCHMARK(BM_YearReportSydney)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_YearReportMakkahHijri)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
