#include "foundation/ini_file.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <unordered_set>
#include <utility>

#include "foundation/cp1256.h"
#include "foundation/file_io.h"
#include "foundation/text.h"

namespace vek {

namespace {

// Blanks around names and values; a CR is one too, for a CR without LF at the end of the file.
constexpr std::string_view kBlanks = " \t\r";

std::string_view Trim(std::string_view s) {
  const std::size_t first = s.find_first_not_of(kBlanks);
  if (first == std::string_view::npos)
    return {};
  return s.substr(first, s.find_last_not_of(kBlanks) - first + 1);
}

// Names of another length differ without a look at their letters.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareAsciiNoCase(a, b) == 0;
}

// FNV-1a over the name with ASCII letters upper-cased: names that differ only in case hash alike.
std::uint64_t NameHash(std::string_view name) {
  std::uint64_t hash = 14695981039346656037ull;
  for (const char c : name) {
    hash ^= static_cast<unsigned char>(AsciiUpperChar(c));
    hash *= 1099511628211ull;
  }
  return hash;
}

// The position of name in an index that holds the first position of each name; none when it is
// not there. nameAt gives the name at a position.
template <typename NameAt>
std::size_t FindName(const std::unordered_multimap<std::uint64_t, std::size_t>& index,
                     std::string_view name, std::size_t none, const NameAt& nameAt) {
  const auto [from, to] = index.equal_range(NameHash(name));
  for (auto it = from; it != to; ++it) {
    if (SameName(nameAt(it->second), name))
      return it->second;
  }
  return none;
}

// Adds the position of a name read in file order, unless the name is there already: only its
// first position counts, and a name repeated a million times costs one entry.
template <typename NameAt>
void AddFirstOfName(std::unordered_multimap<std::uint64_t, std::size_t>& index,
                    std::string_view name, std::size_t at, const NameAt& nameAt) {
  if (FindName(index, name, SIZE_MAX, nameAt) == SIZE_MAX)
    index.emplace(NameHash(name), at);
}

// Adds name to names unless a name equal to it ignoring case is there already; seen holds the
// upper-cased names added.
void AddNameOnce(std::vector<std::string>& names, std::unordered_set<std::string>& seen,
                 std::string name) {
  if (seen.insert(AsciiUpper(name)).second)
    names.push_back(std::move(name));
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

// The value bytes of a line equal the bytes that writing value gives; a carriage return inside
// the line's value reads as the blank that writing it gives.
bool SameValue(std::string_view line, std::string_view value) {
  if (line.size() != value.size())
    return false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if ((line[i] == '\r' ? ' ' : line[i]) != value[i])
      return false;
  }
  return true;
}

}  // namespace

IniFile::IniFile(std::filesystem::path file) {
  Load(file);
}

int IniFile::Load(const std::filesystem::path& file) {
  file_ = file;
  text_.clear();
  written_.clear();
  lines_.clear();
  ownLines_.clear();
  preamble_ = Section{};
  sections_.clear();
  sectionIndex_.reset();
  keyIndexes_.clear();
  loadResult_ = ReadRegularFile(file, kMaxFileBytes, text_);
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
  if (loadError_ != 0 || text_.empty())
    return loadError_;

  // Room for every line and header, and for what the program adds to a file of another's.
  const std::string_view all = text_;
  lines_.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '\n')) + 64);
  sections_.reserve(static_cast<std::size_t>(std::count(all.begin(), all.end(), '[')) + 16);
  Section* section = &preamble_;
  std::size_t pos = 0;
  while (pos < all.size()) {
    const std::size_t lf = all.find('\n', pos);
    Line line;
    line.begin = static_cast<std::uint32_t>(pos);
    if (lf == std::string_view::npos) {
      line.size = static_cast<std::uint32_t>(all.size() - pos);
      line.end = LineEnd::kNone;
      pos = all.size();
    } else {
      const bool crlf = lf > pos && all[lf - 1] == '\r';
      line.size = static_cast<std::uint32_t>(lf - pos - (crlf ? 1 : 0));
      line.end = crlf ? LineEnd::kCrLf : LineEnd::kLf;
      pos = lf + 1;
    }
    const std::string_view raw = all.substr(line.begin, line.size);

    // A header is "[name]" (anything after the bracket is ignored); a key line needs a key
    // before its first '='. Everything else, and every line before the first header, is kept
    // only as bytes.
    const std::string_view trimmed = Trim(raw);
    const std::size_t close = trimmed.find(']');
    if (trimmed.starts_with('[') && close != std::string_view::npos) {
      line.kind = Kind::kSection;
      line.split = static_cast<std::uint32_t>(trimmed.data() - raw.data() + close);
      section = &sections_.emplace_back();
      section->header = line;
      section->begin = static_cast<std::uint32_t>(lines_.size());
      continue;
    }
    if (section != &preamble_ && !trimmed.starts_with(';') && !trimmed.starts_with('#')) {
      const std::size_t eq = raw.find('=');
      if (eq != std::string_view::npos && !Trim(raw.substr(0, eq)).empty()) {
        line.kind = Kind::kKey;
        line.split = static_cast<std::uint32_t>(eq);
      }
    }
    // A run of lines without keys (blank lines, comments, text before the first section) is
    // kept as one line, so that a file of many short lines takes little memory.
    if (line.kind == Kind::kOther && section->size > 0 && lines_.back().kind == Kind::kOther &&
        lines_.back().end != LineEnd::kNone) {
      lines_.back().size = line.begin + line.size - lines_.back().begin;
      lines_.back().end = line.end;
      continue;
    }
    lines_.push_back(line);
    ++section->size;
    if (line.kind == Kind::kKey)
      section->keyEnd = section->size;
  }
  return 0;
}

