// Settings files with the semantics of the Windows profile functions: sections and keys are
// found ignoring ASCII case, values are trimmed, and everything the program does not know (other
// sections, other keys, comments, blank lines) is kept as it was. On disk the file is code page
// 1256; in memory texts are UTF-8. Changes stay in memory until UpdateFile writes the whole file
// through a temporary file and a rename, so a crash never leaves half a file.
//
// Only a regular file of a few megabytes is read (see Load).
//
// Where a section name occurs more than once, only the first such section is read and written;
// the later ones are kept as they are (EraseSection removes them all). Within a section the first
// of duplicate keys counts. Lines before the first section hold no keys.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/file_io.h"

namespace vek {

class IniFile {
 public:
  IniFile() = default;
  // Reads the file when it exists; a missing or unreadable file gives an empty one (see Load).
  explicit IniFile(std::filesystem::path file);

  // The largest file that Load reads; a settings file has no business being larger.
  static constexpr std::size_t kMaxFileBytes = 4u * 1024u * 1024u;

  // Reads the file, replacing what is in memory. 0 when it was read or does not exist (an
  // empty file then), else the errno (also an empty file); the file name is kept either way for
  // UpdateFile. Only a regular file of at most kMaxFileBytes is read: a FIFO, a device or a
  // folder gives EINVAL and a larger file EFBIG, at once (LoadResult tells which).
  int Load(const std::filesystem::path& file);
  const FileRead& LoadResult() const { return loadResult_; }
  const std::filesystem::path& FileName() const { return file_; }

  // The trimmed value, or def when the section or key is missing. The first of duplicate keys
  // counts.
  std::string ReadString(std::string_view section, std::string_view key,
                         std::string_view def) const;
  // The value as a decimal integer (also "$" or "0x" hexadecimal), or def when it is missing or
  // not a number (or does not fit a long).
  long ReadInteger(std::string_view section, std::string_view key, long def) const;
  // ReadInteger(...) != 0, with def as 1 or 0.
  bool ReadBool(std::string_view section, std::string_view key, bool def) const;

  // Sets the value, adding the key after the last key of its section, or the section at the end
  // of the file, when missing. Line breaks in value become blanks; characters without a byte in
  // code page 1256 become '?' (callers refuse such text where it is typed).
  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, long value);
  void WriteBool(std::string_view section, std::string_view key, bool value);  // "1" or "0"

  bool SectionExists(std::string_view section) const;
  bool ValueExists(std::string_view section, std::string_view key) const;
  // The names of the sections, and of the keys of one section, in file order as spelled in the
  // file; a name that occurs more than once is given once.
  std::vector<std::string> ReadSections() const;
  std::vector<std::string> ReadSection(std::string_view section) const;
  // Removes the header and every line up to the next section, for every section of the name.
  void EraseSection(std::string_view section);
  // Removes the key's lines from its section.
  void DeleteKey(std::string_view section, std::string_view key);

  // The file as it would be written, in code page 1256. Lines that were read and not changed
  // come out byte for byte as they were; new lines end in CR LF.
  std::string Image() const;
  // Writes Image() to FileName(); 0 or the errno (the old file is then untouched). After a Load
  // that failed for any reason but a missing file, nothing is written and Load's errno is
  // returned, so that a file that could not be read is never replaced by a nearly empty one.
  int UpdateFile() const;

 private:
  struct Line {
    enum class Kind { kOther, kSection, kKey };
    Kind kind = Kind::kOther;
    std::string raw;       // the bytes as read, without the line end; unused once changed
    std::string lineEnd;   // "\r\n", "\n", or "" for a last line without one
    std::string name;      // section name or key, UTF-8, trimmed, as spelled in the file
    std::string value;     // a key's value, UTF-8 (trimmed when read from the file)
    bool changed = false;  // rendered from name and value instead of raw
  };
  // Index range of a section's lines: the header and the lines up to the next header.
  struct Range {
    std::size_t header;
    std::size_t end;
  };

  // The first section of the name, if any.
  bool FindSection(std::string_view section, Range& range) const;
  // The index of the key's first line in range, or lines_.size().
  std::size_t FindKey(const Range& range, std::string_view key) const;
  // Inserts a new line before index at, giving a last line without line end one first.
  void InsertLine(std::size_t at, Line::Kind kind, std::string name = {}, std::string value = {});

  std::filesystem::path file_;
  std::vector<Line> lines_;
  int loadError_ = 0;    // the errno of the last Load, 0 also for a missing file
  FileRead loadResult_;  // what the last Load's reading said, nothing for a missing file
};

}  // namespace vek
