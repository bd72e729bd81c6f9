// The records of the Live Update files: the 168-byte TListingRec of the installation listings
// (the local LiveUpdate/vekdirs.rec and the server's copy) and the 160-byte TIgnoreRec of
// IGNORE.REC. Both are little-endian with length-prefixed strings in code page 1256; in memory
// the strings are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "foundation/file_catalogue.h"
#include "foundation/language.h"

namespace vek {

enum TListingRecKind : std::uint8_t {
  riIsBlankHeader = 0,
  riIsDir = 1,
  riIsFileInfo = 2,
  riIsEOF = 3,
};

inline constexpr std::size_t kListingRecSize = 168;
inline constexpr std::size_t kIgnoreRecSize = 160;
inline constexpr std::size_t kListingTextChars = 80;
inline constexpr std::size_t kListingAuthorChars = 50;
inline constexpr std::size_t kListingNameChars = 18;
inline constexpr std::size_t kIgnoreDescriptionChars = 131;
// A listing or ignore file above this size is refused whole.
inline constexpr std::size_t kMaxListingBytes = 16u * 1024u * 1024u;

struct TListingRec {
  std::string Text;      // header text, or the book name of a text book
  std::string Author;    // the author of a text book
  std::string FileName;  // file records: the upper-cased name; header records: ";"
  std::int32_t Size = 0;
  std::uint32_t Date = 0;  // packed DOS date-time; stamps compare as unsigned numbers
  std::uint8_t Module = VEKModule;
  // Offset 161: the file's catalogue flag C. The comparison reads it from the server's record
  // as "newer only": such a file is updated only when the server's stamp is later.
  std::uint8_t NewerOnly = 0;
  std::uint8_t IsTextBook = 0;
  std::uint8_t NoSuchFolder = 0;
  std::uint8_t Kind = riIsBlankHeader;
  std::uint8_t State = 0;
};

// Appends the record's 168 bytes. Texts are encoded in code page 1256 ('?' for a character the
// code page has no byte for) and cut to their fields; unused bytes are 0.
void AppendListingRec(const TListingRec& rec, std::string& out);
// Decodes one record from its 168 bytes; a length byte above its field is taken as the field.
TListingRec DecodeListingRec(std::string_view bytes);

struct TIgnoreRec {
  std::string FileName;  // as the grid shows it: lower case
  std::int32_t Size = 0;
  std::uint32_t Date = 0;   // packed DOS date-time of the ignored server file
  std::string Description;  // the grid's "Update Type" text
};

void AppendIgnoreRec(const TIgnoreRec& rec, std::string& out);
TIgnoreRec DecodeIgnoreRec(std::string_view bytes);

// Why a listing or ignore file was refused.
enum class RecordFileError {
  None,
  Unreadable,       // the file could not be opened or read (errno given)
  TooLarge,         // above kMaxListingBytes
  NotRegularFile,   // a FIFO, a device or a folder: refused before anything is read
  NotWholeRecords,  // a listing whose size is not a whole number of records
};

// The records of a listing file's bytes: all of them, or none and the error when the size is
// above kMaxListingBytes or not a whole number of records.
std::vector<TListingRec> DecodeListing(std::string_view bytes, RecordFileError& error);

// The whole records of an ignore file's bytes; cut is set when the bytes end inside a record
// (that part is dropped). Nothing and TooLarge above kMaxListingBytes.
std::vector<TIgnoreRec> DecodeIgnoreFile(std::string_view bytes, bool& cut, RecordFileError& error);

// Reads a listing or ignore file, refusing one that is no regular file, or is above
// kMaxListingBytes, without reading it.
// errnoValue is set for Unreadable.
RecordFileError ReadRecordFile(const std::filesystem::path& file, std::string& bytes,
                               int& errnoValue);

// The message for a refused file, in the user's language.
std::string RecordFileErrorText(RecordFileError error, int errnoValue,
                                const std::filesystem::path& file, Language language);

// A name that may become part of a local path or a server address: 1 to 18 characters, none of
// / \ : * ? " < > | nor a control character nor one that does not print (a mark of writing
// direction, a joiner, the soft hyphen), not beginning with '.' and not ending with '.' or a
// blank.
bool IsPlainFileName(std::string_view name);

}  // namespace vek
