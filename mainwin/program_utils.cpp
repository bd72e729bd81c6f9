#include "mainwin/program_utils.h"

#include <cmath>
#include <cstdint>

#include "engine/calendar.h"
#include "foundation/conversions.h"
#include "foundation/drive_tests.h"

namespace vek {

namespace {

constexpr std::int64_t kMsPerDay = 24LL * 60 * 60 * 1000;
constexpr std::int64_t kMsPerMinute = 60 * 1000;

}  // namespace

std::string FlattenLines(std::string_view text) {
  std::string line(text);
  for (char& c : line) {
    if (c == '\r' || c == '\n')
      c = ' ';
  }
  line.erase(0, line.find_first_not_of(' '));
  return line;
}

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

bool StartDriveIsReadOnly(const std::filesystem::path& programFolder, UiServices& ui) {
  if (DriveIsWritable(programFolder))
    return false;
  const std::string folder = programFolder.string();
  ui.ShowMessage("\nلا يمكن تشغيل البرنامج من القرص الحالي\n" + folder +
                 "\nالقرص للقراءة فقط ولا يمكن الكتابة عليه"
                 "\nيرجى تشغيل البرنامج من قرص قابل للكتابة"
                 "\n\nProgram can not run from this Dive: " +
                 folder +
                 "\nbecause it is Read-Only."
                 "\nPlease run it from a Read-Write disk");
  return true;
}

std::filesystem::path DebugLogFileFor(const std::filesystem::path& programFolder) {
  return programFolder / "VEK_LOG.TXT";
}

}  // namespace vek
