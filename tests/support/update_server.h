// A Live Update server on 127.0.0.1 for tests and benchmarks: FTP (pyftpdlib) or HTTP (Python's
// http.server), started with Debian's /usr/bin/python3 on a fixture tree, with faults that the
// test writes into a file (see tests/liveupdate/update_server.py).
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace vek::testing {

class UpdateServer {
 public:
  // kind: "ftp" or "http"; root is the served folder; faults and the request log are files of
  // folder.
  UpdateServer(const std::string& kind, const std::filesystem::path& root,
               const std::filesystem::path& folder)
      : faults_(folder / (kind + "-faults")),
        log_(folder / (kind + "-requests")),
        errors_(folder / (kind + "-errors")) {
    const std::string script = std::string(VEK_SOURCE_DIR) + "/tests/liveupdate/update_server.py";
    const std::string command = "exec /usr/bin/python3 " + Quoted(script) + " " + kind + " " +
                                Quoted(root.string()) + " " + Quoted(faults_.string()) + " " +
                                Quoted(log_.string()) + " 2>" + Quoted(errors_.string());
    pipe_ = ::popen(command.c_str(), "r");
    char line[512] = {};
    if (pipe_ != nullptr && std::fgets(line, sizeof line, pipe_) != nullptr)
      firstLine = line;
    if (std::sscanf(line, "%d %d", &port, &pid_) != 2) {
      // The server said why on its error output.
      port = 0;
      std::ifstream errors(errors_);
      firstLine.assign(std::istreambuf_iterator<char>(errors), {});
    }
  }
  ~UpdateServer() {
    if (pid_ > 0)
      ::kill(pid_, SIGKILL);
    if (pipe_ != nullptr)
      ::pclose(pipe_);
  }
  UpdateServer(const UpdateServer&) = delete;
  UpdateServer& operator=(const UpdateServer&) = delete;

  // Replaces the faults: lines of "<server path> <fault> [<argument>]".
  void SetFaults(const std::string& lines) const { std::ofstream(faults_) << lines; }
  // The requests so far, one line each ("RETR /x", "LIST /x", "GET /x"), and a fresh start.
  std::vector<std::string> Requests() const {
    std::vector<std::string> lines;
    std::ifstream in(log_);
    for (std::string line; std::getline(in, line);)
      lines.push_back(line);
    return lines;
  }
  void ClearRequests() const { std::ofstream(log_, std::ios::trunc); }

  int port = 0;
  std::string firstLine;

 private:
  static std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (const char c : text)
      out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
  }

  std::filesystem::path faults_;
  std::filesystem::path log_;
  std::filesystem::path errors_;  // the server's error output, never a pipe that could fill
  FILE* pipe_ = nullptr;
  int pid_ = 0;
};

}  // namespace vek::testing
