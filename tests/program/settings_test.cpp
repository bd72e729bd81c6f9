#include "program/settings.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "engine/prayer_times.h"
#include "foundation/cp1256.h"
#include "foundation/file_io.h"
#include "support/locations_fixture.h"
#include "support/temp_dir.h"

namespace vek {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

constexpr std::string_view kMain = kIniMainSection;

IniFile IniOf(const std::string& utf8Text) {
  TempDir dir;
  const fs::path file = dir.path() / "VEK.INI";
  EXPECT_EQ(0, WriteFileReplacing(file, Utf8ToCp1256Lossy(utf8Text)));
  IniFile ini;
  EXPECT_EQ(0, ini.Load(file));
  return ini;
}

VekSettings Read(const std::string& mainSectionLines) {
  VekSettings s;
  CommandLineSwitches sw;
  ReadSettings(IniOf("[Orvessa, by Al Tovarelin]\r\n" + mainSectionLines), s, sw);
  return s;
}

TEST(Settings, FirstRunReadsDefaultsAndTheFirstSaveWritesEveryKey) {
  TempDir dir;
  IniFile ini;
  bool missing = false;
  ASSERT_EQ(0, OpenSettingsFile(ini, dir.path(), missing));
  EXPECT_TRUE(missing);
  VekSettings s;
  CommandLineSwitches sw;
  ReadSettings(ini, s, sw);
  EXPECT_EQ(Language::Arabic, s.Lang);
  EXPECT_TRUE(s.AzanSoundOn && s.AlarmSoundOn && s.ShuruqSoundOn && s.OpeningBasmalah);
  EXPECT_TRUE(s.MinimizeToTray && s.ShowWarningScreen && s.PromptToClose && s.ShowSplashOption);
  EXPECT_FALSE(s.Is24H || s.HijriMode || sw.forceArabic);
  EXPECT_EQ(0, s.HijriAdjust);
  EXPECT_EQ(0, s.Safety.Fajr + s.Safety.Isha + s.Safety.Zuhr);
  EXPECT_EQ(0, s.ClockFaceIndex);
  EXPECT_EQ(2, s.ClockSizeIndex);
  EXPECT_EQ(2, s.HandsColorIndex);
  EXPECT_EQ(8, s.AzhanIndex);
  EXPECT_EQ(1, s.NextAzhanIndex);
  EXPECT_EQ("DAMASCUS", s.SelectedCity);
  EXPECT_EQ("SYRIA", s.SelectedCountry);
  EXPECT_EQ("", s.SelectedState);
  EXPECT_EQ("محرم", s.Names.AHMonths[0]);
  EXPECT_EQ("Saturday", s.Names.EDays[6]);

  ASSERT_EQ(0, SaveSettings(ini, s, sw, nullptr));
  IniFile saved;
  ASSERT_EQ(0, saved.Load(dir.path() / "VEK.INI"));
  const std::vector<std::string> keys = saved.ReadSection(kMain);
  for (const char* key : {"ForceArabic",
                          "PromptToClose",
                          "Language",
                          "aMadinah",
                          "aFEgypt2",
                          "eMadinah",
                          "eFEgypt2",
                          "Azhan",
                          "NextAzhan",
                          "MinimizeToTray",
                          "ShowWarningScreen",
                          "AdvanceHijri",
                          "Hijri",
                          "ShowHint",
                          "Is24H",
                          "AlarmSoundOn",
                          "AzanSoundOn",
                          "ShuruqSoundOn",
                          "DoAlarms",
                          "OpeningBasmalah",
                          "FajrSafety",
                          "IshaSafety",
                          "MaghribSafety",
                          "AsrSafety",
                          "ShuruqSafety",
                          "ZuhrSafety",
                          "MoveScreenSaver",
                          "VEK.DAT Warnings",
                          "ClockFace",
                          "ClockSize",
                          "ClockWhite",
                          "HandsColor",
                          "SelectedCity",
                          "SelectedCountry",
                          "SelectedState"})
    EXPECT_TRUE(saved.ValueExists(kMain, key)) << key;
  EXPECT_EQ(47u, keys.size());  // and no other key
  EXPECT_EQ("1", saved.ReadString("ShowSplash", "ShowSplash", ""));
  for (const char* section :
       {"ArabicHijriNames", "EnglishHijriNames", "ArabicGregorianNames", "EnglishGregorianNames"})
    EXPECT_EQ(12u, saved.ReadSection(section).size()) << section;
  EXPECT_EQ(7u, saved.ReadSection("ArabicDayNames").size());
  EXPECT_EQ("الأحد", saved.ReadString("ArabicDayNames", "Day1", ""));
  EXPECT_EQ("TOVARELIN LIGHT", saved.ReadString(kMain, "ClockFace", ""));
  EXPECT_EQ("LARGE", saved.ReadString(kMain, "ClockSize", ""));
  EXPECT_EQ("Aleppo", saved.ReadString(kMain, "NextAzhan", ""));
}

TEST(Settings, WhatIsSavedReadsBackAndSavesToTheSameBytes) {
  TempDir dir;
  const fs::path file = dir.path() / "VEK.INI";
  // A section of another part of the program must survive.
  ASSERT_EQ(0, WriteFileReplacing(file, "[PrintOptions]\r\nFontSize=9\r\n"));
  IniFile ini;
  bool missing = true;
  ASSERT_EQ(0, OpenSettingsFile(ini, dir.path(), missing));
  EXPECT_FALSE(missing);
  VekSettings s;
  CommandLineSwitches sw;
  ReadSettings(ini, s, sw);
  s.Lang = Language::English;
  s.Is24H = true;
  s.HijriAdjust = -2;
  s.Safety.Fajr = 1.0L / 60;
  s.Safety.Isha = -0.5L;
  s.Names.AMonths[0] = "كانون الثاني (يناير)";
  s.AzhanDescriptions.Arabic[1] = "أذان حلب";
  s.ClockFaceIndex = 16;
  s.ClockSizeIndex = 1;
  s.HandsColorIndex = 10;
  s.AzhanIndex = 3;
  s.DatWarnings = 200;
  sw.forceArabic = true;
  ASSERT_EQ(0, SaveSettings(ini, s, sw, nullptr));

  IniFile again(file);
  VekSettings r;
  CommandLineSwitches rsw;
  ReadSettings(again, r, rsw);
  EXPECT_EQ(Language::English, r.Lang);
  EXPECT_TRUE(r.Is24H);
  EXPECT_EQ(-2, r.HijriAdjust);
  EXPECT_NEAR(1.0 / 60, static_cast<double>(r.Safety.Fajr), 1e-14);
  EXPECT_EQ(-0.5L, r.Safety.Isha);
  EXPECT_EQ("كانون الثاني (يناير)", r.Names.AMonths[0]);
  EXPECT_EQ("أذان حلب", r.AzhanDescriptions.Arabic[1]);
  EXPECT_EQ(16, r.ClockFaceIndex);
  EXPECT_EQ(1, r.ClockSizeIndex);
  EXPECT_EQ(10, r.HandsColorIndex);
  EXPECT_EQ(3, r.AzhanIndex);
  EXPECT_EQ(200, r.DatWarnings);
  EXPECT_TRUE(rsw.forceArabic);
  EXPECT_EQ("9", again.ReadString("PrintOptions", "FontSize", ""));

  std::string first;
  ASSERT_EQ(0, ReadWholeFile(file, first));
  ASSERT_EQ(0, SaveSettings(again, r, rsw, nullptr));
  std::string second;
  ASSERT_EQ(0, ReadWholeFile(file, second));
  EXPECT_EQ(first, second);
}

// A safety offset that is no finite number of hours within one hour either way reads as 0, is
// saved as 0 and leaves the times as they are without offsets; values in range are kept.
TEST(Settings, SafetyOffsetsOutsideAnHourOrNotFiniteReadAsZero) {
  const TLocationRec loc = testing::SampleLocationRec();
  const TDayTimesRec plain = ComputeDayTimes(2026, 100, loc, SafetyOffsets{}, false);
  for (const char* text : {"nan", "-nan", "NaN", "inf", "-inf", "infinity", "1e300", "-1e4000",
                           "1e5000", "1.0001", "-61", "0x1p3", "1 h", ""}) {
    SCOPED_TRACE(text);
    const VekSettings s = Read(std::string("FajrSafety=") + text + "\r\nIshaSafety=" + text +
                               "\r\nZuhrSafety=" + text + "\r\n");
    EXPECT_EQ(0, s.Safety.Fajr);
    EXPECT_EQ(0, s.Safety.Isha);
    EXPECT_EQ(0, s.Safety.Zuhr);
    EXPECT_EQ(plain, ComputeDayTimes(2026, 100, loc, s.Safety, false));
    IniFile ini;
    WriteSettings(ini, s, CommandLineSwitches{}, nullptr);
    EXPECT_EQ("0", ini.ReadString(kMain, "FajrSafety", ""));
  }
  struct Case {
    const char* text;
    long double hours;
  };
  for (const Case& c : {Case{"1", 1}, Case{"-1", -1}, Case{"0.25", 0.25L}, Case{"-0,5", -0.5L},
                        Case{"+0.5", 0.5L}}) {
    EXPECT_EQ(c.hours, Read(std::string("AsrSafety=") + c.text + "\r\n").Safety.Asr) << c.text;
  }
}

TEST(Settings, ValuesReadTheWayTheProgramAlwaysReadThem) {
  EXPECT_EQ(Language::English, Read("Language=e\r\n").Lang);
  EXPECT_EQ(Language::English, Read("Language=E\r\n").Lang);
  EXPECT_EQ(Language::English, Read("Language= english \r\n").Lang);
  EXPECT_EQ(Language::Arabic, Read("Language=En\r\n").Lang);
  struct Case {
    const char* text;
    int days;
  };
  for (const Case& c : {Case{"true", 0}, Case{"FALSE", 1}, Case{"-2", -2}, Case{"7", 3},
                        Case{"-9", -3}, Case{"soon", 0}, Case{"", 0}})
    EXPECT_EQ(c.days, Read(std::string("AdvanceHijri=") + c.text + "\r\n").HijriAdjust) << c.text;
  EXPECT_EQ(0.5L, Read("FajrSafety=0,5\r\n").Safety.Fajr);
  EXPECT_EQ(0.25L, Read("ZuhrSafety=0.25\r\n").Safety.Zuhr);
  EXPECT_EQ(0, Read("AsrSafety=a quarter\r\n").Safety.Asr);
  EXPECT_EQ(0, Read("IshaSafety=nan\r\n").Safety.Isha);
  EXPECT_EQ(0, Read("ShuruqSafety=-inf\r\n").Safety.Shuruq);
  EXPECT_EQ(0, Read("VEK.DAT Warnings=many\r\n").DatWarnings);
  EXPECT_FALSE(Read("MinimizeToTray= f \r\n").MinimizeToTray);
  EXPECT_TRUE(Read("MinimizeToTray=No\r\n").MinimizeToTray);
  EXPECT_EQ(1, Read("ClockSize=Medium\r\n").ClockSizeIndex);
  EXPECT_EQ(4, Read("Azhan= maccah 1 \r\n").AzhanIndex);
}

TEST(Settings, NextAzhanIsWrittenAsTheChosenSoundOrAsItWasRead) {
  IniFile ini = IniOf("[Orvessa, by Al Tovarelin]\r\nNextAzhan=Madeenah\r\n");
  VekSettings s;
  CommandLineSwitches sw;
  ReadSettings(ini, s, sw);
  EXPECT_EQ(8, s.NextAzhanIndex);  // a caption that names no recording
  WriteSettings(ini, s, sw, nullptr);
  EXPECT_EQ("Madeenah", ini.ReadString(kMain, "NextAzhan", ""));
  s.NextAzhanChoice = 4;
  WriteSettings(ini, s, sw, nullptr);
  ReadSettings(ini, s, sw);
  EXPECT_EQ(4, s.NextAzhanIndex);
}

TEST(Settings, SelectedLocationComesFromTheCurrentOne) {
  TLocations list;
  list.Add("USA", "BOSTON", "MA");
  list.CurrentIndex = 0;
  IniFile ini;
  VekSettings s;
  WriteSettings(ini, s, CommandLineSwitches{}, &list);
  EXPECT_EQ("BOSTON", ini.ReadString(kMain, "SelectedCity", ""));
  EXPECT_EQ("USA", ini.ReadString(kMain, "SelectedCountry", ""));
  EXPECT_EQ("MA", ini.ReadString(kMain, "SelectedState", ""));
}

TEST(Settings, AReadOnlyFileIsMadeWritableAtOpen) {
  TempDir dir;
  const fs::path file = dir.path() / "vek.ini";  // found ignoring case
  ASSERT_EQ(0, WriteFileReplacing(file, "[ShowSplash]\r\nShowSplash=0\r\n"));
  ::chmod(file.c_str(), 0444);
  IniFile ini;
  bool missing = true;
  ASSERT_EQ(0, OpenSettingsFile(ini, dir.path(), missing));
  EXPECT_FALSE(missing);
  EXPECT_TRUE(IsOwnerWritable(file));
  VekSettings s;
  CommandLineSwitches sw;
  ReadSettings(ini, s, sw);
  EXPECT_FALSE(s.ShowSplashOption);
  EXPECT_EQ(file, ini.FileName());
}

TEST(Settings, HoursText) {
  EXPECT_EQ("0", HoursToIniText(0));
  EXPECT_EQ("0.0166666666666667", HoursToIniText(1.0L / 60));
  EXPECT_EQ("-1.5", HoursToIniText(-1.5L));
  EXPECT_FALSE(IniTextToHours(""));
  EXPECT_FALSE(IniTextToHours("1.5h"));
  EXPECT_EQ(1.5L, IniTextToHours("+1,5"));
}

}  // namespace
}  // namespace vek
