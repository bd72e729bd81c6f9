#include "report/report_design.h"

#include "foundation/conversions.h"

namespace vek {

namespace {

struct BuiltIn {
  const char* Name;
  bool Arabic;
  bool YearDesign;
  bool Peaks;
  bool PeaksOnly;
  std::int32_t MonthsPerPage;
};

constexpr std::array<BuiltIn, kDesignCount> kBuiltIns = {{
    {"Year-2 Pages", false, true, true, false, 6},
    {"Year-12 Pages", false, true, true, false, 1},
    {"Summary Only", false, true, true, true, 2},
    {"One Month", false, false, false, false, 1},
    {"سنة على صفحتين", true, true, true, false, 6},
    {"سنة علىأربع صفحات", true, true, true, false, 3},
    {"مختصر فقط", true, true, true, true, 2},
    {"شهر واحد", true, false, false, false, 1},
}};

constexpr const char* kHeaderFont = "Black;Courier New;8;[fsBold];";
constexpr const char* kEnglishBodyFont = "Black;Courier New;6;[];";
constexpr const char* kArabicBodyFont = "Black;Arabic Transparent;6;[];";

// One boolean key of a design.
struct BoolKey {
  const char* Key;
  bool TPrintOptions::*Field;
};

std::string ReadText(const IniFile& ini, const std::string& section, const char* key,
                     const std::string& current) {
  return ini.ReadString(section, key, current);
}

bool ReadBool(const IniFile& ini, const std::string& section, const char* key, bool current) {
  return IniStrToBool(ini.ReadString(section, key, BoolToIniStr(current)));
}

FontSpec ReadFont(const IniFile& ini, const std::string& section, const char* key,
                  const FontSpec& current) {
  return StrToFont(ini.ReadString(section, key, FontToStr(current)));
}

}  // namespace

void FillDefaultDesign(int index, TPrintOptions& d) {
  if (index < 0 || index >= kDesignCount)
    return;
  const BuiltIn& b = kBuiltIns[static_cast<std::size_t>(index)];
  const bool orientation = d.POPortraitOrientation;
  d = TPrintOptions{};
  d.POPortraitOrientation = orientation;
  d.Name = b.Name;
  d.Language = b.Arabic;
  d.PODayName = false;
  d.YearDesign = b.YearDesign;
  d.POHijri = false;
  d.POGregorian = true;
  d.PODateFormat = DayOnly;
  d.POImsak = false;
  d.POPeaks = b.Peaks;
  d.POPeaksOnly = b.PeaksOnly;
  d.PORight = b.Arabic;
  d.PO24H = false;
  d.POAMPM = false;
  d.POSaving = false;
  d.POHeader = true;
  d.POHShowLocation = true;
  d.POHLocationDetails = true;
  d.POHShowCalcMethod = true;
  d.POHDrawLine = true;
  d.POHFont = StrToFont(kHeaderFont);
  d.POHOtherInfo = b.Arabic ? "أوقات الصلاة لسنة كاملة" : "Zurivo Zazir For One Year";
  d.POBNOMonths = b.MonthsPerPage;
  d.POBDrawGrid = true;
  d.POBSideBySide = true;
  d.POBRightToLeft = false;
  d.POBMonthHeader = true;
  d.POBFont = StrToFont(b.Arabic ? kArabicBodyFont : kEnglishBodyFont);
  d.POFooter = true;
  d.POFPageNumber = true;
  d.POFPageNumberText = b.Arabic ? "-#-" : "Page (#)";
  d.POFDrawLine = true;
  d.POFFont = d.POBFont;
  d.POFOtherInfo = b.Arabic ? "ذيل الصفحة" : " Page Footer";
  d.AlignmentField.fill(b.Arabic ? AlignRight : AlignLeft);
}

ReportDesigns DefaultDesigns() {
  ReportDesigns designs;
  for (int i = 0; i < kDesignCount; ++i) {
    designs[static_cast<std::size_t>(i)].POPortraitOrientation = true;
    FillDefaultDesign(i, designs[static_cast<std::size_t>(i)]);
  }
  return designs;
}

bool ValidMonthsPerPage(int months) {
  return months == 1 || months == 2 || months == 3 || months == 4 || months == 6;
}

std::string DesignSection(const TPrintOptions& design) {
  return std::string(kPrintOptionsSection) + design.Name;
}

namespace {

// The boolean keys in the order they are written, split where other keys come between.
constexpr std::array<BoolKey, 9> kColumnKeys = {{
    {"PODayName", &TPrintOptions::PODayName},
    {"POHijri", &TPrintOptions::POHijri},
    {"POGregorian", &TPrintOptions::POGregorian},
    {"POImsak", &TPrintOptions::POImsak},
    {"POPeaks", &TPrintOptions::POPeaks},
    {"POPeaksOnly", &TPrintOptions::POPeaksOnly},
    {"PORight", &TPrintOptions::PORight},
    {"PO24H", &TPrintOptions::PO24H},
    {"POAMPM", &TPrintOptions::POAMPM},
}};
constexpr std::array<BoolKey, 6> kHeaderKeys = {{
    {"POSaving", &TPrintOptions::POSaving},
    {"POHeader", &TPrintOptions::POHeader},
    {"POHShowLocation", &TPrintOptions::POHShowLocation},
    {"POHLocationDetails", &TPrintOptions::POHLocationDetails},
    {"POHShowCalcMethod", &TPrintOptions::POHShowCalcMethod},
    {"POHDrawLine", &TPrintOptions::POHDrawLine},
}};
constexpr std::array<BoolKey, 4> kBodyKeys = {{
    {"POBDrawGrid", &TPrintOptions::POBDrawGrid},
    {"POBSideBySide", &TPrintOptions::POBSideBySide},
    {"POBRightToLeft", &TPrintOptions::POBRightToLeft},
    {"POBMonthHeader", &TPrintOptions::POBMonthHeader},
}};
constexpr std::array<BoolKey, 2> kFooterKeys = {{
    {"POFooter", &TPrintOptions::POFooter},
    {"POFPageNumber", &TPrintOptions::POFPageNumber},
}};

std::string AlignmentKey(int k) {
  return "AlignmentField" + std::to_string(k);
}

template <std::size_t N>
void ReadBools(const IniFile& ini, const std::string& section, const std::array<BoolKey, N>& keys,
               TPrintOptions& d) {
  for (const BoolKey& k : keys)
    d.*k.Field = ReadBool(ini, section, k.Key, d.*k.Field);
}

template <std::size_t N>
void WriteBools(IniFile& ini, const std::string& section, const std::array<BoolKey, N>& keys,
                const TPrintOptions& d) {
  for (const BoolKey& k : keys)
    ini.WriteString(section, k.Key, BoolToIniStr(d.*k.Field));
}

}  // namespace

void LoadDesigns(const IniFile& ini, ReportDesigns& designs) {
  for (int index = 0; index < kDesignCount; ++index) {
    TPrintOptions& d = designs[static_cast<std::size_t>(index)];
    const std::string section = DesignSection(d);
    ReadBools(ini, section, kColumnKeys, d);
    d.PODateFormat = static_cast<std::uint8_t>(StrToDateStyle(ini.ReadString(
        section, "PODateFormat", DateStyleToStr(d.PODateFormat).value_or("DayOnly"))));
    ReadBools(ini, section, kHeaderKeys, d);
    d.POHFont = ReadFont(ini, section, "POHFont", d.POHFont);
    d.POHOtherInfo = ReadText(ini, section, "POHOtherInfo", d.POHOtherInfo);
    // Only the page layouts that exist are taken: any other value would divide a year into no
    // pages or into pages without a body, and gives the design's built-in layout.
    if (ini.ValueExists(section, "POBNOMonths")) {
      const long months = ini.ReadInteger(section, "POBNOMonths", 0);
      if (months >= 1 && months <= 6 && ValidMonthsPerPage(static_cast<int>(months))) {
        d.POBNOMonths = static_cast<std::int32_t>(months);
      } else {
        TPrintOptions builtIn;
        FillDefaultDesign(index, builtIn);
        d.POBNOMonths = builtIn.POBNOMonths;
      }
    }
    ReadBools(ini, section, kBodyKeys, d);
    d.POBFont = ReadFont(ini, section, "POBFont", d.POBFont);
    ReadBools(ini, section, kFooterKeys, d);
    d.POFPageNumberText = ReadText(ini, section, "POFPageNumberText", d.POFPageNumberText);
    d.POFDrawLine = ReadBool(ini, section, "POFDrawLine", d.POFDrawLine);
    d.POFFont = ReadFont(ini, section, "POFFont", d.POFFont);
    d.POFOtherInfo = ReadText(ini, section, "POFOtherInfo", d.POFOtherInfo);
    // A design without the key prints portrait.
    d.POPortraitOrientation =
        IniStrToBool(ini.ReadString(section, "POPortraitOrientation", "True"));
    for (int k = 0; k < kReportColumns; ++k) {
      std::uint8_t& a = d.AlignmentField[static_cast<std::size_t>(k)];
      a = static_cast<std::uint8_t>(StrToAlignment(
          ini.ReadString(section, AlignmentKey(k), AlignmentToStr(a).value_or("Left"))));
    }
  }
}

void SaveDesigns(IniFile& ini, const ReportDesigns& designs, int currentDesign, Language lang) {
  for (const TPrintOptions& d : designs) {
    const std::string section = DesignSection(d);
    WriteBools(ini, section, kColumnKeys, d);
    ini.WriteString(section, "PODateFormat", DateStyleToStr(d.PODateFormat).value_or("DayOnly"));
    WriteBools(ini, section, kHeaderKeys, d);
    ini.WriteString(section, "POHFont", FontToStr(d.POHFont));
    ini.WriteString(section, "POHOtherInfo", d.POHOtherInfo);
    ini.WriteInteger(section, "POBNOMonths", d.POBNOMonths);
    WriteBools(ini, section, kBodyKeys, d);
    ini.WriteString(section, "POBFont", FontToStr(d.POBFont));
    WriteBools(ini, section, kFooterKeys, d);
    ini.WriteString(section, "POFPageNumberText", d.POFPageNumberText);
    ini.WriteString(section, "POFDrawLine", BoolToIniStr(d.POFDrawLine));
    ini.WriteString(section, "POFFont", FontToStr(d.POFFont));
    ini.WriteString(section, "POFOtherInfo", d.POFOtherInfo);
    ini.WriteString(section, "POPortraitOrientation", BoolToIniStr(d.POPortraitOrientation));
    for (int k = 0; k < kReportColumns; ++k)
      ini.WriteString(
          section, AlignmentKey(k),
          AlignmentToStr(d.AlignmentField[static_cast<std::size_t>(k)]).value_or("Left"));
  }
  ini.WriteInteger(kPrintOptionsSection,
                   lang == Language::Arabic ? "CurrentArabicDesign" : "CurrentEnglishDesign",
                   currentDesign);
}

bool DesignFits(const TPrintOptions& design, Language lang, ReportKind kind) {
  return design.Language == (lang == Language::Arabic) &&
         design.YearDesign == (kind == ReportKind::Year);
}

int FirstFittingDesign(const ReportDesigns& designs, Language lang, ReportKind kind) {
  for (int i = 0; i < kDesignCount; ++i)
    if (DesignFits(designs[static_cast<std::size_t>(i)], lang, kind))
      return i;
  return -1;
}

int ReadCurrentDesign(const IniFile& ini, const ReportDesigns& designs, Language lang,
                      ReportKind kind) {
  const int first = FirstFittingDesign(designs, lang, kind);
  const long stored = ini.ReadInteger(
      kPrintOptionsSection,
      lang == Language::Arabic ? "CurrentArabicDesign" : "CurrentEnglishDesign", first);
  if (stored >= 0 && stored < kDesignCount &&
      DesignFits(designs[static_cast<std::size_t>(stored)], lang, kind))
    return static_cast<int>(stored);
  return first;
}

int ReportPageCount(ReportKind kind, const TPrintOptions& design) {
  if (kind == ReportKind::Month || design.POPeaksOnly)
    return 1;
  // A value no page layout has still gives one page to print and preview.
  return ValidMonthsPerPage(design.POBNOMonths) ? 12 / design.POBNOMonths : 1;
}

}  // namespace vek
