// A Launcher that records what it was asked to start, with which options, and starts nothing;
// a started program "runs" for pollsLeft asks whether it has ended.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/launcher.h"

namespace vek::testing {

class FakeLauncher : public Launcher {
 public:
  int Start(const std::filesystem::path& file, const std::vector<std::string>& arguments,
            pid_t& pid) override {
    return StartWith(file, arguments, LaunchOptions{}, pid);
  }
  int StartWith(const std::filesystem::path& file, const std::vector<std::string>& arguments,
                const LaunchOptions& options, pid_t& pid) override {
    started.push_back(file);
    args = arguments;
    lastOptions = options;
    pid = 4242;
    return startError;
  }
  bool HasExited(pid_t) override { return --pollsLeft < 0; }
  int ExitCode(pid_t) override { return exitCode; }
  void Detach(pid_t) override { ++detached; }

  std::vector<std::filesystem::path> started;
  std::vector<std::string> args;
  LaunchOptions lastOptions;
  int startError = 0;
  int exitCode = 0;  // of every started program
  int pollsLeft = 0;
  int detached = 0;
};

}  // namespace vek::testing
