// The small system helpers: the busy wait, the Arabic check, shortcuts and drive tests.
#include <gtest/gtest.h>

#include <chrono>

#include "foundation/arabic_support.h"
#include "foundation/busy_wait.h"
#include "foundation/debug_log.h"
#include "foundation/drive_tests.h"
#include "foundation/file_io.h"
#include "foundation/shell_link.h"
#include "support/fake_clock.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::FakeUi;
using testing::TempDir;

TEST(WaitWithHourglass, WaitsTheUnitsWithTheBusyCursorAndEventsRunning) {
  FakeUi ui;
  FakeClock clock;
  WaitWithHourglass(5, ui, clock);
  EXPECT_NEAR(4.32, std::chrono::duration<double>(clock.slept).count(), 1e-9);
  EXPECT_GE(ui.eventPumps, 4.32 / 0.02);
  EXPECT_FALSE(ui.busyCursor);
  EXPECT_EQ(2, ui.cursorChanges);
  WaitWithHourglass(0, ui, clock);  // no wait at all
  EXPECT_NEAR(4.32, std::chrono::duration<double>(clock.slept).count(), 1e-9);
}

TEST(CheckArabicSupport, ForcedFlagSkipsTheTest) {
  FakeUi ui;
  CommandLineSwitches sw;
  sw.forceArabic = true;
  ArabicSupportState state;
  bool asked = false;
  EXPECT_TRUE(CheckArabicSupport(
      sw,
      [&] {
        asked = true;
        return false;
      },
      ui, state));
  EXPECT_FALSE(asked);
  EXPECT_TRUE(state.ArabicKeyboardPresent);
  EXPECT_TRUE(ui.dialogs.empty());
}

TEST(CheckArabicSupport, WarnsOncePerRunAndAYesPreventsLaterWarnings) {
  FakeUi ui;
  CommandLineSwitches sw;
  ArabicSupportState state;
  ui.answers = {1};
  EXPECT_FALSE(CheckArabicSupport(
      sw, [] { return false; }, ui, state));
  ASSERT_EQ(1u, ui.dialogs.size());
  EXPECT_EQ("question", ui.dialogs[0].kind);
  EXPECT_EQ(kEnglishCaptions, ui.dialogs[0].option);
  EXPECT_EQ(0u, ui.dialogs[0].text.find(
                    "*** WARNING ***\nYour Operating System DOES NOT support Arabic"));
  EXPECT_TRUE(ui.dialogs[0].text.ends_with("DO YOU WANT TO PREVENT THIS MESSAGE IN FUTURE RUNS ?"));
  EXPECT_EQ(1, ui.beeps);
  EXPECT_TRUE(sw.forceArabic);  // kept in the settings file by its writer

  CommandLineSwitches later;  // a No (or the countdown) leaves the flag clear
  ArabicSupportState next;
  EXPECT_FALSE(CheckArabicSupport(
      later, [] { return false; }, ui, next));
  EXPECT_FALSE(later.forceArabic);
  EXPECT_FALSE(CheckArabicSupport(
      later, [] { return false; }, ui, next));  // no second warning
  EXPECT_EQ(2u, ui.dialogs.size());
  EXPECT_TRUE(CheckArabicSupport(
      later, [] { return true; }, ui, next));
  EXPECT_TRUE(next.ArabicKeyboardPresent);
}

