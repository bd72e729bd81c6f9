// The Live Update session against real servers on 127.0.0.1, over FTP and over HTTP: the
// listing, the comparison, the moves between the grids, the download run with its faults, Close
// and the time-outs; a table of servers that misbehave or lie; the window that stays alive
// whatever a server does, and the dialog's log.
#include <netinet/in.h>
#include <sys/socket.h>

#include <random>

#include <QElapsedTimer>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolButton>

#include "foundation/conversions.h"
#include "foundation/file_io.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/live_update_fixture.h"
#include "liveupdate/remote_names.h"
#include "liveupdate/transfer_failure_reason.h"
#include "locations/location_file.h"
#include "support/arabic_text.h"
#include "support/listing_records.h"
#include "support/locations_fixture.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::ListedFile;
using testing::LiveUpdateFixture;
using testing::ReadBytes;
using testing::SampleLocationsImage;
using testing::SessionRun;
using testing::Spin;
using testing::WriteFile;

std::string KindName(const ::testing::TestParamInfo<TransferKind>& info) {
  return info.param == TransferKind::Ftp ? "Ftp" : "Http";
}

std::vector<std::string> OfferedNames(const SessionRun& run) {
  std::vector<std::string> names;
  for (const TGridRow& row : run.View().offered)
    names.push_back(row[0]);
  return names;
}

// The log's line that begins with start; empty when there is none.
std::string LogLine(const SessionRun& run, const std::string& start) {
  for (const std::string& line : run.View().englishMemo) {
    if (line.starts_with(start))
      return line;
  }
  return {};
}

// The Arabic twin of the English log line that starts with start.
std::string ArabicLogLine(const SessionRun& run, const std::string& start) {
  const auto& english = run.View().englishMemo;
  for (std::size_t i = 0; i < english.size() && i < run.View().arabicMemo.size(); ++i) {
    if (english[i].starts_with(start))
      return run.View().arabicMemo[i];
  }
  return {};
}

class OverServer : public ::testing::TestWithParam<TransferKind>, public LiveUpdateFixture {
 protected:
  OverServer() : LiveUpdateFixture(GetParam()) {}
  void SetUp() override { ASSERT_TRUE(StartServer()); }
};

INSTANTIATE_TEST_SUITE_P(Kinds, OverServer,
                         ::testing::Values(TransferKind::Ftp, TransferKind::Http), KindName);

TEST_P(OverServer, NothingToOfferClosesOnTheNextTick) {
  Installed("VEK.LOC", Bytes(500, 'l'));
  Installed(fs::path("SOUNDS") / "ALEPPO.WAV", Bytes(800, 'a'));
  Publish();
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  EXPECT_TRUE(run.session->ListingComplete());
  EXPECT_EQ((std::vector<std::string>{"Your files do not need updating"}), ui.messages);
  ASSERT_TRUE(run.Closed());
  EXPECT_EQ(0, run.session->DownloadedFileCount());
  EXPECT_FALSE(run.View().listsVisible);
  // The server's listing arrived whole, under its name; over FTP the folder's listing is kept.
  EXPECT_EQ(ReadBytes(root / "liveupdate" / "vekdirs.rec"),
            ReadBytes(prog / "LiveUpdate" / "vekdirs.dwn"));
  if (GetParam() == TransferKind::Ftp)
    EXPECT_NE(std::string::npos,
              ReadBytes(prog / "LiveUpdate" / "vekdirs.DAT").find("vekdirs.rec"));
  else
    EXPECT_FALSE(fs::exists(prog / "LiveUpdate" / "vekdirs.DAT"));
  EXPECT_TRUE(TemporaryFiles().empty());
}

TEST_P(OverServer, MovesBetweenTheGridsDecideWhatIsFetched) {
  ThreeSounds();
  Publish();
  // MACCAH1 was ignored in an earlier session.
  std::string ignore;
  AppendIgnoreRec({"maccah1.wav", 3007, 0, "New version"}, ignore);
  ASSERT_EQ(0, WriteFileReplacing(prog / "LiveUpdate" / "IGNORE.REC", ignore));
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();
  EXPECT_TRUE(run.View().listsVisible);
  EXPECT_EQ((std::vector<std::string>{"aleppo.wav", "egypt1.wav"}), OfferedNames(run));
  ASSERT_EQ(1u, run.View().ignored.size());

  // Egypt 1 is held back; Maccah 1 is let through.
  run.session->SelectOffered(1);
  run.session->RemoveOne();
  run.session->SelectIgnored(0);
  run.session->AddOne();
  EXPECT_EQ((std::vector<std::string>{"aleppo.wav", "maccah1.wav"}), OfferedNames(run));
  bool cut = false;
  RecordFileError error = RecordFileError::None;
  std::vector<TIgnoreRec> saved =
      DecodeIgnoreFile(ReadBytes(prog / "LiveUpdate" / "IGNORE.REC"), cut, error);
  ASSERT_EQ(1u, saved.size());
  EXPECT_EQ("egypt1.wav", saved[0].FileName);

  server->ClearRequests();
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.Closed());
  EXPECT_EQ(2, run.session->DownloadedFileCount());
  EXPECT_EQ(ReadBytes(root / "go-aleppo.z"), ReadBytes(prog / "go-aleppo.z"));
  EXPECT_EQ(ReadBytes(root / "go-maccah1.z"), ReadBytes(prog / "go-maccah1.z"));
  EXPECT_FALSE(fs::exists(prog / "go-egypt1.z"));
  const std::string verb = GetParam() == TransferKind::Ftp ? "RETR " : "GET ";
  EXPECT_EQ((std::vector<std::string>{verb + "/go-aleppo.z", verb + "/go-maccah1.z"}),
            server->Requests());
  // The fetched file has the date of the maker's file.
  EXPECT_EQ(fs::last_write_time(maker / "SOUNDS" / "ALEPPO.WAV"),
            fs::last_write_time(prog / "go-aleppo.z"));
  EXPECT_TRUE(run.View().offered.empty());
  saved = DecodeIgnoreFile(ReadBytes(prog / "LiveUpdate" / "IGNORE.REC"), cut, error);
  ASSERT_EQ(1u, saved.size());
  EXPECT_EQ("egypt1.wav", saved[0].FileName);
}

