// Quran recitation through the main window's media player: on request all sura files of
// SOUNDS/SURAS one after the other, and the short alarm sequence before a prayer. The next file
// is started from the player's end-of-play report. A stopped file reports no end, so stopping
// needs no "ignore the next report" flag: every stop here also ends the recitation it cut.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/language.h"
#include "program/settings.h"
#include "sounds/alert_port.h"
#include "sounds/sound_player.h"

namespace vek {

// The file programFolder/name when it exists, each part of name (parts split at "\" or "/")
// found ignoring case; an empty path when there is no such file.
std::filesystem::path SoundFilePath(const std::filesystem::path& programFolder,
                                    std::string_view name);

inline constexpr int kLastSuraNumber = 115;

// The one rule that maps a sura number (0..115) to its file in SOUNDS/SURAS: "S<n>.WAV", else,
// for 0 "TAAWUZ.WAV" and for 115 "SADAQA.WAV" (the names the sound files came with). Empty when
// there is none.
std::filesystem::path SuraFilePath(const std::filesystem::path& programFolder, int number);

// The message of the read command when no sura file plays.
std::string NoSuraFilesText(Language lang);

class Recitation {
 public:
  // The alarm sequence: the files of steps 0..5; step 6 ends it.
  static constexpr std::array<int, 6> kAlarmSuras = {0, 107, 112, 113, 114, 115};
  static constexpr int kAlarmEndStep = 6;

  // settings gives AlarmSoundOn; alert is the prayer-time alert window (its mute buttons).
  Recitation(SoundPlayer& player, const VekSettings& settings, AlertPort& alert,
             std::filesystem::path programFolder);

  // Rebuilds the table of the sura files present.
  void ScanSuraFiles();
  bool SuraAvailable(int number) const;
  int LastSura() const { return lastSura_; }
  int SuraCount() const { return suraCount_; }
  int SuraIndex() const { return suraIndex_; }

  // Plays the first available sura at or after index (index moves to it); a file that is gone
  // since the scan is skipped. When none plays: the reading ends, the read items are enabled
  // again, and false.
  bool PlaySura(int& index);
  // Plays the file of the current AlarmStep, skipping missing files; at step 6 the sequence
  // ends. Ends at once while AlarmSoundOn is off.
  void PlayAlarmStep();
  // The player's end-of-play report: the next step of the alarm, or the next sura.
  void MediaPlayer1Notify();

  // The menu commands. ReadAvailableSurasClick is false when no sura plays (the caller shows
  // NoSuraFilesText). After NextSuraClick the caller runs task 3 (ReadNextSura).
  bool ReadAvailableSurasClick();
  void NextSuraClick();
  void StopReadingClick() { StopRecitation(); }
  void RefreshClick() { ScanSuraFiles(); }

  // The task bodies: 1 the alarm sequence (interrupts a reading, which does not resume),
  // 2 the first sura, 3 the next sura.
  void StartAlarm();
  void ReadFirstSura();
  void ReadNextSura();

  // Stops the player and ends the reading or the alarm sequence (AlarmStep 6); all four read
  // and next items enabled.
  void StopRecitation();
  // A reading or the alarm sequence is playing a file.
  bool RecitationRunning() const;

  bool ReadingSuras() const { return readingSuras_; }
  bool AlarmReading() const { return alarmReading_; }
  bool AlarmPlayed() const { return alarmPlayed_; }
  int AlarmStep() const { return alarmStep_; }

  // The menu items: read available suras (Arabic and English) and next sura (both).
  bool ReadItemsEnabled() const { return readItemsEnabled_; }
  bool NextItemsEnabled() const { return nextItemsEnabled_; }
  void EnableReadAndNextItems() { readItemsEnabled_ = nextItemsEnabled_ = true; }

 private:
  void EndAlarm();
  void EndReading();

  SoundPlayer& player_;
  const VekSettings& settings_;
  AlertPort& alert_;
  std::filesystem::path programFolder_;

  std::array<bool, kLastSuraNumber + 1> suraAvailable_{};
  int lastSura_ = 0;
  int suraCount_ = 0;
  int suraIndex_ = 0;

  bool readingSuras_ = false;
  bool alarmReading_ = false;
  bool alarmPlayed_ = false;
  int alarmStep_ = kAlarmEndStep;
  bool readItemsEnabled_ = true;
  bool nextItemsEnabled_ = true;
};

}  // namespace vek
