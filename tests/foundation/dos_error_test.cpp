#include "foundation/dos_error.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <set>

#include "support/temp_dir.h"

namespace vek {
namespace {

TEST(DosErrorText, FormatsTableAndUnknownCodes) {
  EXPECT_EQ("No Error Reported", DosErrorText(0));
  EXPECT_EQ("DOS error code 5: File access denied", DosErrorText(5));
  EXPECT_EQ("DOS error code 103: File not found", DosErrorText(103));
  EXPECT_EQ("DOS error code 7: Unknown Error Code!", DosErrorText(7));
  EXPECT_EQ("DOS error code 1028: No space left on device", DosErrorText(1028));
  EXPECT_EQ("DOS error code 1075: Unknown Error Code!", DosErrorText(1075));
}

// Every errno that a save can meet has a text of its own, in English and in Arabic.
TEST(IoErrorText, EveryFailureOfASaveIsNamedInBothLanguages) {
  const struct {
    int error;
    int code;
    const char* english;
    const char* arabic;
  } cases[] = {
      {ENOENT, 2, "DOS error code 2: File not found", "الملف غير موجود"},
      {ENOTDIR, 3, "DOS error code 3: Path not found (A part of the path is not a folder)",
       "جزء من المسار ليس مجلداً"},
      {EACCES, 5, "DOS error code 5: File access denied", "لا يسمح بالوصول إلى الملف أو إلى مجلده"},
      {EPERM, 5, "DOS error code 5: File access denied (Operation not permitted)",
       "العملية غير مسموح بها"},
      {EROFS, 5, "DOS error code 5: File access denied (Read-only file system)",
       "القرص للقراءة فقط"},
      {ENOSPC, 1028, "DOS error code 1028: No space left on device",
       "لا توجد مساحة كافية على القرص"},
      {EDQUOT, 1122, "DOS error code 1122: Disk quota exceeded",
       "تم تجاوز الحصة المسموح بها على القرص"},
      {EFBIG, 1027, "DOS error code 1027: File too large", "الملف أكبر من الحجم المسموح به"},
      {ENAMETOOLONG, 1036, "DOS error code 1036: File name too long", "اسم الملف طويل جداً"},
      {EISDIR, 1021, "DOS error code 1021: The name is that of a folder", "الاسم المختار اسم مجلد"},
      {ELOOP, 1040, "DOS error code 1040: Too many symbolic links in the path",
       "عدد كبير جداً من الروابط الرمزية في المسار"},
      {EIO, 1005, "DOS error code 1005: Input/output error",
       "خطأ في القراءة من القرص أو الكتابة عليه"},
  };
  std::set<std::string> english, arabic;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::strerror(c.error));
    EXPECT_EQ(c.code, DosCodeFromErrno(c.error));
    EXPECT_EQ(c.english, IoErrorText(c.error));
    EXPECT_EQ(c.english, IoErrorText(c.error, Language::English));
    EXPECT_EQ(std::string(c.arabic) + " (رمز الخطأ " + std::to_string(c.code) + ")",
              IoErrorText(c.error, Language::Arabic));
    english.insert(c.english);
    arabic.insert(c.arabic);
  }
  EXPECT_EQ(std::size(cases), english.size());
  EXPECT_EQ(std::size(cases), arabic.size());

  // An errno the program does not expect still says what the system calls it: in Arabic after
  // the program's own words, marked as the system's.
  EXPECT_EQ(
      "DOS error code 1075: Unknown Error Code! (" + std::string(std::strerror(EOVERFLOW)) + ")",
      IoErrorText(EOVERFLOW, Language::English));
  EXPECT_EQ("خطأ غير معروف في الملف (رمز الخطأ 1075)\r\n(بعبارة النظام: " +
                std::string(std::strerror(EOVERFLOW)) + ")",
            IoErrorText(EOVERFLOW, Language::Arabic));
  EXPECT_EQ("لم يحدث خطأ", IoErrorText(0, Language::Arabic));
}

TEST(FileErrorText, AMissingFolderIsAPathNotFoundAndAMissingFileAFileNotFound) {
  testing::TempDir dir;
  const std::filesystem::path inMissingFolder = dir.path() / "missing" / "report.txt";
  const std::filesystem::path missingFile = dir.path() / "report.txt";
  EXPECT_EQ(3, DosCodeOfFileError(ENOENT, inMissingFolder));
  EXPECT_EQ(2, DosCodeOfFileError(ENOENT, missingFile));
  EXPECT_EQ(2, DosCodeOfFileError(ENOENT, "report.txt"));  // the current folder is there
  EXPECT_EQ(5, DosCodeOfFileError(EACCES, inMissingFolder));
  EXPECT_EQ("DOS error code 3: Path not found",
            FileErrorText(ENOENT, inMissingFolder, Language::English));
  EXPECT_EQ("المجلد غير موجود (رمز الخطأ 3)",
            FileErrorText(ENOENT, inMissingFolder, Language::Arabic));
  EXPECT_EQ("الملف غير موجود (رمز الخطأ 2)", FileErrorText(ENOENT, missingFile, Language::Arabic));
}

}  // namespace
}  // namespace vek