TEST_P(OverServer, ADroppedItemStaysOnOfferAndARetryFetchesIt) {
  ThreeSounds();
  // An older copy of the second archive is in the program folder already.
  WriteFile(prog / "GO-EGYPT1.Z", "old archive");
  Publish();
  server->SetFaults("/go-egypt1.z drop 1000\n");
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.RunEnded());
  EXPECT_EQ(2, run.session->DownloadedFileCount());
  EXPECT_EQ((std::vector<std::string>{"egypt1.wav"}), OfferedNames(run));
  EXPECT_TRUE(run.View().preventEnabled);
  EXPECT_TRUE(run.session->ListsEditable());
  EXPECT_EQ("old archive", ReadBytes(prog / "GO-EGYPT1.Z"));
  EXPECT_TRUE(TemporaryFiles().empty());
  EXPECT_NE(std::string::npos,
            LogLine(run, "***INCOMPLETE*** egypt1.wav: ").find("after 1,000 of 3,124 bytes"));
  // The dialog stays open.
  EXPECT_FALSE(Spin([&] { return run.closeRequests > 0; }, std::chrono::milliseconds(300)));

  server->SetFaults("");
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.Closed());
  // The count is the session's: three files, and the archive replaced whatever its case.
  EXPECT_EQ(3, run.session->DownloadedFileCount());
  EXPECT_EQ(ReadBytes(root / "go-egypt1.z"), ReadBytes(prog / "GO-EGYPT1.Z"));
  EXPECT_FALSE(fs::exists(prog / "go-egypt1.z"));
}

TEST_P(OverServer, WhatIsNoWholeFileIsNeverAFile) {
  ThreeSounds();
  // The package is fetched under its listed name: it must have its listed size.
  Offered("ZUZUZ623.EXE", Bytes(2000, 'p'), "/zuzuz623.exe", Bytes(2100, 'p'));
  Publish();
  fs::remove(root / "go-aleppo.z");  // not on the server: 404 or 550
  if (GetParam() == TransferKind::Http)
    server->SetFaults("/go-egypt1.z status 500\n/go-maccah1.z redirect /go-egypt1.z\n");
  else
    server->SetFaults("/go-egypt1.z drop 10\n/go-maccah1.z stall 0\n");
  TLiveUpdateServer config = Server();
  config.dataTimeout = std::chrono::seconds(1);
  config.replyTimeout = std::chrono::seconds(1);
  SessionRun run(SessionSetup(), config, sys);
  ASSERT_TRUE(run.Open());
  ASSERT_EQ(4u, run.View().offered.size());
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.RunEnded());
  EXPECT_EQ(0, run.session->DownloadedFileCount());
  EXPECT_EQ(4u, run.View().offered.size());
  for (const char* name : {"go-aleppo.z", "go-egypt1.z", "go-maccah1.z", "zuzuz623.exe"})
    EXPECT_FALSE(fs::exists(prog / name)) << name;
  EXPECT_TRUE(TemporaryFiles().empty());
  EXPECT_TRUE(run.View().preventEnabled);
  if (GetParam() == TransferKind::Http) {
    // The failed request names the file it was to fill.
    const std::vector<std::string>& memo = run.View().englishMemo;
    EXPECT_NE(std::find(memo.begin(), memo.end(), (prog / "go-egypt1.z.tovarelin").string()),
              memo.end());
    EXPECT_EQ(0u, run.View().status.find("HTTP GET Failed: HTTP/1.1 302 Found"))
        << run.View().status;
  }
}

TEST_P(OverServer, AMissingListingEndsTheSession) {
  Installed("VEK.LOC", Bytes(500, 'l'));
  Publish();
  fs::remove(root / "liveupdate" / "vekdirs.rec");
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  EXPECT_FALSE(run.session->ListingComplete());
  EXPECT_EQ((std::vector<std::string>{"Download Incomplete\r\nMust Retry"}), ui.messages);
  ASSERT_TRUE(run.Closed());
  EXPECT_FALSE(fs::exists(prog / "LiveUpdate" / "vekdirs.dwn"));
  EXPECT_TRUE(TemporaryFiles().empty());
}

TEST_P(OverServer, OneCloseLetsTheItemFinishAndStartsNoOther) {
  ThreeSounds();
  Publish();
  server->SetFaults("/go-aleppo.z rate 6000\n");
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  server->ClearRequests();
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(Spin([&] { return run.View().progress1Pos > 0; }));
  run.session->Cancel_BitBtnClick();
  EXPECT_TRUE(run.View().closingVisible);
  EXPECT_NE(std::string::npos, run.View().closing.find("press Close again"));
  ASSERT_TRUE(run.Closed());
  EXPECT_EQ(1, run.session->DownloadedFileCount());
  EXPECT_EQ(ReadBytes(root / "go-aleppo.z"), ReadBytes(prog / "go-aleppo.z"));
  EXPECT_EQ(1u, server->Requests().size());
}

TEST_P(OverServer, ASecondCloseAbortsAtOnce) {
  ThreeSounds();
  Publish();
  server->SetFaults("/go-aleppo.z rate 1024\n");
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  run.session->StartUpdate_BitBtnClick();
  const fs::path temp = prog / "go-aleppo.z.tovarelin";
  ASSERT_TRUE(Spin([&] { return run.View().progress1Pos > 0; }));
  run.session->Cancel_BitBtnClick();
  EXPECT_TRUE(fs::exists(temp));
  run.session->Cancel_BitBtnClick();
  // Gone at once, not after the transfer.
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_FALSE(run.session->TransferRunning());
  ASSERT_TRUE(run.Closed());
  EXPECT_EQ(0, run.session->DownloadedFileCount());
  EXPECT_EQ(3u, run.View().offered.size());
  EXPECT_FALSE(fs::exists(prog / "go-aleppo.z"));
}

