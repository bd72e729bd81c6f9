// What the fuzz harnesses share: a user interface that shows nothing, a scratch folder of the
// process (in memory where the system has one, so that the saves' fsync costs nothing), and
// writing an input to a file there.
#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "foundation/file_io.h"

namespace vek::fuzz {

// Stops the run with a message: libFuzzer records the input that got here as a crash.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what);
  std::abort();
}
inline void Check(bool condition, const char* what) {
  if (!condition)
    Fail(what);
}

// A fresh folder for this process under $VEK_FUZZ_SCRATCH (scripts/run-fuzzers.sh makes one
// and removes it afterwards), else under /dev/shm or the temporary folder. It is removed when the
// process exits normally; libFuzzer ends a run with _Exit, which leaves it.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = [] {
    std::error_code ec;
    const char* scratch = std::getenv("VEK_FUZZ_SCRATCH");
    const std::filesystem::path base =
        scratch != nullptr && *scratch != '\0'          ? std::filesystem::path(scratch)
        : std::filesystem::is_directory("/dev/shm", ec) ? std::filesystem::path("/dev/shm")
                                                        : std::filesystem::temp_directory_path();
    std::string pattern = (base / "vek-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr)
      Fail("cannot make the scratch folder");
    std::atexit([] {
      std::error_code ignored;
      std::filesystem::remove_all(ScratchFolder(), ignored);
    });
    return std::filesystem::path(pattern);
  }();
  return folder;
}

// Replaces the file with exactly the input's bytes.
inline void WriteInput(const std::filesystem::path& file, std::string_view bytes) {
  std::error_code ec;
  std::filesystem::remove_all(file, ec);
  if (WriteFileReplacing(file, bytes) != 0)
    Fail("cannot write the input file");
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return std::string_view(reinterpret_cast<const char*>(data), size);
}

}  // namespace vek::fuzz
