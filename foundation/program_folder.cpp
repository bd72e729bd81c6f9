#include "foundation/program_folder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "foundation/file_io.h"
#include "foundation/folder_walk.h"
#include "foundation/text.h"
#include "platform/system_folders.h"

namespace vek {

namespace fs = std::filesystem;

namespace {

constexpr const char* kLocationFile = "VEK.LOC";

bool IsWritableFolder(const fs::path& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

bool HoldsLocationFile(const fs::path& folder) {
  std::error_code ec;
  return fs::is_regular_file(FindFileIgnoringCase(folder, kLocationFile), ec);
}

// Copies one file so that the target is either absent or whole.
bool CopyWhole(const fs::path& from, const fs::path& to, std::string* error) {
  if (const int e = CopyFileReplacing(from, to, RealFileSystem()); e != 0) {
    if (error)
      *error = "Cannot copy " + from.string() + " to " + to.string() + ": " +
               std::generic_category().message(e);
    return false;
  }
  return true;
}

bool Seed(const fs::path& folder, const std::vector<fs::path>& dataFolders, std::string* error) {
  for (const fs::path& data : dataFolders) {
    if (!HoldsLocationFile(data))
      continue;
    for (const fs::directory_entry& entry : FolderEntries(data)) {
      if (!IsRegularFileEntry(entry))
        continue;
      const fs::path target = FindFileIgnoringCase(folder, entry.path().filename().string());
      if (PathTaken(target))
        continue;
      if (!CopyWhole(entry.path(), target, error))
        return false;
    }
    return true;
  }
  return true;  // nothing to seed with: the location file's own check reports its absence
}

std::optional<fs::path> EnvPath(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0')
    return std::nullopt;
  return fs::path(value);
}

}  // namespace

std::optional<fs::path> ResolveProgramFolder(const ProgramFolderInputs& in, std::string* error) {
  if (in.vekHome)
    return *in.vekHome;
  if (!in.executableFolder.empty() && HoldsLocationFile(in.executableFolder) &&
      IsWritableFolder(in.executableFolder)) {
    return in.executableFolder;
  }
  const fs::path base = in.xdgDataHome ? *in.xdgDataHome : in.home / ".local" / "share";
  const fs::path folder = base / "vek";
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec)) {
    if (error)
      *error = "Cannot create the program folder " + folder.string() + ": " + ec.message();
    return std::nullopt;
  }
  if (!Seed(folder, in.dataFolders, error))
    return std::nullopt;
  return folder;
}

ProgramFolderInputs CurrentProgramFolderInputs() {
  ProgramFolderInputs in;
  in.vekHome = EnvPath("VEK_HOME");
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec)
    in.executableFolder = exe.parent_path();
  if (fs::path data = XdgDataHome(); !data.empty())
    in.xdgDataHome = data;
  in.home = EnvPath("HOME").value_or(fs::path("/"));
  // A relocated installation first, then the folder the build installs into.
  if (!in.executableFolder.empty()) {
    in.dataFolders.push_back(in.executableFolder.parent_path() / "share" / "vek");
  }
  in.dataFolders.emplace_back(VEK_INSTALLED_DATA_DIR);
  return in;
}

fs::path FindFileIgnoringCase(const fs::path& folder, const std::string& name) {
  std::error_code ec;
  const fs::path exact = folder / name;
  if (fs::exists(exact, ec))
    return exact;
  for (const fs::directory_entry& entry : FolderEntries(folder)) {
    if (CompareAsciiNoCase(entry.path().filename().string(), name) == 0)
      return entry.path();
  }
  return exact;
}

}  // namespace vek
