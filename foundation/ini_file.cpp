#include "foundation/ini_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <unordered_set>
#include <utility>

#include "foundation/cp1256.h"
#include "foundation/file_io.h"
#include "foundation/text.h"

namespace vek {

namespace {

constexpr std::string_view kNewLineEnd = "\r\n";

// Blanks around names and values; a CR is one too, for a CR without LF at the end of the file.
std::string_view Trim(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r";
  const std::size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos)
    return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// Names of another length differ without a look at their letters: a lookup passes every line of
// a section, and a file may hold a great many.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareAsciiNoCase(a, b) == 0;
}

// Adds name to names unless a name equal to it ignoring case is there already; seen holds the
// upper-cased names added.
void AddNameOnce(std::vector<std::string>& names, std::unordered_set<std::string>& seen,
                 const std::string& name) {
  if (seen.insert(AsciiUpper(name)).second)
    names.push_back(name);
}

// Decimal, "$" or "0x" hexadecimal, with an optional sign; false for anything else or a number
// beyond long.
bool ParseLong(std::string_view text, long& out) {
  std::string_view s = Trim(text);
  bool negative = false;
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
    negative = s[0] == '-';
    s.remove_prefix(1);
  }
  unsigned long base = 10;
  if (s.starts_with('$')) {
    base = 16;
    s.remove_prefix(1);
  } else if (s.size() >= 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
    base = 16;
    s.remove_prefix(2);
  }
  if (s.empty())
    return false;
  const unsigned long limit =
      negative ? static_cast<unsigned long>(LONG_MAX) + 1 : static_cast<unsigned long>(LONG_MAX);
  unsigned long magnitude = 0;
  for (const char c : s) {
    unsigned long digit;
    if (c >= '0' && c <= '9')
      digit = static_cast<unsigned long>(c - '0');
    else if (c >= 'a' && c <= 'f')
      digit = static_cast<unsigned long>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'F')
      digit = static_cast<unsigned long>(c - 'A' + 10);
    else
      return false;
    if (digit >= base || magnitude > (limit - digit) / base)
      return false;
    magnitude = magnitude * base + digit;
  }
  if (!negative || magnitude == 0)
    out = static_cast<long>(magnitude);
  else
    out = -static_cast<long>(magnitude - 1) - 1;  // reaches LONG_MIN without overflow
  return true;
}

}  // namespace

IniFile::IniFile(std::filesystem::path file) {
  Load(file);
}

int IniFile::Load(const std::filesystem::path& file) {
  file_ = file;
  lines_.clear();
  std::string bytes;
  loadResult_ = ReadRegularFile(file, kMaxFileBytes, bytes);
  if (loadResult_.missing())
    loadResult_ = FileRead{};
  switch (loadResult_.refusal) {
    case ReadRefusal::None:
      loadError_ = 0;
      break;
    case ReadRefusal::Unreadable:
      loadError_ = loadResult_.errnoValue;
      break;
    case ReadRefusal::NotRegularFile:
      loadError_ = EINVAL;
      break;
    case ReadRefusal::TooLarge:
      loadError_ = EFBIG;
      break;
  }
  if (loadError_ != 0 || bytes.empty())
    return loadError_;

  lines_.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')) + 1);
  bool inSection = false;
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    Line line;
    const std::size_t lf = bytes.find('\n', pos);
    if (lf == std::string::npos) {
      line.raw = bytes.substr(pos);
      pos = bytes.size();
    } else {
      const bool crlf = lf > pos && bytes[lf - 1] == '\r';
      line.raw = bytes.substr(pos, lf - pos - (crlf ? 1 : 0));
      line.lineEnd = crlf ? "\r\n" : "\n";
      pos = lf + 1;
    }

    // A header is "[name]" (anything after the bracket is ignored); a key line needs a key
    // before its first '='. Everything else, and every line before the first header, is kept
    // only as bytes.
    const std::string text = Cp1256ToUtf8(line.raw);
    const std::string_view trimmed = Trim(text);
    const std::size_t close = trimmed.find(']');
    if (trimmed.starts_with('[') && close != std::string_view::npos) {
      line.kind = Line::Kind::kSection;
      line.name = Trim(trimmed.substr(1, close - 1));
      inSection = true;
    } else if (inSection && !trimmed.starts_with(';') && !trimmed.starts_with('#')) {
      const std::size_t eq = trimmed.find('=');
      if (eq != std::string_view::npos && !Trim(trimmed.substr(0, eq)).empty()) {
        line.kind = Line::Kind::kKey;
        line.name = Trim(trimmed.substr(0, eq));
        line.value = Trim(trimmed.substr(eq + 1));
        // A carriage return inside a value reads as the blank that writing it gives.
        std::replace(line.value.begin(), line.value.end(), '\r', ' ');
      }
    }
    // A run of lines without keys (blank lines, comments, text before the first section) is
    // kept as one, so that a file of many short lines takes little memory.
    if (line.kind == Line::Kind::kOther && !lines_.empty() &&
        lines_.back().kind == Line::Kind::kOther && !lines_.back().lineEnd.empty()) {
      Line& run = lines_.back();
      run.raw += run.lineEnd;
      run.raw += line.raw;
      run.lineEnd = std::move(line.lineEnd);
      continue;
    }
    lines_.push_back(std::move(line));
  }
  return 0;
}

