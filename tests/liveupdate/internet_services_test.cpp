#include "liveupdate/internet_services.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <thread>

#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "support/arabic_text.h"
#include "support/fake_launcher.h"
#include "support/fake_shell.h"
#include "support/fake_ui.h"
#include "support/file_bytes.h"
#include "support/python_server.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::ExpectFileBytes;
using testing::FakeLauncher;
using testing::FakeShell;
using testing::FakeUi;
using testing::PythonServer;
using testing::TempDir;

TEST(SendMailTo, OpensTheMailtoLinkOnce) {
  FakeShell shell;
  EXPECT_TRUE(SendMailTo("support@example.org", "subject", "body", shell).ok);
  EXPECT_EQ(std::vector<std::string>{"mailto:support@example.org"}, shell.opened);
}

TEST(SendMailTo, ARefusedLinkIsTriedOnceWholeAndExplained) {
  const std::string address = std::string(140, 'a') + "@host.org";  // 150 with "mailto:"
  FakeShell shell;
  shell.answer = kShellNoAssociation;
  THandOver sent = SendMailTo(address, "", "", shell);
  EXPECT_FALSE(sent.ok);
  EXPECT_TRUE(sent.beep);
  EXPECT_EQ(std::vector<std::string>{"mailto:" + address}, shell.opened);
  EXPECT_EQ(
      "Electronic Mail program not available\r\nOr error encoutered while executing it\r\n\r\nno "
      "application associated with the given filename extension",
      sent.message.english);
  EXPECT_EQ(
      "برنامج البريد الإلكتروني غير موجود\r\nأو حصل خطأ في تنفيذه\r\n\r\nلا يوجد برنامج مرتبط بهذا "
      "النوع من الملفات",
      sent.message.arabic);

  shell.answer = 17;  // a code without an explanation
  sent = SendMailTo(address, "", "", shell);
  EXPECT_FALSE(sent.ok);
  EXPECT_EQ("برنامج البريد الإلكتروني غير موجود\r\nأو حصل خطأ في تنفيذه\r\n\r\n",
            sent.message.arabic);
}

// A failed hand-over is shown in the user's language, after its beep; a done one shows nothing.
TEST(ShowHandOverFailure, BeepsWhenAskedThenShowsTheMessageOfTheLanguage) {
  FakeUi ui;
  ShowHandOverFailure({}, Language::Arabic, ui);
  const THandOver quiet{.ok = false, .beep = false, .message = {"english", "عربي"}};
  ShowHandOverFailure(quiet, Language::Arabic, ui);
  EXPECT_EQ(0, ui.beeps);
  ShowHandOverFailure({.ok = false, .beep = true, .message = quiet.message}, Language::English, ui);
  EXPECT_EQ(1, ui.beeps);
  EXPECT_EQ((std::vector<std::string>{"عربي", "english"}), ui.messages);
}

// Every shell code the program explains is explained in both languages, the Arabic in Arabic.
TEST(ShellErrorExplanation, EveryCodeHasItsWordsInBothLanguages) {
  for (int code = -1; code <= 40; ++code) {
    SCOPED_TRACE(code);
    const std::string english = ShellErrorExplanation(code, Language::English);
    const std::string arabic = ShellErrorExplanation(code, Language::Arabic);
    EXPECT_EQ(english.empty(), arabic.empty());
    EXPECT_EQ("", testing::LatinOutsideQuotations(arabic)) << arabic;
  }
  EXPECT_EQ("no application associated with the given filename extension",
            ShellErrorExplanation(kShellNoAssociation, Language::English));
}

TEST(OpenUrlInBrowser, TellsOfARefusalInBothLanguages) {
  FakeShell shell;
  EXPECT_TRUE(OpenUrlInBrowser("http://example.org/updates.html", shell).ok);
  EXPECT_EQ(std::vector<std::string>{"http://example.org/updates.html"}, shell.opened);
  shell.answer = 2;
  const THandOver opened = OpenUrlInBrowser("http://example.org/", shell);
  EXPECT_FALSE(opened.ok);
  EXPECT_FALSE(opened.beep);
  EXPECT_EQ("Internet Browser Not Found", opened.message.english);
  EXPECT_EQ("متصفح الإنترنت غير موجود", opened.message.arabic);
}

