// The program's temporary folder over real copies of the program: forked processes that make
// their folder, leave a file in it, and then run on or are killed.
#include "foundation/program_temp_folder.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

unsigned ModeOf(const fs::path& path) {
  struct stat st {};
  EXPECT_EQ(0, ::lstat(path.c_str(), &st)) << path;
  return st.st_mode & 07777;
}

std::set<fs::path> EntriesOf(const fs::path& folder) {
  std::set<fs::path> entries;
  for (const auto& entry : fs::directory_iterator(folder))
    entries.insert(entry.path());
  return entries;
}

// A copy of the program in a child process: it makes its temporary folder, leaves a file there,
// tells its folder through a pipe and waits until its other pipe closes, then ends normally.
class Copy {
 public:
  explicit Copy(const std::vector<fs::path>& candidates) {
    int told[2];
    int wait[2];
    EXPECT_EQ(0, ::pipe(told));
    EXPECT_EQ(0, ::pipe(wait));
    pid_ = ::fork();
    if (pid_ == 0) {
      ::close(told[0]);
      ::close(wait[1]);
      {
        const ProgramTempFolder folder(candidates);
        const std::string path = folder.path().string();
        WriteFileReplacing(folder.path() / "sound.wav", "RIFF");
        WriteAll(told[1], path + "\n");
        char byte;
        while (::read(wait[0], &byte, 1) > 0) {
        }
      }
      ::_exit(0);
    }
    ::close(told[1]);
    ::close(wait[0]);
    wait_ = wait[1];
    std::string path;
    char c;
    while (::read(told[0], &c, 1) == 1 && c != '\n')
      path += c;
    ::close(told[0]);
    folder_ = path;
  }
  ~Copy() {
    if (pid_ > 0) {
      ::kill(pid_, SIGKILL);
      End();
    }
  }
  const fs::path& folder() const { return folder_; }
  void Kill() {
    ::kill(pid_, SIGKILL);
    End();
  }
  void EndNormally() { End(); }

 private:
  void End() {
    ::close(wait_);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
  }

  pid_t pid_ = -1;
  int wait_ = -1;
  fs::path folder_;
};

TEST(ProgramTempFolder, AStartRemovesWhatKilledCopiesLeftAndKeepsWhatRunningCopiesHold) {
  testing::TempDir t;
  const std::vector<fs::path> candidates{t.path() / "vek-temp"};
  Copy killed(candidates);
  Copy running(candidates);
  ASSERT_FALSE(killed.folder().empty());
  ASSERT_FALSE(running.folder().empty());
  EXPECT_NE(killed.folder(), running.folder());
  EXPECT_EQ(candidates[0], killed.folder().parent_path());
  killed.Kill();
  ASSERT_TRUE(fs::exists(killed.folder() / "sound.wav"));  // a kill removes nothing

  {
    const ProgramTempFolder next(candidates);
    EXPECT_FALSE(fs::exists(killed.folder()));
    EXPECT_TRUE(fs::exists(running.folder() / "sound.wav"));
    EXPECT_EQ(candidates[0], next.path().parent_path());
    EXPECT_EQ((std::set<fs::path>{running.folder(), next.path()}), EntriesOf(candidates[0]));
    EXPECT_EQ(0700u, ModeOf(candidates[0]));
    EXPECT_EQ(0700u, ModeOf(next.path()));

    running.EndNormally();  // a copy that ends removes its own folder
    EXPECT_EQ((std::set<fs::path>{next.path()}), EntriesOf(candidates[0]));
  }
  EXPECT_TRUE(EntriesOf(candidates[0]).empty());
}

// Only a real folder of the user's own is used; another user's is neither changed nor written to.
TEST(ProgramTempFolder, OnlyAFolderOfTheUsersOwnIsUsed) {
  testing::TempDir t;
  const fs::path elsewhere = t.path() / "elsewhere";
  fs::create_directory(elsewhere);
  fs::create_symlink(elsewhere, t.path() / "link");
  ASSERT_EQ(0, WriteFileReplacing(t.path() / "file", "x"));
  fs::create_directory(t.path() / "open");
  fs::permissions(t.path() / "open", fs::perms::all);

  const struct {
    const char* what;
    fs::path first;
    int error;
  } refused[] = {
      {"a link", t.path() / "link", ENOTDIR},
      {"a file", t.path() / "file", ENOTDIR},
      {"a relative name", "vek-temp", EINVAL},
  };
  for (const auto& c : refused) {
    SCOPED_TRACE(c.what);
    const ProgramTempFolder folder({c.first});
    EXPECT_TRUE(folder.path().empty());
    EXPECT_EQ(c.error, folder.error());
    const ProgramTempFolder next({c.first, t.path() / "fallback"});
    EXPECT_EQ(t.path() / "fallback", next.path().parent_path());
  }
  EXPECT_TRUE(EntriesOf(elsewhere).empty());

  {
    const ProgramTempFolder own({t.path() / "open"});  // the user's own, open to all: closed
    EXPECT_EQ(t.path() / "open", own.path().parent_path());
    EXPECT_EQ(0700u, ModeOf(t.path() / "open"));
  }

  fs::permissions(t.path() / "open", fs::perms::all);
  const ProgramTempFolder foreign({t.path() / "open"}, ::geteuid() + 1);
  EXPECT_TRUE(foreign.path().empty());
  EXPECT_EQ(EPERM, foreign.error());
  EXPECT_EQ(0777u, ModeOf(t.path() / "open"));
  EXPECT_TRUE(EntriesOf(t.path() / "open").empty());
}

}  // namespace
}  // namespace vek
