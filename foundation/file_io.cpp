#include "foundation/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <utility>
#include <vector>

#include "foundation/dos_error.h"
#include "foundation/language.h"
#include "foundation/text.h"

namespace vek {

UniqueFile CreateUniqueFile(const std::filesystem::path& folder, std::string_view prefix) {
  UniqueFile out;
  std::string pattern =
      (folder.empty() ? std::filesystem::path(".") : folder) / std::string(prefix);
  pattern += "XXXXXX";
  // Created with O_EXCL (mkostemp's own) and O_NOFOLLOW: a file or link planted under the name
  // is never opened, let alone followed.
  const int fd = ::mkostemp(pattern.data(), O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) {
    out.error = errno;
    return out;
  }
  out.fd = FileDescriptor(fd);
  out.path = pattern;
  // mkostemp makes the file private; give it the mode an ordinary new file gets.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  if (::fchmod(fd, 0666 & ~mask) != 0) {
    out.error = errno;
    out.fd.Close();
    ::unlink(out.path.c_str());
    out.path.clear();
  }
  return out;
}

namespace {

// The beginning of the names of temporary copies beside a target, and of the probe of a folder's
// writability.
constexpr std::string_view kCopyPrefix = "$TMP_WRK.$_$";
constexpr std::string_view kProbePrefix = "ERASEME.$$$.";
// The characters that mkostemp puts in place of "XXXXXX".
constexpr std::size_t kUniqueChars = 6;

bool IsUniqueSuffix(std::string_view s) {
  return s.size() == kUniqueChars && std::all_of(s.begin(), s.end(), IsAsciiAlnum);
}

}  // namespace

bool IsProgramTemporaryName(std::string_view name) {
  for (const std::string_view prefix : {kCopyPrefix, kProbePrefix}) {
    if (name.starts_with(prefix))
      return IsUniqueSuffix(name.substr(prefix.size()));
  }
  // "." + target + "." + six characters, the target's name not empty.
  return name.size() >= kUniqueChars + 3 && name.front() == '.' &&
         name[name.size() - kUniqueChars - 1] == '.' &&
         IsUniqueSuffix(name.substr(name.size() - kUniqueChars));
}

int RemoveStaleTemporaryFiles(const std::filesystem::path& folder,
                              std::chrono::system_clock::time_point now,
                              std::chrono::seconds maxAge,
                              const std::function<bool(std::string_view)>& isTemporary) {
  const auto limit =
      std::chrono::duration_cast<std::chrono::seconds>((now - maxAge).time_since_epoch()).count();
  int removed = 0;
  FileDescriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() < 0)
    return 0;
  std::error_code ec;
  for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!(isTemporary ? isTemporary(name) : IsProgramTemporaryName(name)))
      continue;
    struct stat st {};
    // The entry itself, never what a link leads to.
    if (::fstatat(dir.get(), name.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0)
      continue;
    if (!S_ISREG(st.st_mode) || st.st_uid != ::geteuid() || st.st_mtim.tv_sec >= limit)
      continue;
    if (::unlinkat(dir.get(), name.c_str(), 0) == 0)
      ++removed;
  }
  return removed;
}

UniqueFile CreateTemporaryBeside(const std::filesystem::path& target) {
  std::string prefix = ".";
  prefix += target.filename().string();
  prefix += '.';
  return CreateUniqueFile(target.parent_path(), prefix);
}

