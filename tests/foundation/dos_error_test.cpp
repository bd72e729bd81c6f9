#include "foundation/dos_error.h"

#include <gtest/gtest.h>

#include <cerrno>

namespace vek {
namespace {

TEST(DosErrorText, FormatsTableAndUnknownCodes) {
  EXPECT_EQ("No Error Reported", DosErrorText(0));
  EXPECT_EQ("DOS error code 5: File access denied", DosErrorText(5));
  EXPECT_EQ("DOS error code 103: File not found", DosErrorText(103));
  EXPECT_EQ("DOS error code 7: Unknown Error Code!", DosErrorText(7));
}

TEST(DosErrorText, MapsErrnoAndExplainsWhatTheTableLacks) {
  EXPECT_EQ(2, DosCodeFromErrno(ENOENT));
  EXPECT_EQ(5, DosCodeFromErrno(EROFS));
  EXPECT_EQ("DOS error code 5: File access denied", IoErrorText(EACCES));
  const std::string full = IoErrorText(ENOSPC);
  EXPECT_NE(std::string::npos, full.find("Unknown Error Code!")) << full;
  EXPECT_NE(std::string::npos, full.find("No space left on device")) << full;
}

}  // namespace
}  // namespace vek
