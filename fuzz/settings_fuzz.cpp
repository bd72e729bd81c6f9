// VEK.INI: any bytes as the settings file. What is read comes back byte for byte when nothing
// changes; the settings read from it keep their ranges; saving them and reading them back gives
// the same settings, so a second save writes the same file.
#include <cmath>

#include "foundation/ini_file.h"
#include "fuzz/fuzz_support.h"
#include "program/settings.h"

namespace vek::fuzz {
namespace {

void CheckRanges(const VekSettings& s) {
  for (const long double hours : {s.Safety.Fajr, s.Safety.Isha, s.Safety.Asr, s.Safety.Shuruq,
                                  s.Safety.Maghrib, s.Safety.Zuhr}) {
    Check(std::isfinite(hours) && hours >= -kMaxSafetyHours && hours <= kMaxSafetyHours,
          "safety offsets are finite and within an hour");
  }
  Check(s.HijriAdjust >= -3 && s.HijriAdjust <= 3, "the Hijri adjustment is -3..3");
  Check(s.AzhanIndex <= 8 && s.NextAzhanIndex <= 8, "adhan indices are 0..8");
}

}  // namespace
}  // namespace vek::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  const std::filesystem::path file = ScratchFolder() / std::string(kSettingsFileName);
  const std::string_view input = AsText(data, size);
  WriteInput(file, input);

  IniFile ini;
  Check(ini.Load(file) == 0, "a small regular file loads");
  Check(ini.Image() == input, "an unchanged file comes back byte for byte");
  (void)ini.ReadSections();
  (void)ini.ReadInteger("x", "y", 0);

  VekSettings first;
  CommandLineSwitches switches;
  ReadSettings(ini, first, switches);
  CheckRanges(first);
  Check(SaveSettings(ini, first, switches, nullptr) == 0, "the settings save");
  const std::string saved = ini.Image();

  IniFile again(file);
  Check(again.Image() == saved, "the saved file reads back as written");
  VekSettings second;
  CommandLineSwitches switchesAgain;
  ReadSettings(again, second, switchesAgain);
  CheckRanges(second);
  Check(second.Lang == first.Lang && second.HijriAdjust == first.HijriAdjust &&
            second.Is24H == first.Is24H && second.AzhanIndex == first.AzhanIndex &&
            second.ClockFaceIndex == first.ClockFaceIndex &&
            second.SelectedCity == first.SelectedCity && second.Names.EDays == first.Names.EDays &&
            second.AzhanDescriptions.Arabic == first.AzhanDescriptions.Arabic &&
            switchesAgain.forceArabic == switches.forceArabic,
        "the saved settings read back as they were");
  WriteSettings(again, second, switchesAgain, nullptr);
  Check(again.Image() == saved, "a second save writes the same file");
  return 0;
}
