// The main window's Live Update: the commands, the dialog, the restart, and the restarted
// start-up that installs what was fetched; against a real server on 127.0.0.1.
#include <QTableWidget>

#include "foundation/ini_file.h"
#include "liveupdate/live_update_fixture.h"
#include "mainwin/alert_window.h"
#include "mainwin/main_window_fixture.h"
#include "support/wave_file.h"
#include "support/zip_archive.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::Spin;
using testing::UpdateServer;
using testing::WriteFile;

// The next version's installer: a script that leaves a mark beside itself.
const std::string kPackage = "#!/bin/sh\ntouch \"$(dirname \"$0\")/installer-ran\"\n";
const std::string kAleppo = testing::MakeWave(0.1, 523);

class LiveUpdateCommand : public testing::MainWindowTest,
                          public ::testing::WithParamInterface<TransferKind> {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    // The maker's installation: the user's VEK.LOC, the Aleppo adhan and the next version.
    fs::create_directories(maker);
    fs::copy_file(folder() / "VEK.LOC", maker / "VEK.LOC");
    fs::last_write_time(maker / "VEK.LOC", fs::last_write_time(folder() / "VEK.LOC"));
    WriteFile(maker / "SOUNDS" / "ALEPPO.WAV", kAleppo);
    WriteFile(maker / "ZUZUZ623.EXE", kPackage);
    fs::create_directories(root / "liveupdate");
    TListingSettings settings;
    settings.programFolder = maker;
    testing::FakeUi quiet;
    SystemServices sys{.ui = quiet};
    ASSERT_EQ(
        TListingOutcome::Written,
        WriteLiveUpdateDirList(settings, root / "liveupdate" / "vekdirs.rec", FileCatalogue(), sys)
            .status);
    testing::MakeZip(root / "go-aleppo.z", {{"ALEPPO.WAV", kAleppo}});
    WriteFile(root / "zuzuz623.exe", kPackage);
    server = std::make_unique<UpdateServer>(GetParam() == TransferKind::Ftp ? "ftp" : "http", root,
                                            serverDir.path());
    ASSERT_GT(server->port, 0) << server->firstLine;
    const std::string port = std::to_string(server->port);
    WriteIni(
        "[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nShowSplash=0\r\n[LiveUpdate]\r\n"
        "FtpHost=127.0.0.1\r\nFtpPort=" +
        port + "\r\nHttpBase=http://127.0.0.1:" + port + "\r\n");
  }

  // The command, its dialog through Start Update, until the dialog is gone.
  void RunLiveUpdate(TVEK__MAIN& w) {
    if (GetParam() == TransferKind::Ftp)
      w.LiveUpdateClick();
    else
      w.HTTPUpdateClick();
    TFTP_Main_Dlg* dialog = w.LiveUpdateDialog();
    ASSERT_NE(nullptr, dialog);
    ASSERT_TRUE(Spin([&] { return dialog->Session().Opened(); }));
    ASSERT_EQ(2, dialog->sg_Add->rowCount()) << ::testing::PrintToString(ui.messages);
    EXPECT_EQ("zuzuz623.exe", dialog->sg_Add->item(0, 0)->text());
    EXPECT_EQ("aleppo.wav", dialog->sg_Add->item(1, 0)->text());
    EXPECT_EQ("New file", dialog->sg_Add->item(1, 1)->text());
    dialog->StartUpdate_BitBtn->click();
    ASSERT_TRUE(Spin([&] { return w.LiveUpdateDialog() == nullptr; }));
  }

  testing::TempDir serverDir;
  const fs::path maker = serverDir.path() / "maker";
  const fs::path root = serverDir.path() / "root";
  std::unique_ptr<UpdateServer> server;
};

INSTANTIATE_TEST_SUITE_P(Kinds, LiveUpdateCommand,
                         ::testing::Values(TransferKind::Ftp, TransferKind::Http),
                         [](const auto& info) {
                           return info.param == TransferKind::Ftp ? "Ftp" : "Http";
                         });

