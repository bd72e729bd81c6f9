// Starting another program, or this one again after a Live Update, with failures told in words.
// Programs start from their file and an argument list; no shell ever splits a command line.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundation/system_services.h"

namespace vek {

// True for a name whose extension begins ".EXE" (any case), a name without extension (as Linux
// programs are named), or a file that has an execute permission bit.
bool IsExeFile(const std::filesystem::path& fileName);

// Starts fileName with the whole argument list (arguments[0] is the program's own name; empty
// means fileName). With waitForExit, handles events until the program has ended or this one is
// quitting. 0 when the program was started, else the system's error code.
int RunProcess(const std::filesystem::path& fileName, const std::vector<std::string>& arguments,
               bool waitForExit, SystemServices& sys);

// Handles events until the process has ended or the application is quitting. The process's exit
// code, or -1 when a signal ended it or the wait was given up because the application is quitting.
int WaitForProcessExit(pid_t pid, SystemServices& sys);

// Checks the file, starts it without waiting, and shows what went wrong. True when started.
bool ExecuteProgram(const std::filesystem::path& fileName,
                    const std::vector<std::string>& arguments, SystemServices& sys);

}  // namespace vek
