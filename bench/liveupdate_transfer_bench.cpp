// Live Update against real servers on 127.0.0.1 (the tests' FTP and HTTP servers), over the
// program's libcurl client, whose transfers run on threads of their own and tell the Qt event
// loop what happens. Targets:
//   Download40MiB      40 files of 1 MiB, from Start Update to the close countdown: at most 5 s
//                      over FTP (arg 0) and 2 s over HTTP (arg 1);
//   SecondClose        a second Close during a transfer from a 1 KiB/s server: the transfer
//                      ended and its temporary file deleted within 1 s;
//   SecondCloseToClosed  the same, until the dialog's one-second timer has closed it: at most
//                      about 1 s;
//   NothingToOffer     the dialog, with its one-second timer, closes within 2 s of opening.
// No benchmark sets counters of its own, so that every output format, CSV too, takes the runs.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>

#include "foundation/file_catalogue.h"
#include "foundation/file_io.h"
#include "liveupdate/curl_transfer_client.h"
#include "liveupdate/listing_writer.h"
#include "liveupdate/live_update_dialog.h"
#include "liveupdate/live_update_session.h"
#include "support/event_wait.h"
#include "support/message_log_ui.h"
#include "support/update_server.h"
#include "support/zip_file.h"

namespace {

namespace fs = std::filesystem;
using vek::TransferKind;
using vek::testing::MessageLogUi;
using vek::testing::Spin;

constexpr int kFiles = 40;
constexpr std::size_t kFileSize = 1 << 20;

// How long a run may take, and how often its end is looked for.
constexpr std::chrono::seconds kLimit(60);
constexpr std::chrono::milliseconds kPoll(2);

void Write(const fs::path& file, std::size_t size, char fill) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << std::string(size, fill);
}

// The user's installation with the recitations S1..S40, the maker's with new versions of them,
// and two servers offering them as 1 MiB archives.
struct Installations {
  Installations() : folder(TemporaryFolder()) {
    fs::create_directories(root);
    for (int i = 1; i <= kFiles; ++i) {
      const std::string name = "S" + std::to_string(i);
      Write(prog / "SOUNDS" / "SURAS" / (name + ".WAV"), 1000, 'o');
      // The new recitations are as large as their archives (sound does not compress much).
      Write(maker / "SOUNDS" / "SURAS" / (name + ".WAV"), kFileSize, 'n');
      // The archive holds the recitation, stored: the restarted program must be able to unpack
      // it, or the download does not take it.
      vek::WriteFileReplacing(
          root / ("go-s" + std::to_string(i) + ".z"),
          vek::testing::ZipBytes({{name + ".WAV", std::string(kFileSize, 'z')}}, true));
    }
    fs::create_directories(prog / "LiveUpdate");
    fs::create_directories(same / "LiveUpdate");
    vek::SystemServices sys{.ui = ui};
    vek::TListingSettings settings;
    settings.programFolder = prog;
    vek::WriteLiveUpdateDirList(settings, prog / "LiveUpdate" / "vekdirs.rec", vek::FileCatalogue(),
                                sys);
    settings.programFolder = maker;
    fs::create_directories(root / "liveupdate");
    vek::WriteLiveUpdateDirList(settings, root / "liveupdate" / "vekdirs.rec", vek::FileCatalogue(),
                                sys);
    // An installation that is up to date: its listing is the server's.
    fs::copy_file(root / "liveupdate" / "vekdirs.rec", same / "LiveUpdate" / "vekdirs.rec");
    ftp = std::make_unique<vek::testing::UpdateServer>("ftp", root, folder);
    http = std::make_unique<vek::testing::UpdateServer>("http", root, folder);
  }
  ~Installations() {
    ftp.reset();
    http.reset();
    std::error_code ec;
    fs::remove_all(folder, ec);
  }

  vek::testing::UpdateServer& Server(TransferKind kind) {
    return kind == TransferKind::Ftp ? *ftp : *http;
  }
  vek::TLiveUpdateServer Config(TransferKind kind) {
    vek::TLiveUpdateServer s;
    s.kind = kind;
    s.ftpHost = "127.0.0.1";
    s.ftpPort = ftp->port;
    s.httpBase = "http://127.0.0.1:" + std::to_string(http->port);
    return s;
  }
  vek::TLiveUpdateSetup Setup(TransferKind kind, const fs::path& program) {
    vek::TLiveUpdateSetup setup;
    setup.kind = kind;
    setup.programFolder = program;
    setup.updateFolder = program / "LiveUpdate";
    setup.comparison.fileExists = vek::ProgramFolderProbe(program);
    return setup;
  }
  // The fetched archives go, so that the next run fetches them again.
  void Clean() {
    for (const fs::directory_entry& e : fs::directory_iterator(prog)) {
      if (e.is_regular_file())
        fs::remove(e.path());
    }
  }

