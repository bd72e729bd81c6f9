#include "locations/location_record.h"

#include <gtest/gtest.h>

#include "support/locations_fixture.h"

namespace vek {
namespace {

// The sample record with daylight saving, a fixed method, the Zuhr delay and Hanafi Asr on.
TLocationRec Sample() {
  TLocationRec r = testing::SampleLocationRec();
  r.DST = true;
  r.DstStart = 300;
  r.DstEnd = 90;
  r.Method = TFajrIshaMethod::Saudi;
  r.IshaInterval = -7200;
  r.IshaAngle = -180;
  r.ZuhrDelayOn = true;
  r.ZuhrDelay = 600;
  r.Hanafi = true;
  r.ImsakDuration = 599;
  r.Spare = 0xDEADBEEF;
  return r;
}

TEST(LocationRecord, FieldsSitAtTheirOffsets) {
  const LocationRecBytes b = EncodeLocationRec(Sample());
  EXPECT_EQ(8, b[0]);
  EXPECT_EQ('D', b[1]);
  EXPECT_EQ(0, b[9]);  // unused name bytes are zero
  EXPECT_EQ(0, b[19]);
  EXPECT_EQ(5, b[22]);
  EXPECT_EQ('S', b[23]);
  const std::uint8_t expected[][2] = {
      {41, 36},   {42, 18},   {43, 33},   {44, 30},   {45, 30},   {46, 1},    {47, 0},
      {48, 44},   {49, 1},    {50, 90},   {51, 0},    {52, 1},    {53, 0},    {54, 4},
      {56, 0x18}, {57, 0x15}, {60, 0xE0}, {61, 0xE3}, {62, 0xFF}, {63, 0xFF}, {64, 90},
      {68, 0x4C}, {71, 0xFF}, {72, 1},    {76, 0x58}, {77, 2},    {80, 1},    {81, 1},
      {84, 0x57}, {85, 2},    {88, 0xEF}, {91, 0xDE}};
  for (const auto& [at, value] : expected)
    EXPECT_EQ(value, b[at]) << "offset " << int{at};
}

TEST(LocationRecord, RoundTripsWithArabicNames) {
  TLocationRec r = Sample();
  r.City = "دمشق";
  r.Country = "سوريا";
  const LocationRecBytes b = EncodeLocationRec(r);
  EXPECT_EQ(4, b[0]);  // one byte per character in the code page
  EXPECT_EQ(r, DecodeLocationRec(b));
}

TEST(LocationRecord, OverlongLengthBytesAreCutToTheField) {
  LocationRecBytes b = EncodeLocationRec(Sample());
  b[19] = 200;  // a damaged State length must not read into Country
  b[20] = 'N';
  b[21] = 'Y';
  EXPECT_EQ("NY", DecodeLocationRec(b).State);
}

TEST(LocationRecord, VersionRecordIsAllZerosButItsNames) {
  const LocationRecBytes b = EncodeLocationRec(LocationsVersionRecord());
  LocationRecBytes expected{};
  expected[0] = 4;
  expected[1] = expected[2] = expected[3] = expected[4] = '2';
  expected[19] = 2;
  expected[20] = expected[21] = '0';
  EXPECT_EQ(expected, b);
}

}  // namespace
}  // namespace vek
