// The program's own temporary files (a carried sound written out to be played, the wizard's test
// tone). They live in one private folder of the user's ($TMPDIR/vek-temp-<uid>, mode 0700), in a
// folder of each running copy ("run-" + six characters) that the copy holds a lock on for as long
// as it runs. Each start removes the folders whose copy is no longer running (one that crashed or
// was killed leaves its files behind) and makes its own; a copy that ends normally removes its
// own. A running copy's folder is never removed: its lock cannot be taken while it runs.
#pragma once

#include <sys/types.h>
#include <unistd.h>

#include <filesystem>
#include <vector>

#include "foundation/file_io.h"

namespace vek {

class ProgramTempFolder {
 public:
  // Uses the first of candidates that is, or can be made, a folder of the user owner alone: a
  // real folder (no link), owned by owner, that no one else may enter (its mode is set to 0700
  // when it was the owner's with more). A candidate owned by another user is never changed or
  // written into. With none usable, path() is empty and error() says why.
  explicit ProgramTempFolder(const std::vector<std::filesystem::path>& candidates,
                             uid_t owner = ::geteuid());
  ProgramTempFolder(const ProgramTempFolder&) = delete;
  ProgramTempFolder& operator=(const ProgramTempFolder&) = delete;
  // Removes this copy's folder with its files.
  ~ProgramTempFolder();

  // This copy's folder, where its temporary files go; empty when there is none.
  const std::filesystem::path& path() const { return folder_; }
  // 0, or the errno of the last candidate that failed.
  int error() const { return error_; }

 private:
  // Removes the folders of copies that no longer run from the private folder.
  void RemoveLeftFolders(const std::filesystem::path& privateFolder);
  // Makes and locks this copy's folder in the private folder; 0 or the errno.
  int MakeOwnFolder(const std::filesystem::path& privateFolder);

  std::filesystem::path folder_;
  FileDescriptor lock_;  // this copy's folder, locked while the copy runs
  int error_ = 0;
};

// Where this process looks for its private folder: $TMPDIR (else /tmp) + "/vek-temp-" + the user
// id, then $XDG_CACHE_HOME/vek/temp (default ~/.cache/vek/temp), for when another user has taken
// the first.
std::vector<std::filesystem::path> ProgramTempFolderCandidates();

// The temporary folder of this run of the program, made (and the folders of copies that no
// longer run removed) at the first call, which the start-up makes; removed when the program
// ends. Empty when no private folder can be had.
const std::filesystem::path& ProgramTempFolderPath();

}  // namespace vek
