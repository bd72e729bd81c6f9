// A Live Update server on 127.0.0.1 for tests and benchmarks: FTP (pyftpdlib) or HTTP (Python's
// http.server), started with Debian's /usr/bin/python3 on a fixture tree, with faults that the
// test writes into a file (see tests/liveupdate/update_server.py).
#pragma once

#include <signal.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "support/python_server.h"
#include "support/shell_quoted.h"

namespace vek::testing {

class UpdateServer : public PythonServer {
 public:
  // kind: "ftp" or "http"; root is the served folder; faults and the request log are files of
  // folder.
  UpdateServer(const std::string& kind, const std::filesystem::path& root,
               const std::filesystem::path& folder)
      : PythonServer("tests/liveupdate/update_server.py",
                     {kind, root.string(), (folder / (kind + "-faults")).string(),
                      (folder / (kind + "-requests")).string()},
                     "2>" + ShellQuoted((folder / (kind + "-errors")).string()), SIGKILL),
        faults_(folder / (kind + "-faults")),
        log_(folder / (kind + "-requests")),
        errors_(folder / (kind + "-errors")) {
    if (port == 0) {
      // The server said why on its error output.
      std::ifstream errors(errors_);
      firstLine.assign(std::istreambuf_iterator<char>(errors), {});
    }
  }

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

 private:
  std::filesystem::path faults_;
  std::filesystem::path log_;
  std::filesystem::path errors_;  // the server's error output, never a pipe that could fill
};

}  // namespace vek::testing
