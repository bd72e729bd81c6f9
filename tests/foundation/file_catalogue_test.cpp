#include "foundation/file_catalogue.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

namespace vek {
namespace {

struct ExpectedRow {
  int row;
  const char* fullName;
  int flagA;
  int flagC;
  TListingModule module;
};

TEST(FileCatalogue, HoldsTheBuiltInRows) {
  InitFileCatalogue();
  const TFileCatalogue& c = FileCatalogue();
  const ExpectedRow rows[] = {
      {1, "QUV.EXE", 1, 1, QuvModule},        {2, "UN_QUV.EXE", 1, 1, QuvModule},
      {3, "VEK.EXE", 0, 1, VEKModule},        {4, "UN_VEK.EXE", 0, 1, VEKModule},
      {5, "VEK.LOC", 0, 1, VEKModule},        {6, "S0.WAV", 0, 0, VEKModule},
      {121, "S115.WAV", 0, 0, VEKModule},     {122, "AZHAN_M1.WAV", 1, 0, VEKModule},
      {123, "F-MADINA.WAV", 0, 1, VEKModule}, {124, "F-EGYPT2.WAV", 0, 1, VEKModule},
      {125, "ALEPPO.WAV", 0, 0, VEKModule},   {129, "EGYPT2.WAV", 0, 0, VEKModule},
      {130, "WORDSORT.EXE", 0, 0, QuvModule}, {131, "QUV32.EXE", 1, 1, QuvModule},
      {132, "ZEM32.EXE", 1, 1, QuvModule},    {133, "MANUAL-E.TXT", 0, 1, QuvModule},
      {134, "MANUAL-A.TXT", 0, 1, QuvModule}, {135, "AZHNNMS.INC", 0, 0, VEKModule},
      {136, "FILENAMS.INC", 0, 1, QuvModule}, {137, "SAMPLE1.TXT", 0, 0, QuvModule},
      {138, "SAMPLE2.TXT", 0, 0, QuvModule},  {139, "SAMPLE1.IX0", 0, 0, QuvModule},
      {144, "SAMPLE1.IX5", 0, 0, QuvModule},  {145, "SAMPLE2.IX0", 0, 0, QuvModule},
      {150, "SAMPLE2.IX5", 0, 0, QuvModule},  {151, "HEADER.DOC", 0, 1, QuvModule},
      {152, "HEADER.TXT", 0, 1, QuvModule},   {153, "PELSUNK.EXE", 1, 1, BOTHModules},
  };
  for (const ExpectedRow& e : rows) {
    const TCatalogueEntry& entry = c[e.row];
    EXPECT_EQ(e.fullName, FullName(entry)) << e.row;
    EXPECT_EQ(e.flagA, entry.FlagA) << e.row;
    EXPECT_EQ(e.flagC, entry.FlagC) << e.row;
    EXPECT_EQ(e.module, entry.Module) << e.row;
  }
  std::set<std::string> names;
  for (const TCatalogueEntry& entry : c) {
    EXPECT_FALSE(entry.Name.empty());
    EXPECT_LE(entry.Name.size(), 8u) << entry.Name;
    EXPECT_EQ("ZIP", entry.ArchiveExtension) << entry.Name;
    EXPECT_EQ(1, entry.FlagB) << entry.Name;
    EXPECT_EQ(-1, entry.Tag) << entry.Name;
    names.insert(FullName(entry));
  }
  EXPECT_EQ(153u, names.size());  // every row names a different file
  EXPECT_THROW(c[0], std::out_of_range);
  EXPECT_THROW(c[154], std::out_of_range);
}

TEST(FileCatalogue, IndexExtensionsShortenOnceAndInitRestoresThem) {
  InitFileCatalogue();
  TFileCatalogue& c = FileCatalogue();
  ShortenIndexExtensions(c);
  ShortenIndexExtensions(c);  // every comparison does it again
  EXPECT_EQ("SAMPLE1.IX", FullName(c[139]));
  EXPECT_EQ("SAMPLE2.IX", FullName(c[150]));
  EXPECT_EQ("SAMPLE2.TXT", FullName(c[138]));
  EXPECT_EQ("HEADER.DOC", FullName(c[151]));
  InitFileCatalogue();
  EXPECT_EQ("SAMPLE1.IX0", FullName(FileCatalogue()[139]));
}

}  // namespace
}  // namespace vek