TEST(FtpScript, HasOneLinePerStepEndedByLineFeeds) {
  TFtpScript s;
  s.host = "127.0.0.1";
  s.user = "user";
  s.password = "pa ss\"w\\x";  // blanks would make the rest of the password an account
  s.folder = "/tmp/my folder";
  s.fileName = "a b.txt";
  s.direction = kFtpDownload;
  EXPECT_EQ("user user pa\\ ss\\\"w\\\\x\nbinary\nget a\\ b.txt /tmp/my\\ folder/a\\ b.txt\nquit\n",
            *FtpScriptText(s));
  s.direction = kFtpUpload;
  s.binary = false;
  EXPECT_EQ("user user pa\\ ss\\\"w\\\\x\nascii\nsend /tmp/my\\ folder/a\\ b.txt a\\ b.txt\nquit\n",
            *FtpScriptText(s));
  s.direction = 2;
  s.password = "";
  EXPECT_EQ("user user\nascii\nquit\n", *FtpScriptText(s));
  for (const std::string& bad :
       {std::string("x\r"), std::string("x\n!rm -rf ~"), std::string("x\0y", 3)}) {
    TFtpScript hostile = s;
    hostile.password = bad;
    EXPECT_FALSE(FtpScriptText(hostile));
    hostile = s;
    hostile.fileName = bad;
    EXPECT_FALSE(FtpScriptText(hostile));
  }
}

class FtpRun : public ::testing::Test {
 protected:
  TFtpScript Script() {
    TFtpScript s;
    s.host = "ftp.example.org";
    s.user = "anonymous";
    s.password = "guest";
    s.folder = dir.path();
    s.fileName = "vekdirs.rec";
    return s;
  }

  THandOver Run(const TFtpScript& script) {
    return RunFtpScript(script, RealFileSystem(), launcher);
  }

  TempDir dir;
  FakeLauncher launcher;
};

TEST_F(FtpRun, WritesAPrivateScriptAndStartsTheClientOnItWithoutWaiting) {
  TFtpScript s = Script();
  s.port = 2121;
  ASSERT_TRUE(Run(s).ok);
  const fs::path script = dir.path() / "ftpcomm";
  EXPECT_EQ(*FtpScriptText(s), ExpectFileBytes(script));
  struct stat st {};
  ASSERT_EQ(0, ::stat(script.c_str(), &st));
  EXPECT_EQ(0600u, st.st_mode & 0777);
  ASSERT_EQ(1u, launcher.started.size());
  EXPECT_EQ("ftp", launcher.started[0].filename());
  EXPECT_EQ((std::vector<std::string>{"ftp", "-n", "ftp.example.org", "2121"}), launcher.args);
  EXPECT_EQ(script, launcher.lastOptions.standardInput);
  EXPECT_EQ(dir.path(), launcher.lastOptions.workingFolder);
  EXPECT_EQ(1, launcher.detached);
}

TEST_F(FtpRun, RefusesFieldsThatWouldStartALineOfTheirOwn) {
  TFtpScript s = Script();
  s.user = "anonymous\n!touch /tmp/owned";
  const THandOver lineBreak = Run(s);
  EXPECT_FALSE(lineBreak.ok);
  EXPECT_EQ("The ftp script was not written: a field holds a line break or a NUL character",
            lineBreak.message.english);
  s = Script();
  s.host = "-oowned";
  const THandOver host = Run(s);
  EXPECT_FALSE(host.ok);
  // The host reads left to right, isolated within the Arabic line.
  EXPECT_EQ("Not a valid ftp host name: -oowned", host.message.english);
  EXPECT_EQ("اسم خادم ftp غير صالح: \u2066-oowned\u2069", host.message.arabic);
  EXPECT_FALSE(fs::exists(dir.path() / "ftpcomm"));
  EXPECT_TRUE(launcher.started.empty());
}