TEST(CreateShellLink, WritesADesktopEntryThatStartsTheProgram) {
  TempDir dir;
  const fs::path link = dir.path() / "autostart" / "Prayer.desktop";  // folder made on demand
  ASSERT_EQ(0, CreateShellLink("/opt/vek/bin/vek", link, "/opt/vek/bin", kShowMinimizedNoActivate));
  std::string text;
  ASSERT_EQ(0, ReadWholeFile(link, text));
  EXPECT_EQ(
      "[Desktop Entry]\nType=Application\nName=Prayer\nExec=/opt/vek/bin/vek\nPath=/opt/vek/bin\n"
      "Terminal=false\n",
      text);
  ASSERT_EQ(0, CreateShellLink("/x/new", link, "", 7));  // an existing entry is overwritten
  ASSERT_EQ(0, ReadWholeFile(link, text));
  EXPECT_NE(std::string::npos, text.find("Exec=/x/new\n"));
  EXPECT_EQ(std::string::npos, text.find("Path="));
  EXPECT_EQ(EINVAL, CreateShellLink("/x/line\nbreak", link, "", 7));
  // Variables for the program go through env.
  ASSERT_EQ(0, CreateShellLink("/x/new", link, "", 7, {"VEK_HOME=/a b", "LANG=C"}));
  ASSERT_EQ(0, ReadWholeFile(link, text));
  EXPECT_NE(std::string::npos, text.find("Exec=/usr/bin/env \"VEK_HOME=/a b\" LANG=C /x/new\n"));
  EXPECT_EQ(EINVAL, CreateShellLink("/x/new", link, "", 7, {"NO_VALUE"}));
  EXPECT_EQ(EINVAL, CreateShellLink("/x/new", link, "", 7, {"=value"}));
  // Arguments follow the program.
  ASSERT_EQ(0, CreateShellLink("/x/new", link, "", 7, {"LANG=C"}, {"Minimized", "a b"}));
  ASSERT_EQ(0, ReadWholeFile(link, text));
  EXPECT_NE(std::string::npos, text.find("Exec=/usr/bin/env LANG=C /x/new Minimized \"a b\"\n"));
  EXPECT_EQ(EINVAL, CreateShellLink("/x/new", link, "", 7, {}, {"two\nlines"}));
  EXPECT_EQ(1, std::distance(fs::directory_iterator(link.parent_path()), {}));
}

TEST(CreateShellLink, QuotesExecByTheDesktopEntryRules) {
  struct Case {
    const char* program;
    const char* exec;
  };
  for (const Case& c : {
           Case{"/usr/bin/vek", "/usr/bin/vek"},
           Case{"/home/a b/vek", "\"/home/a b/vek\""},
           Case{"/home/$x/\"q\"/vek", "\"/home/\\\\$x/\\\\\"q\\\\\"/vek\""},
           Case{"/home/back\\slash/vek", "\"/home/back\\\\\\\\slash/vek\""},
           Case{"/home/100%/vek", "/home/100%%/vek"},
       })
    EXPECT_EQ(c.exec, DesktopExecValue(c.program)) << c.program;
}

TEST(DriveTests, WritableFolderLeavesNothingAndKeepsExistingProbeNames) {
  TempDir dir;
  ASSERT_EQ(0, WriteFileReplacing(dir.path() / "ERASEME.$$$", "keep me"));
  EXPECT_TRUE(DriveIsWritable(dir.path()));
  std::string text;
  EXPECT_EQ(0, ReadWholeFile(dir.path() / "ERASEME.$$$", text));
  EXPECT_EQ("keep me", text);
  EXPECT_EQ(1, std::distance(fs::directory_iterator(dir.path()), {}));
  EXPECT_FALSE(DriveIsWritable(dir.path() / "missing"));
  EXPECT_FALSE(DriveIsWritable("/proc"));
  EXPECT_FALSE(IsCDRomDrive(dir.path()));
  EXPECT_FALSE(IsCDRomDrive(dir.path() / "missing"));
}

TEST(ReadOnlyStartDriveText, AWritableFolderPassesAndKeepsNothing) {
  testing::TempDir dir;
  EXPECT_EQ("", ReadOnlyStartDriveText(dir.path()));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(ReadOnlyStartDriveText, AFolderThatCannotBeWrittenIsToldInBothLanguages) {
  testing::TempDir dir;
  const std::filesystem::path missing = dir.path() / "missing";
  const std::string text = ReadOnlyStartDriveText(missing);
  EXPECT_EQ(0u, text.find("\nلا يمكن تشغيل البرنامج من القرص الحالي\n" + missing.string() + "\n"));
  EXPECT_NE(std::string::npos,
            text.find("\n\nProgram can not run from this Dive: " + missing.string() +
                      "\nbecause it is Read-Only.\nPlease run it from a Read-Write disk"));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(DebugLogFileFor, IsInTheProgramFolder) {
  EXPECT_EQ(std::filesystem::path("/opt/vek/VEK_LOG.TXT"), DebugLogFileFor("/opt/vek"));
}

}  // namespace
}  // namespace vek
