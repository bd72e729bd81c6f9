#include "sounds/recitation.h"

#include "sounds/sound_files.h"

#include <string>
#include <utility>

#include "foundation/program_folder.h"

namespace vek {

namespace fs = std::filesystem;

fs::path SoundFilePath(const fs::path& programFolder, std::string_view name) {
  fs::path path = programFolder;
  std::size_t start = 0;
  while (start <= name.size()) {
    std::size_t end = name.find_first_of("\\/", start);
    if (end == std::string_view::npos)
      end = name.size();
    if (end > start)
      path = FindFileIgnoringCase(path, std::string(name.substr(start, end - start)));
    start = end + 1;
  }
  std::error_code ec;
  if (path == programFolder || !fs::is_regular_file(path, ec))
    return {};
  return path;
}

fs::path SuraFilePath(const fs::path& programFolder, int number) {
  if (number < 0 || number > kLastSuraNumber)
    return {};
  const std::string folder = "SOUNDS\\SURAS\\";
  fs::path path = SoundFilePath(programFolder, folder + SuraFileName(number, ".WAV"));
  if (path.empty() && number == 0)
    path = SoundFilePath(programFolder, folder + "TAAWUZ.WAV");
  if (path.empty() && number == kLastSuraNumber)
    path = SoundFilePath(programFolder, folder + "SADAQA.WAV");
  return path;
}

std::string NoSuraFilesText(Language lang) {
  if (lang == Language::Arabic)
    return "ملفات السور غير متوفرة.\r\n"
           "يمكن تنزيلها من موقعنا على الإنترنت،\r\n"
           "ويمكن جلبها أيضا بالترقية الحية من قائمة المساعدة.";
  return "The sura files are not available.\r\n"
         "They can be downloaded from our internet site,\r\n"
         "and they can also be fetched with Live Update from the Help menu.";
}

Recitation::Recitation(SoundPlayer& player, const VekSettings& settings, AlertPort& alert,
                       fs::path programFolder)
    : player_(player),
      settings_(settings),
      alert_(alert),
      programFolder_(std::move(programFolder)) {}

void Recitation::ScanSuraFiles() {
  lastSura_ = 0;
  suraCount_ = 0;
  for (int n = 0; n <= kLastSuraNumber; ++n) {
    suraAvailable_[n] = !SuraFilePath(programFolder_, n).empty();
    if (suraAvailable_[n]) {
      lastSura_ = n;
      ++suraCount_;
    }
  }
}

bool Recitation::SuraAvailable(int number) const {
  return number >= 0 && number <= kLastSuraNumber && suraAvailable_[number];
}

bool Recitation::PlaySura(int& index) {
  if (index < 0)
    index = 0;
  for (; index <= kLastSuraNumber; ++index) {
    if (!suraAvailable_[index])
      continue;
    const fs::path file = SuraFilePath(programFolder_, index);
    if (!file.empty() && player_.PlayFile(file))
      return true;
  }
  EndReading();
  return false;
}

void Recitation::PlayAlarmStep() {
  if (!settings_.AlarmSoundOn) {
    alarmStep_ = kAlarmEndStep;
    EndAlarm();
    return;
  }
  for (; alarmStep_ < kAlarmEndStep; ++alarmStep_) {
    if (alarmStep_ == 0)
      alarmPlayed_ = false;
    const fs::path file = SuraFilePath(programFolder_, kAlarmSuras[alarmStep_]);
    if (!file.empty() && player_.PlayFile(file)) {
      alarmPlayed_ = true;
      if (alert_.Exists())
        alert_.EnableMuteButtons(true);
      return;
    }
  }
  EndAlarm();
}

void Recitation::MediaPlayer1Notify() {
  if (alarmReading_) {
    if (alarmStep_ < kAlarmEndStep)
      ++alarmStep_;
    PlayAlarmStep();
  } else if (readingSuras_) {
    if (suraIndex_ < lastSura_) {
      ++suraIndex_;
      PlaySura(suraIndex_);
    } else {
      EndReading();
    }
  }
}

bool Recitation::ReadAvailableSurasClick() {
  readItemsEnabled_ = false;
  player_.Stop();
  alarmReading_ = false;
  readingSuras_ = true;
  suraIndex_ = 0;
  return PlaySura(suraIndex_);
}

void Recitation::NextSuraClick() {
  readItemsEnabled_ = false;
  alarmReading_ = false;
  readingSuras_ = true;
  player_.Stop();
}

void Recitation::StartAlarm() {
  readItemsEnabled_ = false;
  nextItemsEnabled_ = false;
  player_.Stop();
  player_.StopResource();
  readingSuras_ = false;
  alarmStep_ = 0;
  alarmReading_ = true;
  PlayAlarmStep();
}

void Recitation::ReadFirstSura() {
  player_.Stop();
  player_.StopResource();
  suraIndex_ = 0;
  PlaySura(suraIndex_);
}

void Recitation::ReadNextSura() {
  ++suraIndex_;
  PlaySura(suraIndex_);
}

void Recitation::StopRecitation() {
  player_.Stop();
  readingSuras_ = false;
  alarmReading_ = false;
  alarmStep_ = kAlarmEndStep;
  EnableReadAndNextItems();
}

bool Recitation::RecitationRunning() const {
  return (readingSuras_ || alarmReading_) && player_.Playing();
}

void Recitation::EndAlarm() {
  if (!alarmPlayed_ && alert_.Exists())
    alert_.EnableMuteButtons(false);
  player_.Stop();
  alarmReading_ = false;
  EnableReadAndNextItems();
}

void Recitation::EndReading() {
  readingSuras_ = false;
  readItemsEnabled_ = true;
}

}  // namespace vek