// FTP in active mode; HTTP through the configured proxy only, never the environment's.
TEST_P(OverServer, TheConfiguredWayIsTaken) {
  ThreeSounds();
  Publish();
  TLiveUpdateServer config = Server();
  if (GetParam() == TransferKind::Ftp) {
    config.ftpPassive = false;
  } else {
    ::setenv("http_proxy", "http://127.0.0.1:1", 1);
    ::setenv("HTTP_PROXY", "http://127.0.0.1:1", 1);
    SessionRun direct(SessionSetup(), config, sys);
    const bool opened = direct.Open();
    ::unsetenv("http_proxy");
    ::unsetenv("HTTP_PROXY");
    ASSERT_TRUE(opened);
    EXPECT_EQ(3u, direct.View().offered.size()) << ::testing::PrintToString(ui.messages);
    // The server answers a proxy's requests too; the update host itself resolves nowhere.
    config.httpBase = "http://update.vek.invalid";
    config.proxyHost = "127.0.0.1";
    config.proxyPort = server->port;
  }
  SessionRun run(SessionSetup(), config, sys);
  ASSERT_TRUE(run.Open());
  ASSERT_EQ(3u, run.View().offered.size()) << ::testing::PrintToString(ui.messages);
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.Closed());
  EXPECT_EQ(3, run.session->DownloadedFileCount());
}

TEST_P(OverServer, EveryWayOfClosingTheDialogAbortsTheTransfer) {
  ThreeSounds();
  Publish();
  server->SetFaults("/go-aleppo.z rate 1024\n");
  const fs::path temp = prog / "go-aleppo.z.tovarelin";
  TFileCatalogue catalogue = FileCatalogue();
  for (const bool escape : {true, false}) {
    SCOPED_TRACE(escape ? "Escape" : "title bar");
    TFTP_Main_Dlg dialog(SessionSetup(), std::make_unique<CurlTransferClient>(Server()), sys,
                         catalogue, nullptr, std::chrono::milliseconds(50));
    dialog.show();
    ASSERT_TRUE(Spin([&] { return dialog.Session().Opened(); }));
    dialog.StartUpdate_BitBtn->click();
    ASSERT_TRUE(Spin([&] { return dialog.Session().View().progress1Pos > 0; }));
    ASSERT_TRUE(fs::exists(temp));
    if (escape)
      dialog.reject();
    else
      dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.Session().Closed());
    EXPECT_FALSE(fs::exists(temp));
    EXPECT_EQ(0, dialog.DownloadedFileCount());
  }
}

TEST_P(OverServer, AStalledListingTimesOut) {
  Installed("VEK.LOC", Bytes(500, 'l'));
  Publish();
  server->SetFaults("/liveupdate/vekdirs.rec stall 0\n");
  TLiveUpdateServer config = Server();
  config.dataTimeout = std::chrono::seconds(1);
  config.replyTimeout = std::chrono::seconds(1);
  SessionRun run(SessionSetup(), config, sys);
  ASSERT_TRUE(run.Open());
  EXPECT_FALSE(run.session->ListingComplete());
  EXPECT_EQ((std::vector<std::string>{"Download Incomplete\r\nMust Retry"}), ui.messages);
  ASSERT_TRUE(run.Closed());
  EXPECT_TRUE(TemporaryFiles().empty());
}

TEST_P(OverServer, AServerThatNeverAnswersIsAFailedConnection) {
  // A port that accepts connections and says nothing.
  const int listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  ASSERT_EQ(0, ::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address));
  ASSERT_EQ(0, ::listen(listener, 4));
  ASSERT_EQ(0, ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length));
  Installed("VEK.LOC", Bytes(500, 'l'));
  Publish();
  TLiveUpdateServer config = Server();
  config.ftpPort = ntohs(address.sin_port);
  config.httpBase = "http://127.0.0.1:" + std::to_string(ntohs(address.sin_port));
  config.dataTimeout = std::chrono::seconds(1);
  config.replyTimeout = std::chrono::seconds(1);
  SessionRun run(SessionSetup(), config, sys);
  ASSERT_TRUE(run.Open());
  EXPECT_FALSE(run.session->ListingComplete());
  if (GetParam() == TransferKind::Ftp) {
    // No greeting: the connection failed, the advice is given (in one box), and Close is up
    // to the user.
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(0u, ui.messages[0].find("Connection failed...\nPlease try connecting"));
    EXPECT_FALSE(Spin([&] { return run.closeRequests > 0; }, std::chrono::milliseconds(300)));
    run.session->Cancel_BitBtnClick();
  } else {
    // Connected, but the listing never comes.
    EXPECT_EQ((std::vector<std::string>{"Download Incomplete\r\nMust Retry"}), ui.messages);
  }
  EXPECT_TRUE(run.Closed());
  ::close(listener);
}

