// The program's sound output: one media player for sound files (adhan, alarm recitation, suras)
// and a second channel for the short wave carried in the program (the opening Basmalah). The
// program plays through Qt Multimedia; tests use a recording fake.
#pragma once

#include <filesystem>
#include <functional>
#include <string>

namespace vek {

// What kind of failure the player reports for a play.
enum class SoundErrorKind { Resource, Format, Network, AccessDenied, Other };

struct SoundError {
  SoundErrorKind kind = SoundErrorKind::Other;
  std::string text;  // the sound system's own description, UTF-8
};

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
  // Called when a play fails, with the player's kind and text of the failure, apart from the end:
  // a failure while the file is being opened (PlayFile answers false then) or while it plays
  // (whether an end report follows is the player's own rule).
  void SetOnError(std::function<void(const SoundError&)> onError) { onError_ = std::move(onError); }
  // The open file got past its opening: the sound system decodes and plays it.
  virtual bool Started() const { return Playing(); }
  // The sound system has a device to play through. Without one nothing is heard, although a
  // file may still seem to play to its end without an error.
  virtual bool HasOutputDevice() const { return true; }

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
  void ReportError(const SoundError& error) {
    if (onError_)
      onError_(error);
  }

 private:
  std::function<void()> onEnd_;
  std::function<void(const SoundError&)> onError_;
};

}  // namespace vek
