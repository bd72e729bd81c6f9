// Live Update's local work before the offer: writing the listing of an installation and
// comparing it with a server listing of 2,000 records. Together they should take at most 100 ms.
//
// The installation is the shipped one (the program, VEK.LOC, VEK.INI) with full sound folders
// (the eight adhans in SOUNDS, 116 recitations in SOUNDS/SURAS), made in a temporary folder.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "foundation/file_io.h"
#include "liveupdate/listing_comparison.h"
#include "liveupdate/listing_writer.h"
#include "support/message_log_ui.h"

namespace {

namespace fs = std::filesystem;
using vek::testing::MessageLogUi;

constexpr const char* kAdhans[] = {"AZHAN_M1.WAV", "ALEPPO.WAV",  "EGYPT1.WAV",   "EGYPT2.WAV",
                                   "MACCAH1.WAV",  "MACCAH2.WAV", "F-MADINA.WAV", "F-EGYPT2.WAV"};

void Write(const fs::path& file, std::size_t size) {
  std::ofstream(file, std::ios::binary) << std::string(size, 'x');
}

struct Installation {
  Installation() {
    std::string pattern = (fs::temp_directory_path() / "vek-bench-XXXXXX").string();
    folder = ::mkdtemp(pattern.data()) != nullptr ? fs::path(pattern) : fs::path();
    fs::create_directories(folder / "SOUNDS" / "SURAS");
    fs::create_directories(folder / "LiveUpdate");
    fs::copy_file(fs::path(VEK_SOURCE_DIR) / "resources" / "VEK.LOC", folder / "VEK.LOC");
    Write(folder / "vek", 2'000'000);
    Write(folder / "VEK.INI", 4'000);
    for (const char* adhan : kAdhans)
      Write(folder / "SOUNDS" / adhan, 300'000);
    for (int i = 0; i <= 115; ++i)
      Write(
          folder / "SOUNDS" / "SURAS" / (std::string("S").append(std::to_string(i)).append(".WAV")),
          1'000 + i);
    files = {folder / "LiveUpdate" / "vekdirs.rec", folder / "LiveUpdate" / "vekdirs.dwn",
             folder / "LiveUpdate" / "IGNORE.REC"};
    // The server's listing: the installation's files, some of them changed, and others.
    std::string server;
    auto add = [&](const std::string& name, std::int32_t size) {
      vek::TListingRec rec;
      rec.Kind = vek::riIsFileInfo;
      rec.State = 1;
      rec.FileName = name;
      rec.Size = size;
      rec.Date = 0x58000000u + static_cast<std::uint32_t>(size);
      vek::AppendListingRec(rec, server);
    };
    for (int i = 0; i <= 115; ++i)
      add(std::string("S").append(std::to_string(i)).append(".WAV"),
          1'000 + i + (i % 10 == 0 ? 1 : 0));
    for (const char* adhan : kAdhans)
      add(adhan, 300'001);
    for (int i = 0; server.size() < 2000 * vek::kListingRecSize; ++i)
      add((i % 2 == 0 ? "1NEWS" : "OTHER") + std::to_string(i) + ".TXT", 10 + i);
    vek::WriteFileReplacing(files.server, server);
  }
  ~Installation() {
    std::error_code ec;
    fs::remove_all(folder, ec);
  }

  fs::path folder;
  vek::TComparisonFiles files;
};

Installation& Shipped() {
  static Installation installation;
  return installation;
}

vek::TListingOutcome List(MessageLogUi& ui) {
  vek::SystemServices sys{.ui = ui};
  vek::TListingSettings settings;
  settings.programFolder = Shipped().folder;
  return vek::WriteLiveUpdateDirList(settings, Shipped().files.local, vek::FileCatalogue(), sys);
}

vek::TComparison Compare() {
  vek::TFileCatalogue catalogue = vek::FileCatalogue();
  vek::TComparisonSettings settings;
  settings.fileExists = vek::ProgramFolderProbe(Shipped().folder);
  return vek::CompareAndFill(Shipped().files, catalogue, settings);
}

void ListingAndComparison(benchmark::State& state) {
  MessageLogUi ui;
  std::size_t offered = 0;
  for (auto _ : state) {
    if (List(ui).status != vek::TListingOutcome::Written) {
      state.SkipWithError(ui.messages.c_str());
      return;
    }
    const vek::TComparison result = Compare();
    if (!result.error.empty()) {
      state.SkipWithError(result.error.c_str());
      return;
    }
    offered = result.offered.size();
    benchmark::DoNotOptimize(offered);
  }
  state.counters["offered"] = static_cast<double>(offered);
}
BENCHMARK(ListingAndComparison)->Unit(benchmark::kMillisecond);

void ListingOnly(benchmark::State& state) {
  MessageLogUi ui;
  for (auto _ : state)
    benchmark::DoNotOptimize(List(ui).status);
}
BENCHMARK(ListingOnly)->Unit(benchmark::kMillisecond);

void ComparisonOnly(benchmark::State& state) {
  MessageLogUi ui;
  List(ui);
  for (auto _ : state)
    benchmark::DoNotOptimize(Compare().offered.size());
}
BENCHMARK(ComparisonOnly)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
