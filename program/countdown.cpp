#include "program/countdown.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>

#include "engine/daylight_saving.h"

namespace vek {

namespace {

constexpr int kMinutesPerDay = 24 * 60;
constexpr std::int64_t kMsPerDay = 24LL * 60 * 60 * 1000;
constexpr std::int64_t kMsPerMinute = 60 * 1000;

// The last minutes of a prayer period, shown in red.
constexpr int kRedMinutes = 15;

constexpr std::string_view kQuotation =
    "أول الوقت رضوان الله\r\n"
    "ووسطه رحمة الله\r\n"
    "وآخره عفو الله";

constexpr std::string_view kEnglishHelp =
    "\r\n\r\nColor changes as follows:\r\n"
    "Green: First \"third\" of interval between beginning and end of current prayer time\r\n"
    "Yellow: Second \"third\" of interval between beginning and end of current prayer time\r\n"
    "Violet: Last \"third\" of interval between beginning and end of current prayer time\r\n"
    "Red: When 15 minutes or less remain until end of current prayer period\r\n\r\n";

constexpr std::string_view kArabicHelp =
    "\r\n\r\nيتغير اللون كما يلي:\r\n"
    "الأخضر: الثلث الأول من الفترة بين بداية وقت الصلاة الحالية ونهايته\r\n"
    "الأصفر: الثلث الثاني من الفترة بين بداية وقت الصلاة الحالية ونهايته\r\n"
    "البنفسجي: الثلث الأخير من الفترة بين بداية وقت الصلاة الحالية ونهايته\r\n"
    "الأحمر: عندما تبقى 15 دقيقة أو أقل حتى نهاية وقت الصلاة الحالية\r\n\r\n";

struct StatusTexts {
  std::string_view English;
  std::string_view Arabic;
};

constexpr StatusTexts kImsakWarning = {"WARNING: little time remaining until Imsak",
                                       "تحذير: بقي وقت قليل حتى الإمساك"};
constexpr StatusTexts kPrayerWarning = {"WARNING: little time remaining to perform prayer on time",
                                        "تحذير: بقي وقت قليل لأداء الصلاة في وقتها"};
constexpr StatusTexts kFirstThird = {
    "You are in the first \"third\", the period of Allah's \"Ridwan\"",
    "أنت في الثلث الأول، وقت رضوان الله"};
constexpr StatusTexts kSecondThird = {
    "You are in the second \"third\", the period of Allah's Mercy",
    "أنت في الثلث الثاني، وقت رحمة الله"};
constexpr StatusTexts kLastThird = {
    "You are in the last \"third\", the period of Allah's Forgiveness",
    "أنت في الثلث الأخير، وقت عفو الله"};
constexpr StatusTexts kNearingZuhr = {"Time is nearing Zuhr Azhan", "اقترب وقت أذان الظهر"};

// By the number of ninths of the period that remain whole (0..8).
constexpr std::array<StatusIcon, 9> kIconByNinths = {
    StatusIcon::Purple3, StatusIcon::Purple2, StatusIcon::Purple1,
    StatusIcon::Yellow3, StatusIcon::Yellow2, StatusIcon::Yellow1,
    StatusIcon::Green3,  StatusIcon::Green2,  StatusIcon::Green1,
};

constexpr std::array<std::string_view, kPrayerSlots> kEnglishEventNames = {
    "Imsak", "Fajr", "Sunrise", "Zuhr", "Asr", "Maghrib", "Isha"};
constexpr std::array<std::string_view, kPrayerSlots> kArabicEventNames = {
    "الإمساك",    "أذان الفجر",  "وقت الشروق", "أذان الظهر",
    "أذان العصر", "أذان المغرب", "أذان العشاء"};

constexpr std::string_view kEnglishProgramName = "Al Tovarelin Zurivo Zazir";
constexpr std::string_view kArabicProgramName = "أوقات الصلاة من Tovarelin";

void SetTexts(StatusState& state, const StatusTexts& texts) {
  state.EnglishStatusText = texts.English;
  state.ArabicStatusText = texts.Arabic;
}

// A day's times in minutes, rising from slot to slot around Zuhr.
using MinuteSequence = std::array<int, kPrayerSlots>;

MinuteSequence DaySequence(const TDayTimesRec& times, int shift) {
  MinuteSequence s;
  for (int i = 0; i < kPrayerSlots; ++i)
    s[i] = MinuteOfDay(times[i]);
  for (int i = Zuhr - 1; i >= Imsak; --i) {
    while (s[i] > s[i + 1])
      s[i] -= kMinutesPerDay;
  }
  for (int i = Zuhr + 1; i <= Isha; ++i) {
    while (s[i] < s[i - 1])
      s[i] += kMinutesPerDay;
  }
  for (int& m : s)
    m += shift;
  return s;
}

// The rules for one day's sequence; nothing when its Isha has passed.
std::optional<NextEvent> NextInDay(int now, const MinuteSequence& s, bool isRamadan,
                                   StatusState& state) {
  // The night before Imsak and Fajr is measured from the same day's Isha a day earlier.
  const int previousIsha = s[Isha] - kMinutesPerDay;
  if (isRamadan && now <= s[Imsak]) {
    const int left = s[Imsak] - now;
    ShowStatusByThirds(s[Imsak] - previousIsha, left, true, state);
    return NextEvent{Imsak, left};
  }
  if (now <= s[Fajr]) {
    const int left = s[Fajr] - now;
    // In Ramadan the Imsak warning stays up until Fajr.
    if (!isRamadan)
      ShowStatusByThirds(s[Fajr] - previousIsha, left, false, state);
    return NextEvent{Fajr, left};
  }
  if (now <= s[Shuruq]) {
    const int left = s[Shuruq] - now;
    ShowStatusByThirds(s[Shuruq] - s[Fajr], left, false, state);
    return NextEvent{Shuruq, left};
  }
  if (now <= s[Zuhr]) {
    const int left = s[Zuhr] - now;
    state.Icon = StatusIcon::Normal;
    if (left <= kRedMinutes) {
      SetTexts(state, kNearingZuhr);
    } else {
      state.EnglishStatusText.clear();
      state.ArabicStatusText.clear();
    }
    return NextEvent{Zuhr, left};
  }
  for (int slot = Asr; slot <= Isha; ++slot) {
    if (now <= s[slot]) {
      const int left = s[slot] - now;
      ShowStatusByThirds(s[slot] - s[slot - 1], left, false, state);
      return NextEvent{static_cast<TPrayerSlot>(slot), left};
    }
  }
  return std::nullopt;
}

}  // namespace

int MinuteOfDay(double time) {
  double fraction = std::isfinite(time) ? std::fmod(time, 1.0) : 0.0;
  if (fraction < 0)
    fraction += 1.0;
  const std::int64_t ms = std::llround(fraction * static_cast<double>(kMsPerDay)) % kMsPerDay;
  return static_cast<int>(ms / kMsPerMinute);
}

std::string StatusState::ArabicHint() const {
  return ArabicStatusText + ArabicStatusHelp + "|" + ArabicStatusText;
}

std::string StatusState::EnglishHint() const {
  return EnglishStatusText + EnglishStatusHelp + "|" + EnglishStatusText;
}

void ShowStatusByThirds(int intervalMinutes, int remainingMinutes, bool toImsak,
                        StatusState& state) {
  state.EnglishStatusHelp = std::string(kEnglishHelp) + std::string(kQuotation);
  state.ArabicStatusHelp = std::string(kArabicHelp) + std::string(kQuotation);
  if (remainingMinutes <= kRedMinutes) {
    state.Icon = remainingMinutes > 10  ? StatusIcon::Red1
                 : remainingMinutes > 5 ? StatusIcon::Red2
                                        : StatusIcon::Red3;
    SetTexts(state, toImsak ? kImsakWarning : kPrayerWarning);
    return;
  }
  // Whole minutes compared in ninths of the period, exactly: a remaining time equal to a
  // boundary is not above it.
  const long long remainingNinths = 9LL * remainingMinutes;
  int ninths = 0;
  while (ninths < 8 && remainingNinths > static_cast<long long>(ninths + 1) * intervalMinutes)
    ++ninths;
  state.Icon = kIconByNinths[ninths];
  SetTexts(state, ninths >= 6 ? kFirstThird : ninths >= 3 ? kSecondThird : kLastThird);
}

NextEvent ComputeNextEvent(int nowMinute, const TDayTimesRec& today, const TDayTimesRec& yesterday,
                           bool isRamadan, StatusState& state) {
  const int now = ((nowMinute % kMinutesPerDay) + kMinutesPerDay) % kMinutesPerDay;
  // Yesterday's evening, still running past midnight. Its events before Asr all lie before
  // today's midnight, so only its Asr, Maghrib or Isha can be the next one.
  const MinuteSequence evening = DaySequence(yesterday, -kMinutesPerDay);
  if (now <= evening[Isha]) {
    if (const auto next = NextInDay(now, evening, isRamadan, state))
      return *next;
  }
  const MinuteSequence day = DaySequence(today, 0);
  if (const auto next = NextInDay(now, day, isRamadan, state))
    return *next;
  // After Isha: tomorrow, taken as today's times a full day later. Its Isha lies past every
  // minute of today, so one of its rules holds.
  const MinuteSequence tomorrow = DaySequence(today, kMinutesPerDay);
  return NextInDay(now, tomorrow, isRamadan, state).value_or(NextEvent{Fajr, 0});
}

CountdownTexts MakeCountdownTexts(int minutesToNext, TPrayerSlot kind, Language lang) {
  const int minutes = minutesToNext < 0 ? 0 : minutesToNext;
  const int h = minutes / 60;
  const int m = minutes % 60;
  const int slot = kind < kPrayerSlots ? kind : Fajr;
  std::string longText;
  std::string shortText;
  CountdownTexts texts;
  if (lang == Language::English) {
    if (h != 0) {
      longText = std::to_string(h) + " Hour";
      shortText = std::to_string(h) + " h";
      if (h > 1)
        longText += "s";
    }
    if (m != 0) {
      if (h != 0) {
        longText += ", ";
        shortText += ", ";
      }
      longText += std::to_string(m) + " Minute";
      if (m > 1)
        longText += "s";
      shortText += std::to_string(m) + " m";
    }
    if (h != 0 || m != 0) {
      longText += " till ";
      shortText += " till ";
    }
    longText += kEnglishEventNames[slot];
    shortText += kEnglishEventNames[slot];
    texts.Long = longText;
    texts.Short = shortText;
    texts.Title = shortText + ", " + std::string(kEnglishProgramName);
    texts.TrayHint = std::string(kEnglishProgramName) + "\n" + shortText;
    return texts;
  }
  if (h != 0) {
    longText = std::to_string(h) + " ساعة";
    shortText = std::to_string(h) + " س";
    if (m != 0) {
      longText += "، ";
      shortText += "، ";
    }
  }
  if (m != 0) {
    longText += std::to_string(m) + " دقيقة حتى ";
    shortText += std::to_string(m) + " د حتى ";
  } else {
    longText += " حتى ";
    shortText += " حتى ";
  }
  if (h == 0 && m == 0) {
    longText = " حان ";
    shortText = " حان ";
  }
  longText += kArabicEventNames[slot];
  shortText += kArabicEventNames[slot];
  const std::string rlm(kRlm);
  texts.Long = rlm + longText + rlm;
  texts.Short = shortText;
  texts.Title = rlm + shortText + "، " + std::string(kArabicProgramName) + rlm;
  texts.TrayHint = std::string(kArabicProgramName) + "\n" + rlm + shortText + rlm;
  return texts;
}

std::string AlertNextTimeText(const CountdownTexts& texts, Language lang) {
  if (lang == Language::English)
    return texts.Long;
  const std::string rlm(kRlm);
  return rlm + texts.Long + rlm;
}

SavingTimeLabels SavingTimeTexts(const TLocationRec& loc, int dayOfYear) {
  if (!loc.DST)
    return {"Daylight Savings not requested", "التوقيت الصيفي غير مطلوب"};
  if (InDaylightSaving(loc, dayOfYear))
    return {"Daylight Savings Time", "بحسب التوقيت الصيفي"};
  return {"Normal Time", "بحسب التوقيت الشتوي"};
}

}  // namespace vek