TEST_P(OverServer, SkipDownloadComparesTheListingOnDisk) {
  ThreeSounds();
  Publish();
  fs::copy_file(root / "liveupdate" / "vekdirs.rec", prog / "LiveUpdate" / "vekdirs.dwn");
  server->ClearRequests();
  TLiveUpdateSetup setup = SessionSetup();
  setup.skipDownload = true;
  SessionRun run(setup, Server(), sys);
  ASSERT_TRUE(run.Open());
  EXPECT_EQ(3u, run.View().offered.size());
  EXPECT_TRUE(server->Requests().empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_P(OverServer, SkipDownloadWithoutAListingSaysSoOnceAndCloses) {
  ThreeSounds();
  Publish();
  TLiveUpdateSetup setup = SessionSetup();
  setup.skipDownload = true;
  SessionRun run(setup, Server(), sys);
  ASSERT_TRUE(run.Open());
  ASSERT_TRUE(run.Closed());
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_NE(std::string::npos, ui.messages[0].find("vekdirs.dwn"));
  EXPECT_TRUE(run.session->ComparisonDone());
  run.session->FormClose();
  EXPECT_EQ(1u, ui.messages.size());
}

TEST_P(OverServer, AHostileListingReachesNoPathOutsideTheProgramFolder) {
  ThreeSounds();
  Publish();
  // The server's listing gets names that are no plain file names.
  std::string listing = ReadBytes(root / "liveupdate" / "vekdirs.rec");
  for (const char* name :
       {"../../EVIL.WAV", "S1.WAV/../../X", "..\\EVIL.WAV", "S2.WAV\r\nDELE", "ZUZUZ999.EXE/..",
        ".ZUZUZ999.EXE", "ALEPPO.WAV?X", "DIRIZ\u200F\u200E.EXE"}) {
    AppendListingRec(ListedFile(name, 4000, 0x5A000000), listing);
  }
  ASSERT_EQ(0, WriteFileReplacing(root / "liveupdate" / "vekdirs.rec", listing));
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  EXPECT_EQ((std::vector<std::string>{"aleppo.wav", "egypt1.wav", "maccah1.wav"}),
            OfferedNames(run));
  server->ClearRequests();
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.Closed());
  EXPECT_EQ(3, run.session->DownloadedFileCount());
  for (const std::string& request : server->Requests())
    EXPECT_EQ(std::string::npos, request.find("..")) << request;
  EXPECT_FALSE(fs::exists(dir.path() / "EVIL.WAV"));
  EXPECT_FALSE(fs::exists(dir.path() / "X"));
}

// The server's listing with the newer-only byte of the file cleared, as any listing may have it:
// the file is then offered under its own name, not as the installer package that carries it.
void OfferedUnderItsOwnName(const fs::path& listing, const std::string& name) {
  RecordFileError error = RecordFileError::None;
  std::string bytes;
  for (TListingRec rec : DecodeListing(ReadBytes(listing), error)) {
    if (rec.FileName == name)
      rec.NewerOnly = 0;
    AppendListingRec(rec, bytes);
  }
  ASSERT_EQ(0, WriteFileReplacing(listing, bytes));
}

// A line of the log that holds every one of the parts.
bool Logged(const std::vector<std::string>& memo, std::initializer_list<std::string> parts) {
  return std::any_of(memo.begin(), memo.end(), [&](const std::string& line) {
    return std::all_of(parts.begin(), parts.end(), [&](const std::string& part) {
      return line.find(part) != std::string::npos;
    });
  });
}

TEST_P(OverServer, ALocationFileThatDoesNotReadNeverReplacesTheUsers) {
  const std::string mine = SampleLocationsImage(2);
  WriteFile(prog / "VEK.LOC", mine);
  // The listing is right about the file: 8,800 random bytes (a whole number of records of the
  // older layout), and the server sends those bytes.
  std::mt19937 random(8800);
  std::string noise(8800, '\0');
  for (char& b : noise)
    b = static_cast<char>(random());
  Offered("VEK.LOC", noise, "/vek.loc", noise);
  Publish();
  OfferedUnderItsOwnName(root / "liveupdate" / "vekdirs.rec", "VEK.LOC");
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  ASSERT_EQ((std::vector<std::string>{"vek.loc"}), OfferedNames(run));
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.RunEnded());
  EXPECT_EQ(0, run.session->DownloadedFileCount());
  EXPECT_EQ(mine, ReadBytes(prog / "VEK.LOC"));
  EXPECT_TRUE(TemporaryFiles().empty());
  EXPECT_FALSE(fs::exists(prog / "DOWNLOADED FILES"));
  EXPECT_EQ((std::vector<std::string>{"vek.loc"}), OfferedNames(run));
  // The log says why; the status line says what.
  EXPECT_TRUE(Logged(run.View().englishMemo, {"vek.loc", "version record"}))
      << ::testing::PrintToString(run.View().englishMemo);
  EXPECT_NE(std::string::npos, run.View().status.find("vek.loc")) << run.View().status;
  // The program still starts with the user's locations.
  TLocations list;
  EXPECT_TRUE(fnReadLocations(list, {prog}).ok);
  EXPECT_EQ(2, list.Count());
}

TEST_P(OverServer, ALocationFileThatReadsReplacesTheUsersOnceACopyIsKept) {
  const std::string mine = SampleLocationsImage(2);
  const std::string theirs = SampleLocationsImage(3);
  WriteFile(prog / "VEK.LOC", mine);
  Offered("VEK.LOC", theirs, "/vek.loc", theirs);
  Publish();
  OfferedUnderItsOwnName(root / "liveupdate" / "vekdirs.rec", "VEK.LOC");
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.Closed());
  EXPECT_EQ(1, run.session->DownloadedFileCount());
  EXPECT_EQ(theirs, ReadBytes(prog / "VEK.LOC"));
  std::vector<fs::path> copies;
  for (const fs::directory_entry& e : fs::directory_iterator(prog / "DOWNLOADED FILES"))
    copies.push_back(e.path());
  ASSERT_EQ(1u, copies.size());
  const std::string name = copies[0].filename().string();
  EXPECT_TRUE(name.starts_with("VEK-") && name.ends_with(".LOC")) << name;
  EXPECT_EQ(mine, ReadBytes(copies[0]));
  EXPECT_TRUE(Logged(run.View().englishMemo, {copies[0].string()}))
      << ::testing::PrintToString(run.View().englishMemo);
  EXPECT_TRUE(Logged(run.View().arabicMemo, {copies[0].string()}));
}

