// I/O result codes in the DOS numbering that every file message of the program reports, and
// their texts.
#pragma once

#include <filesystem>
#include <string>

#include "foundation/language.h"

namespace vek {

// "No Error Reported" for 0, else "DOS error code <code>: <text of the table>". Besides the DOS
// codes the table knows the codes 1000 + errno of the failures a save can meet that DOS has no
// code for (1028 a full disk, 1027 a file too large, ...).
std::string DosErrorText(int code);

// The DOS code of an errno value (ENOENT 2, ENOTDIR 3, EACCES 5, ...). Values without a DOS
// counterpart become 1000 + errno.
int DosCodeFromErrno(int errnoValue);

// The DOS code of a failure on the named file: ENOENT is "Path not found" (3) when the file's
// folder does not exist, and "File not found" (2) only when the folder does.
int DosCodeOfFileError(int errnoValue, const std::filesystem::path& file);

// DosErrorText of the errno's DOS code; when the table has no text for it, the system's own
// description follows in parentheses so that the user still learns what went wrong.
std::string IoErrorText(int errnoValue);

// The same in the user's language. For an Arabic reader it says what went wrong in Arabic, with
// the DOS code; an errno the program has no Arabic words for is called an unknown error, and the
// system's own description follows on a line of its own, marked as the system's words.
std::string IoErrorText(int errnoValue, Language lang);

// The system's (or a library's) own English words inside an Arabic message, marked as such:
// "(بعبارة النظام: text)".
std::string SystemWordsInArabic(const std::string& text);

// IoErrorText of a failure on the named file, with the file's DOS code (DosCodeOfFileError).
std::string FileErrorText(int errnoValue, const std::filesystem::path& file, Language lang);

// The message for a file that could not be written: the file, then its FileErrorText.
std::string FileWriteErrorText(const std::filesystem::path& file, int errnoValue,
                               Language language);

}  // namespace vek
