// The Live Update session's own rules, with a client that the test drives: what counts as a
// whole file, a rename that fails, the close countdown, Close with nothing running, and the
// moves between the grids. The server tests (live_update_server_test.cpp) run the same session
// against real servers.
#include "liveupdate/live_update_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

#include "foundation/dos_date_time.h"
#include "foundation/file_io.h"
#include "foundation/text.h"
#include "liveupdate/fake_transfer_client.h"
#include "liveupdate/listing_record.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"
#include "support/fake_ui.h"
#include "support/file_bytes.h"
#include "support/listing_records.h"
#include "support/temp_dir.h"
#include "support/zip_file.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeClient;
using testing::FakeClock;
using testing::FakeFileSystem;
using testing::FakeUi;
using testing::ReadBytes;
using testing::TempDir;

// A sound archive as the server offers it: the ZIP archive of one wave file.
std::string Archive(const std::string& wave) {
  return testing::ZipBytes({{wave, "RIFF and the sound of " + wave}});
}

class FakeTimer : public SessionTimer {
 public:
  void Start() override { enabled = true; }
  void Stop() override { enabled = false; }
  bool Enabled() const override { return enabled; }
  bool enabled = false;
};

constexpr std::uint32_t kStamp = 0x5A2A5000;  // 10 January 2025, 10:00

class Session : public ::testing::Test {
 protected:
  Session() { fs::create_directories(prog / "LiveUpdate"); }

  // The local installation has each sound at 1000 bytes; the server offers them at 1500.
  std::string ServerListing(const std::vector<std::string>& sounds) {
    std::string local;
    std::string server;
    for (const std::string& sound : sounds) {
      AppendListingRec(testing::ListedFile(sound, 1000, kStamp - 0x10000), local);
      AppendListingRec(testing::ListedFile(sound, 1500, kStamp), server);
    }
    EXPECT_EQ(0, WriteFileReplacing(prog / "LiveUpdate" / "vekdirs.rec", local));
    return server;
  }

  // A session whose offer stands: the connection and the listing went through the client.
  void OpenWithOffer(const std::vector<std::string>& sounds,
                     TransferKind kind = TransferKind::Ftp) {
    const std::string listing = ServerListing(sounds);
    Create(kind);
    session->FormActivate();
    client.FinishWhole("");  // connected
    if (kind == TransferKind::Ftp)
      client.FinishWhole("");  // the folder listing
    client.FinishWhole(listing);
    ASSERT_FALSE(session->Activating());
    ASSERT_EQ(sounds.size(), session->View().offered.size())
        << ::testing::PrintToString(ui.messages);
  }

  void Create(TransferKind kind = TransferKind::Ftp) {
    TLiveUpdateSetup setup;
    setup.kind = kind;
    setup.programFolder = prog;
    setup.updateFolder = prog / "LiveUpdate";
    setup.language = language;
    session = std::make_unique<TLiveUpdateSession>(setup, client, timer, sys, catalogue);
    session->onCloseRequested = [this] {
      ++closeRequests;
      session->FormClose();
    };
    session->FormCreate();
  }

  // Ends the running download with a whole archive of the sound that its remote name stands
  // for: "/go-aleppo.z" holds ALEPPO.WAV.
  void FinishWithArchive() {
    ASSERT_TRUE(client.running);
    const std::string& path = client.running->path;
    ASSERT_TRUE(path.starts_with("/go-") && path.ends_with(".z")) << path;
    client.FinishWhole(Archive(AsciiUpper(path.substr(4, path.size() - 6)) + ".WAV"));
  }

  // Ticks the timer as often as it runs, up to n times.
  void Tick(int n = 3) {
    for (int i = 0; i < n && timer.enabled; ++i)
      session->TaskTimer_Timer();
  }

  TempDir dir;
  fs::path prog = dir.path() / "prog";
  FakeClient client;
  FakeTimer timer;
  FakeUi ui;
  FakeClock clock;
  FakeFileSystem files;
  SystemServices sys{.ui = ui, .clock = clock, .fs = files};
  TFileCatalogue catalogue = FileCatalogue();
  std::unique_ptr<TLiveUpdateSession> session;
  int closeRequests = 0;
  Language language = Language::English;
};