TEST_F(FtpRun, ReportsAScriptThatCannotBeWrittenAndAClientThatCannotStart) {
  TFtpScript s = Script();
  s.folder = dir.path() / "missing";
  const THandOver unwritten = Run(s);
  EXPECT_FALSE(unwritten.ok);
  EXPECT_TRUE(launcher.started.empty());
  launcher.startError = ENOENT;
  const THandOver unstarted = Run(Script());
  EXPECT_FALSE(unstarted.ok);
  EXPECT_EQ(0, launcher.detached);
  EXPECT_EQ("Error writing the file:\r\n" + (s.folder / "ftpcomm").string() +
                "\r\nDOS error code 3: Path not found",
            unwritten.message.english);
  EXPECT_EQ("The ftp program could not be started:\r\nDOS error code 2: File not found",
            unstarted.message.english);

  // In Arabic both say why in Arabic; only the file's path and the program's name are Latin.
  for (const THandOver* failed : {&unwritten, &unstarted})
    EXPECT_EQ("", testing::LatinOutsideQuotations(failed->message.arabic,
                                                  {(s.folder / "ftpcomm").string(), "ftp"}))
        << failed->message.arabic;
}

TEST_F(FtpRun, TheTesterDownloadFetchesTheListingAnonymouslyIntoLiveUpdate) {
  ASSERT_TRUE(RunTesterFtpDownload({"127.0.0.1", 0, "tester@example.org"}, dir.path(),
                                   RealFileSystem(), launcher)
                  .ok);
  const fs::path folder = dir.path() / "LiveUpdate";
  EXPECT_EQ("user anonymous tester@example.org\nbinary\nget vekdirs.rec " +
                (folder / "vekdirs.rec").string() + "\nquit\n",
            ExpectFileBytes(folder / "ftpcomm"));
  EXPECT_EQ((std::vector<std::string>{"ftp", "-n", "127.0.0.1"}), launcher.args);
}

// The real client against a real server: Debian's ftp and pyftpdlib on 127.0.0.1.
class FtpServer : public PythonServer {
 public:
  FtpServer(const fs::path& root, const std::string& user, const std::string& password)
      : PythonServer("tests/liveupdate/ftp_server.py", {root.string(), user, password}, "2>&1",
                     SIGTERM) {}
};

// Starts programs for real and lets the test wait for them.
class WaitingLauncher : public Launcher {
 public:
  void Detach(pid_t pid) override { pids.push_back(pid); }
  // True when every started program ended within the time.
  bool WaitAll(std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (const pid_t pid : pids) {
      int status = 0;
      while (::waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > end) {
          ::kill(pid, SIGKILL);
          ::waitpid(pid, &status, 0);
          return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
    return true;
  }
  std::vector<pid_t> pids;
};

TEST(FtpClient, DownloadsAndUploadsThroughFoldersWithBlanks) {
  TempDir dir;
  const fs::path root = dir.path() / "server root";
  const fs::path program = dir.path() / "my program";
  fs::create_directories(root);
  std::ofstream(root / "vekdirs.rec", std::ios::binary) << "the server's listing\n";
  const std::string user = "up loader";
  const std::string password = "pa ss\"w\\x";
  FtpServer server(root, user, password);
  ASSERT_GT(server.port, 0) << server.firstLine;

  WaitingLauncher launcher;
  const THandOver downloaded = RunTesterFtpDownload({"127.0.0.1", server.port, "guest@example.org"},
                                                    program, RealFileSystem(), launcher);
  ASSERT_TRUE(downloaded.ok) << downloaded.message.english;
  fs::create_directories(program / "out box");
  std::ofstream(program / "out box" / "report 1.txt", std::ios::binary) << "uploaded\n";
  TFtpScript upload;
  upload.host = "127.0.0.1";
  upload.port = server.port;
  upload.user = user;
  upload.password = password;
  upload.direction = kFtpUpload;
  upload.folder = program / "out box";
  upload.fileName = "report 1.txt";
  const THandOver uploaded = RunFtpScript(upload, RealFileSystem(), launcher);
  ASSERT_TRUE(uploaded.ok) << uploaded.message.english;
  ASSERT_TRUE(launcher.WaitAll(std::chrono::seconds(30)));
  EXPECT_EQ("the server's listing\n", ExpectFileBytes(program / "LiveUpdate" / "vekdirs.rec"));
  EXPECT_EQ("uploaded\n", ExpectFileBytes(root / "report 1.txt"));
}

}  // namespace
}  // namespace vek