TEST_P(LiveUpdateCommand, FetchedFilesAreInstalledByTheRestartedProgram) {
  auto w = Start();
  ASSERT_TRUE(ui.messages.empty()) << ui.messages.front();
  RunLiveUpdate(*w);
  EXPECT_TRUE(w->Context().UpdateLinkVisited);
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("Program will now restart\nto finish Live-Update"));
  // The running program is started again, and this one closes.
  const std::string program = QCoreApplication::applicationFilePath().toStdString();
  EXPECT_EQ((std::vector<std::string>{program, "ContinueLiveUpdate"}), launcher.args);
  EXPECT_TRUE(w->Context().ClosingWithoutPrompt);
  EXPECT_EQ(kPackage, ReadBytes(folder() / "zuzuz623.exe"));
  EXPECT_TRUE((fs::status(folder() / "zuzuz623.exe").permissions() & fs::perms::owner_exec) !=
              fs::perms::none);
  w.reset();

  // The restarted start-up installs the adhan and offers the installer; No leaves it.
  ui.messages.clear();
  ui.answers = {0};
  auto restarted = Start({"ContinueLiveUpdate"});
  EXPECT_EQ(kAleppo, ReadBytes(folder() / "SOUNDS" / "ALEPPO.WAV"));
  EXPECT_TRUE(fs::exists(folder() / "DOWNLOADED FILES" / "go-aleppo.z") ||
              fs::exists(folder() / "DOWNLOADED FILES" / "GO-ALEPPO.Z"));
  ASSERT_FALSE(ui.dialogs.empty());
  EXPECT_EQ("question", ui.dialogs[0].kind);
  EXPECT_NE(std::string::npos, ui.dialogs[0].text.find("zuzuz623.exe"));
  EXPECT_FALSE(restarted->Context().RunInstaller);
  restarted.reset();
  ui.answers = {1};
  restarted = Start({"ContinueLiveUpdate"});
  EXPECT_TRUE(restarted->Context().RunInstaller);
}

TEST_P(LiveUpdateCommand, AProgramThatCannotStartAgainKeepsRunning) {
  launcher.startError = ENOENT;
  auto w = Start();
  RunLiveUpdate(*w);
  ASSERT_EQ(2u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[1].find("Error executing program: "));
  EXPECT_FALSE(w->Context().ClosingWithoutPrompt);
  // Nothing fetched is lost: the next start installs it.
  EXPECT_TRUE(fs::exists(folder() / "go-aleppo.z"));
}

// The rule is the commands', whatever the transfer.
using OneLiveUpdate = LiveUpdateCommand;
INSTANTIATE_TEST_SUITE_P(Ftp, OneLiveUpdate, ::testing::Values(TransferKind::Ftp));

TEST_P(OneLiveUpdate, AtATime) {
  auto w = Start();
  w->LiveUpdateClick();
  TFTP_Main_Dlg* dialog = w->LiveUpdateDialog();
  ASSERT_NE(nullptr, dialog);
  const fs::path listing = folder() / "LiveUpdate" / "vekdirs.rec";
  ASSERT_TRUE(fs::exists(listing));
  fs::remove(listing);
  // The menu, the alert window's link: the same dialog, nothing written again.
  w->LiveUpdateClick();
  w->AlertWindow().Create();
  ASSERT_NE(nullptr, w->AlertWindow().Window());
  w->AlertWindow().Window()->LiveUpdate_Label1Click();
  EXPECT_EQ(dialog, w->LiveUpdateDialog());
  EXPECT_FALSE(fs::exists(listing));
  dialog->reject();
  ASSERT_TRUE(Spin([&] { return w->LiveUpdateDialog() == nullptr; }));
  EXPECT_FALSE(w->Context().ClosingWithoutPrompt);

  // Once it has closed, the alert window's link starts a new one.
  w->AlertWindow().Create();
  w->AlertWindow().Window()->LiveUpdate_Label1Click();
  EXPECT_NE(nullptr, w->LiveUpdateDialog());
  EXPECT_TRUE(fs::exists(listing));
  w->LiveUpdateDialog()->reject();
}

using Upload = testing::MainWindowTest;

TEST_F(Upload, WritesTheMaintainersListingAndCloses) {
  WriteIni("[Orvessa, by Al Tovarelin]\r\nLanguage=English\r\nShowSplash=0\r\n");
  WriteFile(folder() / "$trash" / "ZUZUZ622.EXE", "package");
  auto w = Start({"UPLOAD"});
  w->FormActivate();
  ASSERT_FALSE(ui.messages.empty());
  EXPECT_EQ(0u, ui.messages.back().find("READY TO UPLOAD"));
  EXPECT_TRUE(fs::exists(folder() / "LiveUpdate" / "vekdirs.rec"));
  EXPECT_TRUE(fs::exists(folder() / "LiveUpdate" / "vekdirs.recTXT"));
  EXPECT_EQ(nullptr, w->LiveUpdateDialog());
  EXPECT_TRUE(w->Context().ClosingWithoutPrompt);
}

}  // namespace
}  // namespace vek