// The copy kept of the user's VEK.LOC takes room too: a disk with room for the download but not
// for the copy is told so before anything is fetched.
TEST_P(OverServer, TheRoomCheckCountsTheCopyKeptOfTheUsersFile) {
  const std::string mine = SampleLocationsImage(200);
  const std::string theirs = SampleLocationsImage(300);
  WriteFile(prog / "VEK.LOC", mine);
  Offered("VEK.LOC", theirs, "/vek.loc", theirs);
  Publish();
  OfferedUnderItsOwnName(root / "liveupdate" / "vekdirs.rec", "VEK.LOC");
  files.freeSpace = theirs.size() + mine.size() - 1;
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  server->ClearRequests();
  run.session->StartUpdate_BitBtnClick();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_NE(std::string::npos,
            ui.messages[0].find("the items need " + ThousandsOf(theirs.size() + mine.size())))
      << ui.messages[0];
  EXPECT_TRUE(server->Requests().empty());
  EXPECT_EQ(mine, ReadBytes(prog / "VEK.LOC"));
  EXPECT_EQ((std::vector<std::string>{"vek.loc"}), OfferedNames(run));

  // With room for both, the run goes ahead.
  files.freeSpace = theirs.size() + mine.size();
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.Closed());
  EXPECT_EQ(theirs, ReadBytes(prog / "VEK.LOC"));
}

// A sound archive whose wave file inflates far beyond the size the listing gives is not
// installed, however small the archive; the log says why.
TEST_P(OverServer, AnArchiveThatInflatesBeyondItsListedSizeIsNotInstalled) {
  ThreeSounds();
  Publish();
  Serve("/go-aleppo.z", testing::ZipBytes({{"ALEPPO.WAV", std::string(20u << 20, '\0')}}));
  WriteFile(prog / "go-aleppo.z", "old go-aleppo.z");
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.RunEnded());
  EXPECT_EQ(2, run.session->DownloadedFileCount());
  EXPECT_EQ("old go-aleppo.z", ReadBytes(prog / "go-aleppo.z"));
  EXPECT_TRUE(TemporaryFiles().empty());
  EXPECT_EQ((std::vector<std::string>{"aleppo.wav"}), OfferedNames(run));
  EXPECT_TRUE(Logged(run.View().englishMemo,
                     {"ALEPPO.WAV in it is 20,971,520 bytes, larger than the listing gives "
                      "(3,006 bytes)"}))
      << ::testing::PrintToString(run.View().englishMemo);
}

// An item may name a sound archive itself (here one the user let through from the ignore list):
// its size is then the archive's, no bound on the wave inside, which inflates well beyond it.
TEST_P(OverServer, AnArchiveFetchedUnderItsOwnNameIsNotBoundByItsSize) {
  ThreeSounds();
  Publish();
  const std::string archive = testing::ZipBytes({{"S30.WAV", Bytes(60000, 's')}});
  ASSERT_LT(archive.size(), 60000u);
  Serve("/go-s30.z", archive);
  std::string ignore;
  AppendIgnoreRec({"go-s30.z", static_cast<std::int32_t>(archive.size()), 0, "New file"}, ignore);
  ASSERT_EQ(0, WriteFileReplacing(prog / "LiveUpdate" / "IGNORE.REC", ignore));
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  run.session->SelectIgnored(0);
  run.session->AddOne();
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.RunEnded());
  EXPECT_EQ(4, run.session->DownloadedFileCount())
      << ::testing::PrintToString(run.View().englishMemo);
  EXPECT_TRUE(archive == ReadBytes(prog / "go-s30.z"));
}

// The listing says 70,000 bytes and the server sends 69,999 (and says so): the file is not
// taken, and the log and the status line say that its size differs, with both numbers.
// A local file that cannot be made or written: the reason names the system's cause, and in
// Arabic says it in Arabic first.
TEST_P(OverServer, AFileThatCannotBeMadeSaysWhyInTheUsersLanguage) {
  CurlTransferClient client(Server());
  std::optional<TransferOutcome> outcome;
  client.SetEventSink([&](const TransferEvent& event) {
    if (event.kind == TransferEvent::Done)
      outcome = event.outcome;
  });
  WriteFile(prog / "not a folder", "a file");
  client.Download("/vekdirs.dwn", prog / "not a folder" / ".vekdirs.dwn.tmp", 1 << 20);
  ASSERT_TRUE(Spin([&] { return outcome.has_value(); }));
  EXPECT_EQ(TransferFailure::LocalFile, outcome->failure);
  EXPECT_EQ(ENOTDIR, outcome->fileErrno);
  const TTwinText reason = TransferFailureReason(*outcome, {});
  EXPECT_NE(std::string::npos, reason.english.find("Not a directory")) << reason.english;
  EXPECT_TRUE(reason.arabic.starts_with("تعذرت كتابة الملف: جزء من المسار ليس مجلداً ("))
      << reason.arabic;

  // A write that fails on the way (a full disk) is told the same way.
  TransferOutcome full;
  full.failure = TransferFailure::LocalFile;
  full.fileErrno = ENOSPC;
  full.errorText = "No space left on device";
  EXPECT_EQ("تعذرت كتابة الملف: لا توجد مساحة كافية على القرص (رمز الخطأ 1028)",
            TransferFailureReason(full, {}).arabic);
}

TEST_P(OverServer, AFileOfAnotherSizeThanListedSaysSo) {
  Offered("ZUZUZ623.EXE", Bytes(70000, 'p'), "/zuzuz623.exe", Bytes(69999, 'p'));
  Publish();
  SessionRun run(SessionSetup(), Server(), sys);
  ASSERT_TRUE(run.Open());
  run.session->StartUpdate_BitBtnClick();
  ASSERT_TRUE(run.RunEnded());
  EXPECT_EQ(0, run.session->DownloadedFileCount());
  EXPECT_FALSE(fs::exists(prog / "zuzuz623.exe"));
  EXPECT_TRUE(TemporaryFiles().empty());
  const std::string says =
      "The size of zuzuz623.exe differs from the listing: 69,999 bytes arrived, the listing "
      "gives 70,000 bytes";
  EXPECT_TRUE(Logged(run.View().englishMemo, {says}))
      << ::testing::PrintToString(run.View().englishMemo);
  EXPECT_EQ(says, run.View().status);
}

