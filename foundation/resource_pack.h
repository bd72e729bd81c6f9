// Files carried inside the program (resource packs) and their extraction to a folder. The build
// compiles each carried file into the program as a resource of type "APPL" (see
// cmake/EmbedResources.cmake); the program passes the module that holds them.
#pragma once

#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace vek {

// The type of every carried file.
inline constexpr std::string_view kCarriedFileType = "APPL";

// A set of named, typed byte blocks.
class ResourceModule {
 public:
  virtual ~ResourceModule() = default;
  // The data of the resource with that name and type, both compared ignoring ASCII case; empty
  // when there is no such resource or it holds no bytes.
  virtual std::span<const unsigned char> Find(std::string_view name,
                                              std::string_view type) const = 0;
};

// One row of a generated resource table.
struct ResourceEntry {
  std::string_view name;
  std::string_view type;
  const unsigned char* data;  // null when size is 0
  std::size_t size;
};

// The module behind a generated table; the table must outlive it.
class TableResourceModule : public ResourceModule {
 public:
  constexpr explicit TableResourceModule(std::span<const ResourceEntry> entries)
      : entries_(entries) {}
  std::span<const unsigned char> Find(std::string_view name, std::string_view type) const override;

 private:
  std::span<const ResourceEntry> entries_;
};

// The resource name of a carried file: its name without any '.' or '~' ("a.b.zip" -> "abzip").
std::string ResourceNameOf(std::string_view fileName);

// folder, a '/' unless folder already ends in one, and name. The name is always put inside the
// folder, even when it starts with a '/'.
std::filesystem::path JoinFolderAndName(const std::filesystem::path& folder, std::string_view name);

// The resource's data and their size, or null (size 0) when it is missing or empty.
const unsigned char* FindResourceData(const ResourceModule& module, std::string_view name,
                                      std::string_view type, std::size_t& size);

// Writes the resource to destination: into a new temporary file in the destination's folder,
// which then replaces the destination (a read-only one too). On any failure the destination is
// left as it was, no temporary file remains, the failure goes to the debug log and the answer
// is false.
bool ExtractResourceToFile(const ResourceModule& module, std::string_view name,
                           std::string_view type, const std::filesystem::path& destination,
                           FileSystem& fs = RealFileSystem());
// The same with the reason of a failure: 0 on success, else the errno of the failing step
// (ENOENT when there is no such resource or it is empty).
int ExtractResourceToFileErrno(const ResourceModule& module, std::string_view name,
                               std::string_view type, const std::filesystem::path& destination,
                               FileSystem& fs = RealFileSystem());

// Puts the finished temporary file in place of destination (same folder). False, with the
// temporary file removed and the failure logged, when it is missing or cannot be renamed.
bool fn_ExtractFileFromTemp(const std::filesystem::path& temporary,
                            const std::filesystem::path& destination,
                            FileSystem& fs = RealFileSystem());

// Writes the file carried for fileName (under ResourceNameOf(fileName), type "APPL") to
// JoinFolderAndName(folder, fileName). True on success.
bool ExtractFileFromResource(std::string_view fileName, const std::filesystem::path& folder,
                             const ResourceModule& module, FileSystem& fs = RealFileSystem());
// The same with the reason of a failure, as ExtractResourceToFileErrno.
int ExtractFileFromResourceErrno(std::string_view fileName, const std::filesystem::path& folder,
                                 const ResourceModule& module, FileSystem& fs = RealFileSystem());

}  // namespace vek
