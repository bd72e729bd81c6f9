#include "foundation/run_program.h"

#include <sys/stat.h>

#include <chrono>

#include "foundation/text.h"

namespace vek {

bool IsExeFile(const std::filesystem::path& fileName) {
  const std::string extension = fileName.extension().string();
  if (extension.empty() || AsciiUpper(extension.substr(0, 4)) == ".EXE")
    return true;
  struct stat st {};
  return ::stat(fileName.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         (st.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;
}

int WaitForProcessExit(pid_t pid, SystemServices& sys) {
  constexpr Clock::Duration kPoll = std::chrono::milliseconds(20);
  for (;;) {
    sys.ui.ProcessEvents();
    if (sys.launcher.HasExited(pid))
      return sys.launcher.ExitCode(pid);
    if (sys.ui.Terminating()) {
      sys.launcher.Detach(pid);
      return -1;
    }
    sys.clock.Sleep(kPoll);
  }
}

int RunProcess(const std::filesystem::path& fileName, const std::vector<std::string>& arguments,
               bool waitForExit, SystemServices& sys) {
  pid_t pid = 0;
  if (const int e = sys.launcher.Start(fileName, arguments, pid); e != 0)
    return e;
  if (waitForExit)
    WaitForProcessExit(pid, sys);
  else
    sys.launcher.Detach(pid);
  return 0;
}

bool ExecuteProgram(const std::filesystem::path& fileName,
                    const std::vector<std::string>& arguments, SystemServices& sys) {
  const std::string name = fileName.string();
  if (!IsExeFile(fileName)) {
    ShowProgramMessage(name + " is not an executable file.", sys.ui);
    return false;
  }
  std::error_code ec;
  if (!std::filesystem::exists(fileName, ec)) {
    ShowProgramMessage("The file: " + name + " cannot be found.", sys.ui);
    return false;
  }
  if (const int code = RunProcess(fileName, arguments, false, sys); code != 0) {
    ShowProgramMessage(
        "Error executing program: " + name + "\n" + "Error Code: " + std::to_string(code), sys.ui);
    return false;
  }
  return true;
}

}  // namespace vek
