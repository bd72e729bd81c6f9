// A year's timetable: the rows of 365 days from the engine, the turning points of the seven
// columns and the peaks-only list, as the report window computes them when it opens.
// Target: at most 2 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>

#include "engine/calendar.h"
#include "foundation/ui_services.h"
#include "locations/location_file.h"
#include "report/timetable.h"

namespace {

namespace fs = std::filesystem;

class SilentUi : public vek::UiServices {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowBox(const std::string&, int) override {}
  void ShowPrompt(const std::string&, int) override {}
  int AskNoYes(const std::string&, int) override { return 0; }
  void Beep() override {}
};

// The shipped location file, current location city.
bool LoadCity(vek::TLocations& list, const char* city, const char* country) {
  std::string pattern = (fs::temp_directory_path() / "vek-bench-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", folder / "VEK.LOC");
  SilentUi ui;
  vek::LocationFileContext file{folder, ui, vek::Language::English};
  const bool read = vek::fnReadLocations(list, file);
  fs::remove_all(folder);
  list.CurrentIndex = list.Find(city, country, "");
  return read && list.CurrentIndex >= 0;
}

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
