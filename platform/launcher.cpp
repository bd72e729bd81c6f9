#include "platform/launcher.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace vek {

int Launcher::Start(const std::filesystem::path& file, const std::vector<std::string>& arguments,
                    pid_t& pid) {
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 2);
  std::string self = file.string();
  if (arguments.empty())
    argv.push_back(self.data());
  for (const std::string& a : arguments)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  // glibc's posix_spawn reports a failed exec (a file that is not a program, a missing
  // interpreter) as its own result, so the caller learns at once whether the program started.
  return ::posix_spawn(&pid, file.c_str(), nullptr, nullptr, argv.data(), environ);
}

bool Launcher::HasExited(pid_t pid) {
  int status = 0;
  for (;;) {
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == 0)
      return false;
    if (r < 0 && errno == EINTR)
      continue;
    return true;  // reaped now, or no longer our child
  }
}

void Launcher::Detach(pid_t pid) {
  // Reaps the child when it ends, so that a started program never lingers as a zombie.
  std::thread([pid] {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }).detach();
}

Launcher& SystemLauncher() {
  static Launcher launcher;
  return launcher;
}

}  // namespace vek