// ---------------------------------------------------------------------------------------------
// A server that misbehaves or lies. Whatever it sends, nothing of it becomes a file: the
// transfer ends at the size it may have, its temporary file goes, the old file stays, the item
// stays on offer, and the log says why. A new way of misbehaving is one more row of the table.

struct BadServer {
  enum Outcome {
    ListingFails,    // the session ends without an offer
    ItemFails,       // the item stays on offer; the other items are fetched
    NothingFetched,  // the run does not start
    AllFetched,      // what the server got wrong harms no file
  };
  const char* name;
  const char* faults = "";  // the server's faults (update_server.py)
  Outcome outcome = ItemFails;
  const char* item = "aleppo.wav";  // ItemFails: the listed name of the item that fails
  // A text of the failure line in the log (NothingFetched: of the message); over HTTP
  // httpReason when it is given.
  const char* reason = "";
  const char* httpReason = nullptr;
  bool ftp = true;  // the kinds it applies to
  bool http = true;
  // Anything else the case needs before the session opens.
  std::function<void(LiveUpdateFixture&)> arrange = nullptr;
};

const BadServer kBadServers[] = {
    {.name = "EndlessListing",
     .faults = "/liveupdate/vekdirs.rec endless",
     .outcome = BadServer::ListingFails,
     .reason = "16,777,216 bytes"},
    {.name = "EndlessItem",
     .faults = "/go-aleppo.z endless",
     .reason = "listed size (3,006 bytes)"},
    {.name = "ItemLargerThanListed",
     .faults = "/zuzuz623.exe larger 5000000",
     .item = "zuzuz623.exe",
     .reason = "listed size (2,000 bytes)"},
    {.name = "ArchiveLargerThanListed",
     .faults = "/go-egypt1.z larger 52428800",
     .item = "egypt1.wav",
     .reason = "listed size (3,006 bytes)"},
    // The announced bytes are taken and the server reports that it could not send the rest.
    {.name = "MoreThanAnnounced",
     .faults = "/go-aleppo.z extra 5000000",
     .reason = "426 ",
     .http = false},
    // The bytes beyond the Content-Length belong to no file, and the connection they came on
    // is not used again: the next item is asked for on a fresh one.
    {.name = "ExtraBytesAfterTheContentLength",
     .faults = "/go-aleppo.z extra 5000",
     .outcome = BadServer::AllFetched,
     .ftp = false},
    {.name = "ItemSmallerThanAnnounced",
     .faults = "/go-aleppo.z drop 1000",
     .reason = "after 1,000 of 3,124 bytes"},
    {.name = "NotFound",
     .reason = "550 ",
     .httpReason = "404 Not Found",
     .arrange = [](LiveUpdateFixture& f) { fs::remove(f.root / "go-aleppo.z"); }},
    {.name = "ServerError",
     .faults = "/go-aleppo.z status 500",
     .reason = "500 Internal Server Error",
     .ftp = false},
    {.name = "Redirect",
     .faults = "/go-aleppo.z redirect /go-egypt1.z",
     .reason = "302 Found",
     .ftp = false},
    {.name = "Silence", .faults = "/go-aleppo.z stall 0", .reason = "time-out"},
    {.name = "StalledFinalReply",
     .faults = "/go-aleppo.z final",
     .reason = "final reply",
     .http = false},
    // Three archives at their allowance (the listed size, a thousandth of it and 64 KiB) and
    // the wave files unpacked from them at the restart, and the package.
    {.name = "NoRoomOnTheDisk",
     .outcome = BadServer::NothingFetched,
     .reason = "216,655 bytes",
     .arrange = [](LiveUpdateFixture& f) { f.files.freeSpace = 216654; }},
};

struct BadServerRun {
  TransferKind kind;
  const BadServer* server;
};

void PrintTo(const BadServerRun& run, std::ostream* out) {
  *out << (run.kind == TransferKind::Ftp ? "FTP " : "HTTP ") << run.server->name;
}

std::vector<BadServerRun> BadServerRuns() {
  std::vector<BadServerRun> runs;
  for (const BadServer& server : kBadServers) {
    if (server.ftp)
      runs.push_back({TransferKind::Ftp, &server});
    if (server.http)
      runs.push_back({TransferKind::Http, &server});
  }
  return runs;
}

class AgainstABadServer : public ::testing::TestWithParam<BadServerRun>, public LiveUpdateFixture {
 protected:
  AgainstABadServer() : LiveUpdateFixture(GetParam().kind) {}
  void SetUp() override { ASSERT_TRUE(StartServer()); }
};

INSTANTIATE_TEST_SUITE_P(Faults, AgainstABadServer, ::testing::ValuesIn(BadServerRuns()),
                         [](const ::testing::TestParamInfo<BadServerRun>& info) {
                           return std::string(info.param.kind == TransferKind::Ftp ? "Ftp"
                                                                                   : "Http") +
                                  info.param.server->name;
                         });

