// Start-up of the main program: from creating the main window, which runs the whole start-up
// (settings, location file, clock face, first computation, the first save of the settings), to
// the window shown on screen.
// Targets: at most 300 ms with a settings file as the program writes it
// (BM_StartupToShownWindow), and at most 500 ms more than that with the largest settings file
// the start reads, whatever fills it (BM_StartupWithTheLargestSettingsFile).
#include <benchmark/benchmark.h>

#include <QApplication>

#include <filesystem>
#include <functional>
#include <string>

#include "bench/program_folder.h"
#include "foundation/command_line.h"
#include "foundation/ini_file.h"
#include "foundation/qt/qt_ui_services.h"
#include "mainwin/main_window.h"
#include "program/settings.h"
#include "resources/clock_face_packs.h"
#include "support/fake_ui.h"

namespace {

namespace fs = std::filesystem;

using vek::bench::MakeProgramFolder;

// The settings as the program writes them where there is no tray, as in these runs: the start
// turns minimising to the tray off, and its save would otherwise change the file.
std::string SettingsWithoutTray() {
  vek::VekSettings settings;
  settings.MinimizeToTray = false;
  return vek::bench::WrittenSettingsFile(settings);
}

// Times the start-up in folder; any message of the start fails the benchmark (the settings
// must be read and saved again as they are).
void TimeStartups(benchmark::State& state, const fs::path& folder, vek::UiServices& ui,
                  const vek::testing::FakeUi* messages = nullptr) {
  for (auto _ : state) {
    vek::MainWindowOptions options;
    options.programFolder = folder;
    options.parameters = {"NoSplash"};
    options.ui = &ui;
    options.facePacks = &ClockFacePacks();
    options.arabicCanBeShown = vek::ArabicCanBeShown;
    options.useTray = false;
    vek::TVEK__MAIN window(options);
    window.show();
    QApplication::processEvents();
    benchmark::DoNotOptimize(window.isVisible());
    state.PauseTiming();
    window.close();
    QApplication::processEvents();
    if (messages != nullptr && !messages->messages.empty()) {
      state.SkipWithError(messages->messages.front().c_str());
      break;  // the timer may not be resumed once the benchmark has failed
    }
    state.ResumeTiming();
  }
}

void BM_StartupToShownWindow(benchmark::State& state) {
  const fs::path folder = MakeProgramFolder(SettingsWithoutTray());
  if (folder.empty()) {
    state.SkipWithError("the program folder could not be made");
    return;
  }
  vek::QtUiServices ui;
  TimeStartups(state, folder, ui);
  fs::remove_all(folder);
}
BENCHMARK(BM_StartupToShownWindow)->Unit(benchmark::kMillisecond)->Iterations(10);

// The settings the program writes, with lines of another program's up to exactly the largest
// size the start reads, so that the start's own save gives the same size again. line(n) is the
// n-th of them: keys of another program in the main section, or sections after the program's.
std::string LargestSettingsFile(const std::function<std::string(int)>& line) {
  const std::string own = SettingsWithoutTray();
  const bool sections = line(0).starts_with('[');
  const std::size_t at = sections ? own.size() : own.find("\r\n") + 2;
  std::string lines;
  const std::size_t room = vek::IniFile::kMaxFileBytes - own.size() - 3;
  for (int n = 0;; ++n) {
    const std::string next = line(n);
    if (lines.size() + next.size() > room)
      break;
    lines += next;
  }
  lines.append(room - lines.size() + 1, ';').append("\r\n");  // a comment fills up the rest
  return std::string(own).insert(at, lines);
}

struct Filler {
  const char* label;
  std::function<std::string(int)> line;
};
const Filler kFillers[] = {
    {"one short key over and over in the main section", [](int) { return "x=1\r\n"; }},
    {"distinct keys in the main section", [](int n) { return "k" + std::to_string(n) + "=1\r\n"; }},
    {"empty sections of one name", [](int) { return "[a]\r\n"; }},
    {"distinct sections with a key",
     [](int n) { return "[s" + std::to_string(n) + "]\r\nk=1\r\n"; }},
};

void BM_StartupWithTheLargestSettingsFile(benchmark::State& state) {
  const Filler& filler = kFillers[state.range(0)];
  state.SetLabel(filler.label);
  const fs::path folder = MakeProgramFolder(LargestSettingsFile(filler.line));
  if (folder.empty()) {
    state.SkipWithError("the program folder could not be made");
    return;
  }
  if (fs::file_size(folder / "VEK.INI") != vek::IniFile::kMaxFileBytes)
    state.SkipWithError("the settings file is not of the largest size");
  vek::testing::FakeUi ui;
  TimeStartups(state, folder, ui, &ui);
  if (fs::file_size(folder / "VEK.INI") != vek::IniFile::kMaxFileBytes)
    state.SkipWithError("the start did not save the settings at their size");
  fs::remove_all(folder);
}
BENCHMARK(BM_StartupWithTheLargestSettingsFile)
    ->DenseRange(0, 3)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(10);

}  // namespace
