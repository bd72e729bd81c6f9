// A SoundPlayer that records what was played and stopped, in order, without decoding anything.
// A file plays when it exists and is not listed in unopenable; Finish() ends it naturally and
// Fail() with an error. A play has started at once unless stallOpening is set.
#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "sounds/sound_player.h"

namespace vek::testing {

class FakeSoundPlayer : public SoundPlayer {
 public:
  bool PlayFile(const std::filesystem::path& file) override {
    std::error_code ec;
    playing_ = false;
    if (!std::filesystem::exists(file, ec) || unopenable.count(file.filename().string()))
      return false;
    playing_ = true;
    played.push_back(file.filename().string());
    events.push_back("play " + file.filename().string());
    return true;
  }
  void Stop() override {
    if (playing_)
      events.push_back("stop");
    playing_ = false;
  }
  bool Playing() const override { return playing_; }
  bool Started() const override { return playing_ && !stallOpening; }
  bool HasOutputDevice() const override { return !noOutputDevice; }
  void PlayResource(const std::string& name) override {
    resourcePlaying = true;
    events.push_back("resource " + name);
  }
  void StopResource() override {
    if (resourcePlaying)
      events.push_back("stop resource");
    resourcePlaying = false;
  }

  // The playing file reaches its end; the end report may start the next file.
  void Finish() {
    if (!playing_)
      return;
    playing_ = false;
    ReportEnd();
  }
  // The playing file fails: the error is reported, then the end, as Qt Multimedia's player does.
  void Fail(const SoundError& error) {
    if (!playing_)
      return;
    playing_ = false;
    events.push_back("error " + error.text);
    ReportError(error);
    ReportEnd();
  }
  // Lets every file play to its end, those started by end reports too (at most limit of them).
  void FinishAll(int limit = 1000) {
    while (playing_ && limit-- > 0)
      Finish();
  }

  std::vector<std::string> played;   // file names, in the order they started
  std::vector<std::string> events;   // "play NAME", "stop", "resource NAME", "stop resource"
  std::set<std::string> unopenable;  // file names that exist but fail to open
  bool resourcePlaying = false;
  bool stallOpening = false;    // a play never gets past its opening
  bool noOutputDevice = false;  // the desktop has no sound device (plays still seem to work)

 private:
  bool playing_ = false;
};

}  // namespace vek::testing