TEST_P(AgainstABadServer, NothingItSendsBecomesAFileAndTheLogSaysWhy) {
  const BadServer& bad = *GetParam().server;
  const std::string reason =
      GetParam().kind == TransferKind::Http && bad.httpReason ? bad.httpReason : bad.reason;
  ThreeSounds();
  // The package is fetched under its listed name.
  Offered("ZUZUZ623.EXE", Bytes(2000, 'p'), "/zuzuz623.exe", Bytes(2000, 'p'));
  Publish();
  // The archives of an earlier update are in place.
  const std::vector<std::string> finals = {"go-aleppo.z", "go-egypt1.z", "go-maccah1.z",
                                           "zuzuz623.exe"};
  for (const std::string& name : finals)
    WriteFile(prog / name, "old " + name);
  server->SetFaults(std::string(bad.faults) + "\n");
  if (bad.arrange)
    bad.arrange(*this);
  TLiveUpdateServer config = Server();
  config.dataTimeout = std::chrono::seconds(1);
  config.replyTimeout = std::chrono::seconds(1);
  SessionRun run(SessionSetup(), config, sys);
  ASSERT_TRUE(run.Open());

  if (bad.outcome == BadServer::ListingFails) {
    EXPECT_FALSE(run.session->ListingComplete());
    EXPECT_EQ((std::vector<std::string>{"Download Incomplete\r\nMust Retry"}), ui.messages);
    EXPECT_NE(std::string::npos, LogLine(run, "Download failure: ").find(reason))
        << ::testing::PrintToString(run.View().englishMemo);
    EXPECT_EQ("", testing::LatinOutsideQuotations(ArabicLogLine(run, "Download failure: ")));
    ASSERT_TRUE(run.Closed());
    EXPECT_FALSE(fs::exists(prog / "LiveUpdate" / "vekdirs.dwn"));
    EXPECT_TRUE(TemporaryFiles().empty());
    return;
  }
  ASSERT_EQ(4u, run.View().offered.size()) << ::testing::PrintToString(ui.messages);
  ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
  server->ClearRequests();
  run.session->StartUpdate_BitBtnClick();
  if (bad.outcome == BadServer::AllFetched) {
    ASSERT_TRUE(run.Closed()) << ::testing::PrintToString(run.View().englishMemo);
    EXPECT_EQ(4, run.session->DownloadedFileCount());
    EXPECT_EQ(4u, server->Requests().size());
    for (const std::string& name : finals)
      EXPECT_EQ(ReadBytes(root / name), ReadBytes(prog / name)) << name;
    return;
  }
  ASSERT_TRUE(run.RunEnded());
  EXPECT_TRUE(TemporaryFiles().empty());
  EXPECT_TRUE(run.View().preventEnabled);
  EXPECT_FALSE(Spin([&] { return run.closeRequests > 0; }, std::chrono::milliseconds(200)));

  if (bad.outcome == BadServer::NothingFetched) {
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_NE(std::string::npos, ui.messages[0].find(reason)) << ui.messages[0];
    EXPECT_TRUE(server->Requests().empty());
    EXPECT_EQ(4u, run.View().offered.size());
    for (const std::string& name : finals)
      EXPECT_EQ("old " + name, ReadBytes(prog / name));
    return;
  }
  EXPECT_EQ(3, run.session->DownloadedFileCount()) << ::testing::PrintToString(ui.messages);
  EXPECT_EQ((std::vector<std::string>{bad.item}), OfferedNames(run));
  const std::optional<TRemoteName> remote = RemoteNameOf(bad.item);
  ASSERT_TRUE(remote);
  EXPECT_EQ("old " + remote->fileName, ReadBytes(prog / remote->fileName));
  const std::string line = LogLine(run, std::string("***INCOMPLETE*** ") + bad.item);
  EXPECT_NE(std::string::npos, line.find(reason))
      << ::testing::PrintToString(run.View().englishMemo);
  // The Arabic log says it in Arabic: the item's name and the server's reply are all it quotes.
  const std::string arabic = ArabicLogLine(run, std::string("***INCOMPLETE*** ") + bad.item);
  ASSERT_FALSE(arabic.empty());
  EXPECT_EQ("", testing::LatinOutsideQuotations(arabic, {bad.item})) << arabic;
}

// The longest time the event loop spent on one thing while it ran.
class EventLoopGaps {
 public:
  EventLoopGaps() {
    tick_.setInterval(10);
    QObject::connect(&tick_, &QTimer::timeout,
                     [this] { longest_ = std::max(longest_, since_.restart()); });
    since_.start();
    tick_.start();
  }
  qint64 LongestMs() const { return std::max(longest_, since_.elapsed()); }

 private:
  QTimer tick_;
  QElapsedTimer since_;
  qint64 longest_ = 0;
};

// A server that sends a whole file and then never its final reply ("226") nor an answer to
// anything else: the window keeps painting, and Close is answered at once.
TEST(LiveUpdateFtp, AServerThatNeverEndsATransferNeverFreezesTheWindow) {
  LiveUpdateFixture f(TransferKind::Ftp);
  ASSERT_TRUE(f.StartServer());
  f.ThreeSounds();
  f.Publish();
  f.server->SetFaults("/go-aleppo.z final\n");
  // Long enough that a wait for the reply would be seen.
  TLiveUpdateServer config = f.Server();
  config.replyTimeout = std::chrono::seconds(10);
  config.dataTimeout = std::chrono::seconds(10);
  TFileCatalogue catalogue = FileCatalogue();
  TFTP_Main_Dlg dialog(f.SessionSetup(), std::make_unique<CurlTransferClient>(config), f.sys,
                       catalogue, nullptr, std::chrono::milliseconds(50));
  dialog.show();
  ASSERT_TRUE(Spin([&] { return dialog.Session().Opened(); }));
  const EventLoopGaps gaps;
  dialog.StartUpdate_BitBtn->click();
  // The whole archive arrives; the server falls silent.
  const fs::path temp = f.prog / "go-aleppo.z.tovarelin";
  Spin([&] {
    std::error_code ec;
    return fs::file_size(temp, ec) == fs::file_size(f.root / "go-aleppo.z") ||
           !dialog.Session().DownloadBusy();
  });
  EXPECT_LT(gaps.LongestMs(), 1000);
  ASSERT_TRUE(dialog.Session().TransferRunning());
  // Close, pressed during the silence, is answered within a second; twice, it closes the
  // dialog.
  QElapsedTimer answered;
  for (int press = 1; press <= 2; ++press) {
    SCOPED_TRACE(press);
    QElapsedTimer pressed;
    QTimer::singleShot(300, &dialog, [&] {
      answered.start();
      dialog.Cancel_BitBtn->click();
    });
    pressed.start();
    ASSERT_TRUE(Spin([&] { return answered.isValid(); }));
    EXPECT_LT(pressed.elapsed(), 1300);
    if (press == 1) {
      EXPECT_TRUE(dialog.Closing_Label->isVisible());
    }
    answered.invalidate();
  }
  ASSERT_TRUE(Spin([&] { return !dialog.isVisible(); }, std::chrono::seconds(1)));
  EXPECT_EQ(0, dialog.DownloadedFileCount());
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_LT(gaps.LongestMs(), 1000);
}