std::string_view IniFile::BytesOf(const Line& line) const {
  if (line.written)
    return written_[line.begin];
  return std::string_view(text_).substr(line.begin, line.size);
}

std::string_view IniFile::NameOf(const Line& line) const {
  const std::string_view bytes = BytesOf(line);
  switch (line.kind) {
    case Kind::kKey:
      return Trim(bytes.substr(0, line.split));
    case Kind::kSection: {
      const std::size_t open = bytes.find('[');
      return Trim(bytes.substr(open + 1, line.split - open - 1));
    }
    case Kind::kOther:
      break;
  }
  return {};
}

std::string_view IniFile::ValueOf(const Line& line) const {
  return Trim(BytesOf(line).substr(line.split + 1));
}

void IniFile::Rewrite(Line& line, std::string bytes, std::size_t split) {
  line.split = static_cast<std::uint32_t>(split);
  line.size = static_cast<std::uint32_t>(bytes.size());
  if (line.written) {
    written_[line.begin] = std::move(bytes);
    return;
  }
  line.written = true;
  line.begin = static_cast<std::uint32_t>(written_.size());
  written_.push_back(std::move(bytes));
}

IniFile::Line IniFile::NewLine(Kind kind, std::string bytes, std::size_t split) {
  Line line;
  line.kind = kind;
  Rewrite(line, std::move(bytes), split);
  return line;
}

IniFile::Line IniFile::KeyLine(std::string_view name, std::string_view value) {
  std::string bytes;
  bytes.reserve(name.size() + 1 + value.size());
  bytes.append(name).append("=").append(value);
  return NewLine(Kind::kKey, std::move(bytes), name.size());
}

IniFile::Lines<const IniFile::Line> IniFile::Body(const Section& section) const {
  const std::span<const Line> inFile =
      std::span<const Line>(lines_).subspan(section.begin, section.size);
  if (section.own == kNoOwnLines)
    return {inFile, {}};
  return {inFile, ownLines_[section.own]};
}

IniFile::Lines<IniFile::Line> IniFile::Body(Section& section) {
  const std::span<Line> inFile = std::span<Line>(lines_).subspan(section.begin, section.size);
  if (section.own == kNoOwnLines)
    return {inFile, {}};
  return {inFile, ownLines_[section.own]};
}

std::vector<IniFile::Line>& IniFile::OwnFrom(Section& section, std::size_t at) {
  if (section.own == kNoOwnLines) {
    section.own = static_cast<std::uint32_t>(ownLines_.size());
    ownLines_.emplace_back();
  }
  std::vector<Line>& own = ownLines_[section.own];
  if (at < section.size) {
    const auto first = lines_.begin() + section.begin;
    own.insert(own.begin(), first + static_cast<std::ptrdiff_t>(at), first + section.size);
    section.size = static_cast<std::uint32_t>(at);
  }
  return own;
}

