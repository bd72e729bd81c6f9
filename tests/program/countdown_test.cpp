#include "program/countdown.h"

#include <gtest/gtest.h>

#include "support/day_times.h"

#include <cmath>
#include <limits>
#include <ostream>
#include <string>

namespace vek {

void PrintTo(const NextEvent& e, std::ostream* os) {
  *os << "{kind " << static_cast<int>(e.Kind) << ", " << e.MinutesToNext << " min}";
}

namespace {

using testing::Day;
using testing::Hm;

const TDayTimesRec kDay =
    Day(Hm(4, 20), Hm(4, 30), Hm(6, 0), Hm(12, 30), Hm(15, 45), Hm(19, 0), Hm(20, 30));
// Isha 00:30 after a Maghrib at 21:50: it closes the evening of the same day.
const TDayTimesRec kLateIsha =
    Day(Hm(2, 20), Hm(2, 30), Hm(4, 40), Hm(13, 20), Hm(17, 40), Hm(21, 50), Hm(0, 30));
const TDayTimesRec kMidnightFajr =
    Day(Hm(23, 50), Hm(0, 0), Hm(3, 0), Hm(13, 0), Hm(17, 0), Hm(22, 0), Hm(23, 0));
// Imsak and Fajr fall in the evening before (the times of day wrap below midnight).
const TDayTimesRec kEveningFajr =
    Day(Hm(23, 45), Hm(23, 55), Hm(2, 30), Hm(13, 0), Hm(17, 30), Hm(22, 40), Hm(23, 20));

const std::string kRed = "WARNING: little time remaining to perform prayer on time";
const std::string kRedImsak = "WARNING: little time remaining until Imsak";
const std::string kGreen = "You are in the first \"third\", the period of Allah's \"Ridwan\"";
const std::string kYellow = "You are in the second \"third\", the period of Allah's Mercy";
const std::string kViolet = "You are in the last \"third\", the period of Allah's Forgiveness";
const std::string kZuhr = "Time is nearing Zuhr Azhan";

TEST(MinuteOfDay, RoundsToTheMillisecondCutsToTheMinuteAndWraps) {
  const auto at = [](int h, int m, double s) { return (h * 3600 + m * 60 + s) / 86400.0; };
  const struct {
    double time;
    int minute;
  } cases[] = {
      {at(5, 7, 59.9994), Hm(5, 7)},
      {at(5, 7, 59.9996), Hm(5, 8)},
      {at(23, 59, 59.9996), 0},
      {-at(0, 1, 0), Hm(23, 59)},
      {1.0, 0},
      {45000 + at(12, 0, 0), Hm(12, 0)},
      {std::numeric_limits<double>::quiet_NaN(), 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(c.minute, MinuteOfDay(c.time)) << c.time;
}

TEST(ComputeNextEvent, NextEventMinutesLeftAndStatus) {
  const struct {
    const char* what;
    const TDayTimesRec& today;
    const TDayTimesRec& yesterday;
    bool ramadan;
    int now;
    TPrayerSlot kind;
    int left;
    StatusIcon icon;
    const std::string& text;
  } cases[] = {
      // An event at this very minute is still next.
      {"at Asr", kDay, kDay, false, Hm(15, 45), Asr, 0, StatusIcon::Red3, kRed},
      {"at Fajr", kDay, kDay, false, Hm(4, 30), Fajr, 0, StatusIcon::Red3, kRed},
      // The red steps: 15..11, 10..6, 5..0 minutes.
      {"15 before", kDay, kDay, false, Hm(18, 45), Maghrib, 15, StatusIcon::Red1, kRed},
      {"10 before", kDay, kDay, false, Hm(18, 50), Maghrib, 10, StatusIcon::Red2, kRed},
      {"5 before", kDay, kDay, false, Hm(18, 55), Maghrib, 5, StatusIcon::Red3, kRed},
      {"16 before", kDay, kDay, false, Hm(18, 44), Maghrib, 16, StatusIcon::Purple3, kViolet},
      // Asr to Maghrib is 195 minutes: 65 left is exactly the last third.
      {"a third", kDay, kDay, false, Hm(17, 55), Maghrib, 65, StatusIcon::Purple1, kViolet},
      // Maghrib to Isha is 90 minutes, ninths of 10; each boundary is in the later band.
      {"81 of 90", kDay, kDay, false, Hm(19, 9), Isha, 81, StatusIcon::Green1, kGreen},
      {"80 of 90", kDay, kDay, false, Hm(19, 10), Isha, 80, StatusIcon::Green2, kGreen},
      {"61 of 90", kDay, kDay, false, Hm(19, 29), Isha, 61, StatusIcon::Green3, kGreen},
      {"60 of 90", kDay, kDay, false, Hm(19, 30), Isha, 60, StatusIcon::Yellow1, kYellow},
      {"50 of 90", kDay, kDay, false, Hm(19, 40), Isha, 50, StatusIcon::Yellow2, kYellow},
      {"40 of 90", kDay, kDay, false, Hm(19, 50), Isha, 40, StatusIcon::Yellow3, kYellow},
      {"30 of 90", kDay, kDay, false, Hm(20, 0), Isha, 30, StatusIcon::Purple1, kViolet},
      {"20 of 90", kDay, kDay, false, Hm(20, 10), Isha, 20, StatusIcon::Purple2, kViolet},
      {"Shuruq", kDay, kDay, false, Hm(5, 0), Shuruq, 60, StatusIcon::Yellow1, kYellow},
      // Zuhr: the normal icon, its notice from 15 minutes before.
      {"after Shuruq", kDay, kDay, false, Hm(6, 1), Zuhr, 389, StatusIcon::Normal, ""},
      {"16 before Zuhr", kDay, kDay, false, Hm(12, 14), Zuhr, 16, StatusIcon::Normal, ""},
      {"15 before Zuhr", kDay, kDay, false, Hm(12, 15), Zuhr, 15, StatusIcon::Normal, kZuhr},
      {"at Zuhr", kDay, kDay, false, Hm(12, 30), Zuhr, 0, StatusIcon::Normal, kZuhr},
      // After Isha: tomorrow's Fajr a full day after today's (night of 480 minutes).
      {"after Isha", kDay, kDay, false, Hm(20, 31), Fajr, 479, StatusIcon::Green1, kGreen},
      {"late evening", kDay, kDay, false, Hm(23, 0), Fajr, 330, StatusIcon::Green3, kGreen},
      {"before Fajr", kDay, kDay, false, Hm(4, 0), Fajr, 30, StatusIcon::Purple3, kViolet},
      {"23:59, Fajr 00:00", kMidnightFajr, kMidnightFajr, false, Hm(23, 59), Fajr, 1,
       StatusIcon::Red3, kRed},
      {"00:00, Fajr 00:00", kMidnightFajr, kMidnightFajr, false, 0, Fajr, 0, StatusIcon::Red3,
       kRed},
      // Ramadan: Imsak before Fajr, measured from Isha (night of 470 minutes).
      {"Ramadan night", kDay, kDay, true, Hm(23, 0), Imsak, 320, StatusIcon::Green3, kGreen},
      {"Ramadan", kDay, kDay, true, Hm(4, 0), Imsak, 20, StatusIcon::Purple3, kViolet},
      {"Ramadan, 10", kDay, kDay, true, Hm(4, 10), Imsak, 10, StatusIcon::Red2, kRedImsak},
      {"at Imsak", kDay, kDay, true, Hm(4, 20), Imsak, 0, StatusIcon::Red3, kRedImsak},
      {"no Imsak", kDay, kDay, false, Hm(4, 10), Fajr, 20, StatusIcon::Purple3, kViolet},
      // Isha past midnight closes the evening; Maghrib to Isha is 160 minutes.
      {"late Isha", kLateIsha, kLateIsha, false, Hm(23, 0), Isha, 90, StatusIcon::Yellow1, kYellow},
      {"after midnight", kLateIsha, kLateIsha, false, Hm(0, 10), Isha, 20, StatusIcon::Purple2,
       kViolet},
      {"yesterday's Isha", kDay, kLateIsha, false, Hm(0, 10), Isha, 20, StatusIcon::Purple2,
       kViolet},
      {"at late Isha", kDay, kLateIsha, false, Hm(0, 30), Isha, 0, StatusIcon::Red3, kRed},
      {"after late Isha", kLateIsha, kLateIsha, false, Hm(0, 31), Fajr, 119, StatusIcon::Green1,
       kGreen},
      {"previous Isha early", kLateIsha, kDay, false, Hm(0, 10), Fajr, 140, StatusIcon::Green1,
       kGreen},
      // Fajr in the evening before: the morning still runs to Zuhr.
      {"evening Fajr", kEveningFajr, kEveningFajr, false, Hm(10, 0), Zuhr, 180, StatusIcon::Normal,
       ""},
      {"past tomorrow's Fajr", kEveningFajr, kEveningFajr, false, Hm(23, 58), Shuruq, 152,
       StatusIcon::Green1, kGreen},
  };
  for (const auto& c : cases) {
    StatusState state;
    const NextEvent next = ComputeNextEvent(c.now, c.today, c.yesterday, c.ramadan, state);
    EXPECT_EQ((NextEvent{c.kind, c.left}), next) << c.what;
    EXPECT_EQ(c.icon, state.Icon) << c.what;
    EXPECT_EQ(c.text, state.EnglishStatusText) << c.what;
  }
}

TEST(ComputeNextEvent, RamadanFajrKeepsTheImsakWarningAndZuhrKeepsTheHelp) {
  StatusState state;
  ComputeNextEvent(Hm(4, 10), kDay, kDay, true, state);
  const StatusState imsakWarning = state;
  EXPECT_EQ("تحذير: بقي وقت قليل حتى الإمساك", imsakWarning.ArabicStatusText);
  for (const int now : {Hm(4, 21), Hm(4, 30)}) {
    EXPECT_EQ(Fajr, ComputeNextEvent(now, kDay, kDay, true, state).Kind);
    EXPECT_EQ(imsakWarning.Icon, state.Icon);
    EXPECT_EQ(imsakWarning.EnglishStatusText, state.EnglishStatusText);
    EXPECT_EQ(imsakWarning.ArabicStatusText, state.ArabicStatusText);
  }
  ComputeNextEvent(Hm(7, 0), kDay, kDay, true, state);
  EXPECT_EQ(StatusIcon::Normal, state.Icon);
  EXPECT_EQ("", state.ArabicStatusText);
  EXPECT_EQ(imsakWarning.EnglishStatusHelp, state.EnglishStatusHelp);
  EXPECT_EQ(imsakWarning.ArabicStatusHelp, state.ArabicStatusHelp);
  ComputeNextEvent(Hm(12, 20), kDay, kDay, true, state);
  EXPECT_EQ("اقترب وقت أذان الظهر", state.ArabicStatusText);
}

TEST(ShowStatusByThirds, ArabicTextsAndHints) {
  const struct {
    int interval;
    int left;
    bool toImsak;
    const char* arabic;
  } cases[] = {
      {90, 10, false, "تحذير: بقي وقت قليل لأداء الصلاة في وقتها"},
      {90, 10, true, "تحذير: بقي وقت قليل حتى الإمساك"},
      {90, 70, true, "أنت في الثلث الأول، وقت رضوان الله"},
      {90, 50, false, "أنت في الثلث الثاني، وقت رحمة الله"},
      {90, 20, false, "أنت في الثلث الأخير، وقت عفو الله"},
  };
  for (const auto& c : cases) {
    StatusState state;
    ShowStatusByThirds(c.interval, c.left, c.toImsak, state);
    EXPECT_EQ(c.arabic, state.ArabicStatusText) << c.left;
  }
  StatusState state;
  ShowStatusByThirds(90, 50, false, state);
  const std::string quotation = "أول الوقت رضوان الله\r\nووسطه رحمة الله\r\nوآخره عفو الله";
  EXPECT_EQ(0u, state.EnglishStatusHelp.find("\r\n\r\nColor changes as follows:\r\nGreen: First "
                                             "\"third\" of interval between beginning and end"));
  EXPECT_NE(std::string::npos,
            state.EnglishStatusHelp.find("Red: When 15 minutes or less remain until end of "
                                         "current prayer period\r\n\r\n" +
                                         quotation));
  EXPECT_TRUE(state.ArabicStatusHelp.ends_with(quotation));
  EXPECT_EQ(kYellow + state.EnglishStatusHelp + "|" + kYellow, state.EnglishHint());
  EXPECT_EQ(state.ArabicStatusText + state.ArabicStatusHelp + "|" + state.ArabicStatusText,
            state.ArabicHint());
}

TEST(MakeCountdownTexts, EnglishAndArabicCaptions) {
  const std::string rlm = "\u200F";
  const struct {
    int minutes;
    TPrayerSlot kind;
    Language lang;
    std::string label;
    std::string shortText;
  } cases[] = {
      {60, Asr, Language::English, "1 Hour till Asr", "1 h till Asr"},
      {121, Asr, Language::English, "2 Hours, 1 Minute till Asr", "2 h, 1 m till Asr"},
      {5, Shuruq, Language::English, "5 Minutes till Sunrise", "5 m till Sunrise"},
      {0, Fajr, Language::English, "Fajr", "Fajr"},
      {60, Asr, Language::Arabic, rlm + "1 ساعة حتى أذان العصر" + rlm, "1 س حتى أذان العصر"},
      {121, Asr, Language::Arabic, rlm + "2 ساعة، 1 دقيقة حتى أذان العصر" + rlm,
       "2 س، 1 د حتى أذان العصر"},
      {7, Imsak, Language::Arabic, rlm + "7 دقيقة حتى الإمساك" + rlm, "7 د حتى الإمساك"},
      {0, Isha, Language::Arabic, rlm + " حان أذان العشاء" + rlm, " حان أذان العشاء"},
  };
  for (const auto& c : cases) {
    const CountdownTexts t = MakeCountdownTexts(c.minutes, c.kind, c.lang);
    EXPECT_EQ(c.label, t.Long) << c.minutes;
    EXPECT_EQ(c.shortText, t.Short) << c.minutes;
  }

  const CountdownTexts english = MakeCountdownTexts(121, Asr, Language::English);
  EXPECT_EQ("2 h, 1 m till Asr, Al Tovarelin Zurivo Zazir", english.Title);
  EXPECT_EQ("Al Tovarelin Zurivo Zazir\n2 h, 1 m till Asr", english.TrayHint);
  EXPECT_EQ(english.Long, AlertNextTimeText(english, Language::English));

  const CountdownTexts arabic = MakeCountdownTexts(0, Isha, Language::Arabic);
  EXPECT_EQ(rlm + " حان أذان العشاء، أوقات الصلاة من Tovarelin" + rlm, arabic.Title);
  EXPECT_EQ("أوقات الصلاة من Tovarelin\n" + rlm + " حان أذان العشاء" + rlm, arabic.TrayHint);
  EXPECT_EQ(rlm + arabic.Long + rlm, AlertNextTimeText(arabic, Language::Arabic));
}

TEST(SavingTimeTexts, PeriodWithinTheYearAcrossTheNewYearAndOfOneDay) {
  const SavingTimeLabels saving = {"Daylight Savings Time", "بحسب التوقيت الصيفي"};
  const SavingTimeLabels normal = {"Normal Time", "بحسب التوقيت الشتوي"};
  const struct {
    bool dst;
    int start;
    int end;
    int day;
    const SavingTimeLabels& expected;
  } cases[] = {
      {true, 90, 300, 89, normal},  {true, 90, 300, 90, saving},   {true, 90, 300, 300, saving},
      {true, 90, 300, 301, normal}, {true, 300, 90, 10, saving},   {true, 300, 90, 90, saving},
      {true, 300, 90, 91, normal},  {true, 300, 90, 299, normal},  {true, 300, 90, 300, saving},
      {true, 100, 100, 1, saving},  {true, 100, 100, 366, saving},
  };
  for (const auto& c : cases) {
    TLocationRec loc;
    loc.DST = c.dst;
    loc.DstStart = static_cast<std::uint16_t>(c.start);
    loc.DstEnd = static_cast<std::uint16_t>(c.end);
    EXPECT_EQ(c.expected, SavingTimeTexts(loc, c.day)) << c.start << ".." << c.end << " " << c.day;
  }
  TLocationRec off;
  off.DstStart = 1;
  off.DstEnd = 366;
  EXPECT_EQ((SavingTimeLabels{"Daylight Savings not requested", "التوقيت الصيفي غير مطلوب"}),
            SavingTimeTexts(off, 100));
}

}  // namespace
}  // namespace vek
