#include "foundation/file_helpers.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>

#include "foundation/dos_date_time.h"
#include "foundation/file_io.h"
#include "support/fake_clock.h"
#include "support/fake_file_system.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::FakeClock;
using testing::FakeFileSystem;
using testing::FakeUi;
using testing::TempDir;

class FileHelpers : public ::testing::Test {
 protected:
  fs::path Write(const std::string& name, const std::string& data, mode_t mode = 0644) {
    const fs::path p = dir.path() / name;
    EXPECT_EQ(0, WriteFileReplacing(p, data));
    ::chmod(p.c_str(), mode);
    return p;
  }
  std::string Read(const fs::path& p) {
    std::string s;
    EXPECT_EQ(0, ReadWholeFile(p, s)) << p;
    return s;
  }
  static mode_t Mode(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
  }
  static struct timespec MTime(const fs::path& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mtim;
  }
  static void SetMTime(const fs::path& p, std::time_t t) {
    const struct timespec times[2] = {{t, 0}, {t, 0}};
    ::utimensat(AT_FDCWD, p.c_str(), times, 0);
  }
  // Names in the folder other than the given ones: temporary files must not be left behind.
  std::vector<std::string> Leftovers(std::initializer_list<std::string> expected) {
    std::vector<std::string> extra;
    for (const auto& e : fs::directory_iterator(dir.path())) {
      const std::string n = e.path().filename().string();
      if (std::find(expected.begin(), expected.end(), n) == expected.end())
        extra.push_back(n);
    }
    return extra;
  }
  double SecondsWaited() const { return std::chrono::duration<double>(clock.slept).count(); }

  TempDir dir;
  FakeUi ui;
  FakeClock clock;
  FakeFileSystem fsys;
  SystemServices sys{ui, clock, fsys};
};

TEST_F(FileHelpers, CopyKeepsBytesDateAndModeAndLetsEventsRun) {
  std::string data;
  for (int i = 0; i < 250000; ++i)
    data += static_cast<char>(i * 7);
  const fs::path src = Write("src.bin", data, 0755);
  SetMTime(src, 1700000000);
  const fs::path dst = Write("dst.bin", "old");
  EXPECT_TRUE(CopyFileKeepDate(src, dst, sys));
  EXPECT_EQ(data, Read(dst));
  EXPECT_EQ(1700000000, MTime(dst).tv_sec);
  EXPECT_EQ(0755u, Mode(dst));
  EXPECT_EQ(1, ui.eventPumps);  // 13 blocks of 20,048 bytes: one pause after the tenth
  EXPECT_TRUE(Leftovers({"src.bin", "dst.bin"}).empty());

  const fs::path empty = Write("empty", "");
  SetMTime(empty, 1600000000);
  EXPECT_TRUE(CopyFileKeepDate(empty, dir.path() / "empty.copy", sys));
  EXPECT_EQ("", Read(dir.path() / "empty.copy"));
  EXPECT_EQ(1600000000, MTime(dir.path() / "empty.copy").tv_sec);
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileHelpers, FailedCopyLeavesTheTargetAsItWas) {
  const fs::path src = Write("src", "new");
  const fs::path dst = Write("dst", "old");
  EXPECT_FALSE(CopyFileKeepDate(src, src, sys));  // onto itself: never truncated
  EXPECT_EQ("new", Read(src));
  EXPECT_FALSE(CopyFileKeepDate(dir.path() / "missing", dst, sys));
  EXPECT_FALSE(CopyFileKeepDate(src, dir.path() / "no-such-folder" / "dst", sys));
  fsys.failRename = [](const fs::path&, const fs::path&) { return EIO; };
  EXPECT_FALSE(CopyFileKeepDate(src, dst, sys));
  EXPECT_EQ("old", Read(dst));
  EXPECT_TRUE(Leftovers({"src", "dst"}).empty());
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileHelpers, RenamesNeverOverwriteAndExplainFailures) {
  const fs::path a = Write("a", "A");
  const fs::path b = Write("b", "B");
  EXPECT_FALSE(RenameFileQuiet(a, b, fsys));
  EXPECT_FALSE(RenameFileQuiet(dir.path() / "missing", dir.path() / "c", fsys));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_FALSE(RenameFileWithTexts(a, b, sys));
  EXPECT_EQ("Error renaming file\r\nFound source file:\r\n" + a.string() +
                "\r\nBut could not rename it to:\r\n" + b.string(),
            ui.messages.at(0));
  EXPECT_EQ("B", Read(b));
  EXPECT_FALSE(RenameFileWithTexts(dir.path() / "missing", b, sys));
  EXPECT_EQ(
      "Error renaming file\r\nInitial File NOT FOUND:\r\n" + (dir.path() / "missing").string(),
      ui.messages.at(1));
  EXPECT_TRUE(RenameFileWithTexts(a, dir.path() / "c", sys));
  EXPECT_EQ("A", Read(dir.path() / "c"));
  EXPECT_FALSE(fs::exists(a));
}