void IniFile::InsertLine(Section& section, std::size_t at, Line line) {
  std::vector<Line>& own = OwnFrom(section, at);
  own.insert(own.begin() + static_cast<std::ptrdiff_t>(at - section.size), line);
}

const IniFile::NameIndex& IniFile::SectionIndex() const {
  if (!sectionIndex_) {
    NameIndex& index = sectionIndex_.emplace();
    index.reserve(sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i) {
      AddFirstOfName(index, NameOf(sections_[i].header), i,
                     [&](std::size_t at) { return NameOf(sections_[at].header); });
    }
  }
  return *sectionIndex_;
}

const IniFile::NameIndex& IniFile::KeyIndex(const Section& section) const {
  const auto number = static_cast<std::size_t>(&section - sections_.data());
  const auto [it, made] = keyIndexes_.try_emplace(number);
  if (made) {
    const Lines<const Line> body = Body(section);
    it->second.reserve(section.keyEnd);
    for (std::size_t i = 0; i < section.keyEnd; ++i) {
      if (body[i].kind == Kind::kKey) {
        AddFirstOfName(it->second, NameOf(body[i]), i,
                       [&](std::size_t at) { return NameOf(body[at]); });
      }
    }
  }
  return it->second;
}

const IniFile::Section* IniFile::FindSection(std::string_view section) const {
  const std::string name = Utf8ToCp1256Lossy(section);
  const std::size_t found = FindName(SectionIndex(), name, sections_.size(),
                                     [&](std::size_t at) { return NameOf(sections_[at].header); });
  return found < sections_.size() ? &sections_[found] : nullptr;
}

IniFile::Section* IniFile::FindSection(std::string_view section) {
  return const_cast<Section*>(std::as_const(*this).FindSection(section));
}

std::size_t IniFile::FindKey(const Section& section, std::string_view key) const {
  const std::string name = Utf8ToCp1256Lossy(key);
  const Lines<const Line> body = Body(section);
  return FindName(KeyIndex(section), name, body.size(),
                  [&](std::size_t at) { return NameOf(body[at]); });
}

IniFile::Line* IniFile::LastLine() {
  Section& last = sections_.empty() ? preamble_ : sections_.back();
  const Lines<Line> body = Body(last);
  if (!body.empty())
    return &body.back();
  return sections_.empty() ? nullptr : &last.header;
}

void IniFile::AppendSection(std::string_view section, std::string_view key,
                            std::string_view value) {
  if (Line* last = LastLine()) {
    if (last->end == LineEnd::kNone)
      last->end = LineEnd::kCrLf;
    // The blank line before the new section.
    Section& before = sections_.empty() ? preamble_ : sections_.back();
    InsertLine(before, Body(before).size(), Line{});
  }
  // Built by appending: GCC 12 at -O3 misreads '"[" + std::string&&' as an overlapping copy.
  std::string header(1, '[');
  header += Utf8ToCp1256Lossy(section);
  header += ']';
  const std::size_t close = header.size() - 1;
  Section added;
  added.header = NewLine(Kind::kSection, std::move(header), close);
  InsertLine(added, 0, KeyLine(Utf8ToCp1256Lossy(key), value));
  added.keyEnd = 1;
  sections_.push_back(added);
  if (sectionIndex_)
    sectionIndex_->emplace(NameHash(NameOf(added.header)), sections_.size() - 1);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view def) const {
  const Section* s = FindSection(section);
  if (s == nullptr)
    return std::string(def);
  const Lines<const Line> body = Body(*s);
  const std::size_t i = FindKey(*s, key);
  if (i == body.size())
    return std::string(def);
  std::string value = Cp1256ToUtf8(ValueOf(body[i]));
  // A carriage return inside a value reads as the blank that writing it gives.
  std::replace(value.begin(), value.end(), '\r', ' ');
  return value;
}

