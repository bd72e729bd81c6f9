// The program's sound output: one media player for sound files (adhan, alarm recitation, suras)
// and a second channel for the short wave carried in the program (the opening Basmalah). The
// program plays through Qt Multimedia; tests use a recording fake.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace vek {

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;

  // Opens and starts playing a file, replacing what the player held. False when the file cannot
  // be opened (nothing plays then, and no end is reported).
  virtual bool PlayFile(const std::filesystem::path& file) = 0;
  // Stops and closes the player. A stop is not an end of play: no end is reported for it.
  virtual void Stop() = 0;
  // The player holds an open file that has not ended or been stopped.
  virtual bool Playing() const = 0;
  // Called when a file has played to its natural end (never for a stopped file).
  void SetOnEnd(std::function<void()> onEnd) { onEnd_ = std::move(onEnd); }

  // The wave carried in the program under this name, on its own channel.
  virtual void PlayResource(const std::string& name) = 0;
  // Stops the wave of PlayResource.
  virtual void StopResource() = 0;
  // The wave of PlayResource is still playing: deferred sound work waits for it to end, so that
  // an alarm at start does not cut the opening Basmalah short.
  virtual bool ResourcePlaying() const { return false; }

 protected:
  void ReportEnd() {
    if (onEnd_)
      onEnd_();
  }

 private:
  std::function<void()> onEnd_;
};

}  // namespace vek
