#include "mainwin/program_utils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "engine/calendar.h"
#include "mainwin/program_tables.h"
#include "support/fake_ui.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

TEST(FlattenLines, LineEndsBecomeSpacesAndLeadingSpacesGo) {
  EXPECT_EQ("one two  three ", FlattenLines("\r\n one\ntwo\r\nthree\r"));
  EXPECT_EQ("\tkept", FlattenLines("\n\tkept"));
  EXPECT_EQ("", FlattenLines("\r\n"));
}

double TimeOfDay(int h, int m, double s) {
  return (h * 3600 + m * 60 + s) / 86400.0;
}

TEST(FormatPrayerTime, TwelveAndTwentyFourHourClocks) {
  const struct {
    double time;
    const char* h12;
    const char* h24;
  } cases[] = {
      {TimeOfDay(5, 7, 0), "05:07  AM", "05:07  "},
      {TimeOfDay(17, 7, 0), "05:07  PM", "17:07  "},
      {TimeOfDay(0, 0, 0), "12:00  AM", "00:00  "},
      {TimeOfDay(0, 30, 0), "12:30  AM", "00:30  "},
      {TimeOfDay(12, 0, 0), "12:00  PM", "12:00  "},
      {TimeOfDay(23, 59, 59), "11:59  PM", "23:59  "},     // seconds are cut, not rounded
      {TimeOfDay(5, 7, 59.9994), "05:07  AM", "05:07  "},  // 05:07:59.999
      {TimeOfDay(5, 7, 59.9996), "05:08  AM", "05:08  "},  // rounds to 05:08:00.000
      {TimeOfDay(23, 59, 59.9996), "12:00  AM", "00:00  "},
      {46000 + TimeOfDay(13, 45, 30), "01:45  PM", "13:45  "},  // a date's time of day
      {-TimeOfDay(0, 1, 0), "11:59  PM", "23:59  "},
      {1 + TimeOfDay(0, 5, 0), "12:05  AM", "00:05  "},
      {-1.0, "12:00  AM", "00:00  "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.h12, FormatPrayerTime(c.time, false)) << c.time;
    EXPECT_EQ(c.h24, FormatPrayerTime(c.time, true)) << c.time;
  }
}

MonthNameList Names(const std::string& prefix) {
  MonthNameList names;
  for (int i = 0; i < 12; ++i)
    names[i] = prefix + std::to_string(i + 1);
  return names;
}

TEST(MonthYearCaption, DayAndMonthInTheLanguagesOrderAndCalendar) {
  const MonthNameList am = Names("AM"), em = Names("EM"), ahm = Names("AHM"), ehm = Names("EHM");
  const auto caption = [&](int dayOfYear, bool hijri, Language lang, int adjust = 0) {
    return MonthYearCaption(dayOfYear, {.HijriMode = hijri,
                                        .Lang = lang,
                                        .Year = 1999,
                                        .HijriAdjust = adjust,
                                        .AMonths = am,
                                        .EMonths = em,
                                        .AHMonths = ahm,
                                        .EHMonths = ehm});
  };
  EXPECT_EQ("EM3 1", caption(60, false, Language::English));
  EXPECT_EQ("1 AM3", caption(60, false, Language::Arabic));
  EXPECT_EQ("EM12 31", caption(365, false, Language::English));
  // Day 343 is 9 December; 9 December 1999 was 1 Ramadan 1420.
  EXPECT_EQ("EHM9 1", caption(343, true, Language::English));
  EXPECT_EQ("1 AHM9", caption(343, true, Language::Arabic));
  EXPECT_EQ("EHM9 2", caption(343, true, Language::English, 1));
}

TEST(StartDriveIsReadOnly, AWritableFolderPassesAndKeepsNothing) {
  testing::TempDir dir;
  testing::FakeUi ui;
  EXPECT_FALSE(StartDriveIsReadOnly(dir.path(), ui));
  EXPECT_TRUE(ui.messages.empty());
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(StartDriveIsReadOnly, AFolderThatCannotBeWrittenStopsWithOneMessage) {
  testing::TempDir dir;
  const std::filesystem::path missing = dir.path() / "missing";
  testing::FakeUi ui;
  EXPECT_TRUE(StartDriveIsReadOnly(missing, ui));
  ASSERT_EQ(1u, ui.messages.size());
  const std::string& text = ui.messages[0];
  EXPECT_EQ(0u, text.find("\nلا يمكن تشغيل البرنامج من القرص الحالي\n" + missing.string() + "\n"));
  EXPECT_NE(std::string::npos,
            text.find("\n\nProgram can not run from this Dive: " + missing.string() +
                      "\nbecause it is Read-Only.\nPlease run it from a Read-Write disk"));
  EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST(DebugLogFileFor, IsInTheProgramFolder) {
  EXPECT_EQ(std::filesystem::path("/opt/vek/VEK_LOG.TXT"), DebugLogFileFor("/opt/vek"));
}

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
