// Reading a file that the program keeps its data in, or that the user keeps under their home
// folder: only a regular file of at most a given size is read, and nothing holds the reader up.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

namespace vek {

// Why ReadRegularFile refused a file.
enum class ReadRefusal {
  None,
  Unreadable,      // it could not be opened or read: errnoValue says why (ENOENT when missing)
  NotRegularFile,  // a FIFO, a device, a socket or a folder
  TooLarge,        // above the reader's limit
};
struct FileRead {
  ReadRefusal refusal = ReadRefusal::None;
  int errnoValue = 0;     // for Unreadable
  std::size_t limit = 0;  // the limit it was read with
  bool ok() const { return refusal == ReadRefusal::None; }
  bool missing() const;  // Unreadable because there is no such file
};

// Reads a file that the program keeps its data in, or one of the user's (a list of folders, a
// note of another program): a regular file of at most maxBytes. It is opened without waiting (a
// FIFO without a writer, or a device, never holds the reader up), then checked, so that a FIFO, a
// device or a folder is refused before anything is read, and so is a file above maxBytes; one
// that grows past it while it is read is refused too. At most readAtMost bytes are read into out
// (the file's head); out is empty after a refusal.
FileRead ReadRegularFile(const std::filesystem::path& file, std::size_t maxBytes, std::string& out,
                         std::size_t readAtMost = static_cast<std::size_t>(-1));

}  // namespace vek