  static fs::path TemporaryFolder() {
    std::string pattern = (fs::temp_directory_path() / "vek-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data());
  }

  const fs::path folder;
  fs::path prog = folder / "prog";
  fs::path same = folder / "same";
  fs::path maker = folder / "maker";
  fs::path root = folder / "root";
  MessageLogUi ui;
  std::unique_ptr<vek::testing::UpdateServer> ftp;
  std::unique_ptr<vek::testing::UpdateServer> http;
};

Installations& Shared() {
  static Installations installations;
  return installations;
}

// A session on the real client, opened up to its offer.
struct Run {
  Run(TransferKind kind, const fs::path& program)
      : client(Shared().Config(kind)),
        timer(std::chrono::seconds(1), [this] { session->TaskTimer_Timer(); }),
        catalogue(vek::FileCatalogue()),
        session(std::make_unique<vek::TLiveUpdateSession>(Shared().Setup(kind, program), client,
                                                          timer, sys, catalogue)) {
    session->onCloseRequested = [this] {
      closed = true;
      session->FormClose();
    };
    session->FormCreate();
  }
  bool Open() {
    session->FormActivate();
    return Spin([this] { return session->Opened(); }, kLimit, kPoll);
  }

  vek::CurlTransferClient client;
  vek::QtSessionTimer timer;
  MessageLogUi ui;
  vek::SystemServices sys{.ui = ui};
  vek::TFileCatalogue catalogue;
  std::unique_ptr<vek::TLiveUpdateSession> session;
  bool closed = false;
};

void Download40MiB(benchmark::State& state) {
  const auto kind = static_cast<TransferKind>(state.range(0));
  Installations& shared = Shared();
  shared.Server(kind).SetFaults("");
  for (auto _ : state) {
    shared.Clean();
    Run run(kind, shared.prog);
    if (!run.Open() || run.session->View().offered.size() != kFiles) {
      state.SkipWithError(("no offer: " + run.ui.messages).c_str());
      return;
    }
    QElapsedTimer elapsed;
    elapsed.start();
    run.session->StartUpdate_BitBtnClick();
    const bool ended = Spin(
        [&] {
          return !run.session->DownloadBusy() &&
                 run.session->TimerMode() == vek::TLiveUpdateSession::kCloseCountdown;
        },
        kLimit, kPoll);
    state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
    if (!ended || run.session->DownloadedFileCount() != kFiles) {
      // The log's last line says why.
      const std::vector<std::string>& log = run.session->View().englishMemo;
      state.SkipWithError(
          ("incomplete: " + run.ui.messages + (log.empty() ? "" : log.back())).c_str());
      return;
    }
  }
  state.SetBytesProcessed(state.iterations() * kFiles * static_cast<std::int64_t>(kFileSize));
}
BENCHMARK(Download40MiB)
    ->Arg(static_cast<int>(TransferKind::Ftp))
    ->Arg(static_cast<int>(TransferKind::Http))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// A second Close during a transfer from a slow server; the time until the transfer has ended
// (untilClosed: until the dialog's timer has closed the session).
void SecondCloseOf(benchmark::State& state, bool untilClosed) {
  const auto kind = static_cast<TransferKind>(state.range(0));
  Installations& shared = Shared();
  shared.Server(kind).SetFaults("/go-s1.z rate 1024\n");
  for (auto _ : state) {
    shared.Clean();
    Run run(kind, shared.prog);
    if (!run.Open()) {
      state.SkipWithError("no offer");
      break;
    }
    run.session->StartUpdate_BitBtnClick();
    const fs::path temp = shared.prog / "go-s1.z.tovarelin";
    Spin([&] { return run.session->View().progress1Pos > 0; }, kLimit, kPoll);
    run.session->Cancel_BitBtnClick();
    QElapsedTimer elapsed;
    elapsed.start();
    run.session->Cancel_BitBtnClick();
    if (run.session->TransferRunning() || fs::exists(temp)) {
      state.SkipWithError("still running");
      break;
    }
    if (untilClosed && !Spin([&] { return run.closed; }, kLimit, kPoll)) {
      state.SkipWithError("not closed");
      break;
    }
    state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
  }
  shared.Server(kind).SetFaults("");
}

void SecondClose(benchmark::State& state) {
  SecondCloseOf(state, false);
}
BENCHMARK(SecondClose)
    ->Arg(static_cast<int>(TransferKind::Ftp))
    ->Arg(static_cast<int>(TransferKind::Http))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void SecondCloseToClosed(benchmark::State& state) {
  SecondCloseOf(state, true);
}
BENCHMARK(SecondCloseToClosed)
    ->Arg(static_cast<int>(TransferKind::Ftp))
    ->Arg(static_cast<int>(TransferKind::Http))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void NothingToOffer(benchmark::State& state) {
  const auto kind = static_cast<TransferKind>(state.range(0));
  Installations& shared = Shared();
  shared.Server(kind).SetFaults("");
  for (auto _ : state) {
    MessageLogUi ui;
    vek::SystemServices sys{.ui = ui};
    vek::TFileCatalogue catalogue = vek::FileCatalogue();
    vek::TFTP_Main_Dlg dialog(shared.Setup(kind, shared.same),
                              std::make_unique<vek::CurlTransferClient>(shared.Config(kind)), sys,
                              catalogue);
    bool finished = false;
    QObject::connect(&dialog, &QDialog::finished, [&] { finished = true; });
    QElapsedTimer elapsed;
    elapsed.start();
    dialog.show();
    const bool closed = Spin([&] { return finished; }, kLimit, kPoll);
    state.SetIterationTime(static_cast<double>(elapsed.nsecsElapsed()) / 1e9);
    if (!closed || ui.messages != "Your files do not need updating\n") {
      state.SkipWithError(("not closed: " + ui.messages).c_str());
      return;
    }
  }
}
BENCHMARK(NothingToOffer)
    ->Arg(static_cast<int>(TransferKind::Ftp))
    ->Arg(static_cast<int>(TransferKind::Http))
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  vek::InitFileCatalogue();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
