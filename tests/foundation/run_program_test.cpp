#include "foundation/run_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>

#include "foundation/file_io.h"
#include "support/fake_clock.h"
#include "support/fake_launcher.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::FakeLauncher;
using testing::FakeUi;
using testing::TempDir;

class RunProgram : public ::testing::Test {
 protected:
  fs::path File(const std::string& name, const std::string& text, mode_t mode) {
    const fs::path p = dir.path() / name;
    EXPECT_EQ(0, WriteFileReplacing(p, text));
    ::chmod(p.c_str(), mode);
    return p;
  }

  TempDir dir;
  FakeUi ui;
  FakeClock clock;
  FakeLauncher fake;
  SystemServices sys{.ui = ui, .clock = clock, .launcher = fake};
  SystemServices real{.ui = ui, .clock = clock};
};

TEST_F(RunProgram, ChecksTheFileBeforeStartingAnything) {
  const fs::path com = File("TOOL.com", "x", 0644);
  EXPECT_FALSE(ExecuteProgram(com, {}, sys));
  EXPECT_EQ(com.string() + " is not an executable file.", ui.messages.at(0));
  const fs::path missing = dir.path() / "SETUP.EXE";
  EXPECT_FALSE(ExecuteProgram(missing, {}, sys));
  EXPECT_EQ("The file: " + missing.string() + " cannot be found.", ui.messages.at(1));
  EXPECT_TRUE(fake.started.empty());

  const fs::path lower = File("setup.exe", "x", 0644);
  EXPECT_TRUE(ExecuteProgram(lower, {lower.string(), "ContinueLiveUpdate"}, sys));
  EXPECT_EQ((std::vector<std::string>{lower.string(), "ContinueLiveUpdate"}), fake.args);
  EXPECT_EQ(1, fake.detached);  // never waited for, never left a zombie
  EXPECT_EQ(2u, ui.messages.size());
}

TEST_F(RunProgram, TellsTheSystemErrorOfAFailedStart) {
  const fs::path program = File("vek", "x", 0755);
  fake.startError = ENOEXEC;
  EXPECT_FALSE(ExecuteProgram(program, {}, sys));
  EXPECT_EQ(
      "Error executing program: " + program.string() + "\nError Code: " + std::to_string(ENOEXEC),
      ui.messages.at(0));
}

TEST_F(RunProgram, RealStartsAndFailures) {
  const fs::path script = File("ok.sh", "#!/bin/sh\nexit 0\n", 0755);
  EXPECT_EQ(0, RunProcess(script, {}, true, real));
  EXPECT_TRUE(ExecuteProgram(script, {"ok.sh", "ContinueLiveUpdate"}, real));
  // Not a program although executable, and a program file without the execute bit.
  EXPECT_EQ(ENOEXEC, RunProcess(File("junk", "not a program", 0755), {}, false, real));
  EXPECT_FALSE(ExecuteProgram(File("plain.exe", "x", 0644), {}, real));
  EXPECT_EQ(0u, ui.messages.back().find("Error executing program: "));
  EXPECT_NE(std::string::npos, ui.messages.back().find("Error Code: " + std::to_string(EACCES)));
}

TEST_F(RunProgram, WaitingHandlesEventsUntilTheProgramEndsOrWeQuit) {
  fake.pollsLeft = 3;
  EXPECT_EQ(0, RunProcess("/bin/x", {}, true, sys));
  EXPECT_EQ(4, ui.eventPumps);
  EXPECT_EQ(0, fake.detached);

  fake.pollsLeft = 1000;
  ui.terminating = true;
  EXPECT_EQ(-1, WaitForProcessExit(1, sys));
  EXPECT_EQ(1, fake.detached);  // handed to the background reaper
}

// The wait answers the program's exit code, and -1 for a program that a signal ended.
TEST_F(RunProgram, WaitingAnswersTheExitCode) {
  struct Case {
    const char* script;
    int code;
  };
  for (const Case& test : {Case{"exit 0", 0}, Case{"exit 3", 3}, Case{"kill -9 $$", -1}}) {
    SCOPED_TRACE(test.script);
    pid_t pid = 0;
    ASSERT_EQ(0, real.launcher.Start("/bin/sh", {"sh", "-c", test.script}, pid));
    EXPECT_EQ(test.code, WaitForProcessExit(pid, real));
    EXPECT_EQ(-1, real.launcher.ExitCode(pid));  // told once
  }
}

TEST(IsExeFile, ExtensionsAndExecuteBits) {
  for (const char* name : {"A.EXE", "b.exe", "c.Exe", "vek", "x.exex"})
    EXPECT_TRUE(IsExeFile(name)) << name;
  for (const char* name : {"a.com", "b.ex", "c.txt"})
    EXPECT_FALSE(IsExeFile(name)) << name;
  EXPECT_TRUE(IsExeFile("/bin/sh"));
}

}  // namespace
}  // namespace vek
