// The built-in catalogue of the files that make up an installation of the maker's programs:
// programs, uninstallers, the location file, sounds, recitations, manuals, include files, the
// sibling program's sample books with their indexes, and the mail plug-in. Live Update matches
// downloaded names against it, and the installation listing uses it to tell the programs' files
// apart.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vek {

// The program that a file belongs to, as the listing records store it.
enum TListingModule : std::uint8_t {
  QuvModule = 0,    // the sibling program
  VEKModule = 1,    // this program
  BOTHModules = 2,  // both (the mail plug-in)
};

struct TCatalogueEntry {
  std::string Name;              // without extension, upper case
  std::string Extension;         // without the dot, upper case
  std::string ArchiveExtension;  // of the compressed form on the server: "ZIP"
  std::uint8_t FlagA = 0;        // 1 for the maker's program files and the main adhan sound
  std::uint8_t FlagB = 1;
  std::uint8_t FlagC = 0;  // copied into the file's listing record
  TListingModule Module = QuvModule;
  std::int32_t Tag = -1;
};

// The catalogue's rows, numbered 1 to kRows. A range-for visits exactly those rows.
class TFileCatalogue {
 public:
  static constexpr int kRows = 153;

  // Row 1..kRows; any other number throws std::out_of_range.
  TCatalogueEntry& operator[](int row) { return rows_.at(Slot(row)); }
  const TCatalogueEntry& operator[](int row) const { return rows_.at(Slot(row)); }

  auto begin() { return rows_.begin(); }
  auto end() { return rows_.end(); }
  auto begin() const { return rows_.begin(); }
  auto end() const { return rows_.end(); }

 private:
  static std::size_t Slot(int row) { return row >= 1 ? std::size_t(row - 1) : std::size_t(kRows); }
  std::array<TCatalogueEntry, kRows> rows_;
};

// The program's catalogue. It is filled on first use; InitFileCatalogue refills it.
TFileCatalogue& FileCatalogue();

// Fills the catalogue with its built-in rows, at program start.
void InitFileCatalogue();

// Name + "." + Extension.
std::string FullName(const TCatalogueEntry& entry);

// The listing comparison's edit: every extension that begins with "IX" loses its third
// character, so that the numbered index extensions "IX0" to "IX5" all become "IX". Running it
// again changes nothing.
void ShortenIndexExtensions(TFileCatalogue& catalogue);

}  // namespace vek
