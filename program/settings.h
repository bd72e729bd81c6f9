// The user's settings: the fields the program session keeps them in while the program runs
// (named after their VEK.INI keys), and their file VEK.INI in the program folder. Reading takes
// every key with its default; writing puts back every key the reader knows, so that after each
// successful start the file is complete. Sections that other parts of the program own are left as
// they are.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "engine/prayer_times.h"
#include "foundation/command_line.h"
#include "foundation/ini_file.h"
#include "foundation/language.h"
#include "locations/location_list.h"
#include "platform/file_system.h"

namespace vek {

inline constexpr std::string_view kSettingsFileName = "VEK.INI";
inline constexpr std::string_view kIniMainSection = "Orvessa, by Al Tovarelin";

// The month and day names that dates, calendars and timetables use; the user may rename them.
struct NameLists {
  std::array<std::string, 12> AHMonths;  // Hijri months, Arabic
  std::array<std::string, 12> EHMonths;  // Hijri months, English
  std::array<std::string, 12> AMonths;   // Gregorian months, Arabic
  std::array<std::string, 12> EMonths;   // Gregorian months, English
  std::array<std::string, 7> ADays;      // day names from Sunday, Arabic
  std::array<std::string, 7> EDays;      // day names from Sunday, English
};
const NameLists& DefaultNameLists();

// The captions of the eight adhan recordings, in the order of their sound files.
struct AzhanDescriptionLists {
  std::array<std::string, 8> Arabic;
  std::array<std::string, 8> English;
};
const AzhanDescriptionLists& DefaultAzhanDescriptions();

// The value of "no next adhan chosen yet" in VekSettings::NextAzhanChoice.
inline constexpr std::uint8_t kNoNextAzhanChoice = 9;

struct VekSettings {
  Language Lang = Language::Arabic;
  bool PromptToClose = true;  // ask before closing instead of minimising
  bool ShowSplashOption = true;
  AzhanDescriptionLists AzhanDescriptions = DefaultAzhanDescriptions();
  std::uint8_t AzhanIndex = 8;           // 0..7 one recording, 8 all
  std::uint8_t NextAzhanIndex = 1;       // as read from NextAzhan
  std::string NextAzhanText = "Aleppo";  // NextAzhan as read; written back while none is chosen
  std::uint8_t NextAzhanChoice = kNoNextAzhanChoice;  // 0..5, set by the start-up
  bool MinimizeToTray = true;
  bool ShowWarningScreen = true;  // the prayer-time alert window
  int HijriAdjust = 0;            // -3..+3 days
  bool HijriMode = false;
  bool ShowHint = true;
  bool Is24H = false;
  bool AlarmSoundOn = true;
  bool AzanSoundOn = true;
  bool ShuruqSoundOn = true;
  bool DoAlarms = true;
  bool OpeningBasmalah = true;
  SafetyOffsets Safety;  // hours added by the engine
  NameLists Names = DefaultNameLists();
  bool MoveScreenSaverOption = true;
  std::uint8_t DatWarnings = 0;  // kept and written back
  int ClockFaceIndex = 0;        // "TOVARELIN LIGHT"
  int ClockSizeIndex = 2;        // large
  bool ClockWhite = false;
  int HandsColorIndex = 2;  // black
  std::string SelectedCity = "DAMASCUS";
  std::string SelectedCountry = "SYRIA";
  std::string SelectedState;
};

// Makes an existing read-only VEK.INI writable, then reads it. missing is set when there was no
// file (the first run). 0, or the errno of a file that exists and cannot be read (the settings
// then read as defaults).
int OpenSettingsFile(IniFile& ini, const std::filesystem::path& programFolder, bool& missing,
                     FileSystem& fs = RealFileSystem());

// The Language key alone ("Arabic" when missing): the start-up's first messages come before the
// other settings are read.
Language ReadSettingsLanguage(const IniFile& ini);

// The safety offsets that the settings take, in hours either way.
inline constexpr long double kMaxSafetyHours = 1;

// Reads every key into s, and the ForceArabic key into the switch flag (the session then adds the
// command line's FORCEARABIC to it). A value that is no number reads as its default; so does a
// safety offset that is not finite or lies beyond kMaxSafetyHours (noted in the debug log).
void ReadSettings(const IniFile& ini, VekSettings& s, CommandLineSwitches& switches);

// Writes every key from s (the selected location from the current one of locations, when it has
// one) into ini, without saving it.
void WriteSettings(IniFile& ini, const VekSettings& s, const CommandLineSwitches& switches,
                   const TLocations* locations);

// WriteSettings, then the whole file to disk through a temporary file. 0 or the errno; EFBIG
// when the file would grow beyond what the start reads (IniFile::kMaxFileBytes), and it is then
// left as it was.
int SaveSettings(IniFile& ini, const VekSettings& s, const CommandLineSwitches& switches,
                 const TLocations* locations);

// What the user is told when SaveSettings failed with the errno for the file, in their language.
std::string SettingsNotSavedText(int errnoValue, const std::filesystem::path& file, Language lang);

// The text of a safety offset in hours ("." as decimal point, up to 15 significant digits), and
// its reading ("." or ","); nothing for a text that is no number.
std::string HoursToIniText(double hours);
std::optional<double> IniTextToHours(std::string_view text);

}  // namespace vek