bool IniFile::FindSection(std::string_view section, Range& range) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].kind == Line::Kind::kSection && SameName(lines_[i].name, section)) {
      std::size_t end = i + 1;
      while (end < lines_.size() && lines_[end].kind != Line::Kind::kSection)
        ++end;
      range = {i, end};
      return true;
    }
  }
  return false;
}

std::size_t IniFile::FindKey(const Range& range, std::string_view key) const {
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (lines_[i].kind == Line::Kind::kKey && SameName(lines_[i].name, key))
      return i;
  }
  return lines_.size();
}

void IniFile::InsertLine(std::size_t at, Line::Kind kind, std::string name, std::string value) {
  if (at > 0 && lines_[at - 1].lineEnd.empty())
    lines_[at - 1].lineEnd = kNewLineEnd;
  Line line;
  line.kind = kind;
  line.lineEnd = kNewLineEnd;
  line.name = std::move(name);
  line.value = std::move(value);
  line.changed = true;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  Range range{};
  if (!FindSection(section, range))
    return std::string(def);
  const std::size_t i = FindKey(range, key);
  if (i == lines_.size())
    return std::string(def);
  return std::string(Trim(lines_[i].value));
}

long IniFile::ReadInteger(std::string_view section, std::string_view key, long def) const {
  long value = 0;
  Range range{};
  if (!FindSection(section, range))
    return def;
  const std::size_t i = FindKey(range, key);
  if (i == lines_.size() || !ParseLong(lines_[i].value, value))
    return def;
  return value;
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  std::string text(value);
  for (char& c : text) {
    if (c == '\r' || c == '\n')
      c = ' ';
  }
  // Kept as it will read back from the file.
  text = Cp1256ToUtf8(Utf8ToCp1256Lossy(text));

  Range range{};
  if (!FindSection(section, range)) {
    if (!lines_.empty())
      InsertLine(lines_.size(), Line::Kind::kOther);  // the blank line before the new section
    InsertLine(lines_.size(), Line::Kind::kSection, std::string(section));
    InsertLine(lines_.size(), Line::Kind::kKey, std::string(key), std::move(text));
    return;
  }
  if (const std::size_t i = FindKey(range, key); i != lines_.size()) {
    // An unchanged value keeps the line's bytes as they are.
    if (lines_[i].value != text) {
      lines_[i].value = std::move(text);
      lines_[i].changed = true;
    }
    return;
  }
  std::size_t after = range.header;
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (lines_[i].kind == Line::Kind::kKey)
      after = i;
  }
  InsertLine(after + 1, Line::Kind::kKey, std::string(key), std::move(text));
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool IniFile::SectionExists(std::string_view section) const {
  Range range{};
  return FindSection(section, range);
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  Range range{};
  return FindSection(section, range) && FindKey(range, key) != lines_.size();
}

std::vector<std::string> IniFile::ReadSections() const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const Line& line : lines_) {
    if (line.kind == Line::Kind::kSection)
      AddNameOnce(names, seen, line.name);
  }
  return names;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  std::unordered_set<std::string> seen;
  Range range{};
  if (!FindSection(section, range))
    return keys;
  for (std::size_t i = range.header + 1; i < range.end; ++i) {
    if (lines_[i].kind == Line::Kind::kKey)
      AddNameOnce(keys, seen, lines_[i].name);
  }
  return keys;
}

void IniFile::EraseSection(std::string_view section) {
  Range range{};
  while (FindSection(section, range)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(range.header),
                 lines_.begin() + static_cast<std::ptrdiff_t>(range.end));
  }
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  Range range{};
  if (!FindSection(section, range))
    return;
  // Every line of the key goes, so that a duplicate does not take the deleted value's place.
  for (std::size_t i = FindKey(range, key); i != lines_.size(); i = FindKey(range, key)) {
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    --range.end;
  }
}

std::string IniFile::Image() const {
  std::string out;
  for (const Line& line : lines_) {
    if (!line.changed)
      out += line.raw;
    else if (line.kind == Line::Kind::kSection)
      out.append("[").append(Utf8ToCp1256Lossy(line.name)).append("]");
    else if (line.kind == Line::Kind::kKey)
      out += Utf8ToCp1256Lossy(line.name) + "=" + Utf8ToCp1256Lossy(line.value);
    out += line.lineEnd;
  }
  return out;
}

int IniFile::UpdateFile() const {
  if (loadError_ != 0)
    return loadError_;
  if (file_.empty())
    return ENOENT;
  return WriteFileReplacing(file_, Image());
}

}  // namespace vek
