#include "liveupdate/listing_record.h"

#include <algorithm>
#include <cstring>

#include "foundation/cp1256.h"
#include "foundation/dos_error.h"
#include "foundation/file_io.h"

namespace vek {

namespace {

// Offsets of TListingRec.
constexpr std::size_t kTextAt = 0;
constexpr std::size_t kAuthorAt = 81;
constexpr std::size_t kNameAt = 132;
constexpr std::size_t kSizeAt = 152;
constexpr std::size_t kDateAt = 156;
constexpr std::size_t kModuleAt = 160;
constexpr std::size_t kNewerOnlyAt = 161;
constexpr std::size_t kTextBookAt = 162;
constexpr std::size_t kNoFolderAt = 163;
constexpr std::size_t kKindAt = 164;
constexpr std::size_t kStateAt = 165;

// Offsets of TIgnoreRec.
constexpr std::size_t kIgnoreNameAt = 0;
constexpr std::size_t kIgnoreSizeAt = 20;
constexpr std::size_t kIgnoreDateAt = 24;
constexpr std::size_t kIgnoreDescriptionAt = 28;

void PutString(char* record, std::size_t at, std::size_t maxChars, std::string_view utf8) {
  std::string bytes = Utf8ToCp1256Lossy(utf8);
  if (bytes.size() > maxChars)
    bytes.resize(maxChars);
  record[at] = static_cast<char>(bytes.size());
  std::memcpy(record + at + 1, bytes.data(), bytes.size());
}

std::string GetString(std::string_view record, std::size_t at, std::size_t maxChars) {
  const std::size_t length =
      std::min<std::size_t>(static_cast<unsigned char>(record[at]), maxChars);
  return Cp1256ToUtf8(record.substr(at + 1, length));
}

void PutU32(char* record, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    record[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t GetU32(std::string_view record, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 0; i < 4; ++i)
    value |= std::uint32_t{static_cast<unsigned char>(record[at + i])} << (8 * i);
  return value;
}

std::uint8_t GetByte(std::string_view record, std::size_t at) {
  return static_cast<unsigned char>(record[at]);
}

}  // namespace

void AppendListingRec(const TListingRec& rec, std::string& out) {
  char record[kListingRecSize] = {};
  PutString(record, kTextAt, kListingTextChars, rec.Text);
  PutString(record, kAuthorAt, kListingAuthorChars, rec.Author);
  PutString(record, kNameAt, kListingNameChars, rec.FileName);
  PutU32(record, kSizeAt, static_cast<std::uint32_t>(rec.Size));
  PutU32(record, kDateAt, rec.Date);
  record[kModuleAt] = static_cast<char>(rec.Module);
  record[kNewerOnlyAt] = static_cast<char>(rec.NewerOnly);
  record[kTextBookAt] = static_cast<char>(rec.IsTextBook);
  record[kNoFolderAt] = static_cast<char>(rec.NoSuchFolder);
  record[kKindAt] = static_cast<char>(rec.Kind);
  record[kStateAt] = static_cast<char>(rec.State);
  out.append(record, sizeof record);
}

TListingRec DecodeListingRec(std::string_view bytes) {
  TListingRec rec;
  rec.Text = GetString(bytes, kTextAt, kListingTextChars);
  rec.Author = GetString(bytes, kAuthorAt, kListingAuthorChars);
  rec.FileName = GetString(bytes, kNameAt, kListingNameChars);
  rec.Size = static_cast<std::int32_t>(GetU32(bytes, kSizeAt));
  rec.Date = GetU32(bytes, kDateAt);
  rec.Module = GetByte(bytes, kModuleAt);
  rec.NewerOnly = GetByte(bytes, kNewerOnlyAt);
  rec.IsTextBook = GetByte(bytes, kTextBookAt);
  rec.NoSuchFolder = GetByte(bytes, kNoFolderAt);
  rec.Kind = GetByte(bytes, kKindAt);
  rec.State = GetByte(bytes, kStateAt);
  return rec;
}

void AppendIgnoreRec(const TIgnoreRec& rec, std::string& out) {
  char record[kIgnoreRecSize] = {};
  PutString(record, kIgnoreNameAt, kListingNameChars, rec.FileName);
  PutU32(record, kIgnoreSizeAt, static_cast<std::uint32_t>(rec.Size));
  PutU32(record, kIgnoreDateAt, rec.Date);
  PutString(record, kIgnoreDescriptionAt, kIgnoreDescriptionChars, rec.Description);
  out.append(record, sizeof record);
}

TIgnoreRec DecodeIgnoreRec(std::string_view bytes) {
  TIgnoreRec rec;
  rec.FileName = GetString(bytes, kIgnoreNameAt, kListingNameChars);
  rec.Size = static_cast<std::int32_t>(GetU32(bytes, kIgnoreSizeAt));
  rec.Date = GetU32(bytes, kIgnoreDateAt);
  rec.Description = GetString(bytes, kIgnoreDescriptionAt, kIgnoreDescriptionChars);
  return rec;
}

std::vector<TListingRec> DecodeListing(std::string_view bytes, RecordFileError& error) {
  std::vector<TListingRec> records;
  error = RecordFileError::None;
  if (bytes.size() > kMaxListingBytes) {
    error = RecordFileError::TooLarge;
    return records;
  }
  if (bytes.size() % kListingRecSize != 0) {
    error = RecordFileError::NotWholeRecords;
    return records;
  }
  records.reserve(bytes.size() / kListingRecSize);
  for (std::size_t at = 0; at < bytes.size(); at += kListingRecSize)
    records.push_back(DecodeListingRec(bytes.substr(at, kListingRecSize)));
  return records;
}

std::vector<TIgnoreRec> DecodeIgnoreFile(std::string_view bytes, bool& cut,
                                         RecordFileError& error) {
  std::vector<TIgnoreRec> records;
  error = RecordFileError::None;
  cut = false;
  if (bytes.size() > kMaxListingBytes) {
    error = RecordFileError::TooLarge;
    return records;
  }
  cut = bytes.size() % kIgnoreRecSize != 0;
  records.reserve(bytes.size() / kIgnoreRecSize);
  for (std::size_t at = 0; at + kIgnoreRecSize <= bytes.size(); at += kIgnoreRecSize)
    records.push_back(DecodeIgnoreRec(bytes.substr(at, kIgnoreRecSize)));
  return records;
}

RecordFileError ReadRecordFile(const std::filesystem::path& file, std::string& bytes,
                               int& errnoValue) {
  const FileRead read = ReadRegularFile(file, kMaxListingBytes, bytes);
  errnoValue = read.errnoValue;
  switch (read.refusal) {
    case ReadRefusal::None:
      return RecordFileError::None;
    case ReadRefusal::Unreadable:
      return RecordFileError::Unreadable;
    case ReadRefusal::NotRegularFile:
      return RecordFileError::NotRegularFile;
    case ReadRefusal::TooLarge:
      return RecordFileError::TooLarge;
  }
  return RecordFileError::Unreadable;
}

std::string RecordFileErrorText(RecordFileError error, int errnoValue,
                                const std::filesystem::path& file, Language language) {
  const bool arabic = language == Language::Arabic;
  const std::string name = file.string();
  switch (error) {
    case RecordFileError::None:
      return {};
    case RecordFileError::Unreadable:
      return (arabic ? "تعذرت قراءة الملف:\r\n" : "Cannot read the file:\r\n") + name + "\r\n" +
             IoErrorText(errnoValue, language);
    case RecordFileError::TooLarge:
      return (arabic ? "الملف أكبر من أن يكون قائمة ملفات:\r\n"
                     : "The file is too large to be a list of files:\r\n") +
             name;
    case RecordFileError::NotRegularFile:
      return (arabic ? "الملف ليس ملفاً عادياً:\r\n" : "The file is not a regular file:\r\n") + name;
    case RecordFileError::NotWholeRecords:
      return (arabic ? "الملف تالف (لا يتكون من سجلات كاملة):\r\n"
                     : "The file is damaged (it does not consist of whole records):\r\n") +
             name;
  }
  return {};
}

namespace {

// The characters of code page 1256 that do not print: the zero-width non-joiner and joiner, the
// left-to-right and right-to-left marks (bytes 0x9D, 0x9E, 0xFD, 0xFE) and the soft hyphen (0xAD).
// A name holding one shows as another name ("DIRIZ" + 0xFE 0xFD + ".EXE" as "diriz.exe").
constexpr std::string_view kInvisibleCharacters[] = {"\u200C", "\u200D", "\u200E", "\u200F",
                                                     "\u00AD"};

bool HoldsInvisibleCharacter(std::string_view name) {
  for (const std::string_view invisible : kInvisibleCharacters) {
    if (name.find(invisible) != std::string_view::npos)
      return true;
  }
  return false;
}

}  // namespace

bool IsPlainFileName(std::string_view name) {
  if (name.empty() || !FitsCp1256(name) || HoldsInvisibleCharacter(name))
    return false;
  std::size_t chars = 0;
  for (const char c : name) {
    const auto b = static_cast<unsigned char>(c);
    if ((b & 0xC0) != 0x80)
      ++chars;
    if (b < 0x20 || b == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos)
      return false;
  }
  return chars <= kListingNameChars && name.front() != '.' && name.back() != '.' &&
         name.back() != ' ';
}

}  // namespace vek
