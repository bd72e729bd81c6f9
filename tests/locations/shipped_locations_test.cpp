// The shipped location file loads and holds the cities and value ranges the program relies on.
#include <gtest/gtest.h>

#include <string>

#include "locations/location_file.h"
#include "support/locations_fixture.h"

namespace vek {
namespace {

TEST(ShippedLocations, LoadsWithTheRequiredCitiesAndEveryValueInRange) {
  TLocations list;
  const LocationFileResult read = testing::ReadShippedLocations(list);
  ASSERT_TRUE(read.ok) << read.english;
  EXPECT_TRUE(read.noticeEnglish.empty());  // no conversion
  EXPECT_GE(list.Count(), 2000);
  EXPECT_GE(list.Find("DAMASCUS", "SYRIA", ""), 0);

  struct Name {
    const char *city, *country, *state;
  } required[] = {
      {"MAKKAH", "SAUDI ARABIA", ""},
      {"MADINAH", "SAUDI ARABIA", ""},
      {"JEDDAH", "SAUDI ARABIA", ""},
      {"RIYADH", "SAUDI ARABIA", ""},
      {"CAIRO", "EGYPT", ""},
      {"ISTANBUL", "TURKEY", ""},
      {"JAKARTA", "INDONESIA", ""},
      {"KARACHI", "PAKISTAN", ""},
      {"LAHORE", "PAKISTAN", ""},
      {"DHAKA", "BANGLADESH", ""},
      {"KUALA LUMPUR", "MALAYSIA", ""},
      {"TEHRAN", "IRAN", ""},
      {"CASABLANCA", "MOROCCO", ""},
      {"ALGIERS", "ALGERIA", ""},
      {"TUNIS", "TUNISIA", ""},
      {"AMMAN", "JORDAN", ""},
      {"DAMASCUS", "SYRIA", ""},
      {"BAGHDAD", "IRAQ", ""},
      {"KUWAIT", "KUWAIT", ""},
      {"DOHA", "QATAR", ""},
      {"DUBAI", "UAE", ""},
      {"MUSCAT", "OMAN", ""},
      {"SANAA", "YEMEN", ""},
      {"KHARTOUM", "SUDAN", ""},
      {"LONDON", "UNITED KINGDOM", ""},
      {"PARIS", "FRANCE", ""},
      {"NEW YORK", "USA", "NY"},
      {"CHICAGO", "USA", "IL"},
      {"TORONTO", "CANADA", ""},
      {"SYDNEY", "AUSTRALIA", ""},
  };
  for (const Name& n : required)
    EXPECT_GE(list.Find(n.city, n.country, n.state), 0) << n.city << ", " << n.country;

  // Angles are stored in arc-minutes above 18 degrees; the dialogs allow 15..20 degrees.
  const auto isAngle = [](std::int32_t a) { return -180 <= a && a <= 120; };
  const auto isDay = [](int d) { return 1 <= d && d <= 366; };
  for (int i = 0; i < list.Count(); ++i) {
    const TLocationRec& r = list.GetItem(i).Rec;
    std::string wrong;
    const auto check = [&wrong](bool ok, const char* what) {
      if (!ok)
        wrong += std::string(" ") + what;
    };
    check(r.LatDeg * 60 + r.LatMin <= 65 * 60 && r.LatMin <= 59, "latitude");
    check(r.LongDeg * 60 + r.LongMin <= 180 * 60 && r.LongMin <= 59, "longitude");
    check(r.St_Longitude <= 180, "zone meridian");
    check(static_cast<int>(r.Method) <= 4, "method");
    check(isAngle(r.FajrAngle) && isAngle(r.IshaAngle), "angles");
    check(!r.DST || (isDay(r.DstStart) && isDay(r.DstEnd)), "daylight-saving days");
    check(r.State.empty() != (r.Country == "USA"), "state");
    EXPECT_EQ("", wrong) << r.City << ", " << r.State << ", " << r.Country;
  }
}

}  // namespace
}  // namespace vek
