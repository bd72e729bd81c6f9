#include "program/display_texts.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "engine/calendar.h"

namespace vek {
namespace {

const NameLists& Names() {
  return DefaultNameLists();
}

// The English day name of a date, by the standard library's calendar.
std::string WeekdayName(double date) {
  using namespace std::chrono;
  const sys_days day = sys_days{year{1899} / December / 30} + days{static_cast<long long>(date)};
  return Names().EDays[weekday{day}.c_encoding()];
}

TEST(DateCaptions, GregorianAndHijriInBothLanguages) {
  const double sunday = EncodeDate(2024, 3, 10);
  EXPECT_EQ("Sunday 10 March 2024", GregorianDateCaption(sunday, Names(), Language::English));
  EXPECT_EQ("الأحد 10 آذار 2024", GregorianDateCaption(sunday + 0.75, Names(), Language::Arabic));
  EXPECT_EQ("Saturday 30 December 1899", GregorianDateCaption(0, Names(), Language::English));
  EXPECT_EQ("Friday 29 December 1899", GregorianDateCaption(-1, Names(), Language::English));

  const double ramadan1 = HijriToDate(1445, 9, 1, 0);
  EXPECT_EQ(WeekdayName(ramadan1) + " 1 Ramadan 1445",
            HijriDateCaption(ramadan1, Names(), Language::English, 0));
  // The adjustment moves the Hijri day, not the day of the week.
  for (const int adjust : {-2, 1, 3}) {
    const double date = ramadan1 - adjust;
    EXPECT_EQ(WeekdayName(date) + " 1 Ramadan 1445",
              HijriDateCaption(date, Names(), Language::English, adjust))
        << adjust;
  }
  const std::string arabic = HijriDateCaption(ramadan1 + 9, Names(), Language::Arabic, 0);
  EXPECT_TRUE(arabic.ends_with(" 10 رمضان 1445")) << arabic;

  EXPECT_EQ(HijriDateCaption(sunday, Names(), Language::English, 2),
            DateCaption(sunday, true, Names(), Language::English, 2));
  EXPECT_EQ(GregorianDateCaption(sunday, Names(), Language::Arabic),
            DateCaption(sunday, false, Names(), Language::Arabic, 2));
}

TEST(LocationCaption, StateNameOnlyForTheUsa) {
  TLocationRec loc;
  loc.City = "DAMASCUS";
  loc.Country = "SYRIA";
  EXPECT_EQ("DAMASCUS  (SYRIA)", LocationCaption(loc));
  loc.City = "BOSTON";
  loc.State = "MA";
  loc.Country = "USA";
  EXPECT_EQ("BOSTON  (USA) - Massachusetts", LocationCaption(loc));
  loc.Country = "CANADA";
  EXPECT_EQ("BOSTON  (CANADA)", LocationCaption(loc));
}

std::string DayText(int day) {
  return std::string("<").append(std::to_string(day)).append(">");
}

Tracker Days(int first, int last) {
  Tracker t;
  t.Record(first);
  t.Record(last);
  return t;
}

TEST(ConflictText, EmptyWithoutFlagsElseEveryFoundPeriod) {
  EXPECT_EQ("", EnglishConflictText(Trackers{}, DayText));
  EXPECT_EQ("", ArabicConflictText(Trackers{}, DayText));

  const std::string intro =
      "The calculation method that you have chosen for your location produces:\r\n";
  const std::string advice =
      "\r\nYou may accept this method, or try the Fixed Method or the Eastern or Middle-Eastern "
      "Method (if it is not curently selected) since it may avoid this problem for some locations";
  const std::string fixing =
      "\r\nAs a solution, Fajr and Isha have been determined by fixing them during all days "
      "within this period.\r\n";

  Trackers isha;
  isha.IshaSaturation = Days(140, 200);
  EXPECT_EQ(intro +
                "\r\nNON-EXISTENCE of Isha, during the period:\r\nStarting from <140> till <200>" +
                fixing + advice,
            EnglishConflictText(isha, DayText));

  Trackers all;
  all.FajrSaturation = Days(150, 190);
  all.IshaSaturation = Days(140, 200);
  all.IshaFajrConflict = Days(130, 210);
  EXPECT_EQ(intro +
                "\r\nNON-EXISTENCE of Fajr during the period:\r\nStarting from <150> till <190>" +
                "\r\nNON-EXISTENCE of Isha, during the period:\r\nStarting from <140> till <200>" +
                fixing +
                "\r\nA CONFLICT, whereby Isha occurs directly AFTER Fajr during a certain period "
                "of the year:\r\nStarting from <130> till <210>"
                "\r\nAs a solution, conflict has been adjusted by ignoring the calculated Prayer "
                "Time for Isha, and forcing the interval between Isha and Fajr not to be less "
                "than 20 minutes.\r\n" +
                advice,
            EnglishConflictText(all, DayText));

  Trackers conflict;
  conflict.IshaFajrConflict = Days(130, 210);
  EXPECT_EQ(
      "طريقة الحساب التي اخترتها لموقعك تؤدي إلى:\r\n"
      "\r\nتعارض، إذ يقع العشاء بعد الفجر مباشرة خلال فترة معينة من السنة:\r\n"
      "ابتداء من <130> حتى <210>"
      "\r\nوكحل لذلك، تمت معالجة التعارض بإهمال وقت العشاء المحسوب، وفرض ألا تقل الفترة بين "
      "العشاء والفجر عن 20 دقيقة.\r\n"
      "\r\nيمكنك قبول هذه الطريقة، أو تجربة الطريقة الثابتة أو الشرقية أو الشرق أوسطية (إن لم "
      "تكن مختارة حاليا)، فقد تتجنب هذه المشكلة في بعض المواقع",
      ArabicConflictText(conflict, DayText));
}

TEST(ConflictText, DaysFromTheMonthCaptionsInTheLanguageOfTheText) {
  const NameLists& n = Names();
  const MonthCaptionContext english{false,     Language::English, 2024,       0,
                                    n.AMonths, n.EMonths,         n.AHMonths, n.EHMonths};
  Trackers fajr;
  fajr.FajrSaturation = Days(121, 152);  // 1 May .. 1 June
  EXPECT_NE(std::string::npos,
            EnglishConflictText(fajr, english).find("Starting from May 1 till June 1"));
  EXPECT_NE(std::string::npos,
            ArabicConflictText(fajr, english).find("ابتداء من 1 أيار حتى 1 حزيران"));
}

TEST(VersionCaption, InTheUsersLanguageWhereArabicCanBeShown) {
  const std::string english = "Zurivo Zazir (Al Tovarelin):   Version 6.22";
  EXPECT_EQ(english, VersionCaption(Language::English, true));
  EXPECT_EQ(english, VersionCaption(Language::Arabic, false));
  const std::string arabic = VersionCaption(Language::Arabic, true);
  EXPECT_TRUE(arabic.starts_with("ـ   ")) << arabic;
  EXPECT_TRUE(arabic.ends_with("   ـ")) << arabic;
  EXPECT_NE(std::string::npos, arabic.find("6.22"));
}

TEST(AzhanTexts, ButtonStateAndSelectedAzhan) {
  EXPECT_EQ("Disable", AzhanButtonCaption(true, Language::English));
  EXPECT_EQ("تشغيل", AzhanButtonCaption(false, Language::Arabic));
  EXPECT_EQ("Azhan is enabled\r\nPress to prevent hearing the Azhan",
            AzhanStateText(true, Language::English));
  EXPECT_EQ("Azhan is not enabled\r\nPress to allow hearing the Azhan",
            AzhanStateText(false, Language::English));

  const AzhanDescriptionLists& d = DefaultAzhanDescriptions();
  const struct {
    int available;
    int index;
    int rotation;
    Language lang;
    std::string expected;
  } cases[] = {
      {0, 1, 2, Language::English, "Files for Azhans are not available\r\n"},
      {3, 1, 2, Language::English, "Selected Azhan: Aleppo"},
      {3, 8, 4, Language::English, "Selected Azhan: All.\r\nNext turn is for Maccah 1."},
      {3, 8, 9, Language::English, "Selected Azhan: All.\r\nNext turn is for "},
      {3, 1, 2, Language::Arabic, "الأذان المختار: حلب"},
      {3, 8, 0, Language::Arabic, "الأذان المختار: الكل.\r\nالدور التالي لأذان المدينة المنورة."},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.expected, AzhanCaption(c.available, c.index, c.rotation, d, c.lang))
        << c.index << " " << c.rotation;
  }
}

TEST(MenuCaptions, NameWhatTheItemSwitchesTo) {
  EXPECT_EQ("Gregorian Date", DateKindMenuCaption(true, Language::English));
  EXPECT_EQ("Hijri Date", DateKindMenuCaption(false, Language::English));
  EXPECT_EQ("تقويم ميلادي", DateKindMenuCaption(true, Language::Arabic));
  EXPECT_EQ("تقويم هجري", DateKindMenuCaption(false, Language::Arabic));
  EXPECT_EQ("Hide Flying Help", FlyingHelpMenuCaption(true, Language::English));
  EXPECT_EQ("Show Flying Help", FlyingHelpMenuCaption(false, Language::English));
  EXPECT_EQ("إخفاء التلميحات", FlyingHelpMenuCaption(true, Language::Arabic));
  EXPECT_EQ("إظهار التلميحات", FlyingHelpMenuCaption(false, Language::Arabic));
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

MonthNameList NumberedNames(const std::string& prefix) {
  MonthNameList names;
  for (int i = 0; i < 12; ++i)
    names[i] = prefix + std::to_string(i + 1);
  return names;
}

TEST(MonthYearCaption, DayAndMonthInTheLanguagesOrderAndCalendar) {
  const MonthNameList am = NumberedNames("AM"), em = NumberedNames("EM"),
                      ahm = NumberedNames("AHM"), ehm = NumberedNames("EHM");
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

}  // namespace
}  // namespace vek
