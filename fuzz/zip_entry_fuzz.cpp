// ZIP entries: any bytes as an archive. Extraction either writes the whole entry to the
// destination the program chose or leaves nothing behind; an entry's name never chooses where.
// Reading an entry without extracting it agrees with extracting it.
#include <filesystem>

#include "foundation/zip_entry.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vek;
  using namespace vek::fuzz;
  namespace fs = std::filesystem;
  const fs::path folder = ScratchFolder() / "zip";
  std::error_code ec;
  fs::remove_all(folder, ec);
  fs::create_directories(folder / "out", ec);
  const fs::path archive = folder / "a.zip";
  WriteInput(archive, AsText(data, size));

  for (const char* name : {"WENQ140.BMP", "S30.WAV", "../x", "a/b"}) {
    const fs::path destination = folder / "out" / "TARGET";
    fs::remove(destination, ec);
    const bool done = ExtractZipEntry(archive, name, destination, 1 << 20).ok();
    Check(done == fs::exists(destination), "an extraction leaves the destination or nothing");
    std::string read;
    Check(ReadZipEntry(archive, name, 1 << 20, &read) == done,
          "reading an entry agrees with extracting it");
    std::string written;
    Check(!done || (ReadWholeFile(destination, written) == 0 && written == read),
          "reading an entry gives the bytes that extracting it writes");
    for (const fs::directory_entry& entry : fs::directory_iterator(folder / "out")) {
      Check(entry.path() == destination, "nothing but the destination is written");
    }
  }
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    Check(entry.path() == archive || entry.path() == folder / "out",
          "nothing is written beside the archive");
  }
  return 0;
}
