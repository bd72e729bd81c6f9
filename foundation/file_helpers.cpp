#include "foundation/file_helpers.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "foundation/busy_wait.h"
#include "foundation/dos_date_time.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"

namespace vek {

namespace {

namespace fs = std::filesystem;

bool Exists(const fs::path& p) {
  std::error_code ec;
  return fs::exists(fs::symlink_status(p, ec));
}

std::string NotFoundText(const fs::path& source) {
  return "Error renaming file\r\nInitial File NOT FOUND:\r\n" + source.string();
}

std::string CouldNotRenameText(const fs::path& source, const fs::path& target) {
  return "Error renaming file\r\nFound source file:\r\n" + source.string() + "\r\n" +
         "But could not rename it to:" + "\r\n" + target.string();
}

bool SameFile(const fs::path& a, const fs::path& b) {
  std::error_code ec;
  return fs::equivalent(a, b, ec);
}

// One attempt at putting source in target's place: an atomic rename, or on another file system
// a copy beside the target that is renamed over it, after which the source is removed.
int ReplaceOnce(const fs::path& source, const fs::path& target, SystemServices& sys) {
  int e = sys.fs.Rename(source, target);
  if (e != EXDEV)
    return e;
  e = CopyFileReplacing(source, target, sys.fs, [&] { sys.ui.ProcessEvents(); });
  if (e == 0)
    sys.fs.Remove(source);  // the target is in place; a source left over harms nothing
  return e;
}

// ForceDeleteFile with the reason of a failure: 0 when the file is gone.
int ForceDelete(const fs::path& name, FileSystem& fs) {
  std::error_code ec;
  const fs::file_status st = fs::symlink_status(name, ec);
  const bool existed = fs::exists(st);
  if (fs::is_regular_file(st))
    fs.SetWritable(name, true);  // a read-only file is made writable first
  const int e = fs.Remove(name);
  return !existed || e == 0 ? 0 : e;
}

bool IsPermissionError(int e) {
  return e == EACCES || e == EPERM || e == EROFS;
}

std::string CloseProgramText(const fs::path& name) {
  const std::string n = name.string();
  return "\nيجب إغلاق البرنامج التالي لمتابعة هذه العملية\n"
         "الرجاء إغلاقه فوراً قبل إغلاق نافذة هذه الرسالة\n"
         "اضغط Alt-TAB للوصول إلى ذلك البرنامج\n" +
         n + "\n\n" + "You Must close the following program in order to continue this operation" +
         "\n" + "Please close it immediately before closing this message window" + "\n" +
         "Press Alt-TAB to access that program" + "\n" + n + "\n";
}

constexpr std::string_view kNotDeletedText =
    "لم يتم محو الملف القديم، يلزم إعادة المحاولة\nOld file was not deleted, operation must be "
    "repeated";

// The part of a path string after its last '/'.
std::size_t NameStart(std::string_view name) {
  const std::size_t slash = name.rfind('/');
  return slash == std::string_view::npos ? 0 : slash + 1;
}

}  // namespace

bool CopyFileKeepDate(const fs::path& source, const fs::path& target, SystemServices& sys) {
  if (SameFile(source, target))
    return false;
  return CopyFileReplacing(source, target, sys.fs, [&] { sys.ui.ProcessEvents(); }) == 0;
}

bool RenameFileQuiet(const fs::path& source, const fs::path& target, FileSystem& fs) {
  return Exists(source) && fs.RenameNoReplace(source, target) == 0;
}

bool RenameFileWithTexts(const fs::path& source, const fs::path& target, SystemServices& sys) {
  if (!Exists(source)) {
    ShowProgramMessage(NotFoundText(source), sys.ui);
    return false;
  }
  if (sys.fs.RenameNoReplace(source, target) != 0) {
    ShowProgramMessage(CouldNotRenameText(source, target), sys.ui);
    return false;
  }
  return true;
}

bool SafeRenameFile(const fs::path& source, const fs::path& target, SystemServices& sys) {
  if (!Exists(source)) {
    ShowProgramMessage(NotFoundText(source), sys.ui);
    return false;
  }
  constexpr int kAttempts = 4;
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (ReplaceOnce(source, target, sys) == 0)
      return true;
    sys.ui.Beep();
    WaitWithHourglass(1, sys.ui, sys.clock);
  }
  ShowProgramMessage(CouldNotRenameText(source, target), sys.ui);
  return false;
}

bool ForceDeleteFile(const fs::path& name, FileSystem& fs) {
  return ForceDelete(name, fs) == 0;
}

bool DeleteFileAskingToClose(const fs::path& name, SystemServices& sys) {
  constexpr int kAttempts = 6;
  constexpr int kAttemptsBeforeAsking = 4;
  int e = 0;
  for (int attempt = 1; attempt <= kAttempts; ++attempt) {
    e = ForceDelete(name, sys.fs);
    if (e == 0)
      return true;
    if (IsPermissionError(e))
      break;
    if (attempt <= kAttemptsBeforeAsking)
      WaitWithHourglass(5, sys.ui, sys.clock);
    else
      ShowProgramMessage(CloseProgramText(name), sys.ui);
  }
  std::string text(kNotDeletedText);
  if (IsPermissionError(e))
    text += "\n\n" + name.string() + "\n" + IoErrorText(e);
  ShowProgramMessage(text, sys.ui);
  return false;
}

std::string StripFromFirstDot(std::string_view name) {
  const std::size_t dot = name.find('.', NameStart(name));
  return std::string(name.substr(0, dot));
}

std::string StripExtension(std::string_view name) {
  const std::size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || dot < NameStart(name))
    return std::string(name);
  return std::string(name.substr(0, dot));
}

std::int64_t FileSizeOfName(const fs::path& name) {
  struct stat st {};
  if (::stat(name.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    return 0;
  return st.st_size;
}

void SetFileDateAndAttributes(const fs::path& name, std::uint32_t dosDateTime,
                              SystemServices& sys) {
  struct stat st {};
  if (::stat(name.c_str(), &st) != 0) {
    ShowProgramMessage("Error: Can not change the attributes of the file: " + name.string(),
                       sys.ui);
    return;
  }
  const bool readOnly = (st.st_mode & S_IWUSR) == 0;
  if (readOnly)
    sys.fs.SetWritable(name, true);
  FileDescriptor fd(::open(name.c_str(), O_WRONLY | O_CLOEXEC));
  if (fd.get() < 0) {
    const int e = errno;
    sys.ui.ShowPrompt("Error in QESysUtl: Can not open the file: " + name.string() +
                          " for writing" + "\n" + "Error code was:" + std::to_string(e),
                      kEnglishCaptions);
  } else if (const auto t = FileTimeOfDosDateTime(dosDateTime)) {
    const struct timespec times[2] = {{0, UTIME_OMIT}, {*t, 0}};
    ::futimens(fd.get(), times);
  }
  fd.Close();
  if (readOnly)
    sys.fs.SetWritable(name, false);
}

}  // namespace vek