// The dialog over a listing already on disk: the offer in either language, and the moves.
TEST(LiveUpdateDialog, ShowsTheOfferInEitherLanguage) {
  LiveUpdateFixture f(TransferKind::Ftp);
  for (const char* name : {"ALEPPO", "EGYPT1"}) {
    WriteFile(f.prog / "SOUNDS" / (std::string(name) + ".WAV"), Bytes(1000, 'o'));
    f.Offered(fs::path("SOUNDS") / (std::string(name) + ".WAV"), Bytes(1500, 'n'), "/x", "");
  }
  f.Publish();
  fs::copy_file(f.root / "liveupdate" / "vekdirs.rec", f.prog / "LiveUpdate" / "vekdirs.dwn");
  TLiveUpdateSetup setup = f.SessionSetup();
  setup.skipDownload = true;
  TFileCatalogue catalogue = FileCatalogue();
  TFTP_Main_Dlg dialog(setup, std::make_unique<CurlTransferClient>(f.Server()), f.sys, catalogue);
  std::vector<Language> switched;
  dialog.SetLanguageSwitched([&](Language lang) { switched.push_back(lang); });
  dialog.show();
  ASSERT_TRUE(Spin([&] { return dialog.Session().Opened(); }));
  EXPECT_TRUE(dialog.Lists_Panel->isVisible());
  EXPECT_EQ(2, dialog.sg_Add->rowCount());
  EXPECT_EQ("Add these (2)", dialog.Add_Panel->text());
  EXPECT_EQ("Aleppo Azhan", dialog.sg_Add->item(0, 5)->text());
  EXPECT_EQ(Qt::LeftToRight, dialog.layoutDirection());
  EXPECT_TRUE(dialog.E_Memo->isVisible());
  EXPECT_TRUE(dialog.RemoveOne_SpeedButton->isEnabled());
  EXPECT_FALSE(dialog.AddOne_SpeedButton->isEnabled());  // nothing ignored yet

  dialog.ArEn_SpeedButton->click();
  EXPECT_EQ(std::vector<Language>{Language::Arabic}, switched);
  EXPECT_EQ(Qt::RightToLeft, dialog.layoutDirection());
  EXPECT_TRUE(dialog.A_Memo->isVisible());
  EXPECT_FALSE(dialog.E_Memo->isVisible());
  EXPECT_EQ("إغلاق", dialog.Cancel_BitBtn->text());
  EXPECT_TRUE(dialog.Add_Panel->text().contains("ترقية هذه (2)"));

  // A double-click holds an item back, and the ignore file follows.
  emit dialog.sg_Add->cellDoubleClicked(1, 0);
  EXPECT_EQ(1, dialog.sg_Add->rowCount());
  EXPECT_EQ(1, dialog.sg_Ignore->rowCount());
  EXPECT_TRUE(dialog.AddOne_SpeedButton->isEnabled());
  EXPECT_TRUE(fs::exists(f.prog / "LiveUpdate" / "IGNORE.REC"));
  dialog.AddAll_SpeedButton->click();
  EXPECT_EQ(2, dialog.sg_Add->rowCount());
  EXPECT_FALSE(dialog.AddOne_SpeedButton->isEnabled());
}

// The log shows its newest line in either language, also once the lists have taken room from
// it, unless the user scrolled up to read.
TEST(LiveUpdateDialog, TheLogFollowsItsNewestLine) {
  LiveUpdateFixture f(TransferKind::Ftp);
  ASSERT_TRUE(f.StartServer());
  std::string faults;
  for (int i = 1; i <= 12; ++i) {
    const std::string n = std::to_string(i);
    WriteFile(f.prog / "SOUNDS" / "SURAS" / ("S" + n + ".WAV"), Bytes(1000, 'o'));
    f.Offered(fs::path("SOUNDS") / "SURAS" / ("S" + n + ".WAV"), Bytes(1500, 'n'),
              "/go-s" + n + ".z", Bytes(1400, 'z'));
    faults += "/go-s" + n + ".z drop 10\n";
  }
  f.Publish();
  f.server->SetFaults(faults);
  TFileCatalogue catalogue = FileCatalogue();
  TFTP_Main_Dlg dialog(f.SessionSetup(), std::make_unique<CurlTransferClient>(f.Server()), f.sys,
                       catalogue, nullptr, std::chrono::milliseconds(50));
  dialog.show();
  ASSERT_TRUE(Spin([&] { return dialog.Session().Opened(); }));
  ASSERT_TRUE(dialog.Lists_Panel->isVisible());
  const auto atEnd = [](const QPlainTextEdit* memo) {
    const QScrollBar* bar = memo->verticalScrollBar();
    return bar->maximum() > 0 && bar->value() == bar->maximum();
  };
  const auto runEnded = [&] { return Spin([&] { return !dialog.Session().DownloadBusy(); }); };
  dialog.StartUpdate_BitBtn->click();
  ASSERT_TRUE(runEnded());
  Spin([] { return false; }, std::chrono::milliseconds(100));  // the layout settles
  EXPECT_TRUE(atEnd(dialog.E_Memo));
  EXPECT_TRUE(dialog.E_Memo->toPlainText().endsWith(
      QString::fromStdString(dialog.Session().View().englishMemo.back())));

  // Scrolled up, the log stays where the user put it.
  dialog.E_Memo->verticalScrollBar()->setValue(0);
  dialog.StartUpdate_BitBtn->click();
  ASSERT_TRUE(runEnded());
  Spin([] { return false; }, std::chrono::milliseconds(100));
  EXPECT_EQ(0, dialog.E_Memo->verticalScrollBar()->value());

  // The other language's log followed while it was hidden.
  dialog.ArEn_SpeedButton->click();
  Spin([] { return false; }, std::chrono::milliseconds(100));
  EXPECT_TRUE(atEnd(dialog.A_Memo));
}

}  // namespace
}  // namespace vek