TEST_F(FileHelpers, SafeRenameReplacesAReadOnlyTarget) {
  const fs::path src = Write("new.exe", "new", 0755);
  const fs::path dst = Write("old.exe", "old", 0444);
  EXPECT_TRUE(SafeRenameFile(src, dst, sys));
  EXPECT_EQ("new", Read(dst));
  EXPECT_EQ(0755u, Mode(dst));  // the new file keeps its own attributes
  EXPECT_FALSE(fs::exists(src));
  EXPECT_EQ(0, ui.beeps);
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(Leftovers({"old.exe"}).empty());
}

TEST_F(FileHelpers, SafeRenameWithMissingSourceTouchesNothing) {
  const fs::path dst = Write("dst", "old");
  EXPECT_FALSE(SafeRenameFile(dir.path() / "missing", dst, sys));
  EXPECT_EQ(
      "Error renaming file\r\nInitial File NOT FOUND:\r\n" + (dir.path() / "missing").string(),
      ui.messages.at(0));
  EXPECT_EQ("old", Read(dst));
  EXPECT_EQ(0, fsys.renames);
}

TEST_F(FileHelpers, SafeRenameRetriesFourTimesAndKeepsTheOldTarget) {
  const fs::path src = Write("src", "new");
  const fs::path dst = Write("dst", "old");
  fsys.failRename = [](const fs::path&, const fs::path&) { return EBUSY; };
  EXPECT_FALSE(SafeRenameFile(src, dst, sys));
  EXPECT_EQ(4, fsys.renames);
  EXPECT_EQ(4, ui.beeps);
  EXPECT_NEAR(4 * 0.864, SecondsWaited(), 1e-6);
  ASSERT_EQ(1u, ui.messages.size());
  EXPECT_EQ(0u, ui.messages[0].find("Error renaming file\r\nFound source file:"));
  EXPECT_EQ("old", Read(dst));
  EXPECT_EQ("new", Read(src));
  EXPECT_TRUE(Leftovers({"src", "dst"}).empty());
}

TEST_F(FileHelpers, SafeRenameSucceedsOnALaterAttempt) {
  const fs::path src = Write("src", "new");
  int failures = 2;
  fsys.failRename = [&](const fs::path&, const fs::path&) { return failures-- > 0 ? EBUSY : 0; };
  EXPECT_TRUE(SafeRenameFile(src, dir.path() / "fresh", sys));
  EXPECT_EQ(3, fsys.renames);
  EXPECT_EQ(2, ui.beeps);
  EXPECT_EQ("new", Read(dir.path() / "fresh"));
  EXPECT_TRUE(ui.messages.empty());
}

TEST_F(FileHelpers, SafeRenameAcrossFileSystemsCopiesBesideTheTarget) {
  const fs::path src = Write("src", "moved", 0700);
  SetMTime(src, 1500000000);
  const fs::path dst = Write("dst", "old");
  // The direct rename is refused as between file systems; the final rename of the copy works.
  fsys.failRename = [&](const fs::path& from, const fs::path&) { return from == src ? EXDEV : 0; };
  EXPECT_TRUE(SafeRenameFile(src, dst, sys));
  EXPECT_EQ("moved", Read(dst));
  EXPECT_EQ(1500000000, MTime(dst).tv_sec);
  EXPECT_EQ(0700u, Mode(dst));
  EXPECT_FALSE(fs::exists(src));
  EXPECT_TRUE(Leftovers({"dst"}).empty());
}

TEST_F(FileHelpers, ForceDeleteRemovesReadOnlyFilesAndAcceptsMissingOnes) {
  const fs::path ro = Write("ro", "x", 0444);
  EXPECT_TRUE(ForceDeleteFile(ro, fsys));
  EXPECT_FALSE(fs::exists(ro));
  EXPECT_TRUE(ForceDeleteFile(dir.path() / "never-there", fsys));
  const fs::path held = Write("held", "x");
  fsys.failRemove = [](const fs::path&) { return EBUSY; };
  EXPECT_FALSE(ForceDeleteFile(held, fsys));
}