// A transfer makes a file only when the transport succeeded, the server announced a size above
// 0, all of it arrived, it was a reply 200 over HTTP, and an item fetched under its listed name
// has the listed size.
TEST_F(Session, OnlyAWholeTransferMakesAFile) {
  struct Case {
    const char* what;
    TransferKind kind;
    std::string item;  // listed name (size 1500)
    std::string body;
    std::int64_t total;
    TransferFailure failure;
    long reply;
    bool counted;
  };
  const std::string whole(1500, 'x');
  const std::string zip = Archive("ALEPPO.WAV");
  const auto n = static_cast<std::int64_t>(zip.size());
  const Case cases[] = {
      {"whole archive", TransferKind::Ftp, "ALEPPO.WAV", zip, n, TransferFailure::None, 226, true},
      // Whole, but no archive of the adhan: the restarted program could not unpack it.
      {"archive that does not read", TransferKind::Ftp, "ALEPPO.WAV", "zip", 3,
       TransferFailure::None, 226, false},
      {"whole package", TransferKind::Http, "ZUZUZ623.EXE", whole, 1500, TransferFailure::None, 200,
       true},
      {"package of another size", TransferKind::Http, "ZUZUZ623.EXE", "x", 1, TransferFailure::None,
       200, false},
      {"size unknown", TransferKind::Ftp, "ALEPPO.WAV", zip, -1, TransferFailure::None, 226, false},
      {"empty", TransferKind::Ftp, "ALEPPO.WAV", "", 0, TransferFailure::None, 226, false},
      {"short", TransferKind::Ftp, "ALEPPO.WAV", zip.substr(1), n, TransferFailure::None, 226,
       false},
      {"transport failure", TransferKind::Ftp, "ALEPPO.WAV", zip, n, TransferFailure::Incomplete,
       226, false},
      {"error page", TransferKind::Http, "ALEPPO.WAV", zip, n, TransferFailure::None, 404, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    prog = dir.path() / c.what;
    fs::create_directories(prog / "LiveUpdate");
    closeRequests = 0;
    ui.messages.clear();
    OpenWithOffer({c.item}, c.kind);
    session->StartUpdate_BitBtnClick();
    client.Finish(c.body, c.total, c.failure, c.reply);
    EXPECT_EQ(c.counted ? 1 : 0, session->DownloadedFileCount());
    EXPECT_EQ(c.counted ? 0u : 1u, session->View().offered.size());
    std::size_t files = 0;
    for (const fs::directory_entry& e : fs::directory_iterator(prog))
      files += e.is_regular_file() ? 1 : 0;
    EXPECT_EQ(c.counted ? 1u : 0u, files);
    // Whole: the dialog closes; not whole: the buttons come back and it stays.
    Tick();
    EXPECT_EQ(c.counted ? 1 : 0, closeRequests);
    EXPECT_EQ(!c.counted, session->View().preventEnabled);
    session.reset();
  }
}

TEST_F(Session, ByteCountsOfLargeFilesDoNotOverflow) {
  OpenWithOffer({"ALEPPO.WAV"});
  session->StartUpdate_BitBtnClick();
  clock.now += std::chrono::seconds(10);
  session->TaskTimer_Timer();
  TransferEvent progress;
  progress.kind = TransferEvent::Progress;
  progress.transfer = client.running->id;
  progress.received = 3'000'000'000;
  progress.total = 6'000'000'000;
  client.sink(progress);
  EXPECT_EQ("50%", session->View().percent);
  EXPECT_EQ("3,000,000,000 of 6,000,000,000 bytes ", session->View().received);
  EXPECT_EQ("10 secs", session->View().secs);
  EXPECT_EQ("300000000 Bytes/sec", session->View().rate);
  EXPECT_EQ(3'000'000'000, session->View().progress1Pos);
}

TEST_F(Session, AFileThatCannotTakeItsNameIsNotCounted) {
  OpenWithOffer({"ALEPPO.WAV", "EGYPT1.WAV"});
  files.failRename = [](const fs::path&, const fs::path& to) {
    return to.filename() == "go-aleppo.z" ? EACCES : 0;
  };
  session->StartUpdate_BitBtnClick();
  FinishWithArchive();
  FinishWithArchive();
  EXPECT_EQ(1, session->DownloadedFileCount());
  ASSERT_EQ(1u, session->View().offered.size());
  EXPECT_EQ("aleppo.wav", session->View().offered[0][0]);
  EXPECT_FALSE(fs::exists(prog / "go-aleppo.z"));
  EXPECT_FALSE(fs::exists(prog / "go-aleppo.z.tovarelin"));
  EXPECT_EQ(Archive("EGYPT1.WAV"), ReadBytes(prog / "go-egypt1.z"));
  EXPECT_FALSE(ui.messages.empty());  // the rename said why
  Tick();
  EXPECT_EQ(0, closeRequests);
}

TEST_F(Session, TheListingIsKeptOnlyWhenWhole) {
  ASSERT_EQ(0, WriteFileReplacing(prog / "LiveUpdate" / "vekdirs.dwn", "an old listing"));
  ServerListing({"ALEPPO.WAV"});
  Create();
  session->FormActivate();
  client.FinishWhole("");
  client.FinishWhole("");
  client.Finish(std::string(100, 'x'), 168);  // the connection broke
  EXPECT_FALSE(session->ListingComplete());
  EXPECT_FALSE(fs::exists(prog / "LiveUpdate" / "vekdirs.dwn"));
  EXPECT_FALSE(fs::exists(prog / "LiveUpdate" / "vekdirs.dwn.tovarelin"));
  EXPECT_FALSE(fs::exists(prog / "LiveUpdate" / "vekdirs.DAT"));
  EXPECT_EQ((std::vector<std::string>{"Download Incomplete\r\nMust Retry"}), ui.messages);
  Tick();
  EXPECT_EQ(1, closeRequests);
}

TEST_F(Session, TheCountdownWaitsForTheTransferAndForAnOpenMessage) {
  OpenWithOffer({"ALEPPO.WAV", "EGYPT1.WAV"});
  session->StartUpdate_BitBtnClick();
  session->Cancel_BitBtnClick();  // the first: the item runs on
  EXPECT_EQ(TLiveUpdateSession::kCloseCountdown, session->TimerMode());
  Tick(5);
  EXPECT_EQ(0, closeRequests);
  EXPECT_TRUE(session->TransferRunning());
  // A tick while a message is open closes nothing.
  files.failRename = [](const fs::path&, const fs::path&) { return EACCES; };
  ui.onMessage = [this](const std::string&) { session->TaskTimer_Timer(); };
  client.FinishWhole("first");
  ui.onMessage = nullptr;
  EXPECT_EQ(0, closeRequests);
  EXPECT_FALSE(client.running);  // no other item started
  Tick();
  EXPECT_EQ(1, closeRequests);
}

// The file cannot take its name (the old one is immutable): the rename is retried in waits that
// handle events. Close pressed twice there, the timer's ticks, and a dialog that frees the session
// once it closed: the install step ends first, the failure is told once with its paths, the
// temporary file goes, and only then does the session close.
TEST_F(Session, CloseDuringAFailingInstallWaitsForTheStepToEnd) {
  OpenWithOffer({"ALEPPO.WAV", "EGYPT1.WAV"});
  files.failRename = [](const fs::path&, const fs::path& to) {
    return to.filename() == "go-aleppo.z" ? EPERM : 0;
  };
  bool closed = false;
  session->onCloseRequested = [&] {
    ++closeRequests;
    session->FormClose();
    closed = true;
  };
  int pumps = 0;
  ui.onProcessEvents = [&] {
    if (!session)
      return;
    if (++pumps == 1) {
      session->Cancel_BitBtnClick();
      session->Cancel_BitBtnClick();
      // No second press is offered that would cut the item off.
      EXPECT_EQ("Will stop once the current item is in place", session->View().closing);
    }
    session->TaskTimer_Timer();
    if (closed)
      session.reset();  // as the event loop deletes a dialog that finished
  };
  session->StartUpdate_BitBtnClick();
  FinishWithArchive();
  ui.onProcessEvents = nullptr;
  ASSERT_TRUE(session);
  EXPECT_GT(pumps, 1);
  EXPECT_EQ(0, closeRequests);
  const fs::path temp = prog / "go-aleppo.z.tovarelin";
  EXPECT_EQ((std::vector<std::string>{"Error renaming file\r\nFound source file:\r\n" +
                                      temp.string() + "\r\nBut could not rename it to:\r\n" +
                                      (prog / "go-aleppo.z").string()}),
            ui.messages);
  EXPECT_FALSE(fs::exists(temp));
  EXPECT_FALSE(fs::exists(prog / "go-aleppo.z"));
  EXPECT_EQ(0, session->DownloadedFileCount());
  EXPECT_FALSE(client.running);  // Close: no further item
  const std::vector<std::string>& log = session->View().englishMemo;
  EXPECT_EQ(1, std::count(log.begin(), log.end(), "***INCOMPLETE*** aleppo.wav"))
      << ::testing::PrintToString(log);
  Tick();
  EXPECT_EQ(1, closeRequests);
}

TEST_F(Session, CloseWithNothingRunningEndsTheSessionWhateverTheCount) {
  ServerListing({"ALEPPO.WAV"});
  Create();
  session->FormActivate();
  client.Finish("", -1, TransferFailure::ConnectionFailed, 0);
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("Connection failed..."));
  Tick();
  EXPECT_EQ(0, closeRequests);  // open, for the user to read
  for (int i = 0; i < 7; ++i)
    session->Cancel_BitBtnClick();
  Tick();
  EXPECT_EQ(1, closeRequests);
  EXPECT_EQ(7, session->CancelPressCount());
  EXPECT_EQ(1u, ui.messages.size());
}

// A Live Update that fails before the listing arrived says so in one box, and the dialog no
// longer says where it is downloading to.
TEST_F(Session, AFailedConnectionOrListingIsToldOnceAndDownloadsNothing) {
  struct Case {
    const char* name;
    int connectedSteps;  // transfers that went through before the failure
    TransferFailure failure;
    const char* box;
  };
  for (const Case& c : {
           Case{"host not found", 0, TransferFailure::InvalidHost, "Download Incomplete"},
           Case{"refused", 0, TransferFailure::ConnectionFailed, "Connection failed..."},
           Case{"listing refused", 1, TransferFailure::ConnectionFailed, "Connection failed..."},
           Case{"listing cut", 2, TransferFailure::Incomplete, "Download Incomplete"},
       }) {
    SCOPED_TRACE(c.name);
    ui.messages.clear();
    ServerListing({"ALEPPO.WAV"});
    Create();
    session->FormActivate();
    EXPECT_NE(std::string::npos, session->View().downloadingTo.find("Downloading to: "));
    for (int i = 0; i < c.connectedSteps; ++i)
      client.FinishWhole("");
    client.Finish("", -1, c.failure, 0);
    ASSERT_EQ(1u, ui.messages.size()) << ::testing::PrintToString(ui.messages);
    EXPECT_EQ(0u, ui.messages[0].find(c.box)) << ui.messages[0];
    EXPECT_EQ("", session->View().downloadingTo);
    EXPECT_FALSE(session->Activating());
    session->FormClose();
    session.reset();  // the next case's session takes the client over
  }
}

TEST_F(Session, MovesSaveTheIgnoreFileAndKeepTheStamp) {
  std::vector<std::string> sounds;
  for (int i = 1; i <= 10; ++i)
    sounds.push_back(std::string("S").append(std::to_string(i)).append(".WAV"));
  OpenWithOffer(sounds);
  const fs::path ignoreFile = prog / "LiveUpdate" / "IGNORE.REC";
  const int renames = files.renames;
  session->RemoveAll();
  EXPECT_EQ(renames + 1, files.renames);  // one write for the ten moves
  bool cut = false;
  RecordFileError error = RecordFileError::None;
  EXPECT_EQ(10u, DecodeIgnoreFile(ReadBytes(ignoreFile), cut, error).size());
  EXPECT_FALSE(session->View().preventEnabled);
  const TLiveUpdateCaptions none = LiveUpdateCaptions(Language::English, 0, 10);
  EXPECT_EQ("no items to download", none.addHint);

  // Back to the offer: a row keeps its hidden stamp, and the file gets that date.
  session->SelectIgnored(0);
  session->AddOne();
  session->AddOne();
  ASSERT_EQ(2u, session->View().offered.size());
  EXPECT_EQ(std::to_string(kStamp), session->View().offered[0][3]);
  EXPECT_EQ(8u, DecodeIgnoreFile(ReadBytes(ignoreFile), cut, error).size());
  session->StartUpdate_BitBtnClick();

  // During a run no move is allowed: a beep, and nothing moves or hangs.
  const int beeps = ui.beeps;
  session->RemoveOne();
  session->RemoveAll();
  session->AddOne();
  session->AddAll();
  session->StartUpdate_BitBtnClick();  // running already: nothing
  EXPECT_EQ(beeps + 4, ui.beeps);
  EXPECT_EQ(2u, session->View().offered.size());
  EXPECT_EQ(8u, session->View().ignored.size());

  FinishWithArchive();
  const fs::path fetched = prog / client.paths.back().substr(1);
  FinishWithArchive();
  ASSERT_EQ(2, session->DownloadedFileCount());
  const auto expected = FileTimeOfDosDateTime(kStamp);
  ASSERT_TRUE(expected);
  EXPECT_EQ(*expected, std::chrono::system_clock::to_time_t(
                           std::chrono::file_clock::to_sys(fs::last_write_time(fetched))));
}

// A file fetched under its listed name must have the listed size; one that has another is thrown
// away, and the log and the status line say so with both sizes, in the user's language.
TEST_F(Session, AFileOfAnotherSizeThanListedIsRefusedAndSaysWhy) {
  language = Language::Arabic;
  OpenWithOffer({"ZUZUZ623.EXE"}, TransferKind::Http);
  session->StartUpdate_BitBtnClick();
  client.FinishWhole(std::string(1501, 'p'));
  EXPECT_EQ(0, session->DownloadedFileCount());
  EXPECT_FALSE(fs::exists(prog / "zuzuz623.exe"));
  const TLiveUpdateView& v = session->View();
  EXPECT_NE(std::string::npos, v.status.find("1,501")) << v.status;
  EXPECT_NE(std::string::npos, v.status.find("1,500")) << v.status;
  EXPECT_NE(std::string::npos, v.status.find("zuzuz623.exe")) << v.status;
  EXPECT_NE(std::string::npos, v.status.find("يختلف")) << v.status;
  const std::string english =
      "The size of zuzuz623.exe differs from the listing: 1,501 bytes arrived, the listing gives "
      "1,500 bytes";
  EXPECT_NE(std::find(v.englishMemo.begin(), v.englishMemo.end(), english), v.englishMemo.end())
      << ::testing::PrintToString(v.englishMemo);
  EXPECT_EQ(1u, v.offered.size());
}

// A server listing that arrived whole but does not read is not kept: the log and a message say
// why, and no comparison runs on it.
TEST_F(Session, AListingThatDoesNotReadIsNotKept) {
  ServerListing({"ALEPPO.WAV"});
  Create();
  session->FormActivate();
  client.FinishWhole("");
  client.FinishWhole("");
  client.FinishWhole(std::string(100, 'x'));
  EXPECT_FALSE(fs::exists(prog / "LiveUpdate" / "vekdirs.dwn"));
  EXPECT_FALSE(fs::exists(prog / "LiveUpdate" / "vekdirs.dwn.tovarelin"));
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_NE(std::string::npos, ui.messages[0].find("whole records")) << ui.messages[0];
  const std::vector<std::string>& memo = session->View().englishMemo;
  EXPECT_TRUE(std::any_of(memo.begin(), memo.end(), [](const std::string& line) {
    return line.find("whole records") != std::string::npos;
  })) << ::testing::PrintToString(memo);
  EXPECT_TRUE(session->View().offered.empty());
  Tick();
  EXPECT_EQ(1, closeRequests);
}

// Before the first progress of a transfer, and while its size is unknown, no percent is shown
// (the bar shows that something runs); the item before must not leave its "100%".
TEST_F(Session, ATransferOfUnknownSizeShowsNoPercent) {
  OpenWithOffer({"ALEPPO.WAV", "EGYPT1.WAV"});
  session->StartUpdate_BitBtnClick();
  client.Progress(3, 3);
  EXPECT_EQ("100%", session->View().percent);
  EXPECT_FALSE(session->View().progress1Busy);
  FinishWithArchive();
  EXPECT_EQ("", session->View().percent);
  client.Progress(500, -1);
  EXPECT_EQ("", session->View().percent);
  EXPECT_TRUE(session->View().progress1Busy);
  EXPECT_EQ("500 bytes ", session->View().received);
  client.Progress(600, 1000);
  EXPECT_EQ("60%", session->View().percent);
  EXPECT_FALSE(session->View().progress1Busy);
}

// After a switch of the dialog's language, what the labels, the statistics and the grids already
// show is in the new language.
TEST_F(Session, TheTextsAlreadyShownFollowTheLanguage) {
  OpenWithOffer({"S1.WAV", "S2.WAV"});
  session->StartUpdate_BitBtnClick();
  clock.now += std::chrono::seconds(2);
  session->TaskTimer_Timer();
  client.Progress(500, 1000);
  session->Cancel_BitBtnClick();  // the first press: the closing label
  const TLiveUpdateView& v = session->View();
  const TLiveUpdateView english = v;
  EXPECT_EQ("Downloading from: update.example/go-s1.z", v.status);
  EXPECT_EQ("500 of 1,000 bytes ", v.received);
  EXPECT_EQ("2 secs", v.secs);
  EXPECT_EQ("250 Bytes/sec", v.rate);
  EXPECT_EQ("New file", v.offered[0][1]);
  EXPECT_EQ("Quran file", v.offered[0][5]);
  session->SelectOffered(1);
  session->ArEn_SpeedButtonClick();
  // The host and the paths read left to right inside the Arabic lines.
  EXPECT_EQ("التنزيل من: \u2066update.example/go-s1.z\u2069", v.status);
  EXPECT_EQ("التنزيل إلى: \u2066" + (prog / "go-s1.z").string() + "\u2069", v.downloadingTo);
  EXPECT_NE(english.closing, v.closing);
  EXPECT_NE(std::string::npos, v.closing.find("اضغط إغلاق")) << v.closing;
  EXPECT_EQ("500 من 1,000 بايت ", v.received);
  EXPECT_EQ("2 ثانية", v.secs);
  EXPECT_EQ("250 بايت/ثانية", v.rate);
  EXPECT_EQ("50%", v.percent);
  for (const TGridRow& row : v.offered) {
    EXPECT_EQ("ملف جديد", row[1]);
    EXPECT_EQ("ملف قرآن", row[5]);
  }
  session->ArEn_SpeedButtonClick();
  for (const std::string TLiveUpdateView::*text :
       {&TLiveUpdateView::status, &TLiveUpdateView::downloadingTo, &TLiveUpdateView::closing,
        &TLiveUpdateView::received, &TLiveUpdateView::secs, &TLiveUpdateView::rate})
    EXPECT_EQ(english.*text, v.*text);
  EXPECT_EQ(english.offered, v.offered);
}

}  // namespace
}  // namespace vek
