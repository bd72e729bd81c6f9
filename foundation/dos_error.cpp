#include "foundation/dos_error.h"

#include <cerrno>
#include <cstring>
#include <system_error>

namespace vek {

namespace {

constexpr int kPathNotFound = 3;
// Errno values without a DOS code are reported as this plus the errno.
constexpr int kErrnoCodeBase = 1000;

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

// The errno values that the program's file operations meet: the DOS code each is reported
// under, its English text (for a code of its own) or detail (where it shares a DOS code with
// others, so that the reader can still tell them apart), and what it means in Arabic.
struct ErrnoText {
  int Errno;
  int Code;
  const char* English;
  const char* Arabic;
};

constexpr ErrnoText kErrnoTexts[] = {
    {ENOENT, 2, nullptr, "الملف غير موجود"},
    {ENOTDIR, 3, "A part of the path is not a folder", "جزء من المسار ليس مجلداً"},
    {EMFILE, 4, nullptr, "عدد الملفات المفتوحة أكبر من المسموح به"},
    {ENFILE, 4, nullptr, "عدد الملفات المفتوحة أكبر من المسموح به"},
    {EACCES, 5, nullptr, "لا يسمح بالوصول إلى الملف أو إلى مجلده"},
    {EPERM, 5, "Operation not permitted", "العملية غير مسموح بها"},
    {EROFS, 5, "Read-only file system", "القرص للقراءة فقط"},
    {EBADF, 6, nullptr, "رقم الملف غير صالح"},
    {EINVAL, 12, nullptr, "طريقة الوصول إلى الملف غير صالحة"},
    {ENODEV, 15, nullptr, "القرص غير موجود"},
    {ENXIO, 15, nullptr, "القرص غير موجود"},
    {EBUSY, 16, "The file or folder is in use", "الملف أو المجلد مشغول"},
    {EXDEV, 17, nullptr, "لا يمكن نقل الملف إلى قرص آخر بإعادة التسمية"},
    {ENOSPC, kErrnoCodeBase + ENOSPC, "No space left on device", "لا توجد مساحة كافية على القرص"},
    {EDQUOT, kErrnoCodeBase + EDQUOT, "Disk quota exceeded",
     "تم تجاوز الحصة المسموح بها على القرص"},
    {EFBIG, kErrnoCodeBase + EFBIG, "File too large", "الملف أكبر من الحجم المسموح به"},
    {ENAMETOOLONG, kErrnoCodeBase + ENAMETOOLONG, "File name too long", "اسم الملف طويل جداً"},
    {EISDIR, kErrnoCodeBase + EISDIR, "The name is that of a folder", "الاسم المختار اسم مجلد"},
    {ELOOP, kErrnoCodeBase + ELOOP, "Too many symbolic links in the path",
     "عدد كبير جداً من الروابط الرمزية في المسار"},
    {EIO, kErrnoCodeBase + EIO, "Input/output error", "خطأ في القراءة من القرص أو الكتابة عليه"},
};

const ErrnoText* FindErrno(int e) {
  for (const ErrnoText& t : kErrnoTexts)
    if (t.Errno == e)
      return &t;
  return nullptr;
}

// The own text of a code 1000 + errno.
const char* ErrnoCodeText(int code) {
  const ErrnoText* t = code > kErrnoCodeBase ? FindErrno(code - kErrnoCodeBase) : nullptr;
  return t && t->Code == code ? t->English : nullptr;
}

// The DOS line of an errno reported under code.
std::string DosLine(int e, int code) {
  std::string text = DosErrorText(code);
  if (code == 0)
    return text;
  const ErrnoText* t = FindErrno(e);
  if (t && t->English && t->Code == code && TableText(code)) {
    text += " (";
    text += t->English;
    text += ")";
  } else if (!t && !TableText(code)) {
    text += " (";
    text += std::strerror(e);
    text += ")";
  }
  return text;
}

// For an Arabic reader: what went wrong in Arabic with the DOS code, and for an errno the
// program has no words of its own, the system's description marked as such.
std::string ArabicTextOfCode(int e, int code) {
  if (code == 0)
    return "لم يحدث خطأ";
  const ErrnoText* t = FindErrno(e);
  std::string text = code == kPathNotFound && e == ENOENT ? "المجلد غير موجود"
                     : t                                  ? t->Arabic
                         : "خطأ غير معروف في الملف";
  text += " (رمز الخطأ " + std::to_string(code) + ")";
  if (!t)
    text += "\r\n" + SystemWordsInArabic(std::strerror(e));
  return text;
}

std::string TextOfCode(int e, int code, Language lang) {
  return lang == Language::Arabic ? ArabicTextOfCode(e, code) : DosLine(e, code);
}

}  // namespace

std::string SystemWordsInArabic(const std::string& text) {
  return "(بعبارة النظام: " + text + ")";
}

std::string DosErrorText(int code) {
  if (code == 0)
    return TableText(0);
  const char* text = TableText(code);
  if (!text)
    text = ErrnoCodeText(code);
  return "DOS error code " + std::to_string(code) + ": " + (text ? text : "Unknown Error Code!");
}

int DosCodeFromErrno(int e) {
  if (e == 0)
    return 0;
  const ErrnoText* t = FindErrno(e);
  return t ? t->Code : kErrnoCodeBase + e;
}

int DosCodeOfFileError(int e, const std::filesystem::path& file) {
  if (e == ENOENT) {
    // The open or create of a file in a folder that is not there fails with ENOENT too; DOS
    // tells that apart as a path that was not found.
    const std::filesystem::path folder = file.parent_path();
    std::error_code ec;
    if (!folder.empty() && !std::filesystem::is_directory(folder, ec))
      return kPathNotFound;
  }
  return DosCodeFromErrno(e);
}

std::string IoErrorText(int errnoValue) {
  return IoErrorText(errnoValue, Language::English);
}

std::string IoErrorText(int errnoValue, Language lang) {
  return TextOfCode(errnoValue, DosCodeFromErrno(errnoValue), lang);
}

std::string FileErrorText(int errnoValue, const std::filesystem::path& file, Language lang) {
  return TextOfCode(errnoValue, DosCodeOfFileError(errnoValue, file), lang);
}

std::string FileWriteErrorText(const std::filesystem::path& file, int errnoValue,
                               Language language) {
  return (language == Language::Arabic ? "خطأ في كتابة الملف:\r\n"
                                       : "Error writing the file:\r\n") +
         file.string() + "\r\n" + FileErrorText(errnoValue, file, language);
}

}  // namespace vek
