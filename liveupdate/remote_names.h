// Where an offered file lies on the update server and under which names it lands in the program
// folder: index files in "/indexes/" as "gox" + stem + ".z", text books in "/txt/" and sounds in
// "/" as "go-" + stem + ".z", everything else under its own name in "/".
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vek {

struct TRemoteName {
  std::string remotePath;  // absolute on the server: "/indexes/goxbeep.z"
  std::string fileName;    // the name of the local file: "goxbeep.z"
};

// The remote name of a listed name (taken in lower case). Nothing for a name that is not a plain
// file name, which must never become part of a path.
std::optional<TRemoteName> RemoteNameOf(std::string_view listedName);

// The final local name (base folder + remote file name) and the temporary name it is
// downloaded under (final name + ".tovarelin").
std::filesystem::path FinalName(const std::filesystem::path& baseFolder, const TRemoteName& name);
std::filesystem::path TemporaryName(const std::filesystem::path& baseFolder,
                                    const TRemoteName& name);

}  // namespace vek
