#include "foundation/resource_pack.h"

#include <unistd.h>

#include <cerrno>

#include "foundation/debug_log.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"
#include "foundation/text.h"

namespace vek {

namespace {

void LogResourceFailure(std::string_view step, std::string_view name, std::string_view type,
                        const std::filesystem::path& destination) {
  std::string text = "Error in ClockFace, in ExtractResourceToFile\r\n";
  text += step;
  text += "\r\nRezName : ";
  text += name;
  text += "\r\nRezType : ";
  text += type;
  text += "\r\nFileName: ";
  text += destination.string();
  DebugLog(text);
}

void LogCopyFailure(const std::filesystem::path& source, const std::filesystem::path& destination,
                    int error) {
  const std::string src = source.string();
  const std::string dst = destination.string();
  std::string text =
      "Error in ClockFace, in fn_ExtractFileFromTemp(DestFile)\r\nSource File does not Exist, "
      "SrcF: " +
      src + "\r\nDestFile: " + dst + "\r\nSrcF: " + src + "\r\nDstF: " + dst;
  if (error != 0)
    text += "\r\n" + IoErrorText(error);
  DebugLog(text);
}

// fn_ExtractFileFromTemp with the errno of its failure.
int ReplaceFromTemp(const std::filesystem::path& temporary,
                    const std::filesystem::path& destination, FileSystem& fs) {
  std::error_code ec;
  if (!std::filesystem::exists(temporary, ec)) {
    LogCopyFailure(temporary, destination, 0);
    return ENOENT;
  }
  // A rename replaces the destination whatever its write bit, and the result has the new
  // file's mode.
  if (const int e = fs.Rename(temporary, destination); e != 0) {
    fs.Remove(temporary);
    LogCopyFailure(temporary, destination, e);
    return e;
  }
  SyncFolderOf(destination);
  return 0;
}

}  // namespace

std::span<const unsigned char> TableResourceModule::Find(std::string_view name,
                                                         std::string_view type) const {
  for (const ResourceEntry& entry : entries_) {
    if (CompareAsciiNoCase(entry.name, name) == 0 && CompareAsciiNoCase(entry.type, type) == 0)
      return entry.size == 0 ? std::span<const unsigned char>()
                             : std::span<const unsigned char>(entry.data, entry.size);
  }
  return {};
}

std::string ResourceNameOf(std::string_view fileName) {
  std::string name;
  for (const char c : fileName) {
    if (c != '.' && c != '~')
      name += c;
  }
  return name;
}

std::filesystem::path JoinFolderAndName(const std::filesystem::path& folder,
                                        std::string_view name) {
  // path's operator/ would let a name starting with '/' replace the folder altogether.
  while (!name.empty() && name.front() == '/')
    name.remove_prefix(1);
  return folder / std::filesystem::path(name);
}

const unsigned char* FindResourceData(const ResourceModule& module, std::string_view name,
                                      std::string_view type, std::size_t& size) {
  const std::span<const unsigned char> data = module.Find(name, type);
  size = data.size();
  return data.empty() ? nullptr : data.data();
}

bool ExtractResourceToFile(const ResourceModule& module, std::string_view name,
                           std::string_view type, const std::filesystem::path& destination,
                           FileSystem& fs) {
  return ExtractResourceToFileErrno(module, name, type, destination, fs) == 0;
}

int ExtractResourceToFileErrno(const ResourceModule& module, std::string_view name,
                               std::string_view type, const std::filesystem::path& destination,
                               FileSystem& fs) {
  std::size_t size = 0;
  const unsigned char* data = FindResourceData(module, name, type, size);
  if (data == nullptr) {
    LogResourceFailure(">>>ResData=nil", name, type, destination);
    return ENOENT;
  }

  // A new file under a name no other file has, so that neither a second extraction nor a file
  // planted in advance can take its place.
  UniqueFile temporary = CreateTemporaryBeside(destination);
  if (temporary.error != 0) {
    LogResourceFailure(">>>FileHandle=INVALID_HANDLE_VALUE", name, type, destination);
    return temporary.error;
  }
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (const int e = WriteAll(temporary.fd.get(), bytes); e != 0) {
    temporary.fd.Close();
    fs.Remove(temporary.path);
    LogResourceFailure(">>>Could not Write file", name, type, destination);
    return e;
  }
  // The data must be on disk before the rename makes them the destination.
  const int synced = ::fsync(temporary.fd.get()) == 0 ? 0 : errno;
  const int closed = temporary.fd.Close();
  if (synced != 0 || closed != 0) {
    fs.Remove(temporary.path);
    LogResourceFailure(">>>Could not CloseHandle", name, type, destination);
    return synced != 0 ? synced : closed;
  }
  return ReplaceFromTemp(temporary.path, destination, fs);
}

bool fn_ExtractFileFromTemp(const std::filesystem::path& temporary,
                            const std::filesystem::path& destination, FileSystem& fs) {
  return ReplaceFromTemp(temporary, destination, fs) == 0;
}

bool ExtractFileFromResource(std::string_view fileName, const std::filesystem::path& folder,
                             const ResourceModule& module, FileSystem& fs) {
  return ExtractFileFromResourceErrno(fileName, folder, module, fs) == 0;
}

int ExtractFileFromResourceErrno(std::string_view fileName, const std::filesystem::path& folder,
                                 const ResourceModule& module, FileSystem& fs) {
  return ExtractResourceToFileErrno(module, ResourceNameOf(fileName), kCarriedFileType,
                                    JoinFolderAndName(folder, fileName), fs);
}

}  // namespace vek
