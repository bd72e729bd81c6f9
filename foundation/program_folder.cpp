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

// The files a new program folder is seeded with: those of the first installed data folder that
// holds VEK.LOC, else the location file beside the running executable (the build tree, or a
// copy of the program that cannot be written to), which shares its folder with the program and
// perhaps someone's settings, so that nothing else of it is taken. Nothing when neither has one.
std::vector<fs::path> SeedFiles(const std::vector<fs::path>& dataFolders,
                                const fs::path& executableFolder) {
  std::vector<fs::path> files;
  for (const fs::path& data : dataFolders) {
    if (!HoldsLocationFile(data))
      continue;
    for (const fs::directory_entry& entry : FolderEntries(data)) {
      if (IsRegularFileEntry(entry))
        files.push_back(entry.path());
    }
    return files;
  }
  if (!executableFolder.empty() && HoldsLocationFile(executableFolder))
    files.push_back(FindFileIgnoringCase(executableFolder, kLocationFile));
  return files;
}

// Copies the files that folder lacks into folder (created when missing); files already there
// are kept.
bool Seed(const fs::path& folder, const std::vector<fs::path>& files, std::string* error) {
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (ec || !fs::is_directory(folder, ec)) {
    if (error)
      *error = "Cannot create the program folder " + folder.string() + ": " + ec.message();
    return false;
  }
  for (const fs::path& file : files) {
    const fs::path target = FindFileIgnoringCase(folder, file.filename().string());
    if (PathTaken(target))
      continue;
    if (!CopyWhole(file, target, error))
      return false;
  }
  return true;
}

// A program folder without VEK.LOC is seeded. With nothing to seed from, nothing is created:
// the start-up then reports the missing location file.
std::optional<fs::path> Prepare(const fs::path& folder, const ProgramFolderInputs& in,
                                std::string* error) {
  if (HoldsLocationFile(folder))
    return folder;
  const std::vector<fs::path> files = SeedFiles(in.dataFolders, in.executableFolder);
  if (files.empty())
    return folder;
  if (!Seed(folder, files, error))
    return std::nullopt;
  return folder;
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
    return Prepare(*in.vekHome, in, error);
  if (!in.executableFolder.empty() && HoldsLocationFile(in.executableFolder) &&
      IsWritableFolder(in.executableFolder)) {
    return in.executableFolder;
  }
  const fs::path base = in.xdgDataHome ? *in.xdgDataHome : in.home / ".local" / "share";
  return Prepare(base / "vek", in, error);
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
