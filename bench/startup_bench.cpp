// Start-up of the main program: from creating the main window, which runs the whole start-up
// (settings, location file, clock face, first computation), to the window shown on screen.
// Target: at most 300 ms.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>

#include <filesystem>
#include <fstream>

#include "foundation/command_line.h"
#include "foundation/qt/qt_ui_services.h"
#include "mainwin/main_window.h"
#include "resources/clock_face_packs.h"

namespace {

namespace fs = std::filesystem;

void BM_StartupToShownWindow(benchmark::State& state) {
  std::string pattern = (fs::temp_directory_path() / "vek-bench-XXXXXX").string();
  const fs::path folder = ::mkdtemp(pattern.data());
  fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", folder / "VEK.LOC");
  // A program folder that has been used before: a first start would open the first-run wizard.
  std::ofstream(folder / "VEK.INI") << "[Orvessa, by Al Tovarelin]\r\nLanguage=Arabic\r\n";
  vek::QtUiServices ui;
  for (auto _ : state) {
    vek::Switches() = vek::CommandLineSwitches{};
    vek::MainWindowOptions options;
    options.ProgramFolder = folder;
    options.Parameters = {"NoSplash"};
    options.Ui = &ui;
    options.FacePacks = &ClockFacePacks();
    options.ArabicCanBeShown = vek::ArabicCanBeShown;
    options.UseTray = false;
    vek::TVEK__MAIN window(options);
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.isVisible());
    state.PauseTiming();
    window.close();
    QApplication::processEvents();
    state.ResumeTiming();
  }
  fs::remove_all(folder);
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
