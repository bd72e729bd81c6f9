// The incremental search of the select-location dialog over the shipped VEK.LOC: the time one
// keystroke takes to find (or fail to find) its row and compute the preview of it. A keystroke
// should answer well within 5 ms.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "engine/calendar.h"
#include "locations/dialogs/select_location_model.h"
#include "locations/location_file.h"

namespace {

// Records the messages of reading the file, so that a failure can be reported.
class RecordingUi : public vek::UiServices {
 public:
  void ShowMessage(const std::string& text) override { messages += text + "\n"; }
  void ShowBox(const std::string& text, int) override { ShowMessage(text); }
  void ShowPrompt(const std::string& text, int) override { ShowMessage(text); }
  int AskNoYes(const std::string& text, int) override {
    ShowMessage(text);
    return 0;
  }
  void Beep() override { ++beeps; }

  std::string messages;
  long beeps = 0;
};

RecordingUi& Ui() {
  static RecordingUi ui;
  return ui;
}

// The shipped list, read once.
const vek::TLocations& ShippedLocations() {
  static const vek::TLocations list = [] {
    vek::TLocations l;
    const vek::LocationFileResult read =
        vek::fnReadLocations(l, {std::string(VEK_SOURCE_DIR) + "/resources"});
    if (!read.ok)
      std::fprintf(stderr, "cannot read VEK.LOC: %s\n", read.english.c_str());
    return l;
  }();
  return list;
}

// Types keys (after a header click on section, when not 0) and starts again with Esc, over and
// over; the time is reported per keystroke.
void Keystrokes(benchmark::State& state, int section, std::u32string_view keys) {
  vek::TLocations list;
  for (int i = 0; i < ShippedLocations().Count(); ++i)
    list.Append(std::make_unique<vek::TLocation>(ShippedLocations().GetItem(i).Rec));
  if (list.Count() == 0) {
    state.SkipWithError("no locations");
    return;
  }
  vek::LocationDialogContext context;
  context.Locations = &list;
  context.Today = vek::EncodeDate(2026, 3, 1);
  context.Ui = &Ui();
  vek::SelectLocationModel model(context);
  if (section != 0)
    model.LocationsHeaderSectionClick(section);
  int found = 0;
  for (auto _ : state) {
    for (char32_t key : keys)
      found += model.LocationsKeyPress(key) ? 1 : 0;
    model.LocationsKeyPress(U'\x1b');  // empties the search text; next to nothing
  }
  benchmark::DoNotOptimize(found);
  state.counters["rows"] = list.Count();
  state.counters["hits/key"] =
      static_cast<double>(found) / static_cast<double>(state.iterations() * keys.size());
  state.counters["per_key"] =
      benchmark::Counter(static_cast<double>(state.iterations() * keys.size()),
                         benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

BENCHMARK_CAPTURE(Keystrokes, city_DAM, 1, U"DAM");
BENCHMARK_CAPTURE(Keystrokes, city_new_y, 1, U"new y");
BENCHMARK_CAPTURE(Keystrokes, city_end_of_name, 1, U"BURG");
// "Q" is found, "QQ" scans every row in vain (the search starts again), then "Q" again.
BENCHMARK_CAPTURE(Keystrokes, city_miss, 1, U"QQQ");
BENCHMARK_CAPTURE(Keystrokes, country_EGY, 2, U"EGY");
BENCHMARK_CAPTURE(Keystrokes, state_NY, 3, U"NY");
BENCHMARK_CAPTURE(Keystrokes, state_miss, 3, U"ZZ");  // "AZ" is found, "ZZ" is not

}  // namespace

BENCHMARK_MAIN();
