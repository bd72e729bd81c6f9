#include "platform/launcher.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace vek {

int Launcher::Start(const std::filesystem::path& file, const std::vector<std::string>& arguments,
                    pid_t& pid) {
  return StartWith(file, arguments, LaunchOptions{}, pid);
}

int Launcher::StartWith(const std::filesystem::path& file,
                        const std::vector<std::string>& arguments, const LaunchOptions& options,
                        pid_t& pid) {
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 2);
  std::string self = file.string();
  if (arguments.empty())
    argv.push_back(self.data());
  for (const std::string& a : arguments)
    argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  if (const int e = ::posix_spawn_file_actions_init(&actions); e != 0)
    return e;
  int e = 0;
  if (!options.standardInput.empty())
    e = ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, options.standardInput.c_str(),
                                           O_RDONLY, 0);
  if (e == 0 && !options.workingFolder.empty())
    e = ::posix_spawn_file_actions_addchdir_np(&actions, options.workingFolder.c_str());
  // glibc's posix_spawn reports a failed exec (a file that is not a program, a missing
  // interpreter) and a failed file action as its own result, so the caller learns at once
  // whether the program started.
  if (e == 0)
    e = ::posix_spawn(&pid, file.c_str(), &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  return e;
}

bool Launcher::HasExited(pid_t pid) {
  int status = 0;
  for (;;) {
    const pid_t r = ::waitpid(pid, &status, WNOHANG);
    if (r == 0)
      return false;
    if (r < 0 && errno == EINTR)
      continue;
    if (r == pid)
      exitCodes_[pid] = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return true;  // reaped now, or no longer our child
  }
}

int Launcher::ExitCode(pid_t pid) {
  const auto it = exitCodes_.find(pid);
  if (it == exitCodes_.end())
    return -1;
  const int code = it->second;
  exitCodes_.erase(it);
  return code;
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