TEST_F(FileHelpers, DeleteAsksToCloseTheHoldingProgramThenGivesUp) {
  const fs::path held = Write("held.exe", "x");
  fsys.failRemove = [](const fs::path&) { return EBUSY; };
  EXPECT_FALSE(DeleteFileAskingToClose(held, sys));
  EXPECT_EQ(6, fsys.removes);
  EXPECT_NEAR(4 * 5 * 0.864, SecondsWaited(), 1e-6);
  ASSERT_EQ(3u, ui.messages.size());
  for (int i : {0, 1}) {
    const std::string& m = ui.messages[i];
    EXPECT_EQ('\n', m.front());
    EXPECT_NE(std::string::npos, m.find(held.string() +
                                        "\n\nYou Must close the following program in order to "
                                        "continue this operation\nPlease close it immediately "
                                        "before closing this message window\nPress Alt-TAB to "
                                        "access that program\n" +
                                        held.string() + "\n"));
  }
  EXPECT_EQ(
      "لم يتم محو الملف القديم، يلزم إعادة المحاولة\nOld file was not deleted, operation "
      "must be repeated",
      ui.messages[2]);
  EXPECT_TRUE(fs::exists(held));
}

TEST_F(FileHelpers, DeleteSucceedsOnceTheUserClosedTheProgram) {
  const fs::path held = Write("held", "x");
  bool closed = false;
  fsys.failRemove = [&](const fs::path&) { return closed ? 0 : EBUSY; };
  ui.onMessage = [&](const std::string&) { closed = true; };
  EXPECT_TRUE(DeleteFileAskingToClose(held, sys));
  EXPECT_EQ(6, fsys.removes);
  EXPECT_EQ(1u, ui.messages.size());
  EXPECT_FALSE(fs::exists(held));
}

TEST_F(FileHelpers, DeleteReportsAPermissionErrorAtOnce) {
  const fs::path locked = Write("locked", "x");
  for (int e : {EACCES, EPERM, EROFS}) {
    ui.messages.clear();
    fsys.removes = 0;
    fsys.failRemove = [e](const fs::path&) { return e; };
    EXPECT_FALSE(DeleteFileAskingToClose(locked, sys));
    EXPECT_EQ(1, fsys.removes);
    ASSERT_EQ(1u, ui.messages.size());
    EXPECT_EQ(0u, ui.messages[0].find("لم يتم محو الملف القديم"));
    EXPECT_NE(std::string::npos, ui.messages[0].find("File access denied"));
  }
  EXPECT_EQ(0.0, SecondsWaited());
}

TEST(StripNames, CutAtFirstAndLastDot) {
  struct Case {
    const char* name;
    const char* fromFirst;
    const char* extension;
  };
  for (const Case& c : {Case{"A.B.TXT", "A", "A.B"}, Case{"README", "README", "README"},
                        Case{"sub.d/file.tar.gz", "sub.d/file", "sub.d/file.tar"},
                        Case{"sub.d/plain", "sub.d/plain", "sub.d/plain"}, Case{"", "", ""}}) {
    EXPECT_EQ(c.fromFirst, StripFromFirstDot(c.name)) << c.name;
    EXPECT_EQ(c.extension, StripExtension(c.name)) << c.name;
  }
}

TEST_F(FileHelpers, FileSizeOfName) {
  EXPECT_EQ(5, FileSizeOfName(Write("five", "12345")));
  EXPECT_EQ(0, FileSizeOfName(dir.path() / "missing"));
  EXPECT_EQ(0, FileSizeOfName(dir.path()));
}

TEST_F(FileHelpers, FileDateFromAListingStampKeepsReadOnly) {
  const fs::path ro = Write("ro", "x", 0444);
  const std::uint32_t stamp = *PackDosDateTime({2024, 2, 29, 0, 30, 10});
  SetFileDateAndAttributes(ro, stamp, sys);
  EXPECT_EQ(stamp, DosDateTimeOfFileTime(MTime(ro).tv_sec));
  EXPECT_EQ(0444u, Mode(ro));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(ui.dialogs.empty());
}

TEST_F(FileHelpers, FileDateReportsWhatItCannotChange) {
  SetFileDateAndAttributes(dir.path() / "missing", 0, sys);
  EXPECT_EQ(
      "Error: Can not change the attributes of the file: " + (dir.path() / "missing").string(),
      ui.messages.at(0));
  SetFileDateAndAttributes(dir.path(), 0, sys);  // a folder cannot be opened for writing
  ASSERT_EQ(1u, ui.dialogs.size());
  EXPECT_EQ("prompt", ui.dialogs[0].kind);
  EXPECT_EQ(kEnglishCaptions, ui.dialogs[0].option);
  EXPECT_EQ("Error in QESysUtl: Can not open the file: " + dir.path().string() +
                " for writing\nError code was:" + std::to_string(EISDIR),
            ui.dialogs[0].text);
}

}  // namespace
}  // namespace vek
