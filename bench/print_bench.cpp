// Printed timetables: a year of Damascus in the design of twelve pages from its rows to the
// finished PDF file (target: at most 0.5 s), and one page of the preview painted into its
// picture with the printer's metrics (target: at most 50 ms).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPrinter>

#include <filesystem>

#include "bench/shipped_city.h"
#include "engine/calendar.h"
#include "foundation/qt/font_substitutes.h"
#include "report/page_painter.h"
#include "report/report_printing.h"
#include "support/fake_printer_info.h"

namespace {

namespace fs = std::filesystem;

vek::TimetableSource Damascus(vek::TLocations& list, benchmark::State& state) {
  vek::TimetableSource source;
  if (!vek::bench::LoadCity(list, "DAMASCUS", "SYRIA"))
    state.SkipWithError("the shipped location file could not be read");
  else
    source.Location = list.Current().Rec;
  return source;
}

void BM_YearOfTwelvePagesToPdf(benchmark::State& state) {
  vek::TLocations list;
  const vek::TimetableSource source = Damascus(list, state);
  const vek::EngineContext engine;
  const std::shared_ptr<QPrinter> printer = vek::MakeRunPrinter(vek::testing::FakePrinterInfo());
  const fs::path file = fs::temp_directory_path() / "vek-bench-year.pdf";
  printer->setOutputFileName(QString::fromStdString(file.string()));
  for (auto _ : state) {
    vek::Timetable report(vek::ReportKind::Year, source);
    report.ComputeReportRows(vek::EncodeDate(2026, 1, 1), list, engine);
    report.SelectDesign(1);
    const vek::PrintOutcome outcome = vek::PrintTimetable(
        report, *printer, vek::PagesToPrint(report.PageCount(), {}), 96, vek::RealFileSystem(),
        vek::testing::FakePrinterInfo(), vek::Language::English);
    if (!outcome.Printed)
      state.SkipWithError(outcome.Message.c_str());
  }
  fs::remove(file);
}
BENCHMARK(BM_YearOfTwelvePagesToPdf)->Unit(benchmark::kMillisecond);

void BM_PreviewPage(benchmark::State& state) {
  vek::TLocations list;
  const vek::TimetableSource source = Damascus(list, state);
  const std::shared_ptr<QPrinter> printer = vek::MakeRunPrinter(vek::testing::FakePrinterInfo());
  vek::Timetable report(vek::ReportKind::Year, source);
  report.ComputeReportRows(vek::EncodeDate(2026, 1, 1), list, vek::EngineContext());
  report.SelectDesign(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    const QImage page = vek::PaintPreviewPage(report, *printer, 1, 96);
    benchmark::DoNotOptimize(page.constBits());
  }
}
// Six months on a page, and a month on a page.
BENCHMARK(BM_PreviewPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vek::InstallFontSubstitutes();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