long IniFile::ReadInteger(std::string_view section, std::string_view key, long def) const {
  const Section* s = FindSection(section);
  if (s == nullptr)
    return def;
  const Lines<const Line> body = Body(*s);
  const std::size_t i = FindKey(*s, key);
  long value = 0;
  if (i == body.size() || !ParseLong(ValueOf(body[i]), value))
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
  const std::string bytes = Utf8ToCp1256Lossy(text);

  Section* s = FindSection(section);
  if (s == nullptr) {
    AppendSection(section, key, bytes);
    return;
  }
  if (const std::size_t i = FindKey(*s, key); i != Body(*s).size()) {
    // An unchanged value keeps the line's bytes as they are.
    Line& line = Body(*s)[i];
    if (!SameValue(ValueOf(line), bytes)) {
      const std::string name(NameOf(line));
      Rewrite(line, name + "=" + bytes, name.size());
    }
    return;
  }
  // After the last key of the section: only lines without keys move, so the key index holds.
  Line& before = s->keyEnd == 0 ? s->header : Body(*s)[s->keyEnd - 1];
  if (before.end == LineEnd::kNone)
    before.end = LineEnd::kCrLf;
  const std::string name = Utf8ToCp1256Lossy(key);
  InsertLine(*s, s->keyEnd, KeyLine(name, bytes));
  const auto number = static_cast<std::size_t>(s - sections_.data());
  if (const auto index = keyIndexes_.find(number); index != keyIndexes_.end())
    index->second.emplace(NameHash(name), s->keyEnd);
  ++s->keyEnd;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, long value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

bool IniFile::SectionExists(std::string_view section) const {
  return FindSection(section) != nullptr;
}

bool IniFile::ValueExists(std::string_view section, std::string_view key) const {
  const Section* s = FindSection(section);
  return s != nullptr && FindKey(*s, key) != Body(*s).size();
}

std::vector<std::string> IniFile::ReadSections() const {
  std::vector<std::string> names;
  std::unordered_set<std::string> seen;
  for (const Section& section : sections_)
    AddNameOnce(names, seen, Cp1256ToUtf8(NameOf(section.header)));
  return names;
}

std::vector<std::string> IniFile::ReadSection(std::string_view section) const {
  std::vector<std::string> keys;
  std::unordered_set<std::string> seen;
  const Section* s = FindSection(section);
  if (s == nullptr)
    return keys;
  Body(*s).ForEach([&](const Line& line) {
    if (line.kind == Kind::kKey)
      AddNameOnce(keys, seen, Cp1256ToUtf8(NameOf(line)));
  });
  return keys;
}

void IniFile::EraseSection(std::string_view section) {
  const std::string name = Utf8ToCp1256Lossy(section);
  std::erase_if(sections_, [&](const Section& s) { return SameName(NameOf(s.header), name); });
  sectionIndex_.reset();
  keyIndexes_.clear();
}

void IniFile::DeleteKey(std::string_view section, std::string_view key) {
  Section* s = FindSection(section);
  if (s == nullptr)
    return;
  // Every line of the key goes, so that a duplicate does not take the deleted value's place.
  const std::string name = Utf8ToCp1256Lossy(key);
  std::vector<Line>& body = OwnFrom(*s, 0);
  std::erase_if(body, [&](const Line& line) {
    return line.kind == Kind::kKey && SameName(NameOf(line), name);
  });
  keyIndexes_.erase(static_cast<std::size_t>(s - sections_.data()));
  s->keyEnd = 0;
  for (std::size_t i = 0; i < body.size(); ++i) {
    if (body[i].kind == Kind::kKey)
      s->keyEnd = static_cast<std::uint32_t>(i + 1);
  }
}

std::string IniFile::Image() const {
  std::size_t size = 0;
  const auto measure = [&](const Line& line) { size += BytesOf(line).size() + 2; };
  const auto append = [this](std::string& out, const Line& line) {
    out += BytesOf(line);
    if (line.end == LineEnd::kCrLf)
      out += "\r\n";
    else if (line.end == LineEnd::kLf)
      out += '\n';
  };
  Body(preamble_).ForEach(measure);
  for (const Section& section : sections_) {
    measure(section.header);
    Body(section).ForEach(measure);
  }
  std::string out;
  out.reserve(size);
  const auto add = [&](const Line& line) { append(out, line); };
  Body(preamble_).ForEach(add);
  for (const Section& section : sections_) {
    append(out, section.header);
    Body(section).ForEach(add);
  }
  return out;
}

int IniFile::UpdateFile() const {
  if (loadError_ != 0)
    return loadError_;
  if (file_.empty())
    return ENOENT;
  const std::string image = Image();
  // The next Load would refuse it, and every setting in it would be lost.
  if (image.size() > kMaxFileBytes)
    return EFBIG;
  return WriteFileReplacing(file_, image);
}

}  // namespace vek
