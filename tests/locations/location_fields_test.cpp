// The dialogs' rules applied to a stored record, and to a location file from elsewhere.
#include "locations/location_fields.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>

#include "foundation/file_io.h"
#include "locations/location_file.h"
#include "support/locations_fixture.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;

std::optional<LocationRecProblem> Check(const LocationRecBytes& bytes) {
  return CheckLocationRec(bytes);
}

TEST(LocationRecCheck, AValueTheDialogsRefuseIsNamed) {
  struct Case {
    const char* name;
    std::function<void(TLocationRec&)> change;
    const char* reason;  // part of the English reason; empty: it passes
  };
  using M = TFajrIshaMethod;
  const Case cases[] = {
      {"sample", [](TLocationRec&) {}, ""},
      {"edges",
       [](TLocationRec& r) {
         r.LongDeg = 180, r.LongMin = 0, r.LatDeg = 65, r.LatMin = 59, r.St_Longitude = 180;
         r.FajrAngle = 120, r.IshaAngle = -180, r.ZuhrDelay = 3600, r.ImsakDuration = 1800;
         r.DST = true, r.DstStart = 1, r.DstEnd = 365;
       },
       ""},
      {"blank city", [](TLocationRec& r) { r.City = "  "; }, "City is empty"},
      {"empty country", [](TLocationRec& r) { r.Country = ""; }, "Country is empty"},
      {"padded city", [](TLocationRec& r) { r.City = " DAMASCUS"; }, "blanks around it"},
      {"control character", [](TLocationRec& r) { r.City = "DAM\x01SCUS"; }, "City holds a char"},
      {"state outside the USA", [](TLocationRec& r) { r.State = "NY"; }, "Country is not USA"},
      {"state in the USA", [](TLocationRec& r) { r.State = "NY", r.Country = "USA"; }, ""},
      {"longitude", [](TLocationRec& r) { r.LongDeg = 181; },
       "LongDeg is 181, not within 0 to 180"},
      {"minutes at 180", [](TLocationRec& r) { r.LongDeg = 180, r.LongMin = 1; }, "LongMin is 1"},
      {"longitude minutes", [](TLocationRec& r) { r.LongMin = 60; }, "LongMin is 60"},
      {"latitude", [](TLocationRec& r) { r.LatDeg = 66; }, "LatDeg is 66, not within 0 to 65"},
      {"latitude minutes", [](TLocationRec& r) { r.LatMin = 60; }, "LatMin is 60"},
      {"time zone", [](TLocationRec& r) { r.St_Longitude = 181; }, "St_Longitude is 181"},
      {"daylight saving", [](TLocationRec& r) { r.DST = true, r.DstStart = 0; }, "DstStart is 0"},
      {"saving's end", [](TLocationRec& r) { r.DST = true, r.DstStart = 90, r.DstEnd = 366; },
       "DstEnd is 366"},
      {"no saving, any days", [](TLocationRec& r) { r.DstStart = 999; }, ""},
      {"method", [](TLocationRec& r) { r.Method = static_cast<M>(5); },
       "Method is 5, not within 0 to 4"},
      {"Fajr angle", [](TLocationRec& r) { r.FajrAngle = 121; },
       "FajrAngle is 121, not within -180 to 120"},
      {"Isha angle", [](TLocationRec& r) { r.IshaAngle = -181; }, "IshaAngle is -181"},
      {"fixed: angles unused", [](TLocationRec& r) { r.Method = M::FixedTime, r.FajrAngle = 9999; },
       ""},
      {"fixed interval", [](TLocationRec& r) { r.Method = M::FixedTime, r.IshaInterval = 7201; },
       "IshaInterval is 7201, not within 0 to 7200"},
      {"negative interval", [](TLocationRec& r) { r.Method = M::FixedTime, r.FajrInterval = -60; },
       "FajrInterval is -60"},
      {"Saudi Isha interval", [](TLocationRec& r) { r.Method = M::Saudi, r.IshaInterval = 9000; },
       "IshaInterval is 9000"},
      {"Saudi: Isha angle unused", [](TLocationRec& r) { r.Method = M::Saudi, r.IshaAngle = 9999; },
       ""},
      {"Zuhr delay", [](TLocationRec& r) { r.ZuhrDelay = 3660; }, "ZuhrDelay is 3660"},
      {"Imsak", [](TLocationRec& r) { r.ImsakDuration = 1801; }, "ImsakDuration is 1801"},
      {"the largest angle", [](TLocationRec& r) { r.FajrAngle = 0x7FFFFFFF; },
       "FajrAngle is 2147483647"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TLocationRec r = testing::SampleLocationRec();
    c.change(r);
    const auto problem = Check(EncodeLocationRec(r));
    if (*c.reason == '\0') {
      EXPECT_FALSE(problem) << problem->english;
      continue;
    }
    ASSERT_TRUE(problem);
    EXPECT_NE(std::string::npos, problem->english.find(c.reason)) << problem->english;
    EXPECT_FALSE(problem->arabic.empty());
  }
  // A length byte beyond its field is no name, whatever the bytes behind it.
  LocationRecBytes bytes = EncodeLocationRec(testing::SampleLocationRec());
  bytes[22] = 19;
  ASSERT_TRUE(Check(bytes));
  EXPECT_NE(std::string::npos, Check(bytes)->english.find("Country's length is 19"));
}

class StrictLocationFile : public ::testing::Test {
 protected:
  LocationFileCheck CheckBytes(const std::string& bytes) {
    EXPECT_EQ(0, WriteFileReplacing(file, bytes));
    return CheckLocationFileStrictly(file);
  }
  testing::TempDir dir;
  fs::path file = dir.path() / "VEK.LOC.tovarelin";
};

// Random bytes in whole records of either layout: none is taken for a location file, and none
// is converted in place.
TEST_F(StrictLocationFile, RandomRecordsAreRefused) {
  std::mt19937 random(20250110);
  for (const std::size_t record : {kOldLocationRecSize, kLocationRecSize}) {
    for (int round = 0; round < 50; ++round) {
      std::string bytes(record * (1 + random() % 200), '\0');
      for (char& b : bytes)
        b = static_cast<char>(random());
      SCOPED_TRACE(std::to_string(bytes.size()) + " bytes, round " + std::to_string(round));
      const LocationFileCheck check = CheckBytes(bytes);
      EXPECT_FALSE(check.ok);
      EXPECT_FALSE(check.english.empty() || check.arabic.empty());
      // Behind a version record, the first location is already refused.
      const std::string versioned =
          LocationsFileImage(TLocations()) + bytes.substr(0, bytes.size() / record * record);
      EXPECT_FALSE(CheckBytes(versioned).ok);
    }
  }
  // The older layout, however sound its records.
  std::string old(kOldLocationRecSize, '\0');
  old[0] = 5;
  old.replace(1, 5, "ALEPP");
  old[22] = 5;
  old.replace(23, 5, "SYRIA");
  const LocationFileCheck check = CheckBytes(old + old);
  EXPECT_FALSE(check.ok);
  EXPECT_NE(std::string::npos, check.english.find("version record")) << check.english;
  EXPECT_EQ(old + old, [&] {
    std::string b;
    ReadWholeFile(file, b);
    return b;
  }());
}

TEST_F(StrictLocationFile, TheFirstBadLocationIsNamed) {
  TLocations list;
  for (const char* city : {"ALEPPO", "DAMASCUS", "HOMS"}) {
    TLocationRec r = testing::SampleLocationRec();
    r.City = city;
    if (r.City == "DAMASCUS" || r.City == "HOMS")
      r.LatDeg = 70;
    list.Append(std::make_unique<TLocation>(r));
  }
  const LocationFileCheck check = CheckBytes(LocationsFileImage(list));
  EXPECT_FALSE(check.ok);
  EXPECT_EQ(
      "Location 2 of 3 (DAMASCUS, SYRIA) holds what a location may not hold: LatDeg is 70, "
      "not within 0 to 65",
      check.english);
  EXPECT_EQ(
      "الموقع 2 من 3 (DAMASCUS، SYRIA) يحوي ما لا يجوز في موقع: قيمة LatDeg هي 70، وليست بين "
      "0 و 65",
      check.arabic);
  // Only the version record: an empty list.
  EXPECT_TRUE(CheckBytes(LocationsFileImage(TLocations())).ok);
  const LocationFileCheck cut = CheckBytes(LocationsFileImage(list).substr(0, 100));
  EXPECT_NE(std::string::npos, cut.english.find("no whole number of 92-byte records"));
}

TEST(ShippedLocationFile, PassesTheStrictCheck) {
  const LocationFileCheck check =
      CheckLocationFileStrictly(fs::path(VEK_SOURCE_DIR) / "resources" / kLocationFileName);
  EXPECT_TRUE(check.ok) << check.english;
}

}  // namespace
}  // namespace vek
