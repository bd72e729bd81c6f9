#include "foundation/text.h"

#include <gtest/gtest.h>

namespace vek {
namespace {

TEST(FlattenLines, LineEndsBecomeSpacesAndLeadingSpacesGo) {
  EXPECT_EQ("one two  three ", FlattenLines("\r\n one\ntwo\r\nthree\r"));
  EXPECT_EQ("\tkept", FlattenLines("\n\tkept"));
  EXPECT_EQ("", FlattenLines("\r\n"));
}

}  // namespace
}  // namespace vek
