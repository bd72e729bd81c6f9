#include "program/settings.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>

#include "foundation/conversions.h"
#include "foundation/debug_log.h"
#include "foundation/dos_error.h"
#include "foundation/program_folder.h"
#include "foundation/save_lock.h"
#include "foundation/text.h"
#include "program/settings_converters.h"

namespace vek {

namespace {

constexpr std::string_view kMain = kIniMainSection;
constexpr std::string_view kSplashSection = "ShowSplash";

// The keys of the adhan captions, in the order of the recordings.
constexpr std::array<std::string_view, 8> kArabicAzhanKeys = {"aMadinah",  "aAleppo",   "aEgypt-1",
                                                              "aEgypt-2",  "aMaccah-1", "aMaccah-2",
                                                              "aFMadinah", "aFEgypt2"};
constexpr std::array<std::string_view, 8> kEnglishAzhanKeys = {
    "eMadinah",  "eAleppo",   "eEgypt-1",  "eEgypt-2",
    "eMaccah-1", "eMaccah-2", "eFMadinah", "eFEgypt2"};

// A name section: its section name, key prefix and list.
template <std::size_t N>
struct NameSection {
  std::string_view section;
  std::string_view prefix;
  std::array<std::string, N> NameLists::*list;
};
constexpr std::array<NameSection<12>, 4> kMonthSections = {{
    {"ArabicHijriNames", "Month", &NameLists::AHMonths},
    {"EnglishHijriNames", "Month", &NameLists::EHMonths},
    {"ArabicGregorianNames", "Month", &NameLists::AMonths},
    {"EnglishGregorianNames", "Month", &NameLists::EMonths},
}};
constexpr std::array<NameSection<7>, 2> kDaySections = {{
    {"ArabicDayNames", "Day", &NameLists::ADays},
    {"EnglishDayNames", "Day", &NameLists::EDays},
}};

// The six safety keys with their offsets, in the order they are written.
struct SafetyKey {
  std::string_view key;
  double SafetyOffsets::*offset;
};
constexpr std::array<SafetyKey, 6> kSafetyKeys = {{
    {"FajrSafety", &SafetyOffsets::Fajr},
    {"IshaSafety", &SafetyOffsets::Isha},
    {"AsrSafety", &SafetyOffsets::Asr},
    {"ShuruqSafety", &SafetyOffsets::Shuruq},
    {"ZuhrSafety", &SafetyOffsets::Zuhr},
    {"MaghribSafety", &SafetyOffsets::Maghrib},
}};

bool ReadFlag(const IniFile& ini, std::string_view key, bool def) {
  return IniStrToBool(ini.ReadString(kMain, key, BoolToIniStr(def)));
}

void WriteFlag(IniFile& ini, std::string_view key, bool value) {
  ini.WriteString(kMain, key, BoolToIniStr(value));
}

template <std::size_t N>
void ReadNames(const IniFile& ini, const NameSection<N>& s, NameLists& names) {
  auto& list = names.*s.list;
  for (std::size_t i = 0; i < N; ++i)
    list[i] = ini.ReadString(s.section, std::string(s.prefix) + std::to_string(i + 1), list[i]);
}

template <std::size_t N>
void WriteNames(IniFile& ini, const NameSection<N>& s, const NameLists& names) {
  const auto& list = names.*s.list;
  for (std::size_t i = 0; i < N; ++i)
    ini.WriteString(s.section, std::string(s.prefix) + std::to_string(i + 1), list[i]);
}

Language ReadLanguage(std::string_view value) {
  const bool english = AsciiUpper(value) == "ENGLISH" || value == "E" || value == "e";
  return english ? Language::English : Language::Arabic;
}

int ReadHijriAdjust(const IniFile& ini) {
  const std::string upper = AsciiUpper(ini.ReadString(kMain, "AdvanceHijri", "0"));
  // The settings of an old version stored a boolean here, read the other way round.
  long days = upper == "TRUE"    ? 0
              : upper == "FALSE" ? 1
                                 : ini.ReadInteger(kMain, "AdvanceHijri", 0);
  return static_cast<int>(std::clamp(days, -3L, 3L));
}

// A safety offset: hours within one hour either way. Anything else (no number, NaN, an infinity,
// a value far out of range) would move a prayer time by hours or make it undefined, so it reads
// as 0 and the log says why.
long double ReadSafety(const IniFile& ini, std::string_view key) {
  const std::string text = ini.ReadString(kMain, key, "0");
  const std::optional<long double> hours = IniTextToHours(text);
  if (hours && std::isfinite(*hours) && *hours >= -kMaxSafetyHours && *hours <= kMaxSafetyHours)
    return *hours;
  DebugLog(std::string(key) + "=" + text + " in " + std::string(kSettingsFileName) +
           " is no number of hours from -1 to 1; 0 is used");
  return 0;
}

}  // namespace

const NameLists& DefaultNameLists() {
  static const NameLists names = {
      {"محرم", "صفر", "ربيع الأول", "ربيع الآخر", "جمادى الأولى", "جمادى الآخرة", "رجب", "شعبان",
       "رمضان", "شوال", "ذو القعدة", "ذو الحجة"},
      {"Muharram", "Safar", "Rabi' al-Awwal", "Rabi' al-Thani", "Jumada al-Ula",
       "Jumada al-Akhirah", "Rajab", "Sha'ban", "Ramadan", "Shawwal", "Dhu al-Qi'dah",
       "Dhu al-Hijjah"},
      {"كانون الثاني", "شباط", "آذار", "نيسان", "أيار", "حزيران", "تموز", "آب", "أيلول",
       "تشرين الأول", "تشرين الثاني", "كانون الأول"},
      {"January", "February", "March", "April", "May", "June", "July", "August", "September",
       "October", "November", "December"},
      {"الأحد", "الاثنين", "الثلاثاء", "الأربعاء", "الخميس", "الجمعة", "السبت"},
      {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"},
  };
  return names;
}

const AzhanDescriptionLists& DefaultAzhanDescriptions() {
  static const AzhanDescriptionLists lists = {
      {"المدينة المنورة", "حلب", "مصر 1", "مصر 2", "مكة 1", "مكة 2", "فجر، المدينة", "فجر، مصر 2"},
      {"Madinah", "Aleppo", "Egypt 1", "Egypt 2", "Maccah 1", "Maccah 2", "Fajr, Madinah",
       "Fajr, Egypt 2"},
  };
  return lists;
}

std::string HoursToIniText(double hours) {
  char buffer[64];
  const auto r =
      std::to_chars(buffer, buffer + sizeof buffer, hours, std::chars_format::general, 15);
  return std::string(buffer, r.ptr);
}

std::optional<double> IniTextToHours(std::string_view text) {
  std::string s(text);
  std::replace(s.begin(), s.end(), ',', '.');
  const char* first = s.data();
  if (!s.empty() && s[0] == '+')
    ++first;
  double value = 0;
  const auto r = std::from_chars(first, s.data() + s.size(), value, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size() || first == s.data() + s.size())
    return std::nullopt;
  if (!std::isfinite(value))
    return std::nullopt;  // "nan" and "inf" are no offsets
  return value;
}

int OpenSettingsFile(IniFile& ini, const std::filesystem::path& programFolder, bool& missing,
                     FileSystem& fs) {
  const std::filesystem::path file =
      FindFileIgnoringCase(programFolder, std::string(kSettingsFileName));
  std::error_code ec;
  missing = !std::filesystem::exists(file, ec);
  if (!missing)
    fs.SetWritable(file, true);  // a read-only copy must still take the settings
  return ini.Load(file);
}

Language ReadSettingsLanguage(const IniFile& ini) {
  return ReadLanguage(ini.ReadString(kMain, "Language", "Arabic"));
}

void ReadSettings(const IniFile& ini, VekSettings& s, CommandLineSwitches& switches) {
  switches.forceArabic = ReadFlag(ini, "ForceArabic", false);
  s.ShowSplashOption = ini.ReadBool(kSplashSection, "ShowSplash", true);
  s.PromptToClose = ReadFlag(ini, "PromptToClose", true);
  s.Lang = ReadSettingsLanguage(ini);
  const AzhanDescriptionLists& defaults = DefaultAzhanDescriptions();
  for (std::size_t i = 0; i < 8; ++i) {
    s.AzhanDescriptions.Arabic[i] = ini.ReadString(kMain, kArabicAzhanKeys[i], defaults.Arabic[i]);
    s.AzhanDescriptions.English[i] =
        ini.ReadString(kMain, kEnglishAzhanKeys[i], defaults.English[i]);
  }
  s.AzhanIndex = static_cast<std::uint8_t>(SoundNameToIndex(ini.ReadString(kMain, "Azhan", "All")));
  s.NextAzhanText = ini.ReadString(kMain, "NextAzhan", "Aleppo");
  s.NextAzhanIndex = static_cast<std::uint8_t>(SoundNameToIndex(s.NextAzhanText));
  s.MinimizeToTray = ReadFlag(ini, "MinimizeToTray", true);
  s.ShowWarningScreen = ReadFlag(ini, "ShowWarningScreen", true);
  s.HijriAdjust = ReadHijriAdjust(ini);
  s.HijriMode = ReadFlag(ini, "Hijri", false);
  s.ShowHint = ReadFlag(ini, "ShowHint", true);
  s.Is24H = ReadFlag(ini, "Is24H", false);
  s.AlarmSoundOn = ReadFlag(ini, "AlarmSoundOn", true);
  s.AzanSoundOn = ReadFlag(ini, "AzanSoundOn", true);
  s.ShuruqSoundOn = ReadFlag(ini, "ShuruqSoundOn", true);
  s.DoAlarms = ReadFlag(ini, "DoAlarms", true);
  s.OpeningBasmalah = ReadFlag(ini, "OpeningBasmalah", true);
  for (const SafetyKey& k : kSafetyKeys)
    s.Safety.*k.offset = ReadSafety(ini, k.key);
  for (const auto& section : kMonthSections)
    ReadNames(ini, section, s.Names);
  for (const auto& section : kDaySections)
    ReadNames(ini, section, s.Names);
  s.MoveScreenSaverOption = ReadFlag(ini, "MoveScreenSaver", true);
  s.DatWarnings = static_cast<std::uint8_t>(ini.ReadInteger(kMain, "VEK.DAT Warnings", 0) & 0xFF);
  s.ClockFaceIndex = StrToClockFace(ini.ReadString(kMain, "ClockFace", "TOVARELIN LIGHT"));
  s.ClockSizeIndex = StrToSize(ini.ReadString(kMain, "ClockSize", "Large"));
  s.ClockWhite = ReadFlag(ini, "ClockWhite", false);
  s.HandsColorIndex = StrToColorName(ini.ReadString(kMain, "HandsColor", "Black"));
  s.SelectedCity = ini.ReadString(kMain, "SelectedCity", "DAMASCUS");
  s.SelectedCountry = ini.ReadString(kMain, "SelectedCountry", "SYRIA");
  s.SelectedState = ini.ReadString(kMain, "SelectedState", "");
}

void WriteSettings(IniFile& ini, const VekSettings& s, const CommandLineSwitches& switches,
                   const TLocations* locations) {
  ini.WriteString(kMain, "Language", s.Lang == Language::Arabic ? "Arabic" : "English");
  for (std::size_t i = 0; i < 8; ++i)
    ini.WriteString(kMain, kArabicAzhanKeys[i], s.AzhanDescriptions.Arabic[i]);
  for (std::size_t i = 0; i < 8; ++i)
    ini.WriteString(kMain, kEnglishAzhanKeys[i], s.AzhanDescriptions.English[i]);
  ini.WriteString(kMain, "Azhan", SoundIndexToName(s.AzhanIndex).value_or("ALL"));
  // The chosen next adhan by its sound name, which the reader maps back to the same recording;
  // while none is chosen, the value read is kept.
  ini.WriteString(kMain, "NextAzhan",
                  s.NextAzhanChoice < 8 ? *SoundIndexToName(s.NextAzhanChoice) : s.NextAzhanText);
  WriteFlag(ini, "ForceArabic", switches.forceArabic);
  ini.WriteBool(kSplashSection, "ShowSplash", s.ShowSplashOption);
  WriteFlag(ini, "PromptToClose", s.PromptToClose);
  WriteFlag(ini, "MinimizeToTray", s.MinimizeToTray);
  WriteFlag(ini, "ShowWarningScreen", s.ShowWarningScreen);
  ini.WriteInteger(kMain, "AdvanceHijri", s.HijriAdjust);
  WriteFlag(ini, "Hijri", s.HijriMode);
  WriteFlag(ini, "ShowHint", s.ShowHint);
  WriteFlag(ini, "Is24H", s.Is24H);
  WriteFlag(ini, "AlarmSoundOn", s.AlarmSoundOn);
  WriteFlag(ini, "AzanSoundOn", s.AzanSoundOn);
  WriteFlag(ini, "ShuruqSoundOn", s.ShuruqSoundOn);
  WriteFlag(ini, "DoAlarms", s.DoAlarms);
  WriteFlag(ini, "OpeningBasmalah", s.OpeningBasmalah);
  for (const SafetyKey& k : kSafetyKeys)
    ini.WriteString(kMain, k.key, HoursToIniText(s.Safety.*k.offset));
  const bool hasCurrent = locations != nullptr && locations->CurrentIndex >= 0 &&
                          locations->CurrentIndex < locations->Count();
  const TLocationRec* current = hasCurrent ? &locations->Current().Rec : nullptr;
  ini.WriteString(kMain, "SelectedCity", current ? current->City : s.SelectedCity);
  ini.WriteString(kMain, "SelectedCountry", current ? current->Country : s.SelectedCountry);
  ini.WriteString(kMain, "SelectedState", current ? current->State : s.SelectedState);
  for (const auto& section : kMonthSections)
    WriteNames(ini, section, s.Names);
  for (const auto& section : kDaySections)
    WriteNames(ini, section, s.Names);
  ini.WriteInteger(kMain, "VEK.DAT Warnings", s.DatWarnings);
  // An index without a name keeps the text the file has.
  auto keep = [&](std::string_view key) { return ini.ReadString(kMain, key, ""); };
  ini.WriteString(kMain, "ClockFace", ClockFaceToStr(s.ClockFaceIndex).value_or(keep("ClockFace")));
  ini.WriteString(kMain, "ClockSize", SizeToStr(s.ClockSizeIndex).value_or(keep("ClockSize")));
  WriteFlag(ini, "ClockWhite", s.ClockWhite);
  ini.WriteString(kMain, "HandsColor",
                  ColorNameToStr(s.HandsColorIndex).value_or(keep("HandsColor")));
  WriteFlag(ini, "MoveScreenSaver", s.MoveScreenSaverOption);
}

int SaveSettings(IniFile& ini, const VekSettings& s, const CommandLineSwitches& switches,
                 const TLocations* locations) {
  WriteSettings(ini, s, switches, locations);
  // One save at a time in the program folder, as with the location file.
  const std::optional<FolderSaveLock> lock =
      ini.FileName().has_parent_path()
          ? std::optional<FolderSaveLock>(std::in_place, ini.FileName().parent_path())
          : std::nullopt;
  return ini.UpdateFile();
}

std::string SettingsNotSavedText(int errnoValue, const std::filesystem::path& file, Language lang) {
  const std::string name = file.string();
  if (errnoValue != EFBIG)
    return ByLanguage(lang, "The settings could not be saved to the file:\r\n",
                      "تعذر حفظ الإعدادات في الملف:\r\n") +
           name + "\r\n" + FileErrorText(errnoValue, file, lang);
  const std::string mib = std::to_string(IniFile::kMaxFileBytes / (1024 * 1024));
  if (lang == Language::Arabic)
    return "ملف الإعدادات أكبر من أن يُحفظ:\r\n" + name + "\r\n" +
           "مع إعدادات البرنامج سيتجاوز حجمه " + mib +
           " ميغابايت، وهو أكبر حجم يقرؤه البرنامج، فلن تمكن قراءته عند التشغيل التالي. بقي "
           "الملف كما كان، ولا تبقى تغييرات الإعدادات إلا حتى إغلاق البرنامج. احذف منه ما تحفظه "
           "فيه البرامج الأخرى لتُحفظ الإعدادات من جديد.";
  return "The settings file is too large to be saved:\r\n" + name + "\r\n" +
         "With the program's settings it would be larger than " + mib +
         " MiB, the most the program reads, so it could not be read at the next start. The file "
         "was left as it was, and changed settings are kept only until the program closes. "
         "Remove what other programs keep in it to have the settings saved again.";
}

}  // namespace vek
