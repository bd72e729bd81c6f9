// Starting other programs. A program is started from its file and an argument list, never from
// a command-line string that a shell would split. Tests put a fake in its place where starting a
// real process is not the point.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace vek {

// Where a started program reads its standard input and which folder it starts in.
struct LaunchOptions {
  std::filesystem::path standardInput;  // a file opened for reading; empty: this process's input
  std::filesystem::path workingFolder;  // empty: this process's current folder
};

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Starts file with the given arguments (arguments[0] is the name the program sees as its own)
  // in this process's environment and current folder. 0 and the process id on success, else the
  // errno of the failure; a file that the system cannot run fails here, not later.
  virtual int Start(const std::filesystem::path& file, const std::vector<std::string>& arguments,
                    pid_t& pid);
  // The same with the child's standard input and current folder set by options. An input file
  // or folder that cannot be opened makes the start fail with its errno.
  virtual int StartWith(const std::filesystem::path& file,
                        const std::vector<std::string>& arguments, const LaunchOptions& options,
                        pid_t& pid);
  // Whether the process has ended; an ended process is reaped.
  virtual bool HasExited(pid_t pid);
  // The exit code of a process that HasExited found ended (once): -1 when a signal ended it,
  // or when nothing is known of it.
  virtual int ExitCode(pid_t pid);
  // The caller no longer waits for the process: it is reaped in the background when it ends.
  virtual void Detach(pid_t pid);

 private:
  std::map<pid_t, int> exitCodes_;  // of ended processes whose code was not asked for yet
};

// Starts processes with posix_spawn.
Launcher& SystemLauncher();

}  // namespace vek
