#include "liveupdate/support_mail.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "foundation/file_io.h"
#include "support/fake_launcher.h"
#include "support/fake_shell.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeLauncher;
using testing::FakeShell;
using testing::FakeUi;
using testing::TempDir;

class SupportMail : public ::testing::Test {
 protected:
  void Send() {
    SendSupportMail({.programFolder = dir.path(),
                     .lang = Language::English,
                     .today = {2026, 12, 10},
                     .logFile = dir.path() / "DEBUG.LOG",
                     .sys = sys,
                     .shell = shell});
  }
  void AddPlugIn() { ASSERT_EQ(0, WriteFileReplacing(dir.path() / "Pelsunk.exe", "plug-in")); }
  fs::path MailFile() const { return dir.path() / "$$MAIL.txt"; }

  TempDir dir;
  FakeUi ui;
  FakeLauncher launcher;
  FakeShell shell;
  SystemServices sys{ui, SystemClock(), RealFileSystem(), launcher};
};

TEST_F(SupportMail, WithoutThePlugInTheUsersMailProgramOpensOnTheSupportAddress) {
  Send();
  ASSERT_EQ(1u, ui.messages.size());  // the missing plug-in, explained
  EXPECT_EQ(std::vector<std::string>{"mailto:support@vek.invalid"}, shell.opened);
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_FALSE(fs::exists(MailFile()));
}

TEST_F(SupportMail, ADeclinedReportWritesAndStartsNothing) {
  AddPlugIn();
  ui.answers = {0};
  Send();
  EXPECT_FALSE(fs::exists(MailFile()));
  EXPECT_FALSE(fs::exists(dir.path() / "VEK_DIRS.TXT"));
  EXPECT_TRUE(launcher.started.empty());
  EXPECT_TRUE(shell.opened.empty());
}

TEST_F(SupportMail, ThePlugInGetsTheMailFileWithTheReportsThatAreThere) {
  AddPlugIn();
  ASSERT_EQ(0, WriteFileReplacing(dir.path() / "DEBUG.LOG", "log"));
  ui.answers = {1};
  Send();
  EXPECT_TRUE(ui.messages.empty());
  ASSERT_EQ(1u, launcher.started.size());
  EXPECT_EQ(dir.path() / "Pelsunk.exe", launcher.started[0]);  // found in any case
  EXPECT_EQ(dir.path(), launcher.lastOptions.workingFolder);
  EXPECT_EQ(1, launcher.detached);
  std::string mail;
  ASSERT_EQ(0, ReadWholeFile(MailFile(), mail));
  const std::string attachments = "Attachments: " + (dir.path() / "VEK_DIRS.TXT").string() + ";" +
                                  (dir.path() / "DEBUG.LOG").string() + "\r\n";
  EXPECT_NE(std::string::npos, mail.find(attachments)) << mail;
  EXPECT_NE(std::string::npos, mail.find("D/M/Y: 10/12/2026\r\n")) << mail;
}

TEST_F(SupportMail, EachFailureIsShownAndNothingRunsOnAfterIt) {
  AddPlugIn();
  ui.answers = {1};
  launcher.startError = ENOEXEC;
  Send();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("The mail plug-in could not be started:\r\n" +
                                    (dir.path() / "Pelsunk.exe").string() + "\r\n"));
  EXPECT_EQ(0, launcher.detached);

  // A mail file that cannot be written: the plug-in is not started on an old one.
  fs::remove(MailFile());
  fs::create_directory(MailFile());
  launcher.started.clear();
  ui.messages.clear();
  ui.answers = {1};
  Send();
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_NE(std::string::npos, ui.messages[0].find("$$MAIL.txt")) << ui.messages[0];
  EXPECT_TRUE(launcher.started.empty());
}

}  // namespace
}  // namespace vek
