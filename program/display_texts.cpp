#include "program/display_texts.h"

#include <cmath>
#include <cstdint>
#include <string_view>

#include "engine/calendar.h"
#include "foundation/conversions.h"
#include "locations/us_states.h"

namespace vek {

namespace {

constexpr std::int64_t kMsPerDay = 24LL * 60 * 60 * 1000;
constexpr std::int64_t kMsPerMinute = 60 * 1000;

int DayOfWeek(double date) {
  const long long day = static_cast<long long>(std::floor(date));
  return static_cast<int>(((day + 6) % 7 + 7) % 7);
}

std::string DayMonthYear(double date, const std::array<std::string, 7>& days,
                         const std::array<std::string, 12>& months, int day, int month, int year) {
  const std::string monthName = month >= 1 && month <= 12 ? months[month - 1] : std::string();
  return days[DayOfWeek(date)] + " " + std::to_string(day) + " " + monthName + " " +
         std::to_string(year);
}

// The phrases of the high-latitude explanation in one language.
struct ConflictPhrases {
  std::string_view Intro;
  std::string_view NoFajr;
  std::string_view NoIsha;
  std::string_view From;
  std::string_view Till;
  std::string_view SaturationSolution;
  std::string_view Conflict;
  std::string_view ConflictSolution;
  std::string_view Advice;
};

constexpr ConflictPhrases kEnglishPhrases = {
    "The calculation method that you have chosen for your location produces:\r\n",
    "NON-EXISTENCE of Fajr during the period:",
    "NON-EXISTENCE of Isha, during the period:",
    "Starting from ",
    " till ",
    "As a solution, Fajr and Isha have been determined by fixing them during all days within "
    "this period.",
    "A CONFLICT, whereby Isha occurs directly AFTER Fajr during a certain period of the year:",
    "As a solution, conflict has been adjusted by ignoring the calculated Prayer Time for Isha, "
    "and forcing the interval between Isha and Fajr not to be less than 20 minutes.",
    "You may accept this method, or try the Fixed Method or the Eastern or Middle-Eastern Method "
    "(if it is not curently selected) since it may avoid this problem for some locations",
};

constexpr ConflictPhrases kArabicPhrases = {
    "طريقة الحساب التي اخترتها لموقعك تؤدي إلى:\r\n",
    "انعدام وقت الفجر خلال الفترة:",
    "انعدام وقت العشاء خلال الفترة:",
    "ابتداء من ",
    " حتى ",
    "وكحل لذلك، تم تحديد وقتي الفجر والعشاء بتثبيتهما في جميع أيام هذه الفترة.",
    "تعارض، إذ يقع العشاء بعد الفجر مباشرة خلال فترة معينة من السنة:",
    "وكحل لذلك، تمت معالجة التعارض بإهمال وقت العشاء المحسوب، وفرض ألا تقل الفترة بين العشاء "
    "والفجر عن 20 دقيقة.",
    "يمكنك قبول هذه الطريقة، أو تجربة الطريقة الثابتة أو الشرقية أو الشرق أوسطية (إن لم تكن "
    "مختارة حاليا)، فقد تتجنب هذه المشكلة في بعض المواقع",
};

std::string ConflictText(const Trackers& trackers, const DayTextFunction& dayText,
                         const ConflictPhrases& p) {
  if (!trackers.AnySet())
    return {};
  const auto period = [&](const Tracker& t) {
    return std::string(p.From) + dayText(t.FirstDay) + std::string(p.Till) + dayText(t.LastDay);
  };
  std::string text(p.Intro);
  if (trackers.FajrSaturation.Flag)
    text += "\r\n" + std::string(p.NoFajr) + "\r\n" + period(trackers.FajrSaturation);
  if (trackers.IshaSaturation.Flag)
    text += "\r\n" + std::string(p.NoIsha) + "\r\n" + period(trackers.IshaSaturation);
  if (trackers.FajrSaturation.Flag || trackers.IshaSaturation.Flag)
    text += "\r\n" + std::string(p.SaturationSolution) + "\r\n";
  if (trackers.IshaFajrConflict.Flag) {
    text += "\r\n" + std::string(p.Conflict) + "\r\n" + period(trackers.IshaFajrConflict);
    text += "\r\n" + std::string(p.ConflictSolution) + "\r\n";
  }
  text += "\r\n" + std::string(p.Advice);
  return text;
}

std::string ConflictText(const Trackers& trackers, const MonthCaptionContext& context,
                         Language lang, const ConflictPhrases& p) {
  MonthCaptionContext inLanguage = context;
  inLanguage.Lang = lang;
  return ConflictText(
      trackers, [&](int day) { return MonthYearCaption(day, inLanguage); }, p);
}

}  // namespace

std::string FormatPrayerTime(double time, bool is24H) {
  // fmod is exact, so even a far date keeps its time of day; no time at all reads as midnight.
  double fraction = std::isfinite(time) ? std::fmod(time, 1.0) : 0.0;
  if (fraction < 0)
    fraction += 1.0;
  // Rounding may reach the next midnight; the modulo wraps that (and a fraction of 1.0) to 0.
  const std::int64_t ms = std::llround(fraction * static_cast<double>(kMsPerDay)) % kMsPerDay;
  const int minutes = static_cast<int>(ms / kMsPerMinute);
  const int hour = minutes / 60;
  const int minute = minutes % 60;
  std::string text;
  if (is24H) {
    text = TwoDigitStr(hour);
  } else {
    const int hour12 = hour % 12;
    text = TwoDigitStr(hour12 == 0 ? 12 : hour12);
  }
  text += ':';
  text += TwoDigitStr(minute);
  text += "  ";
  if (!is24H)
    text += hour < 12 ? "AM" : "PM";
  return text;
}

std::string MonthYearCaption(int dayOfYear, const MonthCaptionContext& context) {
  int day = 0;
  int month = 0;
  DayOfYearToDayMonth(dayOfYear, day, month);
  if (context.HijriMode) {
    const HijriDate hijri = DateToHijri(EncodeDate(context.Year, month, day), context.HijriAdjust);
    day = hijri.Day;
    month = hijri.Month;
  }
  const bool arabic = context.Lang == Language::Arabic;
  const MonthNameList& names = context.HijriMode ? (arabic ? context.AHMonths : context.EHMonths)
                                                 : (arabic ? context.AMonths : context.EMonths);
  const std::string monthName = month >= 1 && month <= 12 ? names[month - 1] : std::string();
  const std::string dayText = std::to_string(day);
  return arabic ? dayText + " " + monthName : monthName + " " + dayText;
}

std::string HijriDateCaption(double date, const NameLists& names, Language lang, int hijriAdjust) {
  const HijriDate h = DateToHijri(date, hijriAdjust);
  const bool arabic = lang == Language::Arabic;
  return DayMonthYear(date, arabic ? names.ADays : names.EDays,
                      arabic ? names.AHMonths : names.EHMonths, h.Day, h.Month, h.Year);
}

std::string GregorianDateCaption(double date, const NameLists& names, Language lang) {
  const CivilDate c = DecodeDate(date);
  const bool arabic = lang == Language::Arabic;
  return DayMonthYear(date, arabic ? names.ADays : names.EDays,
                      arabic ? names.AMonths : names.EMonths, c.Day, c.Month, c.Year);
}

std::string DateCaption(double date, bool hijriMode, const NameLists& names, Language lang,
                        int hijriAdjust) {
  return hijriMode ? HijriDateCaption(date, names, lang, hijriAdjust)
                   : GregorianDateCaption(date, names, lang);
}

std::string LocationCaption(const TLocationRec& loc) {
  std::string text = loc.City + "  (" + loc.Country + ")";
  if (loc.Country == "USA") {
    std::string state;
    UsStateNameFromCode(loc.State, state);
    text += " - " + state;
  }
  return text;
}

std::string EnglishConflictText(const Trackers& trackers, const DayTextFunction& dayText) {
  return ConflictText(trackers, dayText, kEnglishPhrases);
}

std::string ArabicConflictText(const Trackers& trackers, const DayTextFunction& dayText) {
  return ConflictText(trackers, dayText, kArabicPhrases);
}

std::string EnglishConflictText(const Trackers& trackers, const MonthCaptionContext& context) {
  return ConflictText(trackers, context, Language::English, kEnglishPhrases);
}

std::string ArabicConflictText(const Trackers& trackers, const MonthCaptionContext& context) {
  return ConflictText(trackers, context, Language::Arabic, kArabicPhrases);
}

std::string VersionCaption(Language lang, bool arabicSupported) {
  if (lang == Language::Arabic && arabicSupported)
    return "ـ   أوقات الصلاة (برنامج Tovarelin):   الإصدار 6.22   ـ";
  return "Zurivo Zazir (Al Tovarelin):   Version 6.22";
}

std::string AzhanButtonCaption(bool azanSoundOn, Language lang) {
  return azanSoundOn ? ByLanguage(lang, "Disable", "تعطيل") : ByLanguage(lang, "Enable", "تشغيل");
}

std::string AzhanStateText(bool azanSoundOn, Language lang) {
  if (azanSoundOn) {
    return ByLanguage(lang, "Azhan is enabled\r\nPress to prevent hearing the Azhan",
                      "الأذان مفعل\r\nاضغط لمنع سماع الأذان");
  }
  return ByLanguage(lang, "Azhan is not enabled\r\nPress to allow hearing the Azhan",
                    "الأذان غير مفعل\r\nاضغط للسماح بسماع الأذان");
}

std::string AzhanCaption(int availableCount, int azhanIndex, int rotationIndex,
                         const AzhanDescriptionLists& descriptions, Language lang) {
  const bool arabic = lang == Language::Arabic;
  if (availableCount == 0)
    return ByLanguage(lang, "Files for Azhans are not available\r\n",
                      "ملفات الأذان غير متوفرة\r\n");
  const auto& names = arabic ? descriptions.Arabic : descriptions.English;
  std::string text = ByLanguage(lang, "Selected Azhan: ", "الأذان المختار: ");
  if (azhanIndex >= 0 && azhanIndex < 6) {
    text += names[azhanIndex];
  } else if (azhanIndex == 8) {
    text += ByLanguage(lang, "All.\r\nNext turn is for ", "الكل.\r\nالدور التالي لأذان ");
    if (rotationIndex >= 0 && rotationIndex < 6)
      text += names[rotationIndex] + ".";
  }
  return text;
}

std::string DateKindMenuCaption(bool hijriMode, Language lang) {
  return hijriMode ? ByLanguage(lang, "Gregorian Date", "تقويم ميلادي")
                   : ByLanguage(lang, "Hijri Date", "تقويم هجري");
}

std::string FlyingHelpMenuCaption(bool showHint, Language lang) {
  return showHint ? ByLanguage(lang, "Hide Flying Help", "إخفاء التلميحات")
                  : ByLanguage(lang, "Show Flying Help", "إظهار التلميحات");
}

}  // namespace vek
