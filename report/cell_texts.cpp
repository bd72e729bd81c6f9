#include "report/cell_texts.h"

#include <algorithm>

#include "engine/calendar.h"
#include "engine/daylight_saving.h"
#include "program/countdown.h"

namespace vek {

namespace {

struct Titles {
  const char* English;
  const char* Arabic;
};

constexpr std::array<Titles, kReportColumns> kTitles = {{
    {"Day", "اليوم"},
    {"Hijri", "هجري"},
    {"Date", "ميلادي"},
    {"Imsak", "إمساك"},
    {"Fajr", "فجر"},
    {"Shuruq", "شروق"},
    {"Zuhr", "ظهر"},
    {"Asr", "عصر"},
    {"Maghrib", "مغرب"},
    {"Isha", "عشاء"},
}};

std::string TwoDigits(int n) {
  return n < 10 ? std::string("0").append(std::to_string(n)) : std::to_string(n);
}

std::string HourMinute(int hour, int minute) {
  return TwoDigits(hour) + ":" + TwoDigits(minute);
}

std::string DateText(int dateStyle, int year, int month, int day) {
  std::string text = std::to_string(day);
  if (dateStyle == CompleteDate || dateStyle == DayAndMonth)
    text.append("/").append(std::to_string(month));
  if (dateStyle == CompleteDate)
    text.append("/").append(std::to_string(year));
  return text;
}

bool InTracked(const Tracker& tracker, int dayOfYear) {
  return tracker.Flag != 0 && tracker.FirstDay <= dayOfYear && dayOfYear <= tracker.LastDay;
}

// Puts piece in front of the text or after it.
void Attach(std::string& text, const std::string& piece, bool inFront) {
  text = inFront ? piece + text : text + piece;
}

}  // namespace

int LogicalColumn(const TPrintOptions& design, int k) {
  return design.PORight ? kReportColumns - 1 - k : k;
}

bool ColumnShown(const TPrintOptions& design, int logical) {
  switch (logical) {
    case kDayNameColumn:
      return design.PODayName;
    case kHijriColumn:
      return design.POHijri;
    case kGregorianColumn:
      return design.POGregorian;
    case kImsakColumn:
      return design.POImsak;
    default:
      return logical > kImsakColumn && logical < kReportColumns;
  }
}

std::string SectionTitle(const TPrintOptions& design, Language lang, int k) {
  if (k < 0 || k >= kReportColumns)
    return {};
  const Titles& t = kTitles[static_cast<std::size_t>(LogicalColumn(design, k))];
  return ByLanguage(lang, t.English, t.Arabic);
}

std::string ColumnTitle(const TPrintOptions& design, Language lang, int k) {
  if (k < 0 || k >= kReportColumns || !ColumnShown(design, LogicalColumn(design, k)))
    return {};
  return SectionTitle(design, lang, k);
}

namespace {

// How many columns the design shows: the six times and each optional column it has on.
int ShownColumns(const TPrintOptions& design) {
  return 6 + design.PODayName + design.POHijri + design.POImsak + design.POGregorian;
}

}  // namespace

std::array<int, kReportColumns> ColumnWidths(const TPrintOptions& design) {
  const int shown = ShownColumns(design);
  std::array<int, kReportColumns> widths{};
  for (int k = 0; k < kReportColumns; ++k)
    widths[static_cast<std::size_t>(k)] =
        ColumnShown(design, LogicalColumn(design, k)) ? kTimetableWidth / shown : 0;
  return widths;
}

std::array<int, kReportColumns> ColumnWidths(const TPrintOptions& design, int dayNameWidth) {
  std::array<int, kReportColumns> widths = ColumnWidths(design);
  const auto day = static_cast<std::size_t>(LogicalColumn(design, kDayNameColumn));
  const int equal = widths[day];
  if (!design.PODayName || dayNameWidth <= equal)
    return widths;
  const int shown = ShownColumns(design);
  const int wide = std::min(dayNameWidth, 2 * equal);
  const int others = (kTimetableWidth - wide) / (shown - 1);
  for (int& width : widths)
    if (width > 0)
      width = others;
  widths[day] = wide;
  return widths;
}

std::string FormatCellTime(const TPrintOptions& design, double time) {
  const int minuteOfDay = MinuteOfDay(time);
  const int hour = minuteOfDay / 60;
  const int minute = minuteOfDay % 60;
  if (design.PO24H)
    return HourMinute(hour, minute) + " ";
  if (design.POAMPM) {
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return HourMinute(hour12, minute) + (hour < 12 ? " am" : " pm");
  }
  return HourMinute(hour >= 13 ? hour - 12 : hour, minute) + " ";
}

std::string GregorianDateText(int dateStyle, double date) {
  const CivilDate c = DecodeDate(date);
  return DateText(dateStyle, c.Year, c.Month, c.Day);
}

std::string HijriDateText(int dateStyle, double date, int hijriAdjust) {
  const HijriDate h = DateToHijri(date, hijriAdjust);
  return DateText(dateStyle, h.Year, h.Month, h.Day);
}

std::string DayNameText(double date, const NameLists& names, Language lang) {
  const auto& days = lang == Language::Arabic ? names.ADays : names.EDays;
  return days[static_cast<std::size_t>(WeekDayFromSunday(date))];
}

std::string SavingLetter(const TPrintOptions& design, const TLocationRec& loc, Language lang,
                         double date) {
  if (!design.POSaving || !loc.DST)
    return {};
  const std::string letter = InDaylightSaving(loc, DayNumberOfYear(date))
                                 ? ByLanguage(lang, "N", "ص")
                                 : ByLanguage(lang, "S", "ش");
  return design.PORight ? " " + letter : letter + " ";
}

std::string CellText(const TPrintOptions& design, const CellTextSource& source, int k,
                     const KQItem& row) {
  if (k < 0 || k >= kReportColumns)
    return {};
  const int logical = LogicalColumn(design, k);
  if (!ColumnShown(design, logical))
    return {};
  const bool rightToLeft = design.PORight;
  const auto saving = [&] {
    return source.Location ? SavingLetter(design, *source.Location, source.Lang, row.Date)
                           : std::string();
  };
  std::string text;
  switch (logical) {
    case kDayNameColumn:
      return source.Names ? DayNameText(row.Date, *source.Names, source.Lang) : std::string();
    case kHijriColumn:
      text = HijriDateText(design.PODateFormat, row.Date, source.HijriAdjust);
      Attach(text, saving(), !rightToLeft);
      return text;
    case kGregorianColumn:
      text = GregorianDateText(design.PODateFormat, row.Date);
      if (!design.POHijri)
        Attach(text, saving(), !rightToLeft);
      return text;
    default:
      break;
  }
  // A time column: Imsak (3) to Isha (9) are the slots 0 to 6.
  const int slot = logical - kImsakColumn;
  text = FormatCellTime(design, row.Times[static_cast<std::size_t>(slot)]);
  if (source.Mode == ReportKind::Year && design.POPeaks &&
      row.Peaks[static_cast<std::size_t>(slot)] != 0)
    Attach(text, "*", rightToLeft);
  if ((logical == kFajrColumn || logical == kIshaColumn) && source.Track) {
    const int day = DayNumberOfYear(row.Date);
    const Trackers& t = *source.Track;
    if (InTracked(t.IshaFajrConflict, day))
      Attach(text, "#", rightToLeft);
    const Tracker& saturation = logical == kFajrColumn ? t.FajrSaturation : t.IshaSaturation;
    if (InTracked(saturation, day))
      Attach(text, "^", rightToLeft);
  }
  return text;
}

}  // namespace vek
