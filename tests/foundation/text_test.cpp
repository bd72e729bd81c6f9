#include "foundation/text.h"

#include <gtest/gtest.h>

#include <string>

namespace vek {
namespace {

// Only ASCII letters change case: UTF-8 bytes of Arabic (and of Latin letters beyond ASCII) stay
// as they are, so that a name keeps its bytes in the files that store it.
TEST(AsciiCase, OnlyAsciiLettersChange) {
  const std::string mixed =
      "Sura 1: \xD8\xA7\xD9\x84\xD9\x81\xD8\xA7\xD8\xAA\xD8\xAD\xD8\xA9 "
      "\xC3\xA9t\xC3\xA9 [Az]@`{";
  EXPECT_EQ(
      "SURA 1: \xD8\xA7\xD9\x84\xD9\x81\xD8\xA7\xD8\xAA\xD8\xAD\xD8\xA9 "
      "\xC3\xA9T\xC3\xA9 [AZ]@`{",
      AsciiUpper(mixed));
  EXPECT_EQ(
      "sura 1: \xD8\xA7\xD9\x84\xD9\x81\xD8\xA7\xD8\xAA\xD8\xAD\xD8\xA9 "
      "\xC3\xA9t\xC3\xA9 [az]@`{",
      AsciiLower(mixed));
  EXPECT_EQ(0, CompareAsciiNoCase("Vek.Ini", "VEK.INI"));
  EXPECT_GT(0, CompareAsciiNoCase("VEK", "vek.ini"));
}

TEST(FlattenLines, LineEndsBecomeSpacesAndLeadingSpacesGo) {
  EXPECT_EQ("one two  three ", FlattenLines("\r\n one\ntwo\r\nthree\r"));
  EXPECT_EQ("\tkept", FlattenLines("\n\tkept"));
  EXPECT_EQ("", FlattenLines("\r\n"));
}

}  // namespace
}  // namespace vek
