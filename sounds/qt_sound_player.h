// The program's sound output over Qt Multimedia. Sound files play through a QMediaPlayer with a
// QAudioOutput, a fresh pair for each file, so that nothing a stopped or replaced file still
// reports can reach the next one. The wave carried in the program plays through a QSoundEffect
// from a temporary copy of its bytes in the run's temporary folder (ProgramTempFolderPath).
//
// Ends: a file that plays to its end reports the end. A playback error is reported as an error
// and then ends the play like an end, so that a recitation sequence goes on with its next file
// rather than stall; an error while the file is being opened is reported as an error and makes
// PlayFile answer false instead. A play has started once the media player has buffered it for
// playing.
#pragma once

#include <QMediaPlayer>
#include <QObject>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "foundation/resource_pack.h"
#include "sounds/sound_player.h"

class QAudioOutput;
class QSoundEffect;
class QTemporaryFile;

namespace vek {

class QtSoundPlayer : public QObject, public SoundPlayer {
  Q_OBJECT

 public:
  // module holds the waves of PlayResource (type "APPL", by name); may be null (no waves).
  explicit QtSoundPlayer(const ResourceModule* module, QObject* parent = nullptr);
  ~QtSoundPlayer() override;

  bool PlayFile(const std::filesystem::path& file) override;
  void Stop() override;
  bool Playing() const override;
  bool Started() const override;
  // Qt Multimedia lists an audio output, and a default one.
  bool HasOutputDevice() const override;
  void PlayResource(const std::string& name) override;
  void StopResource() override;
  bool ResourcePlaying() const override;

  // The number of the current play: each opened file counts one up, and so does each stop.
  std::uint64_t Generation() const { return generation_; }
  // What the media player reports for the play of that number; the reports of any other play
  // are ignored. Connected to the player of each play.
  void MediaStatusChanged(std::uint64_t generation, QMediaPlayer::MediaStatus status);
  void ErrorOccurred(std::uint64_t generation, QMediaPlayer::Error error, const QString& text = {});

  // The player of the current play, or null.
  QMediaPlayer* MediaPlayer() const { return player_; }
  // The channel of PlayResource, or null before the first wave.
  QSoundEffect* SoundEffect() const { return effect_; }

 private:
  // Ends the play of that number (when it is the current one), reporting the end unless the
  // file is still being opened.
  void Finish(std::uint64_t generation);
  // Lets go of the current player without any report.
  void Release();

  const ResourceModule* module_;
  QMediaPlayer* player_ = nullptr;
  QAudioOutput* output_ = nullptr;
  std::uint64_t generation_ = 0;
  bool playing_ = false;
  bool opening_ = false;
  bool started_ = false;

  QSoundEffect* effect_ = nullptr;
  std::unique_ptr<QTemporaryFile> wave_;
  std::string waveName_;
};

}  // namespace vek
