// Memory of a long run: the program session and the main window, offscreen, under a clock that
// the benchmark moves on one second at a time through eight program days, as the program's own
// clock tick sees them: a countdown every minute, an alert at every prayer (the user closes the
// prayer-time window a minute later), seven midnights. The heap in use (mallinfo2) is taken at
// the end of the first day, which holds the start and the first drawing of every picture, and
// at the end of the last; each day's figure goes to the error output, so that a growth shows
// when it starts.
// Target: at most 100 KB of heap per program day after the first (heap_bytes_per_day).
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/program_folder.h"
#include "engine/calendar.h"
#include "foundation/command_line.h"
#include "mainwin/alert_window.h"
#include "mainwin/main_window.h"
#include "program/settings.h"
#include "resources/clock_face_packs.h"
#include "sounds/sound_player.h"
#include "support/fake_clock.h"
#include "support/fake_launcher.h"
#include "support/fake_shell.h"
#include "support/fake_ui.h"
#include "support/fake_wall_clock.h"

namespace {

namespace fs = std::filesystem;

constexpr int kDays = 8;
constexpr int kSecondsPerDay = 24 * 60 * 60;
constexpr double kSecond = 1.0 / kSecondsPerDay;
// The event loop (painting, timers, closed windows) runs every few program seconds: the clock's
// second hand is painted as often as a tenth of its ticks, which keeps a week within minutes.
constexpr int kSecondsPerEventLoop = 10;

// A sound output that plays nothing and keeps no record of what it was asked.
class SilentPlayer : public vek::SoundPlayer {
 public:
  bool PlayFile(const fs::path&) override { return false; }
  void Stop() override {}
  bool Playing() const override { return false; }
  void PlayResource(const std::string&) override {}
  void StopResource() override {}
};

// A used program folder: the shipped VEK.LOC and the settings the program writes, for Cairo in
// English.
fs::path CairoProgramFolder() {
  vek::VekSettings settings;
  settings.Lang = vek::Language::English;
  settings.SelectedCity = "CAIRO";
  return vek::bench::MakeProgramFolder(vek::bench::WrittenSettingsFile(settings));
}

// The heap in use: what malloc handed out from its arenas and in mapped blocks.
double HeapInUse() {
  const struct mallinfo2 info = ::mallinfo2();
  return static_cast<double>(info.uordblks + info.hblkhd);
}

// Lets the window paint and deletes the windows closed meanwhile, as the event loop does.
void RunEventLoopOnce() {
  QApplication::processEvents();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void BM_HeapPerProgramDay(benchmark::State& state) {
  const fs::path folder = CairoProgramFolder();
  if (folder.empty()) {
    state.SkipWithError("the program folder could not be made");
    return;
  }
  double perDay = 0;
  double firstDay = 0;
  double lastDay = 0;
  int alerts = 0;
  for (auto _ : state) {
    vek::testing::FakeUi ui;
    // 11 December 2026, 20:00: the first day holds the start, a night and a whole day.
    vek::testing::FakeWallClock clock(vek::EncodeDate(2026, 12, 11) + 20.0 / 24);
    vek::testing::FakeClock waits;
    vek::testing::FakeShell shell;
    vek::testing::FakeLauncher launcher;
    SilentPlayer player;
    vek::MainWindowOptions options;
    options.programFolder = folder;
    options.parameters = {"NoSplash"};
    options.switches = vek::ReadCommandLineSwitches(options.parameters);
    options.ui = &ui;
    options.clock = &clock;
    options.waitClock = &waits;
    options.facePacks = &ClockFacePacks();
    options.arabicCanBeShown = [] { return true; };
    options.useTray = true;
    options.trayAvailable = [] { return true; };
    options.desktopShell = &shell;
    options.programs = &launcher;
    options.player = &player;
    options.desktopArabic = [] { return false; };
    vek::TVEK__MAIN window(options);
    window.show();
    RunEventLoopOnce();

    bool closeAlert = false;
    for (int day = 0; day < kDays; ++day) {
      for (int second = 0; second < kSecondsPerDay; ++second) {
        clock.now += kSecond;
        window.OvcClock1SecondChange();
        if (second % kSecondsPerEventLoop == 0)
          RunEventLoopOnce();
        if (second % 60 != 0)
          continue;
        // The user closes the window of a prayer time a minute after it came.
        vek::TKQTimeWindow* alert = window.AlertWindow().Window();
        if (alert == nullptr || !alert->AtPrayerTime) {
          closeAlert = false;
        } else if (!closeAlert) {
          closeAlert = true;
          ++alerts;
        } else {
          alert->CloseBtnClick();
          RunEventLoopOnce();
          closeAlert = false;
        }
      }
      const double heap = HeapInUse();
      if (day == 0)
        firstDay = heap;
      std::fprintf(stderr, "day %d: heap in use %.0f bytes\n", day + 1, heap);
    }
    lastDay = HeapInUse();
    perDay = (lastDay - firstDay) / (kDays - 1);
    window.close();
    RunEventLoopOnce();
    if (!ui.messages.empty())
      state.SkipWithError(ui.messages.front().c_str());
  }
  fs::remove_all(folder);
  state.counters["heap_bytes_per_day"] = perDay;
  state.counters["heap_after_day1"] = firstDay;
  state.counters["heap_after_last_day"] = lastDay;
  state.counters["prayer_alerts"] = alerts;
  if (perDay > 100 * 1000)
    state.SetLabel("over the target of 100 KB per program day");
}
BENCHMARK(BM_HeapPerProgramDay)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace
