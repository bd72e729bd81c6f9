#include "sounds/qt_sound_player.h"

#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "foundation/file_io.h"
#include "foundation/program_temp_folder.h"
#include "support/temp_dir.h"

// Qt Multimedia's sound system keeps what PulseAudio and GLib allocate when no sound server
// answers (as on machines without sound) until the process ends; the leak checker of the
// sanitizer build is told so. Leaks of this program's own objects are still reported.
extern "C" const char* __lsan_default_suppressions() {
  // QSoundEffect leaves its sample behind when it is destroyed while still loading it.
  return "leak:pa_xmalloc\nleak:g_malloc\nleak:QSample::load\nleak:QSampleCache\n";
}

namespace vek {
namespace {

// A mono 8 kHz 16-bit wave of silence.
std::string SilentWave(int milliseconds) {
  const std::uint32_t samples = 8 * static_cast<std::uint32_t>(milliseconds);
  const std::uint32_t dataSize = samples * 2;
  std::string wave;
  const auto put32 = [&wave](std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
      wave.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  const auto put16 = [&wave](std::uint16_t value) {
    wave.push_back(static_cast<char>(value & 0xFF));
    wave.push_back(static_cast<char>(value >> 8));
  };
  wave += "RIFF";
  put32(36 + dataSize);
  wave += "WAVEfmt ";
  put32(16);
  put16(1);  // PCM
  put16(1);  // mono
  put32(8000);
  put32(16000);
  put16(2);
  put16(16);
  wave += "data";
  put32(dataSize);
  wave.append(dataSize, '\0');
  return wave;
}

class QtSoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    player.SetOnEnd([this] { ++ends; });
    first = dir.path() / "ADHAN1.WAV";
    second = dir.path() / "ADHAN2.WAV";
    WriteFileReplacing(first, SilentWave(200));
    WriteFileReplacing(second, SilentWave(200));
  }

  testing::TempDir dir;
  QtSoundPlayer player{nullptr};
  int ends = 0;
  std::filesystem::path first;
  std::filesystem::path second;
};

TEST_F(QtSoundPlayerTest, AFileThatIsNotThereIsNotPlayed) {
  for (const std::filesystem::path& file : {dir.path() / "MISSING.WAV", dir.path()}) {
    EXPECT_FALSE(player.PlayFile(file)) << file;
    EXPECT_FALSE(player.Playing());
    EXPECT_EQ(player.MediaPlayer(), nullptr);
  }
  // A missing file also ends what was playing, without an end.
  ASSERT_TRUE(player.PlayFile(first));
  EXPECT_FALSE(player.PlayFile(dir.path() / "MISSING.WAV"));
  EXPECT_FALSE(player.Playing());
  QCoreApplication::processEvents();
  EXPECT_EQ(ends, 0);
}

TEST_F(QtSoundPlayerTest, AStopIsNoEnd) {
  ASSERT_TRUE(player.PlayFile(first));
  EXPECT_TRUE(player.Playing());
  ASSERT_NE(player.MediaPlayer(), nullptr);
  EXPECT_EQ(player.MediaPlayer()->source(),
            QUrl::fromLocalFile(QString::fromStdString(first.string())));
  const std::uint64_t played = player.Generation();

  player.Stop();
  EXPECT_FALSE(player.Playing());
  EXPECT_EQ(player.MediaPlayer(), nullptr);
  // What the stopped play still reports changes nothing.
  player.MediaStatusChanged(played, QMediaPlayer::EndOfMedia);
  player.ErrorOccurred(played, QMediaPlayer::ResourceError);
  QCoreApplication::processEvents();
  EXPECT_EQ(ends, 0);
  EXPECT_FALSE(player.Playing());
}

TEST_F(QtSoundPlayerTest, OnlyTheCurrentFileEndsItsPlay) {
  ASSERT_TRUE(player.PlayFile(first));
  const std::uint64_t replaced = player.Generation();
  ASSERT_TRUE(player.PlayFile(second));
  const std::uint64_t current = player.Generation();
  ASSERT_NE(replaced, current);

  // The replaced file's end neither ends the new one nor is reported.
  player.MediaStatusChanged(replaced, QMediaPlayer::EndOfMedia);
  player.ErrorOccurred(replaced, QMediaPlayer::FormatError);
  EXPECT_EQ(ends, 0);
  EXPECT_TRUE(player.Playing());

  // Statuses on the way are no end.
  player.MediaStatusChanged(current, QMediaPlayer::LoadedMedia);
  player.MediaStatusChanged(current, QMediaPlayer::BufferedMedia);
  EXPECT_EQ(ends, 0);

  player.MediaStatusChanged(current, QMediaPlayer::EndOfMedia);
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(player.Playing());
  // An end is reported once.
  player.MediaStatusChanged(current, QMediaPlayer::EndOfMedia);
  EXPECT_EQ(ends, 1);

  // An error ends the play like its end, so that a sequence of files goes on.
  ASSERT_TRUE(player.PlayFile(first));
  player.ErrorOccurred(player.Generation(), QMediaPlayer::ResourceError);
  EXPECT_EQ(ends, 2);
  EXPECT_FALSE(player.Playing());
}

// An error is told with its kind and the player's text before the end it brings; a play has
// started once it is buffered for playing.
TEST_F(QtSoundPlayerTest, ErrorsAreToldApartFromTheEndAndAfterThemNothingHasStarted) {
  std::vector<std::string> told;
  player.SetOnEnd([&] { told.push_back("end"); });
  player.SetOnError([&](const SoundError& e) {
    told.push_back(std::to_string(static_cast<int>(e.kind)) + " " + e.text);
  });
  ASSERT_TRUE(player.PlayFile(first));
  const std::uint64_t current = player.Generation();
  player.MediaStatusChanged(current, QMediaPlayer::LoadedMedia);
  EXPECT_FALSE(player.Started());
  player.MediaStatusChanged(current, QMediaPlayer::BufferedMedia);
  EXPECT_TRUE(player.Started());
  player.ErrorOccurred(current, QMediaPlayer::FormatError, "missing a plug-in");
  EXPECT_EQ(
      (std::vector<std::string>{
          std::to_string(static_cast<int>(SoundErrorKind::Format)) + " missing a plug-in", "end"}),
      told);
  EXPECT_FALSE(player.Started());
  EXPECT_FALSE(player.Playing());

  // What a replaced play reports is not told, and does not start the new one.
  ASSERT_TRUE(player.PlayFile(first));
  const std::uint64_t replaced = player.Generation();
  ASSERT_TRUE(player.PlayFile(second));
  player.MediaStatusChanged(replaced, QMediaPlayer::BufferedMedia);
  player.ErrorOccurred(replaced, QMediaPlayer::ResourceError, "gone");
  EXPECT_EQ(2u, told.size());
  EXPECT_FALSE(player.Started());
  EXPECT_TRUE(player.Playing());
}

TEST_F(QtSoundPlayerTest, TheCarriedWavePlaysFromACopyOfItsBytes) {
  const std::string wave = SilentWave(50);
  const std::array entries = {ResourceEntry{"BASMALAH", kCarriedFileType,
                                            reinterpret_cast<const unsigned char*>(wave.data()),
                                            wave.size()}};
  const TableResourceModule module(entries);
  QtSoundPlayer waves(&module);

  waves.PlayResource("NOSUCHWAVE");
  EXPECT_EQ(waves.SoundEffect(), nullptr);

  waves.PlayResource("basmalah");
  ASSERT_NE(waves.SoundEffect(), nullptr);
  QFile copy(waves.SoundEffect()->source().toLocalFile());
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll().toStdString(), wave);
  // The copy lies in the run's own temporary folder, which a later start empties should this run
  // not end normally.
  ASSERT_FALSE(ProgramTempFolderPath().empty());
  EXPECT_EQ(ProgramTempFolderPath(),
            std::filesystem::path(copy.fileName().toStdString()).parent_path());
  waves.StopResource();
  EXPECT_FALSE(waves.SoundEffect()->isPlaying());
  // The file channel is apart.
  EXPECT_FALSE(waves.Playing());

  QtSoundPlayer withoutWaves(nullptr);
  withoutWaves.PlayResource("BASMALAH");
  withoutWaves.StopResource();
  EXPECT_EQ(withoutWaves.SoundEffect(), nullptr);
}

// Without a sound device (no sound server answers, as in CI) a file still plays to its end
// without an error; the player tells that there is nothing to hear it on.
TEST_F(QtSoundPlayerTest, WithoutASoundDeviceThePlayerSaysSo) {
  if (!QMediaDevices::audioOutputs().isEmpty())
    GTEST_SKIP() << "this machine has an audio output device";
  EXPECT_FALSE(player.HasOutputDevice());
}

// Needs a sound device; machines without one (CI) skip it.
TEST_F(QtSoundPlayerTest, AFilePlaysToItsEndOnASoundDevice) {
  if (QMediaDevices::audioOutputs().isEmpty())
    GTEST_SKIP() << "no audio output device";
  QEventLoop loop;
  player.SetOnEnd([&] {
    ++ends;
    loop.quit();
  });
  ASSERT_TRUE(player.PlayFile(first));
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);  // only reached when no end comes
  loop.exec();
  EXPECT_EQ(ends, 1);
  EXPECT_FALSE(player.Playing());
  EXPECT_TRUE(player.HasOutputDevice());
}

}  // namespace
}  // namespace vek
