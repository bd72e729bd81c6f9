#include "foundation/file_catalogue.h"

#include <utility>

namespace vek {

namespace {

// The sibling program's two sample books; their indexes carry the extensions IX0 to IX5.
constexpr const char* kSampleBooks[] = {"SAMPLE1", "SAMPLE2"};
constexpr int kIndexFilesPerBook = 6;

TCatalogueEntry Row(std::string name, std::string extension, std::uint8_t flagA, std::uint8_t flagC,
                    TListingModule module) {
  TCatalogueEntry entry;
  entry.Name = std::move(name);
  entry.Extension = std::move(extension);
  entry.ArchiveExtension = "ZIP";
  entry.FlagA = flagA;
  entry.FlagB = 1;
  entry.FlagC = flagC;
  entry.Module = module;
  entry.Tag = -1;
  return entry;
}

TFileCatalogue BuiltInCatalogue() {
  TFileCatalogue table;
  int row = 1;
  auto add = [&](std::string name, std::string extension, std::uint8_t flagA, std::uint8_t flagC,
                 TListingModule module) {
    table[row++] = Row(std::move(name), std::move(extension), flagA, flagC, module);
  };
  add("QUV", "EXE", 1, 1, QuvModule);
  add("UN_QUV", "EXE", 1, 1, QuvModule);
  add("VEK", "EXE", 0, 1, VEKModule);
  add("UN_VEK", "EXE", 0, 1, VEKModule);
  add("VEK", "LOC", 0, 1, VEKModule);
  // The recitations: S0 in row 6 to S115 in row 121.
  while (row <= 121)
    add(std::string("S").append(std::to_string(row - 6)), "WAV", 0, 0, VEKModule);
  add("AZHAN_M1", "WAV", 1, 0, VEKModule);
  add("F-MADINA", "WAV", 0, 1, VEKModule);
  add("F-EGYPT2", "WAV", 0, 1, VEKModule);
  for (const char* sound : {"ALEPPO", "MACCAH1", "MACCAH2", "EGYPT1", "EGYPT2"})
    add(sound, "WAV", 0, 0, VEKModule);
  add("WORDSORT", "EXE", 0, 0, QuvModule);
  add("QUV32", "EXE", 1, 1, QuvModule);
  add("ZEM32", "EXE", 1, 1, QuvModule);
  add("MANUAL-E", "TXT", 0, 1, QuvModule);
  add("MANUAL-A", "TXT", 0, 1, QuvModule);
  add("AZHNNMS", "INC", 0, 0, VEKModule);
  add("FILENAMS", "INC", 0, 1, QuvModule);
  for (const char* book : kSampleBooks)
    add(book, "TXT", 0, 0, QuvModule);
  for (const char* book : kSampleBooks) {
    for (int i = 0; i < kIndexFilesPerBook; ++i)
      add(book, "IX" + std::to_string(i), 0, 0, QuvModule);
  }
  add("HEADER", "DOC", 0, 1, QuvModule);
  add("HEADER", "TXT", 0, 1, QuvModule);
  add("PELSUNK", "EXE", 1, 1, BOTHModules);
  return table;
}

}  // namespace

TFileCatalogue& FileCatalogue() {
  static TFileCatalogue table = BuiltInCatalogue();
  return table;
}

void InitFileCatalogue() {
  FileCatalogue() = BuiltInCatalogue();
}

std::string FullName(const TCatalogueEntry& entry) {
  return entry.Name + "." + entry.Extension;
}

void ShortenIndexExtensions(TFileCatalogue& catalogue) {
  for (TCatalogueEntry& entry : catalogue) {
    if (entry.Extension.size() >= 3 && entry.Extension.compare(0, 2, "IX") == 0)
      entry.Extension.erase(2, 1);
  }
}

}  // namespace vek