int ReadFileHead(const std::filesystem::path& file, std::size_t maxBytes, std::string& out) {
  out.clear();
  FileDescriptor fd(::open(file.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0)
    return errno;
  char buffer[1 << 16];
  while (out.size() < maxBytes) {
    const ssize_t n = ::read(fd.get(), buffer, std::min(sizeof buffer, maxBytes - out.size()));
    if (n < 0) {
      if (errno == EINTR)
        continue;
      const int e = errno;
      out.clear();
      return e;
    }
    if (n == 0)
      break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  return 0;
}

int ReadWholeFile(const std::filesystem::path& file, std::string& out) {
  return ReadFileHead(file, std::numeric_limits<std::size_t>::max(), out);
}

std::string ReadRefusalText(const FileRead& result, bool arabic) {
  switch (result.refusal) {
    case ReadRefusal::None:
      return {};
    case ReadRefusal::Unreadable:
      return IoErrorText(result.errnoValue, arabic ? Language::Arabic : Language::English);
    case ReadRefusal::NotRegularFile:
      return arabic ? "ليس ملفاً عادياً" : "It is not a regular file";
    case ReadRefusal::TooLarge: {
      const std::string mib = std::to_string(result.limit / (1024 * 1024));
      return arabic ? std::string("حجمه أكبر من ").append(mib).append(" ميغابايت")
                    : std::string("It is larger than ").append(mib).append(" MiB");
    }
  }
  return {};
}

void SyncFolderOf(const std::filesystem::path& file) {
  const std::filesystem::path folder = file.parent_path();
  FileDescriptor fd(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd.get() >= 0)
    ::fsync(fd.get());
}

namespace {

// Writes data through the open temporary file fd and renames it over target; the temporary
// file is removed on failure.
int FinishReplacing(FileDescriptor fd, const std::filesystem::path& temp,
                    const std::filesystem::path& target, std::string_view data) {
  int e = WriteAll(fd.get(), data);
  if (e == 0 && ::fsync(fd.get()) != 0)
    e = errno;
  if (const int c = fd.Close(); e == 0)
    e = c;
  if (e == 0 && std::rename(temp.c_str(), target.c_str()) != 0)
    e = errno;
  if (e != 0) {
    ::unlink(temp.c_str());
    return e;
  }
  SyncFolderOf(target);
  return 0;
}

}  // namespace

int WriteFileReplacing(const std::filesystem::path& target, std::string_view data) {
  UniqueFile temp = CreateTemporaryBeside(target);
  if (temp.error != 0)
    return temp.error;
  return FinishReplacing(std::move(temp.fd), temp.path, target, data);
}

bool IsOwnerWritable(const std::filesystem::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 && (st.st_mode & S_IWUSR) != 0;
}

int MakeOwnerWritable(const std::filesystem::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0)
    return errno;
  if ((st.st_mode & S_IWUSR) != 0)
    return 0;
  return ::chmod(file.c_str(), (st.st_mode & 07777) | S_IWUSR) == 0 ? 0 : errno;
}

int WriteFileReplacing(const std::filesystem::path& target, std::string_view data, FileSystem& fs,
                       int permissions) {
  UniqueFile temp = CreateTemporaryBeside(target);
  if (temp.error != 0)
    return temp.error;
  int e = 0;
  if (permissions >= 0 && ::fchmod(temp.fd.get(), static_cast<mode_t>(permissions) & 07777) != 0)
    e = errno;
  if (e == 0)
    e = fs.Write(temp.fd.get(), data);
  if (e == 0 && ::fsync(temp.fd.get()) != 0)
    e = errno;
  if (const int c = temp.fd.Close(); e == 0)
    e = c;
  if (e == 0)
    e = fs.Rename(temp.path, target);
  if (e != 0) {
    ::unlink(temp.path.c_str());
    return e;
  }
  SyncFolderOf(target);
  return 0;
}

namespace {

// Symbolic links followed before a name counts as a cycle (the system's own limit).
constexpr int kMaxLinks = 40;

// The file that name stands for: name itself, or through its symbolic links the file the last
// one names, read from the folder of the link.
int FileBehindLinks(const std::filesystem::path& name, std::filesystem::path& file) {
  file = name;
  for (int links = 0; links <= kMaxLinks; ++links) {
    struct stat st {};
    if (::lstat(file.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
      return 0;
    std::error_code error;
    const std::filesystem::path to = std::filesystem::read_symlink(file, error);
    if (error)
      return error.value();
    file = to.is_absolute() ? to : file.parent_path() / to;
  }
  return ELOOP;
}

}  // namespace

int WriteUserFileReplacing(const std::filesystem::path& target, std::string_view data,
                           FileSystem& fs) {
  std::filesystem::path file;
  if (const int e = FileBehindLinks(target, file); e != 0)
    return e;
  struct stat st {};
  const int mode = ::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode)
                       ? static_cast<int>(st.st_mode & 0777)
                       : -1;
  return WriteFileReplacing(file, data, fs, mode);
}

namespace {

// Blocks of the copy loop; the caller's callback runs after every tenth block.
constexpr std::size_t kCopyBlock = 20048;
constexpr int kBlocksBetweenEvents = 10;

}  // namespace

int CopyFileReplacing(const std::filesystem::path& source, const std::filesystem::path& target,
                      FileSystem& fs, const std::function<void()>& everyTenthBlock) {
  FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.get() < 0)
    return errno;
  struct stat st {};
  if (::fstat(in.get(), &st) != 0)
    return errno;
  if (!S_ISREG(st.st_mode))
    return EISDIR;
  UniqueFile out = CreateUniqueFile(target.parent_path(), kCopyPrefix);
  if (out.error != 0)
    return out.error;
  int e = 0;
  std::vector<char> block(kCopyBlock);
  for (int blocks = 1;; ++blocks) {
    const ssize_t n = ::read(in.get(), block.data(), block.size());
    if (n < 0 && errno == EINTR)
      continue;
    if (n < 0) {
      e = errno;
      break;
    }
    if (n == 0)
      break;
    e = WriteAll(out.fd.get(), std::string_view(block.data(), static_cast<std::size_t>(n)));
    if (e != 0)
      break;
    if (blocks % kBlocksBetweenEvents == 0 && everyTenthBlock)
      everyTenthBlock();
  }
  const struct timespec times[2] = {{0, UTIME_OMIT}, st.st_mtim};
  if (e == 0 && ::fchmod(out.fd.get(), st.st_mode & 07777) != 0)
    e = errno;
  if (e == 0 && ::futimens(out.fd.get(), times) != 0)
    e = errno;
  if (e == 0 && ::fsync(out.fd.get()) != 0)
    e = errno;
  if (const int c = out.fd.Close(); e == 0)
    e = c;
  if (e == 0)
    e = fs.Rename(out.path, target);
  if (e != 0) {
    ::unlink(out.path.c_str());
    return e;
  }
  SyncFolderOf(target);
  return 0;
}

}  // namespace vek
