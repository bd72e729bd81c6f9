// I/O result codes in the DOS numbering that every file message of the program reports, and
// their texts.
#pragma once

#include <string>

namespace vek {

// "No Error Reported" for 0, else "DOS error code <code>: <text of the table>".
std::string DosErrorText(int code);

// The DOS code of an errno value (ENOENT 2, ENOTDIR 3, EACCES 5, ...). Values without a DOS
// counterpart become 1000 + errno, which the table does not know.
int DosCodeFromErrno(int errnoValue);

// DosErrorText of the errno's DOS code; when the table has no text for it, the system's own
// description follows in parentheses so that the user still learns what went wrong.
std::string IoErrorText(int errnoValue);

}  // namespace vek
