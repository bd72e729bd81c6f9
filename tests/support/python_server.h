// A server script of the tests run with Debian's /usr/bin/python3: it listens on 127.0.0.1 and
// says "<port> <pid>" as its first line; the server is stopped with a signal at the end.
#pragma once

#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "support/shell_quoted.h"

namespace vek::testing {

class PythonServer {
 public:
  // script: a path below the source tree; errorOutput: the shell's redirection of the script's
  // error output ("2>&1" or "2>file"); stopSignal ends the server.
  PythonServer(const std::string& script, const std::vector<std::string>& args,
               const std::string& errorOutput, int stopSignal)
      : stopSignal_(stopSignal) {
    std::string command =
        "exec /usr/bin/python3 " + ShellQuoted(std::string(VEK_SOURCE_DIR) + "/" + script);
    for (const std::string& arg : args)
      command += " " + ShellQuoted(arg);
    command += " " + errorOutput;
    pipe_ = ::popen(command.c_str(), "r");
    char line[512] = {};
    if (pipe_ != nullptr && std::fgets(line, sizeof line, pipe_) != nullptr)
      firstLine = line;
    if (std::sscanf(line, "%d %d", &port, &pid_) != 2)
      port = 0;
  }
  ~PythonServer() {
    if (pid_ > 0)
      ::kill(pid_, stopSignal_);
    if (pipe_ != nullptr)
      ::pclose(pipe_);
  }
  PythonServer(const PythonServer&) = delete;
  PythonServer& operator=(const PythonServer&) = delete;

  int port = 0;
  std::string firstLine;  // what the server said first: its port and process, or its complaint

 private:
  int stopSignal_;
  FILE* pipe_ = nullptr;
  int pid_ = 0;
};

}  // namespace vek::testing
