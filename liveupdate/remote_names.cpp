#include "liveupdate/remote_names.h"

#include "foundation/file_helpers.h"
#include "foundation/text.h"
#include "liveupdate/listing_record.h"
#include "liveupdate/live_update_files.h"

namespace vek {

namespace {

// The first occurrence of suffix in name is at its end.
bool FirstAtEnd(std::string_view name, std::string_view suffix) {
  const std::size_t at = name.find(suffix);
  return at != std::string_view::npos && at + suffix.size() == name.size();
}

}  // namespace

std::optional<TRemoteName> RemoteNameOf(std::string_view listedName) {
  if (!IsPlainFileName(listedName))
    return std::nullopt;
  const std::string name = AsciiLower(listedName);
  const std::string stem = StripExtension(name);
  TRemoteName remote;
  std::string folder = "/";
  if (FirstAtEnd(name, ".ix")) {
    folder = "/indexes/";
    remote.fileName = "gox" + stem + ".z";
  } else if (FirstAtEnd(name, ".txt")) {
    folder = "/txt/";
    remote.fileName = "go-" + stem + ".z";
  } else if (FirstAtEnd(name, ".wav")) {
    remote.fileName = "go-" + stem + ".z";
  } else {
    remote.fileName = name;
  }
  if (remote.fileName == "go-azhan_m1.z")
    remote.fileName = "go-azhm1.z";
  remote.remotePath = folder + remote.fileName;
  return remote;
}

std::filesystem::path FinalName(const std::filesystem::path& baseFolder, const TRemoteName& name) {
  return baseFolder / name.fileName;
}

std::filesystem::path TemporaryName(const std::filesystem::path& baseFolder,
                                    const TRemoteName& name) {
  return baseFolder / (name.fileName + std::string(kDownloadSuffix));
}

}  // namespace vek
