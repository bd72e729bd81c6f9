// Two installations and an update server for the Live Update tests: the user's program folder,
// the maker's installation whose listing the server offers (both listings written by the
// program's own listing writer), and the files the server serves under their remote names.
// The server runs on 127.0.0.1 over FTP or HTTP; the session runs on the Qt event loop.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTimer>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "foundation/file_catalogue.h"
#include "foundation/system_services.h"
#include "foundation/text.h"
#include "liveupdate/curl_transfer_client.h"
#include "liveupdate/listing_writer.h"
#include "liveupdate/live_update_dialog.h"
#include "liveupdate/live_update_session.h"
#include "support/event_wait.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"
#include "support/fake_ui.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "support/update_server.h"
#include "support/zip_file.h"

namespace vek::testing {

namespace fs = std::filesystem;

// A file with its bytes and a fixed date (2 January 2025, 10:00 local time, or later by
// minutes), so that both listings give equal files equal stamps.
inline void WriteFile(const fs::path& file, const std::string& bytes, int minutes = 0) {
  fs::create_directories(file.parent_path());
  std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
  std::tm tm{};
  tm.tm_year = 125;
  tm.tm_mon = 0;
  tm.tm_mday = 2;
  tm.tm_hour = 10;
  tm.tm_min = minutes;
  tm.tm_isdst = -1;
  fs::last_write_time(file, std::chrono::file_clock::from_sys(
                                std::chrono::system_clock::from_time_t(std::mktime(&tm))));
}

inline std::string Bytes(std::size_t size, char fill) {
  std::string bytes(size, fill);
  for (std::size_t i = 0; i < size; i += 97)
    bytes[i] = static_cast<char>('a' + i % 26);
  return bytes;
}

class LiveUpdateFixture {
 public:
  explicit LiveUpdateFixture(TransferKind kind) : kind_(kind) {
    fs::create_directories(prog / "LiveUpdate");
    fs::create_directories(maker);
    fs::create_directories(root / "liveupdate");
  }

  // Starts the server; false (with the reason) when it did not start.
  ::testing::AssertionResult StartServer() {
    server = std::make_unique<UpdateServer>(kind_ == TransferKind::Ftp ? "ftp" : "http", root,
                                            dir.path());
    if (server->port <= 0)
      return ::testing::AssertionFailure() << "no server: " << server->firstLine;
    return ::testing::AssertionSuccess();
  }

  // A file of both installations, alike.
  void Installed(const fs::path& name, const std::string& bytes) {
    WriteFile(prog / name, bytes);
    WriteFile(maker / name, bytes);
  }
  // A file whose new version the maker offers, served under its remote name.
  void Offered(const fs::path& name, const std::string& bytes, const std::string& remotePath,
               const std::string& served) {
    WriteFile(maker / name, bytes, 5);
    Serve(remotePath, served);
  }
  void Serve(const std::string& remotePath, const std::string& bytes) {
    WriteFile(root / remotePath.substr(1), bytes);
  }

  // Three sound files whose new versions (3,006, 3,006 and 3,007 bytes) the maker offers as
  // archives (go-aleppo.z, go-egypt1.z, go-maccah1.z) that hold them, stored: archives of 3,124,
  // 3,124 and 3,127 bytes.
  void ThreeSounds() {
    for (const char* name : {"ALEPPO", "EGYPT1", "MACCAH1"}) {
      const std::string stem = name;
      const std::string lower = AsciiLower(stem);
      WriteFile(prog / "SOUNDS" / (stem + ".WAV"), Bytes(1000, 'o'));
      const std::string wave = Bytes(3000 + lower.size(), lower[0]);
      Offered(fs::path("SOUNDS") / (stem + ".WAV"), wave, "/go-" + lower + ".z",
              testing::ZipBytes({{stem + ".WAV", wave}}, true));
    }
  }

  // Files left in the program folder or its LiveUpdate folder by a transfer that did not end
  // well.
  std::vector<std::string> TemporaryFiles() const {
    std::vector<std::string> names;
    for (const fs::path& folder : {prog, prog / "LiveUpdate"}) {
      for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        if (e.path().extension() == ".tovarelin")
          names.push_back(e.path().filename().string());
      }
    }
    return names;
  }

  // Both listings: the local one where the Live Update command writes it, the maker's on the
  // server.
  void Publish() {
    TListingSettings local;
    local.programFolder = prog;
    ASSERT_EQ(
        TListingOutcome::Written,
        WriteLiveUpdateDirList(local, prog / "LiveUpdate" / "vekdirs.rec", FileCatalogue(), sys)
            .status)
        << ::testing::PrintToString(ui.messages);
    TListingSettings server = local;
    server.programFolder = maker;
    ASSERT_EQ(
        TListingOutcome::Written,
        WriteLiveUpdateDirList(server, root / "liveupdate" / "vekdirs.rec", FileCatalogue(), sys)
            .status);
  }

  TLiveUpdateServer Server() const {
    TLiveUpdateServer s;
    s.kind = kind_;
    s.ftpHost = "127.0.0.1";
    s.ftpPort = server ? server->port : 0;
    s.httpBase = "http://127.0.0.1:" + std::to_string(server ? server->port : 0);
    s.connectTimeout = std::chrono::seconds(5);
    s.dataTimeout = std::chrono::seconds(5);
    s.replyTimeout = std::chrono::seconds(5);
    return s;
  }

  TLiveUpdateSetup SessionSetup() const {
    TLiveUpdateSetup setup;
    setup.kind = kind_;
    setup.programFolder = prog;
    setup.updateFolder = prog / "LiveUpdate";
    setup.language = Language::English;
    setup.comparison.adhans = {{"ALEPPO.WAV", "Aleppo", "حلب"}};
    setup.comparison.fileExists = ProgramFolderProbe(prog);
    return setup;
  }

  TransferKind kind_;
  TempDir dir;
  const fs::path prog = dir.path() / "prog";    // the user's program folder
  const fs::path maker = dir.path() / "maker";  // the maker's installation
  const fs::path root = dir.path() / "root";    // the server's files
  FakeUi ui;
  FakeClock waits;
  FakeFileSystem files;  // the real one, with the free space a test may set
  SystemServices sys{.ui = ui, .clock = waits, .fs = files};
  std::unique_ptr<UpdateServer> server;
};

// A session over a real client on the event loop, with a quick timer.
class SessionRun {
 public:
  SessionRun(const TLiveUpdateSetup& setup, const TLiveUpdateServer& server, SystemServices& sys,
             std::chrono::milliseconds tick = std::chrono::milliseconds(50))
      : client(server),
        timer(tick, [this] { session->TaskTimer_Timer(); }),
        catalogue(FileCatalogue()),
        session(std::make_unique<TLiveUpdateSession>(setup, client, timer, sys, catalogue)) {
    session->onCloseRequested = [this] {
      ++closeRequests;
      session->FormClose();
    };
    session->FormCreate();
  }

  // Opens the session and waits until the opening has ended: the offer stands, or the session
  // failed.
  bool Open() {
    session->FormActivate();
    return Spin([this] { return !session->Activating(); });
  }
  bool Closed() {
    return Spin([this] { return closeRequests > 0; });
  }
  // The download run has ended.
  bool RunEnded() {
    return Spin([this] { return !session->DownloadBusy(); });
  }
  const TLiveUpdateView& View() const { return session->View(); }

  CurlTransferClient client;
  QtSessionTimer timer;
  TFileCatalogue catalogue;
  std::unique_ptr<TLiveUpdateSession> session;
  int closeRequests = 0;
};

}  // namespace vek::testing
