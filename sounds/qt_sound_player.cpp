#include "sounds/qt_sound_player.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QDir>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTemporaryFile>
#include <QUrl>

#include <span>
#include <system_error>
#include <utility>

#include "foundation/program_temp_folder.h"

namespace vek {

QtSoundPlayer::QtSoundPlayer(const ResourceModule* module, QObject* parent)
    : QObject(parent), module_(module) {}

QtSoundPlayer::~QtSoundPlayer() {
  Release();
  if (effect_)
    effect_->stop();
}

bool QtSoundPlayer::PlayFile(const std::filesystem::path& file) {
  Release();
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error))
    return false;

  const std::uint64_t generation = ++generation_;
  player_ = new QMediaPlayer(this);
  output_ = new QAudioOutput(player_);
  player_->setAudioOutput(output_);
  connect(player_, &QMediaPlayer::mediaStatusChanged, this,
          [this, generation](QMediaPlayer::MediaStatus status) {
            MediaStatusChanged(generation, status);
          });
  connect(player_, &QMediaPlayer::errorOccurred, this,
          [this, generation](QMediaPlayer::Error error, const QString& text) {
            ErrorOccurred(generation, error, text);
          });

  playing_ = true;
  opening_ = true;
  player_->setSource(QUrl::fromLocalFile(QString::fromStdString(file.string())));
  if (playing_)
    player_->play();
  opening_ = false;
  if (!playing_)
    Release();
  return playing_;
}

void QtSoundPlayer::Stop() {
  Release();
}

bool QtSoundPlayer::Playing() const {
  return playing_;
}

bool QtSoundPlayer::Started() const {
  return playing_ && started_;
}

bool QtSoundPlayer::HasOutputDevice() const {
  // Without a device (no sound server, none connected) the player still plays to the end.
  return !QMediaDevices::audioOutputs().isEmpty() && !QMediaDevices::defaultAudioOutput().isNull();
}

void QtSoundPlayer::MediaStatusChanged(std::uint64_t generation, QMediaPlayer::MediaStatus status) {
  if (status == QMediaPlayer::BufferedMedia && generation == generation_ && playing_)
    started_ = true;
  if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia)
    Finish(generation);
}

namespace {

SoundErrorKind KindOf(QMediaPlayer::Error error) {
  switch (error) {
    case QMediaPlayer::ResourceError:
      return SoundErrorKind::Resource;
    case QMediaPlayer::FormatError:
      return SoundErrorKind::Format;
    case QMediaPlayer::NetworkError:
      return SoundErrorKind::Network;
    case QMediaPlayer::AccessDeniedError:
      return SoundErrorKind::AccessDenied;
    default:
      return SoundErrorKind::Other;
  }
}

}  // namespace

void QtSoundPlayer::ErrorOccurred(std::uint64_t generation, QMediaPlayer::Error error,
                                  const QString& text) {
  if (error == QMediaPlayer::NoError || generation != generation_ || !playing_)
    return;
  // Told before the end, whose report may already start the next file.
  ReportError(SoundError{KindOf(error), text.toStdString()});
  Finish(generation);
}

void QtSoundPlayer::Finish(std::uint64_t generation) {
  if (generation != generation_ || !playing_)
    return;
  playing_ = false;
  if (opening_)
    return;  // PlayFile answers false; its caller hears of no end
  Release();
  ReportEnd();
}

void QtSoundPlayer::Release() {
  ++generation_;
  playing_ = false;
  started_ = false;
  if (!player_)
    return;
  // The player may be in the middle of sending the signal that brought us here: it is freed
  // once control is back in the event loop, and from now on nothing it says arrives.
  QMediaPlayer* player = std::exchange(player_, nullptr);
  output_ = nullptr;
  disconnect(player, nullptr, this, nullptr);
  player->stop();
  player->setSource(QUrl());
  player->deleteLater();
}

void QtSoundPlayer::PlayResource(const std::string& name) {
  if (!module_)
    return;
  const std::span<const unsigned char> data = module_->Find(name, kCarriedFileType);
  if (data.empty())
    return;
  if (!effect_)
    effect_ = new QSoundEffect(this);
  if (!wave_ || name != waveName_) {
    effect_->stop();
    // In the run's own temporary folder, which the next start empties should this run end
    // without removing it.
    const std::filesystem::path& folder = ProgramTempFolderPath();
    if (folder.empty())
      return;
    auto wave = std::make_unique<QTemporaryFile>(
        QDir(QString::fromStdString(folder.string())).filePath("vek-XXXXXX.wav"));
    if (!wave->open())
      return;
    const auto size = static_cast<qint64>(data.size());
    if (wave->write(reinterpret_cast<const char*>(data.data()), size) != size || !wave->flush())
      return;
    wave->close();
    effect_->setSource(QUrl::fromLocalFile(wave->fileName()));
    wave_ = std::move(wave);
    waveName_ = name;
  }
  effect_->play();
}

void QtSoundPlayer::StopResource() {
  if (effect_)
    effect_->stop();
}

bool QtSoundPlayer::ResourcePlaying() const {
  return effect_ != nullptr && effect_->isPlaying();
}

}  // namespace vek
