#include "locations/us_states.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <string_view>

namespace vek {
namespace {

TEST(UsStates, FiftyOneRowsOrderedByTheirPostalCodes) {
  std::set<std::string_view> names;
  for (int i = 0; i < kUsStateCount; ++i) {
    const UsState& s = UsStates[i];
    EXPECT_LE(s.Name.size(), 16u) << s.Name;
    ASSERT_EQ(2u, s.Code.size()) << s.Name;
    EXPECT_TRUE(s.Code[0] >= 'A' && s.Code[0] <= 'Z' && s.Code[1] >= 'A' && s.Code[1] <= 'Z');
    if (i > 0) {
      EXPECT_LT(UsStates[i - 1].Code, s.Code) << s.Name;
    }
    names.insert(s.Name);
  }
  EXPECT_EQ(static_cast<std::size_t>(kUsStateCount), names.size());
  EXPECT_EQ("Alaska", UsStateName(1));
  EXPECT_EQ("Dist of Columbia", UsStateName(8));
  EXPECT_EQ("Wyoming", UsStateName(51));
  EXPECT_EQ("", UsStateName(0));
  EXPECT_EQ("", UsStateName(52));
}

TEST(UsStates, CodesAndNamesLookUpExactly) {
  const std::pair<const char*, const char*> pairs[] = {
      {"Alaska", "AK"}, {"Alabama", "AL"},  {"Dist of Columbia", "DC"}, {"Iowa", "IA"},
      {"Maine", "ME"},  {"Missouri", "MO"}, {"Mississippi", "MS"},      {"Nebraska", "NE"},
      {"Nevada", "NV"}, {"Virginia", "VA"}, {"West Virginia", "WV"},    {"Wyoming", "WY"},
  };
  for (const auto& [name, code] : pairs) {
    std::string foundCode, foundName;
    EXPECT_TRUE(UsStateCodeFromName(name, foundCode));
    EXPECT_EQ(code, foundCode);
    EXPECT_TRUE(UsStateNameFromCode(code, foundName));
    EXPECT_EQ(name, foundName);
  }
  std::string kept = "kept";
  EXPECT_FALSE(UsStateCodeFromName("alaska", kept));
  EXPECT_FALSE(UsStateCodeFromName("Puerto Rico", kept));
  EXPECT_FALSE(UsStateNameFromCode("ak", kept));
  EXPECT_FALSE(UsStateNameFromCode("", kept));
  EXPECT_EQ("kept", kept);
}

}  // namespace
}  // namespace vek
