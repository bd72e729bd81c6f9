#include "foundation/program_temp_folder.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <system_error>
#include <utility>

#include "foundation/folder_walk.h"
#include "platform/private_folder.h"
#include "platform/system_folders.h"

namespace vek {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kRunPrefix = "run-";
// How often a start tries to make a folder of its own that no other start takes away first.
constexpr int kMakeAttempts = 5;

// Opens folder for its lock; -1 when it cannot be opened.
FileDescriptor OpenFolder(const fs::path& folder) {
  return FileDescriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
}

bool IsRunFolderName(const std::string& name) {
  return name.size() == kRunPrefix.size() + 6 && name.starts_with(kRunPrefix);
}

}  // namespace

ProgramTempFolder::ProgramTempFolder(const std::vector<fs::path>& candidates, uid_t owner) {
  error_ = ENOENT;
  for (const fs::path& candidate : candidates) {
    error_ = MakePrivateFolder(candidate, owner);
    if (error_ != 0)
      continue;
    RemoveLeftFolders(candidate);
    error_ = MakeOwnFolder(candidate);
    if (error_ == 0)
      return;
  }
}

ProgramTempFolder::~ProgramTempFolder() {
  if (folder_.empty())
    return;
  std::error_code ec;
  fs::remove_all(folder_, ec);
}

void ProgramTempFolder::RemoveLeftFolders(const fs::path& privateFolder) {
  for (const fs::directory_entry& entry : FolderEntries(privateFolder)) {
    std::error_code ec;
    if (!IsRunFolderName(entry.path().filename().string()) || !entry.is_directory(ec) ||
        entry.is_symlink(ec))
      continue;
    // A running copy holds its folder's lock; one that is free belongs to a copy that ended
    // without removing it. The lock is kept while the folder goes, so that no copy can take it.
    const FileDescriptor folder = OpenFolder(entry.path());
    if (folder.get() < 0 || ::flock(folder.get(), LOCK_EX | LOCK_NB) != 0)
      continue;
    fs::remove_all(entry.path(), ec);
  }
}

int ProgramTempFolder::MakeOwnFolder(const fs::path& privateFolder) {
  int error = 0;
  for (int attempt = 0; attempt < kMakeAttempts; ++attempt) {
    std::string pattern = (privateFolder / (std::string(kRunPrefix) + "XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
      return errno;
    FileDescriptor folder = OpenFolder(pattern);
    // Another start may take a new folder for a left one before its lock is held, and remove
    // it: the lock is then had only once it is gone, and a new folder is made.
    if (folder.get() < 0 || ::flock(folder.get(), LOCK_EX) != 0) {
      error = errno;
      continue;
    }
    struct stat st {};
    if (::fstat(folder.get(), &st) != 0 || st.st_nlink == 0) {
      error = ENOENT;
      continue;
    }
    folder_ = pattern;
    lock_ = std::move(folder);
    return 0;
  }
  return error;
}

std::vector<fs::path> ProgramTempFolderCandidates() {
  const std::string name = "vek-temp-" + std::to_string(::geteuid());
  std::vector<fs::path> candidates{GetWindowsTempFolder() / name};
  if (const fs::path cache = XdgCacheHome(); !cache.empty())
    candidates.push_back(cache / "vek" / "temp");
  return candidates;
}

const fs::path& ProgramTempFolderPath() {
  static const ProgramTempFolder folder(ProgramTempFolderCandidates());
  return folder.path();
}

}  // namespace vek
