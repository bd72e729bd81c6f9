#include "foundation/dos_error.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace vek {

namespace {

const char* TableText(int code) {
  switch (code) {
    case 0:
      return "No Error Reported";
    case 1:
      return "Call made to non existant DOS function";
    case 2:
      return "File not found";
    case 3:
      return "Path not found";
    case 4:
      return "Too many open files";
    case 5:
      return "File access denied";
    case 6:
      return "Invalid file handle";
    case 12:
      return "Invalid file access code";
    case 15:
      return "Invalid Drive number";
    case 16:
      return "Cannot remove current directory";
    case 17:
      return "Cannot rename accross drives";
    case 103:
      return "File not found";
    default:
      return nullptr;
  }
}

}  // namespace

std::string DosErrorText(int code) {
  if (code == 0)
    return TableText(0);
  const char* text = TableText(code);
  return "DOS error code " + std::to_string(code) + ": " + (text ? text : "Unknown Error Code!");
}

int DosCodeFromErrno(int e) {
  switch (e) {
    case 0:
      return 0;
    case ENOENT:
      return 2;
    case ENOTDIR:
      return 3;
    case EMFILE:
    case ENFILE:
      return 4;
    case EACCES:
    case EPERM:
    case EROFS:
      return 5;
    case EBADF:
      return 6;
    case EINVAL:
      return 12;
    case ENODEV:
    case ENXIO:
      return 15;
    case EBUSY:
      return 16;
    case EXDEV:
      return 17;
    default:
      return 1000 + e;
  }
}

std::string IoErrorText(int errnoValue) {
  const int code = DosCodeFromErrno(errnoValue);
  std::string text = DosErrorText(code);
  if (code != 0 && TableText(code) == nullptr) {
    text += " (";
    text += std::strerror(errnoValue);
    text += ")";
  }
  return text;
}

}  // namespace vek
