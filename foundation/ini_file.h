// Settings files with the semantics of the Windows profile functions: sections and keys are
// found ignoring ASCII case, values are trimmed, and everything the program does not know (other
// sections, other keys, comments, blank lines) is kept as it was. On disk the file is code page
// 1256; in memory texts are UTF-8. Changes stay in memory until UpdateFile writes the whole file
// through a temporary file and a rename, so a crash never leaves half a file.
//
// Only a regular file of a few megabytes is read (see Load), and UpdateFile never writes a larger
// one: what the program saves, it can read again. Lines are kept as stretches of the file read,
// and lookups go through indexes of the section and key names, so that a file of the largest
// size, however its lines are laid out, is read, searched and saved in a fraction of a second.
//
// Where a section name occurs more than once, only the first such section is read and written;
// the later ones are kept as they are (EraseSection removes them all). Within a section the first
// of duplicate keys counts. Lines before the first section hold no keys.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "foundation/file_io.h"

namespace vek {

class IniFile {
 public:
  IniFile() = default;
  // Reads the file when it exists; a missing or unreadable file gives an empty one (see Load).
  explicit IniFile(std::filesystem::path file);

  // The largest file that Load reads and UpdateFile writes; a settings file has no business
  // being larger.
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
  // returned, so that a file that could not be read is never replaced by a nearly empty one. An
  // image larger than kMaxFileBytes is not written either (EFBIG): Load would refuse it.
  int UpdateFile() const;

 private:
  // The first position of each name, by a hash of the name ignoring ASCII case; a lookup compares
  // the names at the positions of its hash, so that names of one hash never mix.
  using NameIndex = std::unordered_multimap<std::uint64_t, std::size_t>;
  enum class LineEnd : std::uint8_t { kNone, kLf, kCrLf };
  enum class Kind : std::uint8_t { kOther, kSection, kKey };
  // One line without its line end. Its bytes are a stretch of the file as it was read (text_),
  // or, once the line was changed or added, a string of written_; names and values are cut out
  // of them when asked for. A run of lines without keys is one line, its inner line ends
  // included.
  struct Line {
    std::uint32_t begin = 0;  // in text_, or the index in written_
    std::uint32_t size = 0;   // in text_
    std::uint32_t split = 0;  // a key's '=', a header's ']'
    Kind kind = Kind::kOther;
    LineEnd end = LineEnd::kCrLf;
    bool written = false;
  };
  static constexpr std::uint32_t kNoOwnLines = UINT32_MAX;
  // A header and the lines up to the next one (the lines before the first header have no
  // header). Its lines are a stretch of the one list of the file's lines (lines_), followed by
  // lines of its own once lines were added or removed: a line added amid its lines moves the
  // file's lines after it into its own, and those are few, since keys go after the last key.
  // keyEnd is the index after its last key line (0 without keys): no key line ever moves.
  struct Section {
    Line header;
    std::uint32_t begin = 0;  // its first line in lines_
    std::uint32_t size = 0;   // its lines in lines_
    std::uint32_t keyEnd = 0;
    std::uint32_t own = kNoOwnLines;  // else the index of its own lines in ownLines_
  };
  // A section's lines: those in the file's list, then its own.
  template <typename L>
  struct Lines {
    std::span<L> inFile;
    std::span<L> own;
    std::size_t size() const { return inFile.size() + own.size(); }
    bool empty() const { return size() == 0; }
    L& operator[](std::size_t i) const {
      return i < inFile.size() ? inFile[i] : own[i - inFile.size()];
    }
    L& back() const { return own.empty() ? inFile.back() : own.back(); }
    template <typename F>
    void ForEach(const F& f) const {
      for (L& line : inFile)
        f(line);
      for (L& line : own)
        f(line);
    }
  };

  std::string_view BytesOf(const Line& line) const;
  std::string_view NameOf(const Line& line) const;   // a key's or header's name, trimmed
  std::string_view ValueOf(const Line& line) const;  // a key's value, trimmed
  // A line of new bytes, or the line given new bytes.
  Line NewLine(Kind kind, std::string bytes, std::size_t split);
  void Rewrite(Line& line, std::string bytes, std::size_t split);
  Line KeyLine(std::string_view name, std::string_view value);

  Lines<const Line> Body(const Section& section) const;
  Lines<Line> Body(Section& section);
  // Makes the section's lines from index at on its own.
  std::vector<Line>& OwnFrom(Section& section, std::size_t at);
  // Inserts line before the one at index at of the section's lines.
  void InsertLine(Section& section, std::size_t at, Line line);

  // The first section of the name, or nullptr.
  const Section* FindSection(std::string_view section) const;
  Section* FindSection(std::string_view section);
  // The index in the section's lines of the key's first line, or their number.
  std::size_t FindKey(const Section& section, std::string_view key) const;
  const NameIndex& KeyIndex(const Section& section) const;
  const NameIndex& SectionIndex() const;
  // The last line of the file, or nullptr for an empty one.
  Line* LastLine();
  void AppendSection(std::string_view section, std::string_view key, std::string_view value);

  std::filesystem::path file_;
  std::string text_;                        // the file as it was read
  std::deque<std::string> written_;         // the bytes of changed and added lines
  std::vector<Line> lines_;                 // the lines of the file's sections, in file order
  std::deque<std::vector<Line>> ownLines_;  // of sections that have lines of their own
  Section preamble_;                        // the lines before the first header
  std::vector<Section> sections_;           // in file order
  // Built when first needed: of the section headers, and of the key lines of each section
  // looked up, by its index in sections_.
  mutable std::optional<NameIndex> sectionIndex_;
  mutable std::unordered_map<std::size_t, NameIndex> keyIndexes_;
  int loadError_ = 0;    // the errno of the last Load, 0 also for a missing file
  FileRead loadResult_;  // what the last Load's reading said, nothing for a missing file
};

}  // namespace vek
